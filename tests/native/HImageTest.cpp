#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "AyudaVerificar.h"
#include "HImage.h"

namespace {

struct Liberador {
  void operator()(CabeceraInfoBMP* h) const { LiberarHIMAGE(h); }
};
using Imagen = std::unique_ptr<CabeceraInfoBMP, Liberador>;

// A picture whose every byte (padding included) starts as `relleno`.
Imagen Nueva(int32_t ancho, int32_t alto, uint16_t bits = 8, uint32_t colores = 256, uint8_t relleno = 0) {
  CabeceraInfoBMP c{};
  c.biSize = 40;
  c.biWidth = ancho;
  c.biHeight = alto;
  c.biPlanes = 1;
  c.biBitCount = bits;
  c.biClrUsed = colores;
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage));
  *h = c;
  std::memset(ColoresHIMAGE(h.get()), 0, 1024);
  std::memset(PixelesHIMAGE(h.get()), relleno, c.biSizeImage);
  return h;
}

uint8_t& Pixel(const Imagen& h, int x, int y) { return FilaHIMAGE(h.get(), y)[x]; }

// Each pixel of an 8-bit picture holds 10 * y + x.
Imagen Numerada(int32_t ancho, int32_t alto) {
  Imagen h = Nueva(ancho, alto);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x) Pixel(h, x, y) = static_cast<uint8_t>(10 * y + x);
  return h;
}

// The target's rows as text-free vectors, top row first.
std::vector<std::vector<int>> Filas(const Imagen& h) {
  std::vector<std::vector<int>> f(h->biHeight);
  for (int y = 0; y < h->biHeight; ++y)
    for (int x = 0; x < h->biWidth; ++x) f[y].push_back(Pixel(h, x, y));
  return f;
}

TEST(HImageTransferir, CopiesAtTopDownCoordinatesIntoBottomUpRows) {
  Imagen origen = Numerada(6, 4);
  Imagen destino = Nueva(5, 5, 8, 256, 0xEE);
  TransferirHIMAGE(destino.get(), 1, 2, 3, 2, origen.get(), 2, 1, ROP_SRCCOPY);
  // Row 2 from the top is stored third from the bottom of a 5-row picture.
  EXPECT_EQ(PixelesHIMAGE(destino.get())[2 * 8 + 1], 12);
  EXPECT_EQ(Filas(destino), (std::vector<std::vector<int>>{{0xEE, 0xEE, 0xEE, 0xEE, 0xEE},
                                                           {0xEE, 0xEE, 0xEE, 0xEE, 0xEE},
                                                           {0xEE, 12, 13, 14, 0xEE},
                                                           {0xEE, 22, 23, 24, 0xEE},
                                                           {0xEE, 0xEE, 0xEE, 0xEE, 0xEE}}));
}

TEST(HImageTransferir, MaskedSpriteWithAndThenXor) {
  Imagen fondo = Nueva(2, 1, 8, 256, 0x5A);
  Imagen mascara = Nueva(2, 1);
  Imagen sprite = Nueva(2, 1);
  Pixel(mascara, 0, 0) = 0xFF;  // background shows through
  Pixel(sprite, 1, 0) = 0x21;   // knob pixel
  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, mascara.get(), 0, 0, ROP_SRCAND);
  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, sprite.get(), 0, 0, ROP_SRCINVERT);
  EXPECT_EQ(Filas(fondo), (std::vector<std::vector<int>>{{0x5A, 0x21}}));

  TransferirHIMAGE(fondo.get(), 0, 0, 2, 1, sprite.get(), 0, 0, 0x00EE0086 /* SRCPAINT */);
  EXPECT_EQ(Filas(fondo), (std::vector<std::vector<int>>{{0x5A, 0x21}}));
}

TEST(HImageTransferir, TwentyFourBitPixelsMoveWholeAndPaddingStays) {
  Imagen origen = Nueva(3, 1, 24, 0);
  for (int i = 0; i < 9; ++i) FilaHIMAGE(origen.get(), 0)[i] = static_cast<uint8_t>(i + 1);
  Imagen destino = Nueva(3, 2, 24, 0, 0xEE);  // stride 12: 3 padding bytes a row
  TransferirHIMAGE(destino.get(), 1, 1, 5, 5, origen.get(), 0, 0, ROP_SRCCOPY);
  const uint8_t* fila = FilaHIMAGE(destino.get(), 1);
  EXPECT_EQ(std::vector<int>(fila, fila + 12), (std::vector<int>{0xEE, 0xEE, 0xEE, 1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 0xEE}));
  const uint8_t* arriba = FilaHIMAGE(destino.get(), 0);
  EXPECT_EQ(std::vector<int>(arriba, arriba + 12), std::vector<int>(12, 0xEE));
}

