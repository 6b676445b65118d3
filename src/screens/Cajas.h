// CWNDBOX: the six piece boxes, floating windows owned by the main window,
// each with a title bar, close and rename buttons, a frame to move and
// resize it by, and a board of its own inside.
#pragma once

#include <windows.h>

constexpr int kNumeroCajas = 6;

bool RegistrarCajas(HINSTANCE instancia);
// Creates the six boxes hidden, with their boards (the main window's box
// buttons must exist: they take the drops for the boxes).
void CrearCajas(HWND principal);
HWND VentanaCaja(int indice);
// The answer to the rename question.
void TerminarRenombrar(bool aceptar);

// The smallest and largest box, client size.
constexpr int kLadoMinimoCaja = 200;
