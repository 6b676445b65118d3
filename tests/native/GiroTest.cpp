// Turned pieces: drawing, hit testing, the fit rule, turning about a
// point, undo through a save, the score and the file format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Compositor.h"
#include "Cut.h"
#include "Deshacer.h"
#include "Drag.h"
#include "Fitting.h"
#include "MesaPrueba.h"
#include "Puzzle.h"
#include "PuzzleFile.h"
#include "Relieve.h"
#include "ShellFalso.h"

namespace {

constexpr int32_t kLejos = 5000;  // where pieces out of the way lie

// A square grid of values, rotated a quarter turn clockwise by moving
// each value to its new place.
using Cuadro = std::vector<std::vector<uint32_t>>;
Cuadro Rotar(const Cuadro& a) {
  const size_t n = a.size();
  Cuadro b(n, std::vector<uint32_t>(n));
  for (size_t y = 0; y < n; ++y)
    for (size_t x = 0; x < n; ++x) b[x][n - 1 - y] = a[y][x];
  return b;
}

// A 4 x 5 puzzle of a 300 x 225 picture (cells 60 x 56: boxes made square)
// cut with the test die on an 800 x 600 table.
class GiroTest : public MesaPrueba {
 protected:
  void TearDown() override {
    ActivarRelieve(true);
    MesaPrueba::TearDown();
    puzzle = PuzzleState{};
  }

  void Cortar(bool girada) {
    ClosePuzzle(false);
    ASSERT_TRUE(imagenActual.Abrir(imagen.c_str()));
    ASSERT_TRUE(CreatePuzzle({.picture = &imagenActual, .scale = 1.5, .rows = 4, .cols = 5, .dieId = kTroquel,
                              .dieRows = 2, .dieCols = 2, .newGame = true, .table = {800, 600},
                              .turned = girada}));
  }
  // Every piece out of the way and upright, alone and unmarked.
  static void Apartar() {
    for (PieceRecord& r : puzzle.pieces) r = PieceRecord{0, 1, 0, {}, kLejos, kLejos};
  }
  static PieceRecord& P(int32_t i) { return puzzle.pieces[static_cast<size_t>(i)]; }
  static int32_t Posicion(int32_t i) {
    const Board& b = puzzle.boards[kTable];
    for (int32_t k = 0; k < b.count; ++k)
      if (puzzle.order[b.first + k] == i) return k;
    return -1;
  }
  // Piece i's coverage (1) and colour (0xRRGGBB + 1) upright, turned
  // `giro` times by Rotar.
  static Cuadro Girado(int32_t i, int giro, bool color) {
    const int32_t S = puzzle.boxW;
    Cuadro c(S, std::vector<uint32_t>(S));
    for (int32_t y = 0; y < S; ++y)
      for (int32_t x = 0; x < S; ++x) {
        if (*puzzle.SheetPixel(i, x, y) != 1) continue;
        const uint8_t* p = puzzle.PieceColour(i, x, y);
        c[y][x] = color ? 1 + (p[2] << 16 | p[1] << 8 | p[0]) : 1;
      }
    for (int k = 0; k < giro; ++k) c = Rotar(c);
    return c;
  }
  static uint32_t Pixel(int32_t x, int32_t y) {
    const uint8_t* p = puzzle.boards[kTable].Row(y) + 3 * x;
    return p[2] << 16 | p[1] << 8 | p[0];
  }
  static void Componer() { DrawBoardRect(kTable, 0, 0, 800, 600, false); }

