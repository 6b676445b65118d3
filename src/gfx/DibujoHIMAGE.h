// Drawing HIMAGEs into a device context, unscaled, with the picture's
// palette realised (Windows only).
#pragma once

#include <windows.h>
#include <vfw.h>

#include <cstdint>

#include "HImage.h"
#include "ImagenEscalada.h"

// Draws the ancho x alto block at (xOrigen, yOrigen) of `imagen` at (x, y)
// in `hdc`. Only SRCCOPY. The part of the block outside the picture is
// left out, and the destination follows. Without a picture (one that could
// not be loaded) the block is painted black.
void DibujarHIMAGE(HDC hdc, int32_t x, int32_t y, int32_t ancho, int32_t alto, HIMAGE imagen, int32_t xOrigen,
                   int32_t yOrigen, uint32_t rop);

// Repaints `rectangulo` of `hdc` from the part of `fondo` under it (same
// coordinates, SRCCOPY only), or black when there is no `fondo`.
void PintarRectangulo(HDC hdc, const RECT& rectangulo, HIMAGE fondo, uint32_t rop);

// A scaled picture stretched into ancho x alto at (x, y) with DrawDib;
// nothing when it is empty.
void DibujarEscalada(HDRAWDIB drawDib, HDC hdc, const ImagenEscalada& imagen, int32_t x, int32_t y, int32_t ancho,
                     int32_t alto);
