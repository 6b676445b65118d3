// CWNDPREVLUPA: the magnifier, a small floating window owned by the main
// window that shows the whole picture of the puzzle. Hidden at creation;
// the options window shows and hides it.
#pragma once

#include <windows.h>

bool RegistrarLupa(HINSTANCE instancia);
// Creates it hidden, owned by the main window, at (W / 4, H / 2), 240 x 211.
void CrearLupa(HWND principal);
HWND VentanaLupa();
// Its title, string 120 + the current language.
void CambiarIdiomaLupa();
// After a cut, a load or a close: hides it and takes the current picture
// (none: an empty 240 x 180 area).
void ActualizarLupa();

// Its picture area for a w x h picture: at most 240 x 180, aspect kept,
// never below 1 x 1.
POINT TamañoLupa(int w, int h);
