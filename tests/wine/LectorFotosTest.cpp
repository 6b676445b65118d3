// A player's pictures through the system's imaging component, on files made
// for the test (tests/wine/fotos_prueba.py): every kind, each EXIF
// orientation, a photo larger than the largest puzzle, and bad files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Binario.h"
#include "LectorFotos.h"

namespace {

constexpr uint8_t kFondo[3] = {40, 110, 60};
struct Color {
  int r, g, b;
};
constexpr Color kRojo{220, 20, 20}, kAzul{20, 20, 220}, kGrisRojo{80, 80, 80}, kGrisAzul{43, 43, 43};
constexpr Color kVerdeFondo{60, 110, 40};

std::wstring Carpeta() {
  const char* c = std::getenv("TESSERA_FOTOS_DIR");
  std::wstring w = L"Z:";
  for (const char* p = c ? c : ""; *p; ++p) w += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
  return w + L"\\";
}

class LectorFotos : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("TESSERA_FOTOS_DIR")) GTEST_SKIP() << "run through CTest, which makes the pictures";
  }
  LecturaFoto Leer(const std::wstring& nombre) {
    foto_ = FotoLeida();
    return LeerFoto((Carpeta() + nombre).c_str(), kFondo, &foto_);
  }
  int32_t Ancho() const { return LeerI32(foto_.bmp.data() + 18); }
  int32_t Alto() const { return LeerI32(foto_.bmp.data() + 22); }
  // The pixel at (x, y) from the top, as red, green, blue.
  Color Pixel(int32_t x, int32_t y) const {
    const int64_t fila = (static_cast<int64_t>(Ancho()) * 3 + 3) & ~int64_t{3};
    const uint8_t* p = foto_.bmp.data() + 54 + (Alto() - 1 - y) * fila + 3 * x;
    return {p[2], p[1], p[0]};
  }
  // The middle of quarter (qx, qy) is near `c`.
  ::testing::AssertionResult Cuarto(int qx, int qy, Color c) const {
    const Color p = Pixel(Ancho() * (2 * qx + 1) / 4, Alto() * (2 * qy + 1) / 4);
    if (std::abs(p.r - c.r) <= 40 && std::abs(p.g - c.g) <= 40 && std::abs(p.b - c.b) <= 40)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "quarter " << qx << "," << qy << " is " << p.r << " " << p.g << " "
                                         << p.b << ", not " << c.r << " " << c.g << " " << c.b;
  }
  FotoLeida foto_;
};

// Red top-left quarter, blue elsewhere, whatever the kind; the first frame
// of several; grey kinds in grey.
TEST_F(LectorFotos, EveryKindGivesItsColours) {
  for (const wchar_t* nombre : {L"rgb.jpg", L"progresivo.jpg", L"cmyk.jpg", L"rgb.png", L"paleta.png", L"rgb.bmp",
                                L"rgb.tif", L"varios.gif", L"varios.tif", L"bmp_renombrado.png", L"Фото café.jpg"}) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(nombre[0]) << " " << std::wstring(nombre).size());
    ASSERT_EQ(Leer(nombre), LecturaFoto::Bien);
    EXPECT_EQ(foto_.original.x, 60);
    EXPECT_EQ(foto_.original.y, 40);
    ASSERT_EQ(Ancho(), 60);
    ASSERT_EQ(Alto(), 40);
    EXPECT_TRUE(Cuarto(0, 0, kRojo));
    EXPECT_TRUE(Cuarto(1, 0, kAzul));
    EXPECT_TRUE(Cuarto(1, 1, kAzul));
  }
  for (const wchar_t* nombre : {L"gris.jpg", L"gris.png", L"gris16.png", L"gris16.tif"}) {
    ASSERT_EQ(Leer(nombre), LecturaFoto::Bien) << static_cast<int>(nombre[5]);
    EXPECT_TRUE(Cuarto(0, 0, kGrisRojo));
    EXPECT_TRUE(Cuarto(1, 1, kGrisAzul));
  }
}

