// The size and count choosers in a recording parent, on pictures written
// to a temporary folder: drag limits, notifications, cursors, pixels.
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
#include "InicioPrueba.h"
#include "NewPuzzleParams.h"
#include "PadrePrueba.h"
#include "Puzzle.h"
#include "SelectorTamano.h"

namespace {

constexpr COLORREF kRojo = RGB(255, 0, 0), kCian = RGB(0, 255, 255);  // cyan: red under the grid

// A red w x h picture of 24 bits, or zeros of `bits` bits.
std::string Escribir(int32_t w, int32_t h, uint16_t bits = 24) {
  char temporal[MAX_PATH] = "", nombre[40];
  GetTempPathA(MAX_PATH, temporal);
  std::snprintf(nombre, sizeof nombre, "tessera-sel-%dx%dx%d.bmp", w, h, bits);
  BmpSintetico b;
  b.ancho = w, b.alto = h, b.bits = bits;
  const std::vector<uint8_t> bytes = b.Pintar([&](int32_t, int32_t) { return bits == 24 ? 0xFF0000u : 0u; }).Bytes();
  const std::string ruta = std::string(temporal) + nombre;
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
  return ruta;
}

class Selector : public PadrePrueba {
 protected:
  static void SetUpTestSuite() {
    static const bool hecho = [] {
      PrepararInicio();
      // A suite that ran earlier in this program may have registered them.
      WNDCLASSA c;
      return RegistrarSelectores(arranque.instancia) || (GetClassInfoA(arranque.instancia, "CWNDIMAGECANT", &c) &&
                                                        GetClassInfoA(arranque.instancia, "CWNDIMAGETAM", &c));
    }();
    ASSERT_TRUE(hecho);
    // The table mosaic, as the main window gives it to the engine.
    const std::string archivo = arranque.carpeta + "Tessera.rf";
    if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos(archivo.c_str());
    static ControlDC mosaico;
    if (!MosaicoActual() && mosaico.Cargar(6000)) MosaicoPuzzle(mosaico.Imagen());
  }
  void SetUp() override {
    PadrePrueba::SetUp();
    if (puzzle.Exists()) ClosePuzzle(false);
    ASSERT_NE(tam_ = CrearSelectorTamano(padre_), nullptr);
    ASSERT_NE(cant_ = CrearSelectorCantidad(padre_, fondo_.get()), nullptr);
  }
  void TearDown() override {
    EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
    imagenActual.Cerrar();
    PadrePrueba::TearDown();
    EXPECT_EQ(VentanaSelectorTamano(), nullptr);
    EXPECT_EQ(VentanaSelectorCantidad(), nullptr);
  }

  // A picture chosen as the new-puzzle window does it; only `h` on screen
  // (the two choosers overlap).
  void Elegir(const std::string& ruta, HWND h) const {
    imagenActual.Abrir(ruta.c_str());
    PrepararImagenSelectores();
    ShowWindow(h == tam_ ? cant_ : tam_, SW_HIDE);
    ShowWindow(h, SW_SHOWNA);
    Bombear();
  }
  static void Presionar(HWND h, int x, int y) { Enviar(h, WM_LBUTTONDOWN, Pt(x, y), MK_LBUTTON); }
  static void Mover(HWND h, int x, int y) { Enviar(h, WM_MOUSEMOVE, Pt(x, y), MK_LBUTTON); }
  static void Soltar(HWND h) { Enviar(h, WM_LBUTTONUP); }
  static HCURSOR CursorClase(HWND h) { return reinterpret_cast<HCURSOR>(GetClassLongPtrA(h, GCLP_HCURSOR)); }
  // The class cursor when it is the current one too.
  static HCURSOR Cursores(HWND h) { return CursorClase(h) == GetCursor() ? CursorClase(h) : nullptr; }
  static COLORREF Mosaico(int x, int y) {
    const HIMAGE m = MosaicoActual();
    const ColorRGBQ c = ColoresHIMAGE(m)[FilaHIMAGE(m, y % 100)[x % 100]];
    return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
  }
  static COLORREF Fondo(int x, int y) { return Gris((kChooserX + x + kChooserY + y) & 255); }
  static std::pair<int32_t, int32_t> Rejilla() { return {puzzle.cols, puzzle.rows}; }

