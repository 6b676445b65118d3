// CWNDPREVIEWINFO: a picture shown scaled with the name and text of its
// number, printable (the print-out and its wait window are Impresion's).
#pragma once

#include <windows.h>

#include <cstdint>

// What follows the preview: told whether it showed.
using TrasVistaPrevia = void (*)(bool mostrada);

// What follows the preview: told whether it showed.
using TrasVistaPrevia = void (*)(bool mostrada);

bool RegistrarVistaPrevia(HINSTANCE instancia);

// Opens the preview of the picture file `ruta` over `padre`, which stays
// disabled while it is open. `indice` (0-14) chooses the name and text of
// the string table; -1 shows the picture without them. `despues` runs
// once: with true when the preview has gone, with false at once when it
// cannot show. Returns the window, or null when the picture cannot be read.
HWND AbrirPreviewInfo(HWND padre, int32_t indice, const char* ruta, TrasVistaPrevia despues = nullptr);

// For tests: the open preview (or null), its picture's index, its print and
// exit buttons.
HWND VentanaVistaPrevia();
int32_t IndiceVistaPrevia();
HWND BotonImprimirVistaPrevia();
HWND BotonSalirVistaPrevia();
