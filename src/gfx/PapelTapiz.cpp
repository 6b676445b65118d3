#include "PapelTapiz.h"

#include <algorithm>
#include <cstring>

#include "ArchivoDisco.h"
#include "Binario.h"
#include "ImagenEscalada.h"

Punto TamañoFondo(Punto imagen, Punto pantalla) {
  if (imagen.x < 1 || imagen.y < 1 || pantalla.x < 1 || pantalla.y < 1) return {1, 1};
  const double w = imagen.x, h = imagen.y;
  const double escala = pantalla.y >= pantalla.x * h / w ? pantalla.x / w : pantalla.y / h;
  return {std::max(1, static_cast<int32_t>(w * escala)), std::max(1, static_cast<int32_t>(h * escala))};
}

bool BytesFondo(ArchivoBMP& archivo, Punto pantalla, std::vector<uint8_t>* bytes) {
  if (!archivo.Abierto()) return false;
  ImagenEscalada imagen;
  if (!imagen.Leer(archivo, TamañoFondo(archivo.Tamaño(), pantalla))) return false;
  const int32_t colores = std::clamp(archivo.Colores(), 0, 256);
  CabeceraInfoBMP cabecera = *imagen.Cabecera();
  const int64_t pixeles = TamañoImagen(cabecera);
  // The size field tells the truth about the rows written.
  cabecera.biSizeImage = static_cast<uint32_t>(pixeles);
  const int64_t inicio = kTamCabeceraArchivoBMP + 40 + 4 * colores;
  bytes->assign(static_cast<size_t>(inicio + pixeles), 0);
  uint8_t* b = bytes->data();
  EscribirU16(b, kFirmaBMP);
  EscribirU32(b + 2, static_cast<uint32_t>(bytes->size()));
  EscribirU32(b + 10, static_cast<uint32_t>(inicio));
  EscribirCabeceraInfoBMP(b + kTamCabeceraArchivoBMP, cabecera);
  for (int32_t i = 0; i < colores; ++i) {
    const ColorRGBQ& c = imagen.Colores()[i];
    uint8_t* q = b + kTamCabeceraArchivoBMP + 40 + 4 * i;
    q[0] = c.rgbBlue, q[1] = c.rgbGreen, q[2] = c.rgbRed, q[3] = c.rgbReserved;
  }
  std::memcpy(b + inicio, imagen.Pixeles(), static_cast<size_t>(pixeles));
  return true;
}

bool GuardarFondo(ArchivoBMP& archivo, Punto pantalla, const char* ruta) {
  std::vector<uint8_t> bytes;
  return BytesFondo(archivo, pantalla, &bytes) &&
         EscribirArchivoEntero(ruta, bytes.data(), static_cast<int64_t>(bytes.size()));
}
