#include "Drag.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <numeric>
#include <vector>

#include "Compositor.h"
#include "Cut.h"
#include "Deshacer.h"
#include "HImage.h"
#include "PuzzleDump.h"
#include "ShellFalso.h"

namespace {

// Pieces of 20-pixel cells in 32-pixel boxes: each piece is opaque over its
// cell only, in a colour of its own, so the box margins are transparent.
constexpr int32_t kCelda = 20, kMargen = 6, kCaja = kCelda + 2 * kMargen;

class DragTest : public testing::Test {
 protected:
  void SetUp() override {
    puzzle = PuzzleState{};
    puzzle.rows = 2, puzzle.cols = 3;
    puzzle.cellW = puzzle.cellH = kCelda;
    puzzle.marginX = puzzle.marginY = kMargen;
    puzzle.boxW = puzzle.boxH = kCaja;
    ASSERT_TRUE(AllocatePuzzle());
    ForgetPieceShapes();
    for (int32_t p = 0; p < 6; ++p)
      for (int32_t y = kMargen; y < kMargen + kCelda; ++y)
        for (int32_t x = kMargen; x < kMargen + kCelda; ++x) {
          uint8_t* px = puzzle.PieceColour(p, x, y);
          px[0] = static_cast<uint8_t>(10 * p), px[1] = 100, px[2] = 200, *puzzle.SheetPixel(p, x, y) = 1;
        }
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
    for (int32_t p = 0; p < 6; ++p) puzzle.pieces[p].x = 100 * p, puzzle.pieces[p].y = 300;
    for (Board& b : puzzle.boards) b.first = b.count = 0;
    puzzle.boards[kTable].count = 6;
    static std::vector<uint8_t> mosaico(kHImagenPixeles + MOSAICO_TAMX * MOSAICO_TAMY, 0);
    auto* m = reinterpret_cast<HIMAGE>(mosaico.data());
    *m = CabeceraInfoBMP{40, MOSAICO_TAMX, MOSAICO_TAMY, 1, 8, 0, 0, 0, 0, 256, 0};
    MosaicoPuzzle(m);
    ASSERT_TRUE(ResizeBoard(kTable, 800, 600));
    for (int b = 0; b < kBoxCount; ++b) ASSERT_TRUE(ResizeBoard(b, 200, 150));
  }
  void TearDown() override { puzzle = PuzzleState{}; }

  static PieceRecord& P(int32_t i) { return puzzle.pieces[i]; }
  static void Poner(int32_t i, int32_t x, int32_t y) { P(i).x = x, P(i).y = y; }
  static int32_t Frente(int board) { return puzzle.order[puzzle.boards[board].first]; }
  // What the board window does: press on the piece, then release with its
  // box at (x, y) on `to`.
  static void Arrastrar(int32_t pieza, int32_t x, int32_t y, int from = kTable, int to = kTable) {
    const Board& b = puzzle.boards[from];
    const int32_t pos = int32_t(std::find(&puzzle.order[b.first], &puzzle.order[b.first] + b.count, pieza) -
                                &puzzle.order[b.first]);
    PickUpPiece(from, pos);
    BringToFront(from, 0, true);
    PutDownPiece(from, to, x, y);
  }

