// A puzzle state made up for the engine's benchmarks, without a picture or
// a cut: 45-pixel cells filling the table, jigsaw-like outlines (each cell
// with a round tab or blank on every inner edge), pieces scattered over the
// table or laid out solved, the table mosaic and the table board's image.
//
//   Escena e = CrearEscena(ancho, alto, resuelta);
//   DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
//
// The state lives in the engine's globals (`puzzle`, the mosaic); a new
// scene replaces the previous one. The shell installed counts what the
// engine asks of it and does nothing else.
#pragma once

#include <cstdint>
#include <cstring>
#include <algorithm>
#include <numeric>
#include <random>
#include <utility>

#include "Compositor.h"
#include "HImage.h"
#include "Puzzle.h"
#include "Relieve.h"

// The table board of a screen width (the table is the screen less 77 x 128);
// 10000 asks for a table of 81 x 122 cells, 9,882 pieces.
inline std::pair<int32_t, int32_t> TableroDePantalla(int pantalla) {
  if (pantalla == 10000) return {122 * 45, 81 * 45};
  return pantalla >= 3840 ? std::make_pair(3763, 2032) : std::make_pair(1843, 952);
}

struct ShellEscena final : SilentPuzzleShell {
  int64_t invalidados = 0, sonidos = 0, terminados = 0, avisos = 0;
  void InvalidateBoardRect(int, int32_t, int32_t, int32_t, int32_t) override { ++invalidados; }
  void NotifyBoardParent(int, int) override { ++avisos; }
  void PlayFitSound() override { ++sonidos; }
  void PuzzleFinished() override { ++terminados; }
};

struct Escena {
  int32_t ancho = 0, alto = 0;  // the table board
  int32_t piezas = 0;
  bool resuelta = false;
  ShellEscena* shell = nullptr;
};

namespace escena_detalle {

constexpr int32_t kCelda = 45;
constexpr int32_t kRadioLengueta = 8;
constexpr int32_t kDesplazamiento = 6;  // tab centre beyond the edge

// Whether the tab of an inner edge sticks out of the first cell (into the
// second): a fixed pseudo-random choice per edge.
inline bool SaleDelPrimero(uint32_t fila, uint32_t columna, uint32_t vertical) {
  uint32_t h = fila * 73856093u ^ columna * 19349663u ^ vertical * 83492791u;
  h ^= h >> 13;
  h *= 0x5bd1e995u;
  return ((h >> 15) & 1) != 0;
}

// The cell owning picture pixel (X, Y) of a rows x cols grid: its own cell
// unless a neighbour's tab covers it.
inline int32_t Propietaria(int32_t X, int32_t Y, int32_t rows, int32_t cols) {
  const int32_t cx = X / kCelda, cy = Y / kCelda;
  const int32_t lx = X - cx * kCelda, ly = Y - cy * kCelda;
  const int32_t medio = kCelda / 2;
  auto enDisco = [](int32_t dx, int32_t dy) { return dx * dx + dy * dy < kRadioLengueta * kRadioLengueta; };
  // Right and left edges (vertical), bottom and top edges.
  if (cx + 1 < cols) {
    const bool sale = SaleDelPrimero(cy, cx, 1);
    if (!sale && enDisco(lx - (kCelda - kDesplazamiento), ly - medio)) return cy * cols + cx + 1;
  }
  if (cx > 0) {
    const bool sale = SaleDelPrimero(cy, cx - 1, 1);
    if (sale && enDisco(lx - kDesplazamiento, ly - medio)) return cy * cols + cx - 1;
  }
  if (cy + 1 < rows) {
    const bool sale = SaleDelPrimero(cy, cx, 0);
    if (!sale && enDisco(lx - medio, ly - (kCelda - kDesplazamiento))) return (cy + 1) * cols + cx;
  }
  if (cy > 0) {
    const bool sale = SaleDelPrimero(cy - 1, cx, 0);
    if (sale && enDisco(lx - medio, ly - kDesplazamiento)) return (cy - 1) * cols + cx;
  }
  return cy * cols + cx;
}

// One mosaic for the whole run: the engine keeps a reference to it.
inline HIMAGE Mosaico() {
  static HIMAGE m = [] {
    HIMAGE h = AsignarHIMAGE(MOSAICO_TAMX * MOSAICO_TAMY);
    *h = CabeceraInfoBMP{40, MOSAICO_TAMX, MOSAICO_TAMY, 1, 8, 0, MOSAICO_TAMX * MOSAICO_TAMY, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i)
      ColoresHIMAGE(h)[i] = ColorRGBQ{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                      static_cast<uint8_t>(i * 7), 0};
    for (int32_t y = 0; y < MOSAICO_TAMY; ++y)
      for (int32_t x = 0; x < MOSAICO_TAMX; ++x) FilaHIMAGE(h, y)[x] = static_cast<uint8_t>((x * 3 + y * 5) & 255);
    return h;
  }();
  return m;
}

inline ShellEscena& Shell() {
  static ShellEscena s;
  return s;
}

}  // namespace escena_detalle