  Imagen fondo_ = NuevaImagen(500, 400);  // grey (x + y) & 255
  HWND tam_ = nullptr, cant_ = nullptr;
};
class SelectorTamano : public Selector {};
class SelectorCantidad : public Selector {};

// ---- Size chooser --------------------------------------------------------------

TEST_F(SelectorTamano, DragRightOrDownEnlargesWithinItsRangeAndTellsEachChange) {
  if (arranque.anchoPantalla == 1024 && arranque.altoPantalla == 768) {  // the table 947 x 640 in miniature
    RECT r;
    GetWindowRect(tam_, &r);
    EXPECT_EQ(std::pair(r.left - kX, r.top - kY), std::pair(122L, 61L));
    EXPECT_EQ(Tamaño(tam_), Medida(236, 160));
  }
  Elegir(Escribir(640, 480), tam_);
  const double ajuste = newPuzzle.baseScale;
  Presionar(tam_, 50, 50);
  EXPECT_EQ(Cursores(tam_), arranque.cursorSelectorArrastre);
  Mover(tam_, 70, 50);
  const double derecha = puzzle.scale;
  EXPECT_GT(derecha, ajuste);
  ShowWindow(cant_, SW_SHOWNA);
  ValidateRect(cant_, nullptr);
  Mover(tam_, 70, 80);
  EXPECT_GT(puzzle.scale, derecha);
  EXPECT_TRUE(GetUpdateRect(cant_, nullptr, FALSE));  // both choosers repaint
  EXPECT_EQ(puzzle.cols, static_cast<int32_t>(640 * puzzle.scale / kMinPieceSize));
  Mover(tam_, 3000, 3000);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.maxScale);
  Mover(tam_, 3100, 3000);  // still the largest: no news
  Mover(tam_, -3000, -3000);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.minScale);
  EXPECT_EQ(g_avisos, Avisos(tam_, {0, 0, 0, 0}));
  Soltar(tam_);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Cursores(tam_), arranque.cursorSelector);

  // A capture taken by another window ends the drag, class cursor restored.
  Presionar(tam_, 50, 50);
  SetCapture(padre_);
  Mover(tam_, 200, 200);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.minScale);
  EXPECT_EQ(g_avisos.size(), 4u);
  EXPECT_EQ(CursorClase(tam_), arranque.cursorSelector);
}

TEST_F(SelectorTamano, ShowsThePictureCentredAtTheZoomOverTheTableMosaic) {
  ASSERT_NE(MosaicoActual(), nullptr);
  Elegir(Escribir(640, 480), tam_);
  const auto [ancho, alto] = Tamaño(tam_);
  // Twice the fit, larger than the table: shown whole in nine tenths of the
  // miniature, the table framed on it in inverted lines.
  MenuNuevoScrollTamanoSet(100);
  RepintarSelectores();
  const Punto z{static_cast<int32_t>(newPuzzle.sizePicture.x * puzzle.scale),
                static_cast<int32_t>(newPuzzle.sizePicture.y * puzzle.scale)};
  const double v = SizeChooserView(z, {ancho, alto});
  ASSERT_LT(v, 1.0);
  const int gw = static_cast<int>(z.x * v), gh = static_cast<int>(z.y * v);
  const int gx = (ancho - gw) / 2, gy = (alto - gh) / 2;
  EXPECT_EQ(Pixel(tam_, gx, gy), kRojo);
  EXPECT_EQ(Pixel(tam_, gx + gw - 1, gy + gh - 1), kRojo);
  EXPECT_EQ(Pixel(tam_, gx - 1, gy - 1), Mosaico(gx - 1, gy - 1));
  const int mx = static_cast<int>(ancho * v), my = static_cast<int>(alto * v);
  const int fx = (ancho - mx) / 2, fy = (alto - my) / 2;
  EXPECT_EQ(Pixel(tam_, fx, alto / 2), kCian);
  EXPECT_EQ(Pixel(tam_, fx + mx - 1, alto / 2), kCian);
  EXPECT_EQ(Pixel(tam_, ancho / 2, fy), kCian);
  EXPECT_EQ(Pixel(tam_, fx + 1, alto / 2), kRojo);
  MenuNuevoScrollTamanoSet(0);
  RepintarSelectores();
  const int w = static_cast<int>(newPuzzle.sizePicture.x * puzzle.scale);
  const int h = static_cast<int>(newPuzzle.sizePicture.y * puzzle.scale);
  const int x = (ancho - w) / 2, y = (alto - h) / 2;
  EXPECT_EQ(Pixel(tam_, x, y), kRojo);
  EXPECT_EQ(Pixel(tam_, x + w - 1, y + h - 1), kRojo);
  EXPECT_EQ(Pixel(tam_, x - 1, y), Mosaico(x - 1, y));
  EXPECT_EQ(Pixel(tam_, x + w, y + h), Mosaico(x + w, y + h));
}

// ---- Count chooser -------------------------------------------------------------

