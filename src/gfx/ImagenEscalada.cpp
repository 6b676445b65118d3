#include "ImagenEscalada.h"

#include "EscaladoArea.h"

namespace {

// One stored row of the file (4, 8 or 24 bits) as blue, green, red.
void FilaABGR(const uint8_t* fila, int32_t ancho, int32_t bits, const ColorRGBQ* tabla, int32_t colores,
              uint8_t* bgr) {
  for (int32_t x = 0; x < ancho; ++x, bgr += 3) {
    if (bits == 24) {
      bgr[0] = fila[3 * x], bgr[1] = fila[3 * x + 1], bgr[2] = fila[3 * x + 2];
      continue;
    }
    // 4 bits: the high nibble holds the even column.
    const int32_t i = bits == 8 ? fila[x] : (x & 1) ? (fila[x >> 1] & 0x0F) : (fila[x >> 1] >> 4);
    if (i < colores) {
      bgr[0] = tabla[i].rgbBlue, bgr[1] = tabla[i].rgbGreen, bgr[2] = tabla[i].rgbRed;
    } else {
      bgr[0] = bgr[1] = bgr[2] = 0;
    }
  }
}

}  // namespace

bool ImagenEscalada::Leer(ArchivoBMP& archivo, Punto tamaño) {
  Vaciar();
  if (tamaño.x < 1 || tamaño.y < 1 || !archivo.Abierto() || !archivo.LeerInfo(&info_)) return false;
  info_.cabecera.biWidth = tamaño.x;
  info_.cabecera.biHeight = tamaño.y;
  info_.cabecera.biSizeImage = 0;
  const int64_t bytes = TamañoImagen(info_.cabecera);
  if (bytes <= 0) return false;
  pixeles_.assign(static_cast<size_t>(bytes), 0);
  if (!archivo.LeerEscalado(tamaño.x, tamaño.y, pixeles_.data())) {
    Vaciar();
    return false;
  }
  return true;
}

bool ImagenEscalada::Preparar24(Punto tamaño) {
  Vaciar();
  if (tamaño.x < 1 || tamaño.y < 1) return false;
  info_ = Info{};
  info_.cabecera = CabeceraInfoBMP{40, tamaño.x, tamaño.y, 1, 24, BI_RGB_, 0, 0, 0, 0, 0};
  pixeles_.assign(static_cast<size_t>(TamañoImagen(info_.cabecera)), 0);
  return true;
}

bool ImagenEscalada::LeerSuavizada(ArchivoBMP& archivo, Punto tamaño) {
  Vaciar();
  CabeceraInfoBMP c{};
  if (!archivo.Abierto() || archivo.Comprimido() || !archivo.LeerCabecera(&c)) return false;
  // The depths the nearest-pixel reader takes too, so that both agree on
  // which pictures can be shown.
  const int32_t bits = c.biBitCount;
  if (bits != 4 && bits != 8 && bits != 24) return false;
  ColorRGBQ tabla[256] = {};
  const int32_t colores = archivo.Colores();
  if (bits <= 8 && (colores > 256 || !archivo.LeerColores(0, colores, tabla))) return false;
  EscaladorArea escalador;
  if (!escalador.Empezar(c.biWidth, c.biHeight, tamaño.x, tamaño.y) || !Preparar24(tamaño)) return false;
  std::vector<uint8_t> fila(static_cast<size_t>(BytesFila(c.biWidth, bits)));
  std::vector<uint8_t> bgr(static_cast<size_t>(c.biWidth) * 3);
  // Bottom row first, as the file hands them out and as the target keeps them.
  for (int32_t y = 0; y < c.biHeight; ++y) {
    if (!archivo.LeerFilas(y, 1, fila.data())) {
      Vaciar();
      return false;
    }
    FilaABGR(fila.data(), c.biWidth, bits, tabla, colores, bgr.data());
    escalador.AgregarFila(bgr.data());
  }
  const int64_t paso = BytesFila(tamaño.x, 24);
  for (int32_t y = 0; y < tamaño.y; ++y) escalador.LeerFila(y, pixeles_.data() + y * paso);
  return true;
}

bool ImagenEscalada::Escalar(const ImagenEscalada& fuente, Punto tamaño) {
  if (&fuente == this || fuente.Vacia() || fuente.info_.cabecera.biBitCount != 24) return false;
  const Punto t = fuente.Tamaño();
  if (!Preparar24(tamaño)) return false;
  return EscalarPromedio(fuente.Pixeles(), t.x, t.y, BytesFila(t.x, 24), pixeles_.data(), tamaño.x, tamaño.y,
                         BytesFila(tamaño.x, 24));
}

void ImagenEscalada::Vaciar() { std::vector<uint8_t>().swap(pixeles_); }
