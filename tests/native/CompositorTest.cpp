#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "AyudaVerificar.h"
#include "Compositor.h"
#include "HImage.h"
#include "Puzzle.h"
#include "ShellFalso.h"

namespace {

HIMAGE NuevoMosaico(int32_t ancho, int32_t alto, uint16_t bits, uint32_t semilla) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, 256, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  HIMAGE h = AsignarHIMAGE(c.biSizeImage);
  *h = c;
  std::mt19937 g(semilla);
  for (int i = 0; i < 1024; ++i) reinterpret_cast<uint8_t*>(ColoresHIMAGE(h))[i] = static_cast<uint8_t>(g());
  for (uint32_t i = 0; i < c.biSizeImage; ++i) PixelesHIMAGE(h)[i] = static_cast<uint8_t>(g());
  return h;
}

// The engine keeps a reference to the mosaic, so the test's one lives for
// the whole run.
HIMAGE Mosaico() {
  static HIMAGE m = NuevoMosaico(100, 100, 8, 7);
  return m;
}

std::vector<uint8_t> ColorMosaico(int32_t px, int32_t py) {
  const ColorRGBQ c = ColoresHIMAGE(MosaicoActual())[FilaHIMAGE(MosaicoActual(), py % 100)[px % 100]];
  return {c.rgbBlue, c.rgbGreen, c.rgbRed};
}

// The compositor written out plainly: per pixel, the first piece from the
// front with coverage 1 there, else the mosaic.
void Referencia(int b, int32_t x, int32_t y, int32_t w, int32_t h, bool skipFront, std::vector<uint8_t>& bits) {
  const Board& t = puzzle.boards[b];
  const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int32_t x1 = std::min(x + w, t.Width()), y1 = std::min(y + h, t.Height());
  for (int32_t py = y0; py < y1; ++py)
    for (int32_t px = x0; px < x1; ++px) {
      std::vector<uint8_t> color = ColorMosaico(px, py);
      for (int32_t i = t.first + (skipFront ? 1 : 0); puzzle.Exists() && i < t.first + t.count; ++i) {
        const int32_t p = puzzle.order[i];
        const PieceRecord& r = puzzle.pieces[p];
        const int32_t dx = px - r.x, dy = py - r.y;
        if (dx < 0 || dx >= puzzle.boxW || dy < 0 || dy >= puzzle.boxH) continue;
        const uint8_t* s = puzzle.SheetPixel(p, dx, dy);
        if (s[3] != 1) continue;
        const bool invertir = r.unmarked == 0 && dy % 2 == 0 && dx % 3 == 0;
        for (int k = 0; k < 3; ++k) color[k] = invertir ? 255 - s[k] : s[k];
        break;
      }
      std::copy(color.begin(), color.end(), bits.begin() + (t.lastRow - py) * t.stride + 3 * px);
    }
}

std::string PrimeraDiferencia(int b, const std::vector<uint8_t>& a, const std::vector<uint8_t>& e) {
  const Board& t = puzzle.boards[b];
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != e[i])
      return "pixel (" + std::to_string(i % t.stride / 3) + ", " + std::to_string(t.lastRow - int32_t(i / t.stride)) +
             ")";
  return "";
}

class Compositor : public ::testing::Test {
 protected:
  void SetUp() override {
    puzzle = PuzzleState{};
    MosaicoPuzzle(Mosaico());
  }
  void TearDown() override {
    ClosePuzzle(false);
    puzzle = PuzzleState{};
  }

  // rows x cols pieces of cellW x cellH; the sheet is left transparent.
  void Medidas(int32_t rows, int32_t cols, int32_t cellW, int32_t cellH) {
    puzzle.rows = rows;
    puzzle.cols = cols;
    puzzle.cellW = cellW;
    puzzle.cellH = cellH;
    puzzle.marginX = cellW * 66 / 200;
    puzzle.marginY = cellH * 66 / 200;
    puzzle.boxW = cellW + 2 * puzzle.marginX;
    puzzle.boxH = cellH + 2 * puzzle.marginY;
    ASSERT_TRUE(AllocatePuzzle());
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
  }

