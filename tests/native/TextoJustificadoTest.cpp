// Line breaking of the justified text, with a monospace measurer: 10 px a
// character, 20 px high, but a run of spaces only 12 px high.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AyudaVerificar.h"
#include "TextoJustificado.h"

namespace {

Punto Medir(const char* p, int32_t n) {
  return {10 * n, std::string(p, n).find_first_not_of(' ') == std::string::npos ? 12 : 20};
}

// Each line as "text|y|extra|count".
std::vector<std::string> Lineas(const char* texto, int32_t ancho, int32_t alto = 100) {
  std::vector<std::string> r;
  for (const LineaJustificada& l : PartirTextoJustificado(texto, ancho, alto, Medir))
    r.push_back(std::string(texto + l.inicio, l.longitud) + "|" + std::to_string(l.y) + "|" +
                std::to_string(l.espacioExtra) + "|" + std::to_string(l.cuentaJustificacion));
  return r;
}

using V = std::vector<std::string>;

TEST(TextoJustificado, BreaksAndJustifies) {
  struct Caso { const char* texto; int32_t ancho; V esperado; } casos[] = {
      {"", 100, {}},
      {"\n\nab cd", 100, {"ab cd|24|0|0"}},         // each leading line feed: one space high
      {" ab", 100, {"ab|12|0|0"}},                  // a leading single space is an empty line
      {"ab\n cd", 100, {"ab|0|80|1", "cd|32|0|0"}}, // a line ending at a line feed is justified
      {"ab\n", 100, {"ab|0|80|1"}},                 {"  ab", 100, {"  ab|0|0|0"}},
      {"aa bb   cc", 80, {"aa bb  |0|10|3", "cc|20|0|0"}},  // a run keeps all but its last space
      {"a b c d e", 80, {"a b c d|0|10|5", "e|20|0|0"}},    // count: every measurement, the misfit too
      {"aa bb", 50, {"aa|0|30|2", "bb|20|0|0"}},            // exactly the width does not fit
      {"aa bb", 51, {"aa bb|0|0|0"}},
      // The field separator ends a line flush left, wrapped or not.
      {"ab | cd", 100, {"ab|0|0|0", "cd|20|0|0"}},
      {"aa bb cc | d", 60, {"aa bb|0|10|3", "cc|20|0|0", "d|40|0|0"}},
      {"ab  | cd", 100, {"ab |0|0|0", "cd|20|0|0"}},  // the spaces before it stay
      {" | ab", 100, {"ab|12|0|0"}},                  // at the start: an empty line
      {"ab |cd", 100, {"ab |cd|0|0|0"}},              // a bar alone is a word
  };
  for (const Caso& c : casos) EXPECT_EQ(Lineas(c.texto, c.ancho), c.esperado) << c.texto;
}

TEST(TextoJustificado, ProgrammingErrors) {
  const std::string palabra = "la ultima palabra es mas grande que el area asignada para el texto";
  EXPECT_VERIFICAR(Lineas("abcdef gh", 50), palabra);
  EXPECT_VERIFICAR(Lineas("ab\nabcdefgh", 50), palabra);  // also when it ends the text
  EXPECT_VERIFICAR(Lineas("ab | abcdefgh", 50), palabra);
  EXPECT_VERIFICAR(Lineas("ab\ncd", 100, 19), "el texto es mas alto que el area asignada");
  EXPECT_VERIFICAR(Lineas("", 0), "");
  EXPECT_VERIFICAR(Lineas("", 10, 0), "");
  // Without its terminator the scan stops at 1000 characters (ASan sees any overrun).
  std::vector<char> sinFin(1000, 'a');
  EXPECT_VERIFICAR(PartirTextoJustificado(sinFin.data(), 100000, 100, Medir), "text muy largo o no NULL-TERMINATED");
  sinFin.back() = 0;
  EXPECT_SIN_VERIFICAR(PartirTextoJustificado(sinFin.data(), 100000, 100, Medir));
}

// A font's characters half as wide as it is high, its lines a fifth higher.
Punto MedirFuente(const char* p, int32_t n, int32_t f) { return {n * f / 2, p ? f + f / 5 : 0}; }

TEST(TextoJustificado, TheFontShrinksUntilEveryWordAndLineFits) {
  const std::string largo(999, 'a'), demasiado(1000, 'a');
  struct Caso { std::string texto; int32_t fuente, ancho, alto, esperado; } casos[] = {
      {"Pachycepphalosaurus", 100, 993, 804, 100},  // fits as asked
      {"Pachycepphalosaurus", 100, 900, 804, 94},   // 19 x 47 = 893 < 900
      {"Pachycepphalosaurus", 100, 950, 804, 99},   // exactly the width does not fit
      {"ab cd", 100, 1000, 50, 42},                 // 42 + 8 = 50 high
      // "ab   cd" on one line (98 wide) and "  efg": 2 x 33 high; at 29 to
      // 39 the first breaks and three lines take more than 100.
      {"ab   cd\n  efg", 40, 100, 100, 28},
      {"ab cd", 10, 1000, 20, 10},
      {"ab | cd", 10, 1000, 20, 9},         // two lines of 10
      {"abcdef | gh", 20, 50, 100, 16},     // the separator is no part of a word: 6 x 16 / 2 = 48
      {"", 30, 10, 100, 30},
      {"ab", 30, 1, 100, 0},
      {"a", 0, 100, 100, 0},
      {largo, 5, 100000, 100, 5},
      {demasiado, 5, 100000, 100, 0},
      {"ab\n" + demasiado, 5, 100000, 100, 0},
  };
  for (const Caso& c : casos) {
    const int32_t alto = AltoFuenteQueCabe(c.texto.c_str(), c.fuente, c.ancho, c.alto, MedirFuente);
    EXPECT_EQ(alto, c.esperado) << c.texto.substr(0, 20) << " in " << c.ancho;
    if (alto < 1) continue;
    const MedidorTexto medir = [alto](const char* p, int32_t n) { return MedirFuente(p, n, alto); };
    std::vector<LineaJustificada> lineas;
    EXPECT_SIN_VERIFICAR(lineas = PartirTextoJustificado(c.texto.c_str(), c.ancho, c.alto, medir));
    if (!lineas.empty()) {
      EXPECT_LE(lineas.back().y + alto + alto / 5, c.alto) << c.texto.substr(0, 20);
    }
  }
}

}  // namespace
