// What the tools and options windows share, and what their two bars share.
//
// A fold-out window is a hidden child of the main window with a tiled
// background and a row of animated buttons; it slides out over the table
// when the pointer reaches its bar and folds away at the first check
// (every 100 ms) that finds the pointer outside it. The slide is paced by
// the clock and leaves the input free: a press on the window while it
// slides finishes the slide at once, and does nothing else.
//
// A button that comes to rest under a pointer that has not moved onto it
// (the player aimed at the bar's tab, or pressed to finish the slide) stays
// deaf until the pointer has left it or moved on it (the system's drag
// distance): a click meant for the tab never reaches the button that slid
// under it.
//
// A bar is a strip along an edge of the play screen with a tiled background
// and a tab label; the pointer on either opens the bar's fold-out window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "ControlDC.h"
#include "Deslizamiento.h"

constexpr UINT_PTR kTimerPlegar = 1;
constexpr UINT kPeriodoPlegar = 100;
// The slide's frames: as often as a timer goes.
constexpr UINT_PTR kTimerDeslizar = 2;
constexpr UINT kPeriodoDeslizar = USER_TIMER_MINIMUM;

class Desplegable {
 public:
  struct Forma {
    uint32_t fondo;  // archive picture
    // Designed measures (the interface's factor applies).
    int32_t anchoTesela, altoTesela;
    // Where the background's corner starts its slide toward (0, 0): one
    // of the two is 0, the slide runs along the other.
    int32_t xInicio, yInicio;
    // WM_CREATE, once the background is loaded: AgregarBoton for each.
    void (*crearBotones)(Desplegable& desplegable);
    // A completed click on button `boton`.
    void (*clic)(int boton);
    // The buttons' tooltips: string-table text, one line per button.
    int32_t textoGlobos;
  };
  explicit Desplegable(const Forma& forma) : forma_(forma) {}

  // The window procedure, for every message.
  LRESULT Procesar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Buttons are made hidden, in order.
  void AgregarBoton(int x, int y, uint32_t imagen);

  // Starts the slide; the buttons show and the fold-away check starts
  // when it ends. Nothing while it is out.
  void Abrir();

  HWND Ventana() const { return ventana_; }
  HWND Boton(int indice) const;
  bool Abierto() const { return abierto_; }
  bool Deslizando() const { return deslizamiento_.Activo(); }

 private:
  LRESULT OnCreate(HWND hwnd);
  LRESULT OnDestroy();
  LRESULT OnPaint();
  LRESULT OnTimer(UINT_PTR id);
  LRESULT OnNotificacion(int codigo, HWND control);
  // The background with its corner at the slide's place `posicion`.
  void DibujarCuadro(HDC hdc, int32_t posicion) const;
  void Avanzar();
  void TerminarDeslizamiento();
  // Folds away when the pointer lies outside the window (bounds included).
  void Revisar();
  // The shown button under the pointer, or null.
  HWND BotonBajoPuntero() const;
  // Whether the pointer has moved from where the deaf button came to rest.
  bool PunteroSeMovio() const;

  const Forma forma_;
  HWND ventana_ = nullptr;
  std::unique_ptr<ControlDC> fondo_;
  std::vector<std::unique_ptr<ControlDC>> imagenes_;
  std::vector<HWND> botones_;
  bool abierto_ = false;
  Deslizamiento deslizamiento_;
  // The button that came to rest under the pointer, until the pointer leaves it.
  HWND sordo_ = nullptr;
  POINT puntoSordo_{};
};

class BarraDesplegable {
 public:
  // `etiqueta`: the tab's picture number for language 0; the tile's
  // measures are designed ones.
  BarraDesplegable(uint32_t fondo, uint32_t etiqueta, int32_t anchoTesela, int32_t altoTesela, void (*abrir)())
      : numeroFondo_(fondo), numeroEtiqueta_(etiqueta), anchoTesela_(anchoTesela), altoTesela_(altoTesela),
        abrir_(abrir) {}

  // The bar's window procedure, for every message; the tab stands at (x, y),
  // in screen pixels.
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
