#include "ArchivoBMP.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "AyudaVerificar.h"
#include "BmpSintetico.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

// Reads into a buffer of exactly the target's size, pre-filled so untouched
// bytes show.
struct Lectura { bool ok; Bytes b; };
Lectura Escalado(ArchivoBMP& bmp, int32_t ancho, int32_t alto) {
  Bytes b(static_cast<size_t>(BytesFila(ancho, bmp.BitsPorPixel()) * std::abs(alto)), 0xAA);
  return {bmp.LeerEscalado(ancho, alto, b.data()), b};
}
Lectura Pixeles(ArchivoBMP& bmp) {
  CabeceraInfoBMP c{};
  bmp.LeerCabecera(&c);
  Bytes b(static_cast<size_t>(TamañoImagen(c)), 0xAA);
  return {bmp.LeerPixeles(b.data()), b};
}
std::string Suite(const std::string& f) { return std::string(TESSERA_BMPSUITE_DIR) + "/" + f; }

// Files are written into a scratch folder, removed after each test.
class ArchivoBMPTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "bmpXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  bool Abrir(ArchivoBMP& bmp, const Bytes& bytes, const char* nombre = "t.bmp") {
    const std::string ruta = (carpeta_ / nombre).string();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return bmp.Abrir(ruta.c_str());
  }
  fs::path carpeta_;
};

TEST_F(ArchivoBMPTest, OpensWhatItCanDescribeAndRefusesTheRestLeavingItClosed) {
  struct Caso { const char* nombre; int colores; std::function<void(BmpSintetico&)> m; };  // colores -1: refused
  const Caso casos[] = {
      {"8 bits, count 0", 256, [](auto&) {}}, {"4 bits, count 0", 16, [](auto& m) { m.bits = 4; }},
      {"24 bits", 0, [](auto& m) { m.bits = 24; }}, {"32 bits", 0, [](auto& m) { m.bits = 32; }},
      {"16 bits, count", 4, [](auto& m) { m.bits = 16, m.clrUsed = 4; }},
      {"1 bit, count", 2, [](auto& m) { m.bits = 1, m.clrUsed = 2; }},
      {"run-length", 256, [](auto& m) { m.compresion = 1; }},
      {"124-byte header, top-down", 256, [](auto& m) { m.tamInfo = 124, m.alto = -2; }},
      {"signature BA", -1, [](auto& m) { m.firma = 'B' | 'A' << 8; }},
      {"shorter than both headers", -1, [](auto& m) { m.largo = 50; }},
      {"table cut short", -1, [](auto& m) { m.largo = 54 + 400; }},
      {"core header", -1, [](auto& m) { m.tamInfo = 12; }}, {"two planes", -1, [](auto& m) { m.planos = 2; }},
      {"width 0", -1, [](auto& m) { m.ancho = 0; }}, {"width -2", -1, [](auto& m) { m.ancho = -2; }},
      {"height 0", -1, [](auto& m) { m.alto = 0, m.pixeles = {0}; }},
      {"absurd width", -1, [](auto& m) { m.ancho = 40000, m.alto = 1; }},
      {"absurd top-down height", -1, [](auto& m) { m.alto = -40000, m.pixeles = {0}; }},
      {"image over 32 bits", -1, [](auto& m) { m.ancho = m.alto = 32768, m.bits = 32, m.pixeles = {0}; }},
      {"bit fields", -1, [](auto& m) { m.bits = 32, m.compresion = 3; }},
      {"16 bits, no count", -1, [](auto& m) { m.bits = 16; }},
      {"7 bits", -1, [](auto& m) { m.bits = 7, m.clrUsed = 2; }},
      {"over 256 colours", -1, [](auto& m) { m.bits = 24, m.clrUsed = 300; }},
      {"over what 4 bits name", -1, [](auto& m) { m.bits = 4, m.clrUsed = 17; }},
      {"pixels over the table", -1, [](auto& m) { m.offBits = 14 + 40 + 4 * 256 - 4; }},
      {"pixels past the end", -1, [](auto& m) { m.offBits = 100000; }},
  };
  testing::internal::CaptureStderr();  // the unhandled-format message
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.nombre);
    BmpSintetico m;
    caso.m(m);
    ArchivoBMP bmp;
    ASSERT_TRUE(Abrir(bmp, BmpSintetico{}.Bytes(), "bueno.bmp"));
    const bool abre = caso.colores >= 0, filas = abre && m.compresion == 0;
    uint8_t b[40 + 4 * 256];  // room for any read of an accepted file
    EXPECT_SIN_VERIFICAR({
      EXPECT_EQ(Abrir(bmp, m.Bytes()), abre);
      EXPECT_EQ(bmp.LeerInfo(b), abre);
      EXPECT_EQ(bmp.LeerPixeles(b), filas);  // run-length data are no rows
      EXPECT_EQ(bmp.LeerEscalado(3, -3, b), filas && (m.bits == 4 || m.bits == 8 || m.bits == 24));
    });
    EXPECT_EQ(bmp.Colores(), std::max(caso.colores, 0));
    EXPECT_EQ(bmp.Tamaño().y, abre ? 2 : 0);  // a magnitude even for top-down
  }
  testing::internal::GetCapturedStderr();
  EXPECT_VERIFICAR(ArchivoBMP{}.Abrir(std::string(260, 'a').c_str()), "Path Muy Grande");
  EXPECT_SIN_VERIFICAR(EXPECT_FALSE(ArchivoBMP{}.Abrir(std::string(259, 'a').c_str())));
}

