#include "NewPuzzleParams.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "ArchivoBMP.h"
#include "AyudaVerificar.h"
#include "BmpSintetico.h"
#include "Puzzle.h"

namespace {

namespace fs = std::filesystem;

std::pair<int32_t, int32_t> Par(Punto p) { return {p.x, p.y}; }

// The table of a 1024 x 768 screen.
constexpr int32_t kW = 947, kH = 640;

class NewPuzzleParamsTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "npXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
    puzzle = PuzzleState{};
    newPuzzle = NewPuzzleParams{};
    SetNewPuzzleBoardSize(kW, kH);
  }
  void TearDown() override {
    imagenActual.Cerrar();
    puzzle = PuzzleState{};
    fs::remove_all(carpeta_);
  }
  // Opens an 8-bit w x h picture as the current one and prepares for it.
  void Imagen(int32_t w, int32_t h) {
    BmpSintetico b;
    b.ancho = w;
    b.alto = h;
    const auto bytes = b.Bytes();
    const std::string ruta = (carpeta_ / "p.bmp").string();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    ASSERT_TRUE(imagenActual.Abrir(ruta.c_str()));
    EXPECT_SIN_VERIFICAR(MenuNuevoPrepararImagen());
  }
  fs::path carpeta_;
};

TEST_F(NewPuzzleParamsTest, PictureOnA1024By768Screen) {
  Imagen(640, 480);
  EXPECT_DOUBLE_EQ(newPuzzle.baseScale, 640.0 / 480);
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.baseScale);
  EXPECT_DOUBLE_EQ(newPuzzle.minScale, 0.28125);
  EXPECT_FALSE(newPuzzle.sizeRangeCollapsed);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(18, 14));
  EXPECT_EQ(std::pair(newPuzzle.minCols, newPuzzle.minRows), std::pair(5, 4));
  EXPECT_EQ(newPuzzle.countSteps, 23);
  EXPECT_EQ(MenuNuevoScrollCantidadGetMax(), 23);
  EXPECT_EQ(MenuNuevoScrollCantidadGet(), 23);
  EXPECT_EQ(newPuzzle.pieceSize, 45);
  // The size chooser: the board at 0.25, the picture in it at that scale.
  EXPECT_DOUBLE_EQ(newPuzzle.miniatureScale, 0.25);
  EXPECT_EQ(Par(newPuzzle.miniature), std::pair(236, 160));
  EXPECT_EQ(Par(SizeChooserPosition(kW, kH)), std::pair(122, 61));
  EXPECT_EQ(Par(newPuzzle.sizePicture), std::pair(160, 120));
  // The count chooser: 480 x 250 / 640 = 187.5 > 160, so 160 / 480.
  EXPECT_EQ(Par(newPuzzle.thumbnail), std::pair(213, 160));
  EXPECT_EQ(Par(newPuzzle.thumbnailOffset), std::pair(18, 0));
}

TEST_F(NewPuzzleParamsTest, ZoomCommands) {
  Imagen(640, 480);
  MenuNuevoScrollTamanoSet(100);
  EXPECT_DOUBLE_EQ(puzzle.scale, 2 * 640.0 / 480);
  MenuNuevoZoomAjustar();
  EXPECT_DOUBLE_EQ(puzzle.scale, 640.0 / 480);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), int32_t((640.0 / 480 - 0.28125) * 100 / (2 * 640.0 / 480 - 0.28125)));
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 44);
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.0);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(14, 10));  // 640 / 45, 480 / 45
  // A small picture needs more than its natural size; a large one is
  // limited to twice the fitting zoom.
  Imagen(100, 100);
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.35);
  EXPECT_EQ(puzzle.cols, 3);  // 135 / 45, exactly
  Imagen(4000, 3000);
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 2 * 640.0 / 3000);
}

