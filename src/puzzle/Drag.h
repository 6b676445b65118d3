// The engine side of dragging on the boards: picking a piece up, putting it
// (or its group, or the marked selection) down, the rubber band, and the
// pixels of the sprite that follows the pointer. The board windows move
// the sprite on the screen; only these change the puzzle.
#pragma once

#include <cstdint>

#include "Fitting.h"
#include "Puzzle.h"

// Position in `board`'s segment of the front-most piece whose box strictly
// contains (x, y) and whose sheet pixel there is opaque; -1 for none.
int32_t HitTestPiece(int board, int32_t x, int32_t y);

// A press on the piece at `position` of `board`: starts the clock of a
// fresh puzzle, brings the entry to the front and recomposes its box
// without it (not invalidating), so the board image holds the background
// the sprite will move over.
void PickUpPiece(int board, int32_t position);

// The release, once the front piece's group or marked selection has been
// gathered behind it (BringToFront(board, 0, true)): puts the front piece
// of `from` with its box at (x, y) on `to`, the same board or another. An
// unmarked piece fits to its neighbours; a marked selection moves as one,
// kept on the board (and never fits). `tolerance` is in board pixels: the
// table seen at another scale asks for six of the screen. Marks the puzzle
// modified.
DropResult PutDownPiece(int from, int to, int32_t x, int32_t y, int32_t tolerance = kFitTolerance);

// A right click at board point (x, y) of a game of turned pieces: the
// piece there, with its group or the marked selection it belongs to, turns
// by `quarters` clockwise quarter turns (3: one anticlockwise) about that
// point, their cells kept inside the board, and an unmarked piece then fits to a
// neighbour as a drop would. One move for undo; nothing happens off the
// pieces, in a finished game or in a game of upright pieces.
struct TurnResult {
  bool turned = false;
  bool fitted = false;
  bool finished = false;
};
TurnResult TurnPieceAt(int board, int32_t x, int32_t y, int quarters, int32_t tolerance = kFitTolerance);

// Mid-drag: the picked-up front piece of `board`, with its group or marked
// selection (gathered behind it), turns about board point `pivot` (as the
// pieces lay at the press); the board is redrawn without the front piece.
// The drop then puts them down turned.
void TurnLiftedPiece(int board, Punto pivot, int quarters);

// A drop on nothing: the front piece stays where it was and its box is
// recomposed and repainted.
void CancelPieceDrop(int board);

// A drag given up before its release (the pointer was taken away): the
// front piece of `board`, picked up from `position`, goes back to that
// place in the stacking order and its box is recomposed and repainted.
// Nothing moves, joins or gets marked, and the puzzle is not modified.
void CancelPickUp(int board, int32_t position);

// The rubber band's release: every loose piece whose box touches the band
// becomes marked, every other piece of the board unmarked.
void MarkBand(int board, int32_t left, int32_t top, int32_t width, int32_t height);

// Bytes per pixel of the display format the sprite is drawn in.
int32_t SpriteBytesPerPixel(const DisplayFormat& format);

// Draws piece `piece`'s opaque pixels, converted to `format` (the screen's,
// puzzle.display, unless told), into a top-down canvas of that format with its box's top-left corner at (x, y),
// bevelled all round as a loose piece, over its lifted shadow. The caller
// makes sure the whole sprite (the box and SpriteMargins around it) lies
// inside the canvas.
void PaintSprite(int32_t piece, uint8_t* pixels, int32_t stride, int32_t x, int32_t y,
                 const DisplayFormat& format = puzzle.display);
// Plain 24-bit rows (blue, green, red), as the boards keep them.
inline DisplayFormat Formato24() {
  DisplayFormat f;
  f.bits = 24;
  f.bitFields = false;
  return f;
}

// How far the sprite reaches past the piece's box on each side: the lifted
// piece's shadow (none without relief).
struct SpriteMargins {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
SpriteMargins SpriteMarginsNow();
