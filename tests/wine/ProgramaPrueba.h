// The game's own windows in a test program: classes registered and the
// archive opened once per program, the message loop run, controls clicked
// with the real pointer over them (the controls ask where it is).
#pragma once

#include <windows.h>

#include <string>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Cut.h"
#include "Globales.h"
#include "InicioPrueba.h"
#include "NewPuzzleParams.h"
#include "Puzzle.h"

inline void PrepararPrograma() {
  static bool hecho = false;
  if (!hecho) {
    PrepararInicio();
    RegistrarClases(arranque.instancia);
    hecho = true;
  }
  if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos((arranque.carpeta + "Tessera.rf").c_str());
}

// A new 3 x 4 puzzle (or as asked) of the first shipped picture at the fit,
// on the screen's table; false when it could not be cut.
bool CortarPrimeraImagen(int32_t filas = 3, int32_t columnas = 4);

// Runs the message loop for `ms`, or until nothing is pending.
inline void Bombear(DWORD ms = 0) {
  const DWORD desde = GetTickCount();
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    if (ms) Sleep(5);
  } while (GetTickCount() - desde < ms);
}

inline LPARAM Pt(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A press and release at the middle of `control`, moved by (dx, dy).
inline void Clic(HWND control, int dx = 0, int dy = 0) {
  RECT r{};
  GetWindowRect(control, &r);
  const int x = (r.right - r.left) / 2 + dx, y = (r.bottom - r.top) / 2 + dy;
  SetCursorPos(r.left + x, r.top + y);
  Bombear();
  SendMessageA(control, WM_MOUSEMOVE, 0, Pt(x, y));
  SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, Pt(x, y));
  SendMessageA(control, WM_LBUTTONUP, 0, Pt(x, y));
  Bombear();
}

inline bool CortarPrimeraImagen(int32_t filas, int32_t columnas) {
  ClosePuzzle(true);
  if (!imagenActual.Abrir((arranque.carpeta + "Image\\1.bmp").c_str())) return false;
  MenuNuevoPrepararImagen();
  MenuNuevoZoomAjustar();
  puzzle.rows = filas, puzzle.cols = columnas;
  const bool cortado = NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size()));
  Bombear();
  return cortado;
}
