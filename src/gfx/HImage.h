// HIMAGE: a device-independent bitmap in one memory block, drawn without a
// device context ("modo no gdi").
//
//   offset 0     40-byte BITMAPINFOHEADER (biHeight > 0: rows bottom-up)
//   offset 40    colour table area, room for 256 RGBQUAD entries
//   offset 1064  pixel rows, bottom row first, each padded to 4 bytes
//
// Coordinates given to every operation are top-down: row y of an image of
// height H is stored at row index H - 1 - y.
#pragma once

#include <cstdint>

#include "Binario.h"

using HIMAGE = CabeceraInfoBMP*;

constexpr int kHImagenColores = 40;
constexpr int kHImagenPixeles = 1064;

// Raster operations understood in memory (same values as the GDI ones).
constexpr uint32_t ROP_SRCCOPY = 0x00CC0020;
constexpr uint32_t ROP_SRCAND = 0x008800C6;
constexpr uint32_t ROP_SRCINVERT = 0x00660046;

// Allocates a block of kHImagenPixeles + bytesPixeles bytes (contents
// undefined); nullptr when there is no memory. Free with LiberarHIMAGE.
HIMAGE AsignarHIMAGE(int64_t bytesPixeles);
void LiberarHIMAGE(HIMAGE imagen);

inline ColorRGBQ* ColoresHIMAGE(HIMAGE h) {
  return reinterpret_cast<ColorRGBQ*>(reinterpret_cast<uint8_t*>(h) + kHImagenColores);
}
inline uint8_t* PixelesHIMAGE(HIMAGE h) { return reinterpret_cast<uint8_t*>(h) + kHImagenPixeles; }

// Row stride for 8 bits (width + 3 & ~3) and every other depth taken as 24.
inline int32_t StrideHIMAGE(const CabeceraInfoBMP* c) {
  return c->biBitCount == 8 ? ((c->biWidth + 3) & ~3) : ((3 * c->biWidth + 3) & ~3);
}
// Start of top-down row y.
inline uint8_t* FilaHIMAGE(HIMAGE h, int32_t y) {
  return PixelesHIMAGE(h) + static_cast<int64_t>(h->biHeight - 1 - y) * StrideHIMAGE(h);
}

// Copies biBitCount, biClrUsed and the used colour entries (pixels untouched).
void CopiarPaleta(HIMAGE origen, HIMAGE destino);

// Copies a rectangle of pixels, clipped to both images, combining with
// SRCCOPY, SRCAND or SRCINVERT. 8 and 24 bits per pixel only.
void TransferirHIMAGE(HIMAGE destino, int32_t x, int32_t y, int32_t ancho, int32_t alto,
                      HIMAGE origen, int32_t xOrigen, int32_t yOrigen, uint32_t rop);

// A new picture `factor` times as wide and high, each pixel repeated into
// a factor x factor block (never smoothed), with the same palette and
// masks; 8, 16, 24 or 32 bits per pixel. Null without memory or when the
// result would exceed a 32-bit image size.
HIMAGE AmpliarHIMAGE(HIMAGE origen, int32_t factor);
