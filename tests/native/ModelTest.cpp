#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "AyudaVerificar.h"
#include "Puzzle.h"
#include "ShellFalso.h"

namespace {

// A puzzle of rows x cols without a cut: the arrays only.
class Modelo : public ::testing::Test {
 protected:
  void Preparar(int32_t rows, int32_t cols) {
    puzzle.rows = rows;
    puzzle.cols = cols;
    puzzle.cellW = puzzle.cellH = 10;
    puzzle.marginX = puzzle.marginY = 3;
    puzzle.boxW = puzzle.boxH = 16;
    ASSERT_TRUE(AllocatePuzzle());
    std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
    for (Board& b : puzzle.boards) b.first = b.count = 0;
    puzzle.boards[kTable].count = rows * cols;
  }
  void TearDown() override { ClosePuzzle(false); }
  std::vector<int32_t> Orden() const { return puzzle.order; }
  ConShellFalso falso_;
};

TEST_F(Modelo, MovePieceBlockShiftsTheOthersAndKeepsTheirOrder) {
  Preparar(2, 3);  // A..F = 0..5
  MovePieceBlock(2, 3, 0);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{2, 3, 4, 0, 1, 5}));
  std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
  MovePieceBlock(0, 3, 2);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{3, 4, 0, 1, 2, 5}));
  MovePieceBlock(4, 2, 4);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{3, 4, 0, 1, 2, 5}));
  EXPECT_VERIFICAR(MovePieceBlock(4, 3, 0), "sale del rango");
  EXPECT_VERIFICAR(MovePieceBlock(0, 3, 4), "se sale del rango");
  EXPECT_VERIFICAR(MovePieceBlock(6, 1, 0), "buffers salen del rango indicado");
}

TEST_F(Modelo, MoveBetweenBoardsKeepsSegmentsContiguous) {
  Preparar(3, 3);
  // Table to box 2 with the boxes empty: the entries stay, the starts move.
  MoveBetweenBoards(kTable, 2, 4);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(puzzle.boards[2].first, 0);
  EXPECT_EQ(puzzle.boards[2].count, 4);
  for (int b = 3; b <= kTable; ++b) EXPECT_EQ(puzzle.boards[b].first, 4) << b;
  EXPECT_EQ(puzzle.boards[kTable].count, 5);
  // And two of them on to box 5, then back to box 0, landing in front.
  MoveBetweenBoards(2, 5, 2);
  EXPECT_EQ(puzzle.boards[5].first, 2);
  EXPECT_EQ(puzzle.boards[5].count, 2);
  MoveBetweenBoards(5, 0, 1);
  EXPECT_EQ(Orden()[0], 0);
  EXPECT_EQ(puzzle.boards[0].count, 1);
  EXPECT_EQ(puzzle.boards[1].first, 1);
  int32_t total = 0;
  for (int b = 0; b < kBoardCount; ++b) {
    EXPECT_EQ(puzzle.boards[b].first, total) << b;
    total += puzzle.boards[b].count;
  }
  EXPECT_EQ(total, 9);
}

TEST_F(Modelo, BringToFrontGathersMarkedPiecesOrTheGroupBehind) {
  Preparar(3, 3);
  for (int32_t p : {1, 5, 7}) puzzle.pieces[p].unmarked = 0;
  BringToFront(kTable, 5, false);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{5, 1, 7, 0, 2, 3, 4, 6, 8}));

  Preparar(3, 3);
  for (int32_t p : {2, 4, 8}) puzzle.pieces[p].group = 9;
  BringToFront(kTable, 4, false);
  EXPECT_EQ(Orden(), (std::vector<int32_t>{4, 2, 8, 0, 1, 3, 5, 6, 7}));
}

TEST_F(Modelo, ClockCountsOnlyWhileNotPaused) {
  Preparar(2, 2);
  puzzle.seconds = 3724;
  PausePuzzleClock();
  PuzzleClockTick();
  EXPECT_EQ(puzzle.seconds, 3724u);
  ResumePuzzleClock();
  PuzzleClockTick();
  EXPECT_EQ(puzzle.seconds, 3725u);
  ASSERT_EQ(falso_.shell.shownTimes.size(), 1u);
  puzzle.finished = 1;
  EXPECT_VERIFICAR(PuzzleClockTick(), "si ya se termino el puzzle por que sigo contando?");
  puzzle.finished = 0;
}

TEST_F(Modelo, ClosingNotifiesOnlyBoardsThatHeldPieces) {
  Preparar(2, 2);
  MoveBetweenBoards(kTable, 3, 1);
  puzzle.clockRunning = true;
  ClosePuzzle(false);
  EXPECT_FALSE(puzzle.Exists());
  EXPECT_EQ(falso_.shell.notifications,
            (std::vector<std::pair<int, int>>{{3, kBoardEmptied}, {kTable, kBoardEmptied}}));
  EXPECT_EQ(falso_.shell.timerKills, 1);
  falso_.shell.notifications.clear();
  falso_.shell.waitCursor = true;
  ClosePuzzle(false);  // nothing to close: no notifications, cursor reset
  EXPECT_TRUE(falso_.shell.notifications.empty());
  EXPECT_FALSE(falso_.shell.waitCursor);
}

// The end of the play screen leaves no puzzle and no grid; a table just
// set up shows a clock at zero that waits for nothing.
TEST_F(Modelo, ClearingForgetsTheGridAndTheClockShowsZero) {
  Preparar(2, 3);
  puzzle.clockRunning = true;
  ClearPuzzle();
  EXPECT_FALSE(puzzle.Exists());
  EXPECT_EQ(std::pair(puzzle.rows, puzzle.cols), std::pair(0, 0));
  EXPECT_EQ(puzzle.PieceCount(), 0);
  EXPECT_EQ(falso_.shell.timerKills, 1);
  puzzle.clockIdle = 1;
  ClearPuzzleClock();
  EXPECT_EQ(puzzle.clockIdle, 0);
  EXPECT_EQ(falso_.shell.shownTimes, std::vector<uint32_t>{0});
}

}  // namespace
