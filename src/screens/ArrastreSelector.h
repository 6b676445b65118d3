// The two choosers' drag: a press captures the pointer and shows the drag
// cursor; the release, a capture taken by another window or the chooser's
// end stop it and put the chooser cursor back. `Inicio` is what the drag
// started from (the zoom, the piece size). One per chooser class.
#pragma once

#include <windows.h>

#include "Punto.h"
#include "SelectorCantidad.h"

template <typename Inicio>
class ArrastreSelector {
 public:
  bool Activo() const { return activo_; }
  // The press point and what the drag started from.
  Punto Presion() const { return presion_; }
  Inicio Origen() const { return origen_; }

  // WM_LBUTTONDOWN that starts a drag.
  void Presionar(HWND hwnd, Punto presion, Inicio origen) {
    SetCapture(hwnd);
    activo_ = true;
    presion_ = presion;
    origen_ = origen;
    PonerCursorSelector(hwnd, true, true);
  }
  // WM_LBUTTONUP. Stopped first: releasing the capture reports
  // WM_CAPTURECHANGED at once.
  void Soltar(HWND hwnd) {
    if (!activo_) return;
    Terminar(hwnd, true);
    ReleaseCapture();
  }
  // WM_CAPTURECHANGED (lParam the window taking it) and WM_DESTROY. The
  // class cursor is shared by every chooser of the class to come: a drag cut
  // short must not leave it as the drag cursor.
  void CapturaPerdida(HWND hwnd, HWND nueva) {
    if (activo_ && nueva != hwnd) Terminar(hwnd, false);
  }
  void Destruida(HWND hwnd) {
    if (activo_) Terminar(hwnd, false);
  }

 private:
  void Terminar(HWND hwnd, bool cursorActual) {
    activo_ = false;
    PonerCursorSelector(hwnd, false, cursorActual);
  }

  bool activo_ = false;
  Punto presion_{};
  Inicio origen_{};
};
