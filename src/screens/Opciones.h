// CWNDOPCIONES: the options window that slides up over the bottom of the
// table with three animated buttons: help, magnifier and exit.
#pragma once

#include <windows.h>

bool RegistrarOpciones(HINSTANCE instancia);
// A hidden child of the main window at (0, H - 103), screen width x 103.
void CrearOpciones(HWND principal);
HWND VentanaOpciones();
// Slides it up; nothing while it is up.
void AbrirOpciones();
// Whether it is still sliding up (its buttons show once it is up).
bool OpcionesDeslizando();
// The three buttons, left to right: help, magnifier, exit.
HWND BotonOpcion(int indice);
