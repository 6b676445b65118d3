#include "Drag.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

#include "Compositor.h"
#include "Deshacer.h"
#include "Fitting.h"
#include "Relieve.h"
#include "Utilidades.h"

namespace {

bool Marked(int32_t piece) { return puzzle.pieces[piece].unmarked == 0; }

// The marked pieces at the front of `board`'s segment.
int32_t MarkedRun(int board) {
  const Board& b = puzzle.boards[board];
  int32_t run = 0;
  while (run < b.count && Marked(puzzle.order[b.first + run])) ++run;
  return run;
}

// A marked selection keeps a piece's cell inside the board: x at least
// -marginX and x + cellW at most the board width (likewise vertically).
int32_t Clamp(int32_t v, int32_t margin, int32_t cell, int32_t size) {
  v = std::max(v, -margin);
  if (v + cell > size) v = size - cell;
  return v;
}

void Redraw(int board, Punto position, Punto size) {
  DrawBoardRect(board, position.x, position.y, size.x, size.y, true);
}

// Moves the front run of marked pieces of `from` by (dx, dy), clamped to
// board `to`, and over to `to` when that is another board.
void MoveMarkedSelection(int from, int to, int32_t dx, int32_t dy) {
  Board& source = puzzle.boards[from];
  Board& target = puzzle.boards[to];
  const int32_t run = MarkedRun(from);
  Punto oldPos, oldSize;
  RunBounds(source.first, run, &oldPos, &oldSize);

  // A selection dropped on another board replaces the one marked there.
  Punto unmarkedPos{}, unmarkedSize{};
  bool unmarkedAny = false;
  if (to != from) {
    for (int32_t i = target.first; i < target.first + target.count; ++i) {
      PieceRecord& r = puzzle.pieces[puzzle.order[i]];
      if (r.unmarked) continue;
      r.unmarked = 1;
      const Punto p{r.x, r.y}, s{puzzle.boxW, puzzle.boxH};
      if (unmarkedAny)
        CruzarRectangulos(unmarkedPos, unmarkedSize, p, s, kCruceUnion, &unmarkedPos, &unmarkedSize);
      else
        unmarkedPos = p, unmarkedSize = s;
      unmarkedAny = true;
    }
  }

  for (int32_t i = source.first; i < source.first + run; ++i) {
    PieceRecord& r = puzzle.pieces[puzzle.order[i]];
    r.x = Clamp(r.x + dx, puzzle.marginX, puzzle.cellW, target.Width());
    r.y = Clamp(r.y + dy, puzzle.marginY, puzzle.cellH, target.Height());
  }
  Punto newPos, newSize;
  RunBounds(source.first, run, &newPos, &newSize);

  if (to == from) {
    RedrawBoth(from, oldPos, oldSize, newPos, newSize, false);
    return;
  }

  const bool targetWasEmpty = target.count == 0;
  MoveBetweenBoards(from, to, run);
  Redraw(from, oldPos, oldSize);
  if (unmarkedAny) CruzarRectangulos(newPos, newSize, unmarkedPos, unmarkedSize, kCruceUnion, &newPos, &newSize);
  Redraw(to, newPos, newSize);
  if (targetWasEmpty) Shell().NotifyBoardParent(to, kBoardGotPieces);
  if (source.count == 0) Shell().NotifyBoardParent(from, kBoardEmptied);
}

// One sheet colour in the display format, least significant byte first.
uint32_t Convert(const DisplayFormat& f, uint32_t blue, uint32_t green, uint32_t red) {
  if (f.bits != 16) return blue | green << 8 | red << 16;
  return (red / f.divisor[0]) << f.shift[0] | (green / f.divisor[1]) << f.shift[1] |
         (blue / f.divisor[2]) << f.shift[2];
}

// The lifted shadow of the last piece drawn as a sprite.
struct SombraLevantada {
  int32_t pieza = -1;
  int giro = 0;
  uint32_t generacion = 0;
  const uint8_t* hoja = nullptr;
  SombraPieza sombra;
};
SombraLevantada g_levantada;

const SombraPieza& Levantada(int32_t piece) {
  SombraLevantada& l = g_levantada;
  const int giro = puzzle.pieces[static_cast<size_t>(piece)].turn & 3;
  if (l.pieza != piece || l.giro != giro || l.generacion != PuzzleGeneration() || l.hoja != puzzle.sheet.data()) {
    l.pieza = piece;
    l.giro = giro;
    l.generacion = PuzzleGeneration();
    l.hoja = puzzle.sheet.data();
    l.sombra = SombraPieza{};
    CalcularSombra(piece, 0, true, l.sombra, giro);
  }
  return l.sombra;
}

// Darkens the canvas under the lifted shadow; in 16 bits each channel by
// its mask.
void PaintShadow(int32_t piece, uint8_t* pixels, int32_t stride, int32_t x, int32_t y, const DisplayFormat& f) {
  const int32_t bytes = SpriteBytesPerPixel(f);
  const MedidasRelieve m = Relieve(true);
  const SombraPieza& s = Levantada(piece);
  for (int32_t fila = 0; fila < s.filas; ++fila) {
    uint8_t* row = pixels + static_cast<int64_t>(y - m.arriba + fila) * stride;
    for (int32_t t = s.primero[static_cast<size_t>(fila)]; t < s.primero[static_cast<size_t>(fila) + 1]; ++t) {
      const TramoSombra& tr = s.tramos[static_cast<size_t>(t)];
      const uint8_t* factor = s.factores.data() + tr.factor;
      uint8_t* d = row + static_cast<int64_t>(x + tr.inicio) * bytes;
      for (int32_t c = tr.inicio; c < tr.fin; ++c, factor += 3, d += bytes) {
        const uint32_t k = 256u - *factor;
        if (f.bits == 16) {
          uint16_t v;
          std::memcpy(&v, d, 2);
          uint32_t r = 0;
          for (int canal = 0; canal < 3; ++canal) r |= ((v & f.masks[canal]) * k >> 8) & f.masks[canal];
          v = static_cast<uint16_t>(r);
          std::memcpy(d, &v, 2);
        } else {
          d[0] = static_cast<uint8_t>(d[0] * k >> 8);
          d[1] = static_cast<uint8_t>(d[1] * k >> 8);
          d[2] = static_cast<uint8_t>(d[2] * k >> 8);
        }
      }
    }
  }
}

}  // namespace

