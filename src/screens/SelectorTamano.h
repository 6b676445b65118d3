// CWNDIMAGETAM: the size chooser, a hidden child of the new-puzzle window on
// its size page; the table in miniature with the picture lying on its mosaic.
//
// Dragging right or down enlarges the picture (`puzzle.scale`, between
// minScale and maxScale); every change recalculates the grid, repaints
// both choosers and is reported to the parent with message 1324, code 0,
// lParam = this window. The functions for the pair of choosers live here too.
#pragma once

#include <windows.h>

#include "SelectorCantidad.h"

// Registers CWNDIMAGECANT, then CWNDIMAGETAM; false as soon as one fails.
bool RegistrarSelectores(HINSTANCE instancia);

// Creates it hidden in `padre`, centred in the choosers' 250 x 160 box at
// (115, 61), of the table's miniature size.
HWND CrearSelectorTamano(HWND padre);
HWND VentanaSelectorTamano();

// After imagenActual was opened on a new picture (or failed to open): resets
// the new-puzzle choices for it when it is open, builds both choosers'
// pictures and repaints them.
void PrepararImagenSelectores();
// Repaints both choosers (after the choices changed elsewhere).
void RepintarSelectores();
