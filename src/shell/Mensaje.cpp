// CWNDMENSAJE: created by MostrarMensaje for whichever window asks the player
// something; it destroys itself on the answer. Shows a text on picture 148.
#include "Mensaje.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "Cadena.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "ControlDC.h"
#include "DibujoHIMAGE.h"
#include "DisenoVentanas.h"
#include "Globales.h"
#include "HImage.h"
#include "LectorFotos.h"  // Utf8DeAncha
#include "ObjetosGDI.h"
#include "TextoJustificado.h"

HWND ventanaMensaje = nullptr;

namespace {

using namespace DisenoMensaje;

constexpr char kClase[] = "CWNDMENSAJE";

constexpr uint32_t kImagenFondo = 148;
constexpr uint32_t kImagenTitulo = 2150;  // + language
constexpr uint32_t kImagenAceptar = 146;
constexpr uint32_t kImagenCancelar = 147;
constexpr UINT kRetrasoRespuesta = 45;  // ms
constexpr int32_t kLargoTexto = 200;

// Closed -> open -> answer pending (the box is gone, the timer runs) -> closed.
enum class Fase { cerrado, abierto, pendiente };

// One box at a time, so its state is process-wide.
struct Estado {
  Fase fase = Fase::cerrado;
  int32_t textoBase = 0;
  char texto[kLargoTexto] = "";
  std::string lista;  // UTF-8, drawn after the text
  HWND padre = nullptr;
  bool conEntrada = false;
  RespuestaMensaje respuesta = nullptr;
  void (*despues)() = nullptr;  // an information box's follow-up
  std::string textoEntrada;  // the field's text, kept when the box goes
  bool aceptado = false;
  bool decidido = false;  // the first choice stands
  CicloDialogo ciclo{true};
  std::unique_ptr<ControlDC> fondo, imagenAceptar, imagenCancelar;
  ObjetoGDI<HFONT> fuenteEntrada;
  HWND botonAceptar = nullptr, botonCancelar = nullptr, entrada = nullptr;
  UINT_PTR temporizador = 0;
};
Estado g;

void CargarTexto(int32_t base) {
  g.texto[0] = 0;
  // Some texts exist in Spanish and English only: the others read English.
  if (LoadStringA(arranque.instancia, static_cast<UINT>(base + idioma), g.texto, kLargoTexto) == 0)
    LoadStringA(arranque.instancia, static_cast<UINT>(base + 1), g.texto, kLargoTexto);
}

HWND CrearBoton(HWND hwnd, int x, int y, int id, HIMAGE imagen) {
  HWND boton = CreateWindowExA(0, "COVCOMMAND", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, x, y, 50, 50, hwnd,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), arranque.instancia, nullptr);
  SendMessageA(boton, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(imagen));
  return boton;
}

// The caption can be copied into the background only when both loaded and
// share a format.
bool CabeEnFondo(HIMAGE titulo, HIMAGE fondo) {
  return titulo && fondo && titulo->biBitCount == fondo->biBitCount && titulo->biClrUsed == fondo->biClrUsed;
}

void CALLBACK OnTemporizador(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (g.fase != Fase::pendiente || id != g.temporizador) return;
  // Closed before the callback runs: it may well open the next box.
  const HWND padre = g.padre;
  const RespuestaMensaje respuesta = g.respuesta;
  const auto despues = g.despues;
  const std::string texto = std::move(g.textoEntrada);
  g.textoEntrada.clear();
  g.fase = Fase::cerrado;
  g.padre = nullptr;
  g.respuesta = nullptr;
  g.despues = nullptr;
  g.temporizador = 0;
  if (padre) EnableWindow(padre, TRUE);
  if (respuesta) respuesta(g.aceptado, texto.c_str());
  if (despues) despues();
}

// The box is gone (or never came): release its pictures and deliver the
// answer from the loop, never from inside the box's own messages.
void Cerrado() {
  g.imagenAceptar.reset();
  g.imagenCancelar.reset();
  g.fondo.reset();
  g.fuenteEntrada = ObjetoGDI<HFONT>();
  g.botonAceptar = g.botonCancelar = g.entrada = nullptr;
  g.fase = Fase::pendiente;
  g.temporizador = SetTimer(nullptr, 0, kRetrasoRespuesta, OnTemporizador);
}

