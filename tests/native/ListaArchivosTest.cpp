#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
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

namespace {

TEST(MenorNatural, NumbersByValueFirstThenNamesWithoutCase) {
  const char* ordenados[] = {"1.bmp", "2.bmp", "09.bmp", "10.bmp", "15.bmp", "100.bmp", "3a.bmp",
                             "Alpha.bmp", "beta.bmp", "Gamma.BMP", "z.bmp"};
  for (size_t i = 0; i < std::size(ordenados); ++i)
    for (size_t j = 0; j < std::size(ordenados); ++j)
      EXPECT_EQ(MenorNatural(ordenados[i], ordenados[j]), i < j) << ordenados[i] << " vs " << ordenados[j];
  // The same number written two ways: still a strict order, by spelling.
  EXPECT_NE(MenorNatural("3.bmp", "03.bmp"), MenorNatural("03.bmp", "3.bmp"));
  // A number too long for any integer type still sorts by value.
  EXPECT_TRUE(MenorNatural("99999999999999999999.bmp", "100000000000000000000.bmp"));
}

TEST_F(ListaArchivosEnCarpeta, NaturalOrderRewritesTheRecordsWholly) {
  for (const char* n : {"photo.bmp", "10.bmp", "2.bmp", "1.bmp", "Beach.bmp", "11.bmp"}) Crear(n);
  ASSERT_TRUE(Buscar("*.bmp"));
  lista_.OrdenarNatural();
  ASSERT_EQ(lista_.Cantidad(), 6);
  char b[64];
  std::string todos;
  for (int i = 0; i < 6; ++i) {
    lista_.Nombre(i, false, b, sizeof b);
    todos += std::string(b) + " ";
  }
  EXPECT_EQ(todos, "1.bmp 2.bmp 10.bmp 11.bmp Beach.bmp photo.bmp ");
  EXPECT_EQ(lista_.Nombre(6, false, b, sizeof b), 0);
}

}  // namespace
