#include "NewPuzzleParams.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
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
    b.ancho = w, b.alto = h;
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
  EXPECT_DOUBLE_EQ(puzzle.scale, 640.0 / 480);
  EXPECT_DOUBLE_EQ(newPuzzle.minScale, 0.28125);
  EXPECT_FALSE(newPuzzle.sizeRangeCollapsed);
  EXPECT_EQ((std::array{puzzle.cols, puzzle.rows, newPuzzle.minCols, newPuzzle.minRows}), (std::array{18, 14, 5, 4}));
  EXPECT_EQ((std::array{newPuzzle.countSteps, MenuNuevoScrollCantidadGet(), newPuzzle.pieceSize}),
            (std::array{23, 23, 45}));
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
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 44);  // (1.333 - 0.281) / (2.667 - 0.281)
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.0);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(14, 10));  // 640 / 45, 480 / 45
  // A small picture needs more than its natural size; a large one reaches
  // its own.
  Imagen(100, 100);
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.35);
  EXPECT_EQ(puzzle.cols, 3);  // 135 / 45, exactly
  Imagen(4000, 3000);
  MenuNuevoZoomNatural();
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.0);
}

TEST_F(NewPuzzleParamsTest, ElongatedPicturesNarrowTheSizeRange) {
  // Twice the fit and its own size leave the picture below the smallest
  // zoom: the range is that single value.
  Imagen(4000, 100);
  EXPECT_TRUE(newPuzzle.sizeRangeCollapsed);
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.35);
  EXPECT_EQ(std::pair(puzzle.rows, newPuzzle.minRows), std::pair(3, 2));
  EXPECT_SIN_VERIFICAR(MenuNuevoScrollTamanoSet(70); MenuNuevoZoomNatural());
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.35);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 0);
  // Fitting falls short of the smallest zoom but twice it does not: the
  // range starts at the smallest zoom.
  Imagen(4000, 300);
  EXPECT_FALSE(newPuzzle.sizeRangeCollapsed);
  EXPECT_DOUBLE_EQ(puzzle.scale, 0.45);
  EXPECT_EQ(MenuNuevoScrollTamanoGet(), 0);
  MenuNuevoScrollTamanoSet(100);
  EXPECT_DOUBLE_EQ(puzzle.scale, 1.0);
}

// The largest size: twice the fit, or the picture's own size where that is
// larger, but never more than 10,000 pieces of 45 pixels.
TEST_F(NewPuzzleParamsTest, TheLargestSizeIsTwiceTheFitOrNaturalWithinTenThousandPieces) {
  EXPECT_DOUBLE_EQ(LargestScale(640, 480, 1.5), 3.0);                        // twice the fit
  EXPECT_DOUBLE_EQ(LargestScale(4000, 3000, 0.2), 1.0);                      // its own size
  EXPECT_DOUBLE_EQ(LargestScale(6000, 4000, 0.16), 4500 / std::sqrt(24e6));  // the cap, below 1:1
  EXPECT_DOUBLE_EQ(LargestScale(4000, 2000, 0.94), 4500 / std::sqrt(8e6));   // the cap, below twice the fit
  // At the top of the scroll the smallest pieces are 45 pixels or more, and
  // at most 10,000, on a small and a large screen, of any shape.
  for (const Punto mesa : {Punto{kW, kH}, Punto{3763, 2032}}) {
    SetNewPuzzleBoardSize(mesa.x, mesa.y);
    for (const Punto p : {Punto{640, 480}, Punto{6000, 4000}, Punto{4000, 6000}, Punto{4501, 4500}, Punto{4000, 2000},
                          Punto{25000, 600}, Punto{25000, 20}, Punto{20, 9000}}) {
      SCOPED_TRACE(testing::Message() << p.x << "x" << p.y << " on " << mesa.x);
      Imagen(p.x, p.y);
      MenuNuevoScrollTamanoSet(100);
      EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.maxScale);
      EXPECT_LE(puzzle.rows * puzzle.cols, kMaxPieceCount);
      EXPECT_GE(p.x * puzzle.scale / puzzle.cols, 45.0);
      EXPECT_GE(p.y * puzzle.scale / puzzle.rows, 45.0);
      EXPECT_GE(newPuzzle.countSteps, 1);
    }
  }
  // 6000 x 4000 at its largest: 122 x 81 pieces.
  SetNewPuzzleBoardSize(kW, kH);
  Imagen(6000, 4000);
  MenuNuevoScrollTamanoSet(100);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(122, 81));
  MenuNuevoZoomNatural();  // 1:1 is beyond the cap
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.maxScale);
}