TEST_F(NewPuzzleParamsTest, ScrollsRoundTrip) {
  Imagen(640, 480);
  for (int32_t p = 0; p <= 100; ++p) {
    MenuNuevoScrollTamanoSet(p);
    ASSERT_EQ(MenuNuevoScrollTamanoGet(), p);
  }
  MenuNuevoZoomAjustar();
  const int32_t pasos = MenuNuevoScrollCantidadGetMax();
  for (int32_t p = 0; p <= pasos; ++p) {
    MenuNuevoScrollCantidadSet(p);
    // Columns and rows are truncated apart, so a position may read back one lower.
    const int32_t leido = MenuNuevoScrollCantidadGet();
    EXPECT_TRUE(leido == p || leido == p - 1) << p << " " << leido;
  }
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(18, 14));
  EXPECT_EQ(newPuzzle.pieceSize, 46);  // (853.3 / 18 + 640 / 14) / 2
  MenuNuevoScrollCantidadSet(0);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(5, 4));
  EXPECT_EQ(newPuzzle.pieceSize, 165);  // (170.7 + 160) / 2
}

// Fitting a very elongated picture to the board leaves it below the
// smallest zoom: the size range is then that single value.
TEST_F(NewPuzzleParamsTest, ElongatedPictures) {
  Imagen(4000, 140);
  EXPECT_TRUE(newPuzzle.sizeRangeCollapsed);
  EXPECT_DOUBLE_EQ(puzzle.scale, 135.0 / 140);
  EXPECT_EQ(std::pair(puzzle.rows, newPuzzle.minRows), std::pair(3, 2));
  EXPECT_EQ(Par(newPuzzle.thumbnail), std::pair(250, 8));
  EXPECT_SIN_VERIFICAR({
    EXPECT_EQ(MenuNuevoScrollTamanoGet(), 0);
    MenuNuevoScrollTamanoSet(70);
    MenuNuevoZoomNatural();
    MenuNuevoZoomAjustar();
    MenuNuevoScrollCantidadSet(MenuNuevoScrollCantidadGetMax());
  });
  EXPECT_DOUBLE_EQ(puzzle.scale, 135.0 / 140);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 0);

  // Fitting falls short of the smallest zoom but twice it does not: the
  // range starts at the smallest zoom.
  Imagen(4000, 300);
  EXPECT_FALSE(newPuzzle.sizeRangeCollapsed);
  EXPECT_DOUBLE_EQ(puzzle.scale, 0.45);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 0);
  MenuNuevoScrollTamanoSet(100);
  EXPECT_DOUBLE_EQ(puzzle.scale, 2 * 947.0 / 4000);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 100);
}

TEST_F(NewPuzzleParamsTest, WithoutAPictureNothingChanges) {
  puzzle.scale = 0.5;
  puzzle.cols = puzzle.rows = 7;
  EXPECT_SIN_VERIFICAR({
    MenuNuevoPrepararImagen();
    MenuNuevoScrollTamanoSet(500);
    MenuNuevoScrollCantidadSet(-4);
    MenuNuevoZoomAjustar();
    MenuNuevoZoomNatural();
    EXPECT_EQ(MenuNuevoScrollTamanoGet(), 1);
    EXPECT_EQ(MenuNuevoScrollCantidadGetMax(), 1);
    EXPECT_EQ(MenuNuevoScrollCantidadGet(), 1);
  });
  EXPECT_EQ(puzzle.scale, 0.5);
  EXPECT_EQ(puzzle.cols, 7);
}

