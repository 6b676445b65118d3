#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "AyudaVerificar.h"
#include "HImage.h"

namespace {

using Imagen = std::unique_ptr<CabeceraInfoBMP, decltype(&LiberarHIMAGE)>;
using Filas = std::vector<std::vector<int>>;
constexpr int E = 0xEE;

// Every byte, padding included, starts as `relleno`.
Imagen Nueva(int32_t ancho, int32_t alto, uint16_t bits = 8, uint32_t colores = 256, uint8_t relleno = E) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, colores, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage), &LiberarHIMAGE);
  *h = c;
  std::memset(ColoresHIMAGE(h.get()), 0, 1024);
  std::memset(PixelesHIMAGE(h.get()), relleno, c.biSizeImage);
  return h;
}

// Pixel (x, y) of an 8-bit picture holds 10 * y + x.
Imagen Numerada(int32_t ancho, int32_t alto) {
  Imagen h = Nueva(ancho, alto);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x) FilaHIMAGE(h.get(), y)[x] = static_cast<uint8_t>(10 * y + x);
  return h;
}

Filas Leer(const Imagen& h) {
  Filas f(h->biHeight);
  for (int y = 0; y < h->biHeight; ++y) f[y].assign(FilaHIMAGE(h.get(), y), FilaHIMAGE(h.get(), y) + h->biWidth);
  return f;
}

TEST(HImageTransferir, ClipsToBothPictures) {
  struct Caso {
    int x, y, ancho, alto, xOrigen, yOrigen;
    Filas esperado;
  };
  const Caso casos[] = {
      {1, 1, 1, 2, 2, 1, {{E, E, E}, {E, 12, E}, {E, 22, E}}},  // top-down rows of differing heights
      {1, 1, 10, 10, 0, 0, {{E, E, E}, {E, 0, 1}, {E, 10, 11}}},  // overhanging right and bottom
      {-2, -1, 4, 3, 1, 1, {{23, 24, E}, {33, 34, E}, {E, E, E}}},  // negative origin: matching source
      {0, 0, 3, 3, -1, -2, {{0, 1, E}, {E, E, E}, {E, E, E}}},  // source clipping keeps the target origin
      {10, 0, 2, 2, 0, 0, {{E, E, E}, {E, E, E}, {E, E, E}}},
      {0, -5, 2, 2, 0, 0, {{E, E, E}, {E, E, E}, {E, E, E}}},
      {0, 0, 0, 2, 0, 0, {{E, E, E}, {E, E, E}, {E, E, E}}},
  };
  const Imagen origen = Numerada(6, 6);
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.ancho << "x" << c.alto);
    Imagen destino = Nueva(3, 3);
    EXPECT_SIN_VERIFICAR(TransferirHIMAGE(destino.get(), c.x, c.y, c.ancho, c.alto, origen.get(), c.xOrigen,
                                          c.yOrigen, ROP_SRCCOPY));
    EXPECT_EQ(Leer(destino), c.esperado);
  }
}

TEST(HImageTransferir, MaskedSpriteAndWholeTwentyFourBitPixels) {
  Imagen fondo = Nueva(2, 1, 8, 256, 0x5A), mascara = Nueva(2, 1, 8, 256, 0), sprite = Nueva(2, 1, 8, 256, 0);
  FilaHIMAGE(mascara.get(), 0)[0] = 0xFF, FilaHIMAGE(sprite.get(), 0)[1] = 0x21;  // mask keeps pixel 0, sprite paints 1
  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, mascara.get(), 0, 0, ROP_SRCAND);
  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, sprite.get(), 0, 0, ROP_SRCINVERT);
  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, sprite.get(), 0, 0, 0x00EE0086);  // not understood: nothing
  EXPECT_EQ(Leer(fondo), (Filas{{0x5A, 0x21}}));

  Imagen origen = Nueva(3, 1, 24, 0);
  for (int i = 0; i < 9; ++i) FilaHIMAGE(origen.get(), 0)[i] = static_cast<uint8_t>(i + 1);
  Imagen destino = Nueva(3, 2, 24, 0);  // 3 padding bytes a row
  TransferirHIMAGE(destino.get(), 1, 1, 5, 5, origen.get(), 0, 0, ROP_SRCCOPY);
  const uint8_t* fila = FilaHIMAGE(destino.get(), 1);
  EXPECT_EQ(std::vector<int>(fila, fila + 12), (std::vector<int>{E, E, E, 1, 2, 3, 4, 5, 6, E, E, E}));
  EXPECT_EQ(FilaHIMAGE(destino.get(), 0)[11], E);
}

TEST(HImageTransferir, WithinOnePictureRunsFromTheLastPixel) {
  for (auto [x, xOrigen, esperado] : {std::tuple{1, 0, Filas{{0, 0, 1, 2, 3}}}, {0, 1, Filas{{4, 4, 4, 4, 4}}}}) {
    Imagen h = Numerada(5, 1);
    TransferirHIMAGE(h.get(), x, 0, 4, 1, h.get(), xOrigen, 0, ROP_SRCCOPY);
    EXPECT_EQ(Leer(h), esperado);
  }
}

