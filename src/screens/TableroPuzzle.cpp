// CWNDPUZZLE: created by ShowPuzzle (the table, a child of the main window)
// and CreateBoxBoard (one in each piece box); shows a board and carries pieces.
#include "TableroPuzzle.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

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
#include "VistaMesa.h"

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

// Around a table seen whole, where the window shows no table.
constexpr uint32_t kColorFuera = 0x28180D;  // 0xRRGGBB
// Edge scrolling: how near the edge, after how long, how often.
constexpr int32_t kBordeDesplazar = 24;
constexpr UINT kEsperaDesplazar = 400;
constexpr UINT kPasoDesplazar = 30;
constexpr UINT_PTR kTemporizadorBorde = 1;

// One drag at a time for the whole program.
enum Modo { kNinguno = 0, kPieza = 1, kBanda = 2, kMover = 3 };
struct Arrastre {
  int modo = kNinguno;
  POINT presion{};  // piece: grab offset from the box corner; band: anchor
  POINT sprite{};   // the sprite's corner in `ventana`'s client coordinates
  POINT banda[5]{};
  HWND ventana = nullptr;  // the board window the sprite is shown on
  int tablero = -1;        // the board the piece was picked up from
  int32_t posicion = 0;    // its place in that board's stack before the press
  SpriteMargins margen;    // the sprite's reach past the box (its shadow)
  // On a table seen at another scale or place the sprite is drawn into the
  // view: its box on the table, and the window pixels it was drawn on.
  bool enVista = false;
  Punto cajaMesa;
  RectMesa rectVista;
  // Moving the view: the button, where it was pressed, and whether it
  // moved far enough to be a pan.
  UINT boton = 0;
  POINT ultimo{};
  bool movida = false;
  bool mayusculas = false;  // Shift was down at the press
  bool visible = false;      // a sprite is drawn somewhere
  bool bordeArmado = false;  // the edge-scrolling timer runs
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
  a.visible = true;
}

void SpriteEnVista(bool dibujar, Punto caja);

// Puts back what the sprite covers.
void BorrarSprite() {
  if (g_arrastre.enVista) {
    SpriteEnVista(false, {});
    return;
  }
  if (!g_arrastre.visible) return;
  g_arrastre.visible = false;
  DCVentana pantalla(g_arrastre.ventana);
  BitBlt(pantalla.Get(), g_arrastre.sprite.x - g_arrastre.margen.left, g_arrastre.sprite.y - g_arrastre.margen.top,
         AnchoSprite(), AltoSprite(), g_debajo.Hdc(), 0, 0, SRCCOPY);
}

// ---- The sprite on a view of the table --------------------------------------

// Window pixels of the table, 24-bit rows `paso` bytes apart, drawn on a
// DC of the window. They go as 32-bit rows, which the screen takes without
// converting them: at 4K that saves a third of a whole-window frame.
void MostrarPixeles(HDC dc, const RectMesa& r, const uint8_t* pixeles, int32_t paso) {
  static std::vector<uint32_t> g_pixeles32;
  g_pixeles32.resize(static_cast<size_t>(r.ancho) * r.alto);
  for (int32_t y = 0; y < r.alto; ++y) {
    const uint8_t* f = pixeles + static_cast<int64_t>(y) * paso;
    uint32_t* d = g_pixeles32.data() + static_cast<size_t>(y) * r.ancho;
    for (int32_t x = 0; x < r.ancho; ++x, f += 3) d[x] = f[0] | f[1] << 8 | f[2] << 16;
  }
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), r.ancho, -r.alto, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(dc, r.x, r.y, static_cast<DWORD>(r.ancho), static_cast<DWORD>(r.alto), 0, 0, 0,
                    static_cast<UINT>(r.alto), g_pixeles32.data(), &bi, DIB_RGB_COLORS);
}
void MostrarPixeles(HWND hwnd, const RectMesa& r, const uint8_t* pixeles, int32_t paso) {
  DCVentana dc(hwnd);
  MostrarPixeles(dc.Get(), r, pixeles, paso);
}

RectMesa Cortar(RectMesa r, int32_t ancho, int32_t alto) {
  const int32_t x0 = std::max(0, r.x), y0 = std::max(0, r.y);
  const int32_t x1 = std::min(ancho, r.x + r.ancho), y1 = std::min(alto, r.y + r.alto);
  return {x0, y0, std::max(0, x1 - x0), std::max(0, y1 - y0)};
}