// Replaces the engine's state with a fresh scene on a table of ancho x alto.
// Scattered: random positions over the whole table (boxes inside it), random
// stacking order, and with `girada` each piece at a random turn. Solved:
// laid out as the solve command does, one group.
// Returns a scene with no pieces if the arrays cannot be allocated.
inline Escena CrearEscena(int32_t ancho, int32_t alto, bool resuelta, uint32_t semilla = 1, bool girada = false) {
  using namespace escena_detalle;
  Escena e;
  e.ancho = ancho;
  e.alto = alto;
  e.resuelta = resuelta;
  e.shell = &escena_detalle::Shell();
  SetPuzzleShell(e.shell);

  puzzle = PuzzleState{};
  puzzle.cols = ancho / kCelda;
  puzzle.rows = alto / kCelda;
  puzzle.cellW = puzzle.cellH = kCelda;
  puzzle.marginX = puzzle.marginY = kCelda * 66 / 200;
  puzzle.boxW = puzzle.cellW + 2 * puzzle.marginX;
  puzzle.boxH = puzzle.cellH + 2 * puzzle.marginY;
  puzzle.dieRows = puzzle.dieCols = 2;
  if (!AllocatePuzzle()) return e;
  const int32_t rows = puzzle.rows, cols = puzzle.cols, n = rows * cols;
  e.piezas = n;

  // The sheet: each box holds its cell and tabs; the colour is a gradient
  // over the picture.
  const int32_t W = cols * kCelda, H = rows * kCelda;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t R = i / cols, C = i % cols;
    for (int32_t y = 0; y < puzzle.boxH; ++y) {
      uint8_t* s = puzzle.SheetPixel(i, 0, y);
      uint8_t* c = puzzle.PieceColour(i, 0, y);
      for (int32_t x = 0; x < puzzle.boxW; ++x, ++s, c += 3) {
        const int32_t X = C * kCelda - puzzle.marginX + x, Y = R * kCelda - puzzle.marginY + y;
        const bool propio = X >= 0 && Y >= 0 && X < W && Y < H && Propietaria(X, Y, rows, cols) == i;
        if (propio) {
          c[0] = static_cast<uint8_t>(X);
          c[1] = static_cast<uint8_t>(Y);
          c[2] = static_cast<uint8_t>(X + Y);
        }
        s[0] = propio ? 1 : 0;
      }
    }
  }
  HornearBisel();

  std::mt19937 azar(semilla);
  std::iota(puzzle.order.begin(), puzzle.order.end(), 0);
  if (resuelta) {
    const int32_t ox = (ancho - W) / 2 - puzzle.marginX, oy = (alto - H) / 2 - puzzle.marginY;
    for (int32_t i = 0; i < n; ++i)
      puzzle.pieces[i] = PieceRecord{n, 1, 0, {0, 0}, ox + kCelda * (i % cols), oy + kCelda * (i / cols)};
    puzzle.finished = 1;
  } else {
    std::uniform_int_distribution<int32_t> px(0, ancho - puzzle.boxW), py(0, alto - puzzle.boxH);
    for (int32_t i = 0; i < n; ++i) puzzle.pieces[i] = PieceRecord{0, 1, 0, {0, 0}, px(azar), py(azar)};
    std::shuffle(puzzle.order.begin(), puzzle.order.end(), azar);
    puzzle.turned = girada ? 1 : 0;
    if (girada)
      for (PieceRecord& r : puzzle.pieces) r.turn = static_cast<uint8_t>(azar() & 3);
  }
  puzzle.boards[kTable].first = 0;
  puzzle.boards[kTable].count = n;

  MosaicoPuzzle(Mosaico());
  ResizeBoard(kTable, ancho, alto);  // composes the table once
  return e;
}
