// The program's string table read from resources/textos.rc as the resource
// compiler reads it: "" is a quote, \n a line feed, and the UTF-8 source
// becomes Windows-1252 (code page 65001 in, the program's ANSI page out).
#pragma once

#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <string>

// The build names it: a compiler cache may make __FILE__ relative to a
// folder the tests do not run in.
inline const std::string& RutaTextosRc() {
  static const std::string ruta = TESSERA_TEXTOS_RC;
  return ruta;
}

// The Windows-1252 byte of a code point; none outside the page.
inline std::optional<char> Byte1252(uint32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
  static const std::map<uint32_t, unsigned char> altos = {
      {0x20AC, 0x80}, {0x201A, 0x82}, {0x0192, 0x83}, {0x201E, 0x84}, {0x2026, 0x85}, {0x2020, 0x86},
      {0x2021, 0x87}, {0x02C6, 0x88}, {0x2030, 0x89}, {0x0160, 0x8A}, {0x2039, 0x8B}, {0x0152, 0x8C},
      {0x017D, 0x8E}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201C, 0x93}, {0x201D, 0x94}, {0x2022, 0x95},
      {0x2013, 0x96}, {0x2014, 0x97}, {0x02DC, 0x98}, {0x2122, 0x99}, {0x0161, 0x9A}, {0x203A, 0x9B},
      {0x0153, 0x9C}, {0x017E, 0x9E}, {0x0178, 0x9F}};
  const auto i = altos.find(c);
  if (i == altos.end()) return std::nullopt;
  return static_cast<char>(i->second);
}

// `utf8` in Windows-1252; nullopt when a character has no place there or
// the UTF-8 is broken.
inline std::optional<std::string> A1252(const std::string& utf8) {
  std::string r;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    const int largo = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (!largo || i + largo > utf8.size()) return std::nullopt;
    uint32_t c = largo == 1 ? b : b & (0x7F >> largo);
    for (int k = 1; k < largo; ++k) c = c << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    const std::optional<char> byte = Byte1252(c);
    if (!byte) return std::nullopt;
    r += *byte;
    i += static_cast<size_t>(largo);
  }
  return r;
}

struct TablaTextos {
  std::map<int, std::string> textos;  // Windows-1252
  std::map<int, std::string> fuera;   // texts with a character outside it, as written
};

// An entry is a line of blanks, a number, blanks and a quoted text.
inline bool Entrada(const std::string& linea, int& id, std::string& crudo) {
  size_t i = linea.find_first_not_of(" \t");
  if (i == std::string::npos || linea[i] < '0' || linea[i] > '9') return false;
  const size_t fin = linea.find_first_not_of("0123456789", i);
  if (fin == std::string::npos || linea[fin] != ' ') return false;
  id = std::stoi(linea.substr(i, fin - i));
  const size_t abre = linea.find_first_not_of(' ', fin), cierra = linea.find_last_not_of(" \t\r");
  if (abre == std::string::npos || linea[abre] != '"' || cierra <= abre || linea[cierra] != '"') return false;
  crudo = linea.substr(abre + 1, cierra - abre - 1);
  return true;
}

inline TablaTextos LeerTablaTextos() {
  TablaTextos t;
  std::ifstream in(RutaTextosRc());
  int id = 0;
  std::string crudo;
  for (std::string linea; std::getline(in, linea);) {
    if (!Entrada(linea, id, crudo)) continue;
    std::string texto;
    for (size_t i = 0; i < crudo.size(); ++i) {
      if (crudo[i] == '"' && i + 1 < crudo.size() && crudo[i + 1] == '"') {
        texto += '"';
        ++i;
      } else if (crudo[i] == '\\' && i + 1 < crudo.size() && crudo[i + 1] == 'n') {
        texto += '\n';
        ++i;
      } else {
        texto += crudo[i];
      }
    }
    if (const auto b = A1252(texto))
      t.textos[id] = *b;
    else
      t.fuera[id] = texto;
  }
  return t;
}
