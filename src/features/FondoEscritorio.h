// The finished picture made the desktop's wallpaper, offered once at the
// end of each puzzle.
#pragma once

#include <string>

// The answer to the wallpaper question. Yes writes the current picture,
// fitted to the screen, to RutaFondoEscritorio() and only when that worked
// makes it the wallpaper. Either way the honour check follows.
void PonerPapelTapiz(bool respuesta);

// The wallpaper file: the program's folder + "Tessera.bmp".
std::string RutaFondoEscritorio();