  ConShellFalso s;
};

TEST_F(DragTest, HitTestTakesOpaquePixelsOnlyAndEdgesStrictly) {
  Poner(1, 10, 10);  // over piece 0's box, its cell off piece 0's cell
  Poner(0, 0, 0);
  std::swap(puzzle.order[0], puzzle.order[1]);  // piece 1 in front
  // Piece 1's transparent corner lies over piece 0's cell: piece 0 is hit.
  EXPECT_EQ(puzzle.order[HitTestPiece(kTable, 12, 12)], 0);
  EXPECT_EQ(puzzle.order[HitTestPiece(kTable, 20, 20)], 1);
  EXPECT_EQ(HitTestPiece(kTable, 3, 3), -1);  // margins of both
  // A point on a box's edge is outside it, even where the piece is opaque.
  for (int32_t y = 0; y < kCaja; ++y)
    for (int32_t x = 0; x < kCaja; ++x) *puzzle.SheetPixel(2, x, y) = 1;
  Poner(2, 200, 200);
  EXPECT_EQ(HitTestPiece(kTable, 200, 215), -1);
  EXPECT_EQ(HitTestPiece(kTable, 215, 200), -1);
  EXPECT_EQ(puzzle.order[HitTestPiece(kTable, 201, 201)], 2);
}

TEST_F(DragTest, FirstPickUpStartsTheClockAndLeavesTheBoxWithoutThePiece) {
  puzzle.clockIdle = 1;
  puzzle.paused = 1;
  PickUpPiece(kTable, 4);
  EXPECT_EQ(Frente(kTable), 4);
  EXPECT_EQ(s.shell.timerStarts, 1);
  EXPECT_EQ(std::pair(puzzle.clockIdle, puzzle.paused), std::pair(uint8_t{0}, uint8_t{0}));
  // Under the picked piece the board shows the mosaic now.
  EXPECT_EQ(puzzle.boards[kTable].Row(300 + 15)[3 * (400 + 15)], 0);
  PickUpPiece(kTable, 2);
  EXPECT_EQ(s.shell.timerStarts, 1);
}

// A drag the window system cut short leaves the puzzle as the press found
// it: the stacking order, the places, marks and groups, and the board's
// picture, with the piece's box repainted.
TEST_F(DragTest, CancelledPickUpPutsThePieceBackInItsPlaceInTheStack) {
  P(3).group = P(4).group = 5;
  P(1).unmarked = 0;
  Poner(3, 410, 300);  // over piece 4, ahead of it in the stack
  DrawAllBoards(false);
  const std::vector<int32_t> orden = puzzle.order;
  const std::vector<uint8_t> imagen = puzzle.boards[kTable].bits;
  PickUpPiece(kTable, 4);
  ASSERT_EQ(Frente(kTable), 4);
  ASSERT_NE(puzzle.boards[kTable].bits, imagen);
  s.shell.invalidated.clear();
  CancelPickUp(kTable, 4);
  EXPECT_EQ(puzzle.order, orden);
  EXPECT_EQ(puzzle.boards[kTable].bits, imagen);
  EXPECT_EQ(std::pair(P(4).x, P(4).y), std::pair(400, 300));
  EXPECT_EQ(std::pair(P(3).group, P(1).unmarked), std::pair(5, uint8_t{0}));
  EXPECT_EQ(puzzle.modified, 0);
  EXPECT_EQ(s.shell.fitSounds, 0);
  ASSERT_EQ(s.shell.invalidated.size(), 1u);
  const ShellFalso::Rect& r = s.shell.invalidated[0];
  EXPECT_EQ((std::array{r.board, r.x, r.y, r.w, r.h}), (std::array{kTable, 400, 300, kCaja, kCaja}));
  // The front piece stays in front; a position past the board is no place.
  PickUpPiece(kTable, 0);
  CancelPickUp(kTable, 0);
  CancelPickUp(kTable, 99);
  EXPECT_EQ(puzzle.order, orden);
}

TEST_F(DragTest, UnmarkedDropFitsWithinSixPixels) {
  struct Caso { int32_t dx; bool junta; };
  for (const Caso c : {Caso{6, true}, Caso{7, false}}) {
    SetUp();
    s.shell = ShellFalso{};
    Poner(0, 100, 100);
    Arrastrar(1, 100 + kCelda + c.dx, 100 - c.dx);
    EXPECT_EQ(P(1).group != 0 && P(1).group == P(0).group, c.junta) << c.dx;
    EXPECT_EQ(s.shell.fitSounds, c.junta ? 1 : 0);
    EXPECT_EQ(puzzle.modified, 1);
  }
}

TEST_F(DragTest, MarkedSelectionMovesAsOneClampedToTheBoard) {
  P(0).unmarked = P(2).unmarked = 0;
  Poner(0, 100, 100), Poner(2, 130, 100);
  Arrastrar(0, -50, 700);  // 150 left, 600 down
  EXPECT_EQ(std::pair(P(0).x, P(0).y), std::pair(-kMargen, 600 - kCelda));
  EXPECT_EQ(std::pair(P(2).x, P(2).y), std::pair(-kMargen, 600 - kCelda));
  EXPECT_EQ(P(0).group, 0);  // no fitting for a selection
  EXPECT_EQ(s.shell.fitSounds, 0);
}

TEST_F(DragTest, MarkedSelectionToAnotherBoardReplacesItsSelection) {
  Arrastrar(5, 50, 50, kTable, 3);  // box 3 gets an unmarked piece
  P(5).unmarked = 0;                // ... marked there
  s.shell.notifications.clear();
  P(0).unmarked = P(1).unmarked = 0;
  Arrastrar(0, 10, 10, kTable, 3);
  EXPECT_EQ(puzzle.boards[3].count, 3);
  EXPECT_EQ(P(5).unmarked, 1);
  EXPECT_EQ(std::pair(P(0).unmarked, P(1).unmarked), std::pair(uint8_t{0}, uint8_t{0}));
  EXPECT_TRUE(s.shell.notifications.empty());  // box 3 was not empty, the table is not
  // Emptying a board and filling one are told to their parents.
  for (int32_t p : {2, 3, 4}) P(p).unmarked = 0;
  Arrastrar(2, 10, 10, kTable, 1);
  EXPECT_EQ(s.shell.notifications, (std::vector<std::pair<int, int>>{{1, kBoardGotPieces}, {kTable, kBoardEmptied}}));
}

TEST_F(DragTest, BandMarksLoosePiecesItTouches) {
  P(1).group = P(2).group = 3;
  Poner(0, 0, 0), Poner(1, 40, 0), Poner(2, 60, 0), Poner(3, 300, 300);
  P(3).unmarked = 0;
  MarkBand(kTable, kCaja, kCaja, 100, 10);  // touches 0 at its corner, and 1 and 2
  EXPECT_EQ(P(0).unmarked, 0);
  EXPECT_EQ(std::pair(P(1).unmarked, P(2).unmarked), std::pair(uint8_t{1}, uint8_t{1}));
  EXPECT_EQ(P(3).unmarked, 1);
  // A click on empty table is a band of size zero.
  MarkBand(kTable, 310, 310, 0, 0);
  EXPECT_EQ(std::pair(P(0).unmarked, P(3).unmarked), std::pair(uint8_t{1}, uint8_t{0}));
}

// The debug dump is written again after a message that moved this count.
TEST_F(DragTest, EveryKindOfChangeIsCounted) {
  auto cambia = [](auto&& accion) {
    const uint32_t antes = StateChanges();
    accion();
    return StateChanges() != antes;
  };
  EXPECT_TRUE(cambia([] { Arrastrar(1, 150, 150); }));
  // A drop on nothing and a drag given up change nothing, but are timed.
  EXPECT_TRUE(cambia([] { PickUpPiece(kTable, 0), CancelPieceDrop(kTable); }));
  EXPECT_TRUE(cambia([] { PickUpPiece(kTable, 2), CancelPickUp(kTable, 2); }));
  EXPECT_FALSE(cambia([] { PickUpPiece(kTable, 2); }));  // until the release
  CancelPickUp(kTable, 2);
  EXPECT_TRUE(cambia([] { MarkBand(kTable, 0, 0, 10, 10); }));
  EXPECT_TRUE(cambia([] { EXPECT_TRUE(DeshacerMovimiento()); }));
  EXPECT_TRUE(cambia([] { EXPECT_TRUE(RehacerMovimiento()); }));
  EXPECT_FALSE(cambia([] { EXPECT_FALSE(RehacerMovimiento()); }));
  // The drop that finishes ends its move by emptying the history.
  for (int32_t p = 0; p < 5; ++p) Poner(p, 100 + kCelda * (p % 3), 100 + kCelda * (p / 3)), P(p).group = 6;
  EXPECT_TRUE(cambia([] { Arrastrar(5, 100 + 2 * kCelda, 100 + kCelda); }));
  ASSERT_EQ(puzzle.finished, 1);
  EXPECT_TRUE(cambia([] { ClosePuzzle(false); }));
}

TEST_F(DragTest, SpritePixelsInEveryDisplayFormat) {
  struct Caso { int32_t bits; bool campos; uint32_t mascaras[3]; uint32_t esperado; };
  // Piece 1's colour: blue 10, green 100, red 200.
  const Caso casos[] = {{16, true, {0xF800, 0x07E0, 0x001F}, (200u / 8) << 11 | (100u / 4) << 5 | 10u / 8},
                        {16, false, {}, (200u / 8) << 10 | (100u / 8) << 5 | 10u / 8},
                        {24, false, {}, 0xC8640A},
                        {32, true, {0xFF0000, 0xFF00, 0xFF}, 0xC8640A},
                        {32, false, {}, 0xC8640A}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.bits);
    DisplayFormat f;
    f.bits = c.bits, f.bitFields = c.campos;
    std::copy(c.mascaras, c.mascaras + 3, f.masks);
    puzzle.display = f;
    ASSERT_TRUE(PrepareDisplayFormat(puzzle.display));
    const int32_t bpp = SpriteBytesPerPixel(puzzle.display), stride = 40 * bpp;
    std::vector<uint8_t> lienzo(static_cast<size_t>(stride) * 40, 0xEE);
    PaintSprite(1, lienzo.data(), stride, 4, 2);
    uint32_t v = 0;
    std::memcpy(&v, &lienzo[static_cast<size_t>((2 + kMargen) * stride + (4 + kMargen) * bpp)], static_cast<size_t>(bpp));
    EXPECT_EQ(v, c.esperado);
    EXPECT_EQ(lienzo[static_cast<size_t>(2 * stride + 4 * bpp)], 0xEE);  // transparent corner left alone
  }
}

