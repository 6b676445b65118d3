#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "ListaArchivos.h"

namespace fs = std::filesystem;

namespace {

class ListaArchivosEnCarpeta : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = fs::temp_directory_path() /
               ("tessera-lista-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  void Crear(const std::string& nombre) { std::ofstream(carpeta_ / nombre) << "x"; }
  bool Buscar(const char* mascara) { return lista_.Buscar((carpeta_ / mascara).string().c_str()); }
  fs::path carpeta_;
  ListaArchivos lista_;
};

TEST_F(ListaArchivosEnCarpeta, NamesCutToExtensionAndBuffer) {
  EXPECT_FALSE(Buscar("*.bmp"));
  Crear("photo.bmp");
  Crear("notes.txt");
  ASSERT_TRUE(Buscar("*.bmp"));
  ASSERT_EQ(lista_.Cantidad(), 1);
  char b[64];
  EXPECT_EQ(lista_.Nombre(0, false, b, sizeof b), 11);
  EXPECT_STREQ(b, "photo.bmp");
  lista_.Nombre(0, true, b, sizeof b);
  EXPECT_STREQ(b, "photo");
  char corto[3];
  lista_.Nombre(0, true, corto, sizeof corto);
  EXPECT_STREQ(corto, "ph");
  EXPECT_EQ(lista_.Nombre(1, false, b, sizeof b), 0);
  EXPECT_STREQ(b, "");
}

TEST_F(ListaArchivosEnCarpeta, ManyNamesGrowTheBlockAndWalkCorrectly) {
  for (int i = 0; i < 300; ++i) Crear("imagen" + std::to_string(1000 + i) + ".bmp");
  ASSERT_TRUE(Buscar("*.bmp"));
  ASSERT_EQ(lista_.Cantidad(), 300);
  char b[64];
  for (int i = 0; i < 300; ++i) {
    lista_.Nombre(i, true, b, sizeof b);
    EXPECT_EQ(std::string(b), "imagen" + std::to_string(1000 + i));
  }
}

TEST_F(ListaArchivosEnCarpeta, NamesOf254CharactersAreRefused) {
  // 254 characters would make a length byte of 256, which wraps to 0.
  Crear(std::string(249, 'n') + ".bmp");
  ASSERT_TRUE(Buscar("*.bmp"));
  char b[300];
  EXPECT_EQ(lista_.Nombre(0, false, b, sizeof b), 255);
  Crear(std::string(250, 'm') + ".bmp");
  EXPECT_FALSE(Buscar("*.bmp"));
  EXPECT_FALSE(lista_.Cargada());
}

}  // namespace
