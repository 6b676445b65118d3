// The string ids of about.exe: each text at its base + the game's language
// index (0 Spanish, 1 English, 2 Portuguese, 3 Italian, 4 French, 5 German).
#pragma once

constexpr int kAcercaTitulo = 100;      // the window's caption
constexpr int kAcercaVersion = 110;     // the word before the number
constexpr int kAcercaDiseno = 120;      // the three credits: who did what
constexpr int kAcercaImagenes = 130;
constexpr int kAcercaLetras = 140;
constexpr int kAcercaEquipo = 150;      // the first two credits' answer
constexpr int kAcercaFuentes = 160;     // the third's
constexpr int kAcercaLicencia = 170;
constexpr int kAcercaPie = 180;         // how to close the window
constexpr int kAcercaBases[] = {kAcercaTitulo, kAcercaVersion, kAcercaDiseno, kAcercaImagenes, kAcercaLetras,
                                kAcercaEquipo, kAcercaFuentes, kAcercaLicencia, kAcercaPie};
