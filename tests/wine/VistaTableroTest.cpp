// The table seen through its window at other scales and places: the real
// main window with a real puzzle, zoomed with the wheel and the keys, moved
// with the buttons and near the edge, read back from the window and
// compared with the board scaled by the test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Atajos.h"
#include "Captura.h"
#include "Compositor.h"
#include "Cut.h"
#include "Drag.h"
#include "Globales.h"
#include "InicioPrueba.h"
#include "MenuNuevo.h"
#include "NewPuzzleParams.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"
#include "VentanaPrincipal.h"
#include "VistaMesa.h"

namespace {

class VistaTablero : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
    ASSERT_TRUE(CortarPrimeraImagen());
    RECT c;
    GetClientRect(Mesa(), &c);
    ancho_ = c.right, alto_ = c.bottom;
  }
  void TearDown() override {
    ReleaseCapture();
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  static HWND Mesa() { return VentanaTablero(kTable); }
  static const Board& Tablero() { return puzzle.boards[kTable]; }

  // Wheel notches at window point p (the message carries screen points).
  static void Rueda(POINT p, int delta) {
    ClientToScreen(Mesa(), &p);
    SendMessageA(Mesa(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))), Pt(p.x, p.y));
    Bombear();
  }
  static bool Tecla(WPARAM tecla) {
    BYTE estado[256] = {};
    GetKeyboardState(estado);
    estado[VK_CONTROL] = estado[VK_SHIFT] = estado[VK_MENU] = 0;
    SetKeyboardState(estado);
    MSG msg{};
    msg.hwnd = Mesa();
    msg.message = WM_KEYDOWN;
    msg.wParam = tecla;
    msg.lParam = 1;
    const bool tomada = AtenderAtajo(msg);
    Bombear();
    return tomada;
  }
  static void Boton(UINT abajo, UINT arriba, POINT desde, POINT hasta) {
    SendMessageA(Mesa(), abajo, 0, Pt(desde.x, desde.y));
    SendMessageA(Mesa(), WM_MOUSEMOVE, 0, Pt((desde.x + hasta.x) / 2, (desde.y + hasta.y) / 2));
    SendMessageA(Mesa(), WM_MOUSEMOVE, 0, Pt(hasta.x, hasta.y));
    SendMessageA(Mesa(), arriba, 0, Pt(hasta.x, hasta.y));
    Bombear();
  }
  // The table twice the window's size each way, its pieces where they lay.
  void Agrandar() {
    ASSERT_TRUE(ResizeBoard(kTable, 2 * ancho_, 2 * alto_));
    DrawAllBoards(true);
    UpdateWindow(Mesa());
    Bombear();
    ASSERT_EQ(VistaMesa().anchoMesa, 2 * ancho_);
  }
  // Board pixel (x, y) as 0xRRGGBB.
  static uint32_t Pixel(int32_t x, int32_t y) {
    const uint8_t* p = Tablero().Image().Fila(y) + static_cast<int64_t>(x) * 3;
    return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
  }

  int32_t ancho_ = 0, alto_ = 0;
};

TEST_F(VistaTablero, TheWheelZoomsAboutThePointerAndEachTablePixelShowsAsABlock) {
  ASSERT_TRUE(VistaPlana());
  const POINT p{ancho_ / 3, alto_ / 2};
  Rueda(p, 8 * WHEEL_DELTA);
  ASSERT_DOUBLE_EQ(VistaMesa().escala, 2.0);
  const Punto t = VentanaAMesa(VistaMesa(), {p.x, p.y});
  EXPECT_LE(std::abs(t.x - p.x), 1);
  EXPECT_LE(std::abs(t.y - p.y), 1);
  UpdateWindow(Mesa());
  const std::vector<uint32_t> ventana = Leer(Mesa(), {0, 0, ancho_, alto_});
  ASSERT_EQ(ventana.size(), static_cast<size_t>(ancho_) * alto_);
  int32_t distintos = 0;
  for (int32_t y = 0; y < alto_; y += 7)
    for (int32_t x = 0; x < ancho_; x += 5) {
      const Punto m = VentanaAMesa(VistaMesa(), {x, y});
      distintos += ventana[static_cast<size_t>(y) * ancho_ + x] != Pixel(m.x, m.y);
    }
  EXPECT_EQ(distintos, 0);
  // Back out: a table the window holds is seen whole at 1:1 again.
  Rueda(p, -20 * WHEEL_DELTA);
  EXPECT_TRUE(VistaPlana());
}