RectMesa Unir(const RectMesa& a, const RectMesa& b) {
  if (a.ancho <= 0 || a.alto <= 0) return b;
  if (b.ancho <= 0 || b.alto <= 0) return a;
  const int32_t x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
  return {x0, y0, std::max(a.x + a.ancho, b.x + b.ancho) - x0, std::max(a.y + a.alto, b.y + b.alto) - y0};
}

// The table as the window shows it, into 24-bit rows.
void PintarVista(const RectMesa& r, uint8_t* destino, int32_t paso) {
  static const CopiasReducidas kSinCopias;
  const Board& mesa = puzzle.boards[kTable];
  (mesa.withCopies ? mesa.copies : kSinCopias).Pintar(mesa.Image(), VistaMesa(), r, destino, paso, kColorFuera);
}

std::vector<uint8_t> g_pixelesVista, g_pixelesSprite;

// The sprite leaves the window pixels it covered and, with `dibujar`, is
// drawn with its box at `caja` on the table: the rest of the table as it
// lies, the piece and its lifted shadow drawn on a 1:1 copy of the table
// there and scaled with it.
void SpriteEnVista(bool dibujar, Punto caja) {
  Arrastre& a = g_arrastre;
  const Vista& v = VistaMesa();
  const RectMesa s{caja.x - a.margen.left, caja.y - a.margen.top, AnchoSprite(), AltoSprite()};
  const RectMesa nuevo = dibujar ? Cortar(RectAVentana(v, s), v.ancho, v.alto) : RectMesa{};
  const RectMesa u = Unir(a.enVista ? a.rectVista : RectMesa{}, nuevo);
  a.enVista = dibujar;
  a.visible = dibujar;
  a.rectVista = nuevo;
  a.cajaMesa = caja;
  if (u.ancho <= 0 || u.alto <= 0) return;
  const int32_t paso = (u.ancho * 3 + 3) & ~3;
  g_pixelesVista.resize(static_cast<size_t>(paso) * u.alto);
  PintarVista(u, g_pixelesVista.data(), paso);
  if (nuevo.ancho > 0 && nuevo.alto > 0) {
    // The table pixels those window pixels show, and the whole sprite.
    const RectMesa t = Unir(RectAMesa(v, nuevo), s);
    const int32_t pasoT = t.ancho * 3;
    g_pixelesSprite.assign(static_cast<size_t>(pasoT) * t.alto, 0);
    const Board& mesa = puzzle.boards[kTable];
    const uint8_t fuera[3] = {kColorFuera & 0xFF, kColorFuera >> 8 & 0xFF, kColorFuera >> 16 & 0xFF};
    for (int32_t y = 0; y < t.alto; ++y) {
      uint8_t* d = g_pixelesSprite.data() + static_cast<int64_t>(y) * pasoT;
      const int32_t ty = t.y + y;
      for (int32_t x = 0; x < t.ancho; ++x) std::memcpy(d + x * 3, fuera, 3);
      if (ty < 0 || ty >= mesa.Height()) continue;
      const int32_t x0 = std::max(0, t.x), x1 = std::min(mesa.Width(), t.x + t.ancho);
      if (x1 > x0) std::memcpy(d + (x0 - t.x) * 3, mesa.Image().Fila(ty) + static_cast<int64_t>(x0) * 3, (x1 - x0) * 3u);
    }
    PaintSprite(puzzle.order[puzzle.boards[a.tablero].first], g_pixelesSprite.data(), pasoT, caja.x - t.x,
                caja.y - t.y, Formato24());
    const ImagenBGR trozo{g_pixelesSprite.data(), pasoT, t.ancho, t.alto, t.x, t.y};
    CopiasReducidas().Pintar(trozo, v, nuevo,
                             g_pixelesVista.data() + static_cast<int64_t>(nuevo.y - u.y) * paso + (nuevo.x - u.x) * 3,
                             paso, kColorFuera);
  }
  MostrarPixeles(g_arrastre.ventana, u, g_pixelesVista.data(), paso);
}

