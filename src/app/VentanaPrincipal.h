// CWNDBACK: the borderless main window that covers the screen, walnut where
// its children leave it bare; the parent or owner of every other window of
// the program.
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarVentanaPrincipal(HINSTANCE instancia);
// Creates the main window (maximised, so it covers the screen) and with it
// the whole play screen.
void CrearVentanaPrincipal();

// The picture-information button.
HWND BotonInfo();

