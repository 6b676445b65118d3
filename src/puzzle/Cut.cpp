#include "Cut.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Compositor.h"
#include "ControlDC.h"
#include "HImage.h"
#include "Relieve.h"
#include "Utilidades.h"
#include "Verificar.h"

namespace {

// Die geometry: 200-pixel cells in a 66-pixel margin; one piece samples the
// 332 x 332 window made of its cell and that margin.
constexpr int32_t kDieCell = 200;
constexpr int32_t kDieMargin = 66;
constexpr int32_t kDieWindowLast = kDieCell + 2 * kDieMargin - 1;

constexpr int32_t kMinScaledSide = 45;
// Far beyond any screen; keeps every measure and sheet coordinate inside
// 32 bits (a box is at most 1.66 cells wide).
constexpr double kMaxScaledSide = 1 << 24;
constexpr int64_t kMaxPieces = 1 << 24;

template <typename T>
std::unique_ptr<T[]> Allocate(int64_t n) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(n)]);
}

inline void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

// The wait cursor for the length of a cut, whichever way it ends.
class WaitCursor {
 public:
  WaitCursor() { Shell().SetWaitCursor(true); }
  ~WaitCursor() { Shell().SetWaitCursor(false); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

bool PrepareDisplayFormat(DisplayFormat& f) {
  switch (f.bits) {
    case 24:
      return true;
    case 32:
      if (!f.bitFields) {
        // Plain 32-bit pixels are 8-8-8.
        f.masks[0] = 0x00FF0000u;
        f.masks[1] = 0x0000FF00u;
        f.masks[2] = 0x000000FFu;
      }
      return true;
    case 16:
      if (!f.bitFields) {
        // Plain 16-bit pixels are 5-5-5.
        f.masks[0] = 0x7C00u;
        f.masks[1] = 0x03E0u;
        f.masks[2] = 0x001Fu;
      }
      for (int i = 0; i < 3; ++i) {
        const uint32_t mask = f.masks[i];
        // An empty or wider-than-8-bit channel would give a divisor of 0.
        if (mask == 0) return false;
        const int shift = std::countr_zero(mask);
        const uint64_t levels = static_cast<uint64_t>(mask >> shift) + 1;
        if (levels > 256) return false;
        f.shift[i] = shift;
        f.divisor[i] = static_cast<int32_t>(256 / levels);
      }
      return true;
    default:
      return false;
  }
}

namespace {

// The five labels a piece looks for in its die piece (r, c).
struct Labels {
  int32_t own, up, right, down, left;
};

Labels PieceLabels(int32_t r, int32_t c, int32_t dieRows, int32_t dieCols) {
  const int32_t base = dieRows * dieCols + 1;
  const int32_t own = r * dieCols + c + 1;
  return {own, r > 0 ? own - dieCols : base + c, c < dieCols - 1 ? own + 1 : base + dieCols + r,
          r < dieRows - 1 ? own + dieCols : base + dieCols + dieRows + c,
          c > 0 ? own - 1 : base + 2 * dieCols + dieRows + r};
}

// Where the piece lies on the grid's border: which of its sides are outer.
constexpr int kTopSide = 1, kBottomSide = 2, kLeftSide = 1, kRightSide = 2;

// One die piece in one border position: its opaque pixels as (first, end)
// column spans per box row; row y owns spans[rowStart[y] .. rowStart[y + 1]).
struct Outline {
  bool built = false;
  std::vector<int32_t> rowStart;
  std::vector<int32_t> spans;
};

struct Cut {
  int32_t rows, cols, cellW, cellH, marginX, marginY, boxW, boxH;
  int32_t dieRows, dieCols;
  HIMAGE die;
  const int32_t* dieCol;  // box column -> die column of the piece's window
  const int32_t* dieRow;  // box row -> die row (from the top) of the window

  // Which box pixels are the piece's, from their die labels, as spans. Tabs
  // that would stick out of the grid are cut off; notches along the grid's
  // border are filled, so outer sides are straight.
  void Build(Outline& o, int32_t r, int32_t c, int rowSides, int colSides) const {
    const Labels l = PieceLabels(r, c, dieRows, dieCols);
    const bool top = rowSides & kTopSide, bottom = rowSides & kBottomSide;
    const bool left = colSides & kLeftSide, right = colSides & kRightSide;
    o.rowStart.assign(static_cast<size_t>(boxH) + 1, 0);
    o.spans.clear();
    for (int32_t y = 0; y < boxH; ++y) {
      const uint8_t* labels = FilaHIMAGE(die, dieRow[y] + kDieCell * r) + kDieCell * c;
      const bool ownRowCut = (top && y < marginY) || (bottom && y > marginY + cellH);
      const bool upOpaque = top && y >= marginY;
      const bool downOpaque = bottom && y <= marginY + cellH;
      bool inside = false;
      for (int32_t x = 0; x < boxW; ++x) {
        const int32_t label = labels[dieCol[x]];
        bool opaque;
        if (label == l.own)
          opaque = !(ownRowCut || (left && x < marginX) || (right && x > marginX + cellW));
        else if (label == l.up)
          opaque = upOpaque;
        else if (label == l.right)
          opaque = right && x <= marginX + cellW;
        else if (label == l.down)
          opaque = downOpaque;
        else if (label == l.left)
          opaque = left && x >= marginX;
        else
          opaque = false;
        if (opaque != inside) {
          o.spans.push_back(x);
          inside = opaque;
        }
      }
      if (inside) o.spans.push_back(boxW);
      o.rowStart[static_cast<size_t>(y) + 1] = static_cast<int32_t>(o.spans.size() / 2);
    }
    o.built = true;
  }
};

int SideBits(int32_t i, int32_t n) { return (i == 0 ? 1 : 0) | (i == n - 1 ? 2 : 0); }

// Writes every sheet row from the top, box by box. `pictureRow[py]` is the
// start of the picture row shown at scaled row py, `pictureOffset[sx]` the
// byte offset in it of sheet column sx, or -1 outside the scaled picture.
// Outside the opaque spans the sheet is cleared.
template <bool kTrueColour>
void WriteSheet(const Cut& k, const std::vector<Outline>& outlines, const int32_t* outlineOf,
                const uint8_t* const* pictureRow, int32_t scaledH, const int32_t* pictureOffset,
                const int32_t* firstInside, const int32_t* endInside, const uint32_t* palette) {
  const int64_t rowBytes = static_cast<int64_t>(puzzle.sheetW) * 4;
  for (int32_t R = 0; R < k.rows; ++R) {
    for (int32_t y = 0; y < k.boxH; ++y) {
      uint8_t* row = puzzle.SheetPixel(R * k.cols, 0, y);
      const int32_t py = R * k.cellH - k.marginY + y;
      if (py < 0 || py >= scaledH) {
        std::memset(row, 0, static_cast<size_t>(rowBytes));
        continue;
      }
      const uint8_t* source = pictureRow[py];
      for (int32_t C = 0; C < k.cols; ++C) {
        const Outline& o = outlines[static_cast<size_t>(outlineOf[R * k.cols + C])];
        uint8_t* box = row + static_cast<int64_t>(C) * k.boxW * 4;
        const int32_t* offset = pictureOffset + static_cast<int64_t>(C) * k.boxW;
        const int32_t lo = firstInside[C], hi = endInside[C];
        int32_t cleared = 0;
        for (int32_t s = o.rowStart[static_cast<size_t>(y)]; s < o.rowStart[static_cast<size_t>(y) + 1]; ++s) {
          const int32_t first = std::max(o.spans[2 * static_cast<size_t>(s)], lo);
          const int32_t end = std::min(o.spans[2 * static_cast<size_t>(s) + 1], hi);
          if (first >= end) continue;
          std::memset(box + cleared * 4, 0, static_cast<size_t>(first - cleared) * 4);
          for (int32_t x = first; x < end; ++x) {
            uint32_t v;
            if constexpr (kTrueColour) {
              // The picture copy has slack for the fourth byte of its last pixel.
              std::memcpy(&v, source + offset[x], 4);
              v = (v & 0x00FFFFFFu) | 0x01000000u;
            } else {
              v = palette[source[offset[x]]];
            }
            Store(box + x * 4, v);
          }
          cleared = end;
        }
        std::memset(box + cleared * 4, 0, static_cast<size_t>(k.boxW - cleared) * 4);
      }
    }
  }
}

}  // namespace

int32_t DieLookup(int32_t x, int32_t margin, int32_t cell) {
  // Floor division in integers, so that neighbouring pieces, whose box
  // columns differ by exactly one cell, read the same die pixel.
  const int64_t n = static_cast<int64_t>(x - margin) * kDieCell;
  int64_t q = n / cell;
  if (n % cell != 0 && n < 0) --q;
  return static_cast<int32_t>(std::clamp<int64_t>(q + kDieMargin, 0, kDieWindowLast));
}

void SetDisplayFormat(const DisplayFormat& format) { puzzle.display = format; }

bool CreatePuzzle(int32_t dieRows, int32_t dieCols, int32_t dieId, bool newGame) {
  if (Verificar(puzzle.Exists(), "se debe cerrar primero el puzzle anterior")) return false;
  if (Verificar(dieRows < 1 || dieCols < 1, "valor muy bajo")) return false;
  WaitCursor wait;
  puzzle.dieId = dieId;

  // The scaled picture.
  if (!imagenActual.Abierto()) return false;
  puzzle.dieRows = dieRows;
  puzzle.dieCols = dieCols;
  const Punto pictureSize = imagenActual.Tamaño();
  const double scaledWd = pictureSize.x * puzzle.scale, scaledHd = pictureSize.y * puzzle.scale;
  // Also refuses a scale that is no number.
  if (!(scaledWd >= kMinScaledSide && scaledHd >= kMinScaledSide)) return false;
  if (scaledWd >= kMaxScaledSide || scaledHd >= kMaxScaledSide) return false;
  const int32_t scaledW = static_cast<int32_t>(scaledWd), scaledH = static_cast<int32_t>(scaledHd);

  // Measures. A grid finer than a pixel has no cells to cut.
  const int32_t rows = puzzle.rows, cols = puzzle.cols;
  if (rows < 1 || cols < 1 || rows > scaledH || cols > scaledW) return false;
  if (static_cast<int64_t>(rows) * cols > kMaxPieces) return false;
  const int32_t cellW = scaledW / cols, cellH = scaledH / rows;
  const int32_t marginX = cellW * kDieMargin / kDieCell, marginY = cellH * kDieMargin / kDieCell;
  const int32_t boxW = cellW + 2 * marginX, boxH = cellH + 2 * marginY;

  // Only uncompressed 8- and 24-bit pictures can be cut; anything
  // else is the player's file, refused without fuss.
  CabeceraInfoBMP header;
  if (!imagenActual.LeerCabecera(&header)) return false;
  const int bits = header.biBitCount;
  if (imagenActual.Comprimido() || (bits != 8 && bits != 24)) return false;
  alignas(4) uint8_t info[kHImagenPixeles] = {};
  if (!imagenActual.LeerInfo(info)) return false;
  if (Verificar(bits != 8 && bits != 24, "resolucion invalida")) return false;
  const int64_t pictureStride = BytesFila(pictureSize.x, bits);

  puzzle.cellW = cellW;
  puzzle.cellH = cellH;
  puzzle.marginX = marginX;
  puzzle.marginY = marginY;
  puzzle.boxW = boxW;
  puzzle.boxH = boxH;

  // From here on a failure leaves nothing behind and closes.
  const auto fail = [] {
    ClosePuzzle(true);
    return false;
  };

  // Lookup tables, the picture's rows, then the puzzle itself.
  auto pictureCol = Allocate<int32_t>(scaledW);
  auto pictureRowOf = Allocate<int32_t>(scaledH);
  auto dieCol = Allocate<int32_t>(boxW);
  auto dieRow = Allocate<int32_t>(boxH);
  // Slack past the last row: a 24-bit pixel is read as four bytes.
  auto picture = Allocate<uint8_t>(pictureStride * pictureSize.y + 4);
  if (!pictureCol || !pictureRowOf || !dieCol || !dieRow || !picture || !AllocatePuzzle()) return fail();

  // The die.
  ControlDC dieCanvas;
  if (!dieCanvas.Cargar(static_cast<uint32_t>(dieId))) return fail();  // damaged archive data
  const HIMAGE die = dieCanvas.Imagen();
  if (Verificar(die->biBitCount != 8 || die->biWidth != int64_t{dieCols} * kDieCell + 2 * kDieMargin ||
                    die->biHeight != int64_t{dieRows} * kDieCell + 2 * kDieMargin,
                "este troquel tiene dimensiones invalidas"))
    return fail();

  // The format the drag sprite will be converted to.
  DisplayFormat display = puzzle.display;
  if (!PrepareDisplayFormat(display)) return fail();
  puzzle.display = display;

  // Nearest-neighbour scaling, rows counted from the top.
  for (int32_t x = 0; x < scaledW; ++x)
    pictureCol[x] = static_cast<int32_t>(std::min<double>(x / puzzle.scale, pictureSize.x - 1));
  for (int32_t y = 0; y < scaledH; ++y)
    pictureRowOf[y] = static_cast<int32_t>(std::min<double>(y / puzzle.scale, pictureSize.y - 1));

  // Die window per box column and row.
  for (int32_t x = 0; x < boxW; ++x) dieCol[x] = DieLookup(x, marginX, cellW);
  for (int32_t y = 0; y < boxH; ++y) dieRow[y] = DieLookup(y, marginY, cellH);
  // The lookup being exact, the first box column that reaches the die's
  // cell (66) is marginX itself, and likewise for rows: the cell's top-left
  // corner sits at (marginX, marginY) of every box.

  // The pieces.
  if (!imagenActual.LeerPixeles(picture.get())) return fail();
  try {
    const int pixelBytes = bits / 8;
    std::vector<const uint8_t*> pictureRow(static_cast<size_t>(scaledH));
    for (int32_t y = 0; y < scaledH; ++y)
      pictureRow[static_cast<size_t>(y)] =
          picture.get() + (pictureSize.y - 1 - pictureRowOf[y]) * pictureStride;  // rows stored bottom-up
    std::vector<int32_t> pictureOffset(static_cast<size_t>(puzzle.sheetW));
    std::vector<int32_t> firstInside(static_cast<size_t>(cols)), endInside(static_cast<size_t>(cols));
    for (int32_t C = 0; C < cols; ++C) {
      const int32_t left = C * cellW - marginX;  // picture column of box column 0
      firstInside[static_cast<size_t>(C)] = std::clamp(-left, 0, boxW);
      endInside[static_cast<size_t>(C)] = std::clamp(scaledW - left, 0, boxW);
      for (int32_t x = 0; x < boxW; ++x) {
        const int32_t px = left + x;
        pictureOffset[static_cast<size_t>(C) * boxW + x] = px >= 0 && px < scaledW ? pictureCol[px] * pixelBytes : -1;
      }
    }
    uint32_t palette[256] = {};
    if (bits == 8) {
      for (int i = 0; i < 256; ++i) {
        const uint8_t* q = info + kHImagenColores + 4 * i;
        palette[i] = q[0] | q[1] << 8 | q[2] << 16 | 1u << 24;
      }
    }

    // The decisions depend only on the die piece and on which sides of the
    // piece are outer, so each such outline is worked out once.
    const Cut k{rows, cols, cellW, cellH, marginX, marginY, boxW, boxH, dieRows, dieCols, die, dieCol.get(), dieRow.get()};
    std::vector<Outline> outlines(static_cast<size_t>(dieRows) * dieCols * 16);
    std::vector<int32_t> outlineOf(static_cast<size_t>(rows) * cols);
    for (int32_t R = 0; R < rows; ++R) {
      for (int32_t C = 0; C < cols; ++C) {
        const int32_t r = R % dieRows, c = C % dieCols;
        const int rowSides = SideBits(R, rows), colSides = SideBits(C, cols);
        const int32_t index = ((r * dieCols + c) * 4 + rowSides) * 4 + colSides;
        Outline& o = outlines[static_cast<size_t>(index)];
        if (!o.built) k.Build(o, r, c, rowSides, colSides);
        outlineOf[static_cast<size_t>(R) * cols + C] = index;
      }
    }
    if (bits == 24)
      WriteSheet<true>(k, outlines, outlineOf.data(), pictureRow.data(), scaledH, pictureOffset.data(),
                       firstInside.data(), endInside.data(), palette);
    else
      WriteSheet<false>(k, outlines, outlineOf.data(), pictureRow.data(), scaledH, pictureOffset.data(),
                        firstInside.data(), endInside.data(), palette);
  } catch (const std::bad_alloc&) {
    return fail();
  }

  // The sheet is new: whatever was read from the old one is stale.
  HornearBisel();
  ForgetPieceShapes();
  KillPuzzleClock();
  Shell().RefreshMagnifier();

  // A new game: every piece alone on the table, in the lower half, in
  // shuffled stacking order.
  if (newGame) {
    puzzle.modified = 0;
    puzzle.finished = 0;
    puzzle.clockIdle = 1;
    puzzle.seconds = 0;
    puzzle.hints = 0;
    const int32_t n = puzzle.PieceCount();
    for (int b = 0; b < kBoxCount; ++b) puzzle.boards[b].first = puzzle.boards[b].count = 0;
    puzzle.boards[kTable].first = 0;
    puzzle.boards[kTable].count = n;
    const int32_t tableW = puzzle.boards[kTable].Width(), tableH = puzzle.boards[kTable].Height();
    for (int32_t i = 0; i < n; ++i) {
      puzzle.order[static_cast<size_t>(i)] = i;
      PieceRecord& p = puzzle.pieces[static_cast<size_t>(i)];
      p = PieceRecord{0, 1, {0, 0, 0}, 0, 0};
      const double u1 = Azar();
      const double u2 = Azar();
      // In the lower half of the table.
      p.y = static_cast<int32_t>((u1 + 1.0) * (tableH - boxH) / 2.0);
      p.x = static_cast<int32_t>(u2 * (tableW - boxW));
    }
    for (int32_t i = 0; i < n; ++i) {
      const int32_t a = std::min(static_cast<int32_t>(Azar() * n), n - 1);
      const int32_t b = std::min(static_cast<int32_t>(Azar() * n), n - 1);
      if (a != b) std::swap(puzzle.order[static_cast<size_t>(a)], puzzle.order[static_cast<size_t>(b)]);
    }
    Shell().ShowTime(0, 0, 0, 0);
  }
  return true;
}

bool NewPuzzle(int32_t dieRows, int32_t dieCols, int32_t dieId) {
  const bool cut = CreatePuzzle(dieRows, dieCols, dieId, true);
  DrawAllBoards(true);
  return cut;
}

bool DieUsable(int32_t dieRows, int32_t dieCols, int32_t dieId) {
  if (dieRows < 1 || dieCols < 1 || !ArchivoRecursosAbierto()) return false;
  std::vector<uint32_t> numbers(static_cast<size_t>(NumerosArchivoRecursos(nullptr, 0)));
  NumerosArchivoRecursos(numbers.data(), static_cast<int32_t>(numbers.size()));
  if (std::find(numbers.begin(), numbers.end(), static_cast<uint32_t>(dieId)) == numbers.end()) return false;
  // Present numbers load without assertions; damaged data gives false.
  ControlDC dieCanvas;
  if (!dieCanvas.Cargar(static_cast<uint32_t>(dieId))) return false;
  const HIMAGE die = dieCanvas.Imagen();
  return die->biBitCount == 8 && die->biWidth == int64_t{dieCols} * kDieCell + 2 * kDieMargin &&
         die->biHeight == int64_t{dieRows} * kDieCell + 2 * kDieMargin;
}