  void Pintar(int32_t pieza, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t b, uint8_t g, uint8_t r) {
    for (int32_t y = y0; y < y1; ++y)
      for (int32_t x = x0; x < x1; ++x) {
        uint8_t* s = puzzle.SheetPixel(pieza, x, y);
        s[0] = b, s[1] = g, s[2] = r, s[3] = 1;
      }
  }

  std::vector<uint8_t> Pixel(int b, int32_t px, int32_t py) {
    const uint8_t* p = puzzle.boards[b].Row(py) + 3 * px;
    return {p[0], p[1], p[2]};
  }

  // A random puzzle spread over the seven boards: odd outlines, positions
  // partly or wholly off the boards, some pieces marked, a box or two
  // without an image.
  void Fabricar(std::mt19937& g) {
    auto U = [&g](int32_t a, int32_t b) { return std::uniform_int_distribution<int32_t>(a, b)(g); };
    Medidas(U(1, 4), U(1, 5), U(3, 12), U(3, 12));
    const int32_t n = puzzle.PieceCount(), bw = puzzle.boxW, bh = puzzle.boxH;
    for (int32_t p = 0; p < n; ++p) {
      const int estilo = U(0, 3);  // noise, opaque box, empty, a blob
      const int32_t cx = U(0, bw - 1), cy = U(0, bh - 1), radio = U(1, bw);
      for (int32_t y = 0; y < bh; ++y)
        for (int32_t x = 0; x < bw; ++x) {
          uint8_t* s = puzzle.SheetPixel(p, x, y);
          for (int k = 0; k < 3; ++k) s[k] = static_cast<uint8_t>(g());
          const bool opaco = estilo == 0   ? U(0, 1) == 1
                             : estilo == 1 ? true
                             : estilo == 2 ? false
                                           : (x - cx) * (x - cx) + (y - cy) * (y - cy) < radio * radio;
          s[3] = opaco ? 1 : 0;
        }
    }
    std::shuffle(puzzle.order.begin(), puzzle.order.end(), g);
    std::vector<int32_t> cortes{0, n};
    for (int b = 0; b < kBoardCount - 1; ++b) cortes.push_back(U(0, n));
    std::sort(cortes.begin(), cortes.end());
    for (int b = 0; b < kBoardCount; ++b) {
      Board& t = puzzle.boards[b];
      t.first = cortes[b];
      t.count = cortes[b + 1] - cortes[b];
      const int32_t w = b == kTable ? U(20, 90) : U(1, 40), h = b == kTable ? U(20, 70) : U(1, 30);
      for (int32_t i = t.first; i < t.first + t.count; ++i)
        puzzle.pieces[puzzle.order[i]] = {0, static_cast<uint8_t>(U(0, 3) != 0), {}, U(-bw - 2, w + 2), U(-bh - 2, h + 2)};
      if (b == kTable || U(0, 4) != 0) {
        ASSERT_TRUE(ResizeBoard(b, w, h));
      }
    }
  }

  ConShellFalso falso_;
};

