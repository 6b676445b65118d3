// COVSLIDE: created by the music window for its volumes. It shows black
// until its picture logic exists; every control message answers 1.
#include "Deslizador.h"

#include "Controles.h"

LRESULT CALLBACK ProcDeslizador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: return PintarNegro(hwnd);
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
