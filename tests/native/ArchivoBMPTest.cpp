#include "ArchivoBMP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AyudaVerificar.h"
#include "BmpSintetico.h"

namespace {

namespace fs = std::filesystem;

// Reads into a buffer of exactly the target's size, pre-filled so that
// untouched bytes show.
std::vector<uint8_t> Escalado(ArchivoBMP& bmp, int32_t ancho, int32_t alto, bool* ok = nullptr) {
  std::vector<uint8_t> b(static_cast<size_t>(BytesFila(ancho, bmp.BitsPorPixel()) * std::abs(alto)), 0xAA);
  const bool r = bmp.LeerEscalado(ancho, alto, b.data());
  if (ok) *ok = r;
  return b;
}
std::vector<uint8_t> Pixeles(ArchivoBMP& bmp, bool* ok = nullptr) {
  CabeceraInfoBMP c{};
  bmp.LeerCabecera(&c);
  std::vector<uint8_t> b(static_cast<size_t>(TamañoImagen(c)), 0xAA);
  const bool r = bmp.LeerPixeles(b.data());
  if (ok) *ok = r;
  return b;
}

std::string Suite(const std::string& relativo) { return std::string(TESSERA_BMPSUITE_DIR) + "/" + relativo; }
#define REQUIERE_SUITE()                                                              \
  do {                                                                                \
    if (!fs::is_directory(TESSERA_BMPSUITE_DIR)) {                                    \
      GTEST_SKIP() << "no BMP corpus at " << TESSERA_BMPSUITE_DIR;                    \
    }                                                                                 \
  } while (0)

using Modelo = std::function<void(BmpSintetico&)>;
using Bytes = std::function<void(std::vector<uint8_t>&)>;

TEST(ArchivoBMPAbrir, OpensWhatItCanDescribeAndRefusesTheRestLeavingItClosed) {
  CarpetaTemporal dir;
  const std::string bueno = dir.Escribir(BmpSintetico{}.Bytes(), "bueno.bmp");
  struct Caso { const char* nombre; Modelo modelo; Bytes bytes; int32_t colores; };  // colores -1: refused
  const Caso casos[] = {
      {"8 bits, count 0 means 256", {}, {}, 256},
      {"4 bits, count 0 means 16", [](auto& m) { m.bits = 4; }, {}, 16},
      {"24 bits, no table", [](auto& m) { m.bits = 24; }, {}, 0},
      {"1 bit with a count", [](auto& m) { m.bits = 1, m.clrUsed = 2; }, {}, 2},
      {"16 bits with a count", [](auto& m) { m.bits = 16, m.clrUsed = 4; }, {}, 4},
      {"run-length 8 bits", [](auto& m) { m.compresion = 1; }, {}, 256},
      {"124-byte header, top-down", [](auto& m) { m.tamInfo = 124, m.alto = -2; }, {}, 256},
      {"signature BA", {}, [](auto& b) { b[1] = 'A'; }, -1},
      {"shorter than both headers", {}, [](auto& b) { b.resize(50); }, -1},
      {"core header", [](auto& m) { m.tamInfo = 12; }, {}, -1},
      {"width 0", [](auto& m) { m.ancho = 0; }, {}, -1},
      {"negative width", [](auto& m) { m.ancho = -2; }, {}, -1},
      {"height 0", [](auto& m) { m.alto = 0, m.pixeles = {0, 0, 0, 0}; }, {}, -1},
      {"absurd width", [](auto& m) { m.ancho = 40000, m.alto = 1; }, {}, -1},
      {"absurd top-down height", [](auto& m) { m.alto = -40000, m.pixeles = {0, 0, 0, 0}; }, {}, -1},
      {"image bytes beyond 32 bits", [](auto& m) { m.ancho = m.alto = 32768, m.bits = 32, m.pixeles = {0}; }, {}, -1},
      {"two planes", [](auto& m) { m.planos = 2; }, {}, -1},
      {"bit fields", [](auto& m) { m.bits = 32, m.compresion = 3; }, {}, -1},
      {"16 bits without a count", [](auto& m) { m.bits = 16; }, {}, -1},
      {"1 bit without a count", [](auto& m) { m.bits = 1; }, {}, -1},
      {"no such depth", [](auto& m) { m.bits = 7, m.clrUsed = 2; }, {}, -1},
      {"more colours than 256", [](auto& m) { m.bits = 24, m.clrUsed = 300; }, {}, -1},
      {"more colours than 4 bits name", [](auto& m) { m.bits = 4, m.clrUsed = 17; }, {}, -1},
      {"pixels over the table", [](auto& m) { m.offBits = 14 + 40 + 4 * 256 - 4; }, {}, -1},
      {"pixels past the end", [](auto& m) { m.offBits = 100000; }, {}, -1},
      {"table cut short", {}, [](auto& b) { b.resize(54 + 400); }, -1},
  };
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    BmpSintetico m;
    if (caso.modelo) caso.modelo(m);
    std::vector<uint8_t> bytes = m.Bytes();
    if (caso.bytes) caso.bytes(bytes);
    ArchivoBMP bmp;
    ASSERT_TRUE(bmp.Abrir(bueno.c_str()));
    EXPECT_SIN_VERIFICAR(EXPECT_EQ(bmp.Abrir(dir.Escribir(bytes).c_str()), caso.colores >= 0));
    EXPECT_EQ(bmp.Abierto(), caso.colores >= 0);
    EXPECT_EQ(bmp.Colores(), std::max(caso.colores, 0));
    EXPECT_EQ(bmp.Comprimido(), m.compresion != 0 && caso.colores >= 0);
    EXPECT_EQ(bmp.Tamaño().y, caso.colores >= 0 ? 2 : 0);  // a magnitude even for top-down
    EXPECT_EQ(bmp.Ruta(nullptr, 0) > 0, caso.colores >= 0);
  }
}

