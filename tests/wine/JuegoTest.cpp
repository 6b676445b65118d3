// The play screen in-process: the real main window with its boards, bars,
// fold-out windows, boxes and magnifier, a real puzzle cut from a shipped
// picture, driven with real messages and pointer moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "Animacion.h"
#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Atajos.h"
#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "Cajas.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "Compositor.h"
#include "Controles.h"
#include "Cut.h"
#include "Deshacer.h"
#include "Deslizamiento.h"
#include "Drag.h"
#include "Fitting.h"
#include "Globales.h"
#include "Globo.h"
#include "InicioPrueba.h"
#include "Herramientas.h"
#include "InfoImagenes.h"
#include "LienzoArrastre.h"
#include "Lupa.h"
#include "MenuNuevo.h"
#include "Mensaje.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Opciones.h"
#include "Ordenar.h"
#include "PeticionesGrabadas.h"
#include "ResaltePista.h"
#include "Puzzle.h"
#include "PuzzleDump.h"
#include "Relieve.h"
#include "TableroPuzzle.h"
#include "Titulo.h"
#include "VentanaPrincipal.h"

namespace {

constexpr int kXTablero = 49, kYTablero = 78;

void Bombear(DWORD ms = 0) {
  const DWORD inicio = GetTickCount();
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    if (ms) Sleep(5);
  } while (GetTickCount() - inicio < ms);
}

RECT Rect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

LPARAM Pt(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class PantallaJuego : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static bool hecho = false;  // once per test program
    if (!hecho) {
      PrepararInicio();
      RegistrarClases(arranque.instancia);
      hecho = true;
    }
    if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos((arranque.carpeta + "Tessera.rf").c_str());
  }

  void SetUp() override {
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
    Cortar(3, 4);
  }
  void TearDown() override {
    ReleaseCapture();
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  // A new puzzle of the first shipped picture.
  static void Cortar(int32_t filas, int32_t columnas, bool giradas = false) {
    ClosePuzzle(true);
    ASSERT_TRUE(imagenActual.Abrir((arranque.carpeta + "Image\\1.bmp").c_str()));
    MenuNuevoPrepararImagen();
    MenuNuevoZoomAjustar();
    puzzle.rows = filas, puzzle.cols = columnas;
    ASSERT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size(), giradas)));
    Bombear();
  }

  static PieceRecord& P(int32_t i) { return puzzle.pieces[i]; }
  static HWND Mesa() { return VentanaTablero(kTable); }
  static int32_t Frente(int tablero = kTable) { return puzzle.order[puzzle.boards[tablero].first]; }
  static int32_t Posicion(int32_t pieza, int tablero = kTable) {
    const Board& b = puzzle.boards[tablero];
    for (int32_t i = 0; i < b.count; ++i)
      if (puzzle.order[b.first + i] == pieza) return i;
    return -1;
  }
  // Piece `pieza` to (x, y), alone and in front, everything redrawn.
  static void Poner(int32_t pieza, int32_t x, int32_t y) {
    BringToFront(kTable, Posicion(pieza), false);
    P(pieza).x = x, P(pieza).y = y;
    DrawAllBoards(true);
    Bombear();
  }
  // The middle of a piece's cell, in table coordinates: always its own pixel.
  static POINT Centro(int32_t pieza) {
    return {P(pieza).x + puzzle.marginX + puzzle.cellW / 2, P(pieza).y + puzzle.marginY + puzzle.cellH / 2};
  }
  // Press at `desde`, move to `hasta`, release there (table coordinates).
  static void Arrastrar(POINT desde, POINT hasta) {
    SendMessageA(Mesa(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(desde.x, desde.y));
    SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt((desde.x + hasta.x) / 2, (desde.y + hasta.y) / 2));
    SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(hasta.x, hasta.y));
    SendMessageA(Mesa(), WM_LBUTTONUP, 0, Pt(hasta.x, hasta.y));
    Bombear();
  }
  // Moves the real pointer to a screen point and lets its messages through.
  static void Apuntar(int x, int y) {
    SetCursorPos(x, y);
    Bombear();
  }
};

// ---- The board ---------------------------------------------------------------

