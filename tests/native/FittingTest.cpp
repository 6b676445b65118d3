#include "Fitting.h"

#include <gtest/gtest.h>

#include <algorithm>
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

constexpr int32_t kCelda = 20, kMargen = 6;
// Where the picture lies when solved in the tests' own frame.
constexpr int32_t kOrigen = 40;

class FittingTest : public testing::Test {
 protected:
  // A rows x cols puzzle of 20-pixel cells, all pieces on a 1000 x 700
  // table, scattered 45 pixels apart below the solved frames.
  void Crear(int32_t rows, int32_t cols, uint32_t semilla = 1) {
    puzzle = PuzzleState{};
    puzzle.rows = rows, puzzle.cols = cols;
    puzzle.cellW = puzzle.cellH = kCelda;
    puzzle.marginX = puzzle.marginY = kMargen;
    puzzle.boxW = puzzle.boxH = kCelda + 2 * kMargen;
    ASSERT_TRUE(AllocatePuzzle());
    const int32_t n = rows * cols;
    ForgetPieceShapes();  // the sheet is blank: pieces draw nothing
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
    std::vector<int32_t> lugar(n);
    std::iota(lugar.begin(), lugar.end(), 0);
    std::shuffle(lugar.begin(), lugar.end(), std::mt19937(semilla));
    for (int32_t i = 0; i < n; ++i) P(i).x = 20 + 45 * (lugar[i] % 20), P(i).y = 450 + 45 * (lugar[i] / 20);
    for (Board& b : puzzle.boards) b.first = b.count = 0;
    puzzle.boards[kTable].count = n;
    static std::vector<uint8_t> mosaico(kHImagenPixeles + MOSAICO_TAMX * MOSAICO_TAMY, 7);
    auto* m = reinterpret_cast<HIMAGE>(mosaico.data());
    *m = CabeceraInfoBMP{40, MOSAICO_TAMX, MOSAICO_TAMY, 1, 8, 0, 0, 0, 0, 256, 0};
    MosaicoPuzzle(m);
    ASSERT_TRUE(ResizeBoard(kTable, 1000, 700));
    for (int b = 0; b < kBoxCount; ++b) ASSERT_TRUE(ResizeBoard(b, 200, 150));
    s.shell = ShellFalso{};
  }
  void TearDown() override { puzzle = PuzzleState{}; }

  static PieceRecord& P(int32_t i) { return puzzle.pieces[i]; }
  // Solved position in the tests' frame, shifted by (dx, dy).
  static Punto Sitio(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    return {kOrigen + dx + kCelda * (i % puzzle.cols), kOrigen + dy + kCelda * (i / puzzle.cols)};
  }
  static void Colocar(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    const Punto p = Sitio(i, dx, dy);
    P(i).x = p.x, P(i).y = p.y;
  }
  static bool EnSitio(int32_t i, int32_t dx = 0, int32_t dy = 0) {
    return P(i).x == Sitio(i, dx, dy).x && P(i).y == Sitio(i, dx, dy).y;
  }
  // What the board window does on a release: group to the front, then drop.
  static DropResult Soltar(int32_t i, int32_t x, int32_t y, int from = kTable, int to = kTable) {
    const int32_t* inicio = puzzle.order.data() + puzzle.boards[from].first;
    BringToFront(from, int32_t(std::find(inicio, inicio + puzzle.boards[from].count, i) - inicio), false);
    return DropPiece(to, from, i, x, y);
  }

  ConShellFalso s;
};

TEST_F(FittingTest, ToleranceIsSixPixelsInclusiveOnEachAxis) {
  struct Caso { int32_t dx, dy; bool encaja; };
  for (const Caso c : {Caso{6, 6, true}, Caso{-6, -6, true}, Caso{-6, 6, true}, Caso{7, 0, false},
                       Caso{0, 7, false}, Caso{-7, 0, false}, Caso{0, -7, false}}) {
    SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
    Crear(4, 5);
    Colocar(6);
    Soltar(7, Sitio(7, c.dx, c.dy).x, Sitio(7, c.dx, c.dy).y);
    EXPECT_EQ(EnSitio(7), c.encaja);
    EXPECT_EQ(P(7).group + P(6).group, c.encaja ? 16 : 0);
    EXPECT_EQ(s.shell.fitSounds, c.encaja ? 1 : 0);
  }
}

