// The size and count choosers in a recording parent, on pictures written
// to a temporary folder: dragging, notifications, cursors and what they show.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "../native/BmpSintetico.h"
#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Compositor.h"
#include "ControlDC.h"
#include "Globales.h"
#include "NewPuzzleParams.h"
#include "PadrePrueba.h"
#include "Puzzle.h"
#include "SelectorTamano.h"

namespace {

constexpr COLORREF kRojo = RGB(255, 0, 0);
constexpr COLORREF kCian = RGB(0, 255, 255);  // red inverted by the grid

std::string Carpeta() {
  char temporal[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temporal);
  return std::string(temporal) + "tessera-selectores\\";
}

// A 24-bit picture of one colour (0xRRGGBB), or of `bits` bits (zeros).
std::string Escribir(const char* nombre, int32_t ancho, int32_t alto, uint32_t color = 0xFF0000, uint16_t bits = 24) {
  BmpSintetico b;
  b.ancho = ancho, b.alto = alto, b.bits = bits;
  b.Pintar([&](int32_t, int32_t) { return bits == 24 ? color : 0u; });
  const std::vector<uint8_t> bytes = b.Bytes();
  const std::string ruta = Carpeta() + nombre;
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
  return ruta;
}

class Selector : public PadrePrueba {
 protected:
  static void SetUpTestSuite() {
    static const bool hecho = [] {
      instanciaPrograma = GetModuleHandleA(nullptr);
      const DWORD n = GetModuleFileNameA(nullptr, directorioPrograma.Data(), 260);
      CortarDirectorio(directorioPrograma, static_cast<int32_t>(n));
      CreateDirectoryA(Carpeta().c_str(), nullptr);
      return RegistrarSelectores(instanciaPrograma);
    }();
    ASSERT_TRUE(hecho);
    // The table mosaic, as the main window gives it to the engine.
    if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos((std::string(directorioPrograma.Data()) + "Tessera.rf").c_str());
    static ControlDC mosaico;
    if (!MosaicoActual() && mosaico.Cargar(6000)) MosaicoPuzzle(mosaico.Imagen());
  }

  void SetUp() override {
    PadrePrueba::SetUp();
    if (puzzle.Exists()) ClosePuzzle(false);
    tam_ = CrearSelectorTamano(padre_);
    cant_ = CrearSelectorCantidad(padre_, fondo_.get());
    ASSERT_NE(tam_, nullptr);
    ASSERT_NE(cant_, nullptr);
  }
  void TearDown() override {
    EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
    imagenActual.Cerrar();
    PadrePrueba::TearDown();
    EXPECT_EQ(VentanaSelectorTamano(), nullptr);
    EXPECT_EQ(VentanaSelectorCantidad(), nullptr);
  }

  // A picture chosen as the new-puzzle window does it.
  static void Elegir(const std::string& ruta) {
    imagenActual.Abrir(ruta.c_str());
    PrepararImagenSelectores();
    Bombear();
  }
  // Only this chooser on screen (the two overlap).
  void Mostrar(HWND h) const {
    ShowWindow(h == tam_ ? cant_ : tam_, SW_HIDE);
    ShowWindow(h, SW_SHOWNA);
    Bombear();
  }
  static void Presionar(HWND h, int x, int y) { Enviar(h, WM_LBUTTONDOWN, Pt(x, y), MK_LBUTTON); }
  static void Mover(HWND h, int x, int y) { Enviar(h, WM_MOUSEMOVE, MAKELPARAM(x, y), MK_LBUTTON); }
  static void Soltar(HWND h, int x, int y) { Enviar(h, WM_LBUTTONUP, MAKELPARAM(x, y)); }
  static HCURSOR CursorClase(HWND h) { return reinterpret_cast<HCURSOR>(GetClassLongPtrA(h, GCLP_HCURSOR)); }
  // The table mosaic's colour at chooser point (x, y).
  static COLORREF Mosaico(int x, int y) {
    const HIMAGE m = MosaicoActual();
    const ColorRGBQ c = ColoresHIMAGE(m)[FilaHIMAGE(m, y % 100)[x % 100]];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
  }

