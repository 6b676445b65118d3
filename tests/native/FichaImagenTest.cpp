#include "FichaImagen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

TEST(FichaImagen, IndexFromThePathOfAFinishedPicture) {
  struct Caso {
    const char* ruta;
    int32_t indice;
  };
  const Caso casos[] = {
      {"C:\\T\\Image\\12.bmp", 11}, {"C:\\T\\Image\\3.bmp", 2},  {"C:\\T\\Image\\03.bmp", 2},
      {"C:\\T\\Image\\15.BMP", 14}, {"3.bmp", 2},                {"Image/7.bmp", 6},
      {"C:\\T\\Image\\16.bmp", -1}, {"C:\\T\\Image\\0.bmp", -1}, {"C:\\T\\Image\\00.bmp", -1},
      {"C:\\photo.bmp", -1},        {"C:\\photo3.bmp", -1},      {"C:\\T\\3a.bmp", -1},
      {"C:\\T\\12.jpg", -1},        {".bmp", -1},                {"", -1},
      {"x112.bmp", 11},
  };
  for (const Caso& c : casos) EXPECT_EQ(IndiceImagenDeRuta(c.ruta), c.indice) << c.ruta;
  EXPECT_EQ(IndiceImagenDeRuta(nullptr), -1);
}

TEST(FichaImagen, NameNumberReadsLikeAtoiUpToTheFirstDot) {
  struct Caso {
    const char* nombre;
    int32_t numero;
  };
  const Caso casos[] = {{"3.bmp", 3},   {"03.bmp", 3}, {"3a.bmp", 3},  {"12.bmp", 12},      {" 4.bmp", 4},
                        {"+5.bmp", 5},  {"-2.bmp", -2}, {"abc.bmp", 0}, {".bmp", 0},         {"", 0},
                        {"1.2.bmp", 1}, {"99999999999999.bmp", 2147483647}};
  for (const Caso& c : casos) EXPECT_EQ(NumeroNombreImagen(c.nombre), c.numero) << c.nombre;
}

TEST(FichaImagen, PreviewFitsInto450By288) {
  struct Caso {
    Punto imagen, esperado;
  };
  const Caso casos[] = {
      {{900, 600}, {432, 288}}, {{450, 288}, {450, 288}}, {{640, 480}, {384, 288}}, {{1000, 100}, {450, 45}},
      {{3000, 2}, {450, 1}},    {{2, 2500}, {1, 288}},    {{1, 1}, {288, 288}},     {{0, 5}, {1, 1}},
  };
  for (const Caso& c : casos) {
    const Punto p = TamañoVistaPrevia(c.imagen);
    EXPECT_EQ(p.x, c.esperado.x) << c.imagen.x << "x" << c.imagen.y;
    EXPECT_EQ(p.y, c.esperado.y) << c.imagen.x << "x" << c.imagen.y;
  }
}

TEST(FichaImagen, ButtonsFindTheFirstFileReadingAsTheirNumber) {
  namespace fs = std::filesystem;
  const fs::path carpeta = fs::temp_directory_path() / "tessera-ficha-numeradas";
  fs::remove_all(carpeta);
  fs::create_directories(carpeta);
  for (const char* n : {"03.bmp", "3.bmp", "3a.bmp", "Beach.bmp", "12.bmp"}) std::ofstream(carpeta / n) << "x";
  ListaArchivos lista;
  ASSERT_TRUE(lista.Buscar((carpeta / "*.bmp").string().c_str()));
  lista.OrdenarNatural();
  char nombre[64];
  const int32_t tres = BuscarImagenNumerada(lista, 3);
  ASSERT_GE(tres, 0);
  lista.Nombre(tres, false, nombre, sizeof nombre);
  // Every "3" name matches; the list's order picks among them.
  EXPECT_EQ(NumeroNombreImagen(nombre), 3);
  const int32_t doce = BuscarImagenNumerada(lista, 12);
  ASSERT_GE(doce, 0);
  lista.Nombre(doce, false, nombre, sizeof nombre);
  EXPECT_STREQ(nombre, "12.bmp");
  EXPECT_EQ(BuscarImagenNumerada(lista, 1), -1);
  EXPECT_EQ(BuscarImagenNumerada(ListaArchivos(), 3), -1);
  fs::remove_all(carpeta);
}
