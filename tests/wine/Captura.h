// Counting what a window shows: the pixels of a client rectangle read back
// through a 32-bit DIB, as 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ObjetosGDI.h"

template <typename Condicion>
long Contar(HWND hwnd, RECT r, Condicion cumple) {
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return -1;
  DCVentana origen(hwnd);
  HDC memoria = CreateCompatibleDC(origen.Get());
  {
    Seleccion s(memoria, dib.Get());
    BitBlt(memoria, 0, 0, w, h, origen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  DeleteDC(memoria);
  long n = 0;
  for (LONG i = 0; i < w * h; ++i) n += cumple(static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF) ? 1 : 0;
  return n;
}

inline auto Igual(uint32_t color) {
  return [color](uint32_t c) { return c == color; };
}
// Not near black.
inline bool Claro(uint32_t c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) > 48; }
