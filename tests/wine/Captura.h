// What a window shows: the pixels of a client rectangle read back through
// a 32-bit DIB, as 0x00RRGGBB, counted, or compared with what a picture
// holds or with a picture file the test scaled by its own arithmetic.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
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

// Pixels as 0x00RRGGBB, top row first.
struct Lamina {
  int ancho = 0, alto = 0;
  std::vector<uint32_t> p;
  uint32_t En(int x, int y) const { return p[static_cast<size_t>(y * ancho + x)]; }
  int Canal(int x, int y, int c) const { return static_cast<int>((En(x, y) >> (8 * c)) & 0xFF); }  // 0 blue
};

// A window's whole client area, repainted first.
inline Lamina LeerVentana(HWND h) {
  RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT r{};
  GetClientRect(h, &r);
  Lamina c;
  c.p = Leer(h, r);
  if (!c.p.empty()) c.ancho = r.right, c.alto = r.bottom;
  return c;
}

// A BMP file of 8 or 24 bits decoded by the test itself, then averaged
// over the area each target pixel covers: the weights are the overlaps of
// [x W, (x + 1) W) with [i w, (i + 1) w) on a grid of w x W cells, exact
// in integers.
inline Lamina BmpPromediado(const std::string& ruta, int ancho, int alto) {
  std::ifstream f(ruta, std::ios::binary);
  const std::vector<uint8_t> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  const auto u32 = [&](size_t o) { return static_cast<uint32_t>(b[o] | b[o + 1] << 8 | b[o + 2] << 16 | b[o + 3] << 24); };
  const int w = static_cast<int>(u32(18)), hs = static_cast<int>(u32(22)), bits = b[28];
  const int h = std::abs(hs);
  const size_t pixeles = u32(10), tabla = 14 + u32(14);
  const size_t fila = static_cast<size_t>((w * bits + 31) / 32 * 4);
  // Colour of source pixel (x, y), y from the top.
  const auto fuente = [&](int x, int y, int c) -> double {
    const size_t f0 = pixeles + fila * static_cast<size_t>(hs > 0 ? h - 1 - y : y);
    if (bits == 24) return b[f0 + 3 * static_cast<size_t>(x) + static_cast<size_t>(c)];
    return b[tabla + 4 * static_cast<size_t>(b[f0 + static_cast<size_t>(x)]) + static_cast<size_t>(c)];
  };
  const auto pesos = [](int destino, int n, int N) {  // source span and overlaps of cell `destino`
    std::vector<std::pair<int, int64_t>> v;
    const int64_t a = static_cast<int64_t>(destino) * n, z = a + n;  // in cells of 1 / N of a source pixel
    for (int64_t i = a / N; i * N < z && i < n; ++i) {
      const int64_t dentro = std::min(z, (i + 1) * N) - std::max(a, i * N);
      if (dentro > 0) v.emplace_back(static_cast<int>(i), dentro);
    }
    return v;
  };
  Lamina c;
  c.ancho = ancho, c.alto = alto;
  c.p.resize(static_cast<size_t>(ancho * alto));
  for (int y = 0; y < alto; ++y) {
    const auto py = pesos(y, h, alto);
    for (int x = 0; x < ancho; ++x) {
      const auto px = pesos(x, w, ancho);
      uint32_t color = 0;
      for (int k = 0; k < 3; ++k) {
        double s = 0;
        for (const auto& [j, wj] : py)
          for (const auto& [i, wi] : px) s += static_cast<double>(wj * wi) * fuente(i, j, k);
        const auto v = static_cast<uint32_t>(s / (static_cast<double>(w) * h) + 0.5);
        color |= std::min(v, 255u) << (8 * k);
      }
      c.p[static_cast<size_t>(y * ancho + x)] = color;
    }
  }
  return c;
}

// Mean and largest channel difference between `vista` at (x0, y0) and
// `referencia`, leaving out a border of `margen` pixels and what falls
// outside the view.
struct Diferencia {
  double media = 0;
  int mayor = 0;
};
inline Diferencia Comparar(const Lamina& vista, int x0, int y0, const Lamina& referencia, int margen = 1) {
  Diferencia d;
  int64_t suma = 0, n = 0;
  for (int y = margen; y < referencia.alto - margen; ++y)
    for (int x = margen; x < referencia.ancho - margen; ++x)
      for (int k = 0; k < 3; ++k) {
        if (x0 + x < 0 || y0 + y < 0 || x0 + x >= vista.ancho || y0 + y >= vista.alto) continue;
        const int e = std::abs(vista.Canal(x0 + x, y0 + y, k) - referencia.Canal(x, y, k));
        suma += e, ++n;
        d.mayor = std::max(d.mayor, e);
      }
  d.media = n ? static_cast<double>(suma) / static_cast<double>(n) : 0;
  return d;
}