  Imagen fondo_ = NuevaImagen(500, 400);  // grey (x + y) & 255
  HWND tam_ = nullptr, cant_ = nullptr;
};

class SelectorTamano : public Selector {};
class SelectorCantidad : public Selector {};

std::pair<int32_t, int32_t> Rejilla() { return {puzzle.cols, puzzle.rows}; }

// ---- Size chooser --------------------------------------------------------------

TEST_F(SelectorTamano, StandsInTheChooserBoxAtTheTablesMiniature) {
  if (anchoPantalla != 1024 || altoPantalla != 768) GTEST_SKIP() << "measures for a 1024 x 768 screen";
  RECT r;
  GetWindowRect(tam_, &r);
  EXPECT_EQ(std::pair(r.left - kX, r.top - kY), std::pair(122L, 61L));
  EXPECT_EQ(Tamaño(tam_), Medida(236, 160));
  EXPECT_FALSE(IsWindowVisible(tam_));
  EXPECT_EQ(Tamaño(cant_), Medida(250, 160));
}

TEST_F(SelectorTamano, DragRightOrDownEnlargesWithinItsRangeAndTellsEachChange) {
  Elegir(Escribir("t640x480.bmp", 640, 480));
  const double fit = newPuzzle.baseScale;
  ASSERT_DOUBLE_EQ(puzzle.scale, fit);
  Mostrar(tam_);
  ShowWindow(cant_, SW_SHOWNA);  // to see it invalidated

  Presionar(tam_, 50, 50);
  EXPECT_EQ(GetCapture(), tam_);
  EXPECT_EQ(CursorClase(tam_), cursorSelectorArrastre);
  EXPECT_EQ(GetCursor(), cursorSelectorArrastre);
  Mover(tam_, 70, 50);
  const double derecha = puzzle.scale;
  EXPECT_GT(derecha, fit);
  Mover(tam_, 70, 80);
  EXPECT_GT(puzzle.scale, derecha);
  // The grid follows the zoom: the smallest pieces of the new size.
  EXPECT_EQ(puzzle.cols, static_cast<int32_t>(640 * puzzle.scale / 45));
  EXPECT_EQ(g_avisos, Avisos(tam_, {0, 0}));
  // Both choosers repaint with each change.
  ValidateRect(cant_, nullptr);
  Mover(tam_, 90, 80);
  EXPECT_TRUE(GetUpdateRect(cant_, nullptr, FALSE));

  g_avisos.clear();
  Mover(tam_, 3000, 3000);
  EXPECT_DOUBLE_EQ(puzzle.scale, 2 * fit);
  Mover(tam_, 3100, 3000);  // still the largest: no news
  EXPECT_EQ(g_avisos, Avisos(tam_, {0}));
  Mover(tam_, -3000, -3000);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.minScale);
  EXPECT_EQ(puzzle.cols, static_cast<int32_t>(640 * newPuzzle.minScale / 45));
  EXPECT_EQ(g_avisos.size(), 2u);

  Soltar(tam_, -3000, -3000);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(CursorClase(tam_), cursorSelector);
  EXPECT_EQ(GetCursor(), cursorSelector);
  Mover(tam_, 50, 50);  // released: moves change nothing
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.minScale);
  EXPECT_EQ(g_avisos.size(), 2u);
}

TEST_F(SelectorTamano, ACaptureTakenByAnotherWindowEndsTheDragAndRestoresTheClassCursor) {
  Elegir(Escribir("t640x480.bmp", 640, 480));
  Mostrar(tam_);
  Presionar(tam_, 50, 50);
  SetCapture(padre_);
  Mover(tam_, 200, 200);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.baseScale);
  EXPECT_TRUE(g_avisos.empty());
  EXPECT_EQ(CursorClase(tam_), cursorSelector);
}

