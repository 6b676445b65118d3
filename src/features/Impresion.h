// The print-out of a picture card: the picture, its name and its text on
// one page of the default printer between a header and a footer banner,
// while CWNDESPEREIMPRIMIENDO shows five progress marks.
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarImpresion(HINSTANCE instancia);

// The print button of a preview: shows the wait window over `padre`,
// pauses the music, prints the picture file `ruta` with the name and text
// of `indice` (-1: none), resumes the music and closes the wait window.
// With no printer set up the player is told so.
void ImprimirTarjeta(HWND padre, int32_t indice, const char* ruta);

// The wait window over `padre`, already painted; null when it cannot be made.
HWND MostrarEspera(HWND padre);
// Prints one page. False when nothing could be printed (no printer, the
// file unreadable); `sinImpresora` then tells whether a printer was missing.
bool ImprimirImagen(HWND espera, int32_t indice, const char* ruta, bool* sinImpresora);
