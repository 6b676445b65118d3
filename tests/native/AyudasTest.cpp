// Help with big puzzles: undo and redo, edge pieces to a box, spreading the
// loose pieces, and the ghost picture under them.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Cut.h"
#include "Deshacer.h"
#include "Drag.h"
#include "Fitting.h"
#include "Ordenar.h"
#include "Puzzle.h"
#include "PuzzleFile.h"
#include "ShellFalso.h"
#include "Troquel.h"
#include "TroquelPrueba.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kGenerado = 5010;  // 5010-5012: the three piece shapes
constexpr int32_t kMesaAncho = 900, kMesaAlto = 700;

uint32_t Color(int32_t x, int32_t y) { return static_cast<uint32_t>(((x * 7) & 255) | ((y * 5) & 255) << 8 | ((x + y) & 255) << 16); }

class Ayudas : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(carpeta);
    CerrarArchivoRecursos();
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> troqueles;
    for (int estilo = 0; estilo < 3; ++estilo) {
      const std::vector<uint8_t> bmp = BmpTroquel(GenerarTroquel(estilo));
      troqueles.push_back({kGenerado + estilo, std::vector<uint8_t>(bmp.begin() + 14, bmp.end())});
    }
    ASSERT_TRUE(EscribirArchivoTroqueles(carpeta + "t.rf", troqueles));
    ASSERT_TRUE(AbrirArchivoRecursos((carpeta + "t.rf").c_str()));
    static std::vector<uint8_t> mosaico(kHImagenPixeles + 100 * 100);
    auto* m = reinterpret_cast<HIMAGE>(mosaico.data());
    *m = CabeceraInfoBMP{40, 100, 100, 1, 8, 0, 0, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i) ColoresHIMAGE(m)[i] = ColorRGBQ{static_cast<uint8_t>(i), 40, 200, 0};
    for (int32_t y = 0; y < 100; ++y)
      for (int32_t x = 0; x < 100; ++x) FilaHIMAGE(m, y)[x] = static_cast<uint8_t>(x + y);
    MosaicoPuzzle(m);
    ASSERT_TRUE(ResizeBoard(kTable, kMesaAncho, kMesaAlto));
    for (int b = 0; b < kBoxCount; ++b) ASSERT_TRUE(ResizeBoard(b, 300, 250));
  }
  void TearDown() override {
    MostrarFantasma(false);
    ClosePuzzle(false);
    for (Board& b : puzzle.boards) b = Board{};
    puzzle = PuzzleState{};
    CerrarArchivoRecursos();
    fs::remove_all(carpeta);
  }

  // A rows x cols puzzle of 40-pixel cells cut in shape `forma`, its pieces
  // scattered over the table.
  void Cortar(int32_t filas, int32_t columnas, int forma = 0) {
    ClosePuzzle(false);
    BmpSintetico bmp;
    bmp.ancho = 40 * columnas, bmp.alto = 40 * filas, bmp.bits = 24;
    const std::vector<uint8_t> bytes = bmp.Pintar(Color).Bytes();
    std::ofstream(imagen, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ASSERT_TRUE(imagenActual.Abrir(imagen.c_str()));
    ASSERT_TRUE(CreatePuzzle({.picture = &imagenActual, .scale = 1.0, .rows = filas, .cols = columnas,
                              .dieId = kGenerado + forma, .dieRows = 2, .dieCols = 2, .newGame = true,
                              .table = puzzle.boards[kTable].Size()}));
    DrawAllBoards(false);
  }

  // The game as a file: header, counts, order and records, and the table's
  // thumbnail. The hint count is left out: an undo does not give hints back.
  std::vector<uint8_t> Guardado() {
    const int32_t pistas = puzzle.hints;
    puzzle.hints = 0;
    const bool ok = SavePuzzle(epf.c_str());
    puzzle.hints = pistas;
    EXPECT_TRUE(ok);
    std::ifstream f(epf, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }

  // A drag of the front-most piece under (x, y) of `board` to (tx, ty) of `to`.
  static void Arrastrar(int board, int32_t posicion, int to, int32_t tx, int32_t ty) {
    PickUpPiece(board, posicion);
    BringToFront(board, 0, true);
    PutDownPiece(board, to, tx, ty);
  }

  // One random move; false when it changed nothing the history keeps.
  bool MovimientoAzar(std::mt19937& azar) {
    const size_t antes = Historial().Niveles();
    const int tipo = static_cast<int>(azar() % 11);
    if (tipo < 6) {
      int board = kTable;
      if (azar() % 3 == 0) {
        for (int b = 0; b < kBoxCount; ++b)
          if (puzzle.boards[b].count > 0) board = b;
      }
      const Board& b = puzzle.boards[board];
      if (b.count == 0) return false;
      const int32_t pos = static_cast<int32_t>(azar() % static_cast<uint32_t>(b.count));
      const int32_t pieza = puzzle.order[b.first + pos];
      int to = azar() % 4 == 0 ? static_cast<int>(azar() % kBoxCount) : kTable;
      int32_t x = static_cast<int32_t>(azar() % 600), y = static_cast<int32_t>(azar() % 400);
      // Often right beside a neighbour, so that it joins.
      if (to == kTable && pieza + 1 < puzzle.PieceCount() && azar() % 2 == 0 && board == kTable) {
        const PieceRecord& v = puzzle.pieces[pieza + 1];
        bool vecinoEnMesa = false;
        for (int32_t i = b.first; i < b.first + b.count; ++i) vecinoEnMesa |= puzzle.order[i] == pieza + 1;
        if (vecinoEnMesa && (pieza + 1) % puzzle.cols != 0) x = v.x - puzzle.cellW + 2, y = v.y - 1;
      }
      Arrastrar(board, pos, to, x, y);
    } else if (tipo == 6) {
      HintPuzzle();
    } else if (tipo == 7) {
      BordesACaja("Edges");
    } else if (tipo == 8) {
      Esparcir();
    } else if (tipo == 9) {
      MarkBand(kTable, 0, 0, 300, 300);  // marks alone are not a move
    } else {
      // A click that only raises a piece.
      const Board& b = puzzle.boards[kTable];
      if (b.count > 1) {
        PickUpPiece(kTable, b.count - 1);
        BringToFront(kTable, 0, true);
        const PieceRecord& r = puzzle.pieces[puzzle.order[b.first]];
        PutDownPiece(kTable, kTable, r.x, r.y);
      }
    }
    return Historial().Niveles() != antes || puzzle.finished;
  }

  ConShellFalso conShell;
  ShellFalso& shell = conShell.shell;
  const std::string carpeta = ::testing::TempDir() + "tessera_ayudas_" + std::to_string(getpid()) + "/";
  const std::string imagen = carpeta + "p.bmp";
  const std::string epf = carpeta + "a.epf";
};

// ---- Undo and redo -----------------------------------------------------------

TEST_F(Ayudas, UndoAndRedoOfRandomMovesGiveBackTheSavedGameByteForByte) {
  for (uint32_t semilla = 1; semilla <= 6; ++semilla) {
    SCOPED_TRACE(semilla);
    Cortar(6, 8, static_cast<int>(semilla % 3));
    std::mt19937 azar(semilla);
    std::vector<std::vector<uint8_t>> estados{Guardado()};
    std::vector<std::string> nombres{shell.boxNames[0]};
    while (estados.size() < 40 && !puzzle.finished) {
      // What is not a move (a raise, a band) becomes part of the state the
      // next undo gives back.
      if (!MovimientoAzar(azar)) {
        estados.back() = Guardado();
        continue;
      }
      if (puzzle.finished) break;
      estados.push_back(Guardado());
    }
    ASSERT_EQ(Historial().Niveles() + 1, estados.size());
    // All the way back, half way forward, a new move drops the rest.
    for (size_t k = estados.size() - 1; k-- > 0;) {
      ASSERT_TRUE(DeshacerMovimiento());
      ASSERT_EQ(Guardado(), estados[k]) << "undo to " << k;
    }
    EXPECT_FALSE(DeshacerMovimiento());
    const size_t mitad = estados.size() / 2;
    for (size_t k = 1; k <= mitad; ++k) {
      ASSERT_TRUE(RehacerMovimiento());
      ASSERT_EQ(Guardado(), estados[k]) << "redo to " << k;
    }
    const PieceRecord r = puzzle.pieces[puzzle.order[puzzle.boards[kTable].first]];
    Arrastrar(kTable, 0, kTable, r.x + 30, r.y + 30);
    EXPECT_FALSE(RehacerMovimiento());
    ASSERT_TRUE(DeshacerMovimiento());
    EXPECT_EQ(Guardado(), estados[mitad]);
  }
}

TEST_F(Ayudas, WhatIsAndIsNotAMove) {
  Cortar(3, 4);
  // A raise alone, a band alone: nothing to undo.
  const Board& mesa = puzzle.boards[kTable];
  const PieceRecord& atras = puzzle.pieces[puzzle.order[mesa.first + mesa.count - 1]];
  const int32_t x = atras.x, y = atras.y;
  Arrastrar(kTable, mesa.count - 1, kTable, x, y);
  MarkBand(kTable, 0, 0, kMesaAncho, kMesaAlto);
  PickUpPiece(kTable, 2);
  CancelPickUp(kTable, 2);
  EXPECT_FALSE(Historial().PuedeDeshacer());
  // A drag on its way cannot be undone under it.
  Arrastrar(kTable, 0, kTable, 10, 10);
  PickUpPiece(kTable, 1);
  EXPECT_FALSE(DeshacerMovimiento());
  CancelPieceDrop(kTable);
  EXPECT_TRUE(DeshacerMovimiento());

  // A hint is a move; its hint stays counted.
  ASSERT_TRUE(HintPuzzle());
  EXPECT_EQ(puzzle.hints, 1);
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(puzzle.hints, 1);
  for (const PieceRecord& r : puzzle.pieces) EXPECT_EQ(r.group, 0);

  // A solve is one too: undone, the clock waits for the next press.
  SolvePuzzle();
  ASSERT_EQ(puzzle.finished, 1);
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(puzzle.finished, 0);
  EXPECT_EQ(puzzle.clockIdle, 1);
  ASSERT_TRUE(RehacerMovimiento());
  EXPECT_EQ(puzzle.finished, 1);
}

TEST_F(Ayudas, TheHistoryEndsWithTheGameAndKeepsAtLeast200Moves) {
  Cortar(2, 2);
  for (int i = 0; i < kNivelesDeshacer + 20; ++i) Arrastrar(kTable, 0, kTable, 10 + i % 300, 20 + i % 7);
  EXPECT_EQ(Historial().Niveles(), static_cast<size_t>(kNivelesDeshacer));
  EXPECT_GE(kNivelesDeshacer, 200);
  Cortar(2, 2);
  EXPECT_FALSE(DeshacerMovimiento());

  // Completing the puzzle by hand starts the finishing sequence: no undo.
  Arrastrar(kTable, 0, kTable, 300, 300);
  for (int32_t p = 0; p < 4 && !puzzle.finished; ++p) {
    const PieceRecord& ancla = puzzle.pieces[0];
    const Board& mesa = puzzle.boards[kTable];
    const int32_t pos = static_cast<int32_t>(std::find(puzzle.order.begin() + mesa.first, puzzle.order.end(), p) -
                                             (puzzle.order.begin() + mesa.first));
    Arrastrar(kTable, pos, kTable, ancla.x + (p % 2) * puzzle.cellW, ancla.y + (p / 2) * puzzle.cellH);
  }
  ASSERT_EQ(puzzle.finished, 1);
  EXPECT_EQ(shell.finishedCalls, 1);
  EXPECT_FALSE(DeshacerMovimiento());
  EXPECT_EQ(puzzle.finished, 1);
}

// ---- Edge pieces to a box ----------------------------------------------------

TEST_F(Ayudas, EdgePiecesOfEveryShapeGoToTheFirstEmptyBox) {
  struct Caso { int32_t filas, columnas; int forma; };
  for (const Caso c : {Caso{6, 8, 0}, Caso{6, 8, 1}, Caso{6, 8, 2}, Caso{2, 2, 0}}) {
    SCOPED_TRACE(testing::Message() << c.filas << "x" << c.columnas << " shape " << c.forma);
    Cortar(c.filas, c.columnas, c.forma);
    shell.notifications.clear();
    const int32_t n = c.filas * c.columnas;
    // Box 0 holds a piece, so box 1 is the first empty one; 1 and 2 (edge
    // pieces) are grouped and stay.
    const int32_t enCaja = n - 1;
    const Board& mesa = puzzle.boards[kTable];
    const int32_t pos = static_cast<int32_t>(std::find(puzzle.order.begin() + mesa.first, puzzle.order.end(), enCaja) -
                                             (puzzle.order.begin() + mesa.first));
    Arrastrar(kTable, pos, 0, 10, 10);
    if (n > 3) puzzle.pieces[1].group = puzzle.pieces[2].group = 3;
    std::set<int32_t> esperadas;
    for (int32_t p = 0; p < n; ++p) {
      const bool borde = p / c.columnas == 0 || p / c.columnas == c.filas - 1 || p % c.columnas == 0 ||
                         p % c.columnas == c.columnas - 1;
      EXPECT_EQ(EsPiezaBorde(p), borde) << p;
      if (borde && p != enCaja && puzzle.pieces[p].group == 0) esperadas.insert(p);
    }
    ASSERT_EQ(BordesACaja("Edges"), 1);
    const Board& caja = puzzle.boards[1];
    std::set<int32_t> dentro(puzzle.order.begin() + caja.first, puzzle.order.begin() + caja.first + caja.count);
    EXPECT_EQ(dentro, esperadas);
    EXPECT_EQ(shell.boxNames[1], "Edges");
    for (int32_t p : dentro) {
      const PieceRecord& r = puzzle.pieces[p];
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + puzzle.boxW <= caja.Width() && r.y + puzzle.boxH <= caja.Height()) << p;
    }
    EXPECT_NE(std::find(shell.notifications.begin(), shell.notifications.end(), std::make_pair(1, kBoardGotPieces)),
              shell.notifications.end());
    // Nothing loose left to take.
    EXPECT_EQ(BordesACaja("Edges"), kBordesNinguno);
  }
}

