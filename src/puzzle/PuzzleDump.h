// The debug dump: the puzzle's state as plain text, one line per piece,
// for tests that drive the real program from outside. Also the start-up
// puzzle that such tests ask for.
//
//   # rows R            comment lines first: the grid, the game, and the
//   # cols C            timings the program measured
//   # cell W H          (the grid step and the tab room around a cell)
//   # margin X Y
//   # seconds S
//   # hints H
//   # finished F
//   # dpi D scale K     the screen's dots per inch and the interface's
//                       factor, from the shell
//   # time NAME n=N median_ms=M worst_ms=W
//   # turn P Q          a turned piece: clockwise quarter turns from
//                       upright (1-3)
//   P B X Y G M         then, in piece order: piece, board, x, y, group,
//                       marked (0 or 1)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TimingSummary {
  std::string name;
  int32_t count = 0;
  double medianMs = 0;
  double worstMs = 0;
};

TimingSummary SummarizeTimings(const std::string& name, std::vector<double> ms);

// The current puzzle; a grid of 0 x 0 and no piece lines when none exists.
// `shellLines` (each without "# " and newline) follow the game's lines.
std::string FormatPuzzleDump(const std::vector<TimingSummary>& timings,
                             const std::vector<std::string>& shellLines = {});

// "PATH,ROWS,COLS,DIE[,TURNED]" (die 0-2, rows and columns at least 2,
// turned 0 or 1); false for anything else.
struct DebugNewPuzzle {
  std::string path;
  int32_t rows = 0, cols = 0, die = 0;
  bool turned = false;
};
bool ParseDebugNewPuzzle(const std::string& text, DebugNewPuzzle* out);