// The box's place on the table for the pointer at window point q.
Punto CajaEnMesa(POINT q) {
  const Vista& v = VistaMesa();
  return {static_cast<int32_t>(std::lround((v.origen.x + q.x + 0.5) / v.escala - 0.5)) - g_arrastre.presion.x,
          static_cast<int32_t>(std::lround((v.origen.y + q.y + 0.5) / v.escala - 0.5)) - g_arrastre.presion.y};
}

// The first 1:1 sprite on a window: what lies there is read from the
// screen, and nothing is put back elsewhere.
void EmpezarSprite(HWND destino, POINT q) {
  Arrastre& a = g_arrastre;
  {
    DCVentana pantalla(destino);
    BitBlt(g_debajo.Hdc(), 0, 0, AnchoSprite(), AltoSprite(), pantalla.Get(), q.x - a.margen.left,
           q.y - a.margen.top, SRCCOPY);
  }
  a.ventana = destino;
  a.sprite = q;
  MoverSprite(destino, q);
}

// ---- Press, drag, release ------------------------------------------------

void OnDrag(HWND hwnd, POINT p);

// Whether board b's window shows its board through the table's view.
bool EnVista(int b) { return b == kTable && !VistaPlana(); }

// The board point under window point p of board b.
POINT EnTablero(int b, POINT p) {
  if (b != kTable) return p;
  const Punto t = VentanaAMesa(VistaMesa(), {p.x, p.y});
  return {t.x, t.y};
}

// The table window's view follows its board: a new game is seen from the
// table's corner at 1:1, an opened one as it was saved, and a table larger
// than the window keeps scaled copies.
void SeguirMesa(HWND hwnd) {
  static uint32_t generacion = 0;
  const Board& mesa = puzzle.boards[kTable];
  if (!mesa.HasImage()) return;
  RECT c;
  GetClientRect(hwnd, &c);
  const Vista& v = VistaMesa();
  if (v.anchoMesa == mesa.Width() && v.altoMesa == mesa.Height() && v.ancho == c.right && v.alto == c.bottom &&
      generacion == PuzzleGeneration() && !puzzle.viewPending)
    return;
  generacion = PuzzleGeneration();
  Vista nueva = VistaInicial(mesa.Width(), mesa.Height(), c.right, c.bottom);
  if (puzzle.viewPending) {
    puzzle.viewPending = false;
    nueva.escala = std::clamp(puzzle.viewScale, EscalaTodo(nueva), kEscalaMaxima);
    ColocarEsquina(nueva, puzzle.viewCorner);
  }
  KeepScaledCopies(kTable, EscalaTodo(nueva) < 1.0);
  FijarVistaMesa(nueva);
}

void OnPress(HWND hwnd, POINT p) {
  if (g_arrastre.modo != kNinguno) return;
  const int b = TableroDe(hwnd);
  if (b == kTable) SeguirMesa(hwnd);
  g_arrastre.presion = p;
  SetCapture(hwnd);
  Cronometro cronometro;
  const POINT t = EnTablero(b, p);
  const int32_t posicion = HitTestPiece(b, t.x, t.y);
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
  g_arrastre.presion = Punto2(t.x - r.x, t.y - r.y);
  g_arrastre.modo = kPieza;
  g_arrastre.tablero = b;
  g_arrastre.ventana = hwnd;
  g_arrastre.enVista = false;
  g_arrastre.visible = false;
  if (EnVista(b)) {
    g_arrastre.cajaMesa = {r.x, r.y};
  } else {
    // The piece still shows where it lay: that is the sprite's first place.
    g_arrastre.visible = true;
    g_arrastre.sprite = Punto2(r.x, r.y);
    // The clean background under the sprite, from the board just recomposed.
    CopiarImagen(g_debajo.Hdc(), 0, 0, b, r.x - g_arrastre.margen.left, r.y - g_arrastre.margen.top, AnchoSprite(),
                 AltoSprite());
  }
  cronometro.Anotar(Medida::Presion);
  if (EnVista(b)) SpriteEnVista(true, g_arrastre.cajaMesa);
  OnDrag(hwnd, p);
}

// Moves the sprite to window `destino` (a board, or the box a button drops
// into), with its box at `q` there, or on the table's view for the
// pointer at `q`.
void LlevarSprite(HWND destino, POINT q) {
  Arrastre& a = g_arrastre;
  if (destino == g_ventanas[kTable] && EnVista(kTable)) {
    if (!a.enVista && a.visible) BorrarSprite();
    a.ventana = destino;
    SpriteEnVista(true, CajaEnMesa(q));
    return;
  }
  const POINT caja = Punto2(q.x - a.presion.x, q.y - a.presion.y);
  if (a.enVista || !a.visible) {
    if (a.enVista) BorrarSprite();
    EmpezarSprite(destino, caja);
    return;
  }
  MoverSprite(destino, caja);
}

