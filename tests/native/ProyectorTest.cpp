// Sprite strips drawn onto HIMAGEs: frame geometry, the saved background
// and the misuse checks. (The mask is seen at work in the animation
// control's transparent mode.)
#include <gtest/gtest.h>

#include <memory>

#include "AyudaVerificar.h"
#include "Proyector.h"

namespace {

using Imagen = std::unique_ptr<CabeceraInfoBMP, decltype(&LiberarHIMAGE)>;

// 24 bits: pixel (x, y) holds x in blue and green, y in red. 8 bits: index
// valor(x, y), 256 palette entries.
template <typename F>
Imagen Nueva(int32_t ancho, int32_t alto, uint16_t bits, F valor) {
  CabeceraInfoBMP c{40, ancho, alto, 1, bits, 0, 0, 0, 0, bits == 8 ? 256u : 0u, 0};
  c.biSizeImage = static_cast<uint32_t>(StrideHIMAGE(&c) * alto);
  Imagen h(AsignarHIMAGE(c.biSizeImage), &LiberarHIMAGE);
  *h = c;
  for (int32_t y = 0; y < alto; ++y)
    for (int32_t x = 0; x < ancho; ++x) {
      uint8_t* p = FilaHIMAGE(h.get(), y) + (bits == 8 ? x : 3 * x);
      if (bits == 8) *p = static_cast<uint8_t>(valor(x, y));
      else p[0] = uint8_t(x), p[1] = uint8_t(x >> 8), p[2] = uint8_t(y);
    }
  return h;
}
Imagen Posiciones(int32_t ancho, int32_t alto) { return Nueva(ancho, alto, 24, [](int32_t, int32_t) { return 0; }); }
std::pair<int, int> En(const Imagen& h, int32_t x, int32_t y) {
  const uint8_t* p = FilaHIMAGE(h.get(), y) + 3 * x;
  return {p[0] | p[1] << 8, p[2]};
}

TEST(ProyectorCuadros, FrameSizeAndWhereEachFrameIsTaken) {
  struct Caso {
    int32_t ancho, alto, filas, columnas;
    bool mascara, gridAntes;  // rows and columns given before the strip
    int32_t cuadro, anchoCuadro, altoCuadro, xOrigen, yOrigen;
  };
  const Caso casos[] = {
      {500, 40, 1, 10, false, true, 7, 50, 40, 350, 0},
      {100, 160, 2, 1, true, false, 1, 100, 40, 0, 80},  // rows of 80: sprite, then mask
      {91, 62, 2, 3, false, true, 5, 30, 31, 60, 31},    // remainders are left out
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(testing::Message() << c.ancho << "x" << c.alto << " frame " << c.cuadro);
    Imagen tira = Posiciones(c.ancho, c.alto), lienzo = Posiciones(c.ancho + 2, c.alto + 3);
    Proyector p;
    auto grid = [&] { p.CambiarNumFil(c.filas), p.CambiarNumCol(c.columnas); };
    if (c.gridAntes) grid();
    p.DeclararTiraExterna(tira.get(), c.mascara);
    if (!c.gridAntes) grid();
    EXPECT_EQ(std::make_pair(p.TamañoCuadro().x, p.TamañoCuadro().y), std::make_pair(c.anchoCuadro, c.altoCuadro));
    p.Destino(lienzo.get());
    p.TransparenciaParcial(c.cuadro, 1, 2, false, false, false, ROP_SRCCOPY);
    const int32_t xFin = c.anchoCuadro, yFin = 1 + c.altoCuadro;  // the frame's last pixel
    EXPECT_EQ(En(lienzo, 1, 2), std::make_pair(c.xOrigen, c.yOrigen));
    EXPECT_EQ(En(lienzo, xFin, yFin), std::make_pair(c.xOrigen + xFin - 1, c.yOrigen + yFin - 2));
    EXPECT_EQ(En(lienzo, xFin + 1, yFin + 1), std::make_pair(xFin + 1, yFin + 1)) << "past the frame";
  }
}

// Saving takes the destination's palette: an 8-bit destination.
TEST(ProyectorFondo, BorrarPutsTheSavedAreaBackOnlyOnce) {
  Imagen lienzo = Nueva(10, 8, 8, [](int32_t x, int32_t y) { return x + 10 * y; });
  Imagen tira = Nueva(4, 3, 8, [](int32_t, int32_t) { return 200; });
  auto en = [&](int32_t x, int32_t y) -> uint8_t& { return FilaHIMAGE(lienzo.get(), y)[x]; };
  Proyector p;
  p.DeclararTiraExterna(tira.get(), false);
  p.Destino(lienzo.get());
  EXPECT_SIN_VERIFICAR(p.Borrar(false, false)) << "nothing saved yet";
  p.TransparenciaParcial(0, 5, 2, false, false, true, ROP_SRCCOPY);
  ASSERT_EQ(en(8, 4), 200);
  p.Borrar(false, false);
  EXPECT_EQ(std::make_pair(en(5, 2), en(8, 4)), std::make_pair(uint8_t(25), uint8_t(48)));
  en(5, 2) = 77;
  p.Borrar(false, false);
  EXPECT_EQ(en(5, 2), 77);
}

TEST(ProyectorVerificar, MisuseIsReportedAndDrawsNothing) {
  Imagen tira = Posiciones(40, 10), lienzo = Posiciones(40, 10);
  Proyector p;
  EXPECT_VERIFICAR(p.TransparenciaParcial(0, 0, 0, false, false, false, ROP_SRCCOPY),
                   "Proyector:Transparencia: El Hdc destino es invalido o no ha sido declarado");
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
  EXPECT_EQ(En(lienzo, 0, 0), std::make_pair(0, 0));
}

}  // namespace
