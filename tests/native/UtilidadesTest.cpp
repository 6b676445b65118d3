#include <gtest/gtest.h>

#include <vector>

#include "AyudaVerificar.h"
#include "Utilidades.h"

namespace {

struct Rect {
  bool solapan;
  Punto pos, tam;
};

Rect Cruzar(Punto p1, Punto t1, Punto p2, Punto t2, int modo) {
  Rect r{};
  r.solapan = CruzarRectangulos(p1, t1, p2, t2, modo, &r.pos, &r.tam);
  return r;
}

TEST(Rectangulos, TouchingEdgesOverlapWithZeroWidth) {
  Rect r = Cruzar({0, 0}, {10, 10}, {10, 0}, {5, 5}, kCruceInterseccion);
  EXPECT_TRUE(r.solapan);
  EXPECT_EQ(r.pos.x, 10);
  EXPECT_EQ(r.tam.x, 0);
  EXPECT_EQ(r.tam.y, 5);
  Rect lejos = Cruzar({0, 0}, {10, 10}, {11, 0}, {5, 5}, kCruceInterseccion);
  EXPECT_FALSE(lejos.solapan);
  EXPECT_EQ(lejos.tam.x, 0);
  EXPECT_EQ(lejos.pos.x, 0);
}

TEST(Rectangulos, IntersectionAndBoundingOfNestedRectangles) {
  Rect i = Cruzar({-5, -5}, {20, 20}, {0, 0}, {10, 10}, kCruceInterseccion);
  EXPECT_TRUE(i.solapan);
  EXPECT_TRUE(PuntosIguales(i.pos, {0, 0}));
  EXPECT_TRUE(PuntosIguales(i.tam, {10, 10}));
  Rect u = Cruzar({-5, -5}, {20, 20}, {0, 0}, {10, 10}, kCruceUnion);
  EXPECT_TRUE(PuntosIguales(u.pos, {-5, -5}));
  EXPECT_TRUE(PuntosIguales(u.tam, {20, 20}));
  // The bounding rectangle is given even when they do not overlap.
  Rect separados = Cruzar({0, 0}, {2, 2}, {10, 10}, {2, 2}, kCruceUnion);
  EXPECT_FALSE(separados.solapan);
  EXPECT_TRUE(PuntosIguales(separados.tam, {12, 12}));
  Rect otro = Cruzar({0, 0}, {2, 2}, {1, 1}, {2, 2}, 7);
  EXPECT_TRUE(otro.solapan);
  EXPECT_TRUE(PuntosIguales(otro.tam, {0, 0}));
}

TEST(Rectangulos, InvalidSizesAreAssertions) {
  const char* msg = "valores de tamaño invalidos";
  EXPECT_VERIFICAR(Cruzar({0, 0}, {0, 5}, {1, 1}, {0, 5}, kCruceInterseccion), msg);
  EXPECT_VERIFICAR(Cruzar({0, 0}, {5, 0}, {1, 1}, {5, 0}, kCruceInterseccion), msg);
  EXPECT_VERIFICAR(Cruzar({0, 0}, {-1, 5}, {1, 1}, {5, 5}, kCruceInterseccion), msg);
  EXPECT_SIN_VERIFICAR(Cruzar({0, 0}, {0, 5}, {1, 1}, {3, 5}, kCruceInterseccion));
}

TEST(Puntos, ScalingTruncatesTowardZero) {
  Punto p = Escalar(0.5, Punto{7, -7});
  EXPECT_EQ(p.x, 3);
  EXPECT_EQ(p.y, -3);
  Punto q = Dividir(Punto{7, -7}, 2.0);
  EXPECT_TRUE(PuntosIguales(p, q));
  Punto a{1, 2};
  EXPECT_TRUE(PuntosIguales(Sumar(a, {3, 4}), {4, 6}));
  EXPECT_TRUE(PuntosIguales(a, {4, 6}));
  EXPECT_EQ(ProductoEscalar({2, 3}, {4, 5}), 23);
}

TEST(GeneradorRuntime, FollowsTheClassicSequenceFromSeedOne) {
  SembrarAzarRuntime(1);
  std::vector<int32_t> v;
  for (int i = 0; i < 5; ++i) v.push_back(AzarRuntime());
  EXPECT_EQ(v, (std::vector<int32_t>{41, 18467, 6334, 26500, 19169}));
}

class AzarConRelojFijo : public ::testing::Test {
 protected:
  static inline int32_t segundo = 0, milisegundo = 0;
  static void Reloj(int32_t* s, int32_t* ms) {
    *s = segundo;
    *ms = milisegundo;
  }
  void SetUp() override {
    anterior_ = InstalarRelojAzar(&Reloj);
    SembrarAzarRuntime(1);
    ReiniciarAzar();
  }
  void TearDown() override {
    InstalarRelojAzar(anterior_);
    SembrarAzarRuntime(1);
    ReiniciarAzar();
  }
  LectorReloj anterior_ = nullptr;
};

TEST_F(AzarConRelojFijo, IsReproducibleAndStaysBelowOne) {
  segundo = 17;
  milisegundo = 250;
  std::vector<double> primera;
  for (int i = 0; i < 2000; ++i) {
    double a = Azar();
    ASSERT_GE(a, 0.0);
    ASSERT_LT(a, 1.0);
    primera.push_back(a);
  }
  SembrarAzarRuntime(1);
  ReiniciarAzar();
  for (double esperado : primera) ASSERT_EQ(Azar(), esperado);
}

TEST_F(AzarConRelojFijo, FirstValueMatchesAHandComputation) {
  segundo = 0;
  milisegundo = 0;
  // rand() = 41: seed = (41/32768) * 2.5 = 0.003128..., rejected; the loop
  // goes on with the next draws until a fraction lands in [0.4, 0.8999].
  double semilla = 0, f = 0;
  uint32_t estado = 1;
  bool aceptada = false;
  for (int intento = 1; intento <= 10; ++intento) {
    estado = estado * 214013u + 2531011u;
    semilla = (((estado >> 16) & 0x7FFF) / 32768.0 + semilla) * 2.5;
    f = semilla - static_cast<double>(static_cast<int64_t>(semilla) % 65536);
    if (intento < 10 && f >= 0.4 && f <= 0.8999) {
      aceptada = true;
      break;
    }
  }
  EXPECT_DOUBLE_EQ(Azar(), aceptada ? (f - 0.4) * 2 : f);
}

TEST_F(AzarConRelojFijo, SpreadsOverTheWholeRange) {
  int cubos[10] = {};
  for (int s = 0; s < 60; ++s) {
    segundo = s;
    for (int ms = 0; ms < 1000; ms += 37) {
      milisegundo = ms;
      ++cubos[static_cast<int>(Azar() * 10)];
    }
  }
  for (int c : cubos) EXPECT_GT(c, 60);
}

}  // namespace