  ConShellFalso falso_;
};

TEST_F(GiroTest, TurnedPiecesShowTheirSheetTurnedAndHitWhereTheyCover) {
  Cortar(true);
  ASSERT_EQ(puzzle.boxW, puzzle.boxH);
  ASSERT_NE(puzzle.cellW, puzzle.cellH);
  const int32_t S = puzzle.boxW, X = 120, Y = 90;
  for (const bool relieve : {false, true}) {
    ActivarRelieve(relieve);
    for (const int32_t i : {0, 7, 19}) {
      for (int giro = 0; giro < 4; ++giro) {
        SCOPED_TRACE(testing::Message() << "piece " << i << " turn " << giro << (relieve ? " relief" : ""));
        Apartar();
        Componer();
        std::vector<uint32_t> fondo;
        for (int32_t v = 0; v < S; ++v)
          for (int32_t u = 0; u < S; ++u) fondo.push_back(Pixel(X + u, Y + v));
        P(i) = PieceRecord{0, 1, static_cast<uint8_t>(giro), {}, X, Y};
        Componer();
        const Cuadro colores = Girado(i, giro, true);
        int64_t luz = 0, sombra = 0;  // the bevel's change on the upper left and lower right edges
        int fallos = 0;
        for (int32_t v = 0; v < S; ++v)
          for (int32_t u = 0; u < S; ++u) {
            const uint32_t esperado = colores[v][u] ? colores[v][u] - 1 : fondo[static_cast<size_t>(v * S + u)];
            const uint32_t visto = Pixel(X + u, Y + v);
            const bool dentro = colores[v][u] != 0;
            // Hit testing takes the turned coverage, box edges excluded.
            fallos += (HitTestPiece(kTable, X + u, Y + v) == Posicion(i)) != (dentro && u > 0 && v > 0);
            if (!relieve) {
              fallos += visto != esperado;
              continue;
            }
            if (!dentro) continue;
            const auto suma = [](uint32_t c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16); };
            const int32_t cambio = int32_t(suma(visto)) - int32_t(suma(esperado));
            if (u == 0 || v == 0 || !colores[v - 1][u - 1]) luz += cambio;
            if (u == S - 1 || v == S - 1 || !colores[v + 1][u + 1]) sombra += cambio;
          }
        // The dragged piece's sprite shows the same.
        if (!relieve) {
          std::vector<uint8_t> lienzo(static_cast<size_t>(S) * S * 3, 0);
          PaintSprite(i, lienzo.data(), S * 3, 0, 0, Formato24());
          for (int32_t v = 0; v < S; ++v)
            for (int32_t u = 0; u < S; ++u) {
              const uint8_t* q = &lienzo[static_cast<size_t>(v * S + u) * 3];
              fallos += colores[v][u] && uint32_t(q[2] << 16 | q[1] << 8 | q[0]) != colores[v][u] - 1;
            }
        }
        EXPECT_EQ(fallos, 0);
        // Lit from the screen's upper left at every turn.
        if (relieve) {
          EXPECT_TRUE(luz > 0 && sombra < 0) << luz << " " << sombra;
        }
      }
    }
  }
}

// Piece 6's neighbours lie up, right, down and left of it (directions 0-3,
// clockwise); at turn q a neighbour in direction k lies in direction k + q
// on the screen.
TEST_F(GiroTest, NeighboursFitOnlyAtTheSameTurnWhereThatTurnPutsThem) {
  Cortar(true);
  const int32_t vecinos[4] = {1, 7, 11, 5};
  const int32_t largo[4] = {puzzle.cellH, puzzle.cellW, puzzle.cellH, puzzle.cellW};
  const Punto pasos[4] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  const Punto base{300, 250};
  for (int giro = 0; giro < 4; ++giro)
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE(testing::Message() << "turn " << giro << " neighbour " << vecinos[k]);
      const Punto paso = pasos[(k + giro) % 4];
      const Punto sitio{base.x + paso.x * largo[k], base.y + paso.y * largo[k]};
      Apartar();
      P(6).turn = static_cast<uint8_t>(giro);
      P(vecinos[k]) = PieceRecord{0, 1, static_cast<uint8_t>(giro), {}, sitio.x, sitio.y};
      const FitPartner f = FindFitPartner(kTable, 6, base.x + 6, base.y - 6);
      EXPECT_EQ(f.piece, vecinos[k]);
      EXPECT_TRUE(f.place.x == base.x && f.place.y == base.y);
      EXPECT_EQ(FindFitPartner(kTable, 6, base.x + 7, base.y).piece, -1);
      // The right place at the wrong turn.
      P(vecinos[k]).turn = static_cast<uint8_t>((giro + 1) % 4);
      EXPECT_EQ(FindFitPartner(kTable, 6, base.x, base.y).piece, -1);
      // The right turn in the upright place.
      if (giro != 0) {
        const Punto recto = pasos[k];
        P(vecinos[k]) = PieceRecord{0, 1, static_cast<uint8_t>(giro), {}, base.x + recto.x * largo[k],
                                    base.y + recto.y * largo[k]};
        EXPECT_EQ(FindFitPartner(kTable, 6, base.x, base.y).piece, -1);
      }
    }
}

