// CWNDIMAGECANT: created by the new-puzzle window (CrearSelectorCantidad),
// shown on its count page; the thumbnail under an inverted cutting grid.
#include "SelectorCantidad.h"

#include <windowsx.h>

#include "ArchivoBMP.h"
#include "ArrastreSelector.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"
#include "Puzzle.h"
#include "DibujoHIMAGE.h"
#include "ImagenEscalada.h"

namespace {

constexpr char kClase[] = "CWNDIMAGECANT";
constexpr DWORD kEstilo = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

HWND g_ventana = nullptr;
HIMAGE g_fondo = nullptr;
// The thumbnail, read at the interface's scale from the picture itself.
ImagenEscalada g_miniatura;
Punto g_desplazamiento;  // the thumbnail's corner in the chooser
ContextoDrawDib g_drawDib(nullptr);

// From the piece size at the press; the press point from the thumbnail's
// corner.
ArrastreSelector<int32_t> g_arrastre;

bool ConImagen() { return imagenActual.Abierto() && !g_miniatura.Vacia(); }

// The grid inverts what lies under it, so it shows on any picture; its
// lines are a designed pixel wide. Pieces too small to tell apart there are
// shown in blocks, so the picture still shows through.
constexpr int32_t kSeparacionRejilla = 5;  // designed pixels between drawn lines

void DibujarRejilla(HDC hdc, Punto t) {
  const Punto o = g_desplazamiento;
  const int32_t grueso = Esc(1);
  const int32_t paso = CountGridStep(t, puzzle.cols, puzzle.rows, Esc(kSeparacionRejilla));
  for (int32_t i = paso; i < puzzle.cols; i += paso) {
    const int32_t x = o.x + static_cast<int32_t>(static_cast<int64_t>(i) * t.x / puzzle.cols);
    PatBlt(hdc, x, o.y, grueso, t.y, DSTINVERT);
  }
  for (int32_t i = paso; i < puzzle.rows; i += paso) {
    const int32_t y = o.y + static_cast<int32_t>(static_cast<int64_t>(i) * t.y / puzzle.rows);
    PatBlt(hdc, o.x, y, t.x, grueso, DSTINVERT);
  }
}

LRESULT OnCreate() {
  g_miniatura.Vaciar();
  g_drawDib = ContextoDrawDib();
  g_arrastre = {};
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  const HDC hdc = pintura.Hdc();
  const RECT& r = pintura.Rect();
  if (ConImagen()) {
    const Punto t = g_miniatura.Tamaño(), o = g_desplazamiento;
    DibujarEscalada(g_drawDib.Get(), hdc, g_miniatura, o.x, o.y, t.x, t.y);
    DibujarRejilla(hdc, t);
    ExcludeClipRect(hdc, o.x, o.y, o.x + t.x, o.y + t.y);
  }
  if (g_fondo) {
    DibujarHIMAGE(hdc, r.left, r.top, r.right - r.left, r.bottom - r.top, g_fondo, r.left + Esc(kChooserX),
                  r.top + Esc(kChooserY), ROP_SRCCOPY);
  } else {
    FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, int x, int y) {
  if (!ConImagen() || g_arrastre.Activo()) return 0;
  const Punto t = g_miniatura.Tamaño();
  const Punto p{x - g_desplazamiento.x, y - g_desplazamiento.y};
  if (p.x < 0 || p.x > t.x || p.y < 0 || p.y > t.y) return 0;
  g_arrastre.Presionar(hwnd, p, newPuzzle.pieceSize);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, int x, int y) {
  if (!g_arrastre.Activo() || !ConImagen()) return 0;
  const Punto o = g_desplazamiento, p = g_arrastre.Presion();
  // The drag is measured in designed pixels, as the thumbnail's size is.
  if (!ApplyCountDrag(g_arrastre.Origen(), Diseño({x - o.x - p.x, y - o.y - p.y}), newPuzzle.thumbnail)) return 0;
  InvalidateRect(hwnd, nullptr, FALSE);
  NotificarPadre(hwnd, 0);
  return 0;
}

LRESULT OnDestroy(HWND hwnd) {
  g_arrastre.Destruida(hwnd);
  g_miniatura.Vaciar();
  g_drawDib.Cerrar();
  g_fondo = nullptr;
  g_ventana = nullptr;
  return 0;
}

LRESULT CALLBACK ProcSelectorCantidad(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_LBUTTONUP: g_arrastre.Soltar(hwnd); return 0;
    case WM_CAPTURECHANGED: g_arrastre.CapturaPerdida(hwnd, reinterpret_cast<HWND>(lParam)); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_DESTROY: return OnDestroy(hwnd);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarSelectorCantidad(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcSelectorCantidad, .cursor = arranque.cursorSelector});
}

HWND CrearSelectorCantidad(HWND padre, HIMAGE fondo) {
  g_fondo = fondo;
  g_ventana = CreateWindowExA(0, kClase, "", kEstilo, Esc(kChooserX), Esc(kChooserY), Esc(kChooserW), Esc(kChooserH),
                              padre, nullptr, arranque.instancia, nullptr);
  if (!g_ventana) g_fondo = nullptr;
  return g_ventana;
}

HWND VentanaSelectorCantidad() { return g_ventana; }

void TomarImagenSelectorCantidad() {
  g_miniatura.Vaciar();
  if (imagenActual.Abierto() && g_miniatura.LeerSuavizada(imagenActual, Esc(newPuzzle.thumbnail)))
    g_desplazamiento = Esc(ThumbnailOffset(newPuzzle.thumbnail));
  RepintarSelectorCantidad();
}

void RepintarSelectorCantidad() {
  if (g_ventana) InvalidateRect(g_ventana, nullptr, FALSE);
}

void PonerCursorSelector(HWND selector, bool arrastrando, bool actual) {
  const HCURSOR cursor = arrastrando ? arranque.cursorSelectorArrastre : arranque.cursorSelector;
  SetClassLongPtrA(selector, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
  if (actual) SetCursor(cursor);
}
