// The title bar of the play screen's floating windows (the piece boxes and
// the magnifier): the bar picture tiled along the top, the name in black.
#pragma once

#include <windows.h>

#include "HImage.h"

// Repaints what `pintar` covers of a title bar `alto` high: `barra` tiled
// in anchoTesela x alto tiles, and `texto` at (10, 5) in `fuente`, ending
// in an ellipsis before x = `finTexto`.
void PintarBarraTitulo(HDC hdc, const RECT& pintar, HIMAGE barra, int anchoTesela, int alto, HFONT fuente,
                       const char* texto, int finTexto);
