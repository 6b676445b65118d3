// CWNDBACK: the borderless main window that covers the screen, walnut where
// its children leave it bare; the parent or owner of every other window of
// the program.
#pragma once

#include <windows.h>

#include <cstdint>

extern HWND ventanaPrincipal;

bool RegistrarVentanaPrincipal(HINSTANCE instancia);
// Creates the main window (maximised, so it covers the screen) and with it
// the whole play screen.
void CrearVentanaPrincipal();

// Box button i (0-5) on the right edge: it shows and hides box i and takes
// pieces dropped for it.
HWND BotonCaja(int indice);
// Gives box button i archive picture `numero` (200 + i empty, 600 + i with
// pieces).
void CambiarImagenBotonCaja(int indice, uint32_t numero);
// The picture-information button.
HWND BotonInfo();

// Where box button i stands on a screen of the given size.
POINT PosicionBotonCaja(int indice, int anchoPantallaBoton, int altoPantallaBoton);