// The edges' box grows a row or a column at a time, the shorter side first,
// until its rows show every piece, never beyond the limit nor below its size.
TEST_F(Ayudas, TheEdgesBoxGrowsUntilItsRowsShowEveryPiece) {
  Cortar(8, 10);  // 32 edge pieces; 66-pixel boxes 53 apart: 5 x 4 places in 300 x 250
  const auto Tamaño = [](int32_t n, Punto maximo, Punto actual = {300, 250}) {
    const Punto t = TamañoCajaPara(n, actual, maximo);
    return std::pair(t.x, t.y);
  };
  EXPECT_EQ(Tamaño(20, {2000, 2000}), std::pair(300, 250));
  EXPECT_EQ(Tamaño(32, {2000, 2000}), std::pair(331, 331));  // 6 x 6
  EXPECT_EQ(Tamaño(32, {320, 300}), std::pair(300, 278));     // 5 x 5, then overlap
  EXPECT_EQ(Tamaño(1, {100, 100}, {500, 400}), std::pair(500, 400));
  ASSERT_TRUE(ResizeBoard(0, 331, 331));
  ASSERT_EQ(BordesACaja("Edges"), 0);
  std::set<std::pair<int32_t, int32_t>> lugares;
  for (int32_t i = 0; i < puzzle.boards[0].count; ++i) {
    const PieceRecord& r = puzzle.pieces[puzzle.order[puzzle.boards[0].first + i]];
    lugares.insert({r.x, r.y});
  }
  EXPECT_EQ(lugares.size(), 32u) << "no piece over another";
}

