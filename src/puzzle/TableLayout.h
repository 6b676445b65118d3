// The table a puzzle is played on, and where a new game's pieces lie on a
// table larger than the screen.
//
// A finished puzzle that fits the screen's table is played there, as it
// always was. A larger one gets a table made around the finished puzzle's
// place (its middle, where the solve lays it): a free area the size of the
// puzzle and a piece's pitch around it, then a band where every loose piece
// lies on its own spot of a grid, a little apart from the next.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Punto.h"

struct PuzzleMeasures {
  int32_t rows = 0, cols = 0;
  Punto cell, margin, box;
  bool turned = false;  // pieces lie turned: a spot holds a cell either way
};

// Pieces on a larger table lie this far apart, in cells (a piece with its
// tabs spans at most 1.4 cells).
constexpr double kScatterPitch = 1.45;

// Whether the finished puzzle fits a table of size `table`.
bool PuzzleFits(Punto table, const PuzzleMeasures& m);
// The table for the puzzle on a screen whose table is `screenTable`.
Punto TableSizeFor(Punto screenTable, const PuzzleMeasures& m);

// Box positions for a new game's pieces on a table larger than the screen's:
// one spot each around the free area, in an order `random` (uniform in
// [0, 1)) shuffles, each spot nudged a little. Spots run out only on a table
// smaller than TableSizeFor gives: the rest then lie anywhere on it.
std::vector<Punto> ScatterAround(Punto table, const PuzzleMeasures& m, const std::function<double()>& random);
