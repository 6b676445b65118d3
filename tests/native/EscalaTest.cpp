#include <gtest/gtest.h>

#include "Escala.h"

namespace {

TEST(Escala, FactorIsWholeDotsPerInchThatTheDesignedLayoutFits) {
  struct Caso {
    int dpi, ancho, alto, factor;
  };
  const Caso casos[] = {
      {96, 1920, 1080, 1},  {120, 1920, 1080, 1}, {144, 1920, 1080, 1}, {192, 3840, 2160, 2},
      {191, 3840, 2160, 1},  // truncated, never rounded up
      {288, 3840, 2160, 3}, {288, 2400, 1800, 3}, {288, 2399, 1800, 2}, {288, 2400, 1799, 2},
      {192, 1920, 1080, 1},  // a 1600 x 1200 layout would not fit
      {192, 1600, 1200, 2}, {384, 1600, 1200, 2}, {0, 800, 600, 1}, {-96, 800, 600, 1}, {96, 640, 480, 1},
  };
  for (const Caso& c : casos)
    EXPECT_EQ(FactorInterfaz(c.dpi, c.ancho, c.alto), c.factor) << c.dpi << " dpi " << c.ancho << "x" << c.alto;
}

// Measures and centring are the designed ones enlarged, block for block.
TEST(Escala, MeasuresFollowTheProcessFactor) {
  FijarEscalaInterfaz(0);
  EXPECT_EQ(EscalaInterfaz(), 1);
  FijarEscalaInterfaz(2);
  EXPECT_EQ(Esc(78), 156);
  EXPECT_EQ(Esc(Punto{-2, 10}).x, -4);
  EXPECT_EQ(Diseño({5, -5}).x, 2);
  EXPECT_EQ(Diseño({5, -5}).y, -2);
  EXPECT_EQ(Centrar(3840, 444), 1698);  // (1920 - 222) / 2 = 849, twice
  EXPECT_EQ(Centrar(3840, 446), 1696);  // (1920 - 223) / 2 = 848: an even place, not 1697
  EXPECT_EQ(Centrar(3841, 444), 1698);
  FijarEscalaInterfaz(1);
  EXPECT_EQ(Centrar(1920, 223), 848);
}

}  // namespace