TEST_F(Compositor, RandomBoardsMatchThePlainAlgorithm) {
  for (uint32_t semilla = 1; semilla <= 60; ++semilla) {
    std::mt19937 g(semilla);
    auto U = [&g](int32_t a, int32_t b) { return std::uniform_int_distribution<int32_t>(a, b)(g); };
    ClosePuzzle(false);
    Fabricar(g);
    if (HasFatalFailure()) return;
    for (int k = 0; k < 12; ++k) {
      const int b = U(0, kBoardCount - 1);
      Board& t = puzzle.boards[b];
      if (!t.HasImage()) {
        DrawBoardRect(b, 0, 0, 10, 10, true);
        continue;
      }
      // Sizes around the split threshold, empty, negative and larger than the board.
      const int32_t medidasW[] = {puzzle.boxW, puzzle.boxW + 1, 0, -3, t.Width() + 20, U(1, t.Width())};
      const int32_t medidasH[] = {puzzle.boxH, puzzle.boxH + 1, 0, -3, t.Height() + 20, U(1, t.Height())};
      const int32_t w = medidasW[U(0, 5)], h = medidasH[U(0, 5)];
      const int32_t x = U(-10, t.Width() + 2), y = U(-10, t.Height() + 2);
      const bool skip = U(0, 3) == 0;
      for (uint8_t& v : t.bits) v = static_cast<uint8_t>(g());
      std::vector<uint8_t> esperado = t.bits;
      Referencia(b, x, y, w, h, skip, esperado);
      falso_.shell.invalidated.clear();
      DrawBoardRect(b, x, y, w, h, true, skip);
      ASSERT_EQ(PrimeraDiferencia(b, t.bits, esperado), "")
          << "seed " << semilla << " draw " << k << " board " << b << " rect " << x << "," << y << " " << w << "x" << h;
      // Only what was drawn is invalidated: the clipped rectangle.
      const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
      const int32_t x1 = std::min(x + w, t.Width()), y1 = std::min(y + h, t.Height());
      std::vector<std::vector<int32_t>> esperados, invalidados;
      if (x0 < x1 && y0 < y1) esperados.push_back({b, x0, y0, x1 - x0, y1 - y0});
      for (const ShellFalso::Rect& r : falso_.shell.invalidated) invalidados.push_back({r.board, r.x, r.y, r.w, r.h});
      EXPECT_EQ(invalidados, esperados);
      // Pieces move and change marks between draws; their outlines do not.
      if (puzzle.Exists() && U(0, 1)) {
        PieceRecord& r = puzzle.pieces[U(0, puzzle.PieceCount() - 1)];
        r.x += U(-5, 5);
        r.unmarked ^= 1;
      }
    }
  }
}

TEST_F(Compositor, FrontMarginShowsThePieceBelowAndMarksInvertEveryThirdPixelOfEvenRows) {
  Medidas(1, 2, 10, 10);  // boxes of 16 with 3-pixel margins
  Pintar(0, 0, 0, 16, 16, 10, 20, 30);
  Pintar(1, 3, 3, 13, 13, 200, 100, 50);
  puzzle.order = {1, 0};
  puzzle.pieces[1] = {0, 1, {}, 0, 0};
  puzzle.pieces[0] = {0, 0, {}, 2, 2};  // marked, behind
  puzzle.boards[kTable].count = 2;
  ASSERT_TRUE(ResizeBoard(kTable, 40, 40));
  const std::vector<uint8_t> normal{10, 20, 30}, invertido{245, 235, 225};
  EXPECT_EQ(Pixel(kTable, 2, 2), invertido);  // front margin over the back piece's corner
  EXPECT_EQ(Pixel(kTable, 3, 3), (std::vector<uint8_t>{200, 100, 50}));
  EXPECT_EQ(Pixel(kTable, 14, 2), invertido);  // box column 12, row 0
  EXPECT_EQ(Pixel(kTable, 15, 2), normal);
  EXPECT_EQ(Pixel(kTable, 14, 3), normal);
  EXPECT_EQ(Pixel(kTable, 14, 4), invertido);
  EXPECT_EQ(Pixel(kTable, 17, 17), normal);
  EXPECT_EQ(Pixel(kTable, 18, 18), ColorMosaico(18, 18));
  // Without the front piece its body shows the back one.
  DrawBoardRect(kTable, 0, 0, 40, 40, false, true);
  EXPECT_EQ(Pixel(kTable, 3, 3), normal);
  EXPECT_EQ(Pixel(kTable, 5, 4), invertido);
}

TEST_F(Compositor, EmptyBoardsShowTheMosaicFromTheirTopLeft) {
  ASSERT_TRUE(ResizeBoard(0, 1030, 130));
  std::fill(puzzle.boards[0].bits.begin(), puzzle.boards[0].bits.end(), 0);
  ComposeRect(0, 0, 0, 1030, 130, false);  // unsplit: long rows
  for (int32_t y : {0, 99, 100, 129})
    for (int32_t x = 0; x < 1030; ++x) ASSERT_EQ(Pixel(0, x, y), ColorMosaico(x, y)) << x << "," << y;
  EXPECT_EQ(Pixel(0, 950, 120), Pixel(0, 50, 20));
  // A board that has not been sized yet is left alone.
  DrawBoardRect(1, 0, 0, 10, 10, true);
  EXPECT_FALSE(puzzle.boards[1].HasImage());
  EXPECT_TRUE(falso_.shell.invalidated.empty());
}

