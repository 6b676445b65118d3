// The graphics library's Windows side: GDI-mode canvases and drawing
// HIMAGEs through DrawDib, checked by reading the pixels back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "../native/AyudaVerificar.h"
#include "ControlDC.h"
#include "DibujoHIMAGE.h"
#include "HImage.h"

namespace {

Punto TamañoBitmap(HBITMAP b) {
  BITMAP info{};
  GetObjectA(b, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

bool Existe(HGDIOBJ h) { return GetObjectType(h) != 0; }

// A DIB section of the given depth with a grey-ramp colour table (entry i =
// (i, 255 - i, i / 2)) when indexed.
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

TEST(GfxControlDCGdi, AllocationGrowsButNeverShrinksUnlessExact) {
  ControlDC c(true);
  ASSERT_NE(c.Hdc(), nullptr);
  ASSERT_TRUE(c.AjustarTamaño(100, 50));
  ASSERT_TRUE(c.AjustarTamaño(80, 60));
  HBITMAP grande = c.BitmapActual();
  EXPECT_EQ(TamañoBitmap(grande).x, 100);
  EXPECT_EQ(TamañoBitmap(grande).y, 60);
  EXPECT_EQ(c.Tamaño().x, 80);
  EXPECT_EQ(c.Tamaño().y, 60);

  ASSERT_TRUE(c.AjustarTamaño(40, 40));
  EXPECT_EQ(c.BitmapActual(), grande);
  EXPECT_EQ(c.Tamaño().x, 40);

  ASSERT_TRUE(c.AjustarTamaño(40, 40, true));
  EXPECT_EQ(TamañoBitmap(c.BitmapActual()).x, 40);
  EXPECT_EQ(TamañoBitmap(c.BitmapActual()).y, 40);
  EXPECT_FALSE(Existe(grande)) << "a replaced bitmap of the canvas's own is deleted";
  ASSERT_TRUE(c.AjustarTamaño(80, 60, true));
  EXPECT_EQ(TamañoBitmap(c.BitmapActual()).x, 80);

  EXPECT_VERIFICAR(c.AjustarTamaño(0, 10), "ControlDC:AjustarTamaño:tamaños nuevos invalidos");
}

TEST(GfxControlDCGdi, EightBitBitmapsBringA256EntryPalette) {
  ControlDC c(true);
  HPALETTE predeterminada = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  ASSERT_TRUE(c.SeleccionarBitmap(NuevaDIB(16, 8, 24), true));
  EXPECT_EQ(c.PaletaActual(), predeterminada);
  EXPECT_EQ(c.Tamaño().x, 16);
  EXPECT_EQ(c.Tamaño().y, 8);

  ASSERT_TRUE(c.SeleccionarBitmap(NuevaDIB(4, 4, 8), true));
  HPALETTE paleta = c.PaletaActual();
  ASSERT_NE(paleta, predeterminada);
  EXPECT_EQ(GetPaletteEntries(paleta, 0, 0, nullptr), 256u);
  PALETTEENTRY e{};
  GetPaletteEntries(paleta, 200, 1, &e);
  EXPECT_EQ(e.peRed, 200);
  EXPECT_EQ(e.peGreen, 55);
  EXPECT_EQ(e.peBlue, 100);

  ASSERT_TRUE(c.SeleccionarBitmap(NuevaDIB(4, 4, 4), true));
  EXPECT_EQ(GetPaletteEntries(c.PaletaActual(), 0, 0, nullptr), 16u);
  EXPECT_FALSE(Existe(paleta)) << "the palette it replaced is deleted";
  EXPECT_FALSE(c.SeleccionarBitmap(nullptr, true));
}

TEST(GfxControlDCGdi, DestructionDeletesOnlyWhatTheCanvasOwns) {
  { ControlDC sinBitmap(true); }  // only its DC to delete

  HBITMAP ajeno = NuevaDIB(8, 8, 8);
  HBITMAP propio = NuevaDIB(8, 8, 24);
  {
    ControlDC c(true);
    ASSERT_TRUE(c.SeleccionarBitmap(propio, true));
    ASSERT_TRUE(c.SeleccionarBitmap(ajeno, false));
    EXPECT_FALSE(Existe(propio));
  }
  EXPECT_TRUE(Existe(ajeno)) << "a bitmap given without ownership goes back untouched";
  {
    ControlDC c(true);
    ASSERT_TRUE(c.SeleccionarBitmap(ajeno, true));
  }
  EXPECT_FALSE(Existe(ajeno));
}

TEST(GfxControlDCGdi, ModesGuardTheirOperations) {
  ControlDC imagen;
  HBITMAP b = NuevaDIB(2, 2, 24);
  EXPECT_VERIFICAR(imagen.SeleccionarBitmap(b, false), "este objeto fue inicializado para cargar imagenes desde un .rf");
  EXPECT_VERIFICAR(imagen.Hdc(), "");
  DeleteObject(b);

  ControlDC gdi(true);
  EXPECT_VERIFICAR(gdi.Imagen(), "");
  EXPECT_VERIFICAR(gdi.Cargar(60000),
                   "esta imagen no pudo ser cargada, posiblemente no existe en el archivo de recursos");
}

// --- DrawDib -----------------------------------------------------------------

struct Liberador {
  void operator()(CabeceraInfoBMP* h) const { LiberarHIMAGE(h); }
};
using Imagen = std::unique_ptr<CabeceraInfoBMP, Liberador>;

// A picture whose pixel (x, y) has the colour 0x00RRGGBB = Color(x, y).
uint32_t Color(int x, int y) { return 0x00101010u * static_cast<uint32_t>(y + 1) + 0x00000020u * static_cast<uint32_t>(x) + 0x00400000u; }

Imagen Nueva(int ancho, int alto, uint16_t bits) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, bits == 8 ? 256u : 0u, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage));
  *h = c;
  std::memset(ColoresHIMAGE(h.get()), 0, 1024);
  for (int y = 0; y < alto; ++y)
    for (int x = 0; x < ancho; ++x) {
      const uint32_t color = Color(x, y);
      uint8_t* p = FilaHIMAGE(h.get(), y);
      if (bits == 8) {
        const int i = y * ancho + x;
        p[x] = static_cast<uint8_t>(i);
        ColoresHIMAGE(h.get())[i] = {uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16), 0};
      } else {
        p[3 * x] = uint8_t(color);
        p[3 * x + 1] = uint8_t(color >> 8);
        p[3 * x + 2] = uint8_t(color >> 16);
      }
    }
  return h;
}

