// CWNDOPCIONES: created hidden by the main window and shown by the options
// bar; shows the help, magnifier, open, save, language and exit buttons.
#include "Opciones.h"

#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplegable.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "Operaciones.h"
#include "Peticiones.h"
#include "Puzzle.h"

namespace {

constexpr char kClase[] = "CWNDOPCIONES";
constexpr int kLado = 103;  // the window's height and its tile
constexpr int kAyuda = 0, kLupa = 1, kAbrir = 2, kGuardar = 3, kIdioma = 4, kSalir = 5;
constexpr int kBotones = 6;
constexpr uint32_t kImagenes[kBotones] = {115, 126, 118, 116, 121, 128};
constexpr int kPreguntaSalir = 80;  // "this game has been changed: leave it?"

Desplegable g_desplegable(123, kLado, kLado);

// The background comes up from below, a pixel at a time.
void Deslizar(HDC hdc) {
  const HIMAGE fondo = g_desplegable.Fondo();
  if (!fondo) return;
  for (int y = kLado; y >= 0; --y)
    for (int x = 0; x < arranque.anchoPantalla; x += kLado) DibujarHIMAGE(hdc, x, y, kLado, kLado, fondo, 0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g_desplegable.Crear(hwnd);
  for (int k = 0; k < kBotones; ++k)
    g_desplegable.AgregarBoton((k + 1) * arranque.anchoPantalla / (kBotones + 1) - 35, 27, kImagenes[k]);
  return 0;
}

// Leaving a changed game for another one: it is kept as the autosave too,
// and stays on the table until another game has really been opened.
void RespuestaAbrir(bool salir, const char*) {
  if (!salir) return;
  Juego().GuardarAutomatico();
  Juego().AbrirVentanaArchivo(kArchivoAbrir);
}

void AbrirPartida() {
  if (puzzle.Exists() && puzzle.modified)
    MostrarMensaje(kPreguntaSalir, ventanaPrincipal, RespuestaAbrir, false);
  else
    Juego().AbrirVentanaArchivo(kArchivoAbrir);
}

void OnClic(int boton) {
  switch (boton) {
    case kSalir:
      // Posted: the button that asked is destroyed with the main window.
      PostMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
      break;
    case kAyuda:
      AbrirAyuda();
      break;
    case kAbrir:
      AbrirPartida();
      break;
    case kGuardar:
      Juego().AbrirVentanaArchivo(kArchivoGuardar);
      break;
    case kIdioma:
      Juego().AbrirCambioIdioma();
      break;
    case kLupa:
      if (HWND lupa = VentanaLupa()) IsWindowVisible(lupa) ? OcultarVentana(lupa) : MostrarFlotante(lupa, false);
      break;
    default:
      break;
  }
}

LRESULT OnNotificacion(int codigo, HWND control) {
  g_desplegable.Notificar(control, codigo, OnClic);
  return 0;
}

LRESULT CALLBACK ProcOpciones(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: g_desplegable.Destruir(); return 0;
    case WM_PAINT: g_desplegable.Pintar(); return 0;
    case WM_TIMER: g_desplegable.Revisar(arranque.anchoPantalla, kLado); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarOpciones(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcOpciones); }

void CrearOpciones(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, arranque.altoPantalla - kLado, arranque.anchoPantalla,
                  kLado, principal, nullptr, arranque.instancia, nullptr);
}

HWND VentanaOpciones() { return g_desplegable.Ventana(); }

void AbrirOpciones() { g_desplegable.Abrir(Deslizar); }

HWND BotonOpcion(int indice) { return g_desplegable.Boton(indice); }
