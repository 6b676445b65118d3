// The graphics library's Windows side: GDI-mode canvases and drawing
// HIMAGEs, checked by reading the pixels back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>

#include "ControlDC.h"
#include "DibujoHIMAGE.h"
#include "HImage.h"

namespace {

std::pair<LONG, LONG> TamañoBitmap(HBITMAP b) {
  BITMAP info{};
  GetObjectA(b, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

// Colour table entry i, when indexed: red i, green 255 - i, blue i / 2.
HBITMAP NuevaDIB(int ancho, int alto, WORD bits) {
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD tabla[256];
  } bi{};
  bi.h = {sizeof(BITMAPINFOHEADER), ancho, alto, 1, bits, BI_RGB, 0, 0, 0, 0, 0};
  for (int i = 0; i < 256; ++i) bi.tabla[i] = {BYTE(i / 2), BYTE(255 - i), BYTE(i), 0};
  void* pixeles = nullptr;
  return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &pixeles, nullptr, 0);
}

TEST(GfxControlDCGdi, BitmapGrowsButShrinksOnlyWhenExact) {
  ControlDC c(true);
  ASSERT_TRUE(c.AjustarTamaño(100, 50));
  ASSERT_TRUE(c.AjustarTamaño(80, 60));
  const HBITMAP grande = c.BitmapActual();
  EXPECT_EQ(TamañoBitmap(grande), (std::pair<LONG, LONG>{100, 60}));
  ASSERT_TRUE(c.AjustarTamaño(40, 40));
  EXPECT_EQ(c.BitmapActual(), grande);
  EXPECT_EQ(c.Tamaño().x, 40);
  ASSERT_TRUE(c.AjustarTamaño(40, 40, true));
  EXPECT_EQ(TamañoBitmap(c.BitmapActual()), (std::pair<LONG, LONG>{40, 40}));
  EXPECT_EQ(GetObjectType(grande), 0u) << "a replaced bitmap of the canvas's own is deleted";
}

TEST(GfxControlDCGdi, OnlyIndexedBitmapsBringAPalette) {
  ControlDC c(true);
  ASSERT_TRUE(c.SeleccionarBitmap(NuevaDIB(16, 8, 24), true));
  EXPECT_EQ(c.PaletaActual(), GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(c.Tamaño().x, 16);
  ASSERT_TRUE(c.SeleccionarBitmap(NuevaDIB(4, 4, 8), true));
  EXPECT_EQ(GetPaletteEntries(c.PaletaActual(), 0, 0, nullptr), 256u);
  PALETTEENTRY e{};
  GetPaletteEntries(c.PaletaActual(), 200, 1, &e);
  EXPECT_EQ(RGB(e.peRed, e.peGreen, e.peBlue), RGB(200, 55, 100));
}

using Imagen = std::unique_ptr<CabeceraInfoBMP, decltype(&LiberarHIMAGE)>;

// Colour 0x00RRGGBB of pixel (x, y) of the test pictures.
uint32_t Color(int x, int y) { return 0x00401010u + 0x00101010u * uint32_t(y) + 0x20u * uint32_t(x); }

// 8 bits: each pixel its own table entry.
Imagen Nueva(int ancho, int alto, uint16_t bits) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, bits == 8 ? 256u : 0u, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage), &LiberarHIMAGE);
  *h = c;
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x) {
      const uint32_t color = Color(x, y);
      uint8_t* p = FilaHIMAGE(h.get(), y);
      if (bits == 8) p[x] = static_cast<uint8_t>(y * ancho + x);
      std::memcpy(bits == 8 ? &ColoresHIMAGE(h.get())[y * ancho + x].rgbBlue : p + 3 * x, &color, 3);
    }
  return h;
}

// A 12 x 12 white 32-bit canvas; pixels read back as 0x00RRGGBB.
struct Lienzo {
  static constexpr uint32_t kFondo = 0x00FFFFFF;
  ControlDC c{true};
  Lienzo() {
    c.SeleccionarBitmap(NuevaDIB(12, 12, 32), true);
    PatBlt(c.Hdc(), 0, 0, 12, 12, WHITENESS);
  }
  uint32_t En(int x, int y) const {
    const COLORREF r = GetPixel(c.Hdc(), x, y);
    return uint32_t(GetRValue(r)) << 16 | GetGValue(r) << 8 | GetBValue(r);
  }
};

class GfxDibujo : public ::testing::TestWithParam<int> {};

// The block (1, 2) 3 x 2 of the picture lands unscaled at (4, 3).
TEST_P(GfxDibujo, SubRectangleLandsUnscaledFromTopDownCoordinates) {
  Imagen h = Nueva(6, 5, static_cast<uint16_t>(GetParam()));
  Lienzo l;
  DibujarHIMAGE(l.c.Hdc(), 4, 3, 3, 2, h.get(), 1, 2, ROP_SRCCOPY);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool dentro = x >= 4 && x < 7 && y >= 3 && y < 5;
      ASSERT_EQ(l.En(x, y), dentro ? Color(x - 3, y - 1) : Lienzo::kFondo) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Profundidades, GfxDibujo, ::testing::Values(8, 24));

TEST(GfxDibujoHIMAGE, PintarRectanguloWithoutPictureFillsBlack) {
  Lienzo l;
  PintarRectangulo(l.c.Hdc(), RECT{1, 1, 3, 2}, nullptr, ROP_SRCAND);
  EXPECT_EQ(l.En(1, 1), 0u);
  EXPECT_EQ(l.En(2, 1), 0u);
  EXPECT_EQ(l.En(3, 1), Lienzo::kFondo);
  EXPECT_EQ(l.En(1, 2), Lienzo::kFondo);
}

}  // namespace
