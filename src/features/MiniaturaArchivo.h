// CWNDPREVFILE: one of the four thumbnails of the puzzle-file window: the
// table of a saved game as it was saved. A click selects its file, a
// double click accepts it; a slot without a thumbnail ignores the mouse.
#pragma once

#include <windows.h>

#include "HImage.h"

constexpr int kIdMiniaturaArchivo = 300;  // + slot
constexpr int kAnchoMiniaturaArchivo = 108, kAltoMiniaturaArchivo = 90;

bool RegistrarMiniaturasArchivo(HINSTANCE instancia);
// Slot `indice` (0-3) of the file window `padre`, visible and empty.
HWND CrearMiniaturaArchivo(HWND padre, int indice);
// Gives the slot a thumbnail block (as ReadPuzzlePreview makes it; the slot
// frees it from now on) or none, and repaints it.
void PonerMiniaturaArchivo(HWND miniatura, HIMAGE imagen);
bool MiniaturaArchivoVacia(HWND miniatura);
