// Fixed binary layouts shared by the bitmap readers, the archive and the
// puzzle files, and the one place where little-endian values are read and
// written.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

static_assert(std::endian::native == std::endian::little,
              "the in-memory picture layout is little-endian");

inline uint16_t LeerU16(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}
inline uint32_t LeerU32(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
         (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}
inline int32_t LeerI32(const void* p) { return static_cast<int32_t>(LeerU32(p)); }
inline uint64_t LeerU64(const void* p) {
  const auto* b = static_cast<const uint8_t*>(p);
  return static_cast<uint64_t>(LeerU32(b)) | (static_cast<uint64_t>(LeerU32(b + 4)) << 32);
}
inline void EscribirU16(void* p, uint16_t v) {
  auto* b = static_cast<uint8_t*>(p);
  b[0] = static_cast<uint8_t>(v);
  b[1] = static_cast<uint8_t>(v >> 8);
}
inline void EscribirU32(void* p, uint32_t v) {
  auto* b = static_cast<uint8_t*>(p);
  for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>(v >> (8 * i));
}
inline void EscribirI32(void* p, int32_t v) { EscribirU32(p, static_cast<uint32_t>(v)); }
inline void EscribirU64(void* p, uint64_t v) {
  auto* b = static_cast<uint8_t*>(p);
  EscribirU32(b, static_cast<uint32_t>(v));
  EscribirU32(b + 4, static_cast<uint32_t>(v >> 32));
}

// BITMAPINFOHEADER, as it stands in files, in the archive and at the head
// of every HIMAGE.
struct CabeceraInfoBMP {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
static_assert(sizeof(CabeceraInfoBMP) == 40);

// The 40 bytes of an info header as files keep them.
inline void EscribirCabeceraInfoBMP(void* destino, const CabeceraInfoBMP& c) {
  auto* p = static_cast<uint8_t*>(destino);
  EscribirU32(p, c.biSize);
  EscribirI32(p + 4, c.biWidth);
  EscribirI32(p + 8, c.biHeight);
  EscribirU16(p + 12, c.biPlanes);
  EscribirU16(p + 14, c.biBitCount);
  EscribirU32(p + 16, c.biCompression);
  EscribirU32(p + 20, c.biSizeImage);
  EscribirI32(p + 24, c.biXPelsPerMeter);
  EscribirI32(p + 28, c.biYPelsPerMeter);
  EscribirU32(p + 32, c.biClrUsed);
  EscribirU32(p + 36, c.biClrImportant);
}

// RGBQUAD: one colour-table entry.
struct ColorRGBQ {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
};
static_assert(sizeof(ColorRGBQ) == 4);

// BITMAPFILEHEADER is 14 bytes and unaligned on disk: read it field by field.
constexpr int kTamCabeceraArchivoBMP = 14;
constexpr uint16_t kFirmaBMP = 0x4D42;  // "BM"

constexpr uint32_t BI_RGB_ = 0;
constexpr uint32_t BI_BITFIELDS_ = 3;

// Bytes of one pixel row padded to 4, in 64 bits so absurd sizes cannot wrap.
inline int64_t BytesFila(int64_t ancho, int64_t bits) { return ((ancho * bits + 31) / 32) * 4; }