TEST(HImageTransferir, ClipsToTargetAndFollowsWithTheSource) {
  Imagen origen = Numerada(6, 6);
  {
    // Overhanging the right and bottom edges.
    Imagen destino = Nueva(3, 3, 8, 256, 0xEE);
    TransferirHIMAGE(destino.get(), 1, 1, 10, 10, origen.get(), 0, 0, ROP_SRCCOPY);
    EXPECT_EQ(Filas(destino), (std::vector<std::vector<int>>{{0xEE, 0xEE, 0xEE}, {0xEE, 0, 1}, {0xEE, 10, 11}}));
  }
  {
    // Starting at a negative target origin: only the visible part, taken
    // from the source pixels that correspond to it.
    Imagen destino = Nueva(3, 3, 8, 256, 0xEE);
    TransferirHIMAGE(destino.get(), -2, -1, 4, 3, origen.get(), 1, 1, ROP_SRCCOPY);
    EXPECT_EQ(Filas(destino), (std::vector<std::vector<int>>{{23, 24, 0xEE}, {33, 34, 0xEE}, {0xEE, 0xEE, 0xEE}}));
  }
  {
    // Entirely outside, or of zero size: nothing happens and nothing fires.
    Imagen destino = Nueva(3, 3, 8, 256, 0xEE);
    EXPECT_SIN_VERIFICAR(TransferirHIMAGE(destino.get(), 10, 0, 2, 2, origen.get(), 0, 0, ROP_SRCCOPY));
    EXPECT_SIN_VERIFICAR(TransferirHIMAGE(destino.get(), 0, -5, 2, 2, origen.get(), 0, 0, ROP_SRCCOPY));
    EXPECT_SIN_VERIFICAR(TransferirHIMAGE(destino.get(), 0, 0, 0, 2, origen.get(), 0, 0, ROP_SRCCOPY));
    EXPECT_EQ(Filas(destino), std::vector<std::vector<int>>(3, std::vector<int>(3, 0xEE)));
  }
}

TEST(HImageTransferir, SourceClippedAtItsTopLeftDoesNotMoveTheTarget) {
  Imagen origen = Numerada(4, 4);
  Imagen destino = Nueva(4, 4, 8, 256, 0xEE);
  TransferirHIMAGE(destino.get(), 0, 0, 3, 3, origen.get(), -1, -2, ROP_SRCCOPY);
  // The source keeps its 2 x 1 visible part, which lands at the target origin.
  EXPECT_EQ(Filas(destino), (std::vector<std::vector<int>>{{0, 1, 0xEE, 0xEE},
                                                           {0xEE, 0xEE, 0xEE, 0xEE},
                                                           {0xEE, 0xEE, 0xEE, 0xEE},
                                                           {0xEE, 0xEE, 0xEE, 0xEE}}));
}

TEST(HImageTransferir, WithinOneImageRunsFromTheLastPixel) {
  Imagen h = Numerada(5, 1);
  TransferirHIMAGE(h.get(), 1, 0, 4, 1, h.get(), 0, 0, ROP_SRCCOPY);
  EXPECT_EQ(Filas(h), (std::vector<std::vector<int>>{{0, 0, 1, 2, 3}}));
  h = Numerada(5, 1);
  TransferirHIMAGE(h.get(), 0, 0, 4, 1, h.get(), 1, 0, ROP_SRCCOPY);
  EXPECT_EQ(Filas(h), (std::vector<std::vector<int>>{{4, 4, 4, 4, 4}}));
}

TEST(HImageTransferir, RefusesMismatchedPictures) {
  Imagen a = Nueva(4, 4, 8, 256);
  EXPECT_VERIFICAR(TransferirHIMAGE(nullptr, 0, 0, 1, 1, a.get(), 0, 0, ROP_SRCCOPY), "manipuladores invalidos");
  Imagen color = Nueva(4, 4, 24, 256);
  EXPECT_VERIFICAR(TransferirHIMAGE(a.get(), 0, 0, 1, 1, color.get(), 0, 0, ROP_SRCCOPY),
                   "para llamar esta funcion es necesario que los HIMAGE refieran a dos bitmaps con el mismo conteo de "
                   "bits por pixel");
  // Palettes are told apart by their count alone, even with equal entries.
  Imagen dieciseis = Nueva(4, 4, 8, 16);
  EXPECT_VERIFICAR(TransferirHIMAGE(a.get(), 0, 0, 1, 1, dieciseis.get(), 0, 0, ROP_SRCCOPY),
                   "para llamar esta funcion es necesario que los HIMAGE refieran a dos bitmaps con la misma paleta");
}

TEST(HImageCopiarPaleta, CopiesDepthCountAndUsedEntriesOnly) {
  Imagen origen = Nueva(2, 2, 8, 3);
  for (int i = 0; i < 3; ++i) ColoresHIMAGE(origen.get())[i] = {uint8_t(i), uint8_t(10 + i), uint8_t(20 + i), 0};
  Imagen destino = Nueva(2, 2, 8, 0, 0x77);
  std::memset(ColoresHIMAGE(destino.get()), 0xAB, 1024);
  CopiarPaleta(origen.get(), destino.get());
  EXPECT_EQ(destino->biClrUsed, 3u);
  EXPECT_EQ(destino->biBitCount, 8);
  EXPECT_EQ(ColoresHIMAGE(destino.get())[2].rgbRed, 22);
  EXPECT_EQ(ColoresHIMAGE(destino.get())[3].rgbRed, 0xAB);
  EXPECT_EQ(Pixel(destino, 1, 1), 0x77);
}

TEST(HImageCopiarPaleta, NeedsIndexedPicturesAndAPalette) {
  Imagen indexada = Nueva(2, 2, 8, 16);
  Imagen color = Nueva(2, 2, 24, 0);
  Imagen sinPaleta = Nueva(2, 2, 8, 0);
  EXPECT_VERIFICAR(CopiarPaleta(indexada.get(), color.get()), "los bitmaps deben ser indexados");
  EXPECT_VERIFICAR(CopiarPaleta(color.get(), indexada.get()), "los bitmaps deben ser indexados");
  EXPECT_VERIFICAR(CopiarPaleta(sinPaleta.get(), indexada.get()), "valor invalido");
  EXPECT_EQ(indexada->biClrUsed, 16u);
}

}  // namespace
