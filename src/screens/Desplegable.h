// What the tools and options windows share: a hidden child window that
// slides out over the table when the pointer reaches its bar, and folds
// away at the first check (every 100 ms) that finds the pointer outside.
#pragma once

#include <windows.h>

#include <vector>

class Desplegable {
 public:
  // `deslizar` paints the slide on the window's DC; then the buttons show.
  void Abrir(HWND ventana, const std::vector<HWND>& botones, void (*deslizar)(HDC));
  // WM_TIMER: folds away when the pointer, in client coordinates, lies
  // outside 0..ancho x 0..alto (bounds included).
  void Revisar(HWND ventana, const std::vector<HWND>& botones, int ancho, int alto);
  bool Abierto() const { return abierto_; }
  // The window is gone (its timer with it).
  void Olvidar() { abierto_ = false; }

 private:
  bool abierto_ = false;
};

constexpr UINT_PTR kTimerPlegar = 1;
constexpr UINT kPeriodoPlegar = 100;