// The close is posted, so a button that reported the click finishes its
// own handling before the box and its children go.
void Responder(HWND hwnd, bool aceptado) {
  if (g.decidido) return;
  g.decidido = true;
  g.aceptado = aceptado;
  PostMessageA(hwnd, WM_CLOSE, 0, 0);
}

LRESULT OnCreate(HWND hwnd) {
  ventanaMensaje = hwnd;
  if (g.conEntrada) {
    // No ES_AUTOHSCROLL: typing stops when the field is full.
    g.entrada = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, Esc(kXEntrada), Esc(kYEntrada),
                                Esc(kAnchoEntrada), Esc(kAltoEntrada), hwnd,
                                reinterpret_cast<HMENU>(INT_PTR{kIdMensajeEntrada}), arranque.instancia, nullptr);
    // The system font at the designed dots per inch; elsewhere it grows
    // with the screen and would not fit, so the shared face at the field's
    // scale.
    g.fuenteEntrada = arranque.dpi != kDpiDiseño ? ObjetoGDI<HFONT>(CrearFuente(Esc(kAltoEntrada - 6), FW_NORMAL))
                                                 : ObjetoGDI<HFONT>();
    SendMessageA(g.entrada, WM_SETFONT, reinterpret_cast<WPARAM>(g.fuenteEntrada.Get()), FALSE);
    SendMessageA(g.entrada, EM_LIMITTEXT, kLargoEntrada, 0);
    SetFocus(g.entrada);
  }
  // The caption goes into the background once; the same canvas then holds OK.
  g.imagenAceptar.reset(new (std::nothrow) ControlDC);
  if (g.imagenAceptar && CargarInterfaz(*g.imagenAceptar, kImagenTitulo + static_cast<uint32_t>(idioma))) {
    const HIMAGE fondo = ImagenDe(g.fondo), titulo = g.imagenAceptar->Imagen();
    const Punto t = g.imagenAceptar->Tamaño();
    if (CabeEnFondo(titulo, fondo))
      TransferirHIMAGE(fondo, Esc(kXTitulo), Esc(kYTitulo), t.x, t.y, titulo, 0, 0, ROP_SRCCOPY);
  }
  if (g.imagenAceptar) CargarInterfaz(*g.imagenAceptar, kImagenAceptar);
  g.botonAceptar = CrearBoton(hwnd, Esc(kXAceptar), Esc(kYAceptar), kIdMensajeAceptar, ImagenDe(g.imagenAceptar));
  if (g.respuesta) {
    g.imagenCancelar.reset(new (std::nothrow) ControlDC);
    if (g.imagenCancelar) CargarInterfaz(*g.imagenCancelar, kImagenCancelar);
    g.botonCancelar =
        CrearBoton(hwnd, Esc(kXCancelar), Esc(kYCancelar), kIdMensajeCancelar, ImagenDe(g.imagenCancelar));
  }
  g.aceptado = false;
  return 0;
}

// The text and its list, in UTF-8 for the names the list may hold.
std::string TextoConLista() {
  wchar_t texto[kLargoTexto] = L"";
  if (LoadStringW(arranque.instancia, static_cast<UINT>(g.textoBase + idioma), texto, kLargoTexto) == 0)
    LoadStringW(arranque.instancia, static_cast<UINT>(g.textoBase + 1), texto, kLargoTexto);
  return Utf8DeAncha(texto) + "\n" + g.lista;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  // Without its picture the box is a plain black fill.
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.fondo), ROP_SRCCOPY);
  if (!g.lista.empty()) {
    EscribirTextoUtf8(p.Hdc(), TextoConLista().c_str(), kFuenteComun, 400, Esc(kAltoFuente), kColorTextoComun, false,
                      0, 0, Esc(kXTexto), Esc(kYTexto), Esc(kAnchoTexto), Esc(kAltoTexto));
    return 0;
  }
  EscribirTextoJustificado(p.Hdc(), g.texto, kFuenteComun, 400, Esc(kAltoFuente), kColorTextoComun, false, 0, 0,
                           Esc(kXTexto), Esc(kYTexto), Esc(kAnchoTexto), Esc(kAltoTexto));
  return 0;
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (codigo != kNotifActivado) return 0;
  if (control == g.botonAceptar) Responder(hwnd, true);
  if (control == g.botonCancelar) Responder(hwnd, false);
  return 0;
}