TEST_F(SelectorCantidad, APressOutsideTheThumbnailDoesNothingItsEdgesCount) {
  Elegir(Escribir(640, 480), cant_);  // thumbnail 213 x 160 at (18, 0)
  ASSERT_EQ(std::pair(newPuzzle.thumbnail.x, newPuzzle.thumbnailOffset.x), std::pair(213, 18));
  const auto antes = Rejilla();
  for (POINT fuera : {POINT{17, 80}, POINT{232, 80}, POINT{100, 161}, POINT{100, -1}}) {
    Presionar(cant_, fuera.x, fuera.y);
    Mover(cant_, fuera.x + 300, fuera.y + 300);
    EXPECT_EQ(GetCapture(), nullptr) << fuera.x << "," << fuera.y;
    Soltar(cant_);
  }
  EXPECT_EQ(Rejilla(), antes);
  EXPECT_TRUE(g_avisos.empty());
  for (POINT borde : {POINT{18, 0}, POINT{231, 160}}) {
    Presionar(cant_, borde.x, borde.y);
    EXPECT_EQ(GetCapture(), cant_) << borde.x << "," << borde.y;
    EXPECT_EQ(Cursores(cant_), arranque.cursorSelectorArrastre);
    Soltar(cant_);
    EXPECT_EQ(Cursores(cant_), arranque.cursorSelector);
  }
}

// Ordinary, wide, tall and one-pixel-high thumbnails, dragged far both ways.
TEST_F(SelectorCantidad, DragKeepsTwoPiecesASideAndSizesIn45To150TellingOnlyChanges) {
  for (auto [w, h] : {std::pair(640, 480), std::pair(1000, 10), std::pair(10, 1000), std::pair(2000, 3)}) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    Elegir(Escribir(w, h), cant_);
    g_avisos.clear();
    const Punto o = newPuzzle.thumbnailOffset;
    Presionar(cant_, o.x, o.y);
    ASSERT_EQ(GetCapture(), cant_);
    size_t cambios = 0;
    for (int paso = -60; paso <= 60; ++paso) {
      const auto antes = Rejilla();
      const int d = paso * paso * paso / 100;  // fine near the press, far at the ends
      Mover(cant_, o.x + d, o.y + d);
      EXPECT_GE(std::min(puzzle.cols, puzzle.rows), 2);
      EXPECT_GE(newPuzzle.pieceSize, kMinPieceSize);
      EXPECT_LE(newPuzzle.pieceSize, kMaxPieceSize);
      cambios += Rejilla() != antes;
    }
    EXPECT_GT(cambios, 0u);
    EXPECT_EQ(g_avisos, std::vector<Aviso>(cambios, Aviso(0, cant_)));
    const double s = puzzle.scale;  // far down and right: the largest pieces
    EXPECT_EQ(Rejilla(), std::pair(std::max(2, static_cast<int32_t>(w * s / kMaxPieceSize)),
                                   std::max(2, static_cast<int32_t>(h * s / kMaxPieceSize))));
    Soltar(cant_);
  }
}

TEST_F(SelectorCantidad, ShowsTheThumbnailUnderAnInvertedGridOnTheParentsBackground) {
  Elegir(Escribir(640, 480), cant_);
  MenuNuevoScrollCantidadSet(0);
  RepintarSelectores();
  const Punto o = newPuzzle.thumbnailOffset, t = newPuzzle.thumbnail;
  const int x = o.x + t.x / puzzle.cols, y = o.y + t.y / puzzle.rows;
  EXPECT_EQ(Pixel(cant_, x, t.y - 1), kCian);
  EXPECT_EQ(Pixel(cant_, x + 1, t.y - 1), kRojo);
  EXPECT_EQ(Pixel(cant_, x - 1, t.y - 1), kRojo);
  EXPECT_EQ(Pixel(cant_, o.x + 1, y), kCian);
  EXPECT_EQ(Pixel(cant_, o.x + 1, y + 1), kRojo);
  EXPECT_EQ(Pixel(cant_, 5, 5), Fondo(5, 5));
  EXPECT_EQ(Pixel(cant_, 245, 150), Fondo(245, 150));
}

// ---- Both --------------------------------------------------------------------

TEST_F(Selector, APictureThatCannotBeReadLeavesTheChoosersEmptyAndDeafToPresses) {
  char falta[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, falta);
  for (const std::string& ruta : {Escribir(64, 64, 32), std::string(falta) + "tessera-falta.bmp"}) {
    SCOPED_TRACE(ruta);
    Elegir(ruta, tam_);
    EXPECT_EQ(Pixel(tam_, 118, 80), Mosaico(118, 80));
    Elegir(ruta, cant_);
    EXPECT_EQ(Pixel(cant_, 125, 80), Fondo(125, 80));
    for (HWND h : {tam_, cant_}) {
      Presionar(h, 125, 80);
      Mover(h, 200, 150);
      EXPECT_EQ(GetCapture(), nullptr);
      EXPECT_EQ(CursorClase(h), arranque.cursorSelector);
    }
    EXPECT_TRUE(g_avisos.empty());
  }
}

}  // namespace
