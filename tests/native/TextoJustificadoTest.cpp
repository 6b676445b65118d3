// Line breaking of the justified text, with a monospace measurer: 10 px a
// character, 20 px high, but a run of spaces only 12 px high.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AyudaVerificar.h"
#include "TablaTextos.h"
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

// ---- The pictures' descriptions of the string table -----------------------

// A proportional face: narrow punctuation, wide capitals, 1.2 x as high as
// its size; near a bold sans face's widths, somewhat wider.
Punto MedirProporcional(const char* p, int32_t n, int32_t f) {
  int32_t ancho = 0;
  for (int32_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    ancho += std::string(" .,:;'|il!").find(static_cast<char>(c)) != std::string::npos ? 6
             : std::string("mwMW").find(static_cast<char>(c)) != std::string::npos  ? 18
             : (c >= 'A' && c <= 'Z') || c >= 0xC0                                 ? 14
                                                                                    : 11;
  }
  return {ancho * f / 18, f + f / 5};
}

std::vector<int> IdsDescripciones(const TablaTextos& tabla) {
  std::vector<int> ids;
  for (const auto& [id, texto] : tabla.textos)
    if ((id >= 6001 && id <= 6015) || (id >= 6110 && id <= 6255)) ids.push_back(id);
  return ids;
}

// Every text of every language, where the preview writes it (700 px wide,
// 166 px high under a 288 px picture, 17 px at most) and where an A4 page
// at 300 dpi prints it (2231 x 804, 67 px at most): a font that fits, a
// layout that never stops on a programming error, each field on lines of
// its own and no bar drawn.
TEST(TextoJustificado, EveryDescriptionFitsThePreviewAndThePrintedPage) {
  const TablaTextos tabla = LeerTablaTextos();
  const std::vector<int> ids = IdsDescripciones(tabla);
  ASSERT_EQ(ids.size(), 15u * 6) << "15 English texts and 15 in each of the five other languages";
  const struct {
    int32_t fuente, ancho, alto, minima;
  } areas[] = {{17, 700, 166, 11}, {67, 2231, 804, 50}};
  for (int id : ids)
    for (const auto& a : areas) {
      const std::string& texto = tabla.textos.at(id);
      const int32_t alto = AltoFuenteQueCabe(texto.c_str(), a.fuente, a.ancho, a.alto, MedirProporcional);
      EXPECT_GE(alto, a.minima) << id << " in " << a.ancho;
      if (alto < 1) continue;
      const MedidorTexto medir = [alto](const char* p, int32_t n) { return MedirProporcional(p, n, alto); };
      std::vector<LineaJustificada> lineas;
      EXPECT_SIN_VERIFICAR(lineas = PartirTextoJustificado(texto.c_str(), a.ancho, a.alto, medir)) << id;
      ASSERT_FALSE(lineas.empty()) << id;
      EXPECT_LE(lineas.back().y + alto + alto / 5, a.alto) << id << " in " << a.ancho;
      for (size_t p = texto.find(" | "); p != std::string::npos; p = texto.find(" | ", p + 3)) {
        const auto empieza = [&](const LineaJustificada& l) { return l.inicio == static_cast<int32_t>(p + 3); };
        EXPECT_TRUE(std::any_of(lineas.begin(), lineas.end(), empieza)) << id << ": field at " << p;
      }
      for (const LineaJustificada& l : lineas)
        EXPECT_EQ(std::string(texto, static_cast<size_t>(l.inicio), static_cast<size_t>(l.longitud)).find('|'),
                  std::string::npos)
            << id;
    }
}

// The resource compiler turns what Windows-1252 lacks into '?' without a
// word.
TEST(TablaTextos, EveryTextIsInWindows1252) {
  const TablaTextos tabla = LeerTablaTextos();
  EXPECT_GT(tabla.textos.size(), 200u);
  for (const auto& [id, texto] : tabla.fuera) ADD_FAILURE() << id << ": " << texto;
}

}  // namespace
