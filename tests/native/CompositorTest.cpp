#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
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
HIMAGE OtroMosaico() {
  static HIMAGE m = NuevoMosaico(100, 100, 8, 11);
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
        if (*puzzle.SheetPixel(p, dx, dy) != 1) continue;
        const uint8_t* s = puzzle.PieceColour(p, dx, dy);
        const bool invertir = r.unmarked == 0 && dy % 2 == 0 && dx % 3 == 0;
        for (int k = 0; k < 3; ++k) color[k] = invertir ? 255 - s[k] : s[k];
        break;
      }
      std::copy(color.begin(), color.end(), bits.begin() + (t.lastRow - py) * t.stride + 3 * px);
    }
}

std::string PrimeraDiferencia(int b, const std::vector<uint8_t>& a, const std::vector<uint8_t>& e) {
  const Board& t = puzzle.boards[b];
  const size_t i = std::mismatch(a.begin(), a.end(), e.begin()).first - a.begin();
  if (i == a.size()) return "";
  return "pixel (" + std::to_string(i % t.stride / 3) + ", " + std::to_string(t.lastRow - int32_t(i / t.stride)) + ")";
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
    puzzle.rows = rows, puzzle.cols = cols, puzzle.cellW = cellW, puzzle.cellH = cellH;
    puzzle.marginX = cellW * 66 / 200, puzzle.marginY = cellH * 66 / 200;
    puzzle.boxW = cellW + 2 * puzzle.marginX, puzzle.boxH = cellH + 2 * puzzle.marginY;
    ASSERT_TRUE(AllocatePuzzle());
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
  }

  std::vector<uint8_t> Pixel(int b, int32_t px, int32_t py) {
    const uint8_t* p = puzzle.boards[b].Row(py) + 3 * px;
    return {p[0], p[1], p[2]};
  }

  ConShellFalso falso_;
};

