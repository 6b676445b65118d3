// Synthetic BMP files for the reader's tests, any header field set at will,
// written into a folder that is removed afterwards.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Binario.h"

struct BmpSintetico {
  int32_t ancho = 2, alto = 2;  // alto < 0: rows stored top-down
  uint16_t bits = 8, planos = 1;
  uint32_t compresion = 0, clrUsed = 0, tamInfo = 40, hueco = 0;  // hueco: bytes before the pixels
  int64_t offBits = -1;          // -1: where the pixels really start
  std::vector<uint8_t> pixeles;  // rows as stored; empty: zeros

  // Rows from valor(x, y), y counted from the bottom: 0xRRGGBB for 24 bits,
  // an index (a nibble for 4 bits) otherwise.
  template <typename F>
  BmpSintetico& Pintar(F valor) {
    const int64_t fila = BytesFila(ancho, bits), h = std::abs(alto);
    pixeles.assign(static_cast<size_t>(fila * h), 0);
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < ancho; ++x) {
        uint8_t* p = pixeles.data() + (alto < 0 ? h - 1 - y : y) * fila;
        const uint32_t v = valor(x, y);
        if (bits == 24) EscribirU16(p + 3 * x, v & 0xFFFF), p[3 * x + 2] = static_cast<uint8_t>(v >> 16);
        else if (bits == 4) p[x / 2] |= static_cast<uint8_t>(x % 2 ? v & 0xF : (v & 0xF) << 4);
        else p[x] = static_cast<uint8_t>(v);
      }
    return *this;
  }

  // Colour entry c is blue c, green 255 - c, red 7.
  std::vector<uint8_t> Bytes() const {
    const uint32_t n = clrUsed ? clrUsed : bits <= 8 ? 1u << bits : 0;
    const size_t inicio = 14 + tamInfo + 4 * n + hueco;
    std::vector<uint8_t> b(inicio, 0);
    if (pixeles.empty()) b.resize(inicio + static_cast<size_t>(BytesFila(ancho, bits) * std::abs(alto)));
    b.insert(b.end(), pixeles.begin(), pixeles.end());
    b[0] = 'B', b[1] = 'M';
    EscribirU32(&b[10], static_cast<uint32_t>(offBits >= 0 ? offBits : static_cast<int64_t>(inicio)));
    const uint32_t campos[] = {tamInfo, static_cast<uint32_t>(ancho), static_cast<uint32_t>(alto),
                               planos | static_cast<uint32_t>(bits) << 16, compresion, 0, 0, 0, clrUsed};
    for (int i = 0; i < 9; ++i) EscribirU32(&b[14 + 4 * i], campos[i]);
    for (uint32_t c = 0; c < n; ++c) EscribirU32(&b[14 + tamInfo + 4 * c], c | ((255 - c) << 8) | (7u << 16));
    return b;
  }
};

class CarpetaTemporal {
 public:
  CarpetaTemporal() {
    std::string plantilla = (std::filesystem::temp_directory_path() / "bmpXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
  }
  ~CarpetaTemporal() { std::filesystem::remove_all(carpeta_); }
  CarpetaTemporal(const CarpetaTemporal&) = delete;
  CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;

  std::string Escribir(const std::vector<uint8_t>& bytes, const char* nombre = "t.bmp") const {
    const std::string ruta = (carpeta_ / nombre).string();
    std::ofstream(ruta, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return ruta;
  }
  std::string Escribir(const BmpSintetico& bmp) const { return Escribir(bmp.Bytes()); }

 private:
  std::filesystem::path carpeta_;
};
