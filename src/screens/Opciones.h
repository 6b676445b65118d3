// CWNDOPCIONES: the options window that slides up over the bottom of the
// table with its animated buttons: help, magnifier, ghost picture, open,
// save, language and exit.
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
// The buttons, left to right.
enum BotonOpciones { kOpcionAyuda, kOpcionLupa, kOpcionFantasma, kOpcionAbrir, kOpcionGuardar, kOpcionIdioma, kOpcionSalir };
HWND BotonOpcion(int indice);
// What a click on button `boton` does, for the keyboard too.
void AccionOpcion(int boton);