TEST_F(DragTest, MarkedSpriteInvertsEveryThirdPixelOfEverySecondRow) {
  puzzle.display = DisplayFormat{};
  puzzle.display.bits = 24;
  P(0).unmarked = 0;
  std::vector<uint8_t> lienzo(static_cast<size_t>(kCaja) * kCaja * 3, 0);
  PaintSprite(0, lienzo.data(), kCaja * 3, 0, 0);
  const auto rojo = [&](int32_t x, int32_t y) { return lienzo[static_cast<size_t>(y * kCaja * 3 + x * 3 + 2)]; };
  EXPECT_EQ(rojo(6, 6), 255 - 200);  // row 6, column 6 of the box
  EXPECT_EQ(rojo(7, 6), 200);
  EXPECT_EQ(rojo(9, 6), 255 - 200);
  EXPECT_EQ(rojo(6, 7), 200);
}

TEST(PuzzleDump, PiecesInOrderWithTheirBoard) {
  ConShellFalso s;
  puzzle = PuzzleState{};
  puzzle.rows = 1, puzzle.cols = 2;
  puzzle.boxW = puzzle.boxH = 4;
  ASSERT_TRUE(AllocatePuzzle());
  puzzle.order = {1, 0};
  puzzle.boards[2].count = 1;
  for (int b = 3; b < kBoardCount; ++b) puzzle.boards[b].first = 1;
  puzzle.boards[kTable].count = 1;
  puzzle.pieces[0] = PieceRecord{2, 0, 0, {}, -5, 7};
  puzzle.pieces[1] = PieceRecord{2, 1, 3, {}, 3, 4};
  puzzle.seconds = 61;
  const std::string texto = FormatPuzzleDump({SummarizeTimings("drag", {3.0, 1.0, 2.0, 10.0})});
  EXPECT_EQ(texto,
            "# rows 1\n# cols 2\n# cell 0 0\n# margin 0 0\n# seconds 61\n# hints 0\n# finished 0\n"
            "# time drag n=4 median_ms=2.500 worst_ms=10.000\n# turn 1 3\n"
            "0 6 -5 7 2 1\n1 2 3 4 2 0\n");
  puzzle = PuzzleState{};
}

