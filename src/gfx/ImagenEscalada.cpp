#include "ImagenEscalada.h"

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

void ImagenEscalada::Vaciar() { std::vector<uint8_t>().swap(pixeles_); }
