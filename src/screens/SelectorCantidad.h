// CWNDIMAGECANT: the count chooser, a hidden child of the new-puzzle window
// on its count page; a thumbnail of the picture with the cutting grid over it.
//
// Dragging over the thumbnail sets the piece size and with it `puzzle.cols`
// and `puzzle.rows`. Each change of the grid is reported to the parent with
// message 1324, code 0, lParam = this window.
#pragma once

#include <windows.h>

#include "HImage.h"

bool RegistrarSelectorCantidad(HINSTANCE instancia);

// Creates it hidden at (115, 61), 250 x 160, in `padre`. `fondo` is the
// parent's background picture (kept, not owned): the chooser's surroundings
// are copied from it.
HWND CrearSelectorCantidad(HWND padre, HIMAGE fondo);
HWND VentanaSelectorCantidad();

// Takes the current picture at the engine's thumbnail size (an unreadable
// picture leaves the chooser empty, ignoring presses) and repaints.
void TomarImagenSelectorCantidad();
void RepintarSelectorCantidad();

// Both choosers' cursor: the drag cursor while a drag runs, the chooser
// cursor otherwise; set as the class cursor, and as the current one when
// `actual`.
void PonerCursorSelector(HWND selector, bool arrastrando, bool actual);
