// CWNDIMGPREV: the full-screen image preview, opened on demand by the
// new-puzzle window (owner, disabled while it is open); shows one picture file
// scaled to fit the screen, centred on black, until a key or a double click.
#pragma once

#include <windows.h>

#include "Punto.h"

bool RegistrarVistaImagen(HINSTANCE instancia);

// Opens the preview of the BMP file `ruta`, owned by `dueño`, which stays
// disabled until the preview closes. False, with nothing opened and `dueño`
// untouched, when the file cannot be read or a preview is already open.
bool MostrarImagenGrande(HWND dueño, const char* ruta);
// The open preview, or null.
HWND VentanaVistaImagen();

// A w x h picture fitted into the pantalla.x x pantalla.y screen, aspect
// kept, never below 1 x 1.
Punto TamañoVistaImagen(Punto imagen, Punto pantalla);