TEST(HImage, MismatchedPicturesAndBadPalettesAreAssertions) {
  Imagen a = Nueva(4, 4), color = Nueva(4, 4, 24, 0), dieciseis = Nueva(4, 4, 8, 16), sinPaleta = Nueva(4, 4, 8, 0);
  const std::string requiere = "para llamar esta funcion es necesario que los HIMAGE refieran a dos bitmaps con ";
  EXPECT_VERIFICAR(TransferirHIMAGE(nullptr, 0, 0, 1, 1, a.get(), 0, 0, ROP_SRCCOPY), "manipuladores invalidos");
  EXPECT_VERIFICAR(TransferirHIMAGE(a.get(), 0, 0, 1, 1, color.get(), 0, 0, ROP_SRCCOPY),
                   requiere + "el mismo conteo de bits por pixel");
  // Palettes are told apart by their count alone.
  EXPECT_VERIFICAR(TransferirHIMAGE(a.get(), 0, 0, 1, 1, dieciseis.get(), 0, 0, ROP_SRCCOPY),
                   requiere + "la misma paleta");
  EXPECT_VERIFICAR(CopiarPaleta(dieciseis.get(), color.get()), "los bitmaps deben ser indexados");
  EXPECT_VERIFICAR(CopiarPaleta(color.get(), dieciseis.get()), "los bitmaps deben ser indexados");
  EXPECT_VERIFICAR(CopiarPaleta(sinPaleta.get(), dieciseis.get()), "valor invalido");
  EXPECT_EQ(dieciseis->biClrUsed, 16u);
}

TEST(HImage, CopiarPaletaCopiesTheUsedEntriesOnly) {
  Imagen origen = Nueva(2, 2, 8, 3), destino = Nueva(2, 2, 8, 0);
  for (int i = 0; i < 3; ++i) ColoresHIMAGE(origen.get())[i] = {uint8_t(i), uint8_t(10 + i), uint8_t(20 + i), 0};
  std::memset(ColoresHIMAGE(destino.get()), 0xAB, 1024);
  CopiarPaleta(origen.get(), destino.get());
  EXPECT_EQ(destino->biClrUsed, 3u);
  EXPECT_EQ(ColoresHIMAGE(destino.get())[2].rgbRed, 22);
  EXPECT_EQ(ColoresHIMAGE(destino.get())[3].rgbRed, 0xAB);
}


// Each pixel a factor x factor block of itself, rows and their padding
// whole, the palette kept; one factor is a plain copy.
TEST(HImageAmpliar, RepeatsEveryPixelIntoABlock) {
  for (const int factor : {1, 2, 3}) {
    SCOPED_TRACE(factor);
    Imagen origen = Numerada(3, 2);
    ColoresHIMAGE(origen.get())[7] = {1, 2, 3, 0};
    Imagen grande(AmpliarHIMAGE(origen.get(), factor), &LiberarHIMAGE);
    ASSERT_TRUE(grande);
    EXPECT_EQ(grande->biWidth, 3 * factor);
    EXPECT_EQ(grande->biHeight, 2 * factor);
    EXPECT_EQ(grande->biSizeImage, static_cast<uint32_t>(StrideHIMAGE(grande.get()) * 2 * factor));
    EXPECT_EQ(ColoresHIMAGE(grande.get())[7].rgbGreen, 2);
    Filas esperado(2 * factor, std::vector<int>(3 * factor));
    for (int y = 0; y < 2 * factor; ++y)
      for (int x = 0; x < 3 * factor; ++x) esperado[y][x] = 10 * (y / factor) + x / factor;
    EXPECT_EQ(Leer(grande), esperado);
    for (int y = 0; y < 2 * factor; ++y)  // padding zeroed, as a stored picture's
      for (int x = 3 * factor; x < StrideHIMAGE(grande.get()); ++x) EXPECT_EQ(FilaHIMAGE(grande.get(), y)[x], 0);
  }
  Imagen color = Nueva(1, 1, 24, 0);
  FilaHIMAGE(color.get(), 0)[0] = 9, FilaHIMAGE(color.get(), 0)[1] = 8, FilaHIMAGE(color.get(), 0)[2] = 7;
  Imagen doble(AmpliarHIMAGE(color.get(), 2), &LiberarHIMAGE);
  ASSERT_TRUE(doble);
  for (int y = 0; y < 2; ++y)
    EXPECT_EQ(std::vector<int>(FilaHIMAGE(doble.get(), y), FilaHIMAGE(doble.get(), y) + 8),
              (std::vector<int>{9, 8, 7, 9, 8, 7, 0, 0}));
  // 16 bits, as a saved game's thumbnail: two bytes a pixel, rows of 4.
  Imagen dieciseis = Nueva(1, 1, 16, 0);
  dieciseis->biSizeImage = 4;
  FilaHIMAGE(dieciseis.get(), 0)[0] = 0x12, FilaHIMAGE(dieciseis.get(), 0)[1] = 0x34;
  Imagen doble16(AmpliarHIMAGE(dieciseis.get(), 2), &LiberarHIMAGE);
  ASSERT_TRUE(doble16);
  EXPECT_EQ(doble16->biSizeImage, 8u);
  EXPECT_EQ(std::vector<int>(PixelesHIMAGE(doble16.get()), PixelesHIMAGE(doble16.get()) + 8),
            (std::vector<int>{0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34}));
  // Too large for a 32-bit picture: refused, not wrapped.
  CabeceraInfoBMP ancha{40, 1 << 20, 1 << 12, 1, 8, 0, 0, 0, 0, 256, 0};
  EXPECT_EQ(AmpliarHIMAGE(&ancha, 2), nullptr);
}

}  // namespace
