#include "Exif.h"

#include <cstring>

namespace {

// Markers that stand alone, with no length after them.
bool MarcadorSuelto(uint8_t m) { return m == 0x01 || (m >= 0xD0 && m <= 0xD7); }

constexpr uint8_t kSOI = 0xD8, kEOI = 0xD9, kSOS = 0xDA, kAPP1 = 0xE1;
constexpr uint16_t kTipoSHORT = 3;
constexpr size_t kTamEntrada = 12;  // tag, type, count, value
constexpr char kFirmaExif[6] = {'E', 'x', 'i', 'f', 0, 0};

// Reads 16 and 32 bits in the block's own byte order.
struct LectorTIFF {
  const uint8_t* datos;
  bool mayorPrimero;  // "MM": big-endian

  uint16_t U16(size_t i) const {
    const uint8_t* p = datos + i;
    return static_cast<uint16_t>(mayorPrimero ? (p[0] << 8) | p[1] : p[0] | (p[1] << 8));
  }
  uint32_t U32(size_t i) const {
    const uint32_t a = U16(i), b = U16(i + 2);
    return mayorPrimero ? (a << 16) | b : a | (b << 16);
  }
};

}  // namespace

int OrientacionTIFF(const uint8_t* datos, size_t tamaño) {
  if (!datos || tamaño < 8) return kOrientacionNormal;
  LectorTIFF l{datos, false};
  if (datos[0] == 'M' && datos[1] == 'M') {
    l.mayorPrimero = true;
  } else if (datos[0] != 'I' || datos[1] != 'I') {
    return kOrientacionNormal;
  }
  if (l.U16(2) != 42) return kOrientacionNormal;

  // IFD0 lies past the header; its entries must all be inside the block.
  const uint32_t ifd = l.U32(4);
  if (ifd < 8 || ifd > tamaño || tamaño - ifd < 2) return kOrientacionNormal;
  const size_t cuenta = l.U16(ifd);
  if ((tamaño - ifd - 2) / kTamEntrada < cuenta) return kOrientacionNormal;

  for (size_t i = 0; i < cuenta; ++i) {
    const size_t e = ifd + 2 + i * kTamEntrada;
    if (l.U16(e) != kEtiquetaOrientacion) continue;
    // The first tag 274 decides; a SHORT of count 1 sits left-aligned in
    // the value field whatever the byte order.
    if (l.U16(e + 2) != kTipoSHORT || l.U32(e + 4) != 1) return kOrientacionNormal;
    const uint16_t valor = l.U16(e + 8);
    return valor >= 1 && valor <= 8 ? valor : kOrientacionNormal;
  }
  return kOrientacionNormal;
}

int OrientacionExif(const uint8_t* datos, size_t tamaño) {
  if (!datos || tamaño < 2 || datos[0] != 0xFF || datos[1] != kSOI) return kOrientacionNormal;
  // Every turn moves `p` forward by at least one byte, so the walk ends.
  size_t p = 2;
  while (p < tamaño) {
    if (datos[p] != 0xFF) return kOrientacionNormal;  // not a marker where one must be
    while (p < tamaño && datos[p] == 0xFF) ++p;        // fill bytes
    if (p >= tamaño) return kOrientacionNormal;
    const uint8_t marcador = datos[p++];
    if (MarcadorSuelto(marcador)) continue;
    if (marcador == kSOS || marcador == kEOI || marcador == kSOI || marcador == 0x00) return kOrientacionNormal;

    // A segment: a big-endian length that counts itself, then its bytes.
    if (tamaño - p < 2) return kOrientacionNormal;
    const size_t largo = static_cast<size_t>((datos[p] << 8) | datos[p + 1]);
    if (largo < 2 || largo > tamaño - p) return kOrientacionNormal;
    const uint8_t* cuerpo = datos + p + 2;
    const size_t tamCuerpo = largo - 2;
    if (marcador == kAPP1 && tamCuerpo >= sizeof kFirmaExif &&
        std::memcmp(cuerpo, kFirmaExif, sizeof kFirmaExif) == 0)
      return OrientacionTIFF(cuerpo + sizeof kFirmaExif, tamCuerpo - sizeof kFirmaExif);
    p += largo;
  }
  return kOrientacionNormal;
}