// Drops on a box's button lie in rows from the top left, a cell and a tab
// apart, around a piece already there; a marked selection takes the next
// places; a full box takes more over its first places, a tab lower right.
TEST_F(Ayudas, DropsOnABoxButtonFanOutAndOverlapOnlyWhenFull) {
  Cortar(6, 8);  // 5 x 4 places in box 0
  const int32_t p = puzzle.cellW + puzzle.marginX;
  const auto Soltar = [] {
    PickUpPiece(kTable, 0);
    BringToFront(kTable, 0, true);
    SoltarEnCaja(kTable, 0);
  };
  const auto Lugar = [](int32_t i) {
    const PieceRecord& r = puzzle.pieces[puzzle.order[puzzle.boards[0].first + i]];
    return std::pair(r.x, r.y);
  };
  Arrastrar(kTable, 0, 0, p + 3, 2);  // the player's own, on the second place
  Soltar();
  EXPECT_EQ(Lugar(0), std::pair(0, 0));
  Soltar();
  EXPECT_EQ(Lugar(0), std::pair(2 * p, 0));
  for (int32_t i = 0; i < 3; ++i) puzzle.pieces[puzzle.order[puzzle.boards[kTable].first + i]].unmarked = 0;
  Soltar();
  ASSERT_EQ(puzzle.boards[0].count, 6);
  EXPECT_EQ((std::set{Lugar(0), Lugar(1), Lugar(2)}), (std::set{std::pair(3 * p, 0), std::pair(4 * p, 0), std::pair(0, p)}));
  for (int32_t i = 6; i < 20; ++i) Soltar();
  std::set<std::pair<int32_t, int32_t>> lugares;
  for (int32_t i = 0; i < 20; ++i) lugares.insert(Lugar(i));
  EXPECT_EQ(lugares.size(), 20u);
  Soltar();
  EXPECT_EQ(Lugar(0), std::pair(puzzle.marginX, puzzle.marginY));
}

