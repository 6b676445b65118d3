#include "Desplegable.h"

#include "ComunVentanas.h"
#include "ObjetosGDI.h"

void Desplegable::Abrir(HWND ventana, const std::vector<HWND>& botones, void (*deslizar)(HDC)) {
  if (abierto_) return;
  abierto_ = true;
  MostrarSinActivar(ventana);
  {
    DCVentana dc(ventana);
    deslizar(dc.Get());
  }
  for (HWND b : botones) MostrarSinActivar(b);
  // The slide painted the window: what it invalidated need not be painted again.
  ValidateRect(ventana, nullptr);
  SetTimer(ventana, kTimerPlegar, kPeriodoPlegar, nullptr);
}

void Desplegable::Revisar(HWND ventana, const std::vector<HWND>& botones, int ancho, int alto) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(ventana, &p);
  if (p.x >= 0 && p.x <= ancho && p.y >= 0 && p.y <= alto) return;
  KillTimer(ventana, kTimerPlegar);
  abierto_ = false;
  OcultarVentana(ventana);
  for (HWND b : botones) OcultarVentana(b);
}
