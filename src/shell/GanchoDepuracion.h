// Hooks for tests that drive the real program from outside; off unless
// their environment variables are set.
//   TESSERA_DEBUG_DUMP=C:\path\dump.txt  the puzzle's state is written
//     there after every cut, drop, solve, hint and opened game, with the
//     measured times of presses, drag steps and drops
//   TESSERA_DEBUG_NEW=Image\3.bmp,4,5,0  a puzzle (picture relative to the
//     program's folder or absolute, rows, columns, die 0-2) is cut at
//     start-up; a photo is converted for the table first
#pragma once

#include <windows.h>

#include <cstdint>

// Whether the dump is on (read once).
bool DepuracionActiva();

// Rewrites the dump file when the dump is on.
void VolcarPuzzle();

// Cuts the start-up puzzle when one is asked for; needs the main window.
void IniciarPuzzleDepuracion();

// Every fit sound is counted: a drop that made one is timed as a fit.
void ContarEncaje();
uint32_t EncajesSonados();

enum class Medida { Presion, Arrastre, Soltar, SoltarEncaje };

// Times an operation while the dump is on: from construction to Anotar.
class Cronometro {
 public:
  Cronometro();
  void Anotar(Medida medida);

 private:
  LARGE_INTEGER inicio_{};
  bool activo_;
};
