// Fitting, groups, completion, hints and score.
#pragma once

#include <cstdint>

#include "Punto.h"

constexpr int32_t kFitTolerance = 6;  // table pixels on each axis, inclusive, at 1:1
constexpr int32_t kHintPercent = 20;  // hints allowed, percent of the pieces

// The neighbour a dropped piece fits to: the first piece of `board`'s
// segment, front first, that is a grid neighbour of `piece` and lies within
// `tolerance` table pixels on each axis (inclusive) of where it would be
// beside `piece`'s box at (x, y); pieces of `piece`'s own group are passed
// over. Only `piece` itself is tested, never the rest of its group.
struct FitPartner {
  int32_t piece = -1;  // -1: nothing fits
  Punto place;         // where `piece`'s box lies exactly in place beside it
};
FitPartner FindFitPartner(int board, int32_t piece, int32_t x, int32_t y, int32_t tolerance = kFitTolerance);

// The group ids when `piece` (alone or in its group) joins `partner` on
// `board`: the partner's side is rewritten where the rules ask, and the id
// the moving side must take is returned (a group's id is 1 + its largest
// piece number). 0 after an assertion (a negative or zero id).
int32_t JoinGroups(int board, int32_t piece, int32_t partner);

// What a drop did.
struct DropResult {
  bool fitted = false;    // the piece joined a neighbour
  bool finished = false;  // and that completed the puzzle
};

// Puts piece p (the front piece of board `from`, with its group as the
// front run) with its box at (x, y) on board `to`, fitting it to a
// neighbour that lies within the tolerance.
DropResult DropPiece(int to, int from, int32_t piece, int32_t x, int32_t y, int32_t tolerance = kFitTolerance);
void SolvePuzzle();
// Joins one pair of neighbours on the table; whether more hints are allowed.
bool HintPuzzle();
void ScorePuzzle(int32_t* pieces, int32_t* percentage, int32_t* score);
// Hints allowed for the current grid.
int32_t HintLimit();
