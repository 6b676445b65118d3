// The picture preview in-process over a parent of the test's own: its size
// rule and texts as drawn, its exit, pictures it cannot read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../native/BmpSintetico.h"
#include "Captura.h"
#include "FichaImagen.h"
#include "Globales.h"
#include "ProgramaPrueba.h"
#include "Verificar.h"
#include "VistaPrevia.h"

namespace {

std::vector<std::string> g_verificados;

std::string Numerada(int numero) {
  return arranque.carpeta + "Image\\" + std::to_string(numero) + ".bmp";
}

// The page's corner, where the picture sits 20 pixels in.
POINT Esquina() { return {(arranque.anchoPantalla - 800) / 2, (arranque.altoPantalla - 600) / 2}; }

class VistaPreviaVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    anterior_ = InstalarManejadorVerificar([](const char* m) { g_verificados.emplace_back(m); });
    g_verificados.clear();
    padre_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (HWND v = VentanaVistaPrevia()) DestroyWindow(v);
    DestroyWindow(padre_);
    InstalarManejadorVerificar(anterior_);
  }
  HWND Abrir(int32_t indice, const std::string& ruta) const {
    HWND v = AbrirPreviewInfo(padre_, indice, ruta.c_str());
    if (v) UpdateWindow(v);
    return v;
  }
  HWND padre_ = nullptr;
  ManejadorVerificar anterior_ = nullptr;
};

TEST_F(VistaPreviaVentana, A900x600PictureShowsAt432x288) {
  BmpSintetico b;
  b.ancho = 900, b.alto = 600, b.bits = 24;
  const auto bytes = b.Pintar([](int, int) { return 0xFF0000; }).Bytes();  // red
  const std::string ruta = (std::filesystem::temp_directory_path() / "tessera-900x600.bmp").string();
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
  HWND v = Abrir(-1, ruta);
  ASSERT_NE(v, nullptr);
  const POINT e = Esquina();
  EXPECT_EQ(Contar(v, {e.x + 10, e.y + 10, e.x + 470, e.y + 320}, Igual(0xFF0000)), 432 * 288);
  EXPECT_EQ(Contar(v, {e.x + 20, e.y + 20, e.x + 21, e.y + 21}, Igual(0xFF0000)), 1);
  DestroyWindow(v);
  std::filesystem::remove(ruta);
}

TEST_F(VistaPreviaVentana, NameAndTextOnlyForAShippedPicture) {
  const POINT e = Esquina();
  const Punto t = TamañoVistaPrevia({1024, 768});
  for (int32_t indice : {0, 14, -1}) {
    HWND v = Abrir(indice, Numerada(1));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(IndiceVistaPrevia(), indice);
    // White letters; the page, the picture and the buttons have none.
    const long nombre = Contar(v, {e.x + t.x + 40, e.y + 40, e.x + t.x + 340, e.y + 340}, Igual(0xFFFFFF));
    const long texto = Contar(v, {e.x + 20, e.y + t.y + 40, e.x + 720, e.y + 490}, Igual(0xFFFFFF));
    EXPECT_EQ(nombre > 0, indice >= 0) << indice;
    EXPECT_EQ(texto > 0, indice >= 0) << indice;
    DestroyWindow(v);
  }
}

// In every language: no layout check fires, and no letter reaches down to
// the buttons' row (the page and the buttons have no white of their own).
TEST_F(VistaPreviaVentana, EveryShippedNameAndTextFitsItsArea) {
  const POINT e = Esquina();
  const int32_t antes = idioma;
  for (idioma = 0; idioma < 6; ++idioma)
    for (int32_t k = 0; k < kImagenesNumeradas; ++k) {
      HWND v = Abrir(k, Numerada(k + 1));
      ASSERT_NE(v, nullptr) << k;
      const Punto t = TamañoVistaPrevia({1024, 768});
      EXPECT_GT(Contar(v, {e.x + 20, e.y + t.y + 40, e.x + 720, e.y + 496}, Igual(0xFFFFFF)), 0);
      EXPECT_EQ(Contar(v, {e.x, e.y + 496, e.x + 800, e.y + 600}, Igual(0xFFFFFF)), 0)
          << k + 1 << " in language " << idioma;
      DestroyWindow(v);
    }
  idioma = antes;
  EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
}

TEST_F(VistaPreviaVentana, APictureThatCannotBeReadOpensNothing) {
  // Missing, a folder, not a bitmap.
  for (const char* ruta : {"Image\\99.bmp", "Image", "Tessera.rf"}) {
    EXPECT_EQ(AbrirPreviewInfo(padre_, 0, (arranque.carpeta + ruta).c_str()), nullptr);
    EXPECT_TRUE(IsWindowEnabled(padre_)) << ruta;
  }
  EXPECT_EQ(AbrirPreviewInfo(padre_, 0, nullptr), nullptr);
}

}  // namespace