// Also the characters typed into the input field, offered here first by
// the message loop: 1 keeps one from the field.
LRESULT OnCaracter(HWND hwnd, WPARAM tecla) {
  switch (tecla) {
    case VK_RETURN: Responder(hwnd, true); return 1;
    case VK_ESCAPE: Responder(hwnd, false); return 1;
    default: return 0;
  }
}

// The children still exist here; the field's text is kept for the callback.
LRESULT OnDestroy(HWND) {
  if (g.entrada) {
    const int32_t largo = std::clamp(GetWindowTextLengthA(g.entrada), 0, kCadenaMaxima);
    std::string texto(static_cast<size_t>(largo) + 1, '\0');
    texto.resize(static_cast<size_t>(std::max(0, GetWindowTextA(g.entrada, texto.data(), largo + 1))));
    g.textoEntrada = std::move(texto);
  }
  return 0;
}

// The children are gone by now, so their pictures can go.
void OnNcDestroy() {
  ventanaMensaje = nullptr;
  Cerrado();
}

// The pictures reach the screen through DrawDib, which realises their
// palette at every draw: a repaint is all the box needs.
LRESULT OnPaleta(HWND hwnd) {
  for (HWND boton : {g.botonAceptar, g.botonCancelar})
    if (boton) SendMessageA(boton, WM_QUERYNEWPALETTE, 0, 0);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT CALLBACK ProcMensaje(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CHAR: return OnCaracter(hwnd, wParam);
    case kMensajeCaracterHijo: return OnCaracter(hwnd, wParam);
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_QUERYNEWPALETTE: return OnPaleta(hwnd);
    case WM_PALETTECHANGED: return reinterpret_cast<HWND>(wParam) == hwnd ? 0 : OnPaleta(hwnd);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarMensaje(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcMensaje, .estilo = CS_OWNDC});
}

namespace {

bool Abrir(int32_t textoBase, HWND padre, RespuestaMensaje respuesta, bool conEntrada, const std::string& lista) {
  // A second box would overwrite the first one's state, answer and callback.
  if (g.fase != Fase::cerrado) return false;
  g.textoBase = textoBase;
  g.lista = lista;
  g.fondo.reset(new (std::nothrow) ControlDC);
  // Without picture 148 the box takes the smallest size the picture may have.
  const Punto tamaño =
      g.fondo && CargarInterfaz(*g.fondo, kImagenFondo) ? g.fondo->Tamaño() : Esc(Punto{kAnchoMinimo, kAltoMinimo});
  CargarTexto(textoBase);
  g.padre = padre;
  g.conEntrada = conEntrada;
  g.respuesta = respuesta;
  g.textoEntrada.clear();
  g.aceptado = g.decidido = false;
  g.fase = Fase::abierto;
  HWND hwnd = g.ciclo.CrearCentrado(kClase, tamaño.x, tamaño.y, padre);
  // A box that never came answers as if closed at once.
  if (!hwnd && g.fase == Fase::abierto) Cerrado();
  return true;
}

}  // namespace

bool MostrarMensaje(int32_t textoBase, HWND padre, RespuestaMensaje respuesta, bool conEntrada) {
  return Abrir(textoBase, padre, respuesta, conEntrada, {});
}

bool MostrarAvisoLista(int32_t textoBase, const std::string& lista, HWND padre) {
  return Abrir(textoBase, padre, nullptr, false, lista);
}

bool MostrarAviso(int32_t textoBase, HWND padre, void (*despues)()) {
  if (!MostrarMensaje(textoBase, padre, nullptr, false)) return false;
  // Run with the answer, from the loop, once the box has gone.
  g.despues = despues;
  return true;
}

const char* TextoMensaje() { return g.texto; }
const std::string& ListaMensaje() { return g.lista; }
