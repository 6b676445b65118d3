// The card of a numbered picture: which of the shipped pictures 1-15 a file
// is (its name and text in the string table), and its size in the preview.
#pragma once

#include <cstdint>

#include "ListaArchivos.h"
#include "Punto.h"

constexpr int32_t kImagenesNumeradas = 15;

// Index 0-14 of the picture a path names, from the one or two digits right
// before its ".bmp": "...\12.bmp" gives 11, "...\3.bmp" and "...\x03.bmp"
// give 2. -1 when those are not digits, the number is outside 1-15, or the
// path does not end in ".bmp".
int32_t IndiceImagenDeRuta(const char* ruta);

// The number a file name reads as: the name up to its first '.', read as a
// decimal like atoi ("3a.bmp" and "03.bmp" read 3; no digits read 0).
int32_t NumeroNombreImagen(const char* nombre);

// Index in `lista` of the first name whose number is `numero`; -1 if none.
int32_t BuscarImagenNumerada(const ListaArchivos& lista, int32_t numero);

// The preview's size for a w x h picture: fitted into 450 x 288, aspect
// kept, each side at least 1.
Punto TamañoVistaPrevia(Punto imagen);
