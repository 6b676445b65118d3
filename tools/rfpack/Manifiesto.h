// The manifest: what the program expects of every picture in the archive
// (size of a frame, depth, frame layout, shared colour table), and the
// checks rfpack runs on pictures before they go into the archive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Binario.h"

enum class Disposicion { kUnica, kCmd3, kChk4, kAnim10, kFilas2, kFilas6, kPomo, kScroll, kTroquel };

// Allowed values of one side: [minimo, maximo].
struct Medida {
  int32_t minimo = 1, maximo = INT32_MAX;
};

struct Regla {
  uint32_t numero = 0;
  Medida ancho, alto;  // of one frame
  int bits = 0;        // 8, 24, or 0 for either
  Disposicion disposicion = Disposicion::kUnica;
  std::string grupo;   // "" when the picture shares its table with nobody
  uint32_t igualA = 0; // 0, or the picture whose size this one must have
  std::string origen;
  int linea = 0;
};

// One picture as it stands in the archive: info header, table, rows.
struct BloqueImagen {
  uint32_t numero = 0;
  CabeceraInfoBMP cabecera{};
  std::vector<uint8_t> datos;  // the whole block, header included
};

// Reads the manifest; ranges "a-b" become one rule per number. Throws
// std::runtime_error naming the line on any malformed or repeated entry.
std::vector<Regla> LeerManifiesto(const std::string& ruta);

// Every way the pictures break the manifest, one line each ("" if none).
// `bloques` holds at most one block per number; numbers missing from it
// and blocks the manifest does not know are problems too.
std::vector<std::string> ComprobarManifiesto(const std::vector<Regla>& reglas,
                                             const std::vector<BloqueImagen>& bloques);

// The block of an archive picture read from `datos` (size checked).
bool LeerBloque(uint32_t numero, std::vector<uint8_t> datos, BloqueImagen* bloque, std::string* problema);
