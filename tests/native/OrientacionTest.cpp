#include "Orientacion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr uint8_t kRelleno = 0xEE;  // padding that must survive

// A picture of `bytesPixel`-byte pixels with `relleno` spare bytes a row.
struct Imagen {
  Punto tamaño;
  int bytesPixel;
  int64_t bytesFila;
  std::vector<uint8_t> bytes;

  Imagen(Punto t, int bpp, int relleno = 0)
      : tamaño(t), bytesPixel(bpp), bytesFila(int64_t{t.x} * bpp + relleno),
        bytes(static_cast<size_t>(bytesFila * t.y), kRelleno) {}
  uint8_t* En(int32_t x, int32_t y) { return &bytes[static_cast<size_t>(y * bytesFila + x * bytesPixel)]; }
  const uint8_t* En(int32_t x, int32_t y) const {
    return &bytes[static_cast<size_t>(y * bytesFila + x * bytesPixel)];
  }
};

Imagen Orientar(const Imagen& f, int k, int relleno = 0) {
  Imagen d(TamañoOrientado(f.tamaño, k), f.bytesPixel, relleno);
  EXPECT_TRUE(OrientarImagen(f.bytes.data(), f.tamaño, f.bytesFila, f.bytesPixel, k, d.bytes.data(), d.bytesFila));
  return d;
}

// One letter a pixel, repeated through its bytes but the last, which
// differs so that a pixel copied from the wrong byte shows.
Imagen DeLetras(const std::vector<std::string>& filas, int bpp, int relleno) {
  Imagen im({static_cast<int32_t>(filas[0].size()), static_cast<int32_t>(filas.size())}, bpp, relleno);
  for (int32_t y = 0; y < im.tamaño.y; ++y)
    for (int32_t x = 0; x < im.tamaño.x; ++x)
      for (int c = 0; c < bpp; ++c)
        im.En(x, y)[c] = static_cast<uint8_t>(filas[static_cast<size_t>(y)][static_cast<size_t>(x)] + (c == bpp - 1));
  return im;
}

// The letters back, checking every pixel's bytes and every row's padding.
std::vector<std::string> Letras(const Imagen& im) {
  std::vector<std::string> filas;
  for (int32_t y = 0; y < im.tamaño.y; ++y) {
    std::string fila;
    for (int32_t x = 0; x < im.tamaño.x; ++x) {
      const uint8_t* p = im.En(x, y);
      for (int c = 1; c < im.bytesPixel; ++c)
        if (p[c] != p[0] + (c == im.bytesPixel - 1)) return {"mixed pixel"};
      fila += static_cast<char>(p[0]);
    }
    for (int64_t i = int64_t{im.tamaño.x} * im.bytesPixel; i < im.bytesFila; ++i)
      if (im.bytes[static_cast<size_t>(y * im.bytesFila + i)] != kRelleno) return {"padding written"};
    filas.push_back(fila);
  }
  return filas;
}

Imagen Azar(Punto t, int bpp, int relleno, uint32_t semilla) {
  std::mt19937 g(semilla);
  Imagen im(t, bpp, relleno);
  for (int32_t y = 0; y < t.y; ++y)
    for (int32_t x = 0; x < t.x; ++x)
      for (int c = 0; c < bpp; ++c) im.En(x, y)[c] = static_cast<uint8_t>(g());
  return im;
}

bool Iguales(const Imagen& a, const Imagen& b) {
  if (a.tamaño.x != b.tamaño.x || a.tamaño.y != b.tamaño.y) return false;
  for (int32_t y = 0; y < a.tamaño.y; ++y)
    if (!std::equal(a.En(0, y), a.En(0, y) + a.tamaño.x * a.bytesPixel, b.En(0, y))) return false;
  return true;
}

TEST(Orientacion, SizesSwapForTheQuarterTurnsAndTheDiagonals) {
  for (int k = 0; k <= 9; ++k) {
    const Punto t = TamañoOrientado({4000, 3000}, k);
    const bool gira = k >= 5 && k <= 8;
    EXPECT_EQ(t.x, gira ? 3000 : 4000) << k;
    EXPECT_EQ(t.y, gira ? 4000 : 3000) << k;
  }
  const int inversas[] = {1, 1, 2, 3, 4, 5, 8, 7, 6, 1};
  for (int k = 0; k <= 9; ++k) EXPECT_EQ(OrientacionInversa(k), inversas[k]) << k;
}

