#include "ImagenEscalada.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BmpSintetico.h"

namespace {

namespace fs = std::filesystem;

class ImagenSuavizada : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "isXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  std::string Escribir(const std::vector<uint8_t>& bytes) {
    const std::string ruta = (carpeta_ / ("p" + std::to_string(++n_) + ".bmp")).string();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return ruta;
  }
  // Blue, green, red of pixel (x, y) counted from the bottom row.
  static std::array<int, 3> Pixel(const ImagenEscalada& i, int32_t x, int32_t y) {
    const uint8_t* p = i.Pixeles() + y * BytesFila(i.Tamaño().x, 24) + 3 * x;
    return {p[0], p[1], p[2]};
  }
  fs::path carpeta_;
  int n_ = 0;
};

// An 8-bit picture whose index i shows grey 2 i: each half of an 8 x 2
// picture shrinks to one pixel with the mean of its colours.
TEST_F(ImagenSuavizada, AveragesThroughTheColourTable) {
  BmpSintetico b;
  b.ancho = 8, b.alto = 2;
  b.Pintar([](int32_t x, int32_t y) { return static_cast<uint32_t>(x < 4 ? 10 * (x + y) : 100); });
  std::vector<uint8_t> bytes = b.Bytes();
  for (int i = 0; i < 256; ++i)
    for (int c = 0; c < 3; ++c) bytes[54 + 4 * i + c] = static_cast<uint8_t>(i * 2 > 255 ? 255 : i * 2);
  ArchivoBMP archivo;
  ASSERT_TRUE(archivo.Abrir(Escribir(bytes).c_str()));
  ImagenEscalada imagen;
  ASSERT_TRUE(imagen.LeerSuavizada(archivo, {2, 1}));
  EXPECT_EQ(imagen.Cabecera()->biBitCount, 24);
  EXPECT_EQ(imagen.Cabecera()->biClrUsed, 0u);
  EXPECT_EQ(Pixel(imagen, 0, 0), (std::array<int, 3>{40, 40, 40}));  // 2 x mean(0..40)
  EXPECT_EQ(Pixel(imagen, 1, 0), (std::array<int, 3>{200, 200, 200}));
}

// 24-bit and 4-bit pictures, stored bottom-up or top-down, read alike.
TEST_F(ImagenSuavizada, ReadsEveryDepthTheSameWayUp) {
  const auto color = [](int32_t x, int32_t y) { return static_cast<uint32_t>(0x102030 * (x % 3) + 8 * y); };
  ImagenEscalada esperada;
  for (int32_t alto : {4, -4}) {
    BmpSintetico b;
    b.ancho = 6, b.alto = 4, b.bits = 24;
    b.Pintar(color);
    if (alto < 0) {  // the same rows, stored from the top
      const int64_t fila = BytesFila(6, 24);
      std::vector<uint8_t> al_reves;
      for (int32_t y = 3; y >= 0; --y)
        al_reves.insert(al_reves.end(), b.pixeles.begin() + y * fila, b.pixeles.begin() + (y + 1) * fila);
      b.pixeles = al_reves;
      b.alto = -4;
    }
    ArchivoBMP archivo;
    ASSERT_TRUE(archivo.Abrir(Escribir(b.Bytes()).c_str()));
    ImagenEscalada imagen;
    ASSERT_TRUE(imagen.LeerSuavizada(archivo, {3, 2}));
    if (alto > 0) {
      ASSERT_TRUE(esperada.LeerSuavizada(archivo, {3, 2}));
      // The bottom-left block: columns 0 and 1 over rows 0 and 1.
      EXPECT_EQ(Pixel(imagen, 0, 0), (std::array<int, 3>{(0 + 0x30 + 8 + 0x38) / 4, 0x10, 0x08}));
    } else {
      EXPECT_EQ(std::vector<uint8_t>(imagen.Pixeles(), imagen.Pixeles() + 12),
                std::vector<uint8_t>(esperada.Pixeles(), esperada.Pixeles() + 12));
    }
  }
  BmpSintetico c;
  c.ancho = 4, c.alto = 1, c.bits = 4;
  c.pixeles = {0x01, 0x23, 0, 0};
  std::vector<uint8_t> bytes = c.Bytes();
  for (int i = 0; i < 16; ++i) bytes[54 + 4 * i + 2] = static_cast<uint8_t>(16 * i);  // red 16 i
  ArchivoBMP archivo;
  ASSERT_TRUE(archivo.Abrir(Escribir(bytes).c_str()));
  ImagenEscalada imagen;
  ASSERT_TRUE(imagen.LeerSuavizada(archivo, {2, 1}));
  EXPECT_EQ(Pixel(imagen, 0, 0)[2], 8);   // indices 0 and 1
  EXPECT_EQ(Pixel(imagen, 1, 0)[2], 40);  // indices 2 and 3
}

TEST_F(ImagenSuavizada, AShortOrCompressedFileGivesNothing) {
  BmpSintetico b;
  b.ancho = 4, b.alto = 4, b.bits = 24;
  b.largo = 54 + 16 * 2 + 5;  // two rows and a bit
  ArchivoBMP archivo;
  ASSERT_TRUE(archivo.Abrir(Escribir(b.Bytes()).c_str()));
  ImagenEscalada imagen;
  EXPECT_FALSE(imagen.LeerSuavizada(archivo, {2, 2}));
  EXPECT_TRUE(imagen.Vacia());
  BmpSintetico r;
  r.compresion = 1;  // run-length
  ASSERT_TRUE(archivo.Abrir(Escribir(r.Bytes()).c_str()));
  EXPECT_FALSE(imagen.LeerSuavizada(archivo, {1, 1}));
  ImagenEscalada otra;
  EXPECT_FALSE(otra.Escalar(imagen, {1, 1}));  // nothing to scale
}

TEST(ImagenEscalada, ReadsScaledAndEmptiesOnEveryFailure) {
  std::string plantilla = (fs::temp_directory_path() / "ieXXXXXX").string();
  const fs::path carpeta = mkdtemp(plantilla.data());
  BmpSintetico b;
  b.ancho = 4, b.alto = 4;
  b.Pintar([](int32_t x, int32_t y) { return static_cast<uint32_t>(10 * y + x); });
  const auto bytes = b.Bytes();
  const std::string ruta = (carpeta / "p.bmp").string();
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));

  ArchivoBMP archivo;
  ImagenEscalada imagen;
  EXPECT_FALSE(imagen.Leer(archivo, {2, 2}));  // nothing open
  ASSERT_TRUE(archivo.Abrir(ruta.c_str()));
  ASSERT_TRUE(imagen.Leer(archivo, {2, 2}));
  EXPECT_EQ(imagen.Tamaño().x, 2);
  EXPECT_EQ(imagen.Cabecera()->biSizeImage, 0u);
  // Every other pixel of every other row, bottom row first, rows of 4 bytes.
  EXPECT_EQ(imagen.Pixeles()[0], 0);
  EXPECT_EQ(imagen.Pixeles()[1], 2);
  EXPECT_EQ(imagen.Pixeles()[4], 20);
  // An empty size leaves it empty rather than half made.
  EXPECT_FALSE(imagen.Leer(archivo, {0, 3}));
  EXPECT_TRUE(imagen.Vacia());
  EXPECT_EQ(imagen.Tamaño().x, 0);
  archivo.Cerrar();
  fs::remove_all(carpeta);
}

}  // namespace
