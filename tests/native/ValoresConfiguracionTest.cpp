#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

// The file is the player's to edit: every text gives a usable value. A
// track reads its first character; a language is one digit or English.
TEST(ValoresConfiguracion, AnyTextGivesALanguageAndATrack) {
  const struct { const char* texto; int32_t idioma, pista; } casos[] = {
      {"0", 0, 0}, {"2", 2, 2}, {"4", 4, 4}, {"5", 5, 0}, {"6", 1, 0}, {"7", 1, 0}, {"x", 1, 0}, {"-1", 1, 0},
      {"12", 1, 1}, {"40", 1, 4}, {"05", 1, 0}, {"3abc", 1, 3}, {" 3", 1, 0}, {"/", 1, 0}, {"", 1, 0}, {nullptr, 1, 0}};
  for (const auto& c : casos) {
    EXPECT_EQ(IdiomaDeTexto(c.texto), c.idioma) << (c.texto ? c.texto : "null");
    EXPECT_EQ(PistaDeTexto(c.texto), c.pista) << (c.texto ? c.texto : "null");
  }
}
