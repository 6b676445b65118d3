// The Proyector's device-context destinations and window invalidation.
#include <windows.h>

#include "DibujoHIMAGE.h"
#include "Proyector.h"
#include "Verificar.h"

namespace {
HDC D(void* h) { return static_cast<HDC>(h); }
}  // namespace

void Proyector::Destino(HWND ventana) {
  if (Verificar(!ventana, "Proyector::Destino: Se declaró un Hwnd nulo")) return;
  hwndDestino = ventana;
}

void Proyector::Destino(HDC dc) {
  if (Verificar(!dc, "Proyector:Destino: Se declaró un Hdc nulo")) return;
  // A saved area and its FondoDC belong to the other kind of destination.
  if (!destinoGDI) {
    fondo.reset();
    guardado = false;
  }
  destino = dc;
  destinoGDI = true;
}

void Proyector::GuardarDC(int32_t x, int32_t y) {
  BitBlt(fondo->Hdc(), 0, 0, anchoCuadro, altoCuadro, D(destino), x, y, SRCCOPY);
}

void Proyector::RestaurarDC() {
  const Punto tamaño = fondo->Tamaño();
  BitBlt(D(destino), xFondo, yFondo, tamaño.x, tamaño.y, fondo->Hdc(), 0, 0, SRCCOPY);
}

// DibujarHIMAGE refuses every raster operation but SRCCOPY: masked drawing
// onto a device context is a programming error.
void Proyector::DibujarDC(int32_t x, int32_t y, Punto origen, uint32_t rop) {
  DibujarHIMAGE(D(destino), x, y, anchoCuadro, altoCuadro, tira, origen.x, origen.y, rop);
}

void Proyector::InvalidarVentana(int32_t x, int32_t y, int32_t ancho, int32_t alto, bool borrar) const {
  const RECT r{x, y, x + ancho, y + alto};
  InvalidateRect(static_cast<HWND>(hwndDestino), &r, borrar);
}
