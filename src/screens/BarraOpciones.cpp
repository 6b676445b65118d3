// CWNDBARRAOPC: created by the main window, lives as long as it; shows the
// wooden strip and the "options" tab, and opens the options window.
#include "BarraOpciones.h"

#include "Desplegable.h"
#include "Globales.h"
#include "Opciones.h"

namespace {

constexpr char kClase[] = "CWNDBARRAOPC";
constexpr int kAlto = 25, kAnchoEtiqueta = 104;

BarraDesplegable g_barra(105, 2120, 103, kAlto, AbrirOpciones);

LRESULT CALLBACK ProcBarra(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_barra.Procesar(hwnd, msg, wParam, lParam, Esc((AnchoPantallaDiseño() - kAnchoEtiqueta) / 2), 0);
}

}  // namespace

bool RegistrarBarraOpciones(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcBarra); }

void CrearBarraOpciones(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                  arranque.altoPantalla - Esc(kAlto), arranque.anchoPantalla, Esc(kAlto), principal, nullptr,
                  arranque.instancia, nullptr);
}

HWND VentanaBarraOpciones() { return g_barra.Ventana(); }

void CambiarIdiomaBarraOpciones() { g_barra.CambiarIdioma(); }