SpriteMargins SpriteMarginsNow() {
  if (!RelieveEnUso()) return {};
  const MedidasRelieve m = Relieve(true);
  return {m.izquierda, m.arriba, m.derecha, m.abajo};
}

int32_t HitTestPiece(int board, int32_t x, int32_t y) {
  if (!puzzle.Exists()) return -1;
  const Board& b = puzzle.boards[board];
  for (int32_t i = 0; i < b.count; ++i) {
    const int32_t piece = puzzle.order[b.first + i];
    const PieceRecord& r = puzzle.pieces[piece];
    if (x <= r.x || x >= r.x + puzzle.boxW || y <= r.y || y >= r.y + puzzle.boxH) continue;
    if (puzzle.Covers(piece, x - r.x, y - r.y)) return i;
  }
  return -1;
}

namespace {

// The first touch of a fresh puzzle starts its clock.
void StartClockIfIdle() {
  if (!puzzle.clockIdle) return;
  puzzle.clockIdle = 0;
  puzzle.paused = 0;
  KillPuzzleClock();
  Shell().StartClockTimer();
  puzzle.clockRunning = true;
}

// The pieces that move with the front piece of `board` once gathered
// behind it: the marked selection, its group, or itself.
std::vector<int32_t> FrontRun(int board) {
  const Board& b = puzzle.boards[board];
  const int32_t front = puzzle.order[b.first];
  const PieceRecord& r = puzzle.pieces[front];
  int32_t run = 1;
  if (Marked(front))
    run = MarkedRun(board);
  else if (r.group != 0)
    while (run < b.count && puzzle.pieces[puzzle.order[b.first + run]].group == r.group) ++run;
  return std::vector<int32_t>(puzzle.order.begin() + b.first, puzzle.order.begin() + b.first + run);
}

}  // namespace

