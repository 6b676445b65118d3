// CWNDPREVIEWINFO: a picture shown scaled with the name and text of its
// number, printable (the print-out and its wait window are Impresion's).
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarVistaPrevia(HINSTANCE instancia);

// Opens the preview of the picture file `ruta` over `padre`, which stays
// disabled while it is open. `indice` (0-14) chooses the name and text of
// the string table; -1 shows the picture without them. With `trasPuzzle`
// the preview closes into the wallpaper question, and when the picture
// cannot be read the sequence goes straight on to the honour check.
// Returns the window, or null when the picture cannot be read.
HWND AbrirPreviewInfo(HWND padre, int32_t indice, const char* ruta, bool trasPuzzle);

// For tests: the open preview (or null), its picture's index, its print and
// exit buttons.
HWND VentanaVistaPrevia();
int32_t IndiceVistaPrevia();
HWND BotonImprimirVistaPrevia();
HWND BotonSalirVistaPrevia();
