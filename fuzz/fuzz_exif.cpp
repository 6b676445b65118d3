// libFuzzer target: any bytes through the orientation reader, as a JPEG and
// as a bare TIFF block; then a small picture made of the same bytes turned
// by what was read, checked pixel by pixel and turned back.
#include <cstdlib>
#include <vector>

#include "Exif.h"
#include "Orientacion.h"

namespace {

void Comprobar(bool condicion) {
  if (!condicion) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  const int exif = OrientacionExif(datos, n), tiff = OrientacionTIFF(datos, n);
  Comprobar(OrientacionValida(exif) && OrientacionValida(tiff));
  if (n < 3) return 0;

  // The size, depth and padding come from the first bytes; the orientation
  // from the reader when it found one, else from the input too.
  const Punto t{1 + datos[0] % 70, 1 + datos[1] % 70};
  const int bpp = datos[2] & 1 ? 4 : 3;
  const int relleno = (datos[2] >> 1) & 3;
  const int k = exif != 1 ? exif : tiff != 1 ? tiff : 1 + (datos[2] >> 3) % 8;
  const int64_t filaF = int64_t{t.x} * bpp + relleno;
  std::vector<uint8_t> fuente(static_cast<size_t>(filaF * t.y));
  for (size_t i = 0; i < fuente.size(); ++i) fuente[i] = datos[i % n] ^ static_cast<uint8_t>(i * 7);

  const Punto d = TamañoOrientado(t, k);
  const int64_t filaD = int64_t{d.x} * bpp + 1;
  std::vector<uint8_t> destino(static_cast<size_t>(filaD * d.y), 0xEE);
  Comprobar(OrientarImagen(fuente.data(), t, filaF, bpp, k, destino.data(), filaD));
  for (int32_t y = 0; y < d.y; ++y) {
    Comprobar(destino[static_cast<size_t>(y * filaD + filaD - 1)] == 0xEE);
    for (int32_t x = 0; x < d.x; ++x) {
      const Punto f = PuntoFuente({x, y}, t, k);
      Comprobar(f.x >= 0 && f.x < t.x && f.y >= 0 && f.y < t.y);
      for (int c = 0; c < bpp; ++c)
        Comprobar(destino[static_cast<size_t>(y * filaD + x * bpp + c)] ==
                  fuente[static_cast<size_t>(f.y * filaF + f.x * bpp + c)]);
    }
  }
  std::vector<uint8_t> vuelta(fuente.size());
  Comprobar(OrientarImagen(destino.data(), d, filaD, bpp, OrientacionInversa(k), vuelta.data(), filaF));
  for (int32_t y = 0; y < t.y; ++y)
    for (int64_t i = 0; i < int64_t{t.x} * bpp; ++i)
      Comprobar(vuelta[static_cast<size_t>(y * filaF + i)] == fuente[static_cast<size_t>(y * filaF + i)]);
  return 0;
}