// Stored with the red quarter top-left; upright it lies where the
// orientation turns it.
TEST_F(LectorFotos, EachOrientationComesOutUpright) {
  const struct { int qx, qy; bool deLado; } donde[8] = {{0, 0, false}, {1, 0, false}, {1, 1, false}, {0, 1, false},
                                                        {0, 0, true},  {1, 0, true},  {1, 1, true},  {0, 1, true}};
  for (int k = 1; k <= 8; ++k) {
    SCOPED_TRACE(k);
    ASSERT_EQ(Leer(L"orientacion" + std::to_wstring(k) + L".jpg"), LecturaFoto::Bien);
    const auto& d = donde[k - 1];
    EXPECT_EQ(Ancho(), d.deLado ? 40 : 60);
    EXPECT_EQ(Alto(), d.deLado ? 60 : 40);
    EXPECT_EQ(foto_.original.x, Ancho());
    EXPECT_TRUE(Cuarto(d.qx, d.qy, kRojo));
    EXPECT_TRUE(Cuarto(1 - d.qx, 1 - d.qy, kAzul));
  }
}

// 6000 x 4000, 24 megapixels: shrunk to the largest puzzle's 20.25.
TEST_F(LectorFotos, APhotoLargerThanTheLargestPuzzleIsShrunkToIt) {
  ASSERT_EQ(Leer(L"grande.jpg"), LecturaFoto::Bien);
  EXPECT_EQ(foto_.original.x, 6000);
  EXPECT_EQ(Ancho(), 5511);
  EXPECT_EQ(Alto(), 3674);
  EXPECT_TRUE(Cuarto(0, 0, kRojo));
  EXPECT_TRUE(Cuarto(1, 1, kAzul));
}

TEST_F(LectorFotos, SeeThroughPartsShowTheTable) {
  ASSERT_EQ(Leer(L"transparente.png"), LecturaFoto::Bien);
  EXPECT_TRUE(Cuarto(0, 0, kRojo));
  EXPECT_TRUE(Cuarto(1, 1, kVerdeFondo));
}

TEST_F(LectorFotos, BadFilesAreRefusedWithTheirReason) {
  EXPECT_EQ(Leer(L"cortado.jpg"), LecturaFoto::Dañada);
  EXPECT_EQ(Leer(L"vacio.jpg"), LecturaFoto::NoEsImagen);
  EXPECT_EQ(Leer(L"texto.jpg"), LecturaFoto::NoEsImagen);
  EXPECT_EQ(Leer(L"enorme.png"), LecturaFoto::Enorme);
  EXPECT_EQ(Leer(L"no-such-file.jpg"), LecturaFoto::NoAbre);
  EXPECT_TRUE(foto_.bmp.empty());
}

// Converted once, then found again without decoding; a bad file leaves
// nothing behind.
TEST_F(LectorFotos, AConvertedPhotoIsKeptAndFoundAgain) {
  const std::string carpeta = std::string(std::getenv("TESSERA_FOTOS_DIR")) + "/convertidas-" +
                              std::to_string(GetCurrentProcessId()) + "/";
  std::filesystem::remove_all(carpeta);
  const auto windows = [](std::string r) {
    for (char& c : r)
      if (c == '/') c = '\\';
    return "Z:" + r;
  };
  std::string ruta, otra;
  ASSERT_EQ(PrepararFoto((Carpeta() + L"grande.jpg").c_str(), kFondo, windows(carpeta), &ruta), LecturaFoto::Bien);
  const std::string unix = carpeta + ruta.substr(ruta.rfind('\\') + 1);
  ASSERT_TRUE(std::filesystem::exists(unix));
  EXPECT_EQ(std::filesystem::file_size(unix), 54u + 16536u * 3674u);  // rows padded to 4 bytes
  const auto cuando = std::filesystem::last_write_time(unix);
  // A different name with the same bytes is the same photo.
  std::filesystem::copy_file(std::string(std::getenv("TESSERA_FOTOS_DIR")) + "/grande.jpg", carpeta + "copia.jpg");
  ASSERT_EQ(PrepararFoto((Carpeta() + L"convertidas-" + std::to_wstring(GetCurrentProcessId()) + L"\\copia.jpg").c_str(),
                         kFondo, windows(carpeta), &otra),
            LecturaFoto::Bien);
  EXPECT_EQ(otra, ruta);
  EXPECT_EQ(std::filesystem::last_write_time(unix), cuando) << "found, not made again";
  const size_t antes = std::distance(std::filesystem::directory_iterator(carpeta), {});
  EXPECT_EQ(PrepararFoto((Carpeta() + L"cortado.jpg").c_str(), kFondo, windows(carpeta), &otra),
            LecturaFoto::Dañada);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(carpeta), {}), static_cast<std::ptrdiff_t>(antes));
  std::filesystem::remove_all(carpeta);
}

}  // namespace
