// The print-out of a picture card: the picture, its name and its text on
// one page of the default printer between a header and a footer banner,
// while CWNDESPEREIMPRIMIENDO shows five progress marks.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ArchivoBMP.h"
#include "HImage.h"
#include "Punto.h"

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
// Pictures of 8 and 24 bits print; a file short of any row prints nothing.
bool ImprimirImagen(HWND espera, int32_t indice, const char* ruta, bool* sinImpresora);

// The page itself, drawn into any DC `pagina` pixels large; the marks of
// `espera` (may be null) turn before each band. False when a row of the
// picture could not be read or held: the page is then not to be sent.
bool DibujarPaginaImpresion(HDC hdc, Punto pagina, HWND espera, int32_t indice, ArchivoBMP& archivo);

// For tests: the printer to use instead of the system's default ("" for
// none; nullptr asks the system again), and the wait window with the
// background its marks are drawn on.
void ImpresoraDePrueba(const char* nombre);
HWND VentanaEspera();
HIMAGE FondoEspera();
const char* TextoEspera();
