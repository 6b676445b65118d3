// The description of a shipped picture in the program's language: its own
// text where the string table has one, the English text where it has not.
#pragma once

#include <cstdint>
#include <string>

// English, the same for every language that has no text of its own:
// 6001 + picture index.
constexpr int32_t kTextoDescripcionIngles = 6001;
// The others: 6100 + 10 x picture number (1-15) + language index, so
// 6110 is picture 1 in Spanish and 6255 picture 15 in German. English
// keeps no second copy there.
constexpr int32_t kTextoDescripcionIdioma = 6100;

constexpr int32_t IdDescripcionImagen(int32_t indice, int32_t idiomaTexto) {
  return kTextoDescripcionIdioma + 10 * (indice + 1) + idiomaTexto;
}

// Longest description the readers keep, in bytes.
constexpr int32_t kLargoDescripcion = 999;

// Picture `indice` (0-14) in the current language, its fields still
// separated by " | " (the layout breaks lines there); "" for other indices.
std::string DescripcionImagen(int32_t indice);
