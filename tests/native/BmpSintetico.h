// Synthetic BMP files for the reader's tests, any header field set at will.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Binario.h"

struct BmpSintetico {
  int32_t ancho = 2, alto = 2;  // alto < 0: rows stored top-down (Pintar takes alto > 0)
  uint16_t bits = 8, planos = 1, firma = 'B' | 'M' << 8;
  uint32_t compresion = 0, clrUsed = 0, tamInfo = 40;
  int64_t offBits = -1, largo = -1;  // -1: where the pixels really start; the whole file
  std::vector<uint8_t> pixeles;      // rows as stored; empty: zeros

  // Rows from valor(x, y), bottom row first; whole bytes per pixel, low
  // byte first.
  template <typename F>
  BmpSintetico& Pintar(F valor) {
    const int64_t fila = BytesFila(ancho, bits);
    pixeles.assign(static_cast<size_t>(fila * alto), 0);
    for (int32_t y = 0; y < alto; ++y)
      for (int32_t x = 0; x < ancho; ++x)
        for (int i = 0; i < bits / 8; ++i)
          pixeles[static_cast<size_t>(y * fila + x * bits / 8 + i)] = static_cast<uint8_t>(valor(x, y) >> 8 * i);
    return *this;
  }

  // The colour table is left zeroed.
  std::vector<uint8_t> Bytes() const {
    const uint32_t n = clrUsed ? clrUsed : bits <= 8 ? 1u << bits : 0;
    const size_t inicio = 14 + tamInfo + 4 * n;
    std::vector<uint8_t> b(inicio, 0);
    if (pixeles.empty()) b.resize(inicio + static_cast<size_t>(BytesFila(ancho, bits) * std::abs(alto)));
    b.insert(b.end(), pixeles.begin(), pixeles.end());
    EscribirU16(&b[0], firma);
    EscribirU32(&b[10], static_cast<uint32_t>(offBits >= 0 ? offBits : static_cast<int64_t>(inicio)));
    const uint32_t campos[] = {tamInfo, static_cast<uint32_t>(ancho), static_cast<uint32_t>(alto),
                               planos | static_cast<uint32_t>(bits) << 16, compresion, 0, 0, 0, clrUsed};
    for (int i = 0; i < 9; ++i) EscribirU32(&b[14 + 4 * i], campos[i]);
    if (largo >= 0) b.resize(static_cast<size_t>(largo));
    return b;
  }
};
