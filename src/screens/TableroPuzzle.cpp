// CWNDPUZZLE: created by ShowPuzzle (the table, a child of the main window)
// and CreateBoxBoard (one in each piece box); shows a board and carries pieces.
#include "TableroPuzzle.h"

#include <windowsx.h>

#include <algorithm>

#include "Compositor.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Cut.h"
#include "Drag.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "LienzoArrastre.h"
#include "ObjetosGDI.h"
#include "Ordenar.h"
#include "Puzzle.h"
#include "Utilidades.h"
#include "Verificar.h"

namespace {

constexpr char kClase[] = "CWNDPUZZLE";
constexpr DWORD kEstilo = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr int kIdPrimerTablero = 100;

// Per board: its window, its DrawDib context, its band pen; per box the
// button that takes drops for it.
HWND g_ventanas[kBoardCount] = {};
ContextoDrawDib g_drawDib[kBoardCount] = {
    ContextoDrawDib(nullptr), ContextoDrawDib(nullptr), ContextoDrawDib(nullptr), ContextoDrawDib(nullptr),
    ContextoDrawDib(nullptr), ContextoDrawDib(nullptr), ContextoDrawDib(nullptr)};
ObjetoGDI<HPEN> g_plumas[kBoardCount];
HWND g_botonesSoltar[kBoxCount] = {};

// One drag at a time for the whole program.
enum Modo { kNinguno = 0, kPieza = 1, kBanda = 2 };
struct Arrastre {
  int modo = kNinguno;
  POINT presion{};  // piece: grab offset from the box corner; band: anchor
  POINT sprite{};   // the sprite's corner in `ventana`'s client coordinates
  POINT banda[5]{};
  HWND ventana = nullptr;  // the board window the sprite is shown on
  int tablero = -1;        // the board the piece was picked up from
  int32_t posicion = 0;    // its place in that board's stack before the press
  SpriteMargins margen;    // the sprite's reach past the box (its shadow)
};
Arrastre g_arrastre;

// What lies under the sprite, and the work area of one step (twice the
// piece box, so the old and the new place fit when they overlap).
LienzoArrastre g_debajo;
LienzoArrastre g_trabajo;

int TableroDe(HWND hwnd) { return GetDlgCtrlID(hwnd) - kIdPrimerTablero; }

POINT Punto2(int32_t x, int32_t y) { return POINT{x, y}; }

// The board under a screen point, if the window there is one (or a box's
// drop button); -1 otherwise.
int TableroEn(HWND ventana, bool* esBoton) {
  *esBoton = false;
  if (!ventana || !(GetWindowLongA(ventana, GWL_STYLE) & WS_CHILD)) return -1;
  const int t = GetDlgCtrlID(ventana) - kIdPrimerTablero;
  if (t < 0 || t >= kBoardCount) return -1;
  if (t < kBoxCount && ventana == g_botonesSoltar[t]) {
    *esBoton = true;
    return t;
  }
  return ventana == g_ventanas[t] ? t : -1;
}

// Copies a rectangle of a board's image into a DC (GDI converts it to the
// DC's format). The image is bottom-up: source rows count from its bottom.
void CopiarImagen(HDC destino, int32_t dx, int32_t dy, int tablero, int32_t x, int32_t y, int32_t w, int32_t h) {
  Board& b = puzzle.boards[tablero];
  Punto pos, tam;
  if (!b.HasImage() || w < 1 || h < 1 ||
      !CruzarRectangulos({x, y}, {w, h}, {0, 0}, {b.Width(), b.Height()}, kCruceInterseccion, &pos, &tam) ||
      tam.x == 0 || tam.y == 0)
    return;
  SetDIBitsToDevice(destino, dx + pos.x - x, dy + pos.y - y, static_cast<DWORD>(tam.x), static_cast<DWORD>(tam.y),
                    pos.x, b.Height() - (pos.y + tam.y), 0, static_cast<UINT>(b.Height()), b.bits.data(),
                    reinterpret_cast<const BITMAPINFO*>(&b.header), DIB_RGB_COLORS);
}

void DibujarBanda(HWND hwnd) {
  DCVentana dc(hwnd);
  Polyline(dc.Get(), g_arrastre.banda, 5);
}

// ---- The sprite ------------------------------------------------------------

// The sprite's size: the box and its shadow's reach.
int32_t AnchoSprite() { return puzzle.boxW + g_arrastre.margen.left + g_arrastre.margen.right; }
int32_t AltoSprite() { return puzzle.boxH + g_arrastre.margen.top + g_arrastre.margen.bottom; }

// One drag step: the sprite leaves its old place and is drawn with its box
// at `q` on `destino`, with three block copies of at most twice the sprite.
void MoverSprite(HWND destino, POINT q) {
  const int32_t bw = AnchoSprite(), bh = AltoSprite();
  Arrastre& a = g_arrastre;
  const POINT viejo{a.sprite.x - a.margen.left, a.sprite.y - a.margen.top};
  const POINT nuevo{q.x - a.margen.left, q.y - a.margen.top};
  POINT desplazamiento{0, 0};
  RECT mostrar{nuevo.x, nuevo.y, nuevo.x + bw, nuevo.y + bh};
  {
    DCVentana pantalla(a.ventana);
    Punto u, tamU;
    if (destino == a.ventana &&
        CruzarRectangulos({viejo.x, viejo.y}, {bw, bh}, {nuevo.x, nuevo.y}, {bw, bh}, kCruceUnion, &u, &tamU)) {
      BitBlt(g_trabajo.Hdc(), 0, 0, tamU.x, tamU.y, pantalla.Get(), u.x, u.y, SRCCOPY);
      BitBlt(g_trabajo.Hdc(), viejo.x - u.x, viejo.y - u.y, bw, bh, g_debajo.Hdc(), 0, 0, SRCCOPY);
      desplazamiento = {nuevo.x - u.x, nuevo.y - u.y};
      mostrar = {u.x, u.y, u.x + tamU.x, u.y + tamU.y};
    } else {
      BitBlt(pantalla.Get(), viejo.x, viejo.y, bw, bh, g_debajo.Hdc(), 0, 0, SRCCOPY);
      DCVentana nueva(destino);
      BitBlt(g_trabajo.Hdc(), 0, 0, bw, bh, nueva.Get(), nuevo.x, nuevo.y, SRCCOPY);
      a.ventana = destino;
    }
  }
  BitBlt(g_debajo.Hdc(), 0, 0, bw, bh, g_trabajo.Hdc(), desplazamiento.x, desplazamiento.y, SRCCOPY);
  GdiFlush();
  PaintSprite(puzzle.order[puzzle.boards[a.tablero].first], g_trabajo.Pixeles(), g_trabajo.Stride(),
              desplazamiento.x + a.margen.left, desplazamiento.y + a.margen.top);
  DCVentana pantalla(a.ventana);
  BitBlt(pantalla.Get(), mostrar.left, mostrar.top, mostrar.right - mostrar.left, mostrar.bottom - mostrar.top,
         g_trabajo.Hdc(), 0, 0, SRCCOPY);
  a.sprite = q;
}

// Puts back what the sprite covers.
void BorrarSprite() {
  DCVentana pantalla(g_arrastre.ventana);
  BitBlt(pantalla.Get(), g_arrastre.sprite.x - g_arrastre.margen.left, g_arrastre.sprite.y - g_arrastre.margen.top,
         AnchoSprite(), AltoSprite(), g_debajo.Hdc(), 0, 0, SRCCOPY);
}

// ---- Press, drag, release ------------------------------------------------

void OnDrag(HWND hwnd, POINT p);

void OnPress(HWND hwnd, POINT p) {
  if (g_arrastre.modo != kNinguno) return;
  const int b = TableroDe(hwnd);
  g_arrastre.presion = p;
  SetCapture(hwnd);
  Cronometro cronometro;
  const int32_t posicion = HitTestPiece(b, p.x, p.y);
  g_arrastre.margen = SpriteMarginsNow();
  if (posicion < 0 || !g_debajo.Ajustar(AnchoSprite(), AltoSprite(), puzzle.display) ||
      !g_trabajo.Ajustar(2 * AnchoSprite(), 2 * AltoSprite(), puzzle.display)) {
    for (POINT& q : g_arrastre.banda) q = p;
    g_arrastre.modo = kBanda;
    return;
  }
  PickUpPiece(b, posicion);
  g_arrastre.posicion = posicion;
  const PieceRecord& r = puzzle.pieces[puzzle.order[puzzle.boards[b].first]];
  g_arrastre.sprite = Punto2(r.x, r.y);
  g_arrastre.presion = Punto2(p.x - r.x, p.y - r.y);
  g_arrastre.modo = kPieza;
  g_arrastre.tablero = b;
  // The clean background under the sprite, from the board just recomposed.
  CopiarImagen(g_debajo.Hdc(), 0, 0, b, r.x - g_arrastre.margen.left, r.y - g_arrastre.margen.top, AnchoSprite(),
               AltoSprite());
  g_arrastre.ventana = hwnd;
  cronometro.Anotar(Medida::Presion);
  OnDrag(hwnd, p);
}

void OnDrag(HWND hwnd, POINT p) {
  Arrastre& a = g_arrastre;
  if (a.modo == kBanda) {
    DibujarBanda(hwnd);
    const LONG izq = std::min(a.presion.x, p.x), der = std::max(a.presion.x, p.x);
    const LONG arr = std::min(a.presion.y, p.y), aba = std::max(a.presion.y, p.y);
    a.banda[0] = {izq, arr}, a.banda[1] = {der, arr}, a.banda[2] = {der, aba}, a.banda[3] = {izq, aba};
    a.banda[4] = a.banda[0];
    DibujarBanda(hwnd);
    return;
  }
  if (a.modo != kPieza) return;
  Cronometro cronometro;
  POINT pantalla = p;
  ClientToScreen(hwnd, &pantalla);
  bool esBoton;
  const int t = TableroEn(WindowFromPoint(pantalla), &esBoton);
  HWND destino = a.ventana;
  if (t >= 0 && esBoton) {
    // Over a box's button the sprite goes to that box's board, out of sight.
    destino = g_ventanas[t];
    pantalla = a.presion;
    SetCursor(arranque.cursorSoltarCaja);
  } else {
    if (t >= 0) destino = g_ventanas[t];
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
  ScreenToClient(destino, &pantalla);
  MoverSprite(destino, Punto2(pantalla.x - a.presion.x, pantalla.y - a.presion.y));
  cronometro.Anotar(Medida::Arrastre);
}

// The drop on a window other than the source board.
DropResult DropInOtherBoard(int s, HWND ventana) {
  bool esBoton;
  const int t = TableroEn(ventana, &esBoton);
  if (t < 0 || t == s) {
    CancelPieceDrop(s);
    return {};
  }
  if (esBoton) return SoltarEnCaja(s, t);
  return PutDownPiece(s, t, g_arrastre.sprite.x, g_arrastre.sprite.y);
}

void OnRelease(HWND hwnd, POINT p) {
  const int b = TableroDe(hwnd);
  Arrastre& a = g_arrastre;
  if (a.modo == kBanda) {
    DibujarBanda(hwnd);
    const POINT& i = a.banda[0];
    const POINT& d = a.banda[2];
    a.modo = kNinguno;
    MarkBand(b, i.x, i.y, d.x - i.x, d.y - i.y);
    return;
  }
  if (a.modo != kPieza) return;
  a.modo = kNinguno;
  Cronometro cronometro;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  POINT pantalla = p;
  ClientToScreen(hwnd, &pantalla);
  HWND ventana = WindowFromPoint(pantalla);
  // The sprite goes first; the redraws of the drop then paint the result.
  BorrarSprite();
  BringToFront(b, 0, true);
  DropResult caida;
  if (ventana == hwnd)
    caida = PutDownPiece(b, b, a.sprite.x, a.sprite.y);
  else if (ventana && (GetWindowLongA(ventana, GWL_STYLE) & WS_CHILD))
    caida = DropInOtherBoard(b, ventana);
  else
    CancelPieceDrop(b);
  // The drop that finishes also lays the whole picture out and starts the
  // finishing sequence: timed with the plain drops, not among the fits.
  cronometro.Anotar(caida.fitted && !caida.finished ? Medida::SoltarEncaje : Medida::Soltar);
}

// The pointer was taken away mid-drag: nothing is dropped where it happens
// to be; the band goes, the piece goes back to where it was picked up.
void CancelarArrastre(HWND hwnd) {
  Arrastre& a = g_arrastre;
  const int modo = a.modo;
  a.modo = kNinguno;
  if (modo == kBanda) {
    DibujarBanda(hwnd);
    return;
  }
  if (modo != kPieza) return;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  BorrarSprite();
  CancelPickUp(a.tablero, a.posicion);
}

// ---- Messages ---------------------------------------------------------------

LRESULT OnCreate(HWND hwnd) {
  // Without its mosaic (a picture that could not be had) the table is black.
  const int b = TableroDe(hwnd);
  DCVentana dc(hwnd);
  SetROP2(dc.Get(), R2_NOT);
  g_plumas[b] = ObjetoGDI<HPEN>(CreatePen(PS_DASHDOT, 0, RGB(0, 0, 0)));
  SelectObject(dc.Get(), g_plumas[b].Get());
  g_drawDib[b] = ContextoDrawDib();
  g_ventanas[b] = hwnd;
  OpenBoard(b);
  return 0;
}

LRESULT OnDestroy(HWND hwnd) {
  const int b = TableroDe(hwnd);
  if (g_arrastre.modo != kNinguno && (g_arrastre.ventana == hwnd || GetCapture() == hwnd)) g_arrastre = Arrastre{};
  ReleaseBoard(b);
  g_drawDib[b].Cerrar();
  {
    DCVentana dc(hwnd);
    SelectObject(dc.Get(), GetStockObject(BLACK_PEN));
  }
  g_plumas[b] = ObjetoGDI<HPEN>();
  g_ventanas[b] = nullptr;
  if (b < kBoxCount) g_botonesSoltar[b] = nullptr;
  return 0;
}

LRESULT OnSize(HWND hwnd, int ancho, int alto) {
  ResizeBoard(TableroDe(hwnd), ancho, alto);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  const int b = TableroDe(hwnd);
  Board& tablero = puzzle.boards[b];
  const RECT& r = pintura.Rect();
  const int32_t w = std::min<int32_t>(r.right, tablero.Width()) - r.left;
  const int32_t h = std::min<int32_t>(r.bottom, tablero.Height()) - r.top;
  if (!tablero.HasImage() || w < 1 || h < 1) return 0;
  DrawDibDraw(g_drawDib[b].Get(), pintura.Hdc(), r.left, r.top, w, h,
              reinterpret_cast<BITMAPINFOHEADER*>(&tablero.header), tablero.bits.data(), r.left, r.top, w, h, 0);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, POINT p) {
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  OnRelease(hwnd, p);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, HWND nueva) {
  if (g_arrastre.modo != kNinguno && nueva != hwnd) CancelarArrastre(hwnd);
  return 0;
}

LRESULT OnPaleta(HWND hwnd) {
  DCVentana dc(hwnd);
  DrawDibRealize(g_drawDib[TableroDe(hwnd)].Get(), dc.Get(), TRUE);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

POINT PuntoDe(LPARAM lParam) { return Punto2(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); }

LRESULT CALLBACK ProcTablero(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_SIZE: return OnSize(hwnd, LOWORD(lParam), HIWORD(lParam));
    case WM_PAINT: return OnPaint(hwnd);
    case WM_MOUSEMOVE: OnDrag(hwnd, PuntoDe(lParam)); return 0;
    case WM_LBUTTONDOWN: OnPress(hwnd, PuntoDe(lParam)); return 0;
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, PuntoDe(lParam));
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, reinterpret_cast<HWND>(lParam));
    case WM_QUERYNEWPALETTE: return OnPaleta(hwnd);
    case WM_PALETTECHANGED: return reinterpret_cast<HWND>(wParam) == hwnd ? 0 : OnPaleta(hwnd);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

HWND CrearTablero(HWND padre, int indice, int x, int y, int ancho, int alto) {
  return CreateWindowExA(0, kClase, "", kEstilo, x, y, ancho, alto, padre,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdPrimerTablero + indice)), arranque.instancia,
                         nullptr);
}

}  // namespace

bool RegistrarTableroPuzzle(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcTablero, .estilo = CS_OWNDC});
}

HWND ShowPuzzle(HWND padre) {
  ClearPuzzleClock();
  SetDisplayFormat(SondearFormatoPantalla());
  return CrearTablero(padre, kTable, Esc(kXTablero), Esc(kAltoTitulo), arranque.anchoTablero, arranque.altoTablero);
}

HWND CreateBoxBoard(HWND caja, int indice, int x, int y, int ancho, int alto, HWND botonSoltar) {
  if (Verificar(indice < 0 || indice >= kBoxCount, "Valor de Id invalido, supera el numero de boxs especificado"))
    return nullptr;
  g_botonesSoltar[indice] = botonSoltar;
  return CrearTablero(caja, indice, x, y, ancho, alto);
}

HWND VentanaTablero(int tablero) {
  return tablero >= 0 && tablero < kBoardCount ? g_ventanas[tablero] : nullptr;
}
