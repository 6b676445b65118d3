// The language window in-process: the real main window, the settings file
// in a folder of the test's own, what a new language swaps on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "CambioIdioma.h"
#include "ComunVentanas.h"
#include "Configuracion.h"
#include "Controles.h"
#include "EtiquetaTexto.h"
#include "Lupa.h"
#include "ProgramaPrueba.h"
#include "Titulo.h"
#include "VentanaPrincipal.h"

namespace {

namespace fs = std::filesystem;

HIMAGE Imagen(HWND c) { return reinterpret_cast<HIMAGE>(SendMessageA(c, kMsgObtenerImagen, 0, 0)); }
HWND BotonNuevo() { return ChildWindowFromPoint(VentanaTitulo(), POINT{0, 12}); }

// Whether `control` shows archive picture `numero`, pixel for pixel.
bool Muestra(HWND control, int32_t numero) {
  const auto esperada = CargarImagenArchivo(static_cast<uint32_t>(numero));
  const HIMAGE h = Imagen(control), e = ImagenDe(esperada);
  return h && e && h->biWidth == e->biWidth && h->biHeight == e->biHeight && h->biBitCount == e->biBitCount &&
         std::memcmp(PixelesHIMAGE(h), PixelesHIMAGE(e), static_cast<size_t>(StrideHIMAGE(e) * e->biHeight)) == 0;
}

COLORREF Color(int32_t k) {
  return static_cast<COLORREF>(SendMessageA(EtiquetaIdioma(k), kMsgTextoObtenerColor, 0, 0));
}

std::string Texto(int id) {  // of the string table; -1: the magnifier's title
  char b[100] = "";
  id < 0 ? GetWindowTextA(VentanaLupa(), b, sizeof b) : LoadStringA(instanciaPrograma, id, b, sizeof b);
  return b;
}

class IdiomaVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    std::strcpy(programa_, directorioPrograma.Data());
    fs::create_directories(carpeta_);
    std::strcpy(directorioPrograma.Data(), (carpeta_.string() + "\\").c_str());
    CrearVentanaPrincipal();
    Bombear();
  }
  void TearDown() override {
    if (HWND v = VentanaCambioIdioma()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    idioma = 1;
    std::strcpy(directorioPrograma.Data(), programa_);
    fs::remove_all(carpeta_);
  }
  char programa_[300] = "";
  const fs::path carpeta_ = fs::temp_directory_path() / ("tessera-idioma-" + std::to_string(GetCurrentProcessId()));
};

// Each case: clicks on labels (-1: none); OK (0), Enter (1), Cancel (2) or
// Escape (3); the language after. Until one changes, nothing is written.
TEST_F(IdiomaVentana, OnlyANewLanguageSwapsTheWordsOnScreenAndIsRemembered) {
  const int casos[][4] = {{1, -1, 0, 1}, {3, 1, 0, 1}, {4, -1, 2, 1}, {2, -1, 3, 1}, {0, -1, 0, 0},
                          {2, -1, 0, 2}, {3, -1, 0, 3}, {4, -1, 1, 4}, {5, -1, 0, 5}, {1, -1, 0, 1}};
  bool escrito = false;
  for (const auto& c : casos) {
    const int32_t antes = idioma, marcada = c[1] >= 0 ? c[1] : c[0];
    ASSERT_NE(AbrirCambioIdioma(), nullptr);
    EXPECT_EQ(Color(antes), kColorResalteComun);
    for (int k : {c[0], c[1]}) if (k >= 0) Clic(EtiquetaIdioma(k));
    EXPECT_EQ(Color(marcada), kColorResalteComun);
    EXPECT_TRUE(marcada == antes || Color(antes) == kColorTextoComun);
    if (c[2] == 0 || c[2] == 2) Clic(c[2] == 0 ? BotonAceptarIdioma() : BotonCancelarIdioma());
    else SendMessageA(VentanaCambioIdioma(), WM_CHAR, c[2] == 1 ? VK_RETURN : VK_ESCAPE, 0);
    Bombear(30);
    const int32_t k = c[3];
    escrito = escrito || k != antes;
    EXPECT_TRUE(!VentanaCambioIdioma() && IsWindowEnabled(ventanaPrincipal));
    EXPECT_EQ(idioma, k) << c[0] << c[1] << c[2];
    EXPECT_EQ(fs::exists(carpeta_ / "Tessera.ini"), escrito) << c[0] << c[1] << c[2];
    EXPECT_TRUE(Muestra(BotonNuevo(), 2060 + k)) << k;
    EXPECT_TRUE(Muestra(GetWindow(VentanaBarraHerramientas(), GW_CHILD), 2110 + k)) << k;
    EXPECT_TRUE(Muestra(GetWindow(VentanaBarraOpciones(), GW_CHILD), 2120 + k)) << k;
    EXPECT_EQ(Texto(-1), Texto(120 + k));
    EXPECT_EQ(LeerIdiomaConfigurado(), k);  // what the next start-up reads
  }
}

}  // namespace
