#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AyudaRecursos.h"
#include "Manifiesto.h"
#include "Troquel.h"

namespace {

std::string EscribirTexto(const std::string& nombre, const std::string& texto) {
  const std::string ruta = ::testing::TempDir() + nombre + std::to_string(getpid());
  std::ofstream(ruta) << texto;
  return ruta;
}

std::vector<Regla> Reglas(const std::string& texto) { return LeerManifiesto(EscribirTexto("manifiesto", texto)); }

BloqueImagen Bloque(const BloquePrueba& b) {
  BloqueImagen r;
  std::string problema;
  EXPECT_TRUE(LeerBloque(b.numero, b.Bytes(), &r, &problema)) << problema;
  return r;
}

void Poner(BloqueImagen& b, int32_t x, int32_t y, uint8_t v) {  // y from the top
  const int64_t stride = StrideRecurso(b.cabecera.biWidth, 8);
  b.datos[40 + 4 * b.cabecera.biClrUsed + stride * (b.cabecera.biHeight - 1 - y) + x] = v;
}

const char* const kManifiesto =
    "# number frame bits layout group same from\n"
    "10      4x2        8|24 cmd3   -  -   a\n"
    "11      4x<=3      8|24 cmd3   -  =10 a\n"
    "20-21   <=8x3..5   8    single G1 -   a  # a run shares one line\n"
    "30      >=2x4      24   anim10 -  -   a\n"
    "40      4x3        8    knob   -  -   a\n"
    "50      <=45x160   8|24 scroll -  -   a\n"
    "60      532x532    8    die    -  -   troquel\n";

// A set of pictures that matches kManifiesto.
std::vector<BloqueImagen> Buenos() {
  std::vector<BloqueImagen> b = {Bloque({10, 4, 6, 8, 256}),  Bloque({11, 4, 6, 24}),  Bloque({20, 8, 5, 8, 256}),
                                 Bloque({21, 3, 3, 8, 256}),  Bloque({30, 20, 4, 24}), Bloque({40, 4, 6, 8, 256}),
                                 Bloque({50, 45, 480, 24}),   Bloque({60, 532, 532, 8, 256})};
  for (int32_t y = 0; y < 6; ++y)  // knob: sprite 7 inside, mask 0 there and 255 around it
    for (int32_t x = 0; x < 4; ++x) {
      const bool dentro = x > 0 && x < 3 && y % 3 == 1;
      Poner(b[5], x, y, y < 3 ? (dentro ? 7 : 0) : (dentro ? 0 : 255));
    }
  const std::vector<uint8_t> etiquetas = GenerarTroquel(0);
  for (int32_t y = 0; y < kLadoTroquel; ++y)
    for (int32_t x = 0; x < kLadoTroquel; ++x) Poner(b[7], x, y, etiquetas[size_t(y) * kLadoTroquel + x]);
  return b;
}

TEST(Manifiesto, ReadsRunsAndRefusesMalformedLines) {
  const std::vector<Regla> r = Reglas(kManifiesto);
  ASSERT_EQ(r.size(), 8u);
  EXPECT_EQ(r[3].numero, 21u);
  EXPECT_EQ(r[3].grupo, "G1");
  EXPECT_EQ(r[3].linea, 4);
  EXPECT_EQ(std::pair(r[3].alto.minimo, r[3].alto.maximo), std::pair(3, 5));
  for (const char* malo : {"10 4x2 8 cmd3 - - a\n5-12 4x2 8 cmd3 - - a\n",  // 10 twice
                           "10 4x2 8 cmd3 - -\n", "12-10 4x2 8 single - - a\n", "10 4x0 8 single - - a\n",
                           "10 4x2 16 single - - a\n", "10 4x2 8 rows3 - - a\n", "10 4x2 8 single - 20 a\n",
                           "10 4x2..1 8 single - - a\n"})
    EXPECT_THROW(Reglas(malo), std::runtime_error) << malo;
}

TEST(Manifiesto, EachRuleCatchesThePictureThatBreaksIt) {
  const std::vector<Regla> reglas = Reglas(kManifiesto);
  EXPECT_EQ(ComprobarManifiesto(reglas, Buenos()), std::vector<std::string>());

  const struct {
    const char* esperado;
    std::function<void(std::vector<BloqueImagen>&)> romper;
  } casos[] = {
      {"frame 5x2, expected 4x<=3", [](auto& b) { b[1] = Bloque({11, 5, 6, 24}); }},
      {"does not divide into 1x3 frames", [](auto& b) { b[1] = Bloque({11, 4, 7, 24}); }},
      {"size differs from picture 10", [](auto& b) { b[1] = Bloque({11, 4, 9, 24}); }},
      {"8-bit with 16 colours", [](auto& b) { b[2] = Bloque({20, 8, 5, 8, 16}); }},
      {"24-bit, expected 8-bit", [](auto& b) { b[2] = Bloque({20, 8, 5, 24}); }},
      {"frame 9x5, expected <=8x3..5", [](auto& b) { b[2] = Bloque({20, 9, 5, 8, 256}); }},
      {"image size 40, expected exactly 20", [](auto& b) { b[3] = Bloque({21, 3, 5, 8, 256, 40}); }},
      {"colour table differs from 20", [](auto& b) { b[3].datos[40 + 4 * 255] ^= 1; }},
      {"frame 1x4, expected >=2x4", [](auto& b) { b[4] = Bloque({30, 10, 4, 24}); }},
      {"mask index 9", [](auto& b) { Poner(b[5], 0, 3, 9); }},
      {"sprite is not 0 where its mask shows", [](auto& b) { Poner(b[5], 0, 0, 3); }},
      {"scroll strip 483 high", [](auto& b) { b[6] = Bloque({50, 45, 483, 24}); }},
      {"die: stray label 13", [](auto& b) { Poner(b[7], 0, 0, 13); }},
      {"die: edges do not match", [](auto& b) { Poner(b[7], 150, 10, 6); }},
      {"present more than once", [](auto& b) { b.push_back(b[0]); }},
      {"60 (manifest line 8): missing", [](auto& b) { b.pop_back(); }},
      {"99: not in the manifest", [](auto& b) { b.push_back(Bloque({99, 1, 1, 24})); }},
  };
  for (const auto& c : casos) {
    std::vector<BloqueImagen> b = Buenos();
    c.romper(b);
    const std::vector<std::string> problemas = ComprobarManifiesto(reglas, b);
    ASSERT_EQ(problemas.size(), 1u) << c.esperado << (problemas.empty() ? "" : ": " + problemas.back());
    EXPECT_NE(problemas[0].find(c.esperado), std::string::npos) << problemas[0];
  }
}

// The tool packs a folder only when every picture matches, and checks a
// built archive the same way.
TEST(Manifiesto, RfpackRefusesAFolderThatBreaksIt) {
  const std::string carpeta = ::testing::TempDir() + "manifiesto_" + std::to_string(getpid());
  std::filesystem::create_directories(carpeta);
  const std::string manifiesto = EscribirTexto("m", "1 2x2 8 single G - a\n2 2x1 8 cmd3 G - a\n");
  const auto bmp = [&](const BloquePrueba& b) {
    std::vector<uint8_t> f(14);
    f[0] = 'B', f[1] = 'M';
    const std::vector<uint8_t> bloque = b.Bytes();
    EscribirU32(&f[10], 14 + 40 + 4 * b.colores);
    f.insert(f.end(), bloque.begin(), bloque.end());
    EscribirU32(&f[2], uint32_t(f.size()));
    std::ofstream(carpeta + "/" + std::to_string(b.numero) + ".bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(f.data()), std::streamsize(f.size()));
  };
  const std::string archivo = carpeta + "/t.rf";
  bmp({1, 2, 2, 8, 256});
  bmp({2, 2, 3, 8, 256});
  ASSERT_EQ(Rfpack("-o " + archivo + " --manifest " + manifiesto + " " + carpeta), 0);
  EXPECT_EQ(Rfpack("--check " + manifiesto + " " + archivo), 0);
  bmp({2, 2, 3, 8, 255});  // an implicit table size in the source
  EXPECT_EQ(Rfpack("--check " + manifiesto + " " + carpeta), 1);
  bmp({2, 2, 2, 8, 256});
  EXPECT_EQ(Rfpack("-o " + archivo + ".2 --manifest " + manifiesto + " " + carpeta), 1);
  EXPECT_FALSE(std::filesystem::exists(archivo + ".2"));
  std::filesystem::remove(carpeta + "/1.bmp");
  EXPECT_EQ(Rfpack("--check " + manifiesto + " " + carpeta), 1);
  std::filesystem::remove_all(carpeta);
}

}  // namespace
