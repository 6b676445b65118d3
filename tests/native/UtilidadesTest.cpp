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

TEST(Rectangulos, IntersectionAndBounding) {
  Rect tocan = Cruzar({0, 0}, {10, 10}, {10, 0}, {5, 5}, kCruceInterseccion);
  EXPECT_TRUE(tocan.solapan);  // touching edges overlap, with width 0
  EXPECT_EQ(tocan.pos.x, 10);
  EXPECT_EQ(tocan.tam.x, 0);
  EXPECT_FALSE(Cruzar({0, 0}, {10, 10}, {11, 0}, {5, 5}, kCruceInterseccion).solapan);

  Rect i = Cruzar({-5, -5}, {20, 20}, {0, 0}, {10, 10}, kCruceInterseccion);
  EXPECT_TRUE(PuntosIguales(i.pos, {0, 0}) && PuntosIguales(i.tam, {10, 10}));
  Rect u = Cruzar({-5, -5}, {20, 20}, {0, 0}, {10, 10}, kCruceUnion);
  EXPECT_TRUE(PuntosIguales(u.pos, {-5, -5}) && PuntosIguales(u.tam, {20, 20}));
  Rect separados = Cruzar({0, 0}, {2, 2}, {10, 10}, {2, 2}, kCruceUnion);
  EXPECT_FALSE(separados.solapan);
  EXPECT_TRUE(PuntosIguales(separados.tam, {12, 12}));
}

TEST(Rectangulos, InvalidSizesAreAssertions) {
  const char* msg = "valores de tamaño invalidos";
  EXPECT_VERIFICAR(Cruzar({0, 0}, {0, 5}, {1, 1}, {0, 5}, kCruceInterseccion), msg);
  EXPECT_VERIFICAR(Cruzar({0, 0}, {5, 0}, {1, 1}, {5, 0}, kCruceInterseccion), msg);
  EXPECT_VERIFICAR(Cruzar({0, 0}, {-1, 5}, {1, 1}, {5, 5}, kCruceInterseccion), msg);
  EXPECT_SIN_VERIFICAR(Cruzar({0, 0}, {0, 5}, {1, 1}, {3, 5}, kCruceInterseccion));
}

TEST(Puntos, ScalingTruncatesTowardZero) {
  EXPECT_TRUE(PuntosIguales(Escalar(0.5, Punto{7, -7}), {3, -3}));
  EXPECT_TRUE(PuntosIguales(Dividir(Punto{7, -7}, 2.0), {3, -3}));
}

TEST(GeneradorRuntime, ClassicSequenceFromSeedOne) {
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
    Reiniciar();
  }
  void TearDown() override {
    InstalarRelojAzar(anterior_);
    Reiniciar();
  }
  static void Reiniciar() {
    SembrarAzarRuntime(1);
    ReiniciarAzar();
  }
  LectorReloj anterior_ = nullptr;
};

TEST_F(AzarConRelojFijo, FirstValueMatchesAHandComputation) {
  // Tries until a fraction lands in [0.4, 0.8999]; after ten, the raw one.
  double semilla = 0, f = 0;
  uint32_t estado = 1;
  bool aceptada = false;
  for (int intento = 1; intento <= 10 && !aceptada; ++intento) {
    estado = estado * 214013u + 2531011u;
    semilla = (((estado >> 16) & 0x7FFF) / 32768.0 + semilla) * 2.5;
    f = semilla - static_cast<double>(static_cast<int64_t>(semilla) % 65536);
    aceptada = intento < 10 && f >= 0.4 && f <= 0.8999;
  }
  EXPECT_DOUBLE_EQ(Azar(), aceptada ? (f - 0.4) * 2 : f);
}

TEST_F(AzarConRelojFijo, ReproducibleBelowOneAndSpread) {
  std::vector<double> primera;
  int cubos[10] = {};
  for (int s = 0; s < 60; ++s) {
    segundo = s;
    for (milisegundo = 0; milisegundo < 1000; milisegundo += 37) {
      double a = Azar();
      ASSERT_GE(a, 0.0);
      ASSERT_LT(a, 1.0);
      ++cubos[static_cast<int>(a * 10)];
      primera.push_back(a);
    }
  }
  for (int c : cubos) EXPECT_GT(c, 60);
  Reiniciar();
  size_t i = 0;
  for (int s = 0; s < 60; ++s) {
    segundo = s;
    for (milisegundo = 0; milisegundo < 1000; milisegundo += 37) ASSERT_EQ(Azar(), primera[i++]);
  }
}

}  // namespace
