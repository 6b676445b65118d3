// CWNDBACK: created by CrearVentanaPrincipal at the end of the intro; lives
// until the program ends. Shows black; its children make the play screen.
#include "VentanaPrincipal.h"

#include "Globales.h"

HWND ventanaPrincipal = nullptr;

namespace {

constexpr char kClase[] = "CWNDBACK";
constexpr DWORD kEstilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
static_assert(kEstilo == 0x93400000);

LRESULT OnCreate(HWND) { return 0; }

LRESULT OnDestroy(HWND) {
  ventanaPrincipal = nullptr;
  PostQuitMessage(0);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT OnPaletteChanged(HWND hwnd, HWND origen) {
  if (origen != hwnd) InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT CALLBACK ProcVentanaPrincipal(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_PALETTECHANGED: return OnPaletteChanged(hwnd, reinterpret_cast<HWND>(wParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarVentanaPrincipal(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = ProcVentanaPrincipal;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

void CrearVentanaPrincipal() {
  ventanaPrincipal = CreateWindowExA(0, kClase, "Tessera", kEstilo, 0, 0, 100, 100, nullptr, nullptr,
                                     instanciaPrograma, nullptr);
}
