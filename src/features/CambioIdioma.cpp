// CWNDCAMBIOIDIOMA: a label click only marks a language; OK makes it the
// program's, swaps what already shows words and remembers it for the next run.
#include "CambioIdioma.h"

#include <array>
#include <memory>

#include "BotonComando.h"
#include "ComunVentanas.h"
#include "Configuracion.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "DisenoVentanas.h"
#include "EtiquetaTexto.h"
#include "Globales.h"
#include "Mensaje.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Peticiones.h"

namespace {

using namespace DisenoIdioma;

constexpr char kClase[] = "CWNDCAMBIOIDIOMA";

constexpr uint32_t kImagenFondo = 215;
constexpr uint32_t kImagenTitulo = 2170;  // + language
constexpr uint32_t kImagenAceptar = 216, kImagenCancelar = 217;
// A shadow as dark as the ink reads as a second copy of each name: it is
// the paper's own shade, one pixel off.
constexpr COLORREF kColorSombra = RGB(214, 199, 168);
constexpr int kDelaySombra = 1;

// Each language named in itself, in Windows-1252 as the labels draw it.
constexpr std::array<const char*, kIdiomas> kNombres = {
    "Espa\xF1ol", "English", "Portugu\xEAs", "Italiano", "Fran\xE7" "ais", "Deutsch"};

struct Estado {
  HWND ventana = nullptr;
  std::unique_ptr<ControlDC> fondo, imagenAceptar, imagenCancelar;
  std::array<HWND, kIdiomas> etiquetas{};
  HWND aceptar = nullptr, cancelar = nullptr;
  int32_t pendiente = kIdiomaInicial;  // marked, not yet the program's
  bool noGuardado = false;             // the choice holds, but not in the file
  CicloDialogo ciclo{true};
};
Estado g;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor) { return SendMessageA(control, msg, 0, valor); }
HWND& Etiqueta(int32_t indice) { return g.etiquetas[static_cast<size_t>(indice)]; }

COLORREF ColorEtiqueta(int32_t indice) { return indice == g.pendiente ? kColorResalteComun : kColorTextoComun; }

HWND CrearEtiqueta(HWND hwnd, int32_t indice) {
  HWND e = CrearControl(kClaseEtiquetaTexto, hwnd, Esc(kXEtiquetas), Esc(kYEtiquetas + kPasoEtiquetas * indice), 0,
                        nullptr);
  if (HIMAGE fondo = ImagenDe(g.fondo)) Enviar(e, kMsgPonerImagen, reinterpret_cast<LPARAM>(fondo));
  Enviar(e, kMsgTextoPonerSombra, 1);
  Enviar(e, kMsgTextoPonerColorSombra, static_cast<LPARAM>(kColorSombra));
  Enviar(e, kMsgTextoPonerDelaySombra, Esc(kDelaySombra));
  Enviar(e, kMsgTextoPonerColor, static_cast<LPARAM>(ColorEtiqueta(indice)));
  Enviar(e, kMsgTextoPonerAltoFuente, Esc(kAltoFuente));
  Enviar(e, kMsgTextoPonerFuente, reinterpret_cast<LPARAM>(kFuenteComun));
  Enviar(e, kMsgTextoPoner, reinterpret_cast<LPARAM>(kNombres[static_cast<size_t>(indice)]));
  return e;
}

// The caption in the language the window opens in, into the background
// every control paints from.
void PonerTitulo() {
  const auto titulo = CargarImagenArchivo(kImagenTitulo + static_cast<uint32_t>(idioma));
  if (ImagenDe(titulo) && ImagenDe(g.fondo))
    TransferirHIMAGE(g.fondo->Imagen(), Esc(kXTitulo), 0, AnchoImagen(titulo), AltoImagen(titulo), titulo->Imagen(),
                     0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  PonerTitulo();
  g.imagenAceptar = CargarImagenArchivo(kImagenAceptar);
  g.aceptar = CrearControl(kClaseBotonComando, hwnd, Esc(kXAceptar), Esc(kYBotones), 0, ImagenDe(g.imagenAceptar));
  g.imagenCancelar = CargarImagenArchivo(kImagenCancelar);
  g.cancelar = CrearControl(kClaseBotonComando, hwnd, Esc(kXCancelar), Esc(kYBotones), 0, ImagenDe(g.imagenCancelar));
  g.pendiente = idioma;
  for (int32_t k = 0; k < kIdiomas; ++k) Etiqueta(k) = CrearEtiqueta(hwnd, k);
  return 0;
}

void Marcar(int32_t indice) {
  if (indice == g.pendiente) return;
  const int32_t anterior = g.pendiente;
  g.pendiente = indice;
  Enviar(Etiqueta(anterior), kMsgTextoPonerColor, static_cast<LPARAM>(ColorEtiqueta(anterior)));
  Enviar(Etiqueta(indice), kMsgTextoPonerColor, static_cast<LPARAM>(ColorEtiqueta(indice)));
}

// Windows opened later load their words in the new language themselves;
// these are the ones already on screen.
void Aplicar() {
  if (g.pendiente == idioma) return;
  idioma = g.pendiente;
  g.noGuardado = !GuardarIdioma(idioma);
  Juego().IdiomaCambiado();
}

// The close is posted, so the button that reported finishes first.
void Cerrar(HWND hwnd, bool aceptado) {
  if (aceptado) Aplicar();
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (codigo != kNotifActivado) return 0;
  for (int32_t k = 0; k < kIdiomas; ++k)
    if (control == Etiqueta(k)) return Marcar(k), 0;
  if (control == g.aceptar || control == g.cancelar) Cerrar(hwnd, control == g.aceptar);
  return 0;
}

// Enter and Escape, also when a child has the focus (offered here first by
// the message loop).
LRESULT OnCaracter(HWND hwnd, WPARAM tecla) {
  switch (tecla) {
    case VK_RETURN: Cerrar(hwnd, true); return 1;
    case VK_ESCAPE: Cerrar(hwnd, false); return 1;
    default: return 0;
  }
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.fondo), ROP_SRCCOPY);
  return 0;
}

// The controls are gone by now, so their pictures can go. A choice that
// could not be written is told once the window is gone and its owner
// enabled again.
void OnNcDestroy() {
  const bool avisar = g.noGuardado;
  HWND dueño = g.ciclo.Dueño();
  g = Estado();
  if (avisar) MostrarMensaje(kTextoConfiguracionNoGuardada, dueño, nullptr, false);
}

LRESULT CALLBACK ProcCambioIdioma(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CHAR: return OnCaracter(hwnd, wParam);
    case kMensajeCaracterHijo: return OnCaracter(hwnd, wParam);
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarCambioIdioma(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcCambioIdioma, .estilo = CS_OWNDC});
}

HWND AbrirCambioIdioma() {
  if (g.ventana) return g.ventana;
  OcultarVentanasFlotantes(nullptr);
  g.fondo = CargarImagenArchivo(kImagenFondo);
  if (!g.ciclo.CrearCentrado(kClase, AnchoImagen(g.fondo), AltoImagen(g.fondo), ventanaPrincipal)) g = Estado();
  return g.ventana;
}

HWND VentanaCambioIdioma() { return g.ventana; }
HWND EtiquetaIdioma(int32_t indice) { return indice >= 0 && indice < kIdiomas ? Etiqueta(indice) : nullptr; }
HWND BotonAceptarIdioma() { return g.aceptar; }
HWND BotonCancelarIdioma() { return g.cancelar; }
