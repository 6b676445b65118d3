// Sprite strips drawn onto HIMAGEs: frame geometry, the mask, the saved
// background and the misuse checks.
#include <gtest/gtest.h>

#include <memory>

#include "AyudaVerificar.h"
#include "Proyector.h"

namespace {

using Imagen = std::unique_ptr<CabeceraInfoBMP, decltype(&LiberarHIMAGE)>;

Imagen Nueva(int32_t ancho, int32_t alto, uint16_t bits) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, bits == 8 ? 256u : 0u, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage), &LiberarHIMAGE);
  *h = c;
  return h;
}

// 24 bits; every pixel holds its own position: blue x & 255, green x >> 8, red y.
Imagen Posiciones(int32_t ancho, int32_t alto) {
  Imagen h = Nueva(ancho, alto, 24);
  for (int32_t y = 0; y < alto; ++y)
    for (int32_t x = 0; x < ancho; ++x) {
      uint8_t* p = FilaHIMAGE(h.get(), y) + 3 * x;
      p[0] = static_cast<uint8_t>(x), p[1] = static_cast<uint8_t>(x >> 8), p[2] = static_cast<uint8_t>(y);
    }
  return h;
}

std::pair<int, int> Posicion(HIMAGE h, int32_t x, int32_t y) {
  const uint8_t* p = FilaHIMAGE(h, y) + 3 * x;
  return {p[0] | p[1] << 8, p[2]};
}

// 8 bits, index valor(x, y).
template <typename F>
Imagen Indices(int32_t ancho, int32_t alto, F valor) {
  Imagen h = Nueva(ancho, alto, 8);
  for (int32_t y = 0; y < alto; ++y)
    for (int32_t x = 0; x < ancho; ++x) FilaHIMAGE(h.get(), y)[x] = static_cast<uint8_t>(valor(x, y));
  return h;
}

struct CasoCuadro {
  int32_t ancho, alto, filas, columnas;
  bool mascara, gridAntes;  // rows and columns given before the strip
  int32_t cuadro;
  int32_t anchoCuadro, altoCuadro, xOrigen, yOrigen;
};

TEST(ProyectorCuadros, FrameSizeAndWhereEachFrameIsTaken) {
  const CasoCuadro casos[] = {
      {500, 40, 1, 10, false, true, 7, 50, 40, 350, 0},
      {500, 40, 1, 10, false, false, 9, 50, 40, 450, 0},
      {100, 160, 2, 1, true, true, 1, 100, 40, 0, 80},  // rows of 80: sprite, then mask
      {90, 60, 2, 3, false, false, 5, 30, 30, 60, 30},
      {91, 62, 2, 3, false, true, 4, 30, 31, 30, 31},   // remainders are left out
  };
  for (const CasoCuadro& c : casos) {
    SCOPED_TRACE(testing::Message() << c.ancho << "x" << c.alto << " frame " << c.cuadro);
    Imagen tira = Posiciones(c.ancho, c.alto), lienzo = Posiciones(c.ancho + 2, c.alto + 3);
    Proyector p;
    auto grid = [&] { p.CambiarNumFil(c.filas), p.CambiarNumCol(c.columnas); };
    if (c.gridAntes) grid();
    p.DeclararTiraExterna(tira.get(), c.mascara);
    if (!c.gridAntes) grid();
    ASSERT_EQ(p.TamañoCuadro().x, c.anchoCuadro);
    ASSERT_EQ(p.TamañoCuadro().y, c.altoCuadro);
    p.Destino(lienzo.get());
    p.TransparenciaParcial(c.cuadro, 1, 2, false, false, false, ROP_SRCCOPY);
    EXPECT_EQ(Posicion(lienzo.get(), 1, 2), std::make_pair(c.xOrigen, c.yOrigen));
    const int32_t xFin = c.anchoCuadro, yFin = 1 + c.altoCuadro;
    EXPECT_EQ(Posicion(lienzo.get(), xFin, yFin), std::make_pair(c.xOrigen + xFin - 1, c.yOrigen + yFin - 2));
    EXPECT_EQ(Posicion(lienzo.get(), xFin + 1, yFin + 1), std::make_pair(xFin + 1, yFin + 1)) << "past the frame";
  }
}

