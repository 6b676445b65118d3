#include "EscaladoArea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

struct Imagen {
  int32_t ancho, alto;
  std::vector<uint8_t> bgr;  // rows of 3 x ancho, unpadded
  uint8_t& En(int32_t x, int32_t y, int c) { return bgr[static_cast<size_t>((y * ancho + x) * 3 + c)]; }
  uint8_t En(int32_t x, int32_t y, int c) const { return bgr[static_cast<size_t>((y * ancho + x) * 3 + c)]; }
};

Imagen Escalar(const Imagen& f, int32_t ancho, int32_t alto) {
  Imagen d{ancho, alto, std::vector<uint8_t>(static_cast<size_t>(ancho * alto * 3), 77)};
  EXPECT_TRUE(EscalarPromedio(f.bgr.data(), f.ancho, f.alto, f.ancho * 3, d.bgr.data(), ancho, alto, ancho * 3));
  return d;
}

// The mean over the source area a target pixel covers, exactly: on a grid
// of anchoFuente x ancho cells per row (and likewise down), every cell lies
// in one source pixel and one target pixel.
double Referencia(const Imagen& f, int32_t ancho, int32_t alto, int32_t x, int32_t y, int c) {
  double suma = 0;
  for (int32_t j = y * f.alto; j < (y + 1) * f.alto; ++j)
    for (int32_t i = x * f.ancho; i < (x + 1) * f.ancho; ++i) suma += f.En(i / ancho, j / alto, c);
  return suma / (static_cast<double>(f.ancho) * f.alto);
}

Imagen Azar(int32_t ancho, int32_t alto, uint32_t semilla) {
  std::mt19937 g(semilla);
  Imagen f{ancho, alto, std::vector<uint8_t>(static_cast<size_t>(ancho * alto * 3))};
  for (auto& v : f.bgr) v = static_cast<uint8_t>(g());
  return f;
}

TEST(EscaladoArea, WholeFactorsGiveTheMeanOfEachBlock) {
  Imagen f{4, 2, {}};
  f.bgr.resize(24);
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 4; ++x)
      for (int c = 0; c < 3; ++c) f.En(x, y, c) = static_cast<uint8_t>((x + y) % 2 ? 255 : 0);
  const Imagen d = Escalar(f, 2, 1);  // a checkerboard halved both ways
  for (uint8_t v : d.bgr) EXPECT_EQ(v, 128);  // 127.5 rounded
  Imagen g{2, 2, {10, 20, 30, 50, 60, 70, 90, 100, 110, 130, 140, 150}};
  const Imagen m = Escalar(g, 1, 1);
  EXPECT_EQ(m.bgr, (std::vector<uint8_t>{70, 80, 90}));
}

TEST(EscaladoArea, MatchesTheCoveredAreaAtAnyRatio) {
  const Imagen f = Azar(37, 23, 5);
  const int32_t tamaños[][2] = {{10, 7}, {36, 22}, {5, 23}, {37, 1}, {1, 1}, {74, 46}, {50, 31}, {3, 17}};
  for (const auto& t : tamaños) {
    SCOPED_TRACE(std::to_string(t[0]) + "x" + std::to_string(t[1]));
    const Imagen d = Escalar(f, t[0], t[1]);
    double peor = 0, sumaF = 0, sumaD = 0;
    for (int32_t y = 0; y < t[1]; ++y)
      for (int32_t x = 0; x < t[0]; ++x)
        for (int c = 0; c < 3; ++c) {
          peor = std::max(peor, std::abs(d.En(x, y, c) - Referencia(f, t[0], t[1], x, y, c)));
          sumaD += d.En(x, y, c);
        }
    for (uint8_t v : f.bgr) sumaF += v;
    EXPECT_LE(peor, 0.51);  // rounding alone
    // The picture's overall brightness is kept.
    EXPECT_NEAR(sumaD / d.bgr.size(), sumaF / f.bgr.size(), 0.6);
  }
}

TEST(EscaladoArea, KeepsTheOrderOfTheRowsAndIgnoresExtraRows) {
  Imagen f{3, 6, {}};
  f.bgr.resize(54);
  for (int32_t y = 0; y < 6; ++y)
    for (int32_t x = 0; x < 3; ++x)
      for (int c = 0; c < 3; ++c) f.En(x, y, c) = static_cast<uint8_t>(40 * y);
  EscaladorArea e;
  ASSERT_TRUE(e.Empezar(3, 6, 2, 3));
  for (int32_t y = 0; y < 6; ++y) {
    EXPECT_FALSE(e.Completo());
    e.AgregarFila(&f.bgr[static_cast<size_t>(y * 9)]);
  }
  EXPECT_TRUE(e.Completo());
  e.AgregarFila(f.bgr.data());  // one too many: ignored
  uint8_t fila[6];
  for (int32_t y = 0; y < 3; ++y) {
    e.LeerFila(y, fila);
    EXPECT_EQ(fila[0], 80 * y + 20) << y;
  }
}

// In strips every target row comes once, in order, as soon as its last
// source row has, and equals the whole picture's row.
TEST(EscaladoArea, InStripsEachRowComesOnceAsSoonAsItIsWhole) {
  const Imagen f = Azar(37, 101, 7);
  for (const auto& [ancho, alto] : {std::pair{13, 29}, std::pair{37, 101}, std::pair{5, 3}, std::pair{20, 1}}) {
    SCOPED_TRACE(testing::Message() << ancho << "x" << alto);
    const Imagen todo = Escalar(f, ancho, alto);
    std::vector<int32_t> llegadas;  // source rows fed when each came
    int32_t fuente = 0;
    EscaladorArea e;
    ASSERT_TRUE(e.EmpezarEnTiras(f.ancho, f.alto, ancho, alto, [&](int32_t fila, const uint8_t* bgr) {
      ASSERT_EQ(fila, static_cast<int32_t>(llegadas.size()));
      llegadas.push_back(fuente);
      EXPECT_TRUE(std::equal(bgr, bgr + 3 * ancho, todo.bgr.begin() + 3 * ancho * fila)) << fila;
    }));
    for (fuente = 1; fuente <= f.alto; ++fuente) e.AgregarFila(&f.bgr[static_cast<size_t>((fuente - 1) * f.ancho * 3)]);
    ASSERT_EQ(static_cast<int32_t>(llegadas.size()), alto);
    for (int32_t r = 0; r < alto; ++r)
      EXPECT_EQ(llegadas[static_cast<size_t>(r)], static_cast<int32_t>(std::ceil((r + 1) * double(f.alto) / alto - 1e-9)))
          << r;
  }
}

TEST(EscaladoArea, RefusesEmptySides) {
  EscaladorArea e;
  EXPECT_FALSE(e.Empezar(0, 5, 3, 3));
  EXPECT_FALSE(e.Empezar(5, 5, 3, 0));
  EXPECT_FALSE(e.Completo());
  uint8_t b[3] = {};
  EXPECT_FALSE(EscalarPromedio(b, 1, 1, 3, b, -1, 1, 3));
}

}  // namespace
