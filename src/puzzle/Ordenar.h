// Sorting help for big puzzles: the loose edge pieces into a box of their
// own, and the loose pieces dealt out again over the free table. Each is
// one move for undo.
#pragma once

#include <cstdint>
#include <vector>

#include "Fitting.h"
#include "Punto.h"

// Whether piece p lies on the picture's border rows or columns.
bool EsPiezaBorde(int32_t p);

// What BordesACaja did: the box (0-5) the pieces went into, or one of these.
constexpr int kBordesSinCaja = -1;     // no box is empty: nothing moved
constexpr int kBordesNinguno = -2;     // no loose edge piece on the table

// The box BordesACaja would fill (the lowest-numbered empty one, or
// kBordesSinCaja) and how many pieces it would put there.
int CajaVaciaParaBordes();
int32_t BordesSueltos();

// The board size of a box that shows `piezas` pieces in BordesACaja's rows
// with none over another: `actual` grown a column or a row at a time, the
// shorter side first, never beyond `maximo` (then the rows overlap).
Punto TamañoCajaPara(int32_t piezas, Punto actual, Punto maximo);

// Where `n` pieces dropped on box `caja`'s button lie (box positions):
// in rows from the top left, a cell and a tab apart as BordesACaja lays
// them, on the places whose cell no other piece's cell covers; once the
// box is full, on the places the fewest pieces cover, first ones first.
std::vector<Punto> LugaresEnCaja(int caja, int32_t n);
// A drop on box `caja`'s button, once the front piece of board `desde` has
// its group or marked selection behind it: a loose piece, or each piece of
// the selection, goes to the next of those places; a group keeps its shape
// in the middle of the box. What the drop did (a marked selection never fits).
DropResult SoltarEnCaja(int desde, int caja);

// Every loose edge piece of the table (a piece in no group) goes into the
// lowest-numbered empty box, laid out in rows, and that box is named
// `nombre`. The pieces keep their stacking order; groups stay put.
int BordesACaja(const char* nombre);

// A rectangle of the table, in its coordinates.
struct Zona {
  int32_t x = 0, y = 0, ancho = 0, alto = 0;
};

// Deals every loose piece of the table again, shuffled, over a grid of
// places spread evenly over the table, leaving out the places where a
// piece of a group lies. The places lie a whole piece box apart when the
// free table has room for all: no loose piece then touches another piece,
// and every box lies wholly on the table. Else they lie as far apart as
// gives room for all, down to a cell and a tab apart: tabs may touch tabs,
// but no piece lies over another's body, and the cells lie on the table
// (as for a dragged selection). When even that is not room enough, the
// rest are stacked together on the place that overlaps the fewest pieces.
// Groups do not move, and no place lies over one of `tapadas` (table
// rectangles the open boxes cover), as if a group lay there; the pile
// only when every place does. Returns how many pieces were dealt to
// places of their own.
int32_t Esparcir(const std::vector<Zona>& tapadas = {});
