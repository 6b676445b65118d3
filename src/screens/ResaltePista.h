// The hint's join shown for a moment: the group of the table's front piece
// (where a hint leaves the piece it moved) lightened and ringed in brass,
// painted over the table window for about a second; then the table
// repaints that area from its own image, exactly as it was.
#pragma once

#include <windows.h>

void ResaltarPista();
// Ends the highlight now (the table repaints its area); nothing when none shows.
void TerminarResaltePista();

// ---- State, for tests -----------------------------------------------------
bool ResaltePistaActivo();
RECT AreaResaltePista();  // table coordinates
