// CWNDPROGRESO: a small window over the game while long work runs (a photo
// prepared, a large puzzle cut, a game opened): what is being done, and a
// brass bar for how far along. It shows only once the work has taken half
// a second, so quick work never flashes it.
//
//   TrabajoLargo trabajo(kTextoCortando);
//   ... AvanzarTrabajo(0.4); ...   // from anywhere below, while it runs
#pragma once

#include <windows.h>

#include <cstdint>

// Texts, + language.
constexpr int32_t kTextoPreparando = 920;  // a photo prepared for the table
constexpr int32_t kTextoCortando = 926;    // a puzzle cut
constexpr int32_t kTextoAbriendo = 932;    // a saved game opened

bool RegistrarProgreso(HINSTANCE instancia);

class TrabajoLargo {
 public:
  explicit TrabajoLargo(int32_t textoBase);
  ~TrabajoLargo();
  TrabajoLargo(const TrabajoLargo&) = delete;
  TrabajoLargo& operator=(const TrabajoLargo&) = delete;

 private:
  TrabajoLargo* anterior_;
};

// How far the running work is, 0 to 1 (never back); nothing without one.
void AvanzarTrabajo(double fraccion);
// The window while it shows (for tests), else null.
HWND VentanaProgreso();
