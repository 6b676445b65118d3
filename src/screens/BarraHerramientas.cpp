// CWNDBARRAHER: created by the main window, lives as long as it; shows the
// wooden strip and the "tools" tab, and opens the tools window.
#include "BarraHerramientas.h"

#include <memory>

#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "Herramientas.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDBARRAHER";
constexpr int kY = 78;
constexpr int kAncho = 25, kAltoTesela = 139, kAltoEtiqueta = 140;

HWND g_barra = nullptr;
HWND g_etiqueta = nullptr;
std::unique_ptr<ControlDC> g_fondo, g_imgEtiqueta;

LRESULT OnCreate(HWND hwnd) {
  g_fondo = CargarImagenArchivo(104);
  g_imgEtiqueta = CargarImagenArchivo(2110 + static_cast<uint32_t>(idioma));
  // Centred on the screen, not on the bar.
  g_etiqueta = CrearControl("COVANIM", hwnd, 0, (altoPantalla - kAltoEtiqueta) / 2 - kY, 0, ImagenDe(g_imgEtiqueta));
  return 0;
}

LRESULT OnDestroy() {
  g_imgEtiqueta.reset();
  g_fondo.reset();
  g_barra = nullptr;
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(g_fondo), kAncho, kAltoTesela);
  return 0;
}

LRESULT OnNotificacion(int codigo, HWND control) {
  if (control == g_etiqueta && codigo == kNotifEntro) AbrirHerramientas();
  return 0;
}

LRESULT CALLBACK ProcBarra(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_MOUSEMOVE: AbrirHerramientas(); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarBarraHerramientas(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = ProcBarra;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

void CrearBarraHerramientas(HWND principal) {
  g_barra = CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, kY, kAncho,
                            altoPantalla - 103, principal, nullptr, instanciaPrograma, nullptr);
}

HWND VentanaBarraHerramientas() { return g_barra; }
