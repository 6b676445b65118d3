// CWNDPUZZLE: a board window. The table is a child of the main window
// (ShowPuzzle); each piece box holds one box board (CreateBoxBoard). Shows
// the board's image; drags pieces, groups and marked selections between
// boards as a sprite over the screen, and marks pieces with a rubber band.
#pragma once

#include <windows.h>

bool RegistrarTableroPuzzle(HINSTANCE instancia);

// Creates the table board (control id 106) at (49, 78) in `padre`, of the
// board size, its clock at zero; returns the table's window.
HWND ShowPuzzle(HWND padre);

// Creates box board `indice` (0-5) in box window `caja`; `botonSoltar` is
// the window that takes drops for that box from other boards.
HWND CreateBoxBoard(HWND caja, int indice, int x, int y, int ancho, int alto, HWND botonSoltar);

// `R` mid-drag in a game of turned pieces: the dragged piece, with its
// group or marked selection, turns by `cuartos` clockwise quarter turns
// (3: one anticlockwise) about the pointer. False when no piece is dragged.
bool GirarPiezaArrastrada(int cuartos);

// The window of board 0-6, or null.
HWND VentanaTablero(int tablero);