TEST_F(Compositor, MosaicIsCheckedKeptByReferenceAndRedrawsEveryBoard) {
  for (auto [w, h, bits, mensaje] :
       {std::tuple{100, 100, 24, "solo se soportan mosaicos de paleta indexada"},
        {64, 64, 8, "el ancho del mosaico difiere del declarado en MOSAICO_TAMX"},
        {100, 64, 8, "el alto del mosaico difiere del declarado en MOSAICO_TAMY"}}) {
    HIMAGE m = NuevoMosaico(w, h, static_cast<uint16_t>(bits), 3);
    EXPECT_VERIFICAR(MosaicoPuzzle(m), mensaje);
    EXPECT_EQ(MosaicoActual(), Mosaico());
    LiberarHIMAGE(m);
  }
  EXPECT_VERIFICAR(MosaicoPuzzle(nullptr), "handle al image invalido");
  EXPECT_EQ(MosaicoActual(), Mosaico());

  // Boards without an image are skipped; the others are redrawn and invalidated.
  ASSERT_TRUE(ResizeBoard(kTable, 120, 30));
  ASSERT_TRUE(ResizeBoard(2, 20, 10));
  HIMAGE otro = NuevoMosaico(100, 100, 8, 11);
  MosaicoPuzzle(otro);
  ASSERT_EQ(falso_.shell.invalidated.size(), 2u);
  EXPECT_EQ(falso_.shell.invalidated[0].board, 2);
  EXPECT_EQ(falso_.shell.invalidated[1].board, kTable);
  EXPECT_EQ(falso_.shell.invalidated[1].w, 120);
  EXPECT_EQ(Pixel(kTable, 110, 5), ColorMosaico(110, 5));
  // A reference, not a copy: a changed colour shows at the next draw.
  ColoresHIMAGE(otro)[FilaHIMAGE(otro, 5)[10]] = ColorRGBQ{1, 2, 3, 0};
  DrawBoardRect(kTable, 0, 0, 120, 30, false);
  EXPECT_EQ(Pixel(kTable, 110, 5), (std::vector<uint8_t>{1, 2, 3}));
  MosaicoPuzzle(Mosaico());
  LiberarHIMAGE(otro);
}

TEST_F(Compositor, BoardIndexOutsideTheSevenIsRefused) {
  EXPECT_VERIFICAR(ComposeRect(7, 0, 0, 1, 1, false), "indice de tablero invalido");
  EXPECT_VERIFICAR(DrawBoardRect(-1, 0, 0, 1, 1, true), "indice de tablero invalido");
  EXPECT_TRUE(falso_.shell.invalidated.empty());
}

TEST_F(Compositor, ARewrittenSheetIsReadAgain) {
  Medidas(2, 2, 30, 30);
  Pintar(0, 0, 0, puzzle.boxW, puzzle.boxH, 9, 9, 9);
  puzzle.boards[kTable].count = 4;
  ASSERT_TRUE(ResizeBoard(kTable, 60, 60));
  EXPECT_EQ(Pixel(kTable, 1, 1), (std::vector<uint8_t>{9, 9, 9}));
  // A sheet at another address is noticed by itself...
  std::vector<uint8_t> otra(puzzle.sheet.size(), 0);
  puzzle.sheet.swap(otra);
  Pintar(0, 1, 1, 2, 2, 7, 7, 7);
  DrawBoardRect(kTable, 0, 0, 60, 60, false);
  EXPECT_EQ(Pixel(kTable, 0, 0), ColorMosaico(0, 0));
  EXPECT_EQ(Pixel(kTable, 1, 1), (std::vector<uint8_t>{7, 7, 7}));
  // ...one rewritten in place once it is announced.
  Pintar(0, 0, 0, 1, 1, 5, 5, 5);
  ForgetPieceShapes();
  DrawBoardRect(kTable, 0, 0, 60, 60, false);
  EXPECT_EQ(Pixel(kTable, 0, 0), (std::vector<uint8_t>{5, 5, 5}));
}

}  // namespace
