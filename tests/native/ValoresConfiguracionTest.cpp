#include "ValoresConfiguracion.h"

#include <gtest/gtest.h>

// The file is the player's to edit: every text gives a usable value. A
// track reads its first character; a language is one digit or English; the
// ghost picture shows and the pieces are turned only for exactly "1".
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
    EXPECT_EQ(GiradasDeTexto(c.texto), c.fantasma) << (c.texto ? c.texto : "null");
  }
}

// A value is set where the profile calls would read it (names without case
// or spaces, the first of two keys); the rest of the player's file stays.
TEST(ValoresConfiguracion, AValueIsSetAndTheRestOfTheFileKept) {
  const struct { const char* antes; const char* despues; } casos[] = {
      {"", "[Tessera]\r\nIdioma=3\r\n"},
      {"; mine\n[ tessera ]\n  IDIOMA = 0\nidioma=5\n", "; mine\n[ tessera ]\nIdioma=3\r\nidioma=5\n"},
      {"[Tessera]\nTrack=2\nIdioma\n\n[Otra]\nIdioma=0", "[Tessera]\nTrack=2\nIdioma\nIdioma=3\r\n\n[Otra]\nIdioma=0\r\n"},
      {"[Otra]\nIdioma=0\n", "[Otra]\nIdioma=0\n[Tessera]\r\nIdioma=3\r\n"},
  };
  for (const auto& c : casos) EXPECT_EQ(PonerValorIni(c.antes, "Tessera", "Idioma", "3"), c.despues) << c.antes;
}
