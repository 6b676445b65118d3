// The new-puzzle choices and the arithmetic of the size and count choosers.
#include "NewPuzzleParams.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "ArchivoBMP.h"
#include "Foto.h"
#include "Puzzle.h"
#include "Verificar.h"

NewPuzzleParams newPuzzle;

// A photo is kept as large as the largest puzzle can use it.
static_assert(kPixelesFotoConservada == kMaxPuzzleArea);

namespace {

// Double to int32, truncating toward zero. A value within a hair of the
// integer above counts as it (n x (k / n) must give k back), and huge
// values saturate instead of overflowing.
int32_t Truncar(double v) {
  v += v >= 0 ? 1e-9 : -1e-9;
  if (!(v < 2147483647.0)) return v > 0 ? INT32_MAX : 0;  // NaN gives 0
  if (v <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// A grid keeps at least 2 pieces along each side.
int32_t AlMenosDos(int32_t v) { return std::max(v, 2); }

// Size of the current picture; false when none is loaded.
bool Imagen(int32_t* w, int32_t* h) {
  const Punto t = imagenActual.Tamaño();
  *w = t.x;
  *h = t.y;
  return imagenActual.Abierto() && t.x > 0 && t.y > 0;
}

// The zoom range: minScale up to maxScale, or minScale alone when the
// picture is so elongated that no larger zoom is offered.
double Acotar(double z) { return std::clamp(z, newPuzzle.minScale, newPuzzle.maxScale); }

// A picture hundreds of times longer than high still has three rows at the
// smallest zoom: its columns give way so the count stays within reach.
void AlMáximoDePiezas(int32_t* cols, int32_t* rows) {
  if (static_cast<int64_t>(*cols) * *rows <= kMaxPieceCount) return;
  int32_t* mayor = *cols >= *rows ? cols : rows;
  const int32_t otro = mayor == cols ? *rows : *cols;
  *mayor = std::max(2, kMaxPieceCount / otro);
}

Punto AlMenosUno(Punto p) { return {std::max(p.x, 1), std::max(p.y, 1)}; }

}  // namespace

double MiniatureScale(int32_t W, int32_t H) {
  if (W < 1 || H < 1) return 0;
  return static_cast<double>(H) * kChooserW / W > kChooserH ? static_cast<double>(kChooserH) / H
                                                            : static_cast<double>(kChooserW) / W;
}

Punto MiniatureSize(int32_t W, int32_t H) {
  const double s = MiniatureScale(W, H);
  return AlMenosUno({Truncar(W * s), Truncar(H * s)});
}

Punto SizeChooserPosition(int32_t W, int32_t H) {
  const Punto m = MiniatureSize(W, H);
  return {(kChooserW - m.x) / 2 + kChooserX, (kChooserH - m.y) / 2 + kChooserY};
}

Punto SizeChooserPictureSize(int32_t w, int32_t h, int32_t W, int32_t H) {
  const double s = MiniatureScale(W, H);
  return AlMenosUno({Truncar(w * s), Truncar(h * s)});
}

double SizeChooserView(Punto picture, Punto box) {
  if (picture.x < 1 || picture.y < 1 || (picture.x <= box.x && picture.y <= box.y)) return 1.0;
  return 0.9 * std::min(static_cast<double>(box.x) / picture.x, static_cast<double>(box.y) / picture.y);
}

int32_t CountGridStep(Punto thumbnail, int32_t cols, int32_t rows, int32_t minGap) {
  if (cols < 1 || rows < 1 || thumbnail.x < 1 || thumbnail.y < 1) return 1;
  const double celda = std::min(static_cast<double>(thumbnail.x) / cols, static_cast<double>(thumbnail.y) / rows);
  return std::max(1, static_cast<int32_t>(std::ceil(minGap / celda - 1e-9)));
}

Punto ThumbnailSize(int32_t w, int32_t h) {
  if (w < 1 || h < 1) return {1, 1};
  const double s = static_cast<double>(h) * kChooserW / w > kChooserH ? static_cast<double>(kChooserH) / h
                                                                       : static_cast<double>(kChooserW) / w;
  return AlMenosUno({Truncar(w * s), Truncar(h * s)});
}

Punto ThumbnailOffset(Punto t) { return {(kChooserW - t.x) / 2, (kChooserH - t.y) / 2}; }

Punto PictureThumbnailSize(int32_t w, int32_t h) {
  if (w < 1 || h < 1) return {1, 1};
  const double s = static_cast<double>(h) * 82 / w > 123 ? 123.0 / h : 82.0 / w;
  return AlMenosUno({Truncar(w * s), Truncar(h * s)});
}

bool PictureCuttable() {
  const int32_t bits = imagenActual.BitsPorPixel();
  if (!imagenActual.Abierto() || imagenActual.Comprimido() || (bits != 8 && bits != 24)) return false;
  // So long and thin that its smallest puzzle is larger than the largest.
  const Punto t = imagenActual.Tamaño();
  const double menor = static_cast<double>(kMinShortSide) / std::max(std::min(t.x, t.y), 1);
  return t.x * menor * t.y * menor <= kMaxPuzzleArea * (1 + 1e-9) && std::max(t.x, t.y) * menor <= kMaxPuzzleSide;
}

double LargestScale(int32_t w, int32_t h, double baseScale) {
  if (w < 1 || h < 1) return 0;
  // (w s / 45) (h s / 45) <= kMaxPieceCount.
  const double tope = std::sqrt(kMaxPuzzleArea / (static_cast<double>(w) * h));
  return std::min(std::max(2 * baseScale, 1.0), tope);
}

double GridScale(int32_t w, int32_t h, double baseScale, int32_t rows, int32_t cols) {
  if (w < 1 || h < 1) return baseScale;
  double z = std::max({baseScale, static_cast<double>(kMinPieceSize) * cols / w,
                       static_cast<double>(kMinPieceSize) * rows / h});
  // The cut truncates the scaled sides: 45 x cols must survive that.
  for (int i = 0; i < 8 && (static_cast<int64_t>(w * z) < static_cast<int64_t>(kMinPieceSize) * cols ||
                            static_cast<int64_t>(h * z) < static_cast<int64_t>(kMinPieceSize) * rows);
       ++i)
    z = std::nextafter(z, 2 * z);
  return z;
}

double SizeDragScale(double scaleAtPress, Punto d, Punto miniature, double maxScale, double minScale) {
  const double mw = miniature.x, mh = miniature.y;
  const double norma = std::sqrt(mw * mw + mh * mh) * 200;
  double z = scaleAtPress + (norma > 0 ? (mw * d.x + mh * d.y) / norma : 0);
  if (z >= maxScale) z = maxScale;
  if (z <= minScale) z = minScale;
  return z;
}

CountDrag CountDragGrid(int32_t pieceSizeAtPress, Punto q, Punto thumbnail, Punto picture, double scale) {
  const double tw = thumbnail.x, th = thumbnail.y;
  const double a = 0.5 * (th * q.x + tw * q.y);  // the height pairs with x, the width with y
  const double norma = std::sqrt(tw * tw + th * th);
  int32_t size = Truncar(pieceSizeAtPress + (norma > 0 ? a / norma : 0));
  size = std::clamp(size, kMinPieceSize, kMaxPieceSize);
  CountDrag r{size, std::max(2, Truncar(picture.x * scale / size)), std::max(2, Truncar(picture.y * scale / size))};
  AlMáximoDePiezas(&r.cols, &r.rows);
  return r;
}

bool ApplySizeDrag(double scaleAtPress, Punto d) {
  int32_t w, h;
  if (!Imagen(&w, &h)) return false;
  const double z = SizeDragScale(scaleAtPress, d, newPuzzle.miniature, newPuzzle.maxScale, newPuzzle.minScale);
  if (z == puzzle.scale) return false;
  puzzle.scale = z;
  MenuNuevoRecalcular();
  return true;
}

bool ApplyCountDrag(int32_t pieceSizeAtPress, Punto q, Punto thumbnail) {
  int32_t w, h;
  if (!Imagen(&w, &h)) return false;
  const CountDrag d = CountDragGrid(pieceSizeAtPress, q, thumbnail, {w, h}, puzzle.scale);
  if (d.cols == puzzle.cols && d.rows == puzzle.rows) return false;
  puzzle.cols = d.cols;
  puzzle.rows = d.rows;
  newPuzzle.pieceSize = d.pieceSize;
  return true;
}

bool SetNewPuzzleGrid(int32_t rows, int32_t cols) {
  if (rows < 2 || cols < 2) return false;
  puzzle.rows = rows;
  puzzle.cols = cols;
  return true;
}

PedidoPuzzle PedidoNuevoPuzzle(int32_t shape, Punto table, bool turned) {
  return {.picture = &imagenActual,
          .scale = puzzle.scale,
          .rows = puzzle.rows,
          .cols = puzzle.cols,
          .dieId = kDiePictureBase + shape,
          .dieRows = kShippedDieGrid,
          .dieCols = kShippedDieGrid,
          .newGame = true,
          .table = table,
          .turned = turned};
}

bool SetNewPuzzleGridAndZoom(int32_t rows, int32_t cols) {
  int32_t w, h;
  if (!Imagen(&w, &h) || !SetNewPuzzleGrid(rows, cols)) return false;
  puzzle.scale = GridScale(w, h, Acotar(newPuzzle.baseScale), rows, cols);
  return true;
}

void SetNewPuzzleBoardSize(int32_t W, int32_t H) {
  newPuzzle.board = {W, H};
  newPuzzle.miniatureScale = MiniatureScale(W, H);
  newPuzzle.miniature = MiniatureSize(W, H);
}

void MenuNuevoPrepararImagen() {
  if (Verificar(puzzle.Exists(), "no se puede llamar a esta funcion con una imagen picada")) return;
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  const double W = newPuzzle.board.x, H = newPuzzle.board.y;
  newPuzzle.baseScale = W * h / w <= H ? W / w : H / h;
  newPuzzle.minScale = static_cast<double>(kMinShortSide) / std::min(w, h);
  newPuzzle.maxScale = std::max(newPuzzle.minScale, LargestScale(w, h, newPuzzle.baseScale));
  newPuzzle.sizeRangeCollapsed = newPuzzle.maxScale <= newPuzzle.minScale;
  puzzle.scale = Acotar(newPuzzle.baseScale);
  MenuNuevoRecalcular();
  newPuzzle.sizePicture = SizeChooserPictureSize(w, h, newPuzzle.board.x, newPuzzle.board.y);
  newPuzzle.thumbnail = ThumbnailSize(w, h);
  newPuzzle.thumbnailOffset = ThumbnailOffset(newPuzzle.thumbnail);
}

void MenuNuevoRecalcular() {
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  const double sw = w * puzzle.scale, sh = h * puzzle.scale;
  int32_t maxCols = AlMenosDos(Truncar(sw / kMinPieceSize));
  int32_t maxRows = AlMenosDos(Truncar(sh / kMinPieceSize));
  AlMáximoDePiezas(&maxCols, &maxRows);
  newPuzzle.minCols = std::min(AlMenosDos(Truncar(sw / kMaxPieceSize)), maxCols);
  newPuzzle.minRows = std::min(AlMenosDos(Truncar(sh / kMaxPieceSize)), maxRows);
  puzzle.cols = maxCols;
  puzzle.rows = maxRows;
  newPuzzle.countSteps = maxCols + maxRows - (newPuzzle.minCols + newPuzzle.minRows);
  if (Verificar(newPuzzle.countSteps <= 0)) {
    newPuzzle.colStep = newPuzzle.rowStep = 0;
  } else {
    newPuzzle.colStep = static_cast<double>(maxCols - newPuzzle.minCols) / newPuzzle.countSteps;
    newPuzzle.rowStep = static_cast<double>(maxRows - newPuzzle.minRows) / newPuzzle.countSteps;
  }
  newPuzzle.pieceSize = kMinPieceSize;
}

int32_t MenuNuevoScrollTamanoGet() {
  int32_t w, h;
  if (!Imagen(&w, &h)) return 1;
  if (Verificar(newPuzzle.baseScale == 0, "division por cero (en la proxima linea)")) return 0;
  if (newPuzzle.sizeRangeCollapsed) return 0;
  const double v = (puzzle.scale - newPuzzle.minScale) * 100 / (newPuzzle.maxScale - newPuzzle.minScale);
  return std::clamp(Truncar(v), 0, 100);
}

void MenuNuevoScrollTamanoSet(int32_t percentage) {
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  if (Verificar(percentage < 0 || percentage > 100, "porcentaje invalido")) return;
  puzzle.scale = newPuzzle.sizeRangeCollapsed
                     ? newPuzzle.minScale
                     : (newPuzzle.maxScale - newPuzzle.minScale) * percentage / 100 + newPuzzle.minScale;
  MenuNuevoRecalcular();
}

int32_t MenuNuevoScrollCantidadGetMax() {
  int32_t w, h;
  return Imagen(&w, &h) ? newPuzzle.countSteps : 1;
}

int32_t MenuNuevoScrollCantidadGet() {
  int32_t w, h;
  if (!Imagen(&w, &h)) return 1;
  return puzzle.cols + puzzle.rows - (newPuzzle.minCols + newPuzzle.minRows);
}

void MenuNuevoScrollCantidadSet(int32_t position) {
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  if (Verificar(position < 0 || position > newPuzzle.countSteps,
                "el valor del parametro NewValue no puede ser mayor al valor de la funcion "
                "MenuNuevoScrollCantidadGetMax()"))
    return;
  puzzle.cols = Truncar(position * newPuzzle.colStep + newPuzzle.minCols);
  puzzle.rows = Truncar(position * newPuzzle.rowStep + newPuzzle.minRows);
  newPuzzle.pieceSize = Truncar((w * puzzle.scale / puzzle.cols + h * puzzle.scale / puzzle.rows) / 2);
}

void MenuNuevoZoomAjustar() {
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  puzzle.scale = Acotar(newPuzzle.baseScale);
  MenuNuevoRecalcular();
}

void MenuNuevoZoomNatural() {
  int32_t w, h;
  if (!Imagen(&w, &h)) return;
  double z = newPuzzle.minScale >= 1.0 ? newPuzzle.minScale : 1.0;
  if (z > newPuzzle.maxScale) z = newPuzzle.maxScale;
  puzzle.scale = Acotar(z);
  MenuNuevoRecalcular();
}
