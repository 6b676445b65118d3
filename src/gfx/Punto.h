// Punto: a pair of signed 32-bit integers, a position or a size (x = width).
#pragma once

#include <cstdint>

struct Punto {
  int32_t x = 0;
  int32_t y = 0;
};