TEST(ArchivoBMPAbrir, PreconditionsTheKeptPathAndAClosedObject) {
  CarpetaTemporal dir;
  ArchivoBMP bmp;
  uint8_t b[1064];
  EXPECT_SIN_VERIFICAR({  // closed: every reader says no
    EXPECT_FALSE(bmp.LeerInfo(b));
    EXPECT_FALSE(bmp.LeerColores(0, 1, reinterpret_cast<ColorRGBQ*>(b)));
    EXPECT_FALSE(bmp.LeerPixeles(b));
    EXPECT_FALSE(bmp.LeerEscalado(2, 2, b));
  });
  EXPECT_VERIFICAR(bmp.Abrir(nullptr), "Nombre de Archivo Invalido");
  EXPECT_VERIFICAR(bmp.Abrir(std::string(260, 'a').c_str()), "Path Muy Grande");
  EXPECT_SIN_VERIFICAR(EXPECT_FALSE(bmp.Abrir(std::string(259, 'a').c_str())));

  const std::string ruta = dir.Escribir(BmpSintetico{});
  ASSERT_TRUE(bmp.Abrir(ruta.c_str()));
  const int32_t n = bmp.Ruta(nullptr, 0);
  ASSERT_EQ(n, static_cast<int32_t>(ruta.size()) + 1);
  std::string copia(static_cast<size_t>(n), 'x');
  EXPECT_EQ(bmp.Ruta(copia.data(), n - 1), n);
  EXPECT_EQ(copia, std::string(static_cast<size_t>(n), 'x'));  // no room: untouched
  bmp.Ruta(copia.data(), n);
  EXPECT_STREQ(copia.c_str(), ruta.c_str());
}

