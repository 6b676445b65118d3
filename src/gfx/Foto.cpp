#include "Foto.h"

#include <algorithm>
#include <cstring>

#include "Binario.h"

namespace {

bool Empieza(const uint8_t* datos, int64_t bytes, const char* firma, int64_t largo) {
  return bytes >= largo && std::memcmp(datos, firma, static_cast<size_t>(largo)) == 0;
}

int64_t BytesFila24(int32_t ancho) { return (static_cast<int64_t>(ancho) * 3 + 3) & ~int64_t{3}; }

}  // namespace

TipoImagen DetectarTipoImagen(const uint8_t* datos, int64_t bytes) {
  if (!datos || bytes < 2) return TipoImagen::Desconocido;
  if (Empieza(datos, bytes, "\xFF\xD8\xFF", 3)) return TipoImagen::Jpeg;
  if (Empieza(datos, bytes, "\x89PNG\r\n\x1A\n", 8)) return TipoImagen::Png;
  if (Empieza(datos, bytes, "GIF87a", 6) || Empieza(datos, bytes, "GIF89a", 6)) return TipoImagen::Gif;
  if (Empieza(datos, bytes, "II*\0", 4) || Empieza(datos, bytes, "MM\0*", 4)) return TipoImagen::Tiff;
  // Two letters are a weak sign: the info header's size must follow.
  if (Empieza(datos, bytes, "BM", 2) && bytes >= 18) {
    const uint32_t info = LeerU32(datos + 14);
    if (info == 12 || info == 40 || info == 52 || info == 56 || info == 64 || info == 108 || info == 124)
      return TipoImagen::Bmp;
  }
  return TipoImagen::Desconocido;
}

bool TamañoFotoAceptable(int64_t ancho, int64_t alto) {
  return ancho >= 1 && alto >= 1 && ancho <= kLadoMaximoFoto && alto <= kLadoMaximoFoto &&
         ancho * alto <= kPixelesMaximosFoto;
}

Punto TamañoFotoParaMesa(Punto foto, Punto mesa) {
  if (foto.x < 1 || foto.y < 1 || mesa.x < 1 || mesa.y < 1) return {1, 1};
  if (foto.x <= mesa.x && foto.y <= mesa.y) return foto;
  // The side that fits takes the table's length; the other is truncated.
  const int64_t w = foto.x, h = foto.y, W = mesa.x, H = mesa.y;
  const Punto t = W * h > H * w ? Punto{static_cast<int32_t>(w * H / h), static_cast<int32_t>(H)}
                                : Punto{static_cast<int32_t>(W), static_cast<int32_t>(h * W / w)};
  return {std::max(t.x, 1), std::max(t.y, 1)};
}

uint64_t HuellaBytes(const uint8_t* datos, int64_t bytes, uint64_t semilla) {
  uint64_t h = semilla;
  for (int64_t i = 0; i < bytes; ++i) {
    h ^= datos[i];
    h *= 0x100000001b3ULL;
  }
  return h;
}

bool ConversorFoto::Empezar(Punto fuente, Punto destino, const uint8_t fondo[3]) {
  if (!TamañoFotoAceptable(fuente.x, fuente.y) || !TamañoFotoAceptable(destino.x, destino.y)) return false;
  fuente_ = fuente;
  destino_ = destino;
  std::copy_n(fondo, 3, fondo_);
  fila_.assign(static_cast<size_t>(fuente.x) * 3, 0);
  return escalador_.Empezar(fuente.x, fuente.y, destino.x, destino.y);
}

void ConversorFoto::AgregarFila32(const uint8_t* bgra) {
  uint8_t* d = fila_.data();
  for (int32_t x = 0; x < fuente_.x; ++x, bgra += 4, d += 3) {
    const uint32_t a = bgra[3];
    if (a == 255) {
      d[0] = bgra[0], d[1] = bgra[1], d[2] = bgra[2];
    } else {
      for (int k = 0; k < 3; ++k) d[k] = static_cast<uint8_t>((bgra[k] * a + fondo_[k] * (255 - a) + 127) / 255);
    }
  }
  escalador_.AgregarFila(fila_.data());
}

std::vector<uint8_t> ConversorFoto::Archivo() const {
  if (!Completo()) return {};
  const int64_t porFila = BytesFila24(destino_.x);
  const int64_t pixeles = porFila * destino_.y;
  const int64_t inicio = kTamCabeceraArchivoBMP + 40;
  std::vector<uint8_t> bytes(static_cast<size_t>(inicio + pixeles), 0);
  uint8_t* b = bytes.data();
  EscribirU16(b, kFirmaBMP);
  EscribirU32(b + 2, static_cast<uint32_t>(bytes.size()));
  EscribirU32(b + 10, static_cast<uint32_t>(inicio));
  CabeceraInfoBMP cabecera{};
  cabecera.biSize = 40;
  cabecera.biWidth = destino_.x;
  cabecera.biHeight = destino_.y;
  cabecera.biPlanes = 1;
  cabecera.biBitCount = 24;
  cabecera.biSizeImage = static_cast<uint32_t>(pixeles);
  EscribirCabeceraInfoBMP(b + kTamCabeceraArchivoBMP, cabecera);
  // The first row that came is the picture's top: the file's last row.
  for (int32_t y = 0; y < destino_.y; ++y) escalador_.LeerFila(y, b + inicio + (destino_.y - 1 - y) * porFila);
  return bytes;
}