// The tolerance in table pixels follows the zoom: the search takes it as
// given, inclusive, on each axis.
TEST_F(FittingTest, SearchTakesTheToleranceItIsGiven) {
  struct Caso { int32_t desvio, tolerancia; bool encaja; };
  Crear(4, 5);
  Colocar(6);
  for (const Caso c : {Caso{7, kFitTolerance, false}, Caso{7, 12, true}, Caso{12, 12, true}, Caso{-12, 12, true},
                       Caso{13, 12, false}, Caso{-13, 12, false}}) {
    for (const bool enX : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.desvio << " within " << c.tolerancia << (enX ? " on x" : " on y"));
      const Punto p = Sitio(7, enX ? c.desvio : 0, enX ? 0 : c.desvio);
      const FitPartner f = FindFitPartner(kTable, 7, p.x, p.y, c.tolerancia);
      EXPECT_EQ(f.piece, c.encaja ? 6 : -1);
      if (c.encaja) {
        EXPECT_TRUE(f.place.x == Sitio(7).x && f.place.y == Sitio(7).y);
      }
    }
  }
  EXPECT_EQ(P(6).group + P(7).group, 0);  // looking joins nothing
  // Two neighbours within reach: the first in the board's order wins, not
  // the nearer one.
  Colocar(2, 10, 0);
  EXPECT_EQ(FindFitPartner(kTable, 7, Sitio(7).x, Sitio(7).y, 12).piece, 2);
  EXPECT_EQ(FindFitPartner(kTable, 7, Sitio(7).x, Sitio(7).y).piece, 6);
}

TEST_F(FittingTest, DropSaysWhetherItFittedAndWhetherItFinished) {
  auto es = [](DropResult r, bool encajada, bool terminada) { return r.fitted == encajada && r.finished == terminada; };
  Crear(2, 2);
  Colocar(0);
  EXPECT_TRUE(es(Soltar(3, Sitio(3).x + 100, Sitio(3).y), false, false));
  EXPECT_TRUE(es(Soltar(1, Sitio(1).x + 6, Sitio(1).y - 6), true, false));
  EXPECT_TRUE(es(Soltar(2, Sitio(2).x, Sitio(2).y + 7), false, false));
  EXPECT_TRUE(es(Soltar(2, Sitio(2).x - 3, Sitio(2).y), true, false));
  EXPECT_EQ(s.shell.finishedCalls, 0);
  EXPECT_TRUE(es(Soltar(3, Sitio(3).x, Sitio(3).y + 2), true, true));
  EXPECT_EQ(s.shell.finishedCalls, 1);
  // Once finished nothing fits any more.
  EXPECT_TRUE(es(Soltar(3, P(3).x, P(3).y), false, false));
}

TEST_F(FittingTest, NeighboursDoNotWrapAcrossRows) {
  Crear(4, 5);
  Colocar(4);
  Soltar(5, P(4).x + kCelda, P(4).y);  // exactly where 4's right neighbour would be
  EXPECT_EQ(P(5).group, 0);
  Soltar(9, Sitio(9).x + 3, Sitio(9).y - 2);  // below 4
  EXPECT_EQ(P(9).group + P(4).group, 20);
  EXPECT_EQ(P(5).group, 0);
}

TEST_F(FittingTest, GroupIdsFollowTheLargestMember) {
  Crear(3, 6);
  Colocar(3);
  Soltar(9, Sitio(9).x + 2, Sitio(9).y);
  EXPECT_EQ(P(3).group + P(9).group, 20);
  // The group dragged by 9 onto lone 15, far from where it lay.
  Colocar(15, 300, 100);
  Soltar(9, Sitio(9, 300, 100).x - 4, Sitio(9, 300, 100).y + 5);
  for (int32_t i : {3, 9, 15}) EXPECT_TRUE(P(i).group == 16 && EnSitio(i, 300, 100)) << i;
}

TEST_F(FittingTest, SmallerPartnerGroupTakesTheMovingIdAndStaysPut) {
  Crear(3, 6);
  // Group {0, 1} (id 2) in place, right behind the moving group {2, 8}
  // (id 9) in the stacking order.
  Colocar(0), Colocar(1), Colocar(2, 0, 100), Colocar(8, 0, 100);
  P(0).group = P(1).group = 2;
  P(2).group = P(8).group = 9;
  puzzle.order = {2, 8, 0, 1};
  for (int32_t i = 3; i < 18; ++i)
    if (i != 8) puzzle.order.push_back(i);
  DropPiece(kTable, kTable, 2, Sitio(2).x - 5, Sitio(2).y + 5);
  for (int32_t i : {0, 1, 2, 8}) EXPECT_TRUE(P(i).group == 9 && EnSitio(i)) << i;
}