TEST_F(Ayudas, EdgesWithEveryBoxTakenMoveNothingAndUndoGivesOnlyItsNameBack) {
  Cortar(4, 5);
  for (int b = 0; b < kBoxCount; ++b) Arrastrar(kTable, 0, b, 5, 5);
  const std::vector<uint8_t> antes = Guardado();
  const size_t niveles = Historial().Niveles();
  EXPECT_EQ(BordesACaja("Edges"), kBordesSinCaja);
  EXPECT_EQ(Guardado(), antes);
  EXPECT_EQ(Historial().Niveles(), niveles);

  // Box 2 emptied and named: the edges go there; undo brings name and pieces back.
  Arrastrar(2, 0, kTable, 400, 400);
  shell.boxNames[2] = "Sky";
  const std::vector<uint8_t> vacia = Guardado();
  ASSERT_EQ(BordesACaja("Bordes"), 2);
  EXPECT_EQ(shell.boxNames[2], "Bordes");
  const std::string cuarta = std::exchange(shell.boxNames[4], "Blue");  // renamed after the move: not the move's
  ASSERT_TRUE(DeshacerMovimiento());
  EXPECT_EQ(shell.boxNames[2], "Sky");
  EXPECT_EQ(std::exchange(shell.boxNames[4], cuarta), "Blue");
  EXPECT_EQ(Guardado(), vacia);
  ASSERT_TRUE(RehacerMovimiento());
  EXPECT_EQ(shell.boxNames[2], "Bordes");
}