TurnResult TurnPieceAt(int board, int32_t x, int32_t y, int quarters, int32_t tolerance) {
  TurnResult result;
  if (!puzzle.Exists() || !puzzle.turned || puzzle.finished) return result;
  const int32_t position = HitTestPiece(board, x, y);
  if (position < 0) return result;
  Movimiento movimiento;
  StartClockIfIdle();
  BringToFront(board, position, false);
  const std::vector<int32_t> run = FrontRun(board);
  Punto oldPos, oldSize, newPos, newSize;
  PiecesBounds(run, &oldPos, &oldSize);
  TurnPieces(run, {2 * x + 1, 2 * y + 1}, quarters);
  // Turned near the board's edge, the pieces' cells are moved back inside it.
  int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (const int32_t k : run) {
    const PieceRecord& r = puzzle.pieces[k];
    Punto celda, tam;
    puzzle.TurnedCell(r.turn, &celda, &tam);
    x0 = std::min(x0, r.x + celda.x);
    y0 = std::min(y0, r.y + celda.y);
    x1 = std::max(x1, r.x + celda.x + tam.x);
    y1 = std::max(y1, r.y + celda.y + tam.y);
  }
  const Board& b = puzzle.boards[board];
  int32_t dx = 0, dy = 0;
  if (x1 > b.Width()) dx = b.Width() - x1;
  if (x0 + dx < 0) dx = -x0;
  if (y1 > b.Height()) dy = b.Height() - y1;
  if (y0 + dy < 0) dy = -y0;
  for (const int32_t k : run) {
    puzzle.pieces[k].x += dx;
    puzzle.pieces[k].y += dy;
  }
  PiecesBounds(run, &newPos, &newSize);
  RedrawBoth(board, oldPos, oldSize, newPos, newSize, false);
  const int32_t front = run.front();
  const PieceRecord& r = puzzle.pieces[front];
  if (!Marked(front) && FindFitPartner(board, front, r.x, r.y, tolerance).piece >= 0) {
    const DropResult drop = DropPiece(board, board, front, r.x, r.y, tolerance);
    result.fitted = drop.fitted;
    result.finished = drop.finished;
  }
  puzzle.modified = 1;
  result.turned = true;
  return result;
}

void TurnLiftedPiece(int board, Punto pivot, int quarters) {
  if (!puzzle.Exists() || !puzzle.turned || puzzle.boards[board].count < 1) return;
  BringToFront(board, 0, false);
  const std::vector<int32_t> run = FrontRun(board);
  Punto oldPos, oldSize, newPos, newSize;
  PiecesBounds(run, &oldPos, &oldSize);
  TurnPieces(run, {2 * pivot.x + 1, 2 * pivot.y + 1}, quarters);
  PiecesBounds(run, &newPos, &newSize);
  RedrawBoth(board, oldPos, oldSize, newPos, newSize, true);
}

void PickUpPiece(int board, int32_t position) {
  // The state before the press is what an undo gives back.
  EmpezarMovimiento();
  StartClockIfIdle();
  const Board& b = puzzle.boards[board];
  if (position > 0) MovePieceBlock(b.first + position, 1, b.first);
  const PieceRecord& r = puzzle.pieces[puzzle.order[b.first]];
  DrawBoardRect(board, r.x, r.y, puzzle.boxW, puzzle.boxH, false, true);
}

DropResult PutDownPiece(int from, int to, int32_t x, int32_t y, int32_t tolerance) {
  const int32_t front = puzzle.order[puzzle.boards[from].first];
  DropResult resultado;
  if (Marked(front)) {
    const PieceRecord& r = puzzle.pieces[front];
    MoveMarkedSelection(from, to, x - r.x, y - r.y);
  } else {
    resultado = DropPiece(to, from, front, x, y, tolerance);
  }
  puzzle.modified = 1;
  TerminarMovimiento();
  return resultado;
}

void CancelPieceDrop(int board) {
  const PieceRecord& r = puzzle.pieces[puzzle.order[puzzle.boards[board].first]];
  DrawBoardRect(board, r.x, r.y, puzzle.boxW, puzzle.boxH, true);
  TerminarMovimiento();
}

void CancelPickUp(int board, int32_t position) {
  const Board& b = puzzle.boards[board];
  if (b.count < 1) {
    TerminarMovimiento();
    return;
  }
  const PieceRecord& r = puzzle.pieces[puzzle.order[b.first]];
  if (position > 0 && position < b.count) MovePieceBlock(b.first, 1, b.first + position);
  DrawBoardRect(board, r.x, r.y, puzzle.boxW, puzzle.boxH, true);
  TerminarMovimiento();
}

void MarkBand(int board, int32_t left, int32_t top, int32_t width, int32_t height) {
  const Board& b = puzzle.boards[board];
  const Punto bandPos{left, top}, bandSize{width, height}, box{puzzle.boxW, puzzle.boxH};
  std::vector<int32_t> changed;
  for (int32_t i = b.first; i < b.first + b.count; ++i) {
    PieceRecord& r = puzzle.pieces[puzzle.order[i]];
    const bool inside = r.group == 0 && CruzarRectangulos(bandPos, bandSize, {r.x, r.y}, box, 0, nullptr, nullptr);
    const uint8_t unmarked = inside ? 0 : 1;
    if (r.unmarked != unmarked) changed.push_back(puzzle.order[i]);
    r.unmarked = unmarked;
  }
  NoteStateChange();
  // Only the pieces whose mark changed are redrawn, unless they cover about
  // as much as the board: a large table is not recomposed for a few.
  const int64_t area = static_cast<int64_t>(changed.size()) * puzzle.boxW * puzzle.boxH;
  if (area * 2 >= static_cast<int64_t>(b.Width()) * b.Height()) {
    DrawBoardRect(board, 0, 0, b.Width(), b.Height(), true);
    return;
  }
  for (int32_t p : changed) DrawBoardRect(board, puzzle.pieces[p].x, puzzle.pieces[p].y, puzzle.boxW, puzzle.boxH, true);
}

