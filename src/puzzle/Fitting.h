// Fitting, groups, completion, hints and score.
#pragma once

#include <cstdint>

constexpr int32_t kFitTolerance = 6;  // pixels on each axis, inclusive
constexpr int32_t kHintPercent = 20;  // hints allowed, percent of the pieces

// Puts piece p (the front piece of board `from`, with its group as the
// front run) with its box at (x, y) on board `to`, fitting it to a
// neighbour that lies within the tolerance.
void DropPiece(int to, int from, int32_t piece, int32_t x, int32_t y);
void SolvePuzzle();
// Joins one pair of neighbours on the table; whether more hints are allowed.
bool HintPuzzle();
void ScorePuzzle(int32_t* pieces, int32_t* percentage, int32_t* score);
// Hints allowed for the current grid.
int32_t HintLimit();
