// CWNDIMAGETAM: created by the new-puzzle window (CrearSelectorTamano),
// shown on its size page; the picture at the chosen zoom on the table mosaic.
#include "SelectorTamano.h"

#include <windowsx.h>

#include <algorithm>

#include "ArchivoBMP.h"
#include "ArrastreSelector.h"
#include "ComunVentanas.h"
#include "Compositor.h"
#include "Controles.h"
#include "Globales.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"
#include "Puzzle.h"
#include "DibujoHIMAGE.h"
#include "ImagenEscalada.h"

namespace {

constexpr char kClase[] = "CWNDIMAGETAM";
constexpr DWORD kEstilo = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr int32_t kLadoMosaico = 100;  // the table mosaic's tile

HWND g_ventana = nullptr;
// The picture read once at the largest size the zoom can show, and that
// one averaged down to the size shown now.
ImagenEscalada g_fuente;
ImagenEscalada g_imagen;
ContextoDrawDib g_drawDib(nullptr);

// From the zoom at the press.
ArrastreSelector<double> g_arrastre;

bool ConImagen() { return imagenActual.Abierto() && !g_fuente.Vacia(); }

// The picture's size in the miniature at zoom `escala`, in screen pixels:
// the chooser's arithmetic is designed, the picture is read at the
// interface's scale from its own pixels.
Punto TamañoAlZoom(double escala) {
  const Punto t = newPuzzle.sizePicture;
  return Esc(Punto{std::max(static_cast<int32_t>(t.x * escala), 1), std::max(static_cast<int32_t>(t.y * escala), 1)});
}

// The picture at size `z`, made again when that has changed.
const ImagenEscalada& ImagenA(Punto z) {
  const Punto t = g_imagen.Tamaño();
  if ((t.x != z.x || t.y != z.y) && !g_imagen.Escalar(g_fuente, z)) return g_fuente;
  return g_imagen;
}

// The screen's table in a view zoomed out to show a larger puzzle whole:
// a frame a designed pixel wide, inverting what lies under it.
void DibujarMesa(HDC hdc, const RECT& mesa) {
  const int32_t g = Esc(1), ancho = mesa.right - mesa.left, alto = mesa.bottom - mesa.top;
  PatBlt(hdc, mesa.left, mesa.top, ancho, g, DSTINVERT);
  PatBlt(hdc, mesa.left, mesa.bottom - g, ancho, g, DSTINVERT);
  PatBlt(hdc, mesa.left, mesa.top + g, g, alto - 2 * g, DSTINVERT);
  PatBlt(hdc, mesa.right - g, mesa.top + g, g, alto - 2 * g, DSTINVERT);
}

LRESULT OnCreate() {
  g_fuente.Vaciar();
  g_imagen.Vaciar();
  g_drawDib = ContextoDrawDib();
  g_arrastre = {};
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  const HDC hdc = pintura.Hdc();
  DrawDibRealize(g_drawDib.Get(), hdc, TRUE);
  RECT cliente;
  GetClientRect(hwnd, &cliente);
  RECT mesa{};  // empty while the puzzle fits the screen's table
  if (ConImagen()) {
    const Punto z = TamañoAlZoom(puzzle.scale), c{cliente.right, cliente.bottom};
    const double vista = SizeChooserView(z, c);
    const int32_t ancho = std::max(static_cast<int32_t>(z.x * vista), 1);
    const int32_t alto = std::max(static_cast<int32_t>(z.y * vista), 1);
    const int32_t x = (c.x - ancho) / 2, y = (c.y - alto) / 2;
    DibujarEscalada(g_drawDib.Get(), hdc, ImagenA({ancho, alto}), x, y, ancho, alto);
    ExcludeClipRect(hdc, x, y, x + ancho, y + alto);
    if (vista < 1) {
      const int32_t mx = static_cast<int32_t>(c.x * vista), my = static_cast<int32_t>(c.y * vista);
      mesa = {(c.x - mx) / 2, (c.y - my) / 2, (c.x - mx) / 2 + mx, (c.y - my) / 2 + my};
    }
  }
  PintarMosaico(hdc, pintura.Rect(), MosaicoActual(), kLadoMosaico, kLadoMosaico);
  if (!IsRectEmpty(&mesa)) {
    SelectClipRgn(hdc, nullptr);
    DibujarMesa(hdc, mesa);
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, int x, int y) {
  if (!ConImagen() || g_arrastre.Activo()) return 0;
  g_arrastre.Presionar(hwnd, {x, y}, puzzle.scale);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, int x, int y) {
  if (!g_arrastre.Activo() || !ConImagen()) return 0;
  const Punto p = g_arrastre.Presion();
  if (!ApplySizeDrag(g_arrastre.Origen(), Diseño({x - p.x, y - p.y}))) return 0;
  RepintarSelectores();
  NotificarPadre(hwnd, 0);
  return 0;
}

LRESULT OnDestroy(HWND hwnd) {
  g_arrastre.Destruida(hwnd);
  g_drawDib.Cerrar();
  g_fuente.Vaciar();
  g_imagen.Vaciar();
  g_ventana = nullptr;
  return 0;
}

LRESULT CALLBACK ProcSelectorTamano(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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

bool RegistrarSelectorTamano(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcSelectorTamano, .cursor = arranque.cursorSelector});
}

}  // namespace

bool RegistrarSelectores(HINSTANCE instancia) {
  return RegistrarSelectorCantidad(instancia) && RegistrarSelectorTamano(instancia);
}

HWND CrearSelectorTamano(HWND padre) {
  // The miniature follows the table's size.
  SetNewPuzzleBoardSize(arranque.anchoTablero, arranque.altoTablero);
  const Punto posicion = Esc(SizeChooserPosition(arranque.anchoTablero, arranque.altoTablero));
  const Punto miniatura = Esc(newPuzzle.miniature);
  g_ventana = CreateWindowExA(0, kClase, "", kEstilo, posicion.x, posicion.y, miniatura.x, miniatura.y, padre, nullptr,
                              arranque.instancia, nullptr);
  return g_ventana;
}

HWND VentanaSelectorTamano() { return g_ventana; }

void PrepararImagenSelectores() {
  g_fuente.Vaciar();
  g_imagen.Vaciar();
  if (imagenActual.Abierto()) {
    MenuNuevoPrepararImagen();
    // As large as the largest zoom shows it, so that every zoom is an
    // average of it (past four chooser widths it is only stretched).
    const double mayor = std::max({newPuzzle.maxScale, newPuzzle.minScale, puzzle.scale});
    const double tope = 4.0 * kChooserW / std::max(newPuzzle.sizePicture.x, 1);
    g_fuente.LeerSuavizada(imagenActual, TamañoAlZoom(std::min(mayor, tope)));
  }
  TomarImagenSelectorCantidad();
  RepintarSelectores();
}

void RepintarSelectores() {
  if (g_ventana) InvalidateRect(g_ventana, nullptr, FALSE);
  RepintarSelectorCantidad();
}
