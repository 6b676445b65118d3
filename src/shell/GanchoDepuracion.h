// Hooks for tests that drive the real program from outside; off unless
// their environment variables are set.
//   TESSERA_DEBUG_DUMP=C:\path\dump.txt  the puzzle's state is written
//     there once the message that changed it (a move, an undo, a cut, an
//     opened game: see NoteStateChange) has been handled, with the measured
//     times of presses, drag steps, drops, zooms and pans of the table,
//     photos prepared, cuts, saves and opened games
//   TESSERA_DEBUG_NEW=Image\3.bmp,4,5,0  a puzzle (picture relative to the
//     program's folder or absolute, rows, columns, die 0-2) is cut at
//     start-up; a photo is converted for the table first
#pragma once

#include <windows.h>

#include <cstdint>

// Whether the dump is on (read once).
bool DepuracionActiva();

// Rewrites the dump file when the dump is on and the puzzle changed since
// it was last written; the message loop calls it before it waits.
void VolcarSiCambio();

// Cuts the start-up puzzle when one is asked for; needs the main window.
void IniciarPuzzleDepuracion();

enum class Medida { Presion, Arrastre, Soltar, SoltarEncaje, Zoom, Desplazamiento, Preparacion, Corte, Guardado, Apertura };

// Times an operation while the dump is on: from construction to Anotar.
class Cronometro {
 public:
  Cronometro();
  void Anotar(Medida medida);

 private:
  LARGE_INTEGER inicio_{};
  bool activo_;
};

// A change of the table's view (a zoom or a pan) from construction to the
// end of its scope: window `mesa` is painted then, and the time to that
// paint noted as `medida`; nothing is noted when the view did not move.
class CronometroVista {
 public:
  CronometroVista(Medida medida, HWND mesa);
  ~CronometroVista();
  CronometroVista(const CronometroVista&) = delete;
  CronometroVista& operator=(const CronometroVista&) = delete;

 private:
  Cronometro cronometro_;
  Medida medida_;
  HWND mesa_;
  uint32_t cambios_;
};