int32_t SpriteBytesPerPixel(const DisplayFormat& format) { return format.bits / 8; }

void PaintSprite(int32_t piece, uint8_t* pixels, int32_t stride, int32_t x, int32_t y, const DisplayFormat& f) {
  const int32_t bytes = SpriteBytesPerPixel(f);
  const bool marked = Marked(piece);
  const bool relieve = RelieveEnUso();
  if (relieve) PaintShadow(piece, pixels, stride, x, y, f);
  const int turn = puzzle.pieces[static_cast<size_t>(piece)].turn & 3;
  const int32_t S = puzzle.boxW;
  // A turned piece as it shows, bevelled from the screen's top left: worked
  // out once for the piece being dragged, not at every step, a pixel a
  // blue, green, red and coverage byte.
  struct PiezaGirada {
    int32_t pieza = -1;
    int giro = 0;
    bool relieve = false;
    uint32_t generacion = 0;
    const uint8_t* hoja = nullptr;
    std::vector<uint8_t> pixeles;
  };
  thread_local PiezaGirada girada;
  if (turn != 0 && (girada.pieza != piece || girada.giro != turn || girada.relieve != relieve ||
                    girada.generacion != PuzzleGeneration() || girada.hoja != puzzle.sheet.data())) {
    girada = {piece, turn, relieve, PuzzleGeneration(), puzzle.sheet.data(), {}};
    std::vector<uint8_t> bevel;
    if (relieve) {
      bevel.resize(static_cast<size_t>(S) * S);
      BiselPieza(piece, turn, bevel.data(), S);
    }
    girada.pixeles.assign(static_cast<size_t>(S) * S * 4, 0);
    for (int32_t py = 0; py < S; ++py) {
      const PuzzleState::TurnedRow source = puzzle.RowAt(piece, turn, py);
      uint8_t* d = girada.pixeles.data() + static_cast<size_t>(py) * S * 4;
      for (int32_t px = 0; px < S; ++px, d += 4) {
        if (source.sheet[px * source.sheetStep] != 1) continue;
        std::memcpy(d, source.colour + px * source.colourStep, 3);
        if (relieve) AplicarBisel(bevel[static_cast<size_t>(py) * S + px], 0, d);
        d[3] = 1;
      }
    }
  }
  for (int32_t py = 0; py < puzzle.boxH; ++py) {
    uint8_t* row = pixels + static_cast<int64_t>(y + py) * stride + static_cast<int64_t>(x) * bytes;
    const bool patternRow = marked && py % 2 == 0;
    const auto put = [&](int32_t px, uint32_t blue, uint32_t green, uint32_t red) {
      if (patternRow && px % 3 == 0) blue = 255 - blue, green = 255 - green, red = 255 - red;
      const uint32_t v = Convert(f, blue, green, red);
      std::memcpy(row + static_cast<int64_t>(px) * bytes, &v, static_cast<size_t>(bytes));
    };
    if (turn != 0) {
      const uint8_t* s = girada.pixeles.data() + static_cast<size_t>(py) * S * 4;
      for (int32_t px = 0; px < S; ++px, s += 4)
        if (s[3]) put(px, s[0], s[1], s[2]);
      continue;
    }
    const uint8_t* sheet = puzzle.SheetPixel(piece, 0, py);
    const uint8_t* colour = puzzle.PieceColour(piece, 0, py);
    const uint8_t* bevel = relieve ? puzzle.bevel.data() + (sheet - puzzle.sheet.data()) : nullptr;
    for (int32_t px = 0; px < puzzle.boxW; ++px, colour += 3) {
      if (sheet[px] != 1) continue;
      uint8_t bgr[3] = {colour[0], colour[1], colour[2]};
      if (bevel) AplicarBisel(bevel[px], 0, bgr);
      put(px, bgr[0], bgr[1], bgr[2]);
    }
  }
}
