// Counting what a window shows: the pixels of a client rectangle read back
// through a 32-bit DIB, as 0x00RRGGBB; and what a picture holds, the same
// way, to compare with.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "HImage.h"
#include "ObjetosGDI.h"

// The pixels of client rectangle `r` of `hwnd`, row by row; empty when they
// cannot be read.
inline std::vector<uint32_t> Leer(HWND hwnd, RECT r) {
  const LONG w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return {};
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return {};
  DCVentana origen(hwnd);
  HDC memoria = CreateCompatibleDC(origen.Get());
  {
    Seleccion s(memoria, dib.Get());
    BitBlt(memoria, 0, 0, w, h, origen.Get(), r.left, r.top, SRCCOPY);
    GdiFlush();
  }
  DeleteDC(memoria);
  std::vector<uint32_t> v(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + w * h);
  for (uint32_t& c : v) c &= 0xFFFFFF;
  return v;
}

template <typename Condicion>
long Contar(HWND hwnd, RECT r, Condicion cumple) {
  const std::vector<uint32_t> v = Leer(hwnd, r);
  if (v.empty()) return -1;
  long n = 0;
  for (uint32_t c : v) n += cumple(c) ? 1 : 0;
  return n;
}

inline auto Igual(uint32_t color) {
  return [color](uint32_t c) { return c == color; };
}
// Not near black.
inline bool Claro(uint32_t c) { return (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) > 48; }
inline int Suma(uint32_t c) { return static_cast<int>((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF)); }

// Pixel (x, y), top-down, of an 8- or 24-bit picture as 0x00RRGGBB.
inline uint32_t ColorImagen(HIMAGE h, int32_t x, int32_t y) {
  const uint8_t* fila = FilaHIMAGE(h, y);
  if (h->biBitCount == 8) {
    const ColorRGBQ c = ColoresHIMAGE(h)[fila[x]];
    return static_cast<uint32_t>(c.rgbRed) << 16 | static_cast<uint32_t>(c.rgbGreen) << 8 | c.rgbBlue;
  }
  const uint8_t* p = fila + 3 * x;
  return static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[0];
}