TEST_F(FittingTest, OnlyTheGrabbedPieceIsTestedAgainstNeighbours) {
  Crear(3, 6);
  Colocar(3, 200, 0), Colocar(9, 200, 0), Colocar(15);
  P(3).group = P(9).group = 10;
  Soltar(3, Sitio(3).x, Sitio(3).y);  // 9 lands exactly above 15
  EXPECT_TRUE(EnSitio(9));
  EXPECT_EQ(P(15).group, 0);
  EXPECT_EQ(s.shell.fitSounds, 0);
}

TEST_F(FittingTest, CompletingInABoxSolvesOnTheTable) {
  Crear(4, 5);
  for (Board& b : puzzle.boards) b.first = b.count = 0;
  for (int b = 4; b < kBoardCount; ++b) puzzle.boards[b].first = 20;
  puzzle.boards[3].count = 20;
  for (int32_t i = 0; i < 20; ++i) Colocar(i, -30, -30), P(i).group = i == 7 ? 0 : 20;
  P(7).x = 150, P(7).y = 100;
  puzzle.clockRunning = true, puzzle.clockIdle = 1;
  Soltar(7, Sitio(7, -30, -30).x + 4, Sitio(7, -30, -30).y, 3, 3);
  EXPECT_TRUE(s.shell.finishedCalls == 1 && puzzle.finished == 1 && puzzle.boards[kTable].count == 20);
  for (const Board& b : puzzle.boards) EXPECT_EQ(b.first, 0);
  EXPECT_EQ(s.shell.hidden, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_TRUE(s.shell.timerKills == 1 && puzzle.clockIdle == 0 && s.shell.fitSounds == 0);
  // Centred: ((1000 - 100) / 2 - 6, (700 - 80) / 2 - 6) is the frame shifted by (404, 264).
  for (int32_t i = 0; i < 20; ++i) EXPECT_TRUE(EnSitio(i, 404, 264) && P(i).group == 20) << i;
}

TEST_F(FittingTest, FourthHintOnTwentyPiecesIsTheLast) {
  Crear(4, 5);
  P(1).unmarked = 0;  // the first pair is (0, 1): the table's order is 0, 1, 2, ...
  ASSERT_TRUE(HintPuzzle());
  EXPECT_TRUE(P(1).unmarked == 1 && P(1).group == 2 && P(1).x == P(0).x + kCelda);
  for (int h = 2; h <= 4; ++h) EXPECT_EQ(HintPuzzle(), h < 4) << h;
  EXPECT_TRUE(puzzle.hints == 4 && s.shell.fitSounds == 4);
}

TEST_F(FittingTest, ScoreFormulas) {
  struct Caso { int32_t sueltas, hints; uint32_t seconds; int32_t porcentaje, puntos; };
  // 4 x 4: `sueltas` pieces alone, every other piece joined in one group.
  for (const Caso c : {Caso{1, 0, 0, 93, 238080}, Caso{0, 1, 100, 100, 16000}, Caso{0, 1, 104, 100, 16000},
                       Caso{0, 1, 105, 100, 15000}, Caso{15, 0, 0, 0, 0}, Caso{0, 0, UINT32_MAX, 100, 0}}) {
    Crear(4, 4);
    for (int32_t i = 0; i < 16; ++i) P(i).group = i < c.sueltas ? 0 : 16;
    puzzle.hints = c.hints, puzzle.seconds = c.seconds;
    int32_t piezas = -1, porcentaje = -1, puntos = -1;
    ScorePuzzle(&piezas, &porcentaje, &puntos);
    EXPECT_EQ((std::vector{piezas, porcentaje, puntos}), (std::vector{16, c.porcentaje, c.puntos})) << c.seconds;
  }
}

// A 10,000-piece game of 200 hours: the clock passes 99 hours and the score
// stays exact (percentage x pieces left x pieces x 10 / (seconds / 7 + 1)).
TEST_F(FittingTest, TenThousandPiecesAndTwoHundredHours) {
  Crear(100, 100);
  for (int32_t i = 0; i < 10000; ++i) P(i).group = 10000;
  puzzle.hints = 2000, puzzle.seconds = 200u * 3600 - 1;
  puzzle.finished = 0, puzzle.paused = 0;
  PuzzleClockTick();
  ASSERT_FALSE(s.shell.shownTimes.empty());
  EXPECT_EQ(s.shell.shownTimes.back(), 720000u);
  int32_t piezas = -1, porcentaje = -1, puntos = -1;
  ScorePuzzle(&piezas, &porcentaje, &puntos);
  EXPECT_EQ((std::vector{piezas, porcentaje}), (std::vector{10000, 100}));
  EXPECT_EQ(puntos, static_cast<int32_t>(100.0 * 8000 * 10000 * 10 / (720000 / 7 + 1.0)));
}

TEST_F(FittingTest, ProgrammingErrorsAreAsserted) {
  EXPECT_VERIFICAR(DropPiece(kTable, kTable, 0, 0, 0), "que hago aqui en estas condiciones");
  Crear(2, 2);
  Colocar(0);
  P(0).group = -3;
  EXPECT_VERIFICAR(Soltar(1, Sitio(1).x, Sitio(1).y), "");
}

// Every piece dropped in a random order next to a placed neighbour (with a
// random error within the tolerance) or, with none placed, in a frame of
// its own; then clusters dragged onto each other until one is left.
TEST_F(FittingTest, RandomPlayThroughEndsComplete) {
  for (uint32_t semilla = 1; semilla <= 3; ++semilla) {
    SCOPED_TRACE(semilla);
    Crear(5, 7, semilla);
    const int32_t n = 35, cols = 7;
    std::mt19937 azar(semilla);
    auto error = [&] { return std::uniform_int_distribution<int32_t>(-6, 6)(azar); };
    auto vecinos = [&](int32_t i) {
      std::vector<int32_t> v;
      for (int32_t j : {i - cols, i + 1, i + cols, i - 1})
        if (j >= 0 && j < n && (j / cols == i / cols || j % cols == i % cols)) v.push_back(j);
      return v;
    };
    // Drops m where it goes next to v; checks that two clusters joined when
    // `une`, ids are 1 + the largest member and members lie in place together.
    auto soltarJunto = [&](int32_t m, int32_t v, bool une) {
      auto racimos = [&](int32_t c = 0) {
        for (int32_t i = 0; i < n; ++i) c += P(i).group == 0 || P(i).group == i + 1;
        return c;
      };
      const int32_t antes = racimos();
      Soltar(m, P(v).x + kCelda * (m % cols - v % cols) + une * error(),
             P(v).y + kCelda * (m / cols - v / cols) + une * error());
      EXPECT_EQ(racimos(), antes - une);
      std::map<int32_t, std::pair<int32_t, int32_t>> marco;
      for (int32_t i = 0, g; i < n; ++i)
        if ((g = P(i).group) != 0) {
          ASSERT_TRUE(g > i && P(g - 1).group == g) << i;
          const auto o = std::pair(P(i).x - kCelda * (i % cols), P(i).y - kCelda * (i / cols));
          ASSERT_EQ(marco.emplace(g, o).first->second, o) << i;
        }
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
      if (cerca.empty()) {
        // Frames 13 pixels apart never fit by chance.
        Colocar(p, 13 * marcos, 7 * marcos), ++marcos;
        soltarJunto(p, p, false);
      } else {
        soltarJunto(p, cerca[azar() % cerca.size()], true);
      }
      puesta[p] = true;
    }
    for (int vueltas = 0; !puzzle.finished && vueltas < n; ++vueltas) {
      std::vector<std::pair<int32_t, int32_t>> fronteras;
      for (int32_t i = 0; i < n; ++i)
        for (int32_t v : vecinos(i))
          if (P(i).group == 0 || P(i).group != P(v).group) fronteras.emplace_back(i, v);
      ASSERT_FALSE(fronteras.empty());
      const auto [m, v] = fronteras[azar() % fronteras.size()];
      soltarJunto(m, v, true);
    }
    ASSERT_TRUE(puzzle.finished);
    EXPECT_EQ(s.shell.finishedCalls, 1);
    for (int32_t i = 0; i < n; ++i) EXPECT_EQ(P(i).group, n);
  }
}

}  // namespace
