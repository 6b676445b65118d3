#include "Exif.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

struct Entrada {
  uint16_t etiqueta, tipo;
  uint32_t cuenta, valor;
};

// Writes 16 and 32 bits in either byte order.
struct Escritor {
  bool mayorPrimero;
  Bytes b;
  void U16(uint16_t v) {
    if (mayorPrimero) b.insert(b.end(), {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
    else b.insert(b.end(), {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)});
  }
  void U32(uint32_t v) {
    if (mayorPrimero) U16(static_cast<uint16_t>(v >> 16)), U16(static_cast<uint16_t>(v));
    else U16(static_cast<uint16_t>(v)), U16(static_cast<uint16_t>(v >> 16));
  }
};

// A TIFF block: header, IFD0 at `ifd` (8 unless told) with `entradas`
// (their count `cuenta` unless told), then a next-IFD link of 0. A SHORT of
// count 1 sits left-aligned in its value field, as writers put it.
Bytes BloqueTIFF(bool mayorPrimero, const std::vector<Entrada>& entradas, int64_t cuenta = -1, uint32_t ifd = 8) {
  Escritor e{mayorPrimero, {}};
  e.b = mayorPrimero ? Bytes{'M', 'M'} : Bytes{'I', 'I'};
  e.U16(42);
  e.U32(ifd);
  e.U16(static_cast<uint16_t>(cuenta < 0 ? static_cast<int64_t>(entradas.size()) : cuenta));
  for (const Entrada& en : entradas) {
    e.U16(en.etiqueta);
    e.U16(en.tipo);
    e.U32(en.cuenta);
    if (en.tipo == 3 && en.cuenta == 1) e.U16(static_cast<uint16_t>(en.valor)), e.U16(0);
    else e.U32(en.valor);
  }
  e.U32(0);
  return e.b;
}

// What a camera's IFD0 looks like: a few tags around the orientation.
std::vector<Entrada> EntradasCamara(uint32_t orientacion) {
  return {{0x010F, 2, 6, 0x40}, {0x0110, 2, 8, 0x48}, {0x0112, 3, 1, orientacion}, {0x011A, 5, 1, 0x50}};
}

Bytes Segmento(uint8_t marcador, const Bytes& cuerpo) {
  Bytes s{0xFF, marcador, static_cast<uint8_t>((cuerpo.size() + 2) >> 8), static_cast<uint8_t>(cuerpo.size() + 2)};
  s.insert(s.end(), cuerpo.begin(), cuerpo.end());
  return s;
}

Bytes APP1Exif(const Bytes& tiff) {
  Bytes cuerpo{'E', 'x', 'i', 'f', 0, 0};
  cuerpo.insert(cuerpo.end(), tiff.begin(), tiff.end());
  return Segmento(0xE1, cuerpo);
}

const Bytes kAPP0 = Segmento(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kDQT = Segmento(0xDB, Bytes(65, 1));

// SOI, the given segments (raw bytes), a scan with a little entropy data,
// EOI.
Bytes JPEG(const std::vector<Bytes>& partes) {
  Bytes j{0xFF, 0xD8};
  for (const Bytes& p : partes) j.insert(j.end(), p.begin(), p.end());
  const Bytes sos = Segmento(0xDA, {1, 1, 0, 0, 63, 0});
  j.insert(j.end(), sos.begin(), sos.end());
  j.insert(j.end(), {0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56, 0xFF, 0xD9});
  return j;
}

// Reads a copy of exactly `n` bytes, so a read past the end is caught by
// the sanitizer rather than landing in the vector's spare room.
int Leer(const Bytes& b, size_t n) {
  const Bytes copia(b.begin(), b.begin() + static_cast<ptrdiff_t>(n));
  return OrientacionExif(copia.data(), copia.size());
}
int Leer(const Bytes& b) { return Leer(b, b.size()); }

std::string Orden(bool mayorPrimero) { return mayorPrimero ? "MM" : "II"; }

TEST(Exif, ReadsEachOrientationInBothByteOrders) {
  for (bool mayorPrimero : {false, true})
    for (uint32_t k = 1; k <= 8; ++k) {
      SCOPED_TRACE(Orden(mayorPrimero) + " " + std::to_string(k));
      EXPECT_EQ(Leer(JPEG({kAPP0, APP1Exif(BloqueTIFF(mayorPrimero, EntradasCamara(k))), kDQT})), static_cast<int>(k));
      // The tag alone in IFD0, and a block read on its own.
      const Bytes solo = BloqueTIFF(mayorPrimero, {{0x0112, 3, 1, k}});
      EXPECT_EQ(Leer(JPEG({APP1Exif(solo)})), static_cast<int>(k));
      EXPECT_EQ(OrientacionTIFF(solo.data(), solo.size()), static_cast<int>(k));
    }
}

TEST(Exif, WalksFillBytesAndStandaloneMarkers) {
  Bytes j{0xFF, 0xD8, 0xFF, 0xFF, 0xFF};  // fill bytes before APP0's marker
  j.insert(j.end(), kAPP0.begin() + 1, kAPP0.end());
  j.insert(j.end(), {0xFF, 0x01, 0xFF, 0xD3, 0xFF, 0xFF, 0xD7});  // TEM, RST3, filled RST7
  const Bytes app1 = APP1Exif(BloqueTIFF(true, EntradasCamara(6)));
  j.insert(j.end(), app1.begin(), app1.end());
  EXPECT_EQ(Leer(j), 6);
}

TEST(Exif, GivesOneWithoutAnOrientation) {
  EXPECT_EQ(OrientacionExif(nullptr, 0), 1);
  EXPECT_EQ(Leer(Bytes{}), 1);
  EXPECT_EQ(Leer(Bytes{0xFF, 0xD8}), 1);
  EXPECT_EQ(Leer(JPEG({kAPP0, kDQT})), 1) << "no APP1";
  EXPECT_EQ(Leer(JPEG({Segmento(0xE1, {'h', 't', 't', 'p', ':', 0})})), 1) << "APP1 not Exif";
  EXPECT_EQ(Leer(JPEG({Segmento(0xE1, {'E', 'x', 'i', 'f', 0})})), 1) << "signature cut short";
  EXPECT_EQ(Leer(JPEG({APP1Exif(BloqueTIFF(false, {{0x010F, 2, 6, 0x40}, {0x011A, 5, 1, 0x50}}))})), 1)
      << "Exif without tag 274";
  EXPECT_EQ(Leer(JPEG({APP1Exif(BloqueTIFF(false, {}))})), 1) << "empty IFD0";
  // Metadata after the scan starts is not the file's header.
  Bytes tarde = JPEG({kAPP0});
  const Bytes app1 = APP1Exif(BloqueTIFF(false, EntradasCamara(6)));
  tarde.insert(tarde.end() - 2, app1.begin(), app1.end());
  EXPECT_EQ(Leer(tarde), 1);
  // Not a JPEG at all: a TIFF file, text.
  const Bytes tiff = BloqueTIFF(false, EntradasCamara(6));
  EXPECT_EQ(Leer(tiff), 1);
  EXPECT_EQ(Leer(Bytes{'E', 'x', 'i', 'f'}), 1);
}

TEST(Exif, SkipsOtherAPP1AndTheFirstExifDecides) {
  const Bytes otro = Segmento(0xE1, {'h', 't', 't', 'p', ':', '/', '/', 0, 'x'});
  const Bytes seis = APP1Exif(BloqueTIFF(false, EntradasCamara(6)));
  const Bytes tres = APP1Exif(BloqueTIFF(true, EntradasCamara(3)));
  const Bytes sinEtiqueta = APP1Exif(BloqueTIFF(false, {{0x010F, 2, 6, 0x40}}));
  const Bytes roto = APP1Exif({'I', 'I', 43, 0});
  EXPECT_EQ(Leer(JPEG({otro, seis})), 6);
  EXPECT_EQ(Leer(JPEG({tres, seis})), 3);
  EXPECT_EQ(Leer(JPEG({sinEtiqueta, seis})), 1);
  EXPECT_EQ(Leer(JPEG({roto, seis})), 1);
}

TEST(Exif, RefusesATagOfTheWrongShapeOrValue) {
  for (bool mayorPrimero : {false, true}) {
    SCOPED_TRACE(Orden(mayorPrimero));
    const std::vector<Entrada> malas[] = {
        {{0x0112, 4, 1, 6}},                       // LONG: its low half would read as 6 in "II"
        {{0x0112, 3, 2, 6}},                       // two SHORTs
        {{0x0112, 3, 0, 6}},                       // none
        {{0x0112, 3, 1, 0}},                       // values outside 1 to 8
        {{0x0112, 3, 1, 9}},
        {{0x0112, 3, 1, 0xFFFF}},
        {{0x0112, 3, 1, 0x0106}},                  // 262: only one of its bytes says 6
        {{0x0112, 4, 1, 0}, {0x0112, 3, 1, 6}},    // the first tag 274 decides
    };
    for (const auto& m : malas) EXPECT_EQ(Leer(JPEG({APP1Exif(BloqueTIFF(mayorPrimero, m))})), 1);
  }
}

TEST(Exif, RefusesABrokenTIFFHeader) {
  Bytes b = BloqueTIFF(false, EntradasCamara(6));
  ASSERT_EQ(OrientacionTIFF(b.data(), b.size()), 6);
  const auto Con = [&](size_t i, uint8_t v) {
    Bytes c = b;
    c[i] = v;
    return Leer(JPEG({APP1Exif(c)}));
  };
  EXPECT_EQ(Con(1, 'M'), 1) << "mixed byte order";
  EXPECT_EQ(Con(0, 'M'), 1);
  EXPECT_EQ(Con(2, 43), 1) << "magic";
  EXPECT_EQ(Con(3, 42), 1) << "magic in the other byte order";
  EXPECT_EQ(OrientacionTIFF(b.data(), 7), 1);
}

TEST(Exif, KeepsTheIFDInsideItsBlock) {
  const std::vector<Entrada> en = EntradasCamara(8);
  const size_t tamaño = BloqueTIFF(false, en).size();
  for (bool mayorPrimero : {false, true}) {
    SCOPED_TRACE(Orden(mayorPrimero));
    // IFD0 inside the header, at the very end, past it, where 32 bits wrap.
    for (uint32_t ifd : {0u, 4u, 7u, static_cast<uint32_t>(tamaño - 1), static_cast<uint32_t>(tamaño),
                         static_cast<uint32_t>(tamaño + 100), 0xFFFFFFF0u, 0xFFFFFFFFu})
      EXPECT_EQ(Leer(JPEG({APP1Exif(BloqueTIFF(mayorPrimero, en, -1, ifd))})), 1) << ifd;
    // A count that runs past the block, by one entry or by far.
    for (int64_t cuenta : {5, 6, 100, 0xFFFF})
      EXPECT_EQ(Leer(JPEG({APP1Exif(BloqueTIFF(mayorPrimero, en, cuenta))})), 1) << cuenta;
    // Without the next-IFD link the entries still fit: enough to read.
    Bytes sinEnlace = BloqueTIFF(mayorPrimero, en);
    sinEnlace.resize(sinEnlace.size() - 4);
    EXPECT_EQ(Leer(JPEG({APP1Exif(sinEnlace)})), 8);
    sinEnlace.pop_back();
    EXPECT_EQ(Leer(JPEG({APP1Exif(sinEnlace)})), 1);
  }
  // IFD0 placed later in the block, past some padding, is read there.
  Bytes lejos = BloqueTIFF(true, en, -1, 20);
  lejos.insert(lejos.begin() + 8, 12, 0xAB);
  EXPECT_EQ(Leer(JPEG({APP1Exif(lejos)})), 8);
}

TEST(Exif, KeepsSegmentsInsideTheFile) {
  const Bytes app1 = APP1Exif(BloqueTIFF(false, EntradasCamara(6)));
  // The segment's own length bounds the block, even when the file goes on
  // (here with the scan's bytes): shortened by the link, the last entry
  // still fits; by one byte more, it does not.
  Bytes fuera = APP1Exif(BloqueTIFF(false, {{0x010F, 2, 6, 0x40}, {0x0112, 3, 1, 6}}));
  fuera[3] = static_cast<uint8_t>(fuera[3] - 4);
  EXPECT_EQ(Leer(JPEG({fuera})), 6);
  fuera[3] = static_cast<uint8_t>(fuera[3] - 1);
  EXPECT_EQ(Leer(JPEG({fuera})), 1);

  // Lengths that run past the buffer, or cannot count themselves.
  for (uint16_t largo : {0, 1, 0xFFFF}) {
    SCOPED_TRACE(largo);
    Bytes app0 = kAPP0, exif = app1;
    app0[2] = exif[2] = static_cast<uint8_t>(largo >> 8);
    app0[3] = exif[3] = static_cast<uint8_t>(largo);
    EXPECT_EQ(Leer(JPEG({app0, app1})), 1);
    EXPECT_EQ(Leer(JPEG({exif})), 1);
  }
  // Bytes where a marker must be, and markers that cannot come here.
  for (const Bytes& entre : {Bytes{0x00}, Bytes{0xFF, 0x00}, Bytes{0xFF, 0xD8}, Bytes{0xFF, 0xD9}}) {
    EXPECT_EQ(Leer(JPEG({kAPP0, entre, app1})), 1);
  }
}

TEST(Exif, TruncatedAtEveryByteGivesOneOrTheValue) {
  for (bool mayorPrimero : {false, true}) {
    SCOPED_TRACE(Orden(mayorPrimero));
    const Bytes app1 = APP1Exif(BloqueTIFF(mayorPrimero, EntradasCamara(7)));
    const Bytes j = JPEG({kAPP0, app1, kDQT});
    // The orientation counts once its whole segment is there.
    const size_t fin = 2 + kAPP0.size() + app1.size();
    for (size_t n = 0; n <= j.size(); ++n) EXPECT_EQ(Leer(j, n), n >= fin ? 7 : 1) << n;
    // The bare block cut anywhere: the value once its entry is whole.
    const Bytes tiff = BloqueTIFF(mayorPrimero, EntradasCamara(7));
    const size_t entrada = 8 + 2 + 4 * 12;  // all four entries
    for (size_t n = 0; n <= tiff.size(); ++n) {
      const Bytes c(tiff.begin(), tiff.begin() + static_cast<ptrdiff_t>(n));
      EXPECT_EQ(OrientacionTIFF(c.data(), c.size()), n >= entrada ? 7 : 1) << n;
    }
  }
}

}  // namespace