TEST_F(VistaTablero, KeysZoomPanAndToggle) {
  ASSERT_TRUE(Tecla(VK_OEM_PLUS));
  EXPECT_DOUBLE_EQ(VistaMesa().escala, std::exp2(1.0 / kPasosPorDoble));
  for (int i = 1; i < kPasosPorDoble; ++i) Tecla(VK_ADD);
  ASSERT_DOUBLE_EQ(VistaMesa().escala, 2.0);
  const Punto o = VistaMesa().origen;
  ASSERT_TRUE(Tecla(VK_RIGHT));
  EXPECT_EQ(VistaMesa().origen.x, o.x + ancho_ / 8);
  ASSERT_TRUE(Tecla(VK_UP));
  EXPECT_EQ(VistaMesa().origen.y, o.y - alto_ / 8);
  // 0 shows the whole table, Space goes back to the close-up and out again.
  ASSERT_TRUE(Tecla('0'));
  EXPECT_TRUE(VistaPlana());
  ASSERT_TRUE(Tecla(VK_SPACE));
  EXPECT_DOUBLE_EQ(VistaMesa().escala, 2.0);
  ASSERT_TRUE(Tecla(VK_SPACE));
  EXPECT_TRUE(VistaPlana());
  ASSERT_TRUE(Tecla(VK_SUBTRACT));
  EXPECT_TRUE(VistaPlana()) << "no smaller than the whole table";
}

TEST_F(VistaTablero, RightAndMiddleDragsPanAndAMiddleClickToggles) {
  Rueda({ancho_ / 2, alto_ / 2}, 8 * WHEEL_DELTA);
  const Punto o = VistaMesa().origen;
  Boton(WM_RBUTTONDOWN, WM_RBUTTONUP, {400, 300}, {300, 250});
  EXPECT_EQ(VistaMesa().origen.x, o.x + 100);
  EXPECT_EQ(VistaMesa().origen.y, o.y + 50);
  EXPECT_EQ(GetCapture(), nullptr);
  Boton(WM_MBUTTONDOWN, WM_MBUTTONUP, {300, 250}, {400, 300});
  EXPECT_EQ(VistaMesa().origen.x, o.x);
  EXPECT_DOUBLE_EQ(VistaMesa().escala, 2.0) << "a middle drag is no click";
  Boton(WM_MBUTTONDOWN, WM_MBUTTONUP, {300, 250}, {300, 250});
  EXPECT_TRUE(VistaPlana());
  Boton(WM_MBUTTONDOWN, WM_MBUTTONUP, {300, 250}, {300, 250});
  EXPECT_DOUBLE_EQ(VistaMesa().escala, 2.0);
  // A right click that does not move is no pan.
  const Punto ahora = VistaMesa().origen;
  Boton(WM_RBUTTONDOWN, WM_RBUTTONUP, {300, 250}, {300, 250});
  EXPECT_EQ(VistaMesa().origen.x, ahora.x);
}