TEST_F(Compositor, RandomBoardsMatchThePlainAlgorithm) {
  for (uint32_t semilla = 1; semilla <= 60; ++semilla) {
    std::mt19937 g(semilla);
    auto U = [&g](int32_t a, int32_t b) { return std::uniform_int_distribution<int32_t>(a, b)(g); };
    ClosePuzzle(false);
    // A random puzzle over the seven boards: odd outlines, positions partly
    // or wholly off the boards, some pieces marked, boxes without an image.
    Medidas(U(1, 4), U(1, 5), U(3, 12), U(3, 12));
    const int32_t n = puzzle.PieceCount(), bw = puzzle.boxW, bh = puzzle.boxH;
    for (int32_t p = 0; p < n; ++p) {
      const int estilo = U(0, 3);  // noise, opaque box, empty, a blob
      const int32_t cx = U(0, bw - 1), cy = U(0, bh - 1), radio = U(1, bw);
      for (int32_t y = 0; y < bh; ++y)
        for (int32_t x = 0; x < bw; ++x) {
          uint8_t* s = puzzle.PieceColour(p, x, y);
          for (int k = 0; k < 3; ++k) s[k] = static_cast<uint8_t>(g());
          const bool opaco = estilo == 0   ? U(0, 1) == 1
                             : estilo == 1 ? true
                             : estilo == 2 ? false
                                           : (x - cx) * (x - cx) + (y - cy) * (y - cy) < radio * radio;
          *puzzle.SheetPixel(p, x, y) = opaco ? 1 : 0;
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
      // The table passes the mosaic's 100 x 100 tile, at times the 800 pixels copied at once.
      const int32_t w = b != kTable ? U(1, 40) : U(0, 3) ? U(20, 230) : U(790, 1030);
      const int32_t h = b == kTable ? U(20, 130) : U(1, 30);
      for (int32_t i = t.first; i < t.first + t.count; ++i)
        puzzle.pieces[puzzle.order[i]] = {0, static_cast<uint8_t>(U(0, 3) != 0), 0, {}, U(-bw - 2, w + 2),
                                          U(-bh - 2, h + 2)};
      if (b == kTable || U(0, 4) != 0) {
        ASSERT_TRUE(ResizeBoard(b, w, h));
      }
    }
    // A new mosaic redraws and invalidates every sized board.
    for (Board& t : puzzle.boards) std::fill(t.bits.begin(), t.bits.end(), uint8_t{0x5A});
    falso_.shell.invalidated.clear();
    MosaicoPuzzle(semilla % 2 ? OtroMosaico() : Mosaico());
    std::vector<int> conImagen, redibujados;
    for (const ShellFalso::Rect& r : falso_.shell.invalidated) redibujados.push_back(r.board);
    for (int b = 0; b < kBoardCount; ++b) {
      const Board& t = puzzle.boards[b];
      if (!t.HasImage()) continue;
      conImagen.push_back(b);
      std::vector<uint8_t> esperado = t.bits;
      Referencia(b, 0, 0, t.Width(), t.Height(), false, esperado);
      ASSERT_EQ(PrimeraDiferencia(b, t.bits, esperado), "") << "seed " << semilla << " new mosaic, board " << b;
    }
    EXPECT_EQ(redibujados, conImagen);
    for (int k = 0; k < 12; ++k) {
      const int b = U(0, kBoardCount - 1);
      Board& t = puzzle.boards[b];
      falso_.shell.invalidated.clear();
      if (!t.HasImage()) {  // an unsized board is left alone
        DrawBoardRect(b, 0, 0, 10, 10, true);
        EXPECT_FALSE(t.HasImage() || !falso_.shell.invalidated.empty());
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

TEST_F(Compositor, RefusalsLeaveTheMosaicAndBoardsAlone) {
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
  EXPECT_VERIFICAR(ComposeRect(7, 0, 0, 1, 1, false), "indice de tablero invalido");
  EXPECT_VERIFICAR(DrawBoardRect(-1, 0, 0, 1, 1, true), "indice de tablero invalido");
  EXPECT_TRUE(falso_.shell.invalidated.empty());
}

// The sheet is cached: one at another address is noticed by itself, one
// rewritten in place once it is announced.
TEST_F(Compositor, ARewrittenSheetIsReadAgain) {
  const auto pintar = [](int32_t x, int32_t y, uint8_t v) {
    uint8_t* s = puzzle.PieceColour(0, x, y);
    s[0] = s[1] = s[2] = v, *puzzle.SheetPixel(0, x, y) = 1;
  };
  Medidas(2, 2, 30, 30);
  pintar(0, 0, 9), pintar(1, 1, 9);
  puzzle.boards[kTable].count = 4;
  ASSERT_TRUE(ResizeBoard(kTable, 60, 60));
  EXPECT_EQ(Pixel(kTable, 1, 1), (std::vector<uint8_t>{9, 9, 9}));
  std::vector<uint8_t> otra(puzzle.sheet.size(), 0);
  puzzle.sheet.swap(otra);
  pintar(1, 1, 7);
  DrawBoardRect(kTable, 0, 0, 60, 60, false);
  EXPECT_EQ(Pixel(kTable, 0, 0), ColorMosaico(0, 0));
  EXPECT_EQ(Pixel(kTable, 1, 1), (std::vector<uint8_t>{7, 7, 7}));
  pintar(0, 0, 5);
  ForgetPieceShapes();
  DrawBoardRect(kTable, 0, 0, 60, 60, false);
  EXPECT_EQ(Pixel(kTable, 0, 0), (std::vector<uint8_t>{5, 5, 5}));
}

// A board made again starts blank and is composed whole at its first size;
// one whose window went holds no memory.
TEST_F(Compositor, AReopenedBoardIsComposedWholeAndAReleasedOneIsEmpty) {
  Medidas(2, 2, 30, 30);
  puzzle.boards[kTable].count = 4;
  ASSERT_TRUE(ResizeBoard(kTable, 60, 60));
  uint8_t* fila = puzzle.boards[kTable].Row(0);
  fila[0] = fila[1] = fila[2] = 200;
  OpenBoard(kTable);
  EXPECT_FALSE(puzzle.boards[kTable].HasImage());
  EXPECT_EQ(puzzle.boards[kTable].count, 0);
  ASSERT_TRUE(ResizeBoard(kTable, 60, 60));
  EXPECT_EQ(Pixel(kTable, 0, 0), ColorMosaico(0, 0)) << "composed anew, not kept";
  ReleaseBoard(kTable);
  EXPECT_FALSE(puzzle.boards[kTable].HasImage());
  EXPECT_EQ(puzzle.boards[kTable].bits.capacity(), 0u);
}

}  // namespace