// How far the view scrolls for the pointer at q in the table window: by
// how deep it is in the edge band, none outside it.
POINT Desplazamiento(HWND mesa, POINT q) {
  RECT c;
  GetClientRect(mesa, &c);
  const int32_t borde = Esc(kBordeDesplazar);
  const auto eje = [borde](LONG v, LONG lado) -> LONG {
    if (v < borde) return -(borde - v) * 2 / 3 - 2;
    if (v >= lado - borde) return (v - (lado - borde)) * 2 / 3 + 2;
    return 0;
  };
  return {eje(q.x, c.right), eje(q.y, c.bottom)};
}

void OnDrag(HWND hwnd, POINT p) {
  Arrastre& a = g_arrastre;
  if (a.modo == kMover) {
    const int32_t dx = a.ultimo.x - p.x, dy = a.ultimo.y - p.y;
    if (!a.movida && std::abs(p.x - a.presion.x) < GetSystemMetrics(SM_CXDRAG) &&
        std::abs(p.y - a.presion.y) < GetSystemMetrics(SM_CYDRAG))
      return;
    a.movida = true;
    a.ultimo = p;
    if (TableroDe(hwnd) != kTable) return;  // a box's view does not move
    CronometroVista cronometro(Medida::Desplazamiento, hwnd);
    DesplazarMesa(dx, dy);
    return;
  }
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
  LlevarSprite(destino, pantalla);
  cronometro.Anotar(Medida::Arrastre);
  // Near the table's edge the view follows, after a pause.
  HWND mesa = g_ventanas[kTable];
  if (destino == mesa && (Desplazamiento(mesa, pantalla).x || Desplazamiento(mesa, pantalla).y)) {
    if (!a.bordeArmado) SetTimer(mesa, kTemporizadorBorde, kEsperaDesplazar, nullptr);
    a.bordeArmado = true;
  } else if (a.bordeArmado && mesa) {
    KillTimer(mesa, kTemporizadorBorde);
    a.bordeArmado = false;
  }
}

// The fit tolerance for a drop on board b: six pixels of the screen.
int32_t Tolerancia(int b) { return b == kTable && !VistaPlana() ? ToleranciaMesa(VistaMesa()) : kFitTolerance; }

// Where the dragged box is put down on the board under the sprite.
POINT CajaSoltada() {
  return g_arrastre.enVista ? Punto2(g_arrastre.cajaMesa.x, g_arrastre.cajaMesa.y) : g_arrastre.sprite;
}

// The drop on a window other than the source board.
DropResult DropInOtherBoard(int s, HWND ventana, POINT caja) {
  bool esBoton;
  const int t = TableroEn(ventana, &esBoton);
  if (t < 0 || t == s) {
    CancelPieceDrop(s);
    return {};
  }
  if (esBoton) return SoltarEnCaja(s, t);
  return PutDownPiece(s, t, caja.x, caja.y, Tolerancia(t));
}

void PararBorde() {
  if (g_arrastre.bordeArmado && g_ventanas[kTable]) KillTimer(g_ventanas[kTable], kTemporizadorBorde);
  g_arrastre.bordeArmado = false;
}

