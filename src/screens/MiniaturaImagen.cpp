// CWNDPREVFS: a picture thumbnail of the new-puzzle window. Its record holds
// the scaled picture, its DrawDib context and whether it is pressed; which
// thumbnail is chosen is the new-puzzle window's business.
#include "MiniaturaImagen.h"

#include <windowsx.h>

#include <memory>

#include "ArchivoBMP.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "ImagenEscalada.h"
#include "MenuNuevo.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDPREVFS";

struct Miniatura {
  ImagenEscalada imagen;
  ContextoDrawDib drawDib;
  bool presionada = false;
};

// The 2-pixel black frame, shared by every thumbnail alive.
ObjetoGDI<HPEN> g_pluma;
int g_vivas = 0;

Miniatura* De(HWND hwnd) { return reinterpret_cast<Miniatura*>(GetWindowLongPtrA(hwnd, 0)); }
int Indice(HWND hwnd) { return GetDlgCtrlID(hwnd) - kIdMiniatura; }

// Where the picture lies, centred in the window.
RECT Rectangulo(const Miniatura& m) {
  const Punto t = m.imagen.Tamaño();
  const int x = (kAnchoMiniatura - t.x) / 2, y = (kAltoMiniatura - t.y) / 2;
  return {x, y, x + t.x, y + t.y};
}

LRESULT OnCreate(HWND hwnd) {
  auto* m = new (std::nothrow) Miniatura();
  if (!m) return -1;
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(m));
  if (g_vivas++ == 0) g_pluma = ObjetoGDI<HPEN>(CreatePen(PS_SOLID, 2, RGB(0, 0, 0)));
  return 0;
}

void OnNcDestroy(HWND hwnd) {
  delete De(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
  if (--g_vivas == 0) g_pluma = ObjetoGDI<HPEN>();
}

void OnLButtonDown(HWND hwnd, Miniatura& m) {
  if (m.imagen.Vacia() || m.presionada) return;
  SetCapture(hwnd);
  m.presionada = true;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void OnLButtonUp(HWND hwnd, Miniatura& m, LPARAM lParam) {
  if (!m.presionada) return;
  SonarClic();
  m.presionada = false;
  if (GetCapture() == hwnd) ReleaseCapture();
  InvalidateRect(hwnd, nullptr, FALSE);
  // Unsigned: points left of or above the window are outside too.
  if (LOWORD(lParam) < kAnchoMiniatura && HIWORD(lParam) < kAltoMiniatura) ElegirMiniatura(Indice(hwnd));
}

// Another window took the mouse during a press: only the press frame goes.
void OnCaptureChanged(HWND hwnd, Miniatura& m, HWND nueva) {
  if (!m.presionada || nueva == hwnd) return;
  m.presionada = false;
  InvalidateRect(hwnd, nullptr, FALSE);
}

void OnPaint(HWND hwnd, Miniatura& m) {
  Pintura pintura(hwnd);
  const HDC hdc = pintura.Hdc();
  if (!m.imagen.Vacia()) {
    const RECT r = Rectangulo(m);
    const Punto t = m.imagen.Tamaño();
    DibujarEscalada(m.drawDib.Get(), hdc, m.imagen, r.left, r.top, t.x, t.y);
    const bool marco = m.presionada || MiniaturaElegida(Indice(hwnd));
    if (marco) {
      Seleccion pluma(hdc, g_pluma.Get());
      Seleccion pincel(hdc, GetStockObject(NULL_BRUSH));
      Rectangle(hdc, r.left - 1, r.top - 1, r.right + 1, r.bottom + 1);
    }
    const int margen = marco ? 2 : 0;
    ExcludeClipRect(hdc, r.left - margen, r.top - margen, r.right + margen, r.bottom + margen);
  }
  // The rest shows the new-puzzle window's background under the thumbnail.
  RECT lugar;
  GetWindowRect(hwnd, &lugar);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&lugar), 1);
  const RECT& p = pintura.Rect();
  DibujarHIMAGE(hdc, p.left, p.top, p.right - p.left, p.bottom - p.top, FondoMenuNuevo(), lugar.left + p.left,
                lugar.top + p.top, ROP_SRCCOPY);
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
    case WM_LBUTTONDBLCLK: if (!m->imagen.Vacia()) VerImagenElegida(); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(hwnd, *m, reinterpret_cast<HWND>(lParam)); return 0;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarMiniaturas(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_DBLCLKS;
  clase.lpfnWndProc = ProcMiniatura;
  clase.cbWndExtra = 16;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

HWND CrearMiniatura(HWND padre, int indice) {
  return CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE, 106 + 89 * indice, 88, kAnchoMiniatura, kAltoMiniatura,
                         padre, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdMiniatura + indice)),
                         arranque.instancia, nullptr);
}

void CargarMiniatura(HWND miniatura, const char* ruta) {
  Miniatura* m = De(miniatura);
  if (!m) return;
  m->imagen.Vaciar();
  m->presionada = false;
  ArchivoBMP archivo;
  if (ruta && archivo.Abrir(ruta)) {
    const Punto t = archivo.Tamaño();
    m->imagen.LeerSuavizada(archivo, PictureThumbnailSize(t.x, t.y));
  }
  InvalidateRect(miniatura, nullptr, FALSE);
}

bool MiniaturaVacia(HWND miniatura) {
  const Miniatura* m = De(miniatura);
  return !m || m->imagen.Vacia();
}
