// CWNDPREVIEWINFO: made by AbrirPreviewInfo over the window that asked for
// it (the picture information window, or the main window after a puzzle);
// a picture scaled down on a tiled page with its name and text.
#include "VistaPrevia.h"

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "ArchivoBMP.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DescripcionImagen.h"
#include "DibujoHIMAGE.h"
#include "FichaImagen.h"
#include "Globales.h"
#include "ImagenEscalada.h"
#include "Impresion.h"
#include "LectorFotos.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "TextoJustificado.h"

namespace {

constexpr char kClase[] = "CWNDPREVIEWINFO";

constexpr uint32_t kImagenImprimir = 260;
constexpr uint32_t kImagenSalir = 128;  // the options window's exit
// The same in every language: no language offset.
constexpr int kTextoNombre = 5001;
constexpr int kLargoNombre = 50;
// The description starts 40 px under the picture and ends, shadow and
// all, above the buttons; it is written smaller only when it must.
constexpr int32_t kArribaBotones = 496, kSombra = 2, kAltoDescripcion = 17;

struct Estado {
  CicloDialogo ciclo;
  HWND ventana = nullptr, padre = nullptr;
  int32_t indice = -1;
  std::string ruta, nombre, descripcion;
  bool nombreFoto = false;  // the name is a photo's own (UTF-8, any characters)
  int32_t altoDescripcion = -1;  // worked out at the first paint
  std::unique_ptr<ImagenEscalada> imagen;
  std::unique_ptr<ControlDC> lienzo, imagenImprimir, imagenSalir;
  HWND imprimir = nullptr, salir = nullptr;
  ContextoDrawDib drawDib{nullptr};
};
Estado g;
// What follows the preview, still to run when it goes (kept apart from the
// state, which its last message clears).
TrasVistaPrevia g_despues = nullptr;

// The corner of the 800 x 600 designed page, centred on the screen.
POINT Esquina() { return {Esc((AnchoPantallaDiseño() - 800) / 2), Esc((AltoPantallaDiseño() - 600) / 2)}; }

std::string Texto(int id, int largo) {
  std::string t(static_cast<size_t>(largo) + 1, '\0');
  t.resize(static_cast<size_t>(LoadStringA(arranque.instancia, static_cast<UINT>(id), t.data(), largo + 1)));
  return t;
}

// White, bold, with a black shadow 2 designed pixels off.
void Escribir(HDC hdc, const std::string& texto, int32_t altoFuente, int32_t x, int32_t y, int32_t ancho,
              int32_t alto) {
  if (!texto.empty())
    EscribirTextoJustificado(hdc, texto.c_str(), kFuenteComun, 700, altoFuente, RGB(255, 255, 255), true, RGB(0, 0, 0),
                             Esc(kSombra), x, y, ancho, alto);
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  g.drawDib = ContextoDrawDib();
  const POINT e = Esquina();
  g.lienzo = CrearLienzoTeselado();
  g.imagenImprimir = CargarImagenArchivo(kImagenImprimir);
  g.imprimir = CrearBotonAnimado(hwnd, e.x + Esc(589), e.y + Esc(kArribaBotones), ImagenDe(g.imagenImprimir));
  g.imagenSalir = CargarImagenArchivo(kImagenSalir);
  g.salir = CrearBotonAnimado(hwnd, e.x + Esc(669), e.y + Esc(kArribaBotones), ImagenDe(g.imagenSalir));
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.lienzo), ROP_SRCCOPY);
  if (!g.imagen) return 0;
  const POINT e = Esquina();
  const Punto t = g.imagen->Tamaño();
  DibujarEscalada(g.drawDib.Get(), p.Hdc(), *g.imagen, e.x + Esc(20), e.y + Esc(20), t.x, t.y);
  const int32_t sitio = Esc(kArribaBotones) - (t.y + Esc(40)) - Esc(kSombra);
  if (g.altoDescripcion < 0)
    g.altoDescripcion =
        AltoFuenteQueCabe(p.Hdc(), g.descripcion.c_str(), kFuenteComun, 700, Esc(kAltoDescripcion), Esc(700), sitio);
  if (g.altoDescripcion > 0)
    Escribir(p.Hdc(), g.descripcion, g.altoDescripcion, e.x + Esc(20), e.y + t.y + Esc(40), Esc(700), sitio);
  if (g.nombreFoto)
    EscribirTextoUtf8(p.Hdc(), g.nombre.c_str(), kFuenteComun, 700, Esc(23), RGB(255, 255, 255), true, RGB(0, 0, 0),
                      Esc(kSombra), e.x + t.x + Esc(40), e.y + Esc(40), Esc(300), Esc(300));
  else
    Escribir(p.Hdc(), g.nombre, Esc(23), e.x + t.x + Esc(40), e.y + Esc(40), Esc(300), Esc(300));
  return 0;
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control != g.imprimir && control != g.salir) return 0;
  ReaccionBotonAnimado(control, codigo);
  if (codigo != kNotifActivado) return 0;
  if (control == g.salir) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (control == g.imprimir) ImprimirTarjeta(hwnd, g.indice, g.ruta.c_str());
  return 0;
}

LRESULT OnDestroy() {
  g.drawDib.Cerrar();
  if (const TrasVistaPrevia despues = std::exchange(g_despues, nullptr)) despues(true);
  return 0;
}

// The buttons are gone by now, so their pictures can go.
void OnNcDestroy() { g = Estado(); }

LRESULT CALLBACK ProcVistaPrevia(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_DESTROY: g.ciclo.Atender(hwnd, msg, wParam, lParam); return OnDestroy();
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarVistaPrevia(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcVistaPrevia, .estilo = CS_OWNDC, .fondoNegro = true});
}

HWND AbrirPreviewInfo(HWND padre, int32_t indice, const char* ruta, TrasVistaPrevia despues) {
  std::unique_ptr<ImagenEscalada> imagen(new (std::nothrow) ImagenEscalada);
  ArchivoBMP archivo;
  const bool leida = imagen && !g.ventana && ruta && archivo.Abrir(ruta) &&
                     imagen->LeerSuavizada(archivo, Esc(TamañoVistaPrevia(archivo.Tamaño())));
  archivo.Cerrar();
  if (leida) {
    g.padre = padre;
    g.indice = indice;
    g.ruta = ruta;
    g.imagen = std::move(imagen);
    if (indice >= 0) {
      g.nombre = Texto(kTextoNombre + indice, kLargoNombre);
      g.descripcion = DescripcionImagen(indice);
    } else {
      // A player's photo: its own name, and no story.
      g.nombre = NombreFotoConvertida(ruta);
      g.nombreFoto = true;
    }
    g_despues = despues;
    if (HWND hwnd = g.ciclo.CrearPantalla(kClase, "", padre)) return hwnd;
    g = Estado();
  }
  // Nothing shows (unless a refused window's end has already said it did).
  if (leida) despues = std::exchange(g_despues, nullptr);
  if (despues) despues(false);
  return nullptr;
}

HWND VentanaVistaPrevia() { return g.ventana; }
int32_t IndiceVistaPrevia() { return g.indice; }
HWND BotonImprimirVistaPrevia() { return g.imprimir; }
HWND BotonSalirVistaPrevia() { return g.salir; }
