// CWNDBACK: the borderless main window that covers the screen in black; the
// parent or owner of every other window of the program.
#pragma once

#include <windows.h>

extern HWND ventanaPrincipal;

bool RegistrarVentanaPrincipal(HINSTANCE instancia);
// Creates the main window (maximised, so it covers the screen).
void CrearVentanaPrincipal();