void OnRelease(HWND hwnd, POINT p) {
  const int b = TableroDe(hwnd);
  Arrastre& a = g_arrastre;
  PararBorde();
  if (a.modo == kBanda) {
    DibujarBanda(hwnd);
    const POINT& i = a.banda[0];
    const POINT& d = a.banda[2];
    a.modo = kNinguno;
    if (b == kTable && !VistaPlana()) {
      const RectMesa m = RectAMesa(VistaMesa(), {i.x, i.y, d.x - i.x, d.y - i.y});
      MarkBand(b, m.x, m.y, m.ancho, m.alto);
    } else {
      MarkBand(b, i.x, i.y, d.x - i.x, d.y - i.y);
    }
    return;
  }
  if (a.modo != kPieza) return;
  a.modo = kNinguno;
  Cronometro cronometro;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  POINT pantalla = p;
  ClientToScreen(hwnd, &pantalla);
  HWND ventana = WindowFromPoint(pantalla);
  const POINT caja = CajaSoltada();
  // The sprite goes first; the redraws of the drop then paint the result.
  BorrarSprite();
  BringToFront(b, 0, true);
  DropResult caida;
  if (ventana == hwnd)
    caida = PutDownPiece(b, b, caja.x, caja.y, Tolerancia(b));
  else if (ventana && (GetWindowLongA(ventana, GWL_STYLE) & WS_CHILD))
    caida = DropInOtherBoard(b, ventana, caja);
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
  PararBorde();
  if (modo == kBanda) {
    DibujarBanda(hwnd);
    return;
  }
  if (modo != kPieza) return;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  BorrarSprite();
  CancelPickUp(a.tablero, a.posicion);
}

// Edge scrolling: while the dragged piece stays near the table window's
// edge the view moves, the sprite with the pointer.
void OnTimer(HWND hwnd, UINT_PTR id) {
  if (id != kTemporizadorBorde) return;
  Arrastre& a = g_arrastre;
  POINT q;
  GetCursorPos(&q);
  ScreenToClient(hwnd, &q);
  const POINT d = Desplazamiento(hwnd, q);
  if (a.modo != kPieza || a.ventana != hwnd || (d.x == 0 && d.y == 0)) {
    PararBorde();
    return;
  }
  SetTimer(hwnd, kTemporizadorBorde, kPasoDesplazar, nullptr);
  const Vista antes = VistaMesa();
  Vista despues = antes;
  Desplazar(despues, d.x, d.y);
  if (despues.origen.x == antes.origen.x && despues.origen.y == antes.origen.y) return;
  BorrarSprite();
  DesplazarMesa(d.x, d.y);
  UpdateWindow(hwnd);
  LlevarSprite(hwnd, q);
}

// Moving the view with the right or the middle button; a middle click
// that does not move toggles between the whole table and the close-up. In
// a game of turned pieces a right click that does not move turns the
// piece under it, on the table or in a box.
void OnPressMover(HWND hwnd, POINT p, UINT boton, bool mayusculas) {
  const bool girar = boton == WM_RBUTTONDOWN && puzzle.turned && puzzle.Exists();
  if (g_arrastre.modo != kNinguno || (TableroDe(hwnd) != kTable && !girar)) return;
  if (TableroDe(hwnd) == kTable) SeguirMesa(hwnd);
  Arrastre& a = g_arrastre;
  a.modo = kMover;
  a.boton = boton;
  a.presion = a.ultimo = p;
  a.movida = false;
  a.mayusculas = mayusculas;
  SetCapture(hwnd);
}

void OnReleaseMover(HWND hwnd, POINT p, UINT boton) {
  Arrastre& a = g_arrastre;
  if (a.modo != kMover || a.boton != boton) return;
  a.modo = kNinguno;
  if (!a.movida && boton == WM_MBUTTONDOWN && TableroDe(hwnd) == kTable) {
    CronometroVista cronometro(Medida::Zoom, hwnd);
    AlternarMesaEntera({p.x, p.y});
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!a.movida && boton == WM_RBUTTONDOWN && puzzle.turned) {
    // Clockwise; anticlockwise with Shift.
    const int b = TableroDe(hwnd);
    const POINT t = EnTablero(b, a.presion);
    TurnPieceAt(b, t.x, t.y, a.mayusculas ? 3 : 1, Tolerancia(b));
  }
}

void OnWheel(HWND hwnd, int delta, POINT pantalla) {
  if (TableroDe(hwnd) != kTable || g_arrastre.modo == kBanda || g_arrastre.modo == kPieza) return;
  SeguirMesa(hwnd);
  static int resto = 0;
  resto += delta;
  const int pasos = resto / WHEEL_DELTA;
  resto -= pasos * WHEEL_DELTA;
  if (!pasos) return;
  ScreenToClient(hwnd, &pantalla);
  CronometroVista cronometro(Medida::Zoom, hwnd);
  AmpliarMesa(pasos, {pantalla.x, pantalla.y});
}

// ---- Messages ---------------------------------------------------------------

