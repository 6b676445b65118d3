// Sorting help for big puzzles: the loose edge pieces into a box of their
// own, and the loose pieces dealt out again over the free table. Each is
// one move for undo.
#pragma once

#include <cstdint>

// Whether piece p lies on the picture's border rows or columns.
bool EsPiezaBorde(int32_t p);

// What BordesACaja did: the box (0-5) the pieces went into, or one of these.
constexpr int kBordesSinCaja = -1;     // no box is empty: nothing moved
constexpr int kBordesNinguno = -2;     // no loose edge piece on the table

// Every loose edge piece of the table (a piece in no group) goes into the
// lowest-numbered empty box, laid out in rows, and that box is named
// `nombre`. The pieces keep their stacking order; groups stay put.
int BordesACaja(const char* nombre);

// Deals every loose piece of the table again, shuffled, over a grid of
// places spread evenly over the table, leaving out the places where a
// piece of a group lies. The places lie a whole piece box apart when the
// free table has room for all: no loose piece then touches another piece,
// and every box lies wholly on the table. Else they lie as far apart as
// gives room for all, down to a cell and a tab apart: tabs may touch tabs,
// but no piece lies over another's body, and the cells lie on the table
// (as for a dragged selection). When even that is not room enough, the
// rest are stacked together on the place that overlaps the fewest pieces.
// Groups do not move. Returns how many pieces were dealt to places of
// their own.
int32_t Esparcir();
