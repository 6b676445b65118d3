#include "Foto.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "Binario.h"
#include "Orientacion.h"

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

namespace {

uint16_t U16(const uint8_t* p, bool grande) { return grande ? uint16_t(p[0] << 8 | p[1]) : uint16_t(p[1] << 8 | p[0]); }
uint32_t U32(const uint8_t* p, bool grande) {
  return grande ? uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]
                : uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

// The frame header (SOF0-SOF15 but DHT, JPG and DAC) after the markers
// before it; each segment's length is checked against the data.
bool TamañoJpeg(const uint8_t* d, int64_t n, int64_t* w, int64_t* h) {
  int64_t i = 2;
  while (i + 4 <= n) {
    if (d[i] != 0xFF) return false;
    const uint8_t m = d[i + 1];
    if (m == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {  // no length
      i += 2;
      continue;
    }
    if (m == 0xD9 || m == 0xDA) return false;  // end, or scan data before any frame
    const int64_t largo = U16(d + i + 2, true);
    if (largo < 2 || i + 2 + largo > n) return false;
    if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
      if (largo < 7) return false;
      *h = U16(d + i + 5, true);
      *w = U16(d + i + 7, true);
      return true;
    }
    i += 2 + largo;
  }
  return false;
}

// ImageWidth (256) and ImageLength (257) of the first directory.
bool TamañoTiff(const uint8_t* d, int64_t n, int64_t* w, int64_t* h) {
  const bool grande = d[0] == 'M';
  const int64_t ifd = U32(d + 4, grande);
  if (ifd < 8 || ifd + 2 > n) return false;
  const int64_t entradas = U16(d + ifd, grande);
  bool ancho = false, alto = false;
  for (int64_t k = 0; k < entradas; ++k) {
    const int64_t e = ifd + 2 + 12 * k;
    if (e + 12 > n) return false;
    const uint16_t etiqueta = U16(d + e, grande), tipo = U16(d + e + 2, grande);
    if (etiqueta != 256 && etiqueta != 257) continue;
    int64_t valor;
    if (tipo == 3)
      valor = U16(d + e + 8, grande);
    else if (tipo == 4)
      valor = U32(d + e + 8, grande);
    else
      return false;
    (etiqueta == 256 ? *w : *h) = valor;
    (etiqueta == 256 ? ancho : alto) = true;
  }
  return ancho && alto;
}

}  // namespace

bool TamañoDeclarado(const uint8_t* d, int64_t n, int64_t* w, int64_t* h) {
  switch (DetectarTipoImagen(d, n)) {
    case TipoImagen::Png:
      // The first chunk must be the header.
      if (n < 24 || std::memcmp(d + 12, "IHDR", 4) != 0) return false;
      *w = U32(d + 16, true), *h = U32(d + 20, true);
      return true;
    case TipoImagen::Gif:
      if (n < 10) return false;
      *w = U16(d + 6, false), *h = U16(d + 8, false);
      return true;
    case TipoImagen::Bmp: {
      if (n < 26) return false;
      if (LeerU32(d + 14) == 12) {
        *w = U16(d + 18, false), *h = U16(d + 20, false);
        return true;
      }
      // A negative height is a top-down picture of that many rows.
      const int64_t alto = static_cast<int32_t>(U32(d + 22, false));
      *w = static_cast<int32_t>(U32(d + 18, false));
      *h = alto < 0 ? -alto : alto;
      return true;
    }
    case TipoImagen::Jpeg: return TamañoJpeg(d, n, w, h);
    case TipoImagen::Tiff: return n >= 8 && TamañoTiff(d, n, w, h);
    case TipoImagen::Desconocido: return false;
  }
  return false;
}

bool TamañoFotoAceptable(int64_t ancho, int64_t alto) {
  return ancho >= 1 && alto >= 1 && ancho <= kLadoMaximoFoto && alto <= kLadoMaximoFoto &&
         ancho * alto <= kPixelesMaximosFoto;
}