TEST(ArchivoBMPLeer, LongHeaderTopDownFileWithGapReadsAsAPlainBottomUpOne) {
  CarpetaTemporal dir;
  BmpSintetico m;
  m.tamInfo = 108, m.alto = -3, m.clrUsed = 6, m.hueco = 12, m.ancho = 5;
  ArchivoBMP bmp;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(m.Pintar([](int x, int y) { return 10 * y + x; })).c_str()));

  std::vector<uint8_t> info(40 + 4 * 256, 0xAA);
  ASSERT_TRUE(bmp.LeerInfo(info.data()));
  EXPECT_EQ(LeerU32(&info[0]), 40u);  // the colours follow these 40 bytes
  EXPECT_EQ(LeerI32(&info[8]), 3);
  EXPECT_EQ(LeerU32(&info[40 + 4 * 5]), 5u | (250u << 8) | (7u << 16));
  EXPECT_EQ(info[40 + 4 * 6], 0xAA);
  ColorRGBQ dos[2];
  ASSERT_TRUE(bmp.LeerColores(3, 2, dos));
  EXPECT_EQ(dos[1].rgbBlue, 4);
  EXPECT_VERIFICAR(bmp.LeerColores(5, 2, dos), "Valor invalido");
  EXPECT_VERIFICAR(bmp.LeerColores(-1, 1, dos), "Valor invalido");
  EXPECT_VERIFICAR(bmp.LeerColores(0, 1, nullptr), "puntero invalido");
  EXPECT_VERIFICAR(bmp.LeerInfo(nullptr), "Puntero Invalido");

  bool ok = false;
  const std::vector<uint8_t> px = Pixeles(bmp, &ok);
  ASSERT_TRUE(ok);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(px[static_cast<size_t>(8 * y + x)], 10 * y + x);
}

TEST(ArchivoBMPLeer, ShortCompressedAndUnhandledFilesGiveFalse) {
  CarpetaTemporal dir;
  BmpSintetico m;
  m.ancho = m.alto = 4;
  std::vector<uint8_t> bytes = m.Pintar([](int x, int y) { return 1 + 4 * y + x; }).Bytes();
  bytes.resize(bytes.size() - 6);  // a row and a half missing
  ArchivoBMP bmp;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(bytes).c_str()));
  bool ok = true;
  const std::vector<uint8_t> px = Pixeles(bmp, &ok);
  EXPECT_FALSE(ok);
  EXPECT_EQ(px[9], 10);    // what the file holds is read...
  EXPECT_EQ(px[10], 0xAA);  // ...and nothing more written
  Escalado(bmp, 4, 4, &ok);
  EXPECT_FALSE(ok);
  Escalado(bmp, 2, 1, &ok);  // needs row 0 only
  EXPECT_TRUE(ok);

  BmpSintetico rle;
  rle.compresion = 1;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(rle).c_str()));
  Pixeles(bmp, &ok);
  EXPECT_FALSE(ok);
  Escalado(bmp, 2, 2, &ok);
  EXPECT_FALSE(ok);

  for (uint16_t bits : {1, 2, 16, 32}) {
    BmpSintetico p;
    p.bits = bits, p.clrUsed = 2;
    ASSERT_TRUE(bmp.Abrir(dir.Escribir(p).c_str()));
    testing::internal::CaptureStderr();
    Escalado(bmp, 2, 2, &ok);
    EXPECT_FALSE(ok) << bits;
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "esta funcion no soporta estos formatos\r\n");
  }
}

TEST(ArchivoBMPEscalado, ShrinkingTakesEveryNthRowAndColumnFromTheFirst) {
  CarpetaTemporal dir;
  BmpSintetico m;
  m.ancho = 640, m.alto = 480, m.bits = 24;
  // Blue and green: low bytes of x and y; red: their high bits.
  m.Pintar([](uint32_t x, uint32_t y) { return (x & 0xFF) | (y & 0xFF) << 8 | (x >> 8 | (y >> 8) << 4) << 16; });
  ArchivoBMP bmp;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(m).c_str()));
  bool ok = false;
  const std::vector<uint8_t> b = Escalado(bmp, 160, 120, &ok);
  ASSERT_TRUE(ok);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) {
      const uint8_t* p = &b[static_cast<size_t>(480 * y + 3 * x)];
      ASSERT_EQ((p[2] & 0xF) << 8 | p[0], 4 * x);
      ASSERT_EQ((p[2] >> 4) << 8 | p[1], 4 * y);
    }
}