TEST_F(SelectorTamano, ShowsThePictureCentredAtTheZoomOverTheTableMosaic) {
  ASSERT_NE(MosaicoActual(), nullptr);
  Elegir(Escribir("t640x480.bmp", 640, 480));
  Mostrar(tam_);
  const auto [ancho, alto] = Tamaño(tam_);
  // Twice the fit is larger than the table: the picture covers it all.
  MenuNuevoScrollTamanoSet(100);
  RepintarSelectores();
  EXPECT_EQ(Pixel(tam_, 0, 0), kRojo);
  EXPECT_EQ(Pixel(tam_, ancho - 1, alto - 1), kRojo);
  // The smallest: the size-chooser picture times minScale, in the middle.
  MenuNuevoScrollTamanoSet(0);
  RepintarSelectores();
  const int w = static_cast<int>(newPuzzle.sizePicture.x * puzzle.scale);
  const int h = static_cast<int>(newPuzzle.sizePicture.y * puzzle.scale);
  const int x = (ancho - w) / 2, y = (alto - h) / 2;
  EXPECT_EQ(Pixel(tam_, x, y), kRojo);
  EXPECT_EQ(Pixel(tam_, x + w - 1, y + h - 1), kRojo);
  EXPECT_EQ(Pixel(tam_, x - 1, y), Mosaico(x - 1, y));
  EXPECT_EQ(Pixel(tam_, x + w, y + h), Mosaico(x + w, y + h));
  EXPECT_EQ(Pixel(tam_, 0, 0), Mosaico(0, 0));
}

TEST_F(SelectorTamano, APictureThatCannotBeReadShowsOnlyTheMosaicAndIgnoresPresses) {
  for (const std::string& ruta : {Escribir("t32bits.bmp", 64, 64, 0, 32), Carpeta() + "falta.bmp"}) {
    SCOPED_TRACE(ruta);
    Elegir(ruta);
    Mostrar(tam_);
    const auto [ancho, alto] = Tamaño(tam_);
    EXPECT_EQ(Pixel(tam_, ancho / 2, alto / 2), Mosaico(ancho / 2, alto / 2));
    Presionar(tam_, ancho / 2, alto / 2);
    Mover(tam_, ancho, alto);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(CursorClase(tam_), cursorSelector);
    EXPECT_TRUE(g_avisos.empty());
  }
}

// ---- Count chooser -------------------------------------------------------------

TEST_F(SelectorCantidad, APressOutsideTheThumbnailDoesNothingItsEdgesCount) {
  Elegir(Escribir("t640x480.bmp", 640, 480));  // thumbnail 213 x 160 at (18, 0)
  ASSERT_EQ(std::pair(newPuzzle.thumbnail.x, newPuzzle.thumbnailOffset.x), std::pair(213, 18));
  Mostrar(cant_);
  const auto antes = Rejilla();
  for (POINT fuera : {POINT{17, 80}, POINT{232, 80}, POINT{100, 161}, POINT{100, -1}}) {
    Presionar(cant_, fuera.x, fuera.y);
    Mover(cant_, fuera.x + 300, fuera.y + 300);
    EXPECT_EQ(GetCapture(), nullptr) << fuera.x << "," << fuera.y;
    Soltar(cant_, fuera.x + 300, fuera.y + 300);
  }
  EXPECT_EQ(Rejilla(), antes);
  EXPECT_TRUE(g_avisos.empty());
  EXPECT_EQ(CursorClase(cant_), cursorSelector);
  for (POINT borde : {POINT{18, 0}, POINT{231, 160}}) {
    Presionar(cant_, borde.x, borde.y);
    EXPECT_EQ(GetCapture(), cant_) << borde.x << "," << borde.y;
    EXPECT_EQ(CursorClase(cant_), cursorSelectorArrastre);
    Soltar(cant_, borde.x, borde.y);
    EXPECT_EQ(CursorClase(cant_), cursorSelector);
    EXPECT_EQ(GetCursor(), cursorSelector);
  }
}