// ---- Spread ----------------------------------------------------------------------

// Built without a cut: spreading needs only the grid and the records.
void Montar(int32_t filas, int32_t columnas, int32_t ancho, int32_t alto, std::mt19937& azar, int32_t cadaGrupo = 7) {
  puzzle = PuzzleState{};
  puzzle.rows = filas, puzzle.cols = columnas;
  puzzle.cellW = puzzle.cellH = 20;
  puzzle.marginX = puzzle.marginY = 6;
  puzzle.boxW = puzzle.boxH = 32;
  ASSERT_TRUE(AllocatePuzzle());
  ForgetPieceShapes();
  for (Board& b : puzzle.boards) b.first = b.count = 0;
  const int32_t n = filas * columnas;
  std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
  puzzle.boards[kTable].count = n;
  ASSERT_TRUE(ResizeBoard(kTable, ancho, alto));
  for (int32_t i = 0; i < n; ++i)
    puzzle.pieces[i] = PieceRecord{0, 1, 0, {0, 0}, static_cast<int32_t>(azar() % static_cast<uint32_t>(ancho - 32)),
                                   static_cast<int32_t>(azar() % static_cast<uint32_t>(alto - 32))};
  // A few groups: pairs of row neighbours laid together.
  for (int32_t i = 0; i + 1 < n; i += cadaGrupo) {
    if ((i + 1) % columnas == 0) continue;
    puzzle.pieces[i].group = puzzle.pieces[i + 1].group = i + 2;
    puzzle.pieces[i + 1].x = puzzle.pieces[i].x + 20;
    puzzle.pieces[i + 1].y = puzzle.pieces[i].y;
  }
}

