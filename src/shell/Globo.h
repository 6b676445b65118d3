// CWNDGLOBO: the tooltip of a picture button. Once the pointer has rested
// on a button that has one for the system's hover time, a small label in
// the game's paper and ink names the button (and its key) beside the
// pointer; it goes when the pointer leaves the button or presses it, and
// comes back only after the pointer has left the button and returned.
#pragma once

#include <windows.h>

#include <cstdint>

// The tooltips' paper, ink and walnut frame.
constexpr COLORREF kColorPapelGlobo = RGB(243, 233, 210);
constexpr COLORREF kColorTintaGlobo = RGB(43, 29, 18);
constexpr COLORREF kColorMarcoGlobo = RGB(62, 38, 22);

bool RegistrarGlobo(HINSTANCE instancia);

// Gives `boton` a tooltip: line `linea` (from 0) of string-table text
// `texto`, whose lines are separated by '|', read in the language of the
// moment it shows. The button keeps it until it is destroyed.
void PonerGlobo(HWND boton, int32_t texto, int linea);

// The tooltip on the screen, or null; its window text is what it says.
HWND VentanaGlobo();