// Ordinary, wide, tall and one-pixel-high thumbnails: a sweep of drags far
// both ways never leaves the limits, and only grid changes are told.
TEST_F(SelectorCantidad, DragKeepsTwoPiecesASideAndSizesIn45To150TellingOnlyChanges) {
  const std::pair<int32_t, int32_t> tamaños[] = {{640, 480}, {1000, 10}, {10, 1000}, {2000, 3}};
  for (auto [w, h] : tamaños) {
    char nombre[32];
    std::snprintf(nombre, sizeof nombre, "c%dx%d.bmp", w, h);
    SCOPED_TRACE(nombre);
    Elegir(Escribir(nombre, w, h));
    Mostrar(cant_);
    g_avisos.clear();
    const Punto o = newPuzzle.thumbnailOffset;
    Presionar(cant_, o.x, o.y);
    ASSERT_EQ(GetCapture(), cant_);
    size_t cambios = 0;
    auto anterior = Rejilla();
    for (int paso = -60; paso <= 60; ++paso) {
      const int d = paso * paso * paso / 100;  // fine near the press, far at the ends
      Mover(cant_, o.x + d, o.y + d);
      EXPECT_GE(puzzle.cols, 2);
      EXPECT_GE(puzzle.rows, 2);
      EXPECT_GE(newPuzzle.pieceSize, kMinPieceSize);
      EXPECT_LE(newPuzzle.pieceSize, kMaxPieceSize);
      if (Rejilla() != anterior) ++cambios, anterior = Rejilla();
    }
    EXPECT_EQ(g_avisos, std::vector<Aviso>(cambios, Aviso(0, cant_)));
    EXPECT_GT(cambios, 0u);
    // Far enough down and right: the largest pieces.
    const double s = puzzle.scale;
    EXPECT_EQ(Rejilla(), std::pair(std::max(2, static_cast<int32_t>(w * s / kMaxPieceSize)),
                                   std::max(2, static_cast<int32_t>(h * s / kMaxPieceSize))));
    Soltar(cant_, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
  }
}

TEST_F(SelectorCantidad, ShowsTheThumbnailUnderAnInvertedGridOnTheParentsBackground) {
  Elegir(Escribir("t640x480.bmp", 640, 480));
  MenuNuevoScrollCantidadSet(0);  // the largest pieces
  RepintarSelectores();
  Mostrar(cant_);
  const Punto o = newPuzzle.thumbnailOffset, t = newPuzzle.thumbnail;
  const int x = o.x + t.x / puzzle.cols, y = o.y + t.y / puzzle.rows;
  EXPECT_EQ(Pixel(cant_, x, t.y - 1), kCian);
  EXPECT_EQ(Pixel(cant_, x + 1, t.y - 1), kRojo);
  EXPECT_EQ(Pixel(cant_, x - 1, t.y - 1), kRojo);
  EXPECT_EQ(Pixel(cant_, o.x + 1, y), kCian);
  EXPECT_EQ(Pixel(cant_, o.x + 1, y + 1), kRojo);
  // Beside the thumbnail, the parent's background at the chooser's place.
  EXPECT_EQ(Pixel(cant_, 5, 5), Gris((115 + 5 + 61 + 5) & 255));
  EXPECT_EQ(Pixel(cant_, 245, 150), Gris((115 + 245 + 61 + 150) & 255));
}

TEST_F(SelectorCantidad, APictureThatCannotBeReadLeavesOnlyTheBackgroundAndIgnoresPresses) {
  for (const std::string& ruta : {Escribir("t32bits.bmp", 64, 64, 0, 32), Carpeta() + "falta.bmp"}) {
    SCOPED_TRACE(ruta);
    Elegir(ruta);
    Mostrar(cant_);
    EXPECT_EQ(Pixel(cant_, 125, 80), Gris((115 + 125 + 61 + 80) & 255));
    Presionar(cant_, 125, 80);
    Mover(cant_, 200, 150);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(g_avisos.empty());
  }
}

}  // namespace
