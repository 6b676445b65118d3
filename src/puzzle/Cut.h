// Cutting a picture into pieces along a die (troquel).
#pragma once

#include <cstdint>

#include "Punto.h"
#include "Puzzle.h"

class ArchivoBMP;

// The screen format the drag sprite will use; checked by the cut, which
// fails for formats it cannot draw.
void SetDisplayFormat(const DisplayFormat& format);
// Fills in the per-channel shift and divisor of a 16-bit format (plain
// 16 bits are 5-5-5, plain 32 bits 8-8-8); false for a format the sprite
// cannot be converted to.
bool PrepareDisplayFormat(DisplayFormat& format);

// Every shipped die is a grid of 2 x 2 pieces; shape k (0-2) is die
// picture kDiePictureBase + k of the archive.
constexpr int32_t kShippedDieGrid = 2;
constexpr int32_t kDiePictureBase = 5000;

// Everything one cut needs.
struct PedidoPuzzle {
  ArchivoBMP* picture = nullptr;  // the picture to cut
  double scale = 1.0;             // puzzle pixels per picture pixel
  int32_t rows = 0, cols = 0;     // the grid of pieces
  int32_t dieId = 0;              // die picture of the archive
  int32_t dieRows = 0, dieCols = 0;  // the die's own grid of pieces
  bool newGame = false;           // scatter and shuffle the pieces on the table
  Punto table;                    // the table a new game is laid out on
  // Turned pieces: square boxes, and a new game's pieces at random turns.
  bool turned = false;
};

// Cuts the request's picture into its grid of pieces along its die and,
// for a new game, scatters the pieces over the lower half of its table in
// shuffled stacking order. True when the puzzle exists afterwards.
// A request that cannot be cut (no picture, too small once scaled, a grid
// finer than a pixel, a picture that is not uncompressed 8 or 24 bits)
// gives false and leaves the puzzle untouched; a failure after that (the
// picture's pixels unreadable, memory, a display format the drag sprite cannot use)
// gives false after closing the puzzle (and the current picture). The die
// must be in the archive (see DieUsable).
bool CreatePuzzle(const PedidoPuzzle& pedido);
// CreatePuzzle, then every board redrawn whatever the result.
bool NewPuzzle(const PedidoPuzzle& pedido);

// Whether the archive holds an 8-bit die of the size dieRows x dieCols
// needs, without any assertion (for checking puzzle files before a cut).
bool DieUsable(int32_t dieRows, int32_t dieCols, int32_t dieId);

// The die row or column (0-331, inside one piece's window) that box pixel
// `x` samples, for a box with `margin` pixels around a cell of `cell`:
// 66 + floor((x - margin) x 200 / cell), clamped.
int32_t DieLookup(int32_t x, int32_t margin, int32_t cell);