TEST(ArchivoBMPEscalado, EnlargingRepeatsRowsAndColumnsAndANegativeHeightFlips) {
  CarpetaTemporal dir;
  BmpSintetico m;  // 2 x 2
  ArchivoBMP bmp;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(m.Pintar([](int x, int y) { return 10 * y + x; })).c_str()));
  const std::vector<uint8_t> arriba = Escalado(bmp, 4, 5), abajo = Escalado(bmp, 4, -5);
  const int filas[5] = {0, 0, 1, 1, 1};
  for (size_t y = 0; y < 5; ++y) {
    const uint8_t f = static_cast<uint8_t>(10 * filas[y]);
    const std::vector<uint8_t> esperada = {f, f, uint8_t(f + 1), uint8_t(f + 1)};
    EXPECT_EQ(std::vector<uint8_t>(&arriba[4 * y], &arriba[4 * y + 4]), esperada);
    EXPECT_EQ(std::vector<uint8_t>(&abajo[4 * (4 - y)], &abajo[4 * (4 - y) + 4]), esperada);
  }
  EXPECT_VERIFICAR(Escalado(bmp, 0, 5), "Valores Invalidos");
  EXPECT_VERIFICAR(Escalado(bmp, 4, 0), "Valores Invalidos");
  EXPECT_VERIFICAR(bmp.LeerEscalado(4, 5, nullptr), "Puntero Invalido");
}

TEST(ArchivoBMPEscalado, RowsStayInsideThePictureForEverySizePair) {
  CarpetaTemporal dir;  // each file ends right after its last row
  for (int32_t s = 1; s <= 12; ++s) {
    BmpSintetico m;
    m.ancho = 1, m.alto = s;
    ArchivoBMP bmp;
    ASSERT_TRUE(bmp.Abrir(dir.Escribir(m.Pintar([](int, int y) { return y; })).c_str()));
    for (int32_t d = 1; d <= 60; ++d) {
      SCOPED_TRACE(testing::Message() << s << " rows to " << d);
      bool ok = false;
      const std::vector<uint8_t> b = Escalado(bmp, 1, d, &ok);
      ASSERT_TRUE(ok);
      ASSERT_EQ(b[0], 0);
      for (size_t y = 1; y < static_cast<size_t>(d); ++y) {
        const int paso = b[4 * y] - b[4 * y - 4];
        ASSERT_TRUE(d <= s ? paso >= 1 : paso == 0 || paso == 1) << "row " << y;
      }
      if (d >= s) {
        ASSERT_EQ(b[4 * static_cast<size_t>(d - 1)], s - 1);  // every row shown
      }
    }
  }
}

TEST(ArchivoBMPEscalado, FourBitsMovesNibbles) {
  CarpetaTemporal dir;
  BmpSintetico m;
  m.ancho = 5, m.alto = 1, m.bits = 4;
  ArchivoBMP bmp;
  ASSERT_TRUE(bmp.Abrir(dir.Escribir(m.Pintar([](int x, int) { return x + 1; })).c_str()));
  EXPECT_EQ(Escalado(bmp, 10, 1), (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44, 0x55, 0, 0, 0}));
  EXPECT_EQ(Escalado(bmp, 3, 1), (std::vector<uint8_t>{0x12, 0x40, 0, 0}));  // columns 0, 1, 3
}