TEST_F(GiroTest, AGroupOrASelectionTurnsWholeAboutThePointClicked) {
  Cortar(true);
  Apartar();
  // Pieces 0, 1, 5 and 6 joined in place.
  const int32_t cw = puzzle.cellW, ch = puzzle.cellH;
  for (const int32_t i : {0, 1, 5, 6}) P(i) = PieceRecord{7, 1, 0, {}, 200 + i % 5 * cw, 150 + i / 5 * ch};
  const std::vector<PieceRecord> antes = puzzle.pieces;
  // A point on piece 0's cell.
  const int32_t cx = P(0).x + puzzle.marginX + 10, cy = P(0).y + puzzle.marginY + 12;
  const TurnResult t = TurnPieceAt(kTable, cx, cy, 1);
  EXPECT_TRUE(t.turned && !t.fitted);
  for (const int32_t i : {0, 1, 5, 6}) EXPECT_EQ(std::make_pair(P(i).turn, P(i).group), std::make_pair(uint8_t{1}, 7));
  // Right of piece 0 is now below it, below it is now left.
  EXPECT_TRUE(P(1).x == P(0).x && P(1).y == P(0).y + cw);
  EXPECT_TRUE(P(5).x == P(0).x - ch && P(5).y == P(0).y);
  EXPECT_TRUE(P(6).x == P(0).x - ch && P(6).y == P(0).y + cw);
  // The point clicked stays on piece 0.
  EXPECT_EQ(puzzle.order[puzzle.boards[kTable].first + HitTestPiece(kTable, cx, cy)], 0);
  // Back where it was: anticlockwise, or three more turns.
  TurnPieceAt(kTable, cx, cy, 3);
  EXPECT_EQ(std::memcmp(antes.data(), puzzle.pieces.data(), antes.size() * sizeof(PieceRecord)), 0);
  for (int k = 0; k < 4; ++k) TurnPieceAt(kTable, cx, cy, 1);
  EXPECT_EQ(std::memcmp(antes.data(), puzzle.pieces.data(), antes.size() * sizeof(PieceRecord)), 0);

  // A marked selection turns as one; its pieces keep apart as they were.
  P(12) = PieceRecord{0, 0, 0, {}, 500, 300};
  P(18) = PieceRecord{0, 0, 2, {}, 600, 320};
  TurnPieceAt(kTable, 520 + puzzle.marginX, 300 + puzzle.marginY + 20, 1);
  EXPECT_EQ(std::make_pair(P(12).turn, P(18).turn), std::make_pair(uint8_t{1}, uint8_t{3}));
  EXPECT_TRUE(P(18).x - P(12).x == -20 && P(18).y - P(12).y == 100);
  EXPECT_TRUE(P(12).unmarked == 0 && P(18).unmarked == 0);
  // Nothing turns off the pieces, nor in a game of upright pieces.
  EXPECT_FALSE(TurnPieceAt(kTable, 790, 10, 1).turned);
  puzzle.turned = 0;
  EXPECT_FALSE(TurnPieceAt(kTable, cx, cy, 1).turned);
}

