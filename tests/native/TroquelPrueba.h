// A die (troquel) drawn from a jigsaw tiling, for the cut's tests and
// benchmarks, and a minimal writer for the archive that holds it.
//
// The tiling: cells of 200 x 200, cell (i, j) covering [200i, 200i + 200) x
// [200j, 200j + 200). Cells with i + j even receive a round knob from each
// of their four neighbours (a disc of radius 30 centred 25 pixels inside the
// cell, so it reaches 55 pixels in); cells with i + j odd give them. The
// pattern repeats every 400 pixels, so a die of an even number of rows and
// columns tiles: opposite edges fit into each other.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Binario.h"

struct CeldaTeselado {
  int32_t col, fila;
};

// The cell of the tiling that owns point (x, y), knobs included.
inline CeldaTeselado DuenoTeselado(int32_t x, int32_t y) {
  const auto piso = [](int32_t v) { return v >= 0 ? v / 200 : -((-v + 199) / 200); };
  const int32_t i = piso(x), j = piso(y);
  const int32_t lx = x - 200 * i, ly = y - 200 * j;
  if (((i + j) & 1) == 0) {
    const auto disco = [](int32_t dx, int32_t dy) { return dx * dx + dy * dy <= 30 * 30; };
    if (disco(lx - 25, ly - 100)) return {i - 1, j};
    if (disco(lx - 175, ly - 100)) return {i + 1, j};
    if (disco(lx - 100, ly - 25)) return {i, j - 1};
    if (disco(lx - 100, ly - 175)) return {i, j + 1};
  }
  return {i, j};
}

// The label of die pixel (u, v), v from the top: the die is the window of
// the tiling that starts at (-66, -66).
inline uint8_t EtiquetaTroquel(int32_t filas, int32_t columnas, int32_t u, int32_t v) {
  const CeldaTeselado d = DuenoTeselado(u - 66, v - 66);
  const int32_t base = filas * columnas + 1;
  const bool enColumnas = d.col >= 0 && d.col < columnas, enFilas = d.fila >= 0 && d.fila < filas;
  if (enColumnas && enFilas) return static_cast<uint8_t>(d.fila * columnas + d.col + 1);
  if (enColumnas && d.fila == -1) return static_cast<uint8_t>(base + d.col);
  if (enFilas && d.col == columnas) return static_cast<uint8_t>(base + columnas + d.fila);
  if (enColumnas && d.fila == filas) return static_cast<uint8_t>(base + columnas + filas + d.col);
  if (enFilas && d.col == -1) return static_cast<uint8_t>(base + 2 * columnas + filas + d.fila);
  return 0;  // diagonal corners
}

// An archive picture block (header, 256 grey entries, bottom-up rows) of a
// filas x columnas die; `bits` 24 repeats each label in three bytes.
inline std::vector<uint8_t> BloqueTroquel(int32_t filas, int32_t columnas, uint16_t bits = 8,
                                          int32_t ancho = 0, int32_t alto = 0) {
  if (ancho == 0) ancho = columnas * 200 + 132;
  if (alto == 0) alto = filas * 200 + 132;
  const int32_t bpp = bits / 8;
  const int32_t stride = (ancho * bpp + 3) & ~3;
  const uint32_t colores = bits == 8 ? 256 : 0;
  std::vector<uint8_t> b(40 + 4 * colores + static_cast<size_t>(stride) * alto, 0);
  const uint32_t campos[] = {40, uint32_t(ancho), uint32_t(alto), 1u | uint32_t(bits) << 16, 0,
                             uint32_t(stride) * uint32_t(alto), 0, 0, colores};
  for (int i = 0; i < 9; ++i) EscribirU32(&b[4 * i], campos[i]);
  for (uint32_t i = 0; i < colores; ++i) EscribirU32(&b[40 + 4 * i], i * 0x010101u);
  uint8_t* pixeles = &b[40 + 4 * colores];
  for (int32_t v = 0; v < alto; ++v)
    for (int32_t u = 0; u < ancho; ++u)
      for (int32_t k = 0; k < bpp; ++k)
        pixeles[static_cast<size_t>(alto - 1 - v) * stride + u * bpp + k] = EtiquetaTroquel(filas, columnas, u, v);
  return b;
}

// Writes an archive of the given (number, block) pictures; false when the
// file cannot be written.
inline bool EscribirArchivoTroqueles(const std::string& ruta,
                                     const std::vector<std::pair<uint32_t, std::vector<uint8_t>>>& bloques) {
  std::vector<uint8_t> datos, directorio;
  for (const auto& [numero, bloque] : bloques) {
    uint8_t e[16] = {};
    EscribirU32(e, numero);
    EscribirU32(e + 4, static_cast<uint32_t>(bloque.size()));
    EscribirU64(e + 8, datos.size());
    directorio.insert(directorio.end(), e, e + 16);
    datos.insert(datos.end(), bloque.begin(), bloque.end());
  }
  datos.insert(datos.end(), directorio.begin(), directorio.end());
  datos.resize(datos.size() + 4);
  EscribirU32(&datos[datos.size() - 4], static_cast<uint32_t>(bloques.size()));
  std::ofstream f(ruta, std::ios::binary);
  f.write(reinterpret_cast<const char*>(datos.data()), static_cast<std::streamsize>(datos.size()));
  return static_cast<bool>(f);
}