TEST(ArchivoBMPCorpus, EveryFileOpensOrIsRefusedAndReadsSafely) {
  REQUIERE_SUITE();
  ArchivoBMP bmp;
  for (const char* f : {"g/pal1.bmp", "g/pal4.bmp", "g/pal8-0.bmp", "g/pal8v5.bmp", "g/pal8rle.bmp",
                        "g/rgb32.bmp", "q/pal8offs.bmp", "b/shortfile.bmp"})
    EXPECT_TRUE(bmp.Abrir(Suite(f).c_str())) << f;
  for (const char* f : {"g/pal8os2.bmp", "g/rgb16-565.bmp", "b/badwidth.bmp", "b/badplanes.bmp",
                        "b/badbitcount.bmp", "b/badpalettesize.bmp", "b/reallybig.bmp",
                        "q/pal8oversizepal.bmp", "q/rgb24png.bmp", "x/ba-bm.bmp"})
    EXPECT_FALSE(bmp.Abrir(Suite(f).c_str())) << f;

  int abiertos = 0;
  auto leer = [&](const fs::path& ruta, bool bueno) {
    if (!bmp.Abrir(ruta.c_str())) return;
    ++abiertos;
    // Good files read whole, and scaled when their depth allows.
    bueno = bueno && !bmp.Comprimido();
    const int bits = bmp.BitsPorPixel();
    std::vector<uint8_t> info(40 + 4 * 256);
    EXPECT_TRUE(bmp.LeerInfo(info.data()));
    bool ok = false;
    Pixeles(bmp, &ok);
    EXPECT_TRUE(ok || !bueno);
    for (auto [w, h] : {std::pair{1, 1}, {82, 61}, {240, -180}, {300, 7}}) {
      Escalado(bmp, w, h, &ok);
      EXPECT_TRUE(ok || !bueno || (bits != 4 && bits != 8 && bits != 24)) << w << "x" << h;
    }
  };
  for (const char* carpeta : {"g", "q", "b", "x"})
    for (const auto& e : fs::directory_iterator(Suite(carpeta))) {
      SCOPED_TRACE(e.path().string());
      testing::internal::CaptureStderr();  // the format message
      EXPECT_SIN_VERIFICAR(leer(e.path(), carpeta[0] == 'g'));
      testing::internal::GetCapturedStderr();
    }
  EXPECT_GT(abiertos, 30);
}

TEST(ArchivoBMPCorpus, HeaderVariantsAndRowOrderGiveTheSamePicture) {
  REQUIERE_SUITE();
  const std::pair<int, int> tamaños[] = {{127, 64}, {82, 61}, {240, -180}, {31, 17}};
  auto todo = [&](const char* f) {  // palette, scaled reads, raw read
    ArchivoBMP bmp;
    EXPECT_TRUE(bmp.Abrir(Suite(f).c_str())) << f;
    std::vector<uint8_t> r(4 * 256);
    bmp.LeerColores(0, bmp.Colores(), reinterpret_cast<ColorRGBQ*>(r.data()));
    for (auto [w, h] : tamaños) {
      const std::vector<uint8_t> e = Escalado(bmp, w, h);
      r.insert(r.end(), e.begin(), e.end());
    }
    const std::vector<uint8_t> px = Pixeles(bmp);
    r.insert(r.end(), px.begin(), px.end());
    return r;
  };
  const std::vector<uint8_t> base = todo("g/pal8.bmp");
  for (const char* f : {"g/pal8v4.bmp", "g/pal8v5.bmp", "g/pal8topdown.bmp", "q/pal8offs.bmp"})
    EXPECT_TRUE(todo(f) == base) << f;

  // The true-colour file shows the same picture: the 8-bit one is a dithered
  // copy, every channel within one palette step (51) of it, while a row or
  // column off by one is up to 255 away.
  ArchivoBMP pal, rgb;
  ASSERT_TRUE(pal.Abrir(Suite("g/pal8.bmp").c_str()) && rgb.Abrir(Suite("g/rgb24.bmp").c_str()));
  const auto* colores = reinterpret_cast<const ColorRGBQ*>(base.data());
  for (auto [w, h] : tamaños) {
    const std::vector<uint8_t> i = Escalado(pal, w, h), c = Escalado(rgb, w, h);
    int peor = 0;
    for (int y = 0; y < std::abs(h); ++y)
      for (int x = 0; x < w; ++x) {
        const ColorRGBQ& q = colores[i[static_cast<size_t>(BytesFila(w, 8) * y + x)]];
        const uint8_t* p = &c[static_cast<size_t>(BytesFila(w, 24) * y + 3 * x)];
        peor = std::max({peor, std::abs(q.rgbBlue - p[0]), std::abs(q.rgbGreen - p[1]), std::abs(q.rgbRed - p[2])});
      }
    EXPECT_LE(peor, 51) << w << "x" << h;
  }
}

}  // namespace
