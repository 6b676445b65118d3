// CWNDCAMBIOIDIOMA: the language window, a pop-up centred on the screen and
// owned by the main window (disabled meanwhile): under its caption, the six
// languages as text labels, the chosen one in the highlight colour, OK and
// Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarCambioIdioma(HINSTANCE instancia);
// Opens the window (or returns the one already open); null when it cannot
// be made.
HWND AbrirCambioIdioma();

// ---- State, for tests -----------------------------------------------------
HWND VentanaCambioIdioma();
HWND EtiquetaIdioma(int32_t indice);  // language indice's label
HWND BotonAceptarIdioma();
HWND BotonCancelarIdioma();
