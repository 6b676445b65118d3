#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

// The file is the player's to edit: every text gives a usable value. A
// track reads its first character; a language is one digit or English; the
// ghost picture shows only for exactly "1".
TEST(ValoresConfiguracion, AnyTextGivesALanguageAndATrack) {
  const struct { const char* texto; int32_t idioma, pista; bool fantasma; } casos[] = {
      {"0", 0, 0, false}, {"2", 2, 2, false}, {"4", 4, 4, false}, {"5", 5, 0, false}, {"6", 1, 0, false},
      {"7", 1, 0, false}, {"x", 1, 0, false}, {"-1", 1, 0, false}, {"12", 1, 1, false}, {"40", 1, 4, false},
      {"05", 1, 0, false}, {"3abc", 1, 3, false}, {" 3", 1, 0, false}, {"/", 1, 0, false}, {"", 1, 0, false},
      {nullptr, 1, 0, false}, {"1", 1, 1, true}, {"10", 1, 1, false}, {" 1", 1, 0, false}};
  for (const auto& c : casos) {
    EXPECT_EQ(IdiomaDeTexto(c.texto), c.idioma) << (c.texto ? c.texto : "null");
    EXPECT_EQ(PistaDeTexto(c.texto), c.pista) << (c.texto ? c.texto : "null");
    EXPECT_EQ(FantasmaDeTexto(c.texto), c.fantasma) << (c.texto ? c.texto : "null");
  }
}