TEST_F(ArchivoBMPTest, AShortFileIsReadUpToItsEndAndNoFurther) {
  BmpSintetico m;
  m.ancho = m.alto = 4;
  Bytes bytes = m.Pintar([](int x, int y) { return 1 + 4 * y + x; }).Bytes();
  bytes.resize(bytes.size() - 6);  // a row and a half missing
  ArchivoBMP bmp;
  ASSERT_TRUE(Abrir(bmp, bytes));
  const auto [ok, px] = Pixeles(bmp);
  EXPECT_FALSE(ok);
  EXPECT_EQ(px[9], 10);     // what the file holds is read...
  EXPECT_EQ(px[10], 0xAA);  // ...and nothing more written
  EXPECT_FALSE(Escalado(bmp, 4, 4).ok);
  EXPECT_TRUE(Escalado(bmp, 2, 1).ok);  // needs row 0 only
}

TEST_F(ArchivoBMPTest, RowsAreReadByTheirPlaceInThePictureWhateverTheFileOrder) {
  BmpSintetico m;  // 4 x 7, each pixel its row's number from the bottom
  m.ancho = 4, m.alto = 7;
  m.Pintar([](int, int y) { return y; });
  BmpSintetico arribaAbajo = m;
  arribaAbajo.alto = -7;
  std::reverse(arribaAbajo.pixeles.begin(), arribaAbajo.pixeles.end());
  Bytes corto = m.Bytes();
  corto.resize(corto.size() - 5);  // the top row and a byte of the next missing
  struct Caso { Bytes bytes; bool completo; int32_t primera, cantidad; bool ok; } casos[] = {
      {m.Bytes(), true, 2, 3, true}, {arribaAbajo.Bytes(), true, 2, 3, true}, {corto, false, 0, 5, true},
      {corto, false, 4, 3, false}};
  for (const Caso& c : casos) {
    ArchivoBMP bmp;
    ASSERT_TRUE(Abrir(bmp, c.bytes));
    Bytes b(4 * 8, 0xAA);
    EXPECT_EQ(bmp.Completo(), c.completo);
    EXPECT_EQ(bmp.LeerFilas(c.primera, c.cantidad, b.data()), c.ok);
    for (int32_t n = 0; c.ok && n < c.cantidad; ++n) EXPECT_EQ(b[4 * static_cast<size_t>(n)], c.primera + n);
    EXPECT_EQ(b[4 * static_cast<size_t>(c.cantidad)], 0xAA);  // nothing past them
  }
  ArchivoBMP bmp;
  ASSERT_TRUE(Abrir(bmp, m.Bytes()));
  EXPECT_VERIFICAR(bmp.LeerFilas(5, 3, corto.data()), "Valores Invalidos");
}

TEST_F(ArchivoBMPTest, ScaledReadsTakeTheNearestRowsAndColumnsFromTheFirst) {
  BmpSintetico m;
  m.ancho = 640, m.alto = 480, m.bits = 24;
  ArchivoBMP bmp;
  ASSERT_TRUE(Abrir(bmp, m.Pintar([](int x, int y) { return x | y << 12; }).Bytes()));
  const auto [ok, b] = Escalado(bmp, 160, 120);  // every 4th row and column
  ASSERT_TRUE(ok);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) {
      const uint8_t* p = &b[static_cast<size_t>(480 * y + 3 * x)];
      ASSERT_EQ(p[0] | p[1] << 8 | p[2] << 16, 4 * x | 4 * y << 12) << x << "," << y;
    }

  BmpSintetico dos;  // 2 x 2, enlarged; a negative height gives the rows top-down
  ASSERT_TRUE(Abrir(bmp, dos.Pintar([](int x, int y) { return 10 * y + x; }).Bytes()));
  EXPECT_EQ(Escalado(bmp, 4, 5).b, (Bytes{0, 0, 1, 1, 0, 0, 1, 1, 10, 10, 11, 11, 10, 10, 11, 11, 10, 10, 11, 11}));
  EXPECT_EQ(Escalado(bmp, 4, -5).b, (Bytes{10, 10, 11, 11, 10, 10, 11, 11, 10, 10, 11, 11, 0, 0, 1, 1, 0, 0, 1, 1}));
  EXPECT_VERIFICAR(bmp.LeerEscalado(4, 0, nullptr), "Valores Invalidos");
}