// Frame 1 of a masked strip: its mask lets the left half of the background
// through, its sprite covers the right half. Frame 0 is all noise.
TEST(ProyectorCuadros, MaskShowsTheBackgroundWhereItIsWhite) {
  Imagen tira = Indices(4, 16, [](int32_t x, int32_t y) {
    if (y < 8) return 0x55;
    const bool derecha = x >= 2;
    return y < 12 ? (derecha ? 9 : 0) : (derecha ? 0 : 255);
  });
  Imagen lienzo = Indices(6, 6, [](int32_t, int32_t) { return 3; });
  Proyector p;
  p.CambiarNumFil(2);
  p.DeclararTiraExterna(tira.get(), true);
  p.Destino(lienzo.get());
  p.Transparencia(1, 1, 1, false, false, false);
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 6; ++x) {
      const bool sprite = x >= 3 && x < 5 && y >= 1 && y < 5;
      EXPECT_EQ(FilaHIMAGE(lienzo.get(), y)[x], sprite ? 9 : 3) << x << "," << y;
    }
}

TEST(ProyectorFondo, BorrarPutsTheSavedAreaBackOnlyOnce) {
  auto original = [](int32_t x, int32_t y) { return x + 10 * y; };
  Imagen lienzo = Indices(10, 8, original);
  Imagen tira = Indices(4, 3, [](int32_t, int32_t) { return 200; });
  Proyector p;
  p.DeclararTiraExterna(tira.get(), false);
  p.Destino(lienzo.get());
  EXPECT_SIN_VERIFICAR(p.Borrar(false, false)) << "nothing saved yet";

  p.TransparenciaParcial(0, 5, 2, false, false, true, ROP_SRCCOPY);
  ASSERT_EQ(FilaHIMAGE(lienzo.get(), 4)[8], 200);
  p.Borrar(false, false);
  for (int32_t y = 0; y < 8; ++y)
    for (int32_t x = 0; x < 10; ++x) ASSERT_EQ(FilaHIMAGE(lienzo.get(), y)[x], original(x, y)) << x << "," << y;

  FilaHIMAGE(lienzo.get(), 2)[5] = 77;
  p.Borrar(false, false);
  EXPECT_EQ(FilaHIMAGE(lienzo.get(), 2)[5], 77);
}

TEST(ProyectorVerificar, MisuseIsReportedAndChangesNothing) {
  Imagen tira = Posiciones(40, 10), lienzo = Posiciones(40, 10);
  Proyector p;
  EXPECT_VERIFICAR(p.TransparenciaParcial(0, 0, 0, false, false, false, ROP_SRCCOPY),
                   "Proyector:Transparencia: El Hdc destino es invalido o no ha sido declarado");
  EXPECT_VERIFICAR(p.Borrar(false, false), "Proyector::Borrar:Hdc Destino no declarado");
  EXPECT_VERIFICAR(p.DeclararTiraExterna(nullptr, false), "Proyector::DeclararTiraExterna: HdcExterno NULO");
  p.Destino(lienzo.get());
  p.CambiarNumCol(4);
  p.DeclararTiraExterna(tira.get(), false);
  for (int32_t cuadro : {4, -1}) {
    EXPECT_VERIFICAR(p.TransparenciaParcial(cuadro, 0, 0, false, false, false, ROP_SRCCOPY),
                     "Proyector::TransparenciaParcial: el numero de cuadro enviado es invalido");
    EXPECT_VERIFICAR(p.Transparencia(cuadro, 0, 0, false, false, false),
                     "Proyector::Transparencia:el numero de cuadro enviado es invalido");
  }
  EXPECT_VERIFICAR(p.Transparencia(3, 0, 0, false, false, false),
                   "Proyector:Transparencia: esta función no puede ser llamada con una tira incompleta");
  EXPECT_VERIFICAR(p.TransparenciaParcial(3, 0, 0, true, false, false, ROP_SRCCOPY),
                   "Proyector::Transparencia: El Hwnd destino es invalido o no ha sido declarado");
  EXPECT_VERIFICAR(p.CambiarNumCol(0), "Proyector:CambiarNumCol: numero de columnas invalido");
  EXPECT_VERIFICAR(p.CambiarNumFil(0), "Proyector:CambiarNumFil: numero de filas invalido");
  EXPECT_EQ(p.NumCol(), 4);
  EXPECT_EQ(p.NumFil(), 1);
  EXPECT_EQ(Posicion(lienzo.get(), 0, 0), std::make_pair(30, 0)) << "only the invalidating call drew";
}

}  // namespace