TEST(Orientacion, TurnsASmallPictureAsEachOrientationSays) {
  // Stored:  a b c
  //          d e f
  const std::vector<std::string> esperado[] = {
      {},
      {"abc", "def"},
      {"cba", "fed"},
      {"fed", "cba"},
      {"def", "abc"},
      {"ad", "be", "cf"},
      {"da", "eb", "fc"},
      {"fc", "eb", "da"},
      {"cf", "be", "ad"},
  };
  for (int bpp : {3, 4})
    for (int relleno : {0, 3}) {
      const Imagen f = DeLetras({"abc", "def"}, bpp, relleno);
      for (int k = 1; k <= 8; ++k)
        EXPECT_EQ(Letras(Orientar(f, k, relleno + 1)), esperado[k]) << bpp << " bytes, orientation " << k;
      EXPECT_EQ(Letras(Orientar(f, 0)), esperado[1]) << "unknown orientations copy as stored";
      EXPECT_EQ(Letras(Orientar(f, 9)), esperado[1]);
    }
}

TEST(Orientacion, TurnsOnePixelWideAndHighPictures) {
  const Imagen columna = DeLetras({"a", "b", "c", "d"}, 3, 1);
  EXPECT_EQ(Letras(Orientar(columna, 6)), std::vector<std::string>{"dcba"});
  EXPECT_EQ(Letras(Orientar(columna, 8)), std::vector<std::string>{"abcd"});
  EXPECT_EQ(Letras(Orientar(columna, 3)), (std::vector<std::string>{"d", "c", "b", "a"}));
  const Imagen punto = DeLetras({"z"}, 4, 0);
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(Letras(Orientar(punto, k)), std::vector<std::string>{"z"});
}

TEST(Orientacion, ComposesAsTheTurnsAndMirrorsDo) {
  // Larger than one tile each way and not a multiple of it, with padding.
  for (int bpp : {3, 4}) {
    SCOPED_TRACE(bpp);
    const Imagen f = Azar({150, 71}, bpp, 2, 9);
    for (int k = 1; k <= 8; ++k)
      EXPECT_TRUE(Iguales(Orientar(Orientar(f, k, 1), OrientacionInversa(k)), f)) << "round trip " << k;
    const Imagen seis = Orientar(f, 6), ocho = Orientar(f, 8);
    EXPECT_TRUE(Iguales(Orientar(seis, 6), Orientar(f, 3)));            // two quarter turns
    EXPECT_TRUE(Iguales(Orientar(Orientar(seis, 6), 6), ocho));         // three
    EXPECT_TRUE(Iguales(Orientar(Orientar(f, 2), 4), Orientar(f, 3)));  // both mirrors
    EXPECT_TRUE(Iguales(Orientar(seis, 2), Orientar(f, 5)));            // turn, then mirror
    EXPECT_TRUE(Iguales(Orientar(seis, 4), Orientar(f, 7)));
    EXPECT_TRUE(Iguales(Orientar(ocho, 2), Orientar(f, 7)));
  }
}

TEST(Orientacion, RefusesBadArgumentsWritingNothing) {
  const Imagen f = DeLetras({"abc", "def"}, 3, 0);
  std::vector<uint8_t> d(64, kRelleno);
  const auto Probar = [&](const uint8_t* fuente, Punto t, int64_t filaF, int bpp, int k, int64_t filaD) {
    return OrientarImagen(fuente, t, filaF, bpp, k, d.data(), filaD);
  };
  EXPECT_FALSE(Probar(nullptr, {3, 2}, 9, 3, 1, 9));
  EXPECT_FALSE(OrientarImagen(f.bytes.data(), {3, 2}, 9, 3, 1, nullptr, 9));
  EXPECT_FALSE(Probar(f.bytes.data(), {0, 2}, 9, 3, 1, 9));
  EXPECT_FALSE(Probar(f.bytes.data(), {3, -1}, 9, 3, 1, 9));
  EXPECT_FALSE(Probar(f.bytes.data(), {3, 2}, 9, 2, 1, 9)) << "two bytes a pixel";
  EXPECT_FALSE(Probar(f.bytes.data(), {3, 2}, 8, 3, 1, 9)) << "source row short";
  EXPECT_FALSE(Probar(f.bytes.data(), {3, 2}, 9, 3, 1, 8)) << "target row short";
  EXPECT_FALSE(Probar(f.bytes.data(), {3, 2}, 9, 3, 6, 5)) << "a turned row is two pixels";
  EXPECT_EQ(d, std::vector<uint8_t>(64, kRelleno));
  EXPECT_TRUE(Probar(f.bytes.data(), {3, 2}, 9, 3, 6, 6));
}

}  // namespace
