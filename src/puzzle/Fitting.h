// Fitting, groups, completion, hints and score.
#pragma once

#include <cstdint>
#include <vector>

#include "Punto.h"

constexpr int32_t kFitTolerance = 6;  // table pixels on each axis, inclusive, at 1:1
constexpr int32_t kHintPercent = 20;  // hints allowed, percent of the pieces
constexpr int32_t kTurnedScoreFactor = 2;  // a game of turned pieces scores double

// The neighbour a dropped piece fits to: the first piece of `board`'s
// segment, front first, that is a grid neighbour of `piece` at the same
// turn and lies within `tolerance` table pixels on each axis (inclusive) of
// where that turn puts it beside `piece`'s box at (x, y); pieces of
// `piece`'s own group are passed over. Only `piece` itself is tested,
// never the rest of its group.
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
// Every piece upright in its place on the table.
void SolvePuzzle();
// Joins one pair of neighbours on the table, both set upright; whether
// more hints are allowed.
bool HintPuzzle();

// Turns `pieces` by `quarters` clockwise quarter turns (3 is one
// anticlockwise) about the point whose doubled coordinates are `pivot2`
// (2x + 1 is the middle of pixel x): each box's middle goes round it, so a
// group turns whole. Records only; nothing is redrawn.
void TurnPieces(const std::vector<int32_t>& pieces, Punto pivot2, int quarters);
// Bounding rectangle of those pieces' boxes.
void PiecesBounds(const std::vector<int32_t>& pieces, Punto* position, Punto* size);
// Redraws two rectangles of `board` (where pieces were and are), once when
// they overlap; `skipFront` leaves out its front piece, as DrawBoardRect.
void RedrawBoth(int board, Punto aPos, Punto aSize, Punto bPos, Punto bSize, bool skipFront);
void ScorePuzzle(int32_t* pieces, int32_t* percentage, int32_t* score);
// Hints allowed for the current grid.
int32_t HintLimit();