TEST_F(Ayudas, OneRowAndOneColumnPuzzlesAreAllEdges) {
  std::mt19937 azar(5);
  for (const auto& [filas, columnas] : {std::pair{1, 7}, std::pair{7, 1}}) {
    Montar(filas, columnas, 800, 600, azar);
    for (int32_t p = 0; p < 7; ++p) EXPECT_TRUE(EsPiezaBorde(p)) << filas << "x" << columnas << " piece " << p;
    ASSERT_EQ(BordesACaja("Edges"), 0);
    int32_t sueltas = 0;
    for (const PieceRecord& r : puzzle.pieces) sueltas += r.group == 0;
    EXPECT_EQ(puzzle.boards[0].count, sueltas);
    EXPECT_EQ(puzzle.boards[kTable].count, 7 - sueltas);
  }
  // A 3 x 3 has one inner piece.
  Montar(3, 3, 800, 600, azar);
  for (int32_t p = 0; p < 9; ++p) EXPECT_EQ(EsPiezaBorde(p), p != 4) << p;
}

// Whether the box of a, shrunk by (rx, ry) on each side, shares pixels with
// the box of b shrunk as much: with 0 the boxes, with the margins a body.
bool SeTapan(const PieceRecord& a, const PieceRecord& b, int32_t rx, int32_t ry, int32_t bx, int32_t by) {
  return a.x + rx < b.x + puzzle.boxW - bx && b.x + bx < a.x + puzzle.boxW - rx && a.y + ry < b.y + puzzle.boxH - by &&
         b.y + by < a.y + puzzle.boxH - ry;
}