Punto TamañoFotoConservada(Punto foto) {
  if (foto.x < 1 || foto.y < 1) return {1, 1};
  const int64_t w = foto.x, h = foto.y;
  if (w * h <= kPixelesFotoConservada) return foto;
  const double s = std::sqrt(static_cast<double>(kPixelesFotoConservada) / static_cast<double>(w * h));
  int64_t a = std::max<int64_t>(static_cast<int64_t>(w * s), 1), b = std::max<int64_t>(static_cast<int64_t>(h * s), 1);
  // The square root may round up by a hair.
  while (a * b > kPixelesFotoConservada) (a >= b ? a : b) -= 1;
  return {static_cast<int32_t>(a), static_cast<int32_t>(b)};
}

bool EsNombreFoto(const std::string& nombre) {
  const size_t punto = nombre.rfind('.');
  if (punto == std::string::npos) return false;
  std::string ext = nombre.substr(punto + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == "jpg" || ext == "jpeg" || ext == "png" || ext == "gif" || ext == "tif" || ext == "tiff";
}

bool EsNombreImagen(const char* nombre) {
  if (!nombre) return false;
  const std::string n = nombre;
  if (EsNombreFoto(n)) return true;
  if (n.size() < 5) return false;
  std::string ext = n.substr(n.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".bmp";
}

std::string NombreConvertida(uint64_t huella) {
  char nombre[64];
  std::snprintf(nombre, sizeof nombre, "%016llx-natural.foto.bmp", static_cast<unsigned long long>(huella));
  return nombre;
}

std::string NombreNotaConvertida(uint64_t huella) {
  char nombre[32];
  std::snprintf(nombre, sizeof nombre, "%016llx.nombre", static_cast<unsigned long long>(huella));
  return nombre;
}

std::string RutaNotaConvertida(const std::string& rutaBmp) {
  // "<folder><16 hex digits>-<size>.foto.bmp"
  static constexpr char kFin[] = ".foto.bmp";
  constexpr size_t kLargoFin = sizeof kFin - 1;
  const size_t barra = rutaBmp.find_last_of("\\/:");
  const size_t inicio = barra == std::string::npos ? 0 : barra + 1;
  const std::string nombre = rutaBmp.substr(inicio);
  if (nombre.size() < 16 + 1 + kLargoFin || nombre.compare(nombre.size() - kLargoFin, kLargoFin, kFin) != 0 ||
      nombre[16] != '-')
    return {};
  for (size_t i = 0; i < 16; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(nombre[i]))) return {};
  return rutaBmp.substr(0, inicio) + nombre.substr(0, 16) + ".nombre";
}

std::string NombreSinExtension(const std::string& ruta) {
  const size_t barra = ruta.find_last_of("\\/:");
  std::string nombre = ruta.substr(barra == std::string::npos ? 0 : barra + 1);
  const size_t punto = nombre.rfind('.');
  if (punto != std::string::npos && punto > 0) nombre.resize(punto);
  return nombre;
}

std::string NombreLibre(const std::string& nombre, const std::function<bool(const std::string&)>& ocupado) {
  if (!ocupado(nombre)) return nombre;
  const size_t punto = nombre.rfind('.');
  const std::string base = punto == std::string::npos || punto == 0 ? nombre : nombre.substr(0, punto);
  const std::string ext = base.size() == nombre.size() ? std::string() : nombre.substr(punto);
  for (int n = 2; n <= 9999; ++n) {
    std::string otro = base + " (" + std::to_string(n) + ")" + ext;
    if (!ocupado(otro)) return otro;
  }
  return {};
}

uint64_t HuellaBytes(const uint8_t* datos, int64_t bytes, uint64_t semilla) {
  uint64_t h = semilla;
  for (int64_t i = 0; i < bytes; ++i) {
    h ^= datos[i];
    h *= 0x100000001b3ULL;
  }
  return h;
}

bool ConversorFoto::Empezar(Punto fuente, Punto destino, const uint8_t fondo[3], int orientacion) {
  archivo_.clear();
  escalada_.clear();
  if (!TamañoFotoAceptable(fuente.x, fuente.y) || !TamañoFotoAceptable(destino.x, destino.y)) return false;
  fuente_ = fuente;
  destino_ = destino;
  std::copy_n(fondo, 3, fondo_);
  orientacion_ = OrientacionValida(orientacion) ? orientacion : 1;
  // Scaled as stored, turned at the end: the turn then moves the fewer pixels.
  escalado_ = TamañoOrientado(destino, OrientacionInversa(orientacion_));
  fila_.assign(static_cast<size_t>(fuente.x) * 3, 0);

  // The file is made once, at its size; the scaler's rows go straight into
  // it, or, when the picture must be turned, into one plain copy first.
  const int64_t porFila = BytesFila24(destino.x);
  const int64_t inicio = kTamCabeceraArchivoBMP + 40;
  archivo_.assign(static_cast<size_t>(inicio + porFila * destino.y), 0);
  uint8_t* b = archivo_.data();
  EscribirU16(b, kFirmaBMP);
  EscribirU32(b + 2, static_cast<uint32_t>(archivo_.size()));
  EscribirU32(b + 10, static_cast<uint32_t>(inicio));
  CabeceraInfoBMP cabecera{};
  cabecera.biSize = 40;
  cabecera.biWidth = destino.x;
  cabecera.biHeight = destino.y;
  cabecera.biPlanes = 1;
  cabecera.biBitCount = 24;
  cabecera.biSizeImage = static_cast<uint32_t>(porFila * destino.y);
  EscribirCabeceraInfoBMP(b + kTamCabeceraArchivoBMP, cabecera);
  EscaladorArea::SalidaFila salida;
  if (orientacion_ == 1) {
    // The first row that comes is the picture's top: the file's last row.
    salida = [this, inicio, porFila](int32_t y, const uint8_t* bgr) {
      std::memcpy(archivo_.data() + inicio + (destino_.y - 1 - y) * porFila, bgr, static_cast<size_t>(destino_.x) * 3);
    };
  } else {
    escalada_.assign(static_cast<size_t>(escalado_.x) * 3 * static_cast<size_t>(escalado_.y), 0);
    salida = [this](int32_t y, const uint8_t* bgr) {
      const size_t porFilaEscalada = static_cast<size_t>(escalado_.x) * 3;
      std::memcpy(escalada_.data() + static_cast<size_t>(y) * porFilaEscalada, bgr, porFilaEscalada);
    };
  }
  return escalador_.EmpezarEnTiras(fuente.x, fuente.y, escalado_.x, escalado_.y, std::move(salida));
}

void ConversorFoto::AgregarFila32(const uint8_t* bgra) {
  if (escalador_.Completo()) return;
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
  if (escalador_.Completo() && orientacion_ != 1) Enderezar();
}

// Upright and top-down into the file's rows, then the rows reversed in
// place: the file keeps its bottom row first.
void ConversorFoto::Enderezar() {
  const int64_t porFila = BytesFila24(destino_.x);
  uint8_t* pixeles = archivo_.data() + kTamCabeceraArchivoBMP + 40;
  OrientarImagen(escalada_.data(), escalado_, static_cast<int64_t>(escalado_.x) * 3, 3, orientacion_, pixeles, porFila);
  for (int32_t y = 0; y < destino_.y / 2; ++y)
    std::swap_ranges(pixeles + y * porFila, pixeles + (y + 1) * porFila, pixeles + (destino_.y - 1 - y) * porFila);
  std::vector<uint8_t>().swap(escalada_);
}

const std::vector<uint8_t>& ConversorFoto::Archivo() const {
  static const std::vector<uint8_t> kNada;
  return Completo() ? archivo_ : kNada;
}

std::vector<uint8_t> ConversorFoto::TomarArchivo() {
  if (!Completo()) return {};
  std::vector<uint8_t> archivo = std::move(archivo_);
  archivo_.clear();
  return archivo;
}
