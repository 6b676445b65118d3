#include "Miniatura.h"

#include "Controles.h"
#include "ObjetosGDI.h"

namespace {

// The black frame, 2 designed pixels wide, shared by every thumbnail alive.
ObjetoGDI<HPEN> g_pluma;
int g_vivas = 0;

// The record's pointer is all the extra bytes hold.
constexpr int kIndiceRegistro = 0;
constexpr int kBytesExtra = sizeof(Miniatura*);

int Indice(const TipoMiniatura& tipo, HWND hwnd) { return GetDlgCtrlID(hwnd) - tipo.idPrimera; }

}  // namespace

class ProcesoMiniatura {
 public:
  static LRESULT OnCreate(const TipoMiniatura& tipo, HWND hwnd) {
    Miniatura* m = tipo.crear();
    if (!m) return -1;
    SetWindowLongPtrA(hwnd, kIndiceRegistro, reinterpret_cast<LONG_PTR>(m));
    if (g_vivas++ == 0) g_pluma = ObjetoGDI<HPEN>(CreatePen(PS_SOLID, Esc(2), RGB(0, 0, 0)));
    return 0;
  }

  static void OnNcDestroy(HWND hwnd) {
    delete MiniaturaDe(hwnd);
    SetWindowLongPtrA(hwnd, kIndiceRegistro, 0);
    if (--g_vivas == 0) g_pluma = ObjetoGDI<HPEN>();
  }

  static void OnPaint(const TipoMiniatura& tipo, HWND hwnd, Miniatura& m) {
    Pintura pintura(hwnd);
    const HDC hdc = pintura.Hdc();
    if (Punto t; m.Tamaño(&t)) {
      const int x = Centrar(Esc(tipo.ancho), t.x), y = Centrar(Esc(tipo.alto), t.y);
      m.Dibujar(hdc, x, y);
      const bool marco = m.presionada_ || tipo.elegida(Indice(tipo, hwnd));
      if (marco) {
        const int u = Esc(1);
        const POINT p[5] = {{x - u, y - u}, {x + t.x + u, y - u}, {x + t.x + u, y + t.y + u}, {x - u, y + t.y + u},
                            {x - u, y - u}};
        Seleccion pluma(hdc, g_pluma.Get());
        Polyline(hdc, p, 5);
      }
      const int margen = marco ? Esc(2) : 0;
      ExcludeClipRect(hdc, x - margen, y - margen, x + t.x + margen, y + t.y + margen);
    }
    RECT lugar;
    GetWindowRect(hwnd, &lugar);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&lugar), 1);
    tipo.fondo(hdc, pintura.Rect(), lugar.left, lugar.top);
  }

  static void OnLButtonDown(HWND hwnd, Miniatura& m) {
    if (Punto t; !m.Tamaño(&t) || m.presionada_) return;
    SetCapture(hwnd);
    m.presionada_ = true;
    InvalidateRect(hwnd, nullptr, FALSE);
  }

  static void OnLButtonUp(const TipoMiniatura& tipo, HWND hwnd, Miniatura& m, LPARAM lParam) {
    if (!m.presionada_) return;
    if (tipo.sonarClic) SonarClic();
    m.presionada_ = false;
    SoltarCaptura(hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    // Unsigned: points left of or above the window are outside too.
    if (LOWORD(lParam) < Esc(tipo.ancho) && HIWORD(lParam) < Esc(tipo.alto)) tipo.elegir(Indice(tipo, hwnd));
  }

  // Another window took the mouse during a press: only the press frame goes.
  static void OnCaptureChanged(HWND hwnd, Miniatura& m, HWND nueva) {
    if (!m.presionada_ || nueva == hwnd) return;
    m.presionada_ = false;
    InvalidateRect(hwnd, nullptr, FALSE);
  }

  static void Renovar(HWND hwnd, Miniatura& m) {
    if (m.presionada_) {
      m.presionada_ = false;
      SoltarCaptura(hwnd);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
  }
};

Miniatura* MiniaturaDe(HWND hwnd) {
  return hwnd ? reinterpret_cast<Miniatura*>(GetWindowLongPtrA(hwnd, kIndiceRegistro)) : nullptr;
}

void RenovarMiniatura(HWND hwnd) {
  if (Miniatura* m = MiniaturaDe(hwnd)) ProcesoMiniatura::Renovar(hwnd, *m);
}

bool RegistrarClaseMiniatura(HINSTANCE instancia, const char* clase, WNDPROC procedimiento) {
  return RegistrarClase(instancia,
                        {.nombre = clase, .procedimiento = procedimiento, .estilo = CS_DBLCLKS, .bytesExtra = kBytesExtra});
}

LRESULT ProcesarMiniatura(const TipoMiniatura& tipo, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return ProcesoMiniatura::OnCreate(tipo, hwnd);
  Miniatura* m = MiniaturaDe(hwnd);
  if (!m) return DefWindowProcA(hwnd, msg, wParam, lParam);
  Punto t;
  switch (msg) {
    case WM_NCDESTROY: ProcesoMiniatura::OnNcDestroy(hwnd); return 0;
    case WM_PAINT: ProcesoMiniatura::OnPaint(tipo, hwnd, *m); return 0;
    case WM_LBUTTONDOWN: ProcesoMiniatura::OnLButtonDown(hwnd, *m); return 0;
    case WM_LBUTTONUP: ProcesoMiniatura::OnLButtonUp(tipo, hwnd, *m, lParam); return 0;
    case WM_LBUTTONDBLCLK: if (m->Tamaño(&t)) tipo.dobleClic(); return 0;
    case WM_CAPTURECHANGED:
      ProcesoMiniatura::OnCaptureChanged(hwnd, *m, reinterpret_cast<HWND>(lParam));
      return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}
