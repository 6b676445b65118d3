#include "ImagenEscalada.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "BmpSintetico.h"

namespace {

namespace fs = std::filesystem;

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
