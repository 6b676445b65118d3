// Cutting the current picture into pieces along a die (troquel).
#pragma once

#include <cstdint>

#include "Puzzle.h"

// The screen format the drag sprite will use; checked by the cut, which
// fails for formats it cannot draw.
void SetDisplayFormat(const DisplayFormat& format);
// Fills in the per-channel shift and divisor of a 16-bit format (plain
// 16 bits are 5-5-5, plain 32 bits 8-8-8); false for a format the sprite
// cannot be converted to.
bool PrepareDisplayFormat(DisplayFormat& format);

// Cuts imagenActual at puzzle.scale into puzzle.rows x puzzle.cols pieces
// with die picture `dieId` of the archive; a new game also scatters and
// shuffles the pieces on the table. True when the puzzle exists afterwards.
// A picture that cannot be cut (too small once scaled, not uncompressed 8
// or 24 bits, unreadable) gives false; so does a display format the drag
// sprite cannot use, after closing the puzzle (and the picture). The die
// must be in the archive (see DieUsable).
bool CreatePuzzle(int32_t dieRows, int32_t dieCols, int32_t dieId, bool newGame);
// CreatePuzzle for a new game, then every board redrawn.
bool NewPuzzle(int32_t dieRows, int32_t dieCols, int32_t dieId);

// Whether the archive holds an 8-bit die of the size dieRows x dieCols
// needs, without any assertion (for checking puzzle files before a cut).
bool DieUsable(int32_t dieRows, int32_t dieCols, int32_t dieId);

// The die row or column (0-331, inside one piece's window) that box pixel
// `x` samples, for a box with `margin` pixels around a cell of `cell`:
// 66 + floor((x - margin) x 200 / cell), clamped.
int32_t DieLookup(int32_t x, int32_t margin, int32_t cell);