TEST_F(GiroTest, UndoAndRedoGiveBackTurnsByteForByte) {
  Cortar(true);
  VaciarHistorial();
  const auto guardar = [&] {
    EXPECT_TRUE(SavePuzzle(epf.c_str()));
    std::vector<uint8_t> b = LeerTodo(epf);
    b.resize(488 + 28 + 20 * 20);  // header, counts, order and records
    return b;
  };
  // The middle of a piece's cell, wherever it lies turned.
  const auto medio = [](int32_t i) {
    return Punto{P(i).x + puzzle.boxW / 2, P(i).y + puzzle.boxH / 2};
  };
  const std::vector<uint8_t> inicio = guardar();
  EXPECT_EQ(inicio[474], 1);
  for (int32_t i = 0; i < 20; ++i) EXPECT_EQ(inicio[516 + 80 + 16 * i + 5], P(i).turn);
  const int32_t a = puzzle.order[puzzle.boards[kTable].first];
  ASSERT_TRUE(TurnPieceAt(kTable, medio(a).x, medio(a).y, 1).turned);
  const std::vector<uint8_t> uno = guardar();
  const int32_t b = puzzle.order[puzzle.boards[kTable].first + 5];
  ASSERT_TRUE(TurnPieceAt(kTable, medio(b).x, medio(b).y, 3).turned);
  const std::vector<uint8_t> dos = guardar();
  EXPECT_NE(uno, inicio);
  EXPECT_NE(dos, uno);
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(guardar(), uno);
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(guardar(), inicio);
  ASSERT_TRUE(RehacerMovimiento());
  ASSERT_TRUE(RehacerMovimiento());
  EXPECT_EQ(guardar(), dos);
}

TEST_F(GiroTest, SavesKeepTurnsAndOlderOrDamagedFilesAreReadSafely) {
  Cortar(true);
  P(12).group = P(17).group = 18;
  P(12).turn = P(17).turn = 2;
  const std::vector<PieceRecord> antes = puzzle.pieces;
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  const std::vector<uint8_t> girada = LeerTodo(epf);
  bool pistas = false;
  ASSERT_TRUE(LoadPuzzle(epf.c_str(), &pistas));
  EXPECT_EQ(puzzle.turned, 1);
  EXPECT_EQ(puzzle.boxW, puzzle.boxH);
  EXPECT_EQ(std::memcmp(antes.data(), puzzle.pieces.data(), antes.size() * sizeof(PieceRecord)), 0);

  // Damaged: a flag past 1, a turn past 3, a group at two turns. The game
  // on the table stays.
  const size_t registro = 488 + 28 + 80;
  for (const auto& [offset, valor] : {std::pair<size_t, uint8_t>{474, 2}, {registro + 16 * 3 + 5, 4},
                                      {registro + 16 * 12 + 5, 1}}) {
    std::vector<uint8_t> b = girada;
    b[offset] = valor;
    EscribirTodo(carpeta + "mal.epf", b);
    EXPECT_FALSE(LoadPuzzle((carpeta + "mal.epf").c_str(), &pistas)) << offset;
    EXPECT_EQ(std::memcmp(antes.data(), puzzle.pieces.data(), antes.size() * sizeof(PieceRecord)), 0);
  }

  // A file from before turned pieces (no flag) is an upright game, whatever
  // its records' spare bytes hold.
  Cortar(false);
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  std::vector<uint8_t> vieja = LeerTodo(epf);
  EXPECT_EQ(vieja[474], 0);
  for (int32_t i = 0; i < 20; ++i) vieja[registro + 16 * i + 5] = 3;
  EscribirTodo(epf, vieja);
  Cortar(true);
  ASSERT_TRUE(LoadPuzzle(epf.c_str(), &pistas));
  EXPECT_EQ(puzzle.turned, 0);
  EXPECT_NE(puzzle.boxW, puzzle.boxH);
  for (const PieceRecord& r : puzzle.pieces) EXPECT_EQ(r.turn, 0);
}

TEST_F(GiroTest, SolveAndHintsSetPiecesUprightAndTurnedGamesScoreDouble) {
  Cortar(true);
  for (PieceRecord& r : puzzle.pieces) r.turn = 1;
  ASSERT_TRUE(HintPuzzle());
  int derechas = 0;
  for (const PieceRecord& r : puzzle.pieces) derechas += r.turn == 0;
  EXPECT_EQ(derechas, 2);  // the hinted pair
  puzzle.seconds = 70;
  int32_t n, porcentaje, giradas, rectas;
  ScorePuzzle(&n, &porcentaje, &giradas);
  puzzle.turned = 0;
  ScorePuzzle(&n, &porcentaje, &rectas);
  EXPECT_GT(rectas, 0);
  EXPECT_NEAR(giradas, 2 * rectas, 1);
  puzzle.turned = 1;
  SolvePuzzle();
  for (const PieceRecord& r : puzzle.pieces) EXPECT_EQ(r.turn, 0);
}

}  // namespace
