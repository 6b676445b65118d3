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
// box-sized places spread evenly over the table, leaving out the places a
// group covers: no dealt piece's box touches another piece's box and each
// lies wholly on the table. When the free places run out, the rest are
// stacked together on the place that overlaps the fewest pieces. Groups do
// not move. Returns how many pieces were dealt to places of their own.
int32_t Esparcir();