// Between the felt, the bars and the box buttons the main window shows its
// walnut tile, laid from its corner, and a dark groove (never black) along
// the table's left, bottom and right edges.
TEST_F(PantallaJuego, TheGuttersAroundTheTableAreWalnut) {
  const auto orla = CargarImagenArchivo(6001);
  const HIMAGE t = ImagenDe(orla);
  ASSERT_TRUE(t);
  UpdateWindow(ventanaPrincipal);
  std::vector<RECT> hijas;
  for (HWND h = GetWindow(ventanaPrincipal, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (IsWindowVisible(h)) {
      RECT r = Rect(h);
      MapWindowPoints(nullptr, ventanaPrincipal, reinterpret_cast<POINT*>(&r), 2);
      hijas.push_back(r);
    }
  const RECT mesa = {kXTablero, kYTablero, kXTablero + arranque.anchoTablero, kYTablero + arranque.altoTablero};
  const int W = arranque.anchoPantalla, H = arranque.altoPantalla;
  long madera = 0, distintos = 0, negros = 0;
  for (const RECT& c : {RECT{0, 78, 49, H}, RECT{0, H - 50, W, H}, RECT{W - 28, 78, W, H}}) {
    const std::vector<uint32_t> v = Leer(ventanaPrincipal, c);
    ASSERT_FALSE(v.empty());
    for (int y = c.top; y < c.bottom; ++y)
      for (int x = c.left; x < c.right; ++x) {
        const POINT p{x, y};
        if (std::any_of(hijas.begin(), hijas.end(), [p](const RECT& r) { return PtInRect(&r, p); })) continue;
        const uint32_t color = v[static_cast<size_t>((y - c.top) * (c.right - c.left) + (x - c.left))];
        negros += color == 0;
        const bool ranura = x >= mesa.left - 2 && x < mesa.right + 2 && y < mesa.bottom + 2;
        if (ranura) continue;
        ++madera;
        distintos += color != ColorImagen(t, x % t->biWidth, y % t->biHeight);
      }
  }
  EXPECT_EQ(negros, 0);
  EXPECT_GT(madera, 1000);
  EXPECT_EQ(distintos, 0);
}

TEST_F(PantallaJuego, PressOnATransparentCornerPicksThePieceUnderneath) {
  Poner(0, 300, 200);
  const POINT c = Centro(0);
  Poner(1, c.x - 2, c.y - 2);  // piece 1's box corner over piece 0's middle
  ASSERT_EQ(Frente(), 1);
  Arrastrar(c, {c.x + 40, c.y + 10});
  EXPECT_EQ(Frente(), 0);
  EXPECT_EQ(std::pair(P(0).x, P(0).y), std::pair(340, 210));
  EXPECT_EQ(P(1).x, c.x - 2);
  EXPECT_EQ(P(1).y, c.y - 2);
}

TEST_F(PantallaJuego, DropWithinSixPixelsJoinsAndSevenDoesNot) {
  for (int desvio : {6, 7}) {
    Cortar(3, 4);
    Poner(5, 400, 300);
    Poner(4, 100, 100);
    const POINT c = Centro(4);
    // Piece 4's box right beside piece 5's, off by `desvio` on both axes.
    const int32_t x = 400 - puzzle.cellW + desvio, y = 300 - desvio;
    Arrastrar(c, {c.x + x - 100, c.y + y - 100});
    const bool junta = P(4).group != 0 && P(4).group == P(5).group;
    EXPECT_EQ(junta, desvio == 6) << desvio;
    if (junta) {
      EXPECT_EQ(std::pair(P(4).x, P(4).y), std::pair(400 - puzzle.cellW, 300));
    }
  }
}

// Drops on a box's button lie side by side in the box, from its top left.
TEST_F(PantallaJuego, DropsOnABoxButtonLieSideBySideInThatBoxAndSwapTheButtonPicture) {
  Cortar(10, 14);  // two places a row in a box
  Poner(3, 200, 200);
  const POINT c = Centro(3);
  const RECT boton = Rect(BotonCaja(2));
  const POINT sobre{(boton.left + boton.right) / 2 - kXTablero, (boton.top + boton.bottom) / 2 - kYTablero};
  const auto imagenBoton = [] {
    return reinterpret_cast<HIMAGE>(SendMessageA(BotonCaja(2), kMsgObtenerImagen, 0, 0));
  };
  const auto igual = [&](uint32_t numero) {
    HIMAGE a = imagenBoton(), b = nullptr;
    if (!a || !LeerImagenRecursos(numero, &b)) return false;
    const bool si = a->biSizeImage == b->biSizeImage && std::memcmp(PixelesHIMAGE(a), PixelesHIMAGE(b), a->biSizeImage) == 0;
    LiberarHIMAGE(b);
    return si;
  };
  ASSERT_TRUE(igual(202));
  Arrastrar(c, sobre);
  EXPECT_EQ(puzzle.boards[2].count, 1);
  EXPECT_EQ(Frente(2), 3);
  EXPECT_EQ(std::pair(P(3).x, P(3).y), std::pair(0, 0));
  EXPECT_TRUE(igual(602));
  Poner(7, 200, 200);
  Arrastrar(Centro(7), sobre);
  EXPECT_EQ(Frente(2), 7);
  EXPECT_EQ(std::pair(P(7).x, P(7).y), std::pair(puzzle.cellW + puzzle.marginX, 0));
  BringToFront(2, 0, false);
  PutDownPiece(2, kTable, 500, 300);
  // Out of the box again: the box is empty and its button says so.
  SetWindowPos(VentanaCaja(2), nullptr, 0, 0, 0, 0, kSwpMostrar);
  Bombear();
  HWND tablero = VentanaTablero(2);
  const POINT d = Centro(3);
  SendMessageA(tablero, WM_LBUTTONDOWN, MK_LBUTTON, Pt(d.x, d.y));
  POINT mesa{500, 400};
  MapWindowPoints(Mesa(), tablero, &mesa, 1);
  SendMessageA(tablero, WM_MOUSEMOVE, MK_LBUTTON, Pt(mesa.x, mesa.y));
  SendMessageA(tablero, WM_LBUTTONUP, 0, Pt(mesa.x, mesa.y));
  Bombear();
  EXPECT_EQ(puzzle.boards[2].count, 0);
  EXPECT_TRUE(igual(202));
}

TEST_F(PantallaJuego, RubberBandMarksLoosePiecesOnly) {
  for (int32_t i = 0; i < puzzle.PieceCount(); ++i) P(i).x = 600, P(i).y = 400;
  P(0).x = P(1).x = P(2).x = 20;
  P(0).y = 20, P(1).y = 60, P(2).y = 100;
  P(1).group = P(2).group = 3;
  DrawAllBoards(true);
  Arrastrar({5, 5}, {30, 140});
  EXPECT_EQ(P(0).unmarked, 0);
  EXPECT_EQ(std::pair(P(1).unmarked, P(2).unmarked), std::pair(uint8_t{1}, uint8_t{1}));
  EXPECT_EQ(P(5).unmarked, 1);
}

// Where the pieces are: every board's stack in order, every piece's place,
// group and mark.
std::vector<int32_t> Piezas() {
  std::vector<int32_t> v(puzzle.order);
  for (const Board& b : puzzle.boards) v.push_back(b.count);
  for (const PieceRecord& r : puzzle.pieces) v.insert(v.end(), {r.x, r.y, r.group, r.unmarked});
  return v;
}

// What a saved game keeps of the pieces, and whether the game changed.
std::vector<int32_t> Foto() {
  std::vector<int32_t> v = Piezas();
  v.push_back(puzzle.modified);
  return v;
}

// Another window taking the pointer mid-drag gives the drag up: the piece
// goes back to where it was picked up (its place in the stack too) and
// nothing lands where the pointer happens to be, not even on a box lying
// right there; the screen shows what it showed before the press.
TEST_F(PantallaJuego, LosingTheCaptureMidDragPutsThePieceBack) {
  // The pointer on the table, where no fold-out slides over what is compared.
  Apuntar(500, 300);
  Bombear(300);
  ASSERT_FALSE(IsWindowVisible(VentanaOpciones()));
  ASSERT_FALSE(IsWindowVisible(VentanaHerramientas()));
  P(2).group = P(3).group = 4;
  Poner(2, 300, 300);
  Poner(5, 300 + puzzle.cellW, 300 + puzzle.cellH / 2);  // over piece 2's margin, ahead of it
  // Box 2's board right under the table's point (-1, -1).
  POINT fuera{-1, -1};
  ClientToScreen(Mesa(), &fuera);
  SetWindowPos(VentanaCaja(2), nullptr, 0, 0, 0, 0, kSwpMostrar);
  Bombear();
  const RECT caja = Rect(VentanaCaja(2)), tablero = Rect(VentanaTablero(2));
  SetWindowPos(VentanaCaja(2), nullptr, fuera.x - 20 - (tablero.left - caja.left), fuera.y - 20 - (tablero.top - caja.top), 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Bombear();
  ASSERT_EQ(WindowFromPoint(fuera), VentanaTablero(2));
  UpdateWindow(Mesa());
  const RECT zona{280, 280, arranque.anchoTablero, arranque.altoTablero};
  const std::vector<uint32_t> pantalla = Leer(Mesa(), zona);
  const std::vector<int32_t> antes = Foto();
  const POINT c = Centro(2);
  SendMessageA(Mesa(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(c.x, c.y));
  ASSERT_EQ(Frente(), 2);
  SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(c.x + 50, c.y + 50));
  SetCapture(ventanaPrincipal);
  ReleaseCapture();
  Bombear();
  EXPECT_EQ(Foto(), antes);
  EXPECT_EQ(puzzle.boards[2].count, 0);
  UpdateWindow(Mesa());
  EXPECT_EQ(Leer(Mesa(), zona), pantalla);
  // A rubber band cut short marks nothing.
  for (int32_t i = 0; i < puzzle.PieceCount(); ++i) P(i).x = 600, P(i).y = 400;
  P(0).x = P(0).y = 20;
  DrawAllBoards(true);
  const std::vector<int32_t> sinBanda = Foto();
  SendMessageA(Mesa(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
  SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(60, 60));
  SetCapture(ventanaPrincipal);
  ReleaseCapture();
  Bombear();
  EXPECT_EQ(Foto(), sinBanda);
  // The board is usable again: a new press picks the piece up.
  Poner(2, 300, 300);
  Arrastrar(c, {c.x + 10, c.y});
  EXPECT_EQ(P(2).x, 310);
}

// A box's board going leaves the puzzle to the others; the main window
// made the magnifier, and its end closes the puzzle.
TEST_F(PantallaJuego, ABoardGoingLeavesThePuzzleOpenAndTheMagnifierIsThere) {
  ASSERT_NE(VentanaLupa(), nullptr);
  EXPECT_EQ(GetWindow(VentanaLupa(), GW_OWNER), ventanaPrincipal);
  const std::vector<int32_t> antes = Foto();
  DestroyWindow(VentanaTablero(3));
  Bombear();
  EXPECT_EQ(VentanaTablero(3), nullptr);
  EXPECT_TRUE(puzzle.Exists());
  EXPECT_EQ(Foto(), antes);
  Poner(2, 300, 300);
  Arrastrar(Centro(2), {Centro(2).x + 10, Centro(2).y});
  EXPECT_EQ(P(2).x, 310);
  DestroyWindow(ventanaPrincipal);
  EXPECT_FALSE(puzzle.Exists());
  EXPECT_EQ(puzzle.PieceCount(), 0);
}

TEST_F(PantallaJuego, TheClockStartsWithTheFirstPressOnAPiece) {
  ASSERT_EQ(puzzle.clockIdle, 1);
  for (int32_t i = 0; i < puzzle.PieceCount(); ++i) P(i).x = 600, P(i).y = 400;
  DrawAllBoards(true);
  Arrastrar({10, 10}, {20, 20});
  EXPECT_EQ(puzzle.clockIdle, 1);
  EXPECT_FALSE(puzzle.clockRunning);
  Poner(0, 100, 100);
  Arrastrar(Centro(0), {Centro(0).x + 5, Centro(0).y});
  EXPECT_EQ(puzzle.clockIdle, 0);
  EXPECT_TRUE(puzzle.clockRunning);
  // Minimised, the clock stands still; restored, it runs on.
  SendMessageA(ventanaPrincipal, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_EQ(puzzle.paused, 1);
  const uint32_t antes = puzzle.seconds;
  PuzzleClockTick();
  EXPECT_EQ(puzzle.seconds, antes);
  SendMessageA(ventanaPrincipal, WM_SIZE, SIZE_MAXIMIZED, 0);
  PuzzleClockTick();
  EXPECT_EQ(puzzle.seconds, antes + 1);
}

// ---- Tools and options ----------------------------------------------------------

// Pumps while `deslizando()`; the milliseconds it took.
DWORD EsperarDeslizamiento(bool (*deslizando)()) {
  const DWORD inicio = GetTickCount();
  while (deslizando() && GetTickCount() - inicio < 5000) Bombear(5);
  return GetTickCount() - inicio;
}

// Pixels of `r` in `ventana` that differ from the ancho x alto block at
// the corner of archive picture `numero`, tiled from the window's corner.
long FueraDelMosaico(HWND ventana, RECT r, uint32_t numero, int ancho, int alto) {
  const auto fondo = CargarImagenArchivo(numero);
  const HIMAGE f = ImagenDe(fondo);
  const std::vector<uint32_t> v = Leer(ventana, r);
  if (!f || v.empty()) return -1;
  long n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      n += v[static_cast<size_t>((y - r.top) * (r.right - r.left) + x - r.left)] !=
           ColorImagen(f, x % ancho, y % alto);
  return n;
}

TEST_F(PantallaJuego, ToolsSlideOutOnTheStripAndFoldAwayWhenThePointerLeaves) {
  HWND herramientas = VentanaHerramientas();
  ASSERT_FALSE(IsWindowVisible(herramientas));
  Apuntar(10, 400);
  // The bar only starts the slide: the window shows at once, its buttons
  // once it is out, after the slide's time and not before.
  const DWORD inicio = GetTickCount();
  SendMessageA(VentanaBarraHerramientas(), WM_MOUSEMOVE, 0, Pt(10, 400 - kYTablero));
  EXPECT_LT(GetTickCount() - inicio, kDuracionDeslizamiento / 2);
  EXPECT_TRUE(IsWindowVisible(herramientas));
  EXPECT_TRUE(HerramientasDeslizando());
  for (int k = 0; k < 6; ++k) EXPECT_FALSE(IsWindowVisible(BotonHerramienta(k))) << k;
  EsperarDeslizamiento(HerramientasDeslizando);
  EXPECT_GE(GetTickCount() - inicio, kDuracionDeslizamiento);
  EXPECT_LT(GetTickCount() - inicio, kDuracionDeslizamiento + 2000);
  for (int k = 0; k < 6; ++k) EXPECT_TRUE(IsWindowVisible(BotonHerramienta(k))) << k;
  // It ends where it always did: picture 120's corner at the window's
  // (the strip above the first button).
  EXPECT_EQ(FueraDelMosaico(herramientas, {0, 0, 98, 60}, 120, 98, 95), 0);
  // The six buttons at 768 pixels: every 690 / 7 = 98, less 35.
  for (int k = 0; k < 6; ++k) EXPECT_EQ(Rect(BotonHerramienta(k)).top - kYTablero, 63 + 98 * k) << k;
  Apuntar(60, 300);
  Bombear(300);
  EXPECT_TRUE(IsWindowVisible(herramientas)) << "the pointer is still over it";
  Apuntar(500, 300);
  Bombear(250);
  EXPECT_FALSE(IsWindowVisible(herramientas));
  EXPECT_FALSE(IsWindowVisible(BotonHerramienta(0)));
}

// A press on a window still sliding finishes the slide at once, where it
// ends anyway; the options come up from below.
TEST_F(PantallaJuego, APressOnASlidingWindowFinishesTheSlide) {
  HWND opciones = VentanaOpciones();
  Apuntar(500, arranque.altoPantalla - 10);
  SendMessageA(VentanaBarraOpciones(), WM_MOUSEMOVE, 0, Pt(500, 15));
  ASSERT_TRUE(OpcionesDeslizando());
  EXPECT_FALSE(IsWindowVisible(BotonOpcion(0)));
  SendMessageA(opciones, WM_LBUTTONDOWN, MK_LBUTTON, Pt(500, 10));
  SendMessageA(opciones, WM_LBUTTONUP, 0, Pt(500, 10));
  EXPECT_FALSE(OpcionesDeslizando());
  for (int k = 0; k < 7; ++k) EXPECT_TRUE(IsWindowVisible(BotonOpcion(k))) << k;
  // Picture 123's corner at the window's, across the whole width above the buttons.
  EXPECT_EQ(FueraDelMosaico(opciones, {0, 0, arranque.anchoPantalla, 27}, 123, 103, 103), 0);
  // Another press on it does nothing more.
  SendMessageA(opciones, WM_LBUTTONDOWN, MK_LBUTTON, Pt(500, 10));
  EXPECT_TRUE(IsWindowVisible(opciones));
  EXPECT_EQ(FueraDelMosaico(opciones, {0, 0, arranque.anchoPantalla, 27}, 123, 103, 103), 0);
}

// The pointer and the left button as the player works them: real input,
// which the system delivers to the window under the pointer.
void Raton(DWORD banderas, POINT p = {}) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi = {p.x * 65536 / GetSystemMetrics(SM_CXSCREEN) + 1, p.y * 65536 / GetSystemMetrics(SM_CYSCREEN) + 1, 0,
           banderas | (banderas & MOUSEEVENTF_MOVE ? MOUSEEVENTF_ABSOLUTE : 0), 0, 0};
  SendInput(1, &in, sizeof in);
  Bombear(20);
}
void Mover(POINT p) { Raton(MOUSEEVENTF_MOVE, p); }
POINT MedioDe(HWND h) {
  const RECT r = Rect(h);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A click on a strip's tab, while the strip slides out or once it rests,
// only opens it: the button that slid under the pointer (edges to a box
// under "Tools", open puzzle under "Options" at 1024 x 768) stays deaf
// until the pointer has moved on it or left it.
TEST_F(PantallaJuego, ATabClickOnlyOpensItsStrip) {
  PeticionesGrabadas peticiones;
  const POINT mesa{500, 400}, herramientas{12, 384}, opciones{512, 756};
  const std::pair<POINT, bool (*)()> tiras[] = {{herramientas, HerramientasDeslizando}, {opciones, OpcionesDeslizando}};
  for (const bool alVuelo : {true, false})
    for (const auto& [pestaña, deslizando] : tiras) {
      Mover(mesa);
      Bombear(250);
      Mover(pestaña);
      ASSERT_TRUE(deslizando());
      if (!alVuelo) EsperarDeslizamiento(deslizando);
      Raton(MOUSEEVENTF_LEFTDOWN);
      EsperarDeslizamiento(deslizando);
      Raton(MOUSEEVENTF_LEFTUP);
      Raton(MOUSEEVENTF_LEFTDOWN);
      Raton(MOUSEEVENTF_LEFTUP);
      Bombear(150);
      ASSERT_EQ(puzzle.boards[0].count, 0) << "edges to a box, " << (alVuelo ? "while it slid" : "once it rested");
      ASSERT_TRUE(peticiones.Tomar().empty()) << (alVuelo ? "while it slid" : "once it rested");
    }
  // Moved on it, or over to the save button and back: open puzzle hears the click.
  const auto clic = [&](POINT p) {
    Mover(p);
    Raton(MOUSEEVENTF_LEFTDOWN);
    Raton(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(peticiones.Tomar(), std::vector<std::string>{"open"});
  };
  clic({opciones.x + 10, opciones.y - 10});
  Mover(MedioDe(BotonOpcion(kOpcionGuardar)));
  Bombear(250);
  clic(opciones);
}

// What the tooltip says once the pointer has rested on `boton` for the
// pause, wholly on the screen beside it; none shows before the pause.
std::string Globo(HWND boton, UINT pausa) {
  const POINT c = MedioDe(boton);
  Mover({c.x - 3, c.y});
  Mover(c);
  Bombear(pausa / 2);
  if (VentanaGlobo()) return "(before the pause)";
  Bombear(pausa + 150);
  if (!VentanaGlobo() || !IsWindowVisible(VentanaGlobo())) return "";
  const RECT r = Rect(VentanaGlobo());
  if (r.left < 0 || r.top < 0 || r.right > GetSystemMetrics(SM_CXSCREEN) || r.bottom > GetSystemMetrics(SM_CYSCREEN) ||
      std::abs((r.top + r.bottom) / 2 - c.y) > 60)
    return "(out of place)";
  char texto[200] = "";
  GetWindowTextA(VentanaGlobo(), texto, sizeof texto);
  return texto;
}

// The play screen's rows of picture buttons: how they come out, and how many.
struct FilaBotones {
  void (*abrir)();
  bool (*deslizando)();
  HWND (*boton)(int);
  int n;
};
const FilaBotones kFilas[] = {{AbrirHerramientas, HerramientasDeslizando, BotonHerramienta, 6},
                              {AbrirOpciones, OpcionesDeslizando, BotonOpcion, 7},
                              {[] {}, [] { return false; }, BotonCaja, 6},
                              {[] {}, [] { return false; }, [](int) { return BotonInfo(); }, 1}};

// Every picture button of the play screen (and, in English, of the
// new-puzzle window) names itself after the pause, in the game's language,
// each its own name; the name goes when the pointer leaves or presses.
TEST_F(PantallaJuego, PictureButtonsNameThemselvesAfterThePause) {
  PeticionesGrabadas peticiones;
  UINT pausaSistema = 0;
  SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &pausaSistema, 0);
  constexpr UINT kPausa = 150;
  SystemParametersInfoA(SPI_SETMOUSEHOVERTIME, kPausa, nullptr, 0);
  const int32_t idiomaAntes = idioma;
  for (const int32_t lengua : {1, 0}) {
    idioma = lengua;
    std::vector<std::string> dichos;
    for (const auto& [abrir, deslizando, boton, n] : kFilas) {
      Mover({500, 400});
      Bombear(250);
      EXPECT_EQ(VentanaGlobo(), nullptr) << "the pointer left";
      abrir();
      EsperarDeslizamiento(deslizando);
      for (int k = 0; k < n; ++k) dichos.push_back(Globo(boton(k), kPausa));
    }
    EXPECT_EQ(dichos[2], lengua ? "Edges to a box (Ctrl+E)" : "Bordes a una caja (Ctrl+E)");
    EXPECT_EQ(dichos[6 + kOpcionLupa], lengua ? "Magnifier (M)" : "Lupa (M)");
    EXPECT_EQ(dichos[15], lengua ? "Piece box 3 (3)" : "Caja 3 (3)");
    Raton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(VentanaGlobo(), nullptr) << "a press";
    Mover({500, 400});
    Raton(MOUSEEVENTF_LEFTUP);
    if (lengua == 1) {
      AbrirMenuNuevo();
      for (const int pagina : {0, 1, 3}) {
        SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(PestañaMenuNuevo(pagina)));
        for (int t = 0; t < 100 && PaginaDeslizando(); ++t) Bombear(10);
        using C = ControlNuevo;
        const std::vector<HWND> botones =
            pagina == 0 ? std::vector{ControlMenuNuevo(C::aceptar), ControlMenuNuevo(C::cerrar), ControlMenuNuevo(C::agregar),
                                      ControlMenuNuevo(C::vistaPrevia)}
            : pagina == 1 ? std::vector{ControlMenuNuevo(C::ajustar), ControlMenuNuevo(C::natural)}
                          : std::vector{TroquelMenuNuevo(0), TroquelMenuNuevo(1), TroquelMenuNuevo(2)};
        for (HWND b : botones) dichos.push_back(Globo(b, kPausa));
      }
      EXPECT_EQ(Globo(ControlMenuNuevo(ControlNuevo::ayuda), kPausa), "Help (F1)");
      EXPECT_EQ(dichos[21], "Close (Esc)");
      DestroyWindow(VentanaMenuNuevo());
    }
    for (size_t i = 0; i < dichos.size(); ++i) {
      EXPECT_FALSE(dichos[i].empty() || dichos[i][0] == '(') << i << ": " << dichos[i];
      for (size_t j = 0; j < i; ++j) EXPECT_NE(dichos[i], dichos[j]) << i << " and " << j;
    }
  }
  idioma = idiomaAntes;
  SystemParametersInfoA(SPI_SETMOUSEHOVERTIME, pausaSistema, nullptr, 0);
}

// Solving asks first: no leaves the puzzle as it was; yes lays it out and
// ends it, and undo takes that back. A solved puzzle asks nothing.
TEST_F(PantallaJuego, SolveAsksFirstAndUndoTakesItBack) {
  const auto resolver = [](bool si) {
    SendMessageA(VentanaHerramientas(), kMsgNotificacion, kNotifActivado,
                 reinterpret_cast<LPARAM>(BotonHerramienta(kHerramientaResolver)));
    if (!ventanaMensaje) return false;
    SendMessageA(ventanaMensaje, WM_CHAR, si ? VK_RETURN : VK_ESCAPE, 0);
    Bombear(150);
    return true;
  };
  const std::string antes = FormatPuzzleDump({});
  ASSERT_TRUE(resolver(false));
  EXPECT_EQ(FormatPuzzleDump({}), antes);
  ASSERT_TRUE(resolver(true));
  EXPECT_EQ(puzzle.finished, 1);
  const int32_t n = puzzle.PieceCount();
  for (int32_t i = 1; i < n; ++i) {
    EXPECT_EQ(P(i).group, n);
    EXPECT_EQ(P(i).x - P(0).x, puzzle.cellW * (i % puzzle.cols));
  }
  EXPECT_FALSE(resolver(true));
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(FormatPuzzleDump({}), antes);
}

TEST_F(PantallaJuego, TheHintButtonStopsAfterTheLastAllowedHint) {
  HWND pista = BotonPista();
  ASSERT_EQ(HintLimit(), 2);  // 12 pieces
  const auto pedir = [&] {
    SendMessageA(VentanaHerramientas(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(pista));
  };
  pedir();
  EXPECT_EQ(SendMessageA(pista, kMsgObtenerHabilitado, 0, 0), 1);
  pedir();
  EXPECT_EQ(puzzle.hints, 2);
  EXPECT_EQ(SendMessageA(pista, kMsgObtenerHabilitado, 0, 0), 0);
  // The end of a puzzle makes it usable again, at rest.
  PistaDisponible(true);
  EXPECT_EQ(SendMessageA(pista, kMsgObtenerHabilitado, 0, 0), 1);
  EXPECT_EQ(SendMessageA(pista, kMsgAnimObtenerCuadro, 0, 0), 0);
}

TEST_F(PantallaJuego, TheMagnifierButtonTogglesTheMagnifierWithoutTakingTheActivation) {
  HWND lupa = VentanaLupa();
  ASSERT_FALSE(IsWindowVisible(lupa));
  char titulo[20];
  GetWindowTextA(lupa, titulo, sizeof titulo);
  EXPECT_STREQ(titulo, "Preview");
  const POINT t = TamañoLupa(imagenActual.Tamaño().x, imagenActual.Tamaño().y);
  EXPECT_EQ(Rect(lupa).right - Rect(lupa).left, t.x + 8);
  SetActiveWindow(ventanaPrincipal);
  const auto clic = [] {
    SendMessageA(VentanaOpciones(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonOpcion(kOpcionLupa)));
  };
  clic();
  EXPECT_TRUE(IsWindowVisible(lupa));
  EXPECT_EQ(GetActiveWindow(), ventanaPrincipal);
  clic();
  EXPECT_FALSE(IsWindowVisible(lupa));
}

// The standard reaction of an animated button, step by step.
TEST_F(PantallaJuego, AnimatedButtonFeedback) {
  HWND b = BotonHerramienta(kHerramientaMusica);
  const auto estado = [&] {
    return std::pair(SendMessageA(b, kMsgAnimObtenerValorUsuario, 0, 0), SendMessageA(b, kMsgAnimObtenerCuadro, 0, 0));
  };
  ReaccionBotonAnimado(b, kNotifPresionado);
  EXPECT_EQ(estado(), std::pair(LRESULT{3}, LRESULT{9}));
  ReaccionBotonAnimado(b, kNotifSalio);  // pressed and off it: the top of the animation
  EXPECT_EQ(estado(), std::pair(LRESULT{3}, LRESULT{8}));
  ReaccionBotonAnimado(b, kNotifSoltado);  // released away from it
  EXPECT_EQ(estado(), std::pair(LRESULT{0}, LRESULT{0}));
  ReaccionBotonAnimado(b, kNotifQuinto);  // a tick runs it up ...
  EXPECT_EQ(estado(), std::pair(LRESULT{0}, LRESULT{1}));
  SendMessageA(b, kMsgAnimPonerCuadro, 0, 8);
  ReaccionBotonAnimado(b, kNotifQuinto);  // ... and holds it at the top
  EXPECT_EQ(estado().first, 2);
  ReaccionBotonAnimado(b, kNotifSalio);  // leaving runs it back down
  ReaccionBotonAnimado(b, kNotifQuinto);
  EXPECT_EQ(estado(), std::pair(LRESULT{1}, LRESULT{7}));
  SendMessageA(b, kMsgAnimPonerCuadro, 0, 0);
  ReaccionBotonAnimado(b, kNotifQuinto);
  EXPECT_EQ(estado(), std::pair(LRESULT{0}, LRESULT{0}));
}

// ---- Main window and boxes --------------------------------------------------------

TEST_F(PantallaJuego, ABoxButtonShowsAndHidesItsBox) {
  HWND caja = VentanaCaja(4);
  const auto clic = [] {
    SendMessageA(ventanaPrincipal, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonCaja(4)));
  };
  ASSERT_FALSE(IsWindowVisible(caja));
  clic();
  EXPECT_TRUE(IsWindowVisible(caja));
  clic();
  EXPECT_FALSE(IsWindowVisible(caja));
}

TEST_F(PantallaJuego, BoxNames) {
  char nombre[64];
  GetWindowTextA(VentanaCaja(0), nombre, sizeof nombre);
  EXPECT_STREQ(nombre, "Box1 ");
  GetWindowTextA(VentanaCaja(5), nombre, sizeof nombre);
  EXPECT_STREQ(nombre, "Box6 ");
  SetWindowTextA(VentanaCaja(1), std::string(50, 'x').c_str());
  EXPECT_EQ(SendMessageA(VentanaCaja(1), WM_GETTEXT, sizeof nombre, reinterpret_cast<LPARAM>(nombre)), 39);
  EXPECT_EQ(SendMessageA(VentanaCaja(1), WM_GETTEXT, 24, reinterpret_cast<LPARAM>(nombre)), 23);
  EXPECT_EQ(std::string(nombre), std::string(23, 'x'));
}

// The boxes share their font and pictures: a box going leaves the others
// painting their title bar, name and frame as before.
TEST_F(PantallaJuego, ABoxGoingLeavesTheOthersPaintingAsBefore) {
  const auto barra = CargarImagenArchivo(227);
  const HIMAGE b = ImagenDe(barra);
  ASSERT_TRUE(b);
  HWND caja = VentanaCaja(1);
  SetWindowPos(caja, nullptr, 300, 200, 300, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
  Bombear();
  UpdateWindow(caja);
  const RECT titulo{0, 0, 200, b->biHeight}, marco{6, b->biHeight, 300 - 6, b->biHeight + 6};
  const std::vector<uint32_t> antes = Leer(caja, titulo);
  ASSERT_EQ(antes.size(), static_cast<size_t>(200 * b->biHeight));
  long tinta = 0;  // what the bar alone would not show: the name
  for (int y = 0; y < b->biHeight; ++y)
    for (int x = 0; x < 200; ++x) tinta += antes[static_cast<size_t>(200 * y + x)] != ColorImagen(b, x % b->biWidth, y);
  EXPECT_GT(tinta, 30);
  EXPECT_EQ(Contar(caja, marco, Igual(0)), 288 * 6);
  DestroyWindow(VentanaCaja(0));
  Bombear();
  RedrawWindow(caja, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_EQ(Leer(caja, titulo), antes);
  EXPECT_EQ(Contar(caja, marco, Igual(0)), 288 * 6);
}

class CajaAbierta : public PantallaJuego {
 protected:
  void SetUp() override {
    PantallaJuego::SetUp();
    caja_ = VentanaCaja(0);
    SetWindowPos(caja_, nullptr, 300, 200, 300, 300, SWP_NOZORDER | SWP_SHOWWINDOW);
    Bombear();
  }
  // Press at client point (x, y) of the box, pointer to the screen point (sx, sy).
  void Tirar(int x, int y, int sx, int sy) {
    POINT p{x, y};
    ClientToScreen(caja_, &p);
    Apuntar(p.x, p.y);
    SendMessageA(caja_, WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
    Apuntar(sx, sy);
    SendMessageA(caja_, WM_MOUSEMOVE, MK_LBUTTON, Pt(0, 0));
    SendMessageA(caja_, WM_LBUTTONUP, 0, Pt(0, 0));
    Bombear();
  }
  std::pair<LONG, LONG> Cliente() const {
    RECT r;
    GetClientRect(caja_, &r);
    return {r.right, r.bottom};
  }
  HWND caja_ = nullptr;
};

TEST_F(CajaAbierta, ResizingStopsAtTheScreenAndAtTwoHundred) {
  // From the screen's corner, the bottom-right corner pulled beyond the screen.
  SetWindowPos(caja_, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  Tirar(297, 297, 5000, 5000);
  EXPECT_EQ(Cliente(), std::pair(LONG{GetSystemMetrics(SM_CXSCREEN)}, LONG{GetSystemMetrics(SM_CYSCREEN)}));
  const RECT r = Rect(caja_);
  Tirar(r.right - r.left - 3, r.bottom - r.top - 3, 0, 0);
  EXPECT_EQ(Cliente(), std::pair(LONG{200}, LONG{200}));
  // The board inside follows: the frame and the title bar around it.
  RECT t;
  GetClientRect(VentanaTablero(0), &t);
  EXPECT_EQ(t.right, 200 - 12);
}

TEST_F(CajaAbierta, TheLeftEdgeKeepsTheRightEdgeWhereItWas) {
  const LONG derecha = Rect(caja_).right;
  Tirar(2, 100, 300 + 2 - 60, 200 + 100);
  EXPECT_EQ(Rect(caja_).right, derecha);
  EXPECT_EQ(Cliente().first, 360);
  EXPECT_EQ(Rect(caja_).left, 240);
  // The close button follows the right edge.
  EXPECT_EQ(Rect(GetDlgItem(caja_, 10)).right, derecha);
}

TEST_F(CajaAbierta, RenameTakesTheAnswerOrKeepsTheOldNameAndEnablesTheBoxAgain) {
  struct Caso { const char* escrito; WPARAM tecla; const char* nombre; };
  for (const Caso& c : {Caso{"", VK_RETURN, ""}, Caso{"Cielo", VK_ESCAPE, "Box1 "}, Caso{"Cielo", VK_RETURN, "Cielo"}}) {
    SetWindowTextA(caja_, "Box1 ");
    SendMessageA(caja_, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(GetDlgItem(caja_, 11)));
    EXPECT_FALSE(IsWindowEnabled(caja_));
    ASSERT_NE(ventanaMensaje, nullptr);
    SetWindowTextA(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), c.escrito);
    SendMessageA(ventanaMensaje, WM_CHAR, c.tecla, 0);
    Bombear(150);
    char nombre[64];
    GetWindowTextA(caja_, nombre, sizeof nombre);
    EXPECT_STREQ(nombre, c.nombre) << c.escrito;
    EXPECT_TRUE(IsWindowEnabled(caja_));
  }
}

// A name longer than the title bar ends before the pencil, at any width:
// the columns just left of it show the bar alone.
TEST_F(CajaAbierta, ALongNameEndsBeforeThePencil) {
  const auto barra = CargarImagenArchivo(227);
  const HIMAGE b = ImagenDe(barra);
  ASSERT_TRUE(b);
  SetWindowTextA(caja_, std::string(39, 'M').c_str());
  for (int ancho : {300, 261, 222}) {
    const RECT r = Rect(caja_);
    Tirar(r.right - r.left - 3, r.bottom - r.top - 3, r.left + ancho - 3, r.bottom - 3);
    ASSERT_EQ(Cliente().first, ancho);
    UpdateWindow(caja_);
    RECT lapiz = Rect(GetDlgItem(caja_, 11));
    MapWindowPoints(nullptr, caja_, reinterpret_cast<POINT*>(&lapiz), 2);
    const std::vector<uint32_t> v = Leer(caja_, {lapiz.left - 4, 0, lapiz.left, b->biHeight});
    ASSERT_EQ(v.size(), static_cast<size_t>(4 * b->biHeight));
    long distintos = 0;
    for (int y = 0; y < b->biHeight; ++y)
      for (int x = 0; x < 4; ++x) distintos += v[static_cast<size_t>(4 * y + x)] != ColorImagen(b, 0, y);
    EXPECT_EQ(distintos, 0) << ancho;
    EXPECT_GT(Contar(caja_, {10, 0, 60, b->biHeight}, [](uint32_t c) { return Suma(c) < 100; }), 30) << ancho;
  }
}


// ---- Help with big puzzles: the buttons and the keyboard ------------------------

// A key pressed on the table, with Ctrl and Shift held or not; whether the
// shortcuts took it.
bool Tecla(WPARAM tecla, bool ctrl = false, bool mayusculas = false) {
  BYTE estado[256] = {};
  GetKeyboardState(estado);
  estado[VK_CONTROL] = ctrl ? 0x80 : 0;
  estado[VK_SHIFT] = mayusculas ? 0x80 : 0;
  estado[VK_MENU] = 0;
  SetKeyboardState(estado);
  MSG msg{};
  msg.hwnd = VentanaTablero(kTable);
  msg.message = WM_KEYDOWN;
  msg.wParam = tecla;
  msg.lParam = 1;
  const bool tomada = AtenderAtajo(msg);
  estado[VK_CONTROL] = estado[VK_SHIFT] = 0;
  SetKeyboardState(estado);
  return tomada;
}

std::string Titulo(HWND hwnd) {
  char texto[64] = "";
  GetWindowTextA(hwnd, texto, sizeof texto);
  return texto;
}

TEST_F(PantallaJuego, EdgesGoToTheFirstEmptyBoxNamedInTheGamesLanguage) {
  struct Caso { int32_t idioma; const char* nombre; };
  const int32_t antes = idioma;
  for (const Caso c : {Caso{1, "Edges"}, Caso{5, "R\xe4nder"}}) {
    SCOPED_TRACE(c.nombre);
    Cortar(3, 4);  // 10 edge pieces, 2 inner ones
    idioma = c.idioma;
    // Box 1 holds a piece: box 2 is the first empty one.
    const std::string nombreAntes = Titulo(VentanaCaja(1));
    const int32_t inner = 5;
    BringToFront(kTable, Posicion(inner), false);
    PutDownPiece(kTable, 0, 20, 20);
    SendMessageA(VentanaHerramientas(), kMsgNotificacion, kNotifActivado,
                 reinterpret_cast<LPARAM>(BotonHerramienta(kHerramientaBordes)));
    Bombear();
    EXPECT_EQ(puzzle.boards[1].count, 10);
    EXPECT_EQ(Titulo(VentanaCaja(1)), c.nombre);
    EXPECT_TRUE(IsWindowVisible(VentanaCaja(1))) << "the box opens";
    // Grown to show them, within the screen.
    const RECT r = Rect(VentanaCaja(1));
    EXPECT_GT(r.right - r.left, 300);
    EXPECT_TRUE(r.left >= 0 && r.top >= kYTablero && r.right <= Rect(BotonCaja(0)).left && r.bottom <= arranque.altoPantalla);
    for (int32_t i = 0; i < puzzle.boards[1].count; ++i) EXPECT_TRUE(EsPiezaBorde(puzzle.order[puzzle.boards[1].first + i]));
    // Undone: the pieces and the box's old name come back.
    ASSERT_TRUE(Tecla('Z', true));
    EXPECT_EQ(puzzle.boards[1].count, 0);
    EXPECT_EQ(Titulo(VentanaCaja(1)), nombreAntes);
    ASSERT_TRUE(Tecla('Z', true, true));  // Ctrl+Shift+Z redoes
    EXPECT_EQ(Titulo(VentanaCaja(1)), c.nombre);
    OcultarVentana(VentanaCaja(1));
  }
  idioma = antes;
}

TEST_F(PantallaJuego, EdgesWithNoEmptyBoxSayWhyAndMoveNothing) {
  for (int b = 0; b < kBoxCount; ++b) {
    BringToFront(kTable, 0, false);
    PutDownPiece(kTable, b, 20, 20);
  }
  const std::vector<PieceRecord> antes = puzzle.pieces;
  ASSERT_TRUE(Tecla('E', true));
  Bombear();
  ASSERT_NE(ventanaMensaje, nullptr) << "a message says no box is empty";
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear();
  for (size_t i = 0; i < antes.size(); ++i) EXPECT_EQ(puzzle.pieces[i].x, antes[i].x) << i;
}

TEST_F(PantallaJuego, TheShortcutsDoWhatTheButtonsDo) {
  // Spread: the picture fills the table, so there is room for some pieces
  // only: those lie apart (no box over another's body), the rest in one pile.
  const std::vector<int32_t> cortadas = Piezas();
  ASSERT_TRUE(Tecla('G', true));
  const int32_t n = puzzle.PieceCount(), mx = puzzle.marginX, my = puzzle.marginY;
  int32_t apiladas = 0;
  for (int32_t i = 0; i < n; ++i)
    for (int32_t k = i + 1; k < n; ++k) {
      const PieceRecord &a = P(i), &b = P(k);
      if (a.x == b.x && a.y == b.y) {
        ++apiladas;
        continue;
      }
      EXPECT_FALSE(a.x < b.x + mx + puzzle.cellW && b.x + mx < a.x + puzzle.boxW && a.y < b.y + my + puzzle.cellH &&
                   b.y + my < a.y + puzzle.boxH)
          << i << " over " << k;
    }
  EXPECT_GT(apiladas, 0);
  // Undo brings every piece back as it was cut; redo spreads them again.
  const std::vector<int32_t> esparcidas = Piezas();
  ASSERT_NE(esparcidas, cortadas);
  ASSERT_TRUE(Tecla('Z', true));
  EXPECT_EQ(Piezas(), cortadas);
  ASSERT_TRUE(Tecla('Y', true));
  EXPECT_EQ(Piezas(), esparcidas);
  // H is the hint button.
  ASSERT_TRUE(Tecla('H'));
  EXPECT_EQ(puzzle.hints, 1);
  // 1-6 open and close their box; M the magnifier.
  ASSERT_TRUE(Tecla('3'));
  EXPECT_TRUE(IsWindowVisible(VentanaCaja(2)));
  ASSERT_TRUE(Tecla('3'));
  EXPECT_FALSE(IsWindowVisible(VentanaCaja(2)));
  EXPECT_EQ(GetActiveWindow(), ventanaPrincipal) << "the keyboard comes back to the game";
  ASSERT_TRUE(Tecla('M'));
  EXPECT_TRUE(IsWindowVisible(VentanaLupa()));
  ASSERT_TRUE(Tecla('M'));
  EXPECT_FALSE(IsWindowVisible(VentanaLupa()));
  // Ctrl+B asks for the ghost picture, as its button does.
  {
    PeticionesGrabadas grabadas;
    ASSERT_TRUE(Tecla('B', true));
    SendMessageA(VentanaOpciones(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonOpcion(kOpcionFantasma)));
    EXPECT_EQ(grabadas.Tomar(), (std::vector<std::string>{"ghost", "ghost"}));
  }
  // Escape on the table is no way out.
  ASSERT_TRUE(Tecla(VK_ESCAPE));
  Bombear();
  EXPECT_TRUE(IsWindow(ventanaPrincipal));
}

TEST_F(PantallaJuego, ShortcutsWaitForAPopUpAndLeaveATypedFieldAlone) {
  // The first save asks for a name: the file window, which Escape closes.
  ASSERT_TRUE(Tecla('S', true));
  Bombear();
  ASSERT_FALSE(IsWindowEnabled(ventanaPrincipal)) << "the file window is open";
  HWND archivo = GetActiveWindow();
  // Its name field has the keyboard: nothing is taken there.
  HWND campo = GetFocus();
  char clase[16] = "";
  GetClassNameA(campo, clase, sizeof clase);
  EXPECT_STREQ(clase, "Edit");
  EXPECT_FALSE(Tecla('Z', true));
  // Away from the field, a shortcut waits; Escape closes the window.
  SetFocus(archivo);
  const size_t niveles = Historial().Niveles();
  EXPECT_FALSE(Tecla('G', true));
  EXPECT_EQ(Historial().Niveles(), niveles);
  ASSERT_TRUE(Tecla(VK_ESCAPE));
  Bombear(100);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
  EXPECT_FALSE(IsWindow(archivo));
  // During a drag nothing is taken.
  SetCapture(Mesa());
  EXPECT_FALSE(Tecla('G', true));
  ReleaseCapture();
}

// The hint's join lights up over the table for about a second, its pieces
// lighter than the table's image; then the table shows its image again,
// pixel for pixel.
TEST_F(PantallaJuego, TheHintLightsUpTheJoinForAMomentAndLeavesNoMark) {
  ASSERT_TRUE(Tecla('H'));
  ASSERT_TRUE(ResaltePistaActivo());
  const RECT a = AreaResaltePista();
  Board& mesa = puzzle.boards[kTable];
  const auto Imagen = [&](LONG x, LONG y) {
    const uint8_t* c = mesa.Row(y) + x * 3;
    return static_cast<uint32_t>(c[0] | c[1] << 8 | c[2] << 16);
  };
  const auto Comparar = [&](long* iguales, long* masClaros) {
    const std::vector<uint32_t> v = Leer(Mesa(), a);
    ASSERT_EQ(v.size(), static_cast<size_t>((a.right - a.left) * (a.bottom - a.top)));
    *iguales = *masClaros = 0;
    for (LONG y = a.top; y < a.bottom; ++y)
      for (LONG x = a.left; x < a.right; ++x) {
        const uint32_t pantalla = v[static_cast<size_t>((y - a.top) * (a.right - a.left) + x - a.left)];
        *iguales += pantalla == Imagen(x, y);
        *masClaros += Suma(pantalla) > Suma(Imagen(x, y));
      }
  };
  long iguales, masClaros;
  Comparar(&iguales, &masClaros);
  const long total = (a.right - a.left) * (a.bottom - a.top);
  EXPECT_GT(masClaros, total / 4) << "the join shows";
  Bombear(700);
  EXPECT_TRUE(ResaltePistaActivo());
  Bombear(600);
  EXPECT_FALSE(ResaltePistaActivo());
  Comparar(&iguales, &masClaros);
  EXPECT_EQ(iguales, total);
}

// Escape closes what lies on top, one window a press: the active box, then
// the highest of the magnifier and the other boxes; the information page's
// card, then the page, which holds the other shortcuts back meanwhile.
// ---- Turned pieces ------------------------------------------------------------

// How many of the pixels piece `pieza` covers the table window shows in
// another colour than the cut's, turned here as the piece lies: a grid of
// its colours turned a quarter at a time.
long NoMuestraGirada(int32_t pieza) {
  const int32_t S = puzzle.boxW;
  std::vector<std::vector<uint32_t>> c(S, std::vector<uint32_t>(S));
  for (int32_t y = 0; y < S; ++y)
    for (int32_t x = 0; x < S; ++x) {
      const uint8_t* p = puzzle.PieceColour(pieza, x, y);
      c[y][x] = *puzzle.SheetPixel(pieza, x, y) == 1 ? 1 + (p[2] << 16 | p[1] << 8 | p[0]) : 0;
    }
  for (int k = 0; k < puzzle.pieces[pieza].turn; ++k) {
    auto girado = c;
    for (int32_t y = 0; y < S; ++y)
      for (int32_t x = 0; x < S; ++x) girado[x][S - 1 - y] = c[y][x];
    c = girado;
  }
  const PieceRecord& r = puzzle.pieces[pieza];
  const std::vector<uint32_t> v = Leer(VentanaTablero(kTable), {r.x, r.y, r.x + S, r.y + S});
  if (v.size() != static_cast<size_t>(S) * S) return -1;
  long distintos = 0;
  for (int32_t y = 0; y < S; ++y)
    for (int32_t x = 0; x < S; ++x) distintos += c[y][x] && v[static_cast<size_t>(y) * S + x] != c[y][x] - 1;
  return distintos;
}

TEST_F(PantallaJuego, RightClicksAndRTurnPiecesAsTheWindowShows) {
  ActivarRelieve(false);  // the cut's own colours on the screen
  Cortar(3, 4, true);
  ASSERT_EQ(puzzle.boxW, puzzle.boxH);
  P(5).turn = 0;
  Poner(5, 300, 200);
  ASSERT_EQ(NoMuestraGirada(5), 0);
  const POINT c = Centro(5);
  const auto clicDerecho = [&](POINT p, WPARAM teclas, POINT hasta) {
    SendMessageA(Mesa(), WM_RBUTTONDOWN, MK_RBUTTON | teclas, Pt(p.x, p.y));
    SendMessageA(Mesa(), WM_MOUSEMOVE, MK_RBUTTON | teclas, Pt(hasta.x, hasta.y));
    SendMessageA(Mesa(), WM_RBUTTONUP, teclas, Pt(hasta.x, hasta.y));
    Bombear();
  };
  // A right click turns it clockwise about the point clicked.
  clicDerecho(c, 0, c);
  EXPECT_EQ(P(5).turn, 1);
  EXPECT_EQ(puzzle.order[puzzle.boards[kTable].first + HitTestPiece(kTable, c.x, c.y)], 5);
  EXPECT_EQ(NoMuestraGirada(5), 0);
  // Shift + right click: anticlockwise, back where it lay.
  clicDerecho(c, MK_SHIFT, c);
  EXPECT_EQ(std::make_tuple(P(5).turn, P(5).x, P(5).y), std::make_tuple(uint8_t{0}, 300, 200));
  // A right drag is no click.
  clicDerecho(c, 0, {c.x + 30, c.y + 20});
  EXPECT_EQ(P(5).turn, 0);
  EXPECT_EQ(NoMuestraGirada(5), 0);

  // R mid-drag turns it about the pointer; Shift+R the other way.
  const POINT hasta{c.x + 60, c.y + 25};
  for (const bool mayusculas : {false, true}) {
    SCOPED_TRACE(mayusculas ? "Shift+R" : "R");
    const uint8_t antes = P(5).turn;
    const POINT desde = Centro(5);
    SendMessageA(Mesa(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(desde.x, desde.y));
    SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(hasta.x, hasta.y));
    ASSERT_TRUE(Tecla('R', false, mayusculas));
    SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(hasta.x, hasta.y));
    SendMessageA(Mesa(), WM_LBUTTONUP, 0, Pt(hasta.x, hasta.y));
    Bombear();
    EXPECT_EQ(P(5).turn, (antes + (mayusculas ? 3 : 1)) % 4);
    EXPECT_EQ(puzzle.order[puzzle.boards[kTable].first + HitTestPiece(kTable, hasta.x, hasta.y)], 5);
    EXPECT_EQ(NoMuestraGirada(5), 0);
  }
  // Without a drag R is no shortcut; in a game of upright pieces a right
  // click turns nothing.
  EXPECT_FALSE(Tecla('R'));
  Cortar(3, 4);
  const uint8_t antes = P(5).turn;
  Poner(5, 300, 200);
  clicDerecho(Centro(5), 0, Centro(5));
  EXPECT_EQ(std::make_tuple(P(5).turn, P(5).x, P(5).y), std::make_tuple(antes, 300, 200));
  ActivarRelieve(true);
}

TEST_F(PantallaJuego, EscapeClosesTheWindowOnTop) {
  ASSERT_TRUE(Tecla('3'));
  ASSERT_TRUE(Tecla('M'));
  ASSERT_TRUE(Tecla('5'));
  for (HWND cerrada : {VentanaCaja(4), VentanaLupa(), VentanaCaja(2)}) {
    ASSERT_TRUE(IsWindowVisible(cerrada));
    ASSERT_TRUE(Tecla(VK_ESCAPE));
    Bombear();
    EXPECT_FALSE(IsWindowVisible(cerrada));
  }
  EXPECT_EQ(GetActiveWindow(), ventanaPrincipal);

  HWND info = AbrirInfo(ventanaPrincipal);
  Bombear();
  const size_t niveles = Historial().Niveles();
  EXPECT_FALSE(Tecla('G', true));
  EXPECT_EQ(Historial().Niveles(), niveles);
  SendMessageA(info, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonImagenInfo(0)));
  Bombear();
  HWND tarjeta = GetActiveWindow();
  ASSERT_NE(tarjeta, info) << "the card is open";
  ASSERT_TRUE(Tecla(VK_ESCAPE));
  Bombear(100);
  EXPECT_FALSE(IsWindow(tarjeta));
  ASSERT_TRUE(IsWindow(info));
  ASSERT_TRUE(Tecla(VK_ESCAPE));
  Bombear(100);
  EXPECT_FALSE(IsWindow(info));
  EXPECT_TRUE(IsWindow(ventanaPrincipal));
}

}  // namespace

// ---- Drag canvases, magnifier sizes, time and help ---------------------------------

// The sprite is written into a canvas of the screen's format; whatever
// format the screen names, the colour that reaches the screen is the piece's.
TEST(LienzoArrastre, EveryScreenFormatShowsThePieceColour) {
  struct Caso { int32_t bits; bool campos; uint32_t mascaras[3]; int tolerancia; };
  const Caso casos[] = {{16, true, {0xF800, 0x07E0, 0x001F}, 8}, {16, true, {0x7C00, 0x03E0, 0x001F}, 8},
                        {16, false, {}, 8}, {24, false, {}, 0}, {32, true, {0xFF0000, 0xFF00, 0xFF}, 0},
                        {32, false, {}, 0}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.bits * 10 + c.campos);
    puzzle = PuzzleState{};
    puzzle.rows = puzzle.cols = 1;
    puzzle.boxW = puzzle.boxH = 4;
    ASSERT_TRUE(AllocatePuzzle());
    for (int32_t y = 0; y < 4; ++y)
      for (int32_t x = 0; x < 4; ++x) {
        uint8_t* p = puzzle.PieceColour(0, x, y);
        p[0] = 40, p[1] = 120, p[2] = 200, *puzzle.SheetPixel(0, x, y) = 1;  // blue, green, red
      }
    puzzle.display.bits = c.bits, puzzle.display.bitFields = c.campos;
    std::copy(c.mascaras, c.mascaras + 3, puzzle.display.masks);
    ASSERT_TRUE(PrepareDisplayFormat(puzzle.display));
    LienzoArrastre lienzo;
    ASSERT_TRUE(lienzo.Ajustar(8, 8, puzzle.display));
    PaintSprite(0, lienzo.Pixeles(), lienzo.Stride(), 2, 2);
    const COLORREF color = GetPixel(lienzo.Hdc(), 3, 3);
    EXPECT_NEAR(GetRValue(color), 200, c.tolerancia);
    EXPECT_NEAR(GetGValue(color), 120, c.tolerancia);
    EXPECT_NEAR(GetBValue(color), 40, c.tolerancia);
  }
  puzzle = PuzzleState{};
  // The screen's own format is one the cut accepts.
  DisplayFormat pantalla = SondearFormatoPantalla();
  EXPECT_TRUE(PrepareDisplayFormat(pantalla)) << pantalla.bits;
}

TEST(Lupa, PictureAreaKeepsTheAspectWithinTwoHundredFortyByOneHundredEighty) {
  struct Caso { int w, h; LONG ancho, alto; };
  for (const Caso& c : {Caso{640, 480, 240, 180}, Caso{480, 640, 135, 180}, Caso{1000, 10, 240, 2},
                        Caso{5, 4000, 1, 180}, Caso{0, 0, 1, 1}}) {
    const POINT t = TamañoLupa(c.w, c.h);
    EXPECT_EQ(std::pair(t.x, t.y), std::pair(c.ancho, c.alto)) << c.w << "x" << c.h;
  }
}

TEST_F(PantallaJuego, WithoutAPictureTheMagnifierShowsOnlyItsTitleBar) {
  ClosePuzzle(true);
  EXPECT_EQ(Rect(VentanaLupa()).right - Rect(VentanaLupa()).left, 248);
  EXPECT_EQ(Rect(VentanaLupa()).bottom - Rect(VentanaLupa()).top, 219);
  EXPECT_FALSE(IsWindowVisible(VentanaLupa()));
}

TEST(Titulo, TimeTextAndPlace) {
  EXPECT_EQ(TextoTiempo(1, 1, 1), "01:01:01");
  EXPECT_EQ(TextoTiempo(0, 0, 0), "00:00:00");
  EXPECT_EQ(TextoTiempo(100, 0, 0), "100:00:00");
  // The figures as the strip draws them.
  ObjetoGDI<HFONT> fuente(CrearFuenteTiempo());
  DCPantalla dc;
  Seleccion s(dc.Get(), fuente.Get());
  SIZE t{};
  GetTextExtentPoint32A(dc.Get(), "00:00:00", 8, &t);
  EXPECT_EQ(XTiempo(1024, t.cx), 720);
  // At 800 pixels the time stands well clear of the minimise button (at
  // 725) and of the name's cartouche (up to 490).
  const int x = XTiempo(800, t.cx);
  EXPECT_GE(725 - (x + t.cx), 30) << x;
  EXPECT_GE(x - 490, 30) << x;
}

TEST(Ayuda, PageOfTheLanguageBelowTheProgramFolder) {
  const std::string ruta = RutaAyuda(3);
  EXPECT_EQ(ruta, arranque.carpeta + "Help\\3\\Index.htm");
}
