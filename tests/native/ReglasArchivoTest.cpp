#include <gtest/gtest.h>

#include <string>

#include "ReglasArchivo.h"

namespace {

TEST(ReglasArchivo, SaveNames) {
  // Names that merely look like devices are the player's to use.
  for (const char* n : {"partida 1", " lejos ", "\xD1" "and\xFA", "consola", "COM10", "COM0", "LPT", "CONOUT"})
    EXPECT_EQ(ComprobarNombreGuardado(n), NombreGuardado::valido) << n;
  for (const char* n : {"   ", "con", "CON", "Nul  ", "con.txt", "aux. ", "prn", "com1", "LPT9", "com\xB9", "CONOUT$",
                        "a.b", "a/b", "a\\b", "c:x", "why?", "*", "<a>", "a|b", "say \"hi\"", "tab\there", "new\nline"})
    EXPECT_EQ(ComprobarNombreGuardado(n), NombreGuardado::invalido) << n;
  EXPECT_EQ(ComprobarNombreGuardado(""), NombreGuardado::vacio);
  EXPECT_EQ(ComprobarNombreGuardado(nullptr), NombreGuardado::vacio);
  // Typing keeps out only separators and wildcards: editing keys (backspace,
  // paste) and ordinary text reach the field.
  for (unsigned char c : std::string("\"*./:<>?\\|")) EXPECT_TRUE(CaracterVetadoNombre(c)) << c;
  for (unsigned char c : {'a', ' ', '-', '$', '\b', '\x16', '\0', '\xE9'}) EXPECT_FALSE(CaracterVetadoNombre(c)) << +c;
}

TEST(ReglasArchivo, LabelsAreTheWholeNameUpToTheDot) {
  const char* casos[][2] = {{"juego.epf", "juego"}, {"Allosaurus half.epf", "Allosaurus half"},
                            {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxyz"}, {"a.b.epf", "a"},
                            {".epf", ""}, {nullptr, ""}};
  for (const auto& c : casos) EXPECT_EQ(EtiquetaArchivo(c[0]), c[1]) << (c[0] ? c[0] : "null");
}

TEST(ReglasArchivo, SelectionStaysOnAFile) {
  const struct {
    int32_t seleccion, cantidad, esperado;
  } casos[] = {{2, 5, 2}, {4, 4, 3}, {9, 3, 2}, {0, 1, 0}, {0, 0, -1}, {3, 0, -1}, {-1, 2, 0}};
  for (const auto& c : casos)
    EXPECT_EQ(SeleccionValida(c.seleccion, c.cantidad), c.esperado) << c.seleccion << " of " << c.cantidad;
}

}  // namespace