// With room for whole boxes nothing touches and every box lies on the
// table; with room only for closer places no piece lies over another's
// body and the bodies lie on the table. No group moves, and no loose piece
// touches a group's piece.
TEST_F(Ayudas, SpreadLeavesNoLoosePieceUnderAnotherAndAllOnTheTable) {
  std::mt19937 azar(7);
  for (const bool holgada : {true, false}) {
    for (const int32_t lado : {2, 5, 13, 30, 45, 60}) {
      SCOPED_TRACE(testing::Message() << lado << (holgada ? " roomy" : " tight"));
      // Roomy: about twice the boxes the pieces need; tight: a little less
      // than a box a piece.
      const int32_t ancho = holgada ? std::max(200, 32 * lado * 3 / 2) : std::max(200, 30 * lado + 40);
      const int32_t alto = holgada ? ancho * 3 / 4 : ancho;
      Montar(lado, lado, ancho, alto, azar, holgada ? 7 : 50);
      const std::vector<PieceRecord> antes = puzzle.pieces;
      const int32_t n = lado * lado;
      int32_t sueltas = 0;
      for (const PieceRecord& r : antes) sueltas += r.group == 0;
      ASSERT_EQ(Esparcir(), sueltas);
      const int32_t mx = puzzle.marginX, my = puzzle.marginY;
      const int32_t rx = holgada ? 0 : mx, ry = holgada ? 0 : my;
      int32_t tocan = 0;
      for (int32_t i = 0; i < n; ++i) {
        const PieceRecord& r = puzzle.pieces[i];
        if (r.group != 0) {
          EXPECT_TRUE(r.x == antes[i].x && r.y == antes[i].y) << "group piece " << i << " moved";
          continue;
        }
        EXPECT_TRUE(r.x + rx >= 0 && r.y + ry >= 0 && r.x + puzzle.boxW - rx <= ancho && r.y + puzzle.boxH - ry <= alto) << i;
        for (int32_t k = 0; k < n; ++k) {
          if (k == i) continue;
          const bool grupo = puzzle.pieces[k].group != 0;
          // Its box over another's body (or, roomy or a group, box).
          if (SeTapan(r, puzzle.pieces[k], 0, 0, grupo ? 0 : rx, grupo ? 0 : ry)) ADD_FAILURE() << i << " lies on " << k;
          tocan += !grupo && SeTapan(r, puzzle.pieces[k], 0, 0, 0, 0);
        }
      }
      if (!holgada && lado >= 13) {
        EXPECT_GT(tocan, 0) << "a tight table needs the closer grid";
      }
    }
  }
}

TEST_F(Ayudas, SpreadWithoutRoomStacksTheRestInTheLeastCrowdedPlace) {
  std::mt19937 azar(3);
  Montar(10, 10, 200, 160, azar);  // 6 x 5 places for 72 loose pieces
  int32_t sueltas = 0;
  for (const PieceRecord& r : puzzle.pieces) sueltas += r.group == 0;
  const int32_t repartidas = Esparcir();
  EXPECT_GT(repartidas, 0);
  EXPECT_LT(repartidas, sueltas);
  std::map<std::pair<int32_t, int32_t>, int32_t> pilas;
  for (const PieceRecord& r : puzzle.pieces) {
    if (r.group != 0) continue;
    EXPECT_TRUE(r.x >= -6 && r.y >= -6 && r.x + 26 <= 200 && r.y + 26 <= 160);
    ++pilas[{r.x, r.y}];
  }
  // Every dealt piece alone on its place, the rest in one pile (which may
  // lie on a dealt piece's place).
  int32_t solas = 0, montones = 0, enMonton = 0;
  for (const auto& [lugar, cuantas] : pilas) cuantas == 1 ? ++solas : (++montones, enMonton += cuantas);
  EXPECT_EQ(montones, 1);
  EXPECT_EQ(solas + enMonton, sueltas);
  EXPECT_TRUE(solas == repartidas || solas == repartidas - 1) << solas << " of " << repartidas;
  ASSERT_TRUE(DeshacerMovimiento());

  // A table smaller than a piece: all of them to its corner, shown, undoable.
  ASSERT_TRUE(ResizeBoard(kTable, 12, 12));
  const std::vector<PieceRecord> antes = puzzle.pieces;
  const int lupa = shell.magnifierRefreshes;
  EXPECT_EQ(Esparcir(), 0);
  for (const PieceRecord& r : puzzle.pieces) EXPECT_TRUE(r.group != 0 || (r.x == 0 && r.y == 0));
  EXPECT_GT(shell.magnifierRefreshes, lupa);
  ASSERT_TRUE(DeshacerMovimiento());
  for (size_t i = 0; i < antes.size(); ++i)
    EXPECT_TRUE(puzzle.pieces[i].x == antes[i].x && puzzle.pieces[i].y == antes[i].y) << i;
}

