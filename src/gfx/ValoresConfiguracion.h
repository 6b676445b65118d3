// The values of the settings file as text: what each key's text names, and
// what a missing or unreadable one falls back to. No file access here.
#pragma once

#include <cstdint>
#include <string>

// The settings file, in the folder of the player's files, and its section.
constexpr char kArchivoConfiguracion[] = "Tessera.ini";
constexpr char kSeccionConfiguracion[] = "Tessera";

constexpr int32_t kIdiomas = 6;          // 0 Spanish ... 5 German
constexpr int32_t kIdiomaInicial = 1;    // English

// "Track": the first character, a digit 0-4; anything else gives 0
// (so "3abc" is track 3).
int32_t PistaDeTexto(const char* texto);
// "Idioma": exactly one digit 0-5, as the program writes it; anything
// else, "3abc" and "05" included, gives kIdiomaInicial.
int32_t IdiomaDeTexto(const char* texto);
// "Ghost": "1" shows the ghost picture; anything else, a missing key
// included, leaves it off.
bool FantasmaDeTexto(const char* texto);
// "Turned": "1" cuts new puzzles with turned pieces; anything else, a
// missing key included, cuts them upright.
bool GiradasDeTexto(const char* texto);

// The text of a settings file with `clave`=`valor` in section `seccion`:
// the key's first line in that section is replaced, or the key is added
// after the section's last line, or the section at the end. Names compare
// without case and spaces around them, as the system's profile calls read
// them; every other line stays as it was. New lines end in CR LF.
std::string PonerValorIni(std::string texto, const char* seccion, const char* clave, const char* valor);
