// CWNDPREVIEWINFO: a numbered picture shown scaled with its name and text,
// printable; and CWNDESPEREIMPRIMIENDO, the "please wait" window with five
// progress marks shown while a page prints.
#pragma once

#include <windows.h>

#include <cstdint>

// Registers both classes.
bool RegistrarVistaPrevia(HINSTANCE instancia);

// Opens the preview of the picture file `ruta` over `padre`, which stays
// disabled while it is open. `indice` (0-14) chooses the name and text of
// the string table; -1 shows the picture without them. With `trasPuzzle`
// the preview closes into the wallpaper question, and when the picture
// cannot be read the sequence goes straight on to the honour check.
// Returns the window, or null when the picture cannot be read.
HWND AbrirPreviewInfo(HWND padre, int32_t indice, const char* ruta, bool trasPuzzle);

// For tests: the open preview (or null), its print and exit buttons.
HWND VentanaVistaPrevia();
HWND BotonImprimirVistaPrevia();
HWND BotonSalirVistaPrevia();