TEST(PuzzleDump, StartUpPuzzleRequest) {
  struct Caso {
    const char* texto;
    bool valido;
    const char* ruta;
    int32_t filas, columnas, troquel;
    bool girada = false;
  };
  const Caso casos[] = {{"Image\\3.bmp,4,5,0", true, "Image\\3.bmp", 4, 5, 0},
                        {"C:\\a,b\\x.bmp,24,35,2", true, "C:\\a,b\\x.bmp", 24, 35, 2},
                        {"x.bmp,3,3,1,1", true, "x.bmp", 3, 3, 1, true},
                        {"x.bmp,3,3,1,0", true, "x.bmp", 3, 3, 1, false},
                        {"x,5,6,2,1", true, "x", 5, 6, 2, true},  // the fifth field wins over a path's comma
                        {"x,5,3,3,1", true, "x,5", 3, 3, 1},      // no fifth field: die 3 is no die
                        {"x.bmp,3,3,1,2", false, "", 0, 0, 0},
                        {"x.bmp,1,5,0", false, "", 0, 0, 0}, {"x.bmp,4,5,3", false, "", 0, 0, 0},
                        {"x.bmp,4,5", false, "", 0, 0, 0}, {",4,5,0", false, "", 0, 0, 0},
                        {"x.bmp,4,5,0x", false, "", 0, 0, 0}, {"x.bmp,4,,0", false, "", 0, 0, 0}};
  for (const Caso& c : casos) {
    DebugNewPuzzle d;
    EXPECT_EQ(ParseDebugNewPuzzle(c.texto, &d), c.valido) << c.texto;
    if (c.valido) {
      EXPECT_EQ(std::tuple(d.path, d.rows, d.cols, d.die, d.turned),
                std::tuple(std::string(c.ruta), c.filas, c.columnas, c.troquel, c.girada));
    }
  }
}

}  // namespace