// The hook's grid: cut at the fit, or at the smallest zoom that gives
// 45-pixel cells, which the truncated scaled sides still give.
TEST_F(NewPuzzleParamsTest, AGridChosenOutrightGetsTheFitOrFortyFivePixelCells) {
  EXPECT_DOUBLE_EQ(GridScale(640, 480, 4.0 / 3, 14, 18), 4.0 / 3);
  EXPECT_DOUBLE_EQ(GridScale(640, 480, 4.0 / 3, 40, 50), 3.75);  // 45 x 40 / 480 above 45 x 50 / 640
  EXPECT_DOUBLE_EQ(GridScale(640, 480, 4.0 / 3, 10, 60), 45.0 * 60 / 640);
  for (int32_t w = 100; w < 1500; w += 7) {
    const double z = GridScale(w, 300, 0.1, 3, 97);
    EXPECT_GE(static_cast<int64_t>(w * z), 45 * 97) << w;
  }
  Imagen(640, 480);
  ASSERT_TRUE(SetNewPuzzleGridAndZoom(40, 50));
  EXPECT_EQ(std::tuple(puzzle.rows, puzzle.cols, puzzle.scale), std::tuple(40, 50, 3.75));
  ASSERT_TRUE(SetNewPuzzleGridAndZoom(4, 5));
  EXPECT_DOUBLE_EQ(puzzle.scale, 640.0 / 480);
}

TEST_F(NewPuzzleParamsTest, ProgrammingErrorsAreAsserted) {
  Imagen(640, 480);
  EXPECT_VERIFICAR(MenuNuevoScrollTamanoSet(101), "porcentaje invalido");
  EXPECT_VERIFICAR(MenuNuevoScrollCantidadSet(24),
                   "el valor del parametro NewValue no puede ser mayor al valor de la funcion "
                   "MenuNuevoScrollCantidadGetMax()");
  EXPECT_EQ(puzzle.cols, 18);  // refused values change nothing
  SetNewPuzzleBoardSize(0, 0);  // a board size never given
  EXPECT_SIN_VERIFICAR(MenuNuevoPrepararImagen());
  EXPECT_VERIFICAR(MenuNuevoScrollTamanoGet(), "division por cero (en la proxima linea)");
  puzzle.rows = puzzle.cols = 2, puzzle.boxW = puzzle.boxH = 1;
  ASSERT_TRUE(AllocatePuzzle());
  EXPECT_VERIFICAR(MenuNuevoPrepararImagen(), "no se puede llamar a esta funcion con una imagen picada");
}

TEST_F(NewPuzzleParamsTest, ChooserSizesAndDrags) {
  struct Caso { int32_t w, h; Punto esperado; };
  // Board miniatures (800 x 600 screen, 1024 x 768, a very wide board).
  for (const Caso c : {Caso{723, 472, {245, 160}}, Caso{kW, kH, {236, 160}}, Caso{5000, 10, {250, 1}}})
    EXPECT_EQ(Par(MiniatureSize(c.w, c.h)), Par(c.esperado)) << c.w;
  // Thumbnails: never empty, however thin the picture.
  for (const Caso c : {Caso{480, 480, {160, 160}}, Caso{1000, 10, {250, 2}}, Caso{3, 9000, {1, 160}}})
    EXPECT_EQ(Par(ThumbnailSize(c.w, c.h)), Par(c.esperado)) << c.w;
  // A picture larger than the table's miniature is shown whole in nine tenths of it.
  EXPECT_EQ(SizeChooserView({236, 100}, {236, 160}), 1.0);
  EXPECT_DOUBLE_EQ(SizeChooserView({1378, 918}, {236, 160}), 0.9 * 236 / 1378);
  EXPECT_DOUBLE_EQ(SizeChooserView({200, 400}, {236, 160}), 0.9 * 160 / 400);
  // The count grid: every line while cells are 5 pixels wide, else blocks.
  EXPECT_EQ(CountGridStep({213, 160}, 18, 14, 5), 1);
  EXPECT_EQ(CountGridStep({250, 160}, 50, 32, 5), 1);  // 5 x 5 exactly
  EXPECT_EQ(CountGridStep({240, 160}, 122, 81, 5), 3);
  EXPECT_EQ(CountGridStep({250, 2}, 3333, 3, 5), 67);  // by the narrower cells
  // Dragging the size chooser is clamped to [smallest zoom, largest].
  const double base = 640.0 / 480, minimo = 0.28125;
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {100, 0}, {236, 160}, 2 * base, minimo), 1.0 + 23600 / (std::hypot(236, 160) * 200));
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {5000, 5000}, {236, 160}, 2 * base, minimo), 2 * base);
  EXPECT_DOUBLE_EQ(SizeDragScale(1.0, {-5000, 0}, {236, 160}, 2 * base, minimo), minimo);
  // Dragging the count chooser: pieces of 45 to 150 pixels.
  for (const auto& [q, tam, cols, rows] : {std::tuple{Punto{100, 0}, 75, 11, 8},
                                         std::tuple{Punto{-100, -100}, 45, 18, 14},
                                         std::tuple{Punto{5000, 5000}, 150, 5, 4}}) {
    const CountDrag r = CountDragGrid(45, q, {213, 160}, {640, 480}, base);
    EXPECT_EQ((std::array{r.pieceSize, r.cols, r.rows}), (std::array{tam, cols, rows})) << q.x;
  }
}