TEST_F(NewPuzzleParamsTest, ProgrammingErrorsAreAsserted) {
  Imagen(640, 480);
  EXPECT_VERIFICAR(MenuNuevoScrollTamanoSet(101), "porcentaje invalido");
  EXPECT_VERIFICAR(MenuNuevoScrollTamanoSet(-1), "porcentaje invalido");
  const char* fuera =
      "el valor del parametro NewValue no puede ser mayor al valor de la funcion MenuNuevoScrollCantidadGetMax()";
  EXPECT_VERIFICAR(MenuNuevoScrollCantidadSet(24), fuera);
  EXPECT_VERIFICAR(MenuNuevoScrollCantidadSet(-1), fuera);
  EXPECT_EQ(puzzle.cols, 18);  // refused values change nothing
  puzzle.scale = 0.01;  // below the smallest zoom: no grid range left
  EXPECT_VERIFICAR(MenuNuevoRecalcular(), "");
  // A board size never given.
  SetNewPuzzleBoardSize(0, 0);
  EXPECT_SIN_VERIFICAR(MenuNuevoPrepararImagen());
  EXPECT_VERIFICAR(MenuNuevoScrollTamanoGet(), "division por cero (en la proxima linea)");
  // A cut puzzle.
  puzzle.rows = puzzle.cols = 2;
  puzzle.boxW = puzzle.boxH = 1;
  ASSERT_TRUE(AllocatePuzzle());
  EXPECT_VERIFICAR(MenuNuevoPrepararImagen(), "no se puede llamar a esta funcion con una imagen picada");
}

TEST_F(NewPuzzleParamsTest, ChooserSizes) {
  struct Caso { int32_t w, h; Punto esperado; };
  // Board miniatures (800 x 600 screen, 1024 x 768, a very wide board).
  for (const Caso c : {Caso{723, 472, {245, 160}}, Caso{kW, kH, {236, 160}}, Caso{5000, 10, {250, 1}}})
    EXPECT_EQ(Par(MiniatureSize(c.w, c.h)), Par(c.esperado)) << c.w;
  // Thumbnails: never empty, however thin the picture.
  for (const Caso c : {Caso{480, 480, {160, 160}}, Caso{1000, 10, {250, 2}}, Caso{10000, 10, {250, 1}},
                       Caso{3, 9000, {1, 160}}})
    EXPECT_EQ(Par(ThumbnailSize(c.w, c.h)), Par(c.esperado)) << c.w;
  EXPECT_EQ(Par(ThumbnailOffset({160, 160})), std::pair(45, 0));
  EXPECT_EQ(Par(SizeChooserPictureSize(2000, 3, kW, kH)), std::pair(500, 1));  // 500 x 0.75
}

TEST_F(NewPuzzleParamsTest, ChooserDrags) {
  const double base = 640.0 / 480, minimo = 0.28125;
  const Punto mini{236, 160};
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {0, 0}, mini, base, minimo), 1.0);
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {100, 0}, mini, base, minimo), 1.0 + 23600 / (std::hypot(236, 160) * 200));
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {5000, 5000}, mini, base, minimo), 2 * base);
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {-5000, 0}, mini, base, minimo), minimo);
  EXPECT_DOUBLE_EQ(SizeDragScale(0.9, {300, 300}, mini, 0.2, 0.9), 0.9);  // a single-value range

  const Punto thumb{213, 160}, foto{640, 480};
  struct Caso { Punto q; int32_t tam, cols, rows; };
  for (const Caso c : {Caso{{0, 0}, 45, 18, 14}, Caso{{100, 0}, 75, 11, 8}, Caso{{-100, -100}, 45, 18, 14},
                       Caso{{5000, 5000}, 150, 5, 4}}) {
    const CountDrag r = CountDragGrid(45, c.q, thumb, foto, base);
    EXPECT_EQ((std::array{r.pieceSize, r.cols, r.rows}), (std::array{c.tam, c.cols, c.rows})) << c.q.x;
  }
  // However far the drag goes, the grid keeps two pieces a side.
  for (int32_t d = -400; d <= 400; d += 40) {
    const CountDrag r = CountDragGrid(100, {d, d / 2}, {250, 8}, {4000, 140}, 135.0 / 140);
    EXPECT_TRUE(r.pieceSize >= 45 && r.pieceSize <= 150 && r.cols >= 2 && r.rows >= 2) << d;
  }
}

}  // namespace
