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
#include "TableLayout.h"
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

// The cut's grid, measures and die, kept in locals for the loops.
struct Cut {
  int32_t rows, cols, cellW, cellH, marginX, marginY, boxW, boxH;
  int32_t dieRows, dieCols;
  HIMAGE die;
  std::vector<int32_t> dieCol;  // box column -> die column of the piece's window
  std::vector<int32_t> dieRow;  // box row -> die row (from the top) of the window

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

// A request once checked: the picture's size and header, and the measures
// of its pieces.
struct Measures {
  Punto picture;
  int32_t scaledW = 0, scaledH = 0;
  int32_t cellW = 0, cellH = 0, marginX = 0, marginY = 0, boxW = 0, boxH = 0;
  int bits = 0;
  int64_t stride = 0;  // bytes of a picture row
  alignas(4) uint8_t info[kHImagenPixeles] = {};  // header and colour table
};

// The picture as the sheet reads it, at the request's scale without being
// scaled: a copy of its rows, where each scaled row (from the top) starts
// in that copy, and per sheet column the byte offset in such a row of the
// pixel shown there (-1 off the picture).
struct ScaledPicture {
  std::unique_ptr<uint8_t[]> pixels;
  std::vector<const uint8_t*> row;
  std::vector<int32_t> offset;
  std::vector<int32_t> firstInside, endInside;  // per piece column: its box columns on the picture
  uint32_t palette[256] = {};  // 8 bits: each index's colour (blue, green, red)
};

// Every piece's outline: one per die piece and border position, shared by
// the pieces that have them.
struct Outlines {
  std::vector<Outline> shapes;
  std::vector<int32_t> of;  // piece -> its shape
};

// Whether the request can be cut, and its measures; reads the picture's
// header and touches nothing of the puzzle.
bool CheckRequest(const PedidoPuzzle& p, Measures& m) {
  ArchivoBMP* const picture = p.picture;
  if (!picture || !picture->Abierto()) return false;
  m.picture = picture->Tamaño();
  const double scaledW = m.picture.x * p.scale, scaledH = m.picture.y * p.scale;
  // Also refuses a scale that is no number.
  if (!(scaledW >= kMinScaledSide && scaledH >= kMinScaledSide)) return false;
  if (scaledW >= kMaxScaledSide || scaledH >= kMaxScaledSide) return false;
  m.scaledW = static_cast<int32_t>(scaledW);
  m.scaledH = static_cast<int32_t>(scaledH);

  // A grid finer than a pixel has no cells to cut.
  if (p.rows < 1 || p.cols < 1 || p.rows > m.scaledH || p.cols > m.scaledW) return false;
  if (static_cast<int64_t>(p.rows) * p.cols > kMaxPieces) return false;
  m.cellW = m.scaledW / p.cols;
  m.cellH = m.scaledH / p.rows;
  m.marginX = m.cellW * kDieMargin / kDieCell;
  m.marginY = m.cellH * kDieMargin / kDieCell;
  m.boxW = m.cellW + 2 * m.marginX;
  m.boxH = m.cellH + 2 * m.marginY;
  if (p.turned) {
    // A square box keeps its place and size at every turn; the cell
    // stays about its middle.
    const int32_t lado = std::max(m.boxW, m.boxH);
    m.marginX += (lado - m.boxW) / 2;
    m.marginY += (lado - m.boxH) / 2;
    m.boxW = m.boxH = lado;
  }

  // Only uncompressed 8- and 24-bit pictures can be cut; anything
  // else is the player's file, refused without fuss.
  CabeceraInfoBMP header;
  if (!picture->LeerCabecera(&header)) return false;
  m.bits = header.biBitCount;
  if (picture->Comprimido() || (m.bits != 8 && m.bits != 24)) return false;
  if (!picture->LeerInfo(m.info)) return false;
  if (Verificar(m.bits != 8 && m.bits != 24, "resolucion invalida")) return false;
  m.stride = BytesFila(m.picture.x, m.bits);
  return true;
}

// The request becomes the puzzle's grid, scale, die and measures.
void SetMeasures(const PedidoPuzzle& p, const Measures& m) {
  puzzle.rows = p.rows;
  puzzle.cols = p.cols;
  puzzle.scale = p.scale;
  puzzle.dieId = p.dieId;
  puzzle.dieRows = p.dieRows;
  puzzle.dieCols = p.dieCols;
  puzzle.cellW = m.cellW;
  puzzle.cellH = m.cellH;
  puzzle.marginX = m.marginX;
  puzzle.marginY = m.marginY;
  puzzle.boxW = m.boxW;
  puzzle.boxH = m.boxH;
  puzzle.turned = p.turned ? 1 : 0;
}

// The die, refused when it is not the grid the request says.
bool LoadDie(const PedidoPuzzle& p, ControlDC& canvas) {
  if (!canvas.Cargar(static_cast<uint32_t>(p.dieId))) return false;  // damaged archive data
  const HIMAGE die = canvas.Imagen();
  return !Verificar(die->biBitCount != 8 || die->biWidth != int64_t{p.dieCols} * kDieCell + 2 * kDieMargin ||
                        die->biHeight != int64_t{p.dieRows} * kDieCell + 2 * kDieMargin,
                    "este troquel tiene dimensiones invalidas");
}

// The format the drag sprite will be converted to.
bool PrepareSpriteFormat() {
  DisplayFormat display = puzzle.display;
  if (!PrepareDisplayFormat(display)) return false;
  puzzle.display = display;
  return true;
}

// Nearest-neighbour scaling through tables, rows counted from the top.
// False when the picture's pixels cannot be read; throws bad_alloc.
bool ScalePicture(const PedidoPuzzle& p, const Measures& m, ScaledPicture& s) {
  s.pixels.reset(new uint8_t[static_cast<size_t>(m.stride * m.picture.y)]);
  if (!p.picture->LeerPixeles(s.pixels.get())) return false;

  std::vector<int32_t> pictureCol(static_cast<size_t>(m.scaledW));
  for (int32_t x = 0; x < m.scaledW; ++x)
    pictureCol[static_cast<size_t>(x)] = static_cast<int32_t>(std::min<double>(x / p.scale, m.picture.x - 1));
  s.row.resize(static_cast<size_t>(m.scaledH));
  for (int32_t y = 0; y < m.scaledH; ++y) {
    const int32_t pictureRow = static_cast<int32_t>(std::min<double>(y / p.scale, m.picture.y - 1));
    s.row[static_cast<size_t>(y)] = s.pixels.get() + (m.picture.y - 1 - pictureRow) * m.stride;  // stored bottom-up
  }

  const int pixelBytes = m.bits / 8;
  s.offset.resize(static_cast<size_t>(p.cols) * m.boxW);
  s.firstInside.resize(static_cast<size_t>(p.cols));
  s.endInside.resize(static_cast<size_t>(p.cols));
  for (int32_t C = 0; C < p.cols; ++C) {
    const int32_t left = C * m.cellW - m.marginX;  // picture column of box column 0
    s.firstInside[static_cast<size_t>(C)] = std::clamp(-left, 0, m.boxW);
    s.endInside[static_cast<size_t>(C)] = std::clamp(m.scaledW - left, 0, m.boxW);
    for (int32_t x = 0; x < m.boxW; ++x) {
      const int32_t px = left + x;
      s.offset[static_cast<size_t>(C) * m.boxW + x] =
          px >= 0 && px < m.scaledW ? pictureCol[static_cast<size_t>(px)] * pixelBytes : -1;
    }
  }
  if (m.bits == 8) {
    for (int i = 0; i < 256; ++i) {
      const uint8_t* q = m.info + kHImagenColores + 4 * i;
      s.palette[i] = q[0] | q[1] << 8 | q[2] << 16;
    }
  }
  return true;
}

// The cut's measures with the die sampled per box column and row.
Cut SampleDie(const PedidoPuzzle& p, const Measures& m, HIMAGE die) {
  Cut k{p.rows, p.cols, m.cellW, m.cellH, m.marginX, m.marginY, m.boxW, m.boxH, p.dieRows, p.dieCols, die, {}, {}};
  k.dieCol.resize(static_cast<size_t>(m.boxW));
  k.dieRow.resize(static_cast<size_t>(m.boxH));
  for (int32_t x = 0; x < m.boxW; ++x) k.dieCol[static_cast<size_t>(x)] = DieLookup(x, m.marginX, m.cellW);
  for (int32_t y = 0; y < m.boxH; ++y) k.dieRow[static_cast<size_t>(y)] = DieLookup(y, m.marginY, m.cellH);
  // The lookup being exact, the first box column that reaches the die's
  // cell (66) is marginX itself, and likewise for rows: the cell's top-left
  // corner sits at (marginX, marginY) of every box.
  return k;
}

// The outline depends only on the die piece and on which sides of the
// piece are outer, so each such outline is worked out once.
Outlines OutlinePieces(const Cut& k) {
  Outlines o;
  o.shapes.resize(static_cast<size_t>(k.dieRows) * k.dieCols * 16);
  o.of.resize(static_cast<size_t>(k.rows) * k.cols);
  for (int32_t R = 0; R < k.rows; ++R) {
    for (int32_t C = 0; C < k.cols; ++C) {
      const int32_t r = R % k.dieRows, c = C % k.dieCols;
      const int rowSides = SideBits(R, k.rows), colSides = SideBits(C, k.cols);
      const int32_t index = ((r * k.dieCols + c) * 4 + rowSides) * 4 + colSides;
      Outline& shape = o.shapes[static_cast<size_t>(index)];
      if (!shape.built) k.Build(shape, r, c, rowSides, colSides);
      o.of[static_cast<size_t>(R) * k.cols + C] = index;
    }
  }
  return o;
}

// Writes every sheet row from the top, box by box, and the picture's
// colours where a piece covers them; outside the opaque spans the sheet is
// cleared.
template <bool kTrueColour>
void WriteSheet(const Cut& k, const Outlines& outlines, const ScaledPicture& picture, int32_t scaledH) {
  const int32_t* const outlineOf = outlines.of.data();
  const int32_t* const pictureOffset = picture.offset.data();
  const int32_t* const firstInside = picture.firstInside.data();
  const int32_t* const endInside = picture.endInside.data();
  const uint32_t* const palette = picture.palette;
  for (int32_t R = 0; R < k.rows; ++R) {
    Shell().Progress(0.3 + 0.4 * R / k.rows);
    for (int32_t y = 0; y < k.boxH; ++y) {
      uint8_t* row = puzzle.SheetPixel(R * k.cols, 0, y);
      const int32_t py = R * k.cellH - k.marginY + y;
      if (py < 0 || py >= scaledH) {
        std::memset(row, 0, static_cast<size_t>(puzzle.sheetW));
        continue;
      }
      uint8_t* const colourRow = puzzle.PieceColour(R * k.cols, 0, y);
      const uint8_t* source = picture.row[static_cast<size_t>(py)];
      for (int32_t C = 0; C < k.cols; ++C) {
        const Outline& o = outlines.shapes[static_cast<size_t>(outlineOf[R * k.cols + C])];
        uint8_t* box = row + static_cast<int64_t>(C) * k.boxW;
        uint8_t* colour = colourRow + static_cast<int64_t>(C) * k.cellW * 3;
        const int32_t* offset = pictureOffset + static_cast<int64_t>(C) * k.boxW;
        const int32_t lo = firstInside[C], hi = endInside[C];
        int32_t cleared = 0;
        for (int32_t s = o.rowStart[static_cast<size_t>(y)]; s < o.rowStart[static_cast<size_t>(y) + 1]; ++s) {
          const int32_t first = std::max(o.spans[2 * static_cast<size_t>(s)], lo);
          const int32_t end = std::min(o.spans[2 * static_cast<size_t>(s) + 1], hi);
          if (first >= end) continue;
          std::memset(box + cleared, 0, static_cast<size_t>(first - cleared));
          std::memset(box + first, 1, static_cast<size_t>(end - first));
          for (int32_t x = first; x < end; ++x) {
            uint8_t* c = colour + 3 * x;
            if constexpr (kTrueColour) {
              std::memcpy(c, source + offset[x], 3);
            } else {
              const uint32_t v = palette[source[offset[x]]];
              c[0] = static_cast<uint8_t>(v);
              c[1] = static_cast<uint8_t>(v >> 8);
              c[2] = static_cast<uint8_t>(v >> 16);
            }
          }
          cleared = end;
        }
        std::memset(box + cleared, 0, static_cast<size_t>(k.boxW - cleared));
      }
    }
  }
}

// The sheet is new: whatever was read from the old one is stale.
void FinishSheet() {
  HornearBisel();
  ForgetPieceShapes();
  KillPuzzleClock();
  Shell().RefreshMagnifier();
}

// A new game: every piece alone on the table, in the lower half, in
// shuffled stacking order.
void ScatterNewGame(Punto table) {
  puzzle.modified = 0;
  puzzle.finished = 0;
  puzzle.clockIdle = 1;
  puzzle.seconds = 0;
  puzzle.hints = 0;
  const int32_t n = puzzle.PieceCount(), boxW = puzzle.boxW, boxH = puzzle.boxH;
  for (int b = 0; b < kBoxCount; ++b) puzzle.boards[b].first = puzzle.boards[b].count = 0;
  puzzle.boards[kTable].first = 0;
  puzzle.boards[kTable].count = n;
  for (int32_t i = 0; i < n; ++i) {
    puzzle.order[static_cast<size_t>(i)] = i;
    PieceRecord& p = puzzle.pieces[static_cast<size_t>(i)];
    p = PieceRecord{0, 1, 0, {0, 0}, 0, 0};
    const double u1 = Azar();
    const double u2 = Azar();
    // In the lower half of the table.
    p.y = static_cast<int32_t>((u1 + 1.0) * (table.y - boxH) / 2.0);
    p.x = static_cast<int32_t>(u2 * (table.x - boxW));
  }
  if (puzzle.turned)
    for (PieceRecord& p : puzzle.pieces) p.turn = static_cast<uint8_t>(std::min(static_cast<int32_t>(Azar() * 4), 3));
  for (int32_t i = 0; i < n; ++i) {
    const int32_t a = std::min(static_cast<int32_t>(Azar() * n), n - 1);
    const int32_t b = std::min(static_cast<int32_t>(Azar() * n), n - 1);
    if (a != b) std::swap(puzzle.order[static_cast<size_t>(a)], puzzle.order[static_cast<size_t>(b)]);
  }
  Shell().ShowTime(0, 0, 0, 0);
}

// A new game on the table it needs: the request's (the screen's) when the
// finished puzzle fits it, else a larger one with a spot for every piece.
bool LayOutNewGame(Punto screenTable) {
  const PuzzleMeasures m{puzzle.rows, puzzle.cols, {puzzle.cellW, puzzle.cellH}, {puzzle.marginX, puzzle.marginY},
                         {puzzle.boxW, puzzle.boxH}, puzzle.turned != 0};
  const Punto table = TableSizeFor(screenTable, m);
  Board& mesa = puzzle.boards[kTable];
  // Composed once all is laid out, by whoever draws the new game.
  if (mesa.HasImage() && (mesa.Width() != table.x || mesa.Height() != table.y) &&
      !SizeBoardImage(kTable, table.x, table.y))
    return false;
  if (PuzzleFits(screenTable, m)) {
    ScatterNewGame(screenTable);
    return true;
  }
  ScatterNewGame(table);
  const std::vector<Punto> boxes = ScatterAround(table, m, Azar);
  for (int32_t i = 0; i < puzzle.PieceCount(); ++i) {
    puzzle.pieces[static_cast<size_t>(i)].x = boxes[static_cast<size_t>(i)].x;
    puzzle.pieces[static_cast<size_t>(i)].y = boxes[static_cast<size_t>(i)].y;
  }
  return true;
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

bool CreatePuzzle(const PedidoPuzzle& pedido) {
  if (Verificar(puzzle.Exists(), "se debe cerrar primero el puzzle anterior")) return false;
  if (Verificar(pedido.dieRows < 1 || pedido.dieCols < 1, "valor muy bajo")) return false;
  WaitCursor wait;
  Measures m;
  if (!CheckRequest(pedido, m)) return false;

  // From here on a failure leaves nothing behind and closes.
  const auto fail = [] {
    ClosePuzzle(true);
    return false;
  };
  SetMeasures(pedido, m);
  if (!AllocatePuzzle()) return fail();
  ControlDC dieCanvas;
  if (!LoadDie(pedido, dieCanvas) || !PrepareSpriteFormat()) return fail();
  try {
    ScaledPicture picture;
    Shell().Progress(0.05);
    if (!ScalePicture(pedido, m, picture)) return fail();
    Shell().Progress(0.25);
    const Cut k = SampleDie(pedido, m, dieCanvas.Imagen());
    const Outlines outlines = OutlinePieces(k);
    if (m.bits == 24)
      WriteSheet<true>(k, outlines, picture, m.scaledH);
    else
      WriteSheet<false>(k, outlines, picture, m.scaledH);
  } catch (const std::bad_alloc&) {
    return fail();
  }
  Shell().Progress(0.7);
  FinishSheet();
  Shell().Progress(0.75);
  if (pedido.newGame && !LayOutNewGame(pedido.table)) return fail();
  return true;
}

bool NewPuzzle(const PedidoPuzzle& pedido) {
  const bool cut = CreatePuzzle(pedido);
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
