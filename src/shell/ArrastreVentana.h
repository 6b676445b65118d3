// Moving a caption-less window by dragging its surface: the press captures
// the mouse, each move shifts the window by the pointer's travel, the
// release or a capture taken by another window ends it. One per window
// class (only one window holds the capture at a time).
#pragma once

#include <windows.h>

class ArrastreVentana {
 public:
  // WM_LBUTTONDOWN on the window's own surface.
  void Presionar(HWND hwnd) {
    if (moviendo_) return;
    moviendo_ = true;
    GetCursorPos(&ultimo_);
    SetCapture(hwnd);
  }
  // WM_MOUSEMOVE.
  void Mover(HWND hwnd) {
    if (!moviendo_) return;
    POINT p;
    GetCursorPos(&p);
    if (p.x == ultimo_.x && p.y == ultimo_.y) return;
    RECT r;
    GetWindowRect(hwnd, &r);
    POINT esquina{r.left + p.x - ultimo_.x, r.top + p.y - ultimo_.y};
    // A child moves in its parent's client coordinates.
    if (HWND padre = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr)
      ScreenToClient(padre, &esquina);
    SetWindowPos(hwnd, nullptr, esquina.x, esquina.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    ultimo_ = p;
  }
  // WM_LBUTTONUP.
  void Soltar() {
    if (!moviendo_) return;
    moviendo_ = false;
    ReleaseCapture();
  }
  // WM_CAPTURECHANGED: lParam is the window taking the capture.
  void CapturaPerdida(HWND hwnd, HWND nueva) {
    if (moviendo_ && nueva != hwnd) moviendo_ = false;
  }
  bool Moviendo() const { return moviendo_; }

  // The four mouse messages above, for a window procedure to hand over
  // whole; answers 0 as each of them expects.
  LRESULT Atender(HWND hwnd, UINT msg, LPARAM lParam) {
    switch (msg) {
      case WM_LBUTTONDOWN: Presionar(hwnd); break;
      case WM_MOUSEMOVE: Mover(hwnd); break;
      case WM_LBUTTONUP: Soltar(); break;
      case WM_CAPTURECHANGED: CapturaPerdida(hwnd, reinterpret_cast<HWND>(lParam)); break;
      default: break;
    }
    return 0;
  }

 private:
  bool moviendo_ = false;
  POINT ultimo_{};
};
