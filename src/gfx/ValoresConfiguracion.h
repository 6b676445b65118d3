// The values of the settings file as text: what each key's text names, and
// what a missing or unreadable one falls back to. No file access here.
#pragma once

#include <cstdint>

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
