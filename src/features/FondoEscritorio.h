// The finished picture made the desktop's wallpaper, offered once at the
// end of each puzzle.
#pragma once

#include <string>

// Writes the current picture, fitted to the screen, to
// RutaFondoEscritorio() and only when that worked makes it the wallpaper.
// False when the desktop did not change.
bool PonerPapelTapiz();

// The wallpaper file: the player's files' folder + "Tessera.bmp".
std::string RutaFondoEscritorio();
