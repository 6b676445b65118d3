// The language window in-process: the real main window, the settings file
// in a folder of the test's own, what a new language swaps on screen.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "CambioIdioma.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "Configuracion.h"
#include "Controles.h"
#include "EtiquetaTexto.h"
#include "Lupa.h"
#include "ObjetosGDI.h"
#include "PeticionesGrabadas.h"
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
  id < 0 ? GetWindowTextA(VentanaLupa(), b, sizeof b) : LoadStringA(arranque.instancia, id, b, sizeof b);
  return b;
}

RECT Cliente(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return r;
}

// `hijo`'s rectangle in its parent's client coordinates.
RECT Lugar(HWND hijo) {
  RECT r{};
  GetWindowRect(hijo, &r);
  MapWindowPoints(nullptr, GetParent(hijo), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool Dentro(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The pixels `texto` darkens when drawn alone in the labels' font on white,
// as a w x h mask.
std::vector<bool> Tinta(const char* texto, int w, int h) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ObjetoGDI<HFONT> fuente(CreateFontA(30, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFuenteComun));
  HDC dc = CreateCompatibleDC(nullptr);
  {
    Seleccion s(dc, dib.Get());
    Seleccion f(dc, fuente.Get());
    PatBlt(dc, 0, 0, w, h, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, 0, 0, texto, static_cast<int>(std::strlen(texto)));
    GdiFlush();
  }
  DeleteDC(dc);
  std::vector<bool> m(static_cast<size_t>(w * h));
  for (size_t i = 0; i < m.size(); ++i) m[i] = Suma(static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF) < 600;
  return m;
}

class IdiomaVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    fs::create_directories(carpeta_);
    CambiarCarpetaPrograma((carpeta_.string() + "\\").c_str());
    CrearVentanaPrincipal();
    Bombear();
  }
  void TearDown() override {
    if (HWND v = VentanaCambioIdioma()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    idioma = 1;
    CambiarCarpetaPrograma(programa_);
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

// The windows already on screen hear of a new language once, through the
// game; the same language, Cancel and Escape tell nobody.
TEST_F(IdiomaVentana, OnlyANewLanguageIsAnnouncedToTheGame) {
  PeticionesGrabadas grabadas;
  const struct { int etiqueta; UINT tecla; std::vector<std::string> pedidas; } casos[] = {
      {1, VK_RETURN, {}}, {3, VK_ESCAPE, {}}, {3, VK_RETURN, {"language changed"}}, {3, VK_RETURN, {}}};
  for (const auto& c : casos) {
    ASSERT_NE(AbrirCambioIdioma(), nullptr);
    Clic(EtiquetaIdioma(c.etiqueta));
    SendMessageA(VentanaCambioIdioma(), WM_CHAR, c.tecla, 0);
    Bombear(30);
    EXPECT_EQ(grabadas.Tomar(), c.pedidas) << c.etiqueta << " " << c.tecla;
  }
  EXPECT_EQ(idioma, 3);
}

// In every language: its own caption at the top; outside its controls the
// window is its own background, whose paper has no slider slots where the
// music window has them; a cancel that is not the music-off button; each
// name drawn once, its shadow no darker than the paper's shade.
TEST_F(IdiomaVentana, LooksLikeAWindowOfItsOwn) {
  const auto fondo = CargarImagenArchivo(215), musica = CargarImagenArchivo(214);
  ASSERT_TRUE(ImagenDe(fondo) && ImagenDe(musica));
  const HIMAGE f = ImagenDe(fondo);
  for (int x : {67, 69, 71, 179, 181, 183})
    for (int y = 94; y < 243; ++y) {
      ASSERT_GT(Suma(ColorImagen(f, x, y)), 600) << "a slot at " << x << "," << y;
      if (x == 69 && y == 150) {
        ASSERT_LT(Suma(ColorImagen(ImagenDe(musica), x, y)), 600) << "the music window's slot";
      }
    }
  const char* nombres[] = {"Espa\xF1ol", "English", "Portugu\xEAs", "Italiano", "Fran\xE7" "ais", "Deutsch"};
  for (int32_t k = 0; k < 6; ++k) {
    idioma = k;
    HWND v = AbrirCambioIdioma();
    ASSERT_NE(v, nullptr);
    Bombear(30);
    UpdateWindow(v);
    const RECT c = Cliente(v);
    ASSERT_EQ(c.right, f->biWidth);
    ASSERT_EQ(c.bottom, f->biHeight);
    const std::vector<uint32_t> p = Leer(v, c);
    ASSERT_EQ(p.size(), static_cast<size_t>(c.right * c.bottom));
    const auto pixel = [&](int x, int y) { return p[static_cast<size_t>(y * c.right + x)]; };

    const auto titulo = CargarImagenArchivo(2170 + static_cast<uint32_t>(k));
    const HIMAGE t = ImagenDe(titulo);
    ASSERT_TRUE(t);
    long distintos = 0;
    for (int y = 0; y < t->biHeight; ++y)
      for (int x = 0; x < t->biWidth; ++x) distintos += pixel(77 + x, y) != ColorImagen(t, x, y);
    EXPECT_EQ(distintos, 0) << "caption of language " << k;

    std::vector<RECT> controles;
    for (HWND h = GetWindow(v, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) controles.push_back(Lugar(h));
    long fuera = 0;
    for (int y = 0; y < c.bottom; ++y)
      for (int x = 0; x < c.right; ++x) {
        if (x >= 77 && x < 77 + t->biWidth && y < t->biHeight) continue;
        bool libre = true;
        for (const RECT& r : controles) libre = libre && !Dentro(r, x, y);
        if (libre) fuera += pixel(x, y) != ColorImagen(f, x, y);
      }
    EXPECT_EQ(fuera, 0) << "background of language " << k;

    EXPECT_FALSE(Muestra(BotonCancelarIdioma(), 213));
    EXPECT_TRUE(Muestra(BotonCancelarIdioma(), 217));
    EXPECT_TRUE(Muestra(BotonAceptarIdioma(), 216));

    for (int32_t n = 0; n < 6; ++n) {
      const RECT r = Lugar(EtiquetaIdioma(n));
      const int w = r.right - r.left, h = r.bottom - r.top;
      const std::vector<bool> tinta = Tinta(nombres[n], w, h);
      long sobra = 0, propia = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const bool oscuro = Suma(pixel(r.left + x, r.top + y)) < 200;
          sobra += oscuro && !tinta[static_cast<size_t>(y * w + x)];
          propia += oscuro;
        }
      EXPECT_EQ(sobra, 0) << "a dark copy beside " << n << " in language " << k;
      if (n != k) {
        EXPECT_GT(propia, 50) << n;  // the marked one is red
      }
    }
    SendMessageA(v, WM_CHAR, VK_ESCAPE, 0);
    Bombear(30);
    ASSERT_EQ(VentanaCambioIdioma(), nullptr);
  }
}

}  // namespace
