#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "Deslizamiento.h"

namespace {

TEST(Deslizamiento, StartsAndEndsExactlyWhereAsked) {
  // The tools (-98 to 0), the options (103 to 0) and the page (228 to 0).
  for (auto [desde, hasta] : {std::pair{-98, 0}, {103, 0}, {228, 0}, {5, 5}, {0, -40}}) {
    EXPECT_EQ(PosicionDeslizamiento(desde, hasta, 0, 200), desde);
    EXPECT_EQ(PosicionDeslizamiento(desde, hasta, 200, 200), hasta);
    EXPECT_EQ(PosicionDeslizamiento(desde, hasta, 5000, 200), hasta);
  }
  EXPECT_EQ(PosicionDeslizamiento(-98, 0, 0, 0), 0) << "no time at all: at the end at once";
}

TEST(Deslizamiento, MovesOnlyTowardTheEndAndFasterAtFirst) {
  for (auto [desde, hasta] : {std::pair{-98, 0}, {103, 0}, {228, 0}}) {
    int32_t antes = desde;
    for (uint32_t t = 1; t <= 200; ++t) {
      const int32_t p = PosicionDeslizamiento(desde, hasta, t, 200);
      EXPECT_LE(std::abs(p - hasta), std::abs(antes - hasta)) << t;
      antes = p;
    }
    // An ease-out: ahead of an even pace from the start, and three
    // quarters of the way at half the time.
    const int32_t camino = std::abs(desde - hasta);
    EXPECT_LT(std::abs(PosicionDeslizamiento(desde, hasta, 50, 200) - hasta) * 4, camino * 3);
    EXPECT_EQ(std::abs(PosicionDeslizamiento(desde, hasta, 100, 200) - hasta), camino / 4);
    EXPECT_NE(PosicionDeslizamiento(desde, hasta, 199, 200), desde);
  }
}

TEST(Deslizamiento, ExtremeSpansAndDurationsStayInRange) {
  const int32_t lejos = INT32_MIN, cerca = INT32_MAX;
  EXPECT_EQ(PosicionDeslizamiento(lejos, cerca, 0, UINT32_MAX), lejos);
  EXPECT_EQ(PosicionDeslizamiento(lejos, cerca, UINT32_MAX, UINT32_MAX), cerca);
  const int32_t medio = PosicionDeslizamiento(lejos, cerca, UINT32_MAX / 2, UINT32_MAX);
  EXPECT_GT(medio, lejos);
  EXPECT_LT(medio, cerca);
}

TEST(Deslizamiento, FollowsAClockThatWraps) {
  Deslizamiento d;
  EXPECT_FALSE(d.Activo());
  const uint32_t inicio = UINT32_MAX - 50;  // GetTickCount wraps after 49.7 days
  d.Empezar(-98, 0, inicio);
  EXPECT_TRUE(d.Activo());
  EXPECT_EQ(d.Posicion(inicio), -98);
  EXPECT_FALSE(d.Cumplido(inicio + 100));
  EXPECT_EQ(d.Posicion(inicio + 100), PosicionDeslizamiento(-98, 0, 100, kDuracionDeslizamiento));
  EXPECT_TRUE(d.Cumplido(inicio + kDuracionDeslizamiento));
  EXPECT_EQ(d.Posicion(inicio + kDuracionDeslizamiento), 0);
  // Still active until told: the window finishes the last frame itself.
  EXPECT_TRUE(d.Activo());
  d.Empezar(103, 0, 10);
  d.Terminar();
  EXPECT_FALSE(d.Activo());
  EXPECT_TRUE(d.Cumplido(10));
  EXPECT_EQ(d.Posicion(10), 0) << "a slide cut short stands at its end";
}

}  // namespace
