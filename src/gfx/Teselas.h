// Tiling a rectangle with a picture: the blocks to draw so that tiles stand
// at whole multiples of the tile size from the window's corner, whatever
// part of the window is being repainted, and never read outside the picture.
#pragma once

#include <cstdint>
#include <vector>

#include "Punto.h"

struct BloqueTesela {
  Punto destino;  // in the window
  Punto origen;   // in the picture
  Punto tamaño;
};

// The blocks that cover `pos` x `tam` with tiles of anchoTesela x altoTesela
// taken from the picture's top-left corner; a picture smaller than the tile
// leaves the rest of each tile out.
std::vector<BloqueTesela> BloquesMosaico(Punto pos, Punto tam, int32_t anchoTesela, int32_t altoTesela,
                                         Punto tamañoImagen);
