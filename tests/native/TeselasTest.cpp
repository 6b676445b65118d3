#include "Teselas.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Every pixel of the repainted part is drawn once, from the picture pixel
// that a whole-window repaint would put there, never from outside it.
TEST(Teselas, PartialRepaintsMatchTheWholeAndStayInsideThePicture) {
  struct Caso { Punto pos, tam; int32_t anchoT, altoT; Punto imagen; };
  const Caso casos[] = {{{10, 0}, {150, 78}, 76, 78, {76, 78}},     // title strip, from the middle
                        {{0, 100}, {98, 300}, 98, 95, {98, 95}},    // tools window, lower down
                        {{200, 30}, {150, 20}, 103, 103, {120, 110}},  // picture larger than the tile
                        {{-5, -5}, {20, 20}, 8, 8, {5, 8}}};         // picture narrower than the tile
  for (const Caso& c : casos) {
    std::vector<int> veces(static_cast<size_t>(c.tam.x * c.tam.y), 0);
    for (const BloqueTesela& b : BloquesMosaico(c.pos, c.tam, c.anchoT, c.altoT, c.imagen)) {
      ASSERT_TRUE(b.origen.x >= 0 && b.origen.y >= 0 && b.origen.x + b.tamaño.x <= c.imagen.x &&
                  b.origen.y + b.tamaño.y <= c.imagen.y);
      for (int32_t y = 0; y < b.tamaño.y; ++y)
        for (int32_t x = 0; x < b.tamaño.x; ++x) {
          const int32_t dx = b.destino.x + x, dy = b.destino.y + y;
          ASSERT_TRUE(dx >= c.pos.x && dx < c.pos.x + c.tam.x && dy >= c.pos.y && dy < c.pos.y + c.tam.y);
          const int32_t mx = ((dx % c.anchoT) + c.anchoT) % c.anchoT, my = ((dy % c.altoT) + c.altoT) % c.altoT;
          ASSERT_EQ(b.origen.x + x, mx);
          ASSERT_EQ(b.origen.y + y, my);
          ++veces[static_cast<size_t>((dy - c.pos.y) * c.tam.x + dx - c.pos.x)];
        }
    }
    // Pixels whose tile position lies beyond a small picture stay undrawn.
    for (int32_t y = 0; y < c.tam.y; ++y)
      for (int32_t x = 0; x < c.tam.x; ++x) {
        const int32_t mx = (((c.pos.x + x) % c.anchoT) + c.anchoT) % c.anchoT;
        const int32_t my = (((c.pos.y + y) % c.altoT) + c.altoT) % c.altoT;
        EXPECT_EQ(veces[static_cast<size_t>(y * c.tam.x + x)], mx < c.imagen.x && my < c.imagen.y ? 1 : 0);
      }
  }
}

}  // namespace
