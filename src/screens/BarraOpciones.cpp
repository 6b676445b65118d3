// CWNDBARRAOPC: created by the main window, lives as long as it; shows the
// wooden strip and the "options" tab, and opens the options window.
#include "BarraOpciones.h"

#include <memory>

#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "Opciones.h"

namespace {

constexpr char kClase[] = "CWNDBARRAOPC";
constexpr int kAlto = 25, kAnchoTesela = 103, kAnchoEtiqueta = 104;

HWND g_barra = nullptr;
HWND g_etiqueta = nullptr;
std::unique_ptr<ControlDC> g_fondo, g_imgEtiqueta;

LRESULT OnCreate(HWND hwnd) {
  g_fondo = CargarImagenArchivo(105);
  g_imgEtiqueta = CargarImagenArchivo(2120 + static_cast<uint32_t>(idioma));
  g_etiqueta = CrearControl("COVANIM", hwnd, (anchoPantalla - kAnchoEtiqueta) / 2, 0, 0, ImagenDe(g_imgEtiqueta));
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
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(g_fondo), kAnchoTesela, kAlto);
  return 0;
}

LRESULT OnNotificacion(int codigo, HWND control) {
  if (control == g_etiqueta && codigo == kNotifEntro) AbrirOpciones();
  return 0;
}

LRESULT CALLBACK ProcBarra(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_MOUSEMOVE: AbrirOpciones(); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarBarraOpciones(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = ProcBarra;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

void CrearBarraOpciones(HWND principal) {
  g_barra = CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                            altoPantalla - kAlto, anchoPantalla, kAlto, principal, nullptr, instanciaPrograma, nullptr);
}

HWND VentanaBarraOpciones() { return g_barra; }