// A 32-bit top-down memory canvas whose pixels the test reads directly.
class Lienzo {
 public:
  static constexpr uint32_t kFondo = 0x00ABCDEF;
  Lienzo(int ancho, int alto) : ancho_(ancho) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), ancho, -alto, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixeles_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    anterior_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < ancho * alto; ++i) pixeles_[i] = kFondo;
  }
  ~Lienzo() {
    SelectObject(dc_, anterior_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  Lienzo(const Lienzo&) = delete;
  Lienzo& operator=(const Lienzo&) = delete;
  HDC Dc() const { return dc_; }
  uint32_t En(int x, int y) const {
    GdiFlush();
    return pixeles_[y * ancho_ + x] & 0x00FFFFFF;
  }

 private:
  int ancho_;
  HBITMAP bitmap_;
  HGDIOBJ anterior_;
  HDC dc_;
  uint32_t* pixeles_;
};

class GfxDibujo : public ::testing::TestWithParam<int> {};

TEST_P(GfxDibujo, BlockLandsUnscaledWithTopDownSourceCoordinates) {
  Imagen h = Nueva(6, 5, static_cast<uint16_t>(GetParam()));
  Lienzo l(12, 12);
  DibujarHIMAGE(l.Dc(), 4, 3, 3, 2, h.get(), 1, 2, ROP_SRCCOPY);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool dentro = x >= 4 && x < 7 && y >= 3 && y < 5;
      ASSERT_EQ(l.En(x, y), dentro ? Color(x - 4 + 1, y - 3 + 2) : Lienzo::kFondo) << x << "," << y;
    }
}

TEST_P(GfxDibujo, BlockBeyondThePictureDrawsOnlyItsPart) {
  Imagen h = Nueva(6, 5, static_cast<uint16_t>(GetParam()));
  Lienzo l(12, 12);
  DibujarHIMAGE(l.Dc(), 0, 0, 4, 4, h.get(), 4, -2, ROP_SRCCOPY);
  EXPECT_EQ(l.En(0, 2), Color(4, 0));
  EXPECT_EQ(l.En(1, 3), Color(5, 1));
  EXPECT_EQ(l.En(2, 2), Lienzo::kFondo);
  EXPECT_EQ(l.En(0, 1), Lienzo::kFondo);
}

TEST_P(GfxDibujo, PintarRectanguloRepaintsFromTheSameCoordinates) {
  Imagen h = Nueva(6, 5, static_cast<uint16_t>(GetParam()));
  Lienzo l(8, 8);
  PintarRectangulo(l.Dc(), RECT{2, 0, 5, 2}, h.get(), ROP_SRCCOPY);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool dentro = x >= 2 && x < 5 && y < 2;
      ASSERT_EQ(l.En(x, y), dentro ? Color(x, y) : Lienzo::kFondo) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Profundidades, GfxDibujo, ::testing::Values(8, 24));

TEST(GfxDibujoHIMAGE, BlackWithoutPictureAndOnlySrcCopyWithOne) {
  Lienzo l(4, 4);
  PintarRectangulo(l.Dc(), RECT{1, 1, 3, 2}, nullptr, ROP_SRCAND);
  EXPECT_EQ(l.En(1, 1), 0u);
  EXPECT_EQ(l.En(2, 1), 0u);
  EXPECT_EQ(l.En(3, 1), Lienzo::kFondo);
  EXPECT_EQ(l.En(1, 2), Lienzo::kFondo);

  Imagen h = Nueva(2, 2, 24);
  const char* soloCopia = "otro rop distinto a este no es soportado en el modo no gdi";
  EXPECT_VERIFICAR(PintarRectangulo(l.Dc(), RECT{0, 0, 1, 1}, h.get(), ROP_SRCAND), soloCopia);
  EXPECT_VERIFICAR(DibujarHIMAGE(l.Dc(), 0, 0, 1, 1, h.get(), 0, 0, ROP_SRCINVERT), soloCopia);
  EXPECT_SIN_VERIFICAR(DibujarHIMAGE(l.Dc(), 0, 0, 0, 1, h.get(), 0, 0, ROP_SRCCOPY));
  EXPECT_EQ(l.En(0, 0), Lienzo::kFondo);
}

}  // namespace
