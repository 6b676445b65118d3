// CWNDPREVFILE: made by the puzzle-file window, four of them, and destroyed
// with it. Its record holds the thumbnail and whether it is pressed; which
// file is selected is the file window's business.
#include "MiniaturaArchivo.h"

#include <new>
#include <utility>

#include "ComunVentanas.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "VentanaArchivo.h"

namespace {

constexpr char kClase[] = "CWNDPREVFILE";

struct Miniatura {
  BloqueHIMAGE imagen;
  bool presionada = false;
};

// The frame's pen and the DrawDib context all slots draw with. The last
// slot to go releases them: the others may still paint after the first.
ObjetoGDI<HPEN> g_pluma;
ContextoDrawDib g_drawDib{nullptr};
int g_vivas = 0;

Miniatura* De(HWND hwnd) { return reinterpret_cast<Miniatura*>(GetWindowLongPtrA(hwnd, 0)); }
int Indice(HWND hwnd) { return GetDlgCtrlID(hwnd) - kIdMiniaturaArchivo; }

// Where the thumbnail lies, unscaled and centred.
RECT Rectangulo(HIMAGE imagen) {
  const int x = (kAnchoMiniaturaArchivo - imagen->biWidth) / 2, y = (kAltoMiniaturaArchivo - imagen->biHeight) / 2;
  return {x, y, x + imagen->biWidth, y + imagen->biHeight};
}

LRESULT OnCreate(HWND hwnd) {
  auto* m = new (std::nothrow) Miniatura();
  if (!m) return -1;
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(m));
  if (g_vivas++ == 0) {
    g_pluma = ObjetoGDI<HPEN>(CreatePen(PS_SOLID, 2, kColorTextoComun));
    g_drawDib = ContextoDrawDib();
  }
  return 0;
}

void OnNcDestroy(HWND hwnd) {
  delete De(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
  if (--g_vivas == 0) {
    g_pluma = ObjetoGDI<HPEN>();
    g_drawDib.Cerrar();
  }
}

void OnPaint(HWND hwnd, const Miniatura& m) {
  Pintura pintura(hwnd);
  const HDC hdc = pintura.Hdc();
  if (const HIMAGE imagen = m.imagen.Get()) {
    const RECT r = Rectangulo(imagen);
    DrawDibDraw(g_drawDib.Get(), hdc, r.left, r.top, imagen->biWidth, imagen->biHeight,
                reinterpret_cast<BITMAPINFOHEADER*>(imagen), PixelesHIMAGE(imagen), 0, 0, imagen->biWidth,
                imagen->biHeight, 0);
    const bool marco = m.presionada || MiniaturaArchivoElegida(Indice(hwnd));
    if (marco) {
      const POINT p[5] = {{r.left - 1, r.top - 1},
                          {r.right + 1, r.top - 1},
                          {r.right + 1, r.bottom + 1},
                          {r.left - 1, r.bottom + 1},
                          {r.left - 1, r.top - 1}};
      Seleccion pluma(hdc, g_pluma.Get());
      Polyline(hdc, p, 5);
    }
    const int margen = marco ? 2 : 0;
    ExcludeClipRect(hdc, r.left - margen, r.top - margen, r.right + margen, r.bottom + margen);
  }
  // The rest shows the file window's background under the slot.
  RECT lugar;
  GetWindowRect(hwnd, &lugar);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&lugar), 1);
  PintarFondoArchivo(hdc, pintura.Rect(), lugar.left, lugar.top);
}

void OnLButtonDown(HWND hwnd, Miniatura& m) {
  if (!m.imagen || m.presionada) return;
  SetCapture(hwnd);
  m.presionada = true;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void OnLButtonUp(HWND hwnd, Miniatura& m, LPARAM lParam) {
  if (!m.presionada) return;
  m.presionada = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  InvalidateRect(hwnd, nullptr, FALSE);
  // Unsigned: points left of or above the slot are outside too.
  if (LOWORD(lParam) < kAnchoMiniaturaArchivo && HIWORD(lParam) < kAltoMiniaturaArchivo)
    ElegirMiniaturaArchivo(Indice(hwnd));
}

// Another window took the mouse during a press: only the press frame goes.
void OnCaptureChanged(HWND hwnd, Miniatura& m, HWND nueva) {
  if (!m.presionada || nueva == hwnd) return;
  m.presionada = false;
  InvalidateRect(hwnd, nullptr, FALSE);
}

// Accepting may destroy this slot with its window: nothing of it is
// touched afterwards.
void OnDoubleClick(const Miniatura& m) {
  if (m.imagen) AceptarVentanaArchivo();
}

LRESULT CALLBACK ProcMiniatura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return OnCreate(hwnd);
  Miniatura* m = De(hwnd);
  if (!m) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_NCDESTROY: OnNcDestroy(hwnd); return 0;
    case WM_PAINT: OnPaint(hwnd, *m); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(hwnd, *m); return 0;
    case WM_LBUTTONUP: OnLButtonUp(hwnd, *m, lParam); return 0;
    case WM_LBUTTONDBLCLK: OnDoubleClick(*m); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(hwnd, *m, reinterpret_cast<HWND>(lParam)); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarMiniaturasArchivo(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_DBLCLKS;
  clase.lpfnWndProc = ProcMiniatura;
  clase.cbWndExtra = 8;  // the record
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

HWND CrearMiniaturaArchivo(HWND padre, int indice) {
  return CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 111 * indice + 6, 108,
                         kAnchoMiniaturaArchivo, kAltoMiniaturaArchivo, padre,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdMiniaturaArchivo + indice)),
                         arranque.instancia, nullptr);
}

void PonerMiniaturaArchivo(HWND miniatura, HIMAGE imagen) {
  BloqueHIMAGE bloque(imagen);
  Miniatura* m = miniatura ? De(miniatura) : nullptr;
  if (!m) return;
  m->imagen = std::move(bloque);
  if (m->presionada) {
    m->presionada = false;
    if (GetCapture() == miniatura) ReleaseCapture();
  }
  InvalidateRect(miniatura, nullptr, FALSE);
}

bool MiniaturaArchivoVacia(HWND miniatura) {
  const Miniatura* m = miniatura ? De(miniatura) : nullptr;
  return !m || !m->imagen;
}
