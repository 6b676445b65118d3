// Dies (troqueles) drawn from a periodic jigsaw tiling: 2 x 2 cells of 200
// pixels repeated every 400, each edge carrying one tab of the style's shape.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int32_t kLadoTroquel = 532;  // 2 x 200 + 2 x 66

struct CeldaTroquel {
  int32_t col, fila;
};

// The cell of style `estilo`'s tiling that owns pixel (x, y), tabs included.
CeldaTroquel DuenoTroquel(int estilo, int32_t x, int32_t y);

// The 532 x 532 label image (rows from the top) of style 0 (round knobs),
// 1 (square tabs) or 2 (irregular knobs).
std::vector<uint8_t> GenerarTroquel(int estilo);

// An 8-bit BMP file of the labels, with a viewing palette.
std::vector<uint8_t> BmpTroquel(const std::vector<uint8_t>& etiquetas);

// "" when the labels make a usable die, otherwise the first problem found.
std::string ValidarTroquel(const std::vector<uint8_t>& etiquetas);