void AlCambiarVista(const Vista&);

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
  if (b == kTable) OirVistaMesa(AlCambiarVista);
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
  // A table larger than its window keeps its size; the view follows.
  const int b = TableroDe(hwnd);
  const Board& tablero = puzzle.boards[b];
  if (b != kTable || !tablero.HasImage() || tablero.Width() < ancho || tablero.Height() < alto)
    ResizeBoard(b, std::max(ancho, b == kTable && tablero.HasImage() ? tablero.Width() : 0),
                std::max(alto, b == kTable && tablero.HasImage() ? tablero.Height() : 0));
  if (b == kTable) SeguirMesa(hwnd);
  return 0;
}

// After the table's view changed: the window shows it.
void AlCambiarVista(const Vista&) {
  if (HWND mesa = g_ventanas[kTable]) InvalidateRect(mesa, nullptr, FALSE);
  NoteStateChange();
}

LRESULT OnPaint(HWND hwnd) {
  const int b = TableroDe(hwnd);
  if (b == kTable) SeguirMesa(hwnd);
  Pintura pintura(hwnd);
  Board& tablero = puzzle.boards[b];
  const RECT& r = pintura.Rect();
  if (EnVista(b)) {
    const RectMesa v{r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (v.ancho < 1 || v.alto < 1 || !tablero.HasImage()) return 0;
    const int32_t paso = (v.ancho * 3 + 3) & ~3;
    g_pixelesVista.resize(static_cast<size_t>(paso) * v.alto);
    PintarVista(v, g_pixelesVista.data(), paso);
    MostrarPixeles(pintura.Hdc(), v, g_pixelesVista.data(), paso);
    return 0;
  }
  const int32_t w = std::min<int32_t>(r.right, tablero.Width()) - r.left;
  const int32_t h = std::min<int32_t>(r.bottom, tablero.Height()) - r.top;
  if (!tablero.HasImage() || w < 1 || h < 1) return 0;
  DrawDibDraw(g_drawDib[b].Get(), pintura.Hdc(), r.left, r.top, w, h,
              reinterpret_cast<BITMAPINFOHEADER*>(&tablero.header), tablero.bits.data(), r.left, r.top, w, h, 0);
  return 0;
}

LRESULT OnButtonUpMover(HWND hwnd, POINT p, UINT boton) {
  OnReleaseMover(hwnd, p, boton);
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
  if (g_arrastre.modo == kMover && nueva != hwnd) g_arrastre.modo = kNinguno;
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
    case WM_RBUTTONDOWN: OnPressMover(hwnd, PuntoDe(lParam), WM_RBUTTONDOWN, (wParam & MK_SHIFT) != 0); return 0;
    case WM_MBUTTONDOWN: OnPressMover(hwnd, PuntoDe(lParam), WM_MBUTTONDOWN, false); return 0;
    case WM_RBUTTONUP: return OnButtonUpMover(hwnd, PuntoDe(lParam), WM_RBUTTONDOWN);
    case WM_MBUTTONUP: return OnButtonUpMover(hwnd, PuntoDe(lParam), WM_MBUTTONDOWN);
    case WM_MOUSEWHEEL: OnWheel(hwnd, GET_WHEEL_DELTA_WPARAM(wParam), PuntoDe(lParam)); return 0;
    case WM_TIMER: OnTimer(hwnd, wParam); return 0;
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

bool GirarPiezaArrastrada(int cuartos) {
  Arrastre& a = g_arrastre;
  if (a.modo != kPieza || !puzzle.turned || a.tablero < 0 || !g_ventanas[a.tablero]) return false;
  HWND origen = g_ventanas[a.tablero];
  const PieceRecord& r = puzzle.pieces[puzzle.order[puzzle.boards[a.tablero].first]];
  // The grab point, as the pieces lay at the press, stays under the pointer.
  const Punto eje{r.x + a.presion.x, r.y + a.presion.y};
  BorrarSprite();
  TurnLiftedPiece(a.tablero, eje, cuartos);
  a.presion = Punto2(eje.x - r.x, eje.y - r.y);
  UpdateWindow(origen);
  if (a.ventana && a.ventana != origen) UpdateWindow(a.ventana);
  POINT q;
  GetCursorPos(&q);
  ScreenToClient(origen, &q);
  OnDrag(origen, q);
  return true;
}

HWND VentanaTablero(int tablero) {
  return tablero >= 0 && tablero < kBoardCount ? g_ventanas[tablero] : nullptr;
}
