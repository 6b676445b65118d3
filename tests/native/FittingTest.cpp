#include "Fitting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <map>
#include <numeric>
#include <random>
#include <vector>

#include "AyudaVerificar.h"
#include "Compositor.h"
#include "HImage.h"
#include "Punto.h"
#include "Puzzle.h"
#include "ShellFalso.h"

namespace {

constexpr int32_t kCelda = 20, kMargen = 6, kCaja = kCelda + 2 * kMargen;
constexpr int32_t kMesaW = 1000, kMesaH = 700;
// Where the picture lies when solved in the tests' own frame.
constexpr int32_t kOrigen = 40;

HIMAGE Mosaico() {
  static HIMAGE m = [] {
    HIMAGE h = AsignarHIMAGE(MOSAICO_TAMX * MOSAICO_TAMY);
    *h = CabeceraInfoBMP{40, MOSAICO_TAMX, MOSAICO_TAMY, 1, 8, 0, MOSAICO_TAMX * MOSAICO_TAMY, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i) ColoresHIMAGE(h)[i] = ColorRGBQ{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    std::fill_n(PixelesHIMAGE(h), MOSAICO_TAMX * MOSAICO_TAMY, uint8_t(7));
    return h;
  }();
  return m;
}

class FittingTest : public testing::Test {
 protected:
  // A rows x cols puzzle of 20-pixel cells, all pieces on the table,
  // scattered below the solved frames and 45 pixels apart (no two
  // neighbours within the tolerance of their offsets).
  void Crear(int32_t rows, int32_t cols, uint32_t semilla = 1) {
    puzzle = PuzzleState{};
    puzzle.rows = rows;
    puzzle.cols = cols;
    puzzle.cellW = puzzle.cellH = kCelda;
    puzzle.marginX = puzzle.marginY = kMargen;
    puzzle.boxW = puzzle.boxH = kCaja;
    ASSERT_TRUE(AllocatePuzzle());
    const int32_t n = rows * cols;
    for (int32_t i = 0; i < n; ++i)
      for (int32_t y = kMargen; y < kMargen + kCelda; ++y)
        for (int32_t x = kMargen; x < kMargen + kCelda; ++x) {
          uint8_t* px = puzzle.SheetPixel(i, x, y);
          px[0] = px[1] = px[2] = uint8_t(i);
          px[3] = 1;
        }
    ForgetPieceShapes();
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
    std::vector<int32_t> lugar(n);
    std::iota(lugar.begin(), lugar.end(), 0);
    std::shuffle(lugar.begin(), lugar.end(), std::mt19937(semilla));
    for (int32_t i = 0; i < n; ++i) Poner(i, 20 + 45 * (lugar[i] % 20), 450 + 45 * (lugar[i] / 20));
    for (Board& b : puzzle.boards) b.first = b.count = 0;
    puzzle.boards[kTable].count = n;
    MosaicoPuzzle(Mosaico());
    ASSERT_TRUE(ResizeBoard(kTable, kMesaW, kMesaH));
    for (int b = 0; b < kBoxCount; ++b) ASSERT_TRUE(ResizeBoard(b, 200, 150));
    s.shell = ShellFalso{};
  }
  void SetUp() override { puzzle = PuzzleState{}; }
  void TearDown() override { puzzle = PuzzleState{}; }

  static PieceRecord& P(int32_t i) { return puzzle.pieces[i]; }
  static void Poner(int32_t i, int32_t x, int32_t y) {
    P(i).x = x;
    P(i).y = y;
  }
  // Solved position in the tests' frame, shifted by (dx, dy).
  static Punto Sitio(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    return {kOrigen + dx + kCelda * (i % puzzle.cols), kOrigen + dy + kCelda * (i / puzzle.cols)};
  }
  static void Colocar(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    const Punto p = Sitio(i, dx, dy);
    Poner(i, p.x, p.y);
  }
  static bool EnSitio(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    return P(i).x == Sitio(i, dx, dy).x && P(i).y == Sitio(i, dx, dy).y;
  }
  // What the board window does on a release: group to the front, then drop.
  static void Soltar(int32_t i, int32_t x, int32_t y, int from = kTable, int to = kTable) {
    const int32_t* inicio = puzzle.order.data() + puzzle.boards[from].first;
    BringToFront(from, int32_t(std::find(inicio, inicio + puzzle.boards[from].count, i) - inicio), false);
    DropPiece(to, from, i, x, y);
  }

  ConShellFalso s;
};

TEST_F(FittingTest, ToleranceIsSixPixelsInclusiveOnEachAxis) {
  struct Caso { int32_t dx, dy; };
  for (const Caso c : {Caso{6, 6}, Caso{-6, -6}, Caso{-6, 6}, Caso{7, 0}, Caso{0, 7}, Caso{-7, 0}, Caso{0, -7}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    const bool esperado = std::abs(c.dx) <= 6 && std::abs(c.dy) <= 6;
    Crear(4, 5);
    Colocar(6);
    const Punto d = Sitio(7, c.dx, c.dy);
    Soltar(7, d.x, d.y);
    EXPECT_EQ(EnSitio(7), esperado);
    EXPECT_EQ(EnSitio(7, c.dx, c.dy), !esperado);
    EXPECT_EQ(P(7).group + P(6).group, esperado ? 16 : 0);
    EXPECT_EQ(s.shell.fitSounds, esperado ? 1 : 0);
  }
}

TEST_F(FittingTest, NeighboursDoNotWrapAcrossRows) {
  Crear(4, 5);
  Colocar(4);
  Soltar(5, P(4).x + kCelda, P(4).y);  // exactly where 4's right neighbour would be
  EXPECT_EQ(P(5).group, 0);
  Colocar(10);
  Soltar(9, P(10).x - kCelda, P(10).y);  // nor is 10 the right neighbour of 9
  EXPECT_EQ(P(9).group, 0);
  Soltar(9, Sitio(9).x + 3, Sitio(9).y - 2);  // below 4
  EXPECT_EQ(P(9).group, 10);
  EXPECT_EQ(P(4).group, 10);
  EXPECT_EQ(P(5).group, 0);
}

TEST_F(FittingTest, GroupIdsFollowTheLargestMember) {
  Crear(3, 6);
  Colocar(3);
  Soltar(9, Sitio(9).x + 2, Sitio(9).y);
  EXPECT_EQ(P(3).group, 10);
  EXPECT_EQ(P(9).group, 10);
  // The group dragged by 9 onto lone 15, far from where it lay.
  Colocar(15, 300, 100);
  Soltar(9, Sitio(9, 300, 100).x - 4, Sitio(9, 300, 100).y + 5);
  for (int32_t i : {3, 9, 15}) EXPECT_TRUE(P(i).group == 16 && EnSitio(i, 300, 100)) << i;
  // A group with a larger id taking a lone piece keeps its id ...
  Colocar(14, 300, 100);
  Soltar(15, P(15).x, P(15).y - 1);
  EXPECT_EQ(P(14).group, 16);
  EXPECT_TRUE(EnSitio(15, 300, 100));
  // ... and a lone piece with a larger number renames the group it joins.
  Colocar(16, 300, 100);
  Soltar(16, P(16).x + 1, P(16).y);
  for (int32_t i : {3, 9, 14, 15, 16}) EXPECT_EQ(P(i).group, 17) << i;
}

TEST_F(FittingTest, SmallerPartnerGroupTakesTheMovingIdAndStaysPut) {
  Crear(3, 6);
  // Group {0, 1} (id 2) in place, right behind the moving group {2, 8}
  // (id 9) in the stacking order.
  Colocar(0);
  Colocar(1);
  P(0).group = P(1).group = 2;
  Colocar(2, 0, 100);
  Colocar(8, 0, 100);
  P(2).group = P(8).group = 9;
  puzzle.order = {2, 8, 0, 1};
  for (int32_t i = 3; i < 18; ++i)
    if (i != 8) puzzle.order.push_back(i);
  DropPiece(kTable, kTable, 2, Sitio(2).x - 5, Sitio(2).y + 5);
  for (int32_t i : {0, 1, 2, 8}) EXPECT_TRUE(P(i).group == 9 && EnSitio(i)) << i;
}

TEST_F(FittingTest, OnlyTheGrabbedPieceIsTestedAgainstNeighbours) {
  Crear(3, 6);
  Colocar(3, 200, 0);
  Colocar(9, 200, 0);
  P(3).group = P(9).group = 10;
  Colocar(15);
  Soltar(3, Sitio(3).x, Sitio(3).y);  // 9 lands exactly above 15
  EXPECT_TRUE(EnSitio(9));
  EXPECT_EQ(P(15).group, 0);
  EXPECT_EQ(s.shell.fitSounds, 0);
}

TEST_F(FittingTest, MarkedPartnerIsUnmarkedAndNothingFitsOnceFinished) {
  Crear(3, 3);
  Colocar(0);
  P(0).unmarked = 0;
  Soltar(1, Sitio(1).x, Sitio(1).y);
  EXPECT_TRUE(P(0).unmarked == 1 && P(0).group == 2);
  puzzle.finished = 1;
  Colocar(3);
  Soltar(4, Sitio(4).x, Sitio(4).y);
  EXPECT_EQ(P(4).group, 0);
  EXPECT_EQ(s.shell.fitSounds, 1);
}

TEST_F(FittingTest, RedrawsOnceWhenOldAndNewOverlap) {
  Crear(3, 3);
  Poner(0, 500, 300);
  Soltar(0, 510, 290);
  auto rects = [&] {
    std::vector<std::array<int32_t, 5>> v;
    for (const auto& r : s.shell.invalidated) v.push_back({r.board, r.x, r.y, r.w, r.h});
    s.shell.invalidated.clear();
    return v;
  };
  EXPECT_EQ(rects(), (std::vector<std::array<int32_t, 5>>{{kTable, 500, 290, kCaja + 10, kCaja + 10}}));
  Soltar(0, 700, 600);
  EXPECT_EQ(rects(), (std::vector<std::array<int32_t, 5>>{{kTable, 510, 290, kCaja, kCaja},
                                                          {kTable, 700, 600, kCaja, kCaja}}));
  EXPECT_TRUE(s.shell.notifications.empty());
}

TEST_F(FittingTest, MovingBetweenBoardsNotifiesBothParents) {
  Crear(2, 2);
  Soltar(3, 10, 10, kTable, 2);  // box 2 gets its first piece
  EXPECT_EQ(puzzle.order[puzzle.boards[2].first], 3);
  Soltar(3, 20, 20, 2, 4);  // and gives it up to box 4
  EXPECT_EQ(puzzle.order[puzzle.boards[4].first], 3);
  EXPECT_EQ(puzzle.boards[2].count + 10 * puzzle.boards[4].count + 100 * puzzle.boards[kTable].count, 310);
  const std::vector<std::pair<int, int>> esperado = {
      {2, kBoardGotPieces}, {4, kBoardGotPieces}, {2, kBoardEmptied}};
  EXPECT_EQ(s.shell.notifications, esperado);
  // The group moves with its grabbed piece, and fits on the new board.
  Colocar(0);
  Colocar(1);
  P(0).group = P(1).group = 2;
  Soltar(1, P(3).x + 2, P(3).y - kCelda - 3, kTable, 4);  // 1 lies above 3
  EXPECT_EQ(puzzle.boards[4].count, 3);
  for (int32_t i : {0, 1, 3}) EXPECT_EQ(P(i).group, 4) << i;
  EXPECT_EQ(P(0).x, P(3).x - kCelda);
}

TEST_F(FittingTest, CompletingInABoxSolvesOnTheTable) {
  Crear(4, 5);
  const int32_t n = 20;
  for (Board& b : puzzle.boards) b.first = b.count = 0;
  for (int b = 4; b < kBoardCount; ++b) puzzle.boards[b].first = n;
  puzzle.boards[3].count = n;
  for (int32_t i = 0; i < n; ++i) {
    Colocar(i, -30, -30);
    P(i).group = i == 7 ? 0 : n;
  }
  Poner(7, 150, 100);
  puzzle.clockRunning = true;
  puzzle.clockIdle = 1;
  Soltar(7, Sitio(7, -30, -30).x + 4, Sitio(7, -30, -30).y, 3, 3);
  EXPECT_TRUE(s.shell.finishedCalls == 1 && puzzle.finished == 1);
  EXPECT_TRUE(puzzle.boards[kTable].count == n && puzzle.boards[3].count == 0);
  for (const Board& b : puzzle.boards) EXPECT_EQ(b.first, 0);
  EXPECT_EQ(s.shell.hidden, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(std::count(s.shell.notifications.begin(), s.shell.notifications.end(), std::pair(3, kBoardEmptied)), 1);
  EXPECT_TRUE(s.shell.timerKills == 1 && puzzle.clockIdle == 0 && s.shell.fitSounds == 0);
  // Centred: ((1000 - 100) / 2 - 6, (700 - 80) / 2 - 6) is the frame shifted by (404, 264).
  for (int32_t i = 0; i < n; ++i) EXPECT_TRUE(EnSitio(i, 404, 264) && P(i).group == n) << i;
  // Solving again, or hinting, changes nothing.
  s.shell = ShellFalso{};
  SolvePuzzle();
  EXPECT_TRUE(HintPuzzle());
  EXPECT_TRUE(s.shell.hidden.empty());
  EXPECT_EQ(puzzle.hints, 0);
}

TEST_F(FittingTest, FourthHintOnTwentyPiecesIsTheLast) {
  Crear(4, 5);
  EXPECT_EQ(HintLimit(), 4);
  P(1).unmarked = 0;  // the first pair is (0, 1): the table's order is 0, 1, 2, ...
  for (int h = 1; h <= 4; ++h) {
    EXPECT_EQ(HintPuzzle(), h < 4) << h;
    EXPECT_EQ(puzzle.hints, h);
    EXPECT_EQ(s.shell.fitSounds, h);
    if (h == 1) {
      EXPECT_TRUE(P(1).unmarked == 1 && P(1).group == 2 && P(1).x == P(0).x + kCelda);
    }
  }
  int32_t agrupadas = 0;
  for (int32_t i = 0; i < 20; ++i) agrupadas += P(i).group != 0;
  EXPECT_EQ(agrupadas, 5);  // 0-1, then the newest front piece's right neighbour, ...
}

TEST_F(FittingTest, ScoreFormulas) {
  struct Caso { int32_t sueltas, hints; uint32_t seconds; int32_t porcentaje, puntos; };
  // 4 x 4: `sueltas` pieces alone, every other piece joined in one group.
  for (const Caso c : {Caso{1, 0, 0, 93, 238080}, Caso{0, 1, 100, 100, 16000}, Caso{0, 1, 104, 100, 16000},
                       Caso{0, 1, 105, 100, 15000}, Caso{15, 0, 0, 0, 0}, Caso{0, 0, UINT32_MAX, 100, 0}}) {
    Crear(4, 4);
    for (int32_t i = 0; i < 16; ++i) P(i).group = i < c.sueltas ? 0 : 16;
    puzzle.hints = c.hints;
    puzzle.seconds = c.seconds;
    int32_t piezas = -1, porcentaje = -1, puntos = -1;
    ScorePuzzle(&piezas, &porcentaje, &puntos);
    EXPECT_EQ(piezas, 16);
    EXPECT_EQ(porcentaje, c.porcentaje) << c.sueltas;
    EXPECT_EQ(puntos, c.puntos) << c.seconds;
  }
}

TEST_F(FittingTest, ScoreOfLargeGridsSaturatesAndNoPuzzleScoresZero) {
  int32_t piezas, porcentaje, puntos;
  ScorePuzzle(&piezas, &porcentaje, &puntos);
  EXPECT_EQ(piezas + porcentaje + puntos, 0);
  puzzle.rows = puzzle.cols = 150;
  puzzle.boxW = puzzle.boxH = 1;
  ASSERT_TRUE(AllocatePuzzle());
  for (PieceRecord& r : puzzle.pieces) r.group = 150 * 150;
  ScorePuzzle(&piezas, &porcentaje, &puntos);
  EXPECT_EQ(puntos, INT32_MAX);  // 100 x 22500 x 22500 x 10
}

TEST_F(FittingTest, ProgrammingErrorsAreAsserted) {
  EXPECT_VERIFICAR(DropPiece(kTable, kTable, 0, 0, 0), "que hago aqui en estas condiciones");
  Crear(2, 2);
  Colocar(0);
  P(0).group = -3;
  EXPECT_VERIFICAR(Soltar(1, Sitio(1).x, Sitio(1).y), "");
}

// Every piece dropped in a random order: next to a placed neighbour (with
// a random error within the tolerance) or, with none placed, in a frame of
// its own. Then the clusters are dragged onto each other by random members
// until one group is left.
TEST_F(FittingTest, RandomPlayThroughEndsComplete) {
  for (uint32_t semilla = 1; semilla <= 6; ++semilla) {
    SCOPED_TRACE(semilla);
    Crear(5, 7, semilla);
    const int32_t n = 35, cols = 7;
    std::mt19937 azar(semilla);
    auto error = [&] { return std::uniform_int_distribution<int32_t>(-6, 6)(azar); };
    auto vecinos = [&](int32_t i) {
      std::vector<int32_t> v;
      if (i >= cols) v.push_back(i - cols);
      if (i % cols != cols - 1) v.push_back(i + 1);
      if (i + cols < n) v.push_back(i + cols);
      if (i % cols != 0) v.push_back(i - 1);
      return v;
    };
    // Where piece i lies when solved next to where j lies now.
    auto junto = [&](int32_t i, int32_t j) {
      return Punto{P(j).x + kCelda * (i % cols - j % cols), P(j).y + kCelda * (i / cols - j / cols)};
    };
    // Ids are 1 + the largest member; members lie in place relative to each other.
    auto comprobar = [&] {
      std::map<int32_t, std::pair<int32_t, int32_t>> marco;
      for (int32_t i = 0, g; i < n; ++i)
        if ((g = P(i).group) != 0) {
          ASSERT_TRUE(g > i && P(g - 1).group == g) << i;
          const auto o = std::pair(P(i).x - kCelda * (i % cols), P(i).y - kCelda * (i / cols));
          ASSERT_EQ(marco.emplace(g, o).first->second, o) << i;
        }
    };
    // Clusters, lone pieces included: every fit joins exactly two.
    auto racimos = [&] {
      int32_t c = 0;
      for (int32_t i = 0; i < n; ++i) c += P(i).group == 0 || P(i).group == i + 1;
      return c;
    };

    std::vector<int32_t> orden(n);
    std::iota(orden.begin(), orden.end(), 0);
    std::shuffle(orden.begin(), orden.end(), azar);
    std::vector<bool> puesta(n, false);
    int32_t marcos = 0;
    for (int32_t p : orden) {
      std::vector<int32_t> cerca;
      for (int32_t v : vecinos(p))
        if (puesta[v]) cerca.push_back(v);
      const int32_t antes = racimos();
      if (cerca.empty()) {
        // A frame 13 pixels apart from every other one never fits by chance.
        Colocar(p, 13 * marcos, 7 * marcos);
        ++marcos;
        Soltar(p, P(p).x, P(p).y);
      } else {
        const Punto d = junto(p, cerca[azar() % cerca.size()]);
        Soltar(p, d.x + error(), d.y + error());
      }
      EXPECT_EQ(racimos(), antes - !cerca.empty());
      puesta[p] = true;
      comprobar();
    }
    for (int vueltas = 0; !puzzle.finished && vueltas < n; ++vueltas) {
      std::vector<std::pair<int32_t, int32_t>> fronteras;
      for (int32_t i = 0; i < n; ++i)
        for (int32_t v : vecinos(i))
          if (P(i).group == 0 || P(i).group != P(v).group) fronteras.emplace_back(i, v);
      ASSERT_FALSE(fronteras.empty());
      const auto [m, v] = fronteras[azar() % fronteras.size()];
      const Punto d = junto(m, v);
      const int32_t antes = racimos();
      Soltar(m, d.x + error(), d.y + error());
      EXPECT_EQ(racimos(), antes - 1);
      comprobar();
    }
    ASSERT_TRUE(puzzle.finished);
    EXPECT_EQ(s.shell.finishedCalls, 1);
    for (int32_t i = 0; i < n; ++i) EXPECT_EQ(P(i).group, n);
  }
}

}  // namespace
