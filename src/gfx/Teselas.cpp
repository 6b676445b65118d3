#include "Teselas.h"

#include <algorithm>

namespace {

// The first multiple of `paso` at or below v (also for negative v).
int32_t BajarAMultiplo(int32_t v, int32_t paso) {
  const int32_t r = v % paso;
  return r < 0 ? v - r - paso : v - r;
}

}  // namespace

std::vector<BloqueTesela> BloquesMosaico(Punto pos, Punto tam, int32_t anchoTesela, int32_t altoTesela,
                                         Punto tamañoImagen) {
  std::vector<BloqueTesela> bloques;
  const int32_t usoX = std::min(anchoTesela, tamañoImagen.x), usoY = std::min(altoTesela, tamañoImagen.y);
  if (tam.x <= 0 || tam.y <= 0 || usoX <= 0 || usoY <= 0) return bloques;
  const int32_t finX = pos.x + tam.x, finY = pos.y + tam.y;
  for (int32_t ty = BajarAMultiplo(pos.y, altoTesela); ty < finY; ty += altoTesela) {
    const int32_t y0 = std::max(ty, pos.y), y1 = std::min({ty + usoY, finY});
    if (y0 >= y1) continue;
    for (int32_t tx = BajarAMultiplo(pos.x, anchoTesela); tx < finX; tx += anchoTesela) {
      const int32_t x0 = std::max(tx, pos.x), x1 = std::min(tx + usoX, finX);
      if (x0 >= x1) continue;
      bloques.push_back({{x0, y0}, {x0 - tx, y0 - ty}, {x1 - x0, y1 - y0}});
    }
  }
  return bloques;
}