TEST_F(VistaTablero, APieceDraggedAtTwoToOneMovesHalfThePointersWay) {
  Rueda({ancho_ / 2, alto_ / 2}, 8 * WHEEL_DELTA);
  // The piece in front, pressed in the middle of its cell.
  const int32_t p = puzzle.order[Tablero().first];
  const PieceRecord antes = puzzle.pieces[p];
  const Punto centro{antes.x + puzzle.marginX + puzzle.cellW / 2, antes.y + puzzle.marginY + puzzle.cellH / 2};
  Vista v = VistaMesa();
  Colocar(v, centro, {ancho_ / 2, alto_ / 2});
  FijarVistaMesa(v);
  Bombear();
  const Punto w = MesaAVentana(VistaMesa(), centro);
  Boton(WM_LBUTTONDOWN, WM_LBUTTONUP, {w.x, w.y}, {w.x + 60, w.y - 40});
  EXPECT_EQ(puzzle.pieces[p].x, antes.x + 30);
  EXPECT_EQ(puzzle.pieces[p].y, antes.y - 20);
  // The window shows the board there, piece and all.
  UpdateWindow(Mesa());
  const std::vector<uint32_t> ventana = Leer(Mesa(), {w.x + 60, w.y - 40, w.x + 61, w.y - 39});
  ASSERT_EQ(ventana.size(), 1u);
  EXPECT_EQ(ventana[0], Pixel(centro.x + 30, centro.y - 20));
}

TEST_F(VistaTablero, ATableLargerThanTheWindowSeenWholeIsItsAreaAverage) {
  Agrandar();
  ASSERT_TRUE(Tecla('0'));
  ASSERT_DOUBLE_EQ(VistaMesa().escala, 0.5);
  UpdateWindow(Mesa());
  const std::vector<uint32_t> ventana = Leer(Mesa(), {0, 0, ancho_, alto_});
  ASSERT_EQ(ventana.size(), static_cast<size_t>(ancho_) * alto_);
  int32_t peor = 0;
  for (int32_t y = 0; y < alto_; y += 3)
    for (int32_t x = 0; x < ancho_; x += 3) {
      const uint32_t v = ventana[static_cast<size_t>(y) * ancho_ + x];
      for (int c = 0; c < 24; c += 8) {
        int32_t suma = 0;
        for (int32_t j = 0; j < 2; ++j)
          for (int32_t i = 0; i < 2; ++i) suma += static_cast<int32_t>(Pixel(2 * x + i, 2 * y + j) >> c & 0xFF);
        peor = std::max(peor, std::abs(static_cast<int32_t>(v >> c & 0xFF) - (suma + 2) / 4));
      }
    }
  EXPECT_LE(peor, 1);
}

TEST_F(VistaTablero, NearTheEdgeTheViewFollowsTheDraggedPieceAfterAPause) {
  Agrandar();
  // 1:1 from the corner, yet drawn through the view: the table is larger
  // than the window.
  ASSERT_EQ(VistaMesa().escala, 1.0);
  ASSERT_EQ(VistaMesa().origen.x, 0);
  ASSERT_EQ(VistaMesa().origen.y, 0);
  EXPECT_FALSE(VistaPlana());
  const int32_t p = puzzle.order[Tablero().first];
  const PieceRecord antes = puzzle.pieces[p];
  const POINT c{antes.x + puzzle.marginX + puzzle.cellW / 2, antes.y + puzzle.marginY + puzzle.cellH / 2};
  SendMessageA(Mesa(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(c.x, c.y));
  // To the window's right edge, and kept there.
  POINT borde{ancho_ - 3, c.y};
  POINT pantalla = borde;
  ClientToScreen(Mesa(), &pantalla);
  SetCursorPos(pantalla.x, pantalla.y);
  SendMessageA(Mesa(), WM_MOUSEMOVE, MK_LBUTTON, Pt(borde.x, borde.y));
  Bombear(150);
  EXPECT_EQ(VistaMesa().origen.x, 0) << "not before the pause";
  Bombear(900);
  const int32_t movida = VistaMesa().origen.x;
  EXPECT_GT(movida, 0);
  SendMessageA(Mesa(), WM_LBUTTONUP, 0, Pt(borde.x, borde.y));
  Bombear();
  // The piece went with the pointer, onto the part of the table now shown.
  EXPECT_EQ(puzzle.pieces[p].x, antes.x + (borde.x - c.x) + movida);
  EXPECT_EQ(puzzle.pieces[p].y, antes.y);
  const int32_t despues = VistaMesa().origen.x;
  Bombear(200);
  EXPECT_EQ(VistaMesa().origen.x, despues) << "the view stops with the drop";
}

}  // namespace
