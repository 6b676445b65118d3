// The eight EXIF orientations as arithmetic: the upright picture's size,
// where each of its pixels comes from, and one pass that turns a stored
// picture upright.
//   1 as stored          5 transposed (mirrored across the main diagonal)
//   2 mirrored left-right 6 turned 90 degrees clockwise
//   3 turned 180 degrees  7 transversed (mirrored across the other diagonal)
//   4 mirrored top-bottom 8 turned 90 degrees counter-clockwise
#pragma once

#include <cstdint>

#include "Punto.h"

// Whether `orientacion` is one of the eight; anything else counts as 1.
inline bool OrientacionValida(int orientacion) { return orientacion >= 1 && orientacion <= 8; }

// 5 to 8 swap the sides.
Punto TamañoOrientado(Punto tamaño, int orientacion);

// The orientation that undoes `orientacion`: each is its own inverse but
// the quarter turns, 6 and 8.
int OrientacionInversa(int orientacion);

// The stored pixel that lands at `destino` of the upright picture, for a
// stored picture of size `tamaño`.
Punto PuntoFuente(Punto destino, Punto tamaño, int orientacion);

// Writes the upright picture of the stored `fuente` (`tamaño`, rows top
// down, `bytesFilaFuente` apart, `bytesPixel` 3 or 4 bytes a pixel, copied
// whole) into `destino` (TamañoOrientado's size, rows `bytesFilaDestino`
// apart). The two must not overlap; padding bytes of `destino` are left
// alone. False, with nothing written, when a size is below 1, a row is too
// short or `bytesPixel` is neither 3 nor 4. An orientation outside 1 to 8
// copies as stored.
bool OrientarImagen(const uint8_t* fuente, Punto tamaño, int64_t bytesFilaFuente, int bytesPixel, int orientacion,
                    uint8_t* destino, int64_t bytesFilaDestino);
