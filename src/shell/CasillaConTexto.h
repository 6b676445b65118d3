// A check box with its words as one COVCHECK (BotonCheck.h): its picture
// strip is made here from the box's own strip (up, up hovered, down, down
// hovered), the words written after the box and, under both, the parent's
// background where the button stands. The words then take the pointer and
// the click as the box does, and light up with it.
#pragma once

#include <windows.h>

#include <cstdint>

#include "HImage.h"
#include "ObjetosGDI.h"

struct TextoCasilla {
  const char* texto = "";
  HFONT fuente = nullptr;
  COLORREF color = RGB(0, 0, 0);        // up and down
  COLORREF colorEncima = RGB(0, 0, 0);  // up hovered and down hovered
  int32_t hueco = 0;                    // pixels between the box and the words
};

// The strip's width for a box `anchoCaja` wide and these words: the box,
// the gap and the words' ink, what the button takes on its parent.
int32_t AnchoCasilla(HDC hdc, int32_t anchoCaja, const TextoCasilla& t);

// The 24-bit strip of a button whose corner stands at (x, y) of `fondo`:
// four frames of the box's frame height, the box at the left and the words
// centred on its height. Empty when a picture is missing or there is no
// memory for it.
BloqueHIMAGE CrearTiraCasilla(HIMAGE fondo, int32_t x, int32_t y, HIMAGE caja, const TextoCasilla& t);
