// CWNDBARRAHER: created by the main window, lives as long as it; shows the
// wooden strip and the "tools" tab, and opens the tools window.
#include "BarraHerramientas.h"

#include "Desplegable.h"
#include "Globales.h"
#include "Herramientas.h"

namespace {

constexpr char kClase[] = "CWNDBARRAHER";
constexpr int kY = kAltoTitulo;
constexpr int kAncho = 25, kAltoEtiqueta = 140;

BarraDesplegable g_barra(104, 2110, kAncho, 139, AbrirHerramientas);

LRESULT CALLBACK ProcBarra(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  // The tab is centred on the screen, not on the bar.
  return g_barra.Procesar(hwnd, msg, wParam, lParam, 0, Esc((AltoPantallaDiseño() - kAltoEtiqueta) / 2 - kY));
}

}  // namespace

bool RegistrarBarraHerramientas(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcBarra); }

void CrearBarraHerramientas(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, Esc(kY), Esc(kAncho),
                  arranque.altoPantalla - Esc(103), principal, nullptr, arranque.instancia, nullptr);
}

HWND VentanaBarraHerramientas() { return g_barra.Ventana(); }

void CambiarIdiomaBarraHerramientas() { g_barra.CambiarIdioma(); }