TEST_F(ArchivoBMPTest, EnlargingNeverTakesARowPastTheLast) {
  for (int32_t s = 1; s <= 12; ++s) {
    BmpSintetico m;  // the file ends right after its last row
    m.ancho = 1, m.alto = s;
    ArchivoBMP bmp;
    ASSERT_TRUE(Abrir(bmp, m.Pintar([](int, int y) { return y; }).Bytes()));
    for (int32_t d = 1; d <= 60; ++d) {
      const auto [ok, b] = Escalado(bmp, 1, d);
      // Rows from the first, none skipped when enlarging, the last shown once there is room.
      ASSERT_TRUE(ok && b[0] == 0 && (d < s || b[4 * static_cast<size_t>(d - 1)] == s - 1)) << s << " to " << d;
      for (size_t y = 1; y < static_cast<size_t>(d); ++y) {
        const int paso = b[4 * y] - b[4 * y - 4];
        ASSERT_TRUE(d <= s ? paso >= 1 : paso == 0 || paso == 1) << s << " to " << d << ", row " << y;
      }
    }
  }
}

TEST(ArchivoBMPCorpus, EveryFileOpensOrIsRefusedAndReadsSafely) {
  if (!fs::is_directory(TESSERA_BMPSUITE_DIR)) GTEST_SKIP() << "no BMP corpus at " << TESSERA_BMPSUITE_DIR;
  ArchivoBMP bmp;
  for (const char* f : {"g/pal8os2.bmp", "g/rgb16-565.bmp", "q/pal8oversizepal.bmp", "q/rgb24png.bmp"})
    EXPECT_FALSE(bmp.Abrir(Suite(f).c_str())) << f;
  int abiertos = 0;
  testing::internal::CaptureStderr();  // the unhandled-format message
  for (const char* carpeta : {"g", "q", "b", "x"})
    for (const auto& e : fs::directory_iterator(Suite(carpeta))) {
      SCOPED_TRACE(e.path().string());
      // Good files read whole, and scaled when their depth allows.
      EXPECT_SIN_VERIFICAR(if (bmp.Abrir(e.path().c_str())) {
        ++abiertos;
        const bool bueno = carpeta[0] == 'g' && !bmp.Comprimido();
        const int bits = bmp.BitsPorPixel();
        EXPECT_TRUE(Pixeles(bmp).ok || !bueno);
        for (auto [w, h] : {std::pair{1, 1}, {82, 61}, {240, -180}, {300, 7}})
          EXPECT_TRUE(Escalado(bmp, w, h).ok || !bueno || (bits != 4 && bits != 8 && bits != 24)) << w << "x" << h;
      });
    }
  testing::internal::GetCapturedStderr();
  EXPECT_GT(abiertos, 30);
}

TEST(ArchivoBMPCorpus, HeaderVariantsAndRowOrderGiveTheSamePicture) {
  if (!fs::is_directory(TESSERA_BMPSUITE_DIR)) GTEST_SKIP() << "no BMP corpus at " << TESSERA_BMPSUITE_DIR;
  const std::pair<int, int> tamaños[] = {{127, 64}, {82, 61}, {240, -180}, {31, 17}};
  auto todo = [&](const char* f) {  // palette, scaled reads, raw read
    ArchivoBMP bmp;
    EXPECT_TRUE(bmp.Abrir(Suite(f).c_str())) << f;
    Bytes r(4 * 256);
    bmp.LeerColores(0, bmp.Colores(), reinterpret_cast<ColorRGBQ*>(r.data()));
    for (auto [w, h] : tamaños) {
      const Bytes e = Escalado(bmp, w, h).b;
      r.insert(r.end(), e.begin(), e.end());
    }
    const Bytes px = Pixeles(bmp).b;
    r.insert(r.end(), px.begin(), px.end());
    return r;
  };
  const Bytes base = todo("g/pal8.bmp");
  for (const char* f : {"g/pal8v4.bmp", "g/pal8v5.bmp", "g/pal8topdown.bmp", "q/pal8offs.bmp"})
    EXPECT_TRUE(todo(f) == base) << f;

  // The 8-bit file is a dithered copy of the true-colour one: every channel
  // within one palette step (51), while a row or column off is up to 255 away.
  ArchivoBMP pal, rgb;
  ASSERT_TRUE(pal.Abrir(Suite("g/pal8.bmp").c_str()) && rgb.Abrir(Suite("g/rgb24.bmp").c_str()));
  const auto* colores = reinterpret_cast<const ColorRGBQ*>(base.data());
  for (auto [w, h] : tamaños) {
    const Bytes i = Escalado(pal, w, h).b, c = Escalado(rgb, w, h).b;
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
