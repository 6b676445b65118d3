#include <gtest/gtest.h>

#include <cstdio>
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
               ("tessera-lista-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  void Crear(const std::string& nombre) { std::ofstream(carpeta_ / nombre) << "x"; }
  std::string Patron(const char* mascara) const { return (carpeta_ / mascara).string(); }
  fs::path carpeta_;
};

TEST_F(ListaArchivosEnCarpeta, NoMatchFailsAndLeavesTheListEmpty) {
  ListaArchivos l;
  EXPECT_FALSE(l.Buscar(Patron("*.bmp").c_str()));
  EXPECT_EQ(l.Cantidad(), 0);
  char b[8] = "zzz";
  EXPECT_EQ(l.Nombre(0, false, b, sizeof b), 0);
  EXPECT_STREQ(b, "");
}

TEST_F(ListaArchivosEnCarpeta, ListsMatchesAndCutsExtensionsAndBuffers) {
  Crear("photo.bmp");
  Crear("notes.txt");
  ListaArchivos l;
  ASSERT_TRUE(l.Buscar(Patron("*.bmp").c_str()));
  ASSERT_EQ(l.Cantidad(), 1);
  char b[64];
  EXPECT_EQ(l.Nombre(0, false, b, sizeof b), 11);
  EXPECT_STREQ(b, "photo.bmp");
  l.Nombre(0, true, b, sizeof b);
  EXPECT_STREQ(b, "photo");
  char corto[3];
  l.Nombre(0, true, corto, sizeof corto);
  EXPECT_STREQ(corto, "ph");
  EXPECT_EQ(l.Nombre(1, false, b, sizeof b), 0);
  EXPECT_EQ(l.Nombre(-1, false, b, sizeof b), 0);
  EXPECT_EQ(l.Nombre(0, false, b, 1), 0);
}

TEST_F(ListaArchivosEnCarpeta, ManyNamesGrowTheBlockAndWalkCorrectly) {
  for (int i = 0; i < 300; ++i) Crear("imagen" + std::to_string(1000 + i) + ".bmp");
  ListaArchivos l;
  ASSERT_TRUE(l.Buscar(Patron("*.bmp").c_str()));
  ASSERT_EQ(l.Cantidad(), 300);
  char b[64];
  for (int i = 0; i < 300; ++i) {
    l.Nombre(i, true, b, sizeof b);
    EXPECT_EQ(std::string(b), "imagen" + std::to_string(1000 + i));
  }
  // A second search reuses the block.
  Crear("z.bmp");
  ASSERT_TRUE(l.Buscar(Patron("z*.bmp").c_str()));
  EXPECT_EQ(l.Cantidad(), 1);
}

TEST_F(ListaArchivosEnCarpeta, NamesOf254CharactersAreRefused) {
  // 254 characters would make a length byte of 256, which wraps to 0.
  Crear(std::string(249, 'n') + ".bmp");  // 253: still fine
  ListaArchivos l;
  ASSERT_TRUE(l.Buscar(Patron("*.bmp").c_str()));
  char b[300];
  EXPECT_EQ(l.Nombre(0, false, b, sizeof b), 255);
  EXPECT_EQ(std::string(b).size(), 253u);

  Crear(std::string(250, 'm') + ".bmp");  // 254
  EXPECT_FALSE(l.Buscar(Patron("*.bmp").c_str()));
  EXPECT_FALSE(l.Cargada());
}

}  // namespace