// The choosers' drags reach the choices only through these: nothing
// changes without a picture, nor when the result is what is chosen already.
TEST_F(NewPuzzleParamsTest, DragsChangeTheChoicesOnlyWhenTheResultDiffers) {
  EXPECT_FALSE(ApplySizeDrag(1.0, {100, 0}));
  EXPECT_FALSE(ApplyCountDrag(45, {100, 0}, {213, 160}));
  EXPECT_EQ(puzzle.scale, 1.0);
  Imagen(640, 480);
  const double base = 640.0 / 480;
  ASSERT_TRUE(ApplySizeDrag(base, {5000, 5000}));
  EXPECT_DOUBLE_EQ(puzzle.scale, 2 * base);
  EXPECT_EQ(std::pair(puzzle.cols, puzzle.rows), std::pair(37, 28));  // recalculated: the smallest pieces
  EXPECT_FALSE(ApplySizeDrag(base, {6000, 6000}));  // still at the top
  MenuNuevoZoomAjustar();
  ASSERT_TRUE(ApplyCountDrag(45, {100, 0}, {213, 160}));
  EXPECT_EQ((std::array{puzzle.cols, puzzle.rows, newPuzzle.pieceSize}), (std::array{11, 8, 75}));
  // 76-pixel pieces make the same grid: the piece size stays as it was.
  EXPECT_FALSE(ApplyCountDrag(45, {105, 0}, {213, 160}));
  EXPECT_EQ(newPuzzle.pieceSize, 75);
}

TEST_F(NewPuzzleParamsTest, AGridChosenOutrightIsAtLeastTwoByTwo) {
  EXPECT_TRUE(SetNewPuzzleGrid(5, 7));
  for (const auto& [filas, columnas] : {std::pair{1, 7}, std::pair{5, 0}, std::pair{-3, 4}}) {
    EXPECT_FALSE(SetNewPuzzleGrid(filas, columnas)) << filas << " x " << columnas;
    EXPECT_EQ(std::pair(puzzle.rows, puzzle.cols), std::pair(5, 7));
  }
}

TEST_F(NewPuzzleParamsTest, PicturePageThumbnailsAndWhatCanBeCut) {
  struct Caso { int32_t w, h; Punto esperado; };
  // Into 82 x 123: a tall picture by its height, a wide one by its width,
  // and never an empty side.
  for (const Caso c : {Caso{640, 480, {82, 61}}, Caso{100, 400, {30, 123}}, Caso{1000, 10, {82, 1}},
                       Caso{2, 9000, {1, 123}}, Caso{0, 5, {1, 1}}})
    EXPECT_EQ(Par(PictureThumbnailSize(c.w, c.h)), Par(c.esperado)) << c.w << "x" << c.h;

  EXPECT_FALSE(PictureCuttable());  // nothing open
  const std::string ruta = (carpeta_ / "q.bmp").string();
  auto Escribir = [&](uint16_t bits, uint32_t compresion) {
    BmpSintetico b;
    b.ancho = 200, b.alto = 150, b.bits = bits, b.compresion = compresion;
    if (compresion) b.pixeles.assign(64, 0);
    const auto bytes = b.Bytes();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    return imagenActual.Abrir(ruta.c_str());
  };
  int abiertos = 0;
  for (const auto& [bits, compresion, cortable] :
       {std::tuple{uint16_t{8}, 0u, true}, std::tuple{uint16_t{24}, 0u, true}, std::tuple{uint16_t{4}, 0u, false},
        std::tuple{uint16_t{16}, 0u, false}, std::tuple{uint16_t{32}, 0u, false}, std::tuple{uint16_t{8}, 1u, false}}) {
    if (!Escribir(bits, compresion)) continue;  // refused outright: not offered at all
    ++abiertos;
    EXPECT_EQ(PictureCuttable(), cortable) << bits << " bits, compression " << compresion;
  }
  EXPECT_GE(abiertos, 4);
  // A strip at 485 : 1 is the longest whose smallest puzzle is within the
  // longest side; one at 1,250 : 1 is not cut, nor one just past 485 : 1.
  for (const auto& [w, h, cortable] :
       {std::tuple{9708, 20, true}, std::tuple{25000, 20, false}, std::tuple{9710, 20, false}}) {
    BmpSintetico b;
    b.ancho = w, b.alto = h;
    const auto bytes = b.Bytes();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    ASSERT_TRUE(imagenActual.Abrir(ruta.c_str()));
    EXPECT_EQ(PictureCuttable(), cortable) << w << "x" << h;
  }
}

}  // namespace
