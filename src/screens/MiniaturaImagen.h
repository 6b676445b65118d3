// CWNDPREVFS: one of the five picture thumbnails on the picture page of the
// new-puzzle window. A click chooses its picture, a double click shows the
// chosen picture full screen; an empty thumbnail ignores the mouse.
#pragma once

#include <windows.h>

constexpr int kMiniaturas = 5;
constexpr int kIdMiniatura = 300;  // + index; the page tabs share these ids
constexpr int kAnchoMiniatura = 86, kAltoMiniatura = 127;

bool RegistrarMiniaturas(HINSTANCE instancia);
// Thumbnail `indice` of the new-puzzle window `padre`, visible, empty.
HWND CrearMiniatura(HWND padre, int indice);
// Shows the picture file `ruta` fitted into 82 x 123; null, or a file that
// cannot be read, leaves the thumbnail empty. Repaints.
void CargarMiniatura(HWND miniatura, const char* ruta);
bool MiniaturaVacia(HWND miniatura);
