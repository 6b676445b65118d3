// The new-puzzle choices: zoom of the picture and the cutting grid, as the
// new-puzzle window's scrolls read and set them.
//
// The picture is imagenActual (w x h, Tamaño()); the board is the size the
// shell gives once with SetNewPuzzleBoardSize (W x H). The zoom itself and
// the grid live in `puzzle` (scale, cols, rows), from where the new-puzzle
// request hands them to the cut.
#pragma once

#include <cstdint>

#include "Cut.h"
#include "Punto.h"

constexpr int32_t kMinPieceSize = 45;   // pixels of the finished puzzle
constexpr int32_t kMaxPieceSize = 150;
constexpr int32_t kMinShortSide = 135;  // the picture's shorter side at the smallest zoom
// The most pieces a puzzle is cut into, and the finished puzzle's largest
// area: that many pieces of the smallest size (20.25 megapixels).
constexpr int32_t kMaxPieceCount = 10000;
constexpr double kMaxPuzzleArea = static_cast<double>(kMaxPieceCount) * kMinPieceSize * kMinPieceSize;
// A finished puzzle's longest side, with room around it on its table.
constexpr int32_t kMaxPuzzleSide = 1 << 16;
// The two choosers' client box.
constexpr int32_t kChooserW = 250;
constexpr int32_t kChooserH = 160;
// Where the choosers stand in the new-puzzle window.
constexpr int32_t kChooserX = 115;
constexpr int32_t kChooserY = 61;

struct NewPuzzleParams {
  double baseScale = 0;  // picture just fits the board
  double minScale = 0;   // shorter side at least 135 pixels
  double maxScale = 0;   // LargestScale's, never below minScale
  int32_t minCols = 2, minRows = 2;
  int32_t countSteps = 1;
  double colStep = 0, rowStep = 0;
  int32_t pieceSize = 45;
  bool sizeRangeCollapsed = false;  // the size scroll has a single value

  // Board size and its miniature in the size chooser.
  Punto board;
  double miniatureScale = 0;
  Punto miniature;
  // The picture's size in the size chooser (at miniatureScale) and the
  // count chooser's thumbnail with its offset in the chooser.
  Punto sizePicture;
  Punto thumbnail;
  Punto thumbnailOffset;
};
extern NewPuzzleParams newPuzzle;

// Called once by the shell with the table board's size (also computes the
// miniature).
void SetNewPuzzleBoardSize(int32_t W, int32_t H);

// After a new picture is loaded: zoom range, zoom and grid reset, chooser
// picture sizes computed. Must not be called while a puzzle exists.
void MenuNuevoPrepararImagen();
// Grid range for the current zoom; the grid becomes the smallest pieces.
void MenuNuevoRecalcular();
// Zoom as 0-100 of its range (0 when the range is a single value).
int32_t MenuNuevoScrollTamanoGet();
void MenuNuevoScrollTamanoSet(int32_t percentage);
int32_t MenuNuevoScrollCantidadGetMax();
int32_t MenuNuevoScrollCantidadGet();
void MenuNuevoScrollCantidadSet(int32_t position);
void MenuNuevoZoomAjustar();
void MenuNuevoZoomNatural();
// A grid chosen outright (the test hook's puzzle): at least 2 x 2, as the
// choosers give; false, nothing changed, otherwise. The cut checks it
// against the picture.
bool SetNewPuzzleGrid(int32_t rows, int32_t cols);
// The same for the current picture, with the zoom GridScale gives it.
bool SetNewPuzzleGridAndZoom(int32_t rows, int32_t cols);

// The largest zoom offered for a w x h picture that fits the board at
// `baseScale`: twice that, or the picture's own size where it is larger,
// but never a finished puzzle over kMaxPuzzleArea. (Its longest side stays
// within kMaxPuzzleSide: a picture it would not is no picture to cut.)
double LargestScale(int32_t w, int32_t h, double baseScale);
// The zoom for a grid chosen outright: `baseScale`, or the smallest zoom
// whose cells are kMinPieceSize pixels where that one makes them smaller.
double GridScale(int32_t w, int32_t h, double baseScale, int32_t rows, int32_t cols);

// The choices as a request for the cut: the current picture at the chosen
// zoom and grid, shipped shape `shape` (0-2), a new game laid out on a
// table of `table`, its pieces turned or upright.
PedidoPuzzle PedidoNuevoPuzzle(int32_t shape, Punto table, bool turned = false);

// Pure arithmetic of the choosers. Every computed picture size is at least
// 1 x 1 so that scaled reads never get an empty target.
double MiniatureScale(int32_t W, int32_t H);  // board into 250 x 160, aspect kept
Punto MiniatureSize(int32_t W, int32_t H);
Punto SizeChooserPosition(int32_t W, int32_t H);  // in the new-puzzle window
// The picture w x h in the size chooser.
Punto SizeChooserPictureSize(int32_t w, int32_t h, int32_t W, int32_t H);
// The size chooser's view of a picture `picture` (its size in the chooser
// at the zoom) on a chooser of size `box`: 1 while it fits; otherwise the
// factor that shows it whole in nine tenths of the box, the screen's table
// then drawn as a frame at the same factor.
double SizeChooserView(Punto picture, Punto box);
// Every how many of the count chooser's grid lines are drawn on a thumbnail
// `thumbnail` wide and high, so that drawn lines stand at least `minGap`
// apart: 1 while every cell is that wide; the same both ways, so a drawn
// cell is a block of whole pieces.
int32_t CountGridStep(Punto thumbnail, int32_t cols, int32_t rows, int32_t minGap);
// The picture fitted into 250 x 160, and its offset centring it there.
Punto ThumbnailSize(int32_t w, int32_t h);
Punto ThumbnailOffset(Punto thumbnail);

// A picture's thumbnail on the new-puzzle window's picture page: fitted
// into 82 x 123, aspect kept, at least 1 x 1.
Punto PictureThumbnailSize(int32_t w, int32_t h);

// Whether the current picture is one the cut can use: open, uncompressed,
// 8 or 24 bits, and not so long and thin (over 485 times longer than high)
// that its smallest puzzle is larger or longer than the largest.
bool PictureCuttable();

// Size chooser drag: the zoom for a drag `d` (pointer - press point) from a
// press made at `scaleAtPress`, clamped to [minScale, maxScale] with
// minScale winning.
double SizeDragScale(double scaleAtPress, Punto d, Punto miniature, double maxScale, double minScale);

// Count chooser drag: `q` is pointer - thumbnail offset - press point.
struct CountDrag {
  int32_t pieceSize;  // 45 to 150
  int32_t cols, rows;  // at least 2
};
CountDrag CountDragGrid(int32_t pieceSizeAtPress, Punto q, Punto thumbnail, Punto picture, double scale);

// The two drags applied to the choices, for the current picture; true when
// they changed (and nothing changed otherwise). The size drag sets the zoom
// and recalculates the grid; the count drag sets the grid and the piece
// size, `thumbnail` being the size the chooser shows.
bool ApplySizeDrag(double scaleAtPress, Punto d);
bool ApplyCountDrag(int32_t pieceSizeAtPress, Punto q, Punto thumbnail);
