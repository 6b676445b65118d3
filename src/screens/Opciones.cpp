// CWNDOPCIONES: created hidden by the main window and shown by the options
// bar; shows the help, magnifier, ghost, open, save, language and exit
// buttons.
#include "Opciones.h"

#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplegable.h"
#include "Globales.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "Operaciones.h"
#include "Peticiones.h"
#include "Puzzle.h"

namespace {

constexpr char kClase[] = "CWNDOPCIONES";
constexpr int kLado = 103;  // the window's height and its tile
constexpr int kBotones = 7;
constexpr uint32_t kImagenes[kBotones] = {115, 126, 133, 118, 116, 121, 128};
constexpr int kPreguntaSalir = 80;  // "this game has been changed: leave it?"
constexpr int32_t kTextoGlobos = 810;  // the buttons' tooltips

void CrearBotones(Desplegable& d) {
  for (int k = 0; k < kBotones; ++k)
    d.AgregarBoton(Esc((k + 1) * AnchoPantallaDiseño() / (kBotones + 1) - 35), Esc(27), kImagenes[k]);
}

// Leaving a changed game for another one: it is kept as the autosave too,
// and stays on the table until another game has really been opened.
void RespuestaAbrir(bool salir, const char*) {
  if (salir) Juego().GuardarAutomatico([] { Juego().AbrirVentanaArchivo(kArchivoAbrir); });
}

void AbrirPartida() {
  if (puzzle.Exists() && puzzle.modified)
    MostrarMensaje(kPreguntaSalir, ventanaPrincipal, RespuestaAbrir, false);
  else
    Juego().AbrirVentanaArchivo(kArchivoAbrir);
}

void OnClic(int boton) {
  switch (boton) {
    case kOpcionSalir:
      // Posted: the button that asked is destroyed with the main window.
      PostMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
      break;
    case kOpcionAyuda:
      AbrirAyuda();
      break;
    case kOpcionAbrir:
      AbrirPartida();
      break;
    case kOpcionGuardar:
      Juego().AbrirVentanaArchivo(kArchivoGuardar);
      break;
    case kOpcionIdioma:
      Juego().AbrirCambioIdioma();
      break;
    case kOpcionLupa:
      if (HWND lupa = VentanaLupa()) IsWindowVisible(lupa) ? OcultarFlotante(lupa) : MostrarFlotante(lupa, false);
      break;
    case kOpcionFantasma:
      Juego().CambiarFantasma();
      break;
    default:
      break;
  }
}

// The background comes up from below.
Desplegable g_desplegable({123, kLado, kLado, 0, kLado, CrearBotones, OnClic, kTextoGlobos});

LRESULT CALLBACK ProcOpciones(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_desplegable.Procesar(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegistrarOpciones(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcOpciones); }

void CrearOpciones(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, arranque.altoPantalla - Esc(kLado),
                  arranque.anchoPantalla, Esc(kLado), principal, nullptr, arranque.instancia, nullptr);
}

HWND VentanaOpciones() { return g_desplegable.Ventana(); }

void AbrirOpciones() { g_desplegable.Abrir(); }

bool OpcionesDeslizando() { return g_desplegable.Deslizando(); }

HWND BotonOpcion(int indice) { return g_desplegable.Boton(indice); }

void AccionOpcion(int boton) { OnClic(boton); }
