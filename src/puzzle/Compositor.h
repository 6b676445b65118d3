// Board compositing: pieces in stacking order over the tiled table mosaic.
#pragma once

#include <cstdint>

#include "HImage.h"

constexpr int32_t MOSAICO_TAMX = 100;
constexpr int32_t MOSAICO_TAMY = 100;

// Sets the table mosaic (8-bit, 100 x 100; kept by reference).
void MosaicoPuzzle(HIMAGE mosaico);
HIMAGE MosaicoActual();

// Recomposes a rectangle of a board image (clipped to the board); with
// `invalidate` the shell is asked to repaint it. `skipFront` leaves the
// board's front piece out.
void DrawBoardRect(int board, int32_t x, int32_t y, int32_t w, int32_t h, bool invalidate, bool skipFront = false);
void ComposeRect(int board, int32_t x, int32_t y, int32_t w, int32_t h, bool skipFront);
// Every board recomposed whole.
void DrawAllBoards(bool invalidate);

// The ghost picture: the whole picture, faint, on the table where the
// solved puzzle lies, under the pieces. Off at first; a change redraws the
// table.
void MostrarFantasma(bool visible);
bool FantasmaVisible();

// The compositor keeps each piece's opaque runs, read once from the sheet.
// A sheet allocated at a new address or of another size is noticed by
// itself; whoever allocates or rewrites the sheet in place calls this so
// that the runs are read again.
void ForgetPieceShapes();
