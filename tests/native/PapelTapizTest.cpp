#include "PapelTapiz.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BmpSintetico.h"

namespace {

namespace fs = std::filesystem;

std::pair<int32_t, int32_t> Par(Punto p) { return {p.x, p.y}; }

TEST(PapelTapiz, PicturesFitTheScreenWithTheirAspect) {
  EXPECT_EQ(Par(TamañoFondo({640, 480}, {1024, 768})), std::pair(1024, 768));
  EXPECT_EQ(Par(TamañoFondo({600, 600}, {1024, 768})), std::pair(768, 768));
  EXPECT_EQ(Par(TamañoFondo({800, 600}, {800, 600})), std::pair(800, 600));
  EXPECT_EQ(Par(TamañoFondo({3000, 2}, {1024, 768})), std::pair(1024, 1));  // never empty
  EXPECT_EQ(Par(TamañoFondo({0, 5}, {1024, 768})), std::pair(1, 1));
}

class PapelTapizArchivo : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "ptXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
  }
  void TearDown() override {
    archivo_.Cerrar();
    fs::remove_all(carpeta_);
  }
  void Abrir(BmpSintetico b) {
    const auto bytes = b.Bytes();
    const std::string ruta = (carpeta_ / "p.bmp").string();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    ASSERT_TRUE(archivo_.Abrir(ruta.c_str()));
  }
  std::vector<uint8_t> Leer(const fs::path& ruta) {
    std::ifstream f(ruta, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }
  fs::path carpeta_;
  ArchivoBMP archivo_;
};

TEST_F(PapelTapizArchivo, TheFileIsAStandardBitmapOfTheScaledPicture) {
  BmpSintetico b;
  b.ancho = 4, b.alto = 3;
  b.Pintar([](int32_t x, int32_t y) { return static_cast<uint32_t>(10 * y + x); });
  Abrir(b);
  const fs::path ruta = carpeta_ / "Tessera.bmp";
  ASSERT_TRUE(GuardarFondo(archivo_, {8, 6}, ruta.string().c_str()));
  const std::vector<uint8_t> f = Leer(ruta);
  const uint32_t inicio = 54 + 4 * 256, filas = 8 * 6;  // 8 wide: no padding
  ASSERT_EQ(f.size(), inicio + filas);
  EXPECT_EQ(LeerU16(&f[0]), kFirmaBMP);
  EXPECT_EQ(LeerU32(&f[2]), f.size());
  EXPECT_EQ(LeerU32(&f[6]), 0u);
  EXPECT_EQ(LeerU32(&f[10]), inicio);
  EXPECT_EQ(LeerU32(&f[14]), 40u);
  EXPECT_EQ(LeerI32(&f[18]), 8);
  EXPECT_EQ(LeerI32(&f[22]), 6);
  EXPECT_EQ(LeerU16(&f[28]), 8);
  EXPECT_EQ(LeerU32(&f[34]), filas);
  // Each source pixel twice across and twice up, bottom row first.
  EXPECT_EQ(f[inicio + 0], 0);
  EXPECT_EQ(f[inicio + 2], 1);
  EXPECT_EQ(f[inicio + 8 * 2 + 7], 13);
  EXPECT_FALSE(fs::exists(ruta.string() + ".tmp"));
}

TEST_F(PapelTapizArchivo, TrueColourHasNoTableAndRowsArePadded) {
  BmpSintetico b;
  b.ancho = 3, b.alto = 2, b.bits = 24;
  Abrir(b);
  std::vector<uint8_t> f;
  ASSERT_TRUE(BytesFondo(archivo_, {5, 100}, &f));  // 5 x 3: rows of 15 bytes padded to 16
  EXPECT_EQ(LeerU32(&f[10]), 54u);
  EXPECT_EQ(f.size(), 54u + 16 * 3);
}

TEST_F(PapelTapizArchivo, WithoutAPictureNothingIsWrittenOverTheOldFile) {
  const fs::path ruta = carpeta_ / "Tessera.bmp";
  std::ofstream(ruta) << "old";
  EXPECT_FALSE(GuardarFondo(archivo_, {1024, 768}, ruta.string().c_str()));
  EXPECT_EQ(fs::file_size(ruta), 3u);
}

}  // namespace
