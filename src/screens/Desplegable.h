// What the tools and options windows share, and what their two bars share.
//
// A fold-out window is a hidden child of the main window with a tiled
// background and a row of animated buttons; it slides out over the table
// when the pointer reaches its bar and folds away at the first check
// (every 100 ms) that finds the pointer outside it.
//
// A bar is a strip along an edge of the play screen with a tiled background
// and a tab label; the pointer on either opens the bar's fold-out window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ControlDC.h"

constexpr UINT_PTR kTimerPlegar = 1;
constexpr UINT kPeriodoPlegar = 100;

class Desplegable {
 public:
  Desplegable(uint32_t fondo, int32_t anchoTesela, int32_t altoTesela)
      : numeroFondo_(fondo), anchoTesela_(anchoTesela), altoTesela_(altoTesela) {}

  // WM_CREATE: the background; then each button, hidden, in order.
  void Crear(HWND ventana);
  void AgregarBoton(int x, int y, uint32_t imagen);
  // WM_DESTROY.
  void Destruir();

  // Slides the window out (`deslizar` paints the slide on its DC), then
  // shows the buttons and starts the fold-away check. Nothing while it is out.
  void Abrir(void (*deslizar)(HDC));
  // WM_TIMER: folds away when the pointer, in client coordinates, lies
  // outside 0..ancho x 0..alto (bounds included).
  void Revisar(int ancho, int alto);
  // WM_PAINT: the background tiled from the window's corner.
  void Pintar();
  // A button's notification: the animated feedback, then `clic` with the
  // button's index on a completed click. False when `control` is not one.
  bool Notificar(HWND control, int codigo, void (*clic)(int boton));

  HWND Ventana() const { return ventana_; }
  HIMAGE Fondo() const;
  HWND Boton(int indice) const;
  bool Abierto() const { return abierto_; }

 private:
  const uint32_t numeroFondo_;
  const int32_t anchoTesela_, altoTesela_;
  HWND ventana_ = nullptr;
  std::unique_ptr<ControlDC> fondo_;
  std::vector<std::unique_ptr<ControlDC>> imagenes_;
  std::vector<HWND> botones_;
  bool abierto_ = false;
};

class BarraDesplegable {
 public:
  // `etiqueta`: the tab's picture number for language 0.
  BarraDesplegable(uint32_t fondo, uint32_t etiqueta, int32_t anchoTesela, int32_t altoTesela, void (*abrir)())
      : numeroFondo_(fondo), numeroEtiqueta_(etiqueta), anchoTesela_(anchoTesela), altoTesela_(altoTesela),
        abrir_(abrir) {}

  // The bar's window procedure, for every message; the tab stands at (x, y).
  LRESULT Procesar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int xEtiqueta, int yEtiqueta);
  HWND Ventana() const { return ventana_; }
  // The tab's picture in the current language.
  void CambiarIdioma();

 private:
  LRESULT OnCreate(HWND hwnd, int xEtiqueta, int yEtiqueta);
  LRESULT OnDestroy();
  LRESULT OnPaint(HWND hwnd);
  LRESULT OnNotificacion(int codigo, HWND control);

  const uint32_t numeroFondo_, numeroEtiqueta_;
  const int32_t anchoTesela_, altoTesela_;
  void (*const abrir_)();
  HWND ventana_ = nullptr;
  HWND etiqueta_ = nullptr;
  std::unique_ptr<ControlDC> fondo_, imagenEtiqueta_;
};

// Registers a fold-out window or bar class (CS_OWNDC, arrow, no brush).
bool RegistrarClaseDesplegable(HINSTANCE instancia, const char* clase, WNDPROC procedimiento);
