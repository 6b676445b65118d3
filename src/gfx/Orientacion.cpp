#include "Orientacion.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

// Copies a destination of `ancho` x `alto` pixels whose pixel (x, y) is the
// source's at `origen + x * pasoX + y * pasoY`. A quarter turn reads the
// source down its columns, so the work goes in square tiles whose source
// rows (kLado of them, a few kilobytes each) stay in the cache.
template <int B>
void Copiar(const uint8_t* origen, ptrdiff_t pasoX, ptrdiff_t pasoY, uint8_t* destino, ptrdiff_t bytesFila,
            int32_t ancho, int32_t alto) {
  constexpr int32_t kLado = 64;
  const bool filas = pasoX == B || pasoX == -B;  // source rows stay rows
  const int32_t ladoX = filas ? ancho : kLado, ladoY = filas ? 1 : kLado;
  for (int32_t y0 = 0; y0 < alto; y0 += ladoY) {
    const int32_t y1 = std::min(alto, y0 + ladoY);
    for (int32_t x0 = 0; x0 < ancho; x0 += ladoX) {
      const int32_t x1 = std::min(ancho, x0 + ladoX);
      for (int32_t y = y0; y < y1; ++y) {
        const uint8_t* s = origen + y * pasoY + x0 * pasoX;
        uint8_t* d = destino + y * bytesFila + x0 * B;
        if (pasoX == B) {
          std::memcpy(d, s, static_cast<size_t>(x1 - x0) * B);
          continue;
        }
        for (int32_t x = x0; x < x1; ++x, s += pasoX, d += B) std::memcpy(d, s, B);
      }
    }
  }
}

}  // namespace

Punto TamañoOrientado(Punto tamaño, int orientacion) {
  return orientacion >= 5 && orientacion <= 8 ? Punto{tamaño.y, tamaño.x} : tamaño;
}

int OrientacionInversa(int orientacion) {
  if (!OrientacionValida(orientacion)) return 1;
  return orientacion == 6 ? 8 : orientacion == 8 ? 6 : orientacion;
}

Punto PuntoFuente(Punto d, Punto t, int orientacion) {
  switch (orientacion) {
    case 2: return {t.x - 1 - d.x, d.y};
    case 3: return {t.x - 1 - d.x, t.y - 1 - d.y};
    case 4: return {d.x, t.y - 1 - d.y};
    case 5: return {d.y, d.x};
    case 6: return {d.y, t.y - 1 - d.x};
    case 7: return {t.x - 1 - d.y, t.y - 1 - d.x};
    case 8: return {t.x - 1 - d.y, d.x};
    default: return d;
  }
}

bool OrientarImagen(const uint8_t* fuente, Punto tamaño, int64_t bytesFilaFuente, int bytesPixel, int orientacion,
                    uint8_t* destino, int64_t bytesFilaDestino) {
  if (!OrientacionValida(orientacion)) orientacion = 1;
  const Punto derecho = TamañoOrientado(tamaño, orientacion);
  if (!fuente || !destino || tamaño.x < 1 || tamaño.y < 1 || (bytesPixel != 3 && bytesPixel != 4) ||
      bytesFilaFuente < int64_t{tamaño.x} * bytesPixel || bytesFilaDestino < int64_t{derecho.x} * bytesPixel)
    return false;

  // The mapping is affine: where (0, 0) comes from, and how far one step
  // right or down moves in the source.
  const auto desplazamiento = [&](Punto d) {
    const Punto f = PuntoFuente(d, tamaño, orientacion);
    return static_cast<ptrdiff_t>(f.y * bytesFilaFuente + int64_t{f.x} * bytesPixel);
  };
  const ptrdiff_t cero = desplazamiento({0, 0});
  const ptrdiff_t pasoX = desplazamiento({1, 0}) - cero, pasoY = desplazamiento({0, 1}) - cero;
  const ptrdiff_t fila = static_cast<ptrdiff_t>(bytesFilaDestino);
  if (bytesPixel == 4)
    Copiar<4>(fuente + cero, pasoX, pasoY, destino, fila, derecho.x, derecho.y);
  else
    Copiar<3>(fuente + cero, pasoX, pasoY, destino, fila, derecho.x, derecho.y);
  return true;
}