// The spread leaves what the open boxes cover free, as if a group lay
// there; on a crowded table the pile goes elsewhere too.
TEST_F(Ayudas, SpreadLeavesTheOpenBoxesFree) {
  std::mt19937 azar(5);
  struct Caso { int32_t lado, ancho, alto, sueltas; Zona caja; };
  for (const Caso c : {Caso{4, 400, 300, 14, {100, -20, 250, 200}}, Caso{10, 200, 160, 98, {-10, -10, 110, 200}}}) {
    Montar(c.lado, c.lado, c.ancho, c.alto, azar, 1000);  // one group
    const int32_t repartidas = Esparcir({c.caja});
    EXPECT_TRUE(c.lado == 4 ? repartidas == c.sueltas : repartidas < c.sueltas) << repartidas;
    for (const PieceRecord& r : puzzle.pieces)
      EXPECT_FALSE(r.group == 0 && r.x < c.caja.x + c.caja.ancho && c.caja.x < r.x + puzzle.boxW &&
                   r.y < c.caja.y + c.caja.alto && c.caja.y < r.y + puzzle.boxH) << c.lado << ": " << r.x << "," << r.y;
  }
}

// ---- The ghost picture -----------------------------------------------------------

TEST_F(Ayudas, TheGhostShowsThePictureFaintlyWhereTheSolvedPuzzleLies) {
  Cortar(3, 4, 1);
  // Every piece in box 0, so the table shows only its background.
  for (int32_t i = 0; i < 12; ++i) Arrastrar(kTable, 0, 0, 5, 5);
  DrawAllBoards(false);
  Board& mesa = puzzle.boards[kTable];
  auto Pixel = [&](int32_t x, int32_t y) {
    const uint8_t* p = mesa.Row(y) + 3 * x;
    return std::array<int32_t, 3>{p[0], p[1], p[2]};
  };
  const int32_t x0 = (kMesaAncho - 160) / 2, y0 = (kMesaAlto - 120) / 2;
  std::vector<std::array<int32_t, 3>> sin;
  for (int32_t y = 0; y < kMesaAlto; y += 7)
    for (int32_t x = 0; x < kMesaAncho; x += 7) sin.push_back(Pixel(x, y));

  MostrarFantasma(true);
  ASSERT_TRUE(FantasmaVisible());
  size_t k = 0;
  for (int32_t y = 0; y < kMesaAlto; y += 7)
    for (int32_t x = 0; x < kMesaAncho; x += 7, ++k) {
      const auto fondo = sin[k], ahora = Pixel(x, y);
      const bool dentro = x >= x0 && x < x0 + 160 && y >= y0 && y < y0 + 120;
      if (!dentro) {
        ASSERT_EQ(ahora, fondo) << x << "," << y;
        continue;
      }
      // The picture, bottom-up in its file: blue, green, red of Color.
      const uint32_t c = Color(x - x0, 119 - (y - y0));
      const int32_t foto[3] = {static_cast<int32_t>(c & 255), static_cast<int32_t>(c >> 8 & 255),
                                 static_cast<int32_t>(c >> 16 & 255)};
      for (int i = 0; i < 3; ++i) {
        const int32_t esperado = fondo[i] + (foto[i] - fondo[i]) * 80 / 256;
        ASSERT_NEAR(ahora[i], esperado, 1) << x << "," << y << " channel " << i;
      }
    }
  // Pieces lie over it; off, the table is as before.
  Arrastrar(0, 0, kTable, x0, y0);
  MostrarFantasma(false);
  Arrastrar(kTable, 0, 0, 5, 5);
  DrawAllBoards(false);
  k = 0;
  for (int32_t y = 0; y < kMesaAlto; y += 7)
    for (int32_t x = 0; x < kMesaAncho; x += 7, ++k) ASSERT_EQ(Pixel(x, y), sin[k]);
}

}  // namespace
