// Compositor figures on the 1920 and 3840 tables: whole-board redraws of a
// scattered and a solved puzzle, the redraw of one piece box, each flat
// (relief 0) and with bevels and shadows (relief 1), the scattered pieces
// upright and turned, and a plain copy of a board-sized image for scale.
// Then a turn of a group of 500 pieces joined.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "Compositor.h"
#include "Drag.h"
#include "EscenaBench.h"
#include "Relieve.h"

namespace {

void Tablero(benchmark::State& st, bool resuelta, bool girada = false) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  ActivarRelieve(st.range(1) != 0);
  const Escena e = CrearEscena(ancho, alto, resuelta, 1, girada);
  for (auto _ : st) {
    DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
    benchmark::ClobberMemory();
  }
  st.counters["piezas"] = e.piezas;
}

void ComposeScattered(benchmark::State& st) { Tablero(st, false); }
void ComposeScatteredTurned(benchmark::State& st) { Tablero(st, false, true); }
void ComposeSolved(benchmark::State& st) { Tablero(st, true); }

// The redraw after a drop: one box-sized rectangle around a piece in the
// middle of the stacking order.
void ComposeBox(benchmark::State& st) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  ActivarRelieve(st.range(1) != 0);
  const Escena e = CrearEscena(ancho, alto, false);
  const PieceRecord& p = puzzle.pieces[puzzle.order[e.piezas / 2]];
  for (auto _ : st) {
    DrawBoardRect(kTable, p.x, p.y, puzzle.boxW, puzzle.boxH, false);
    benchmark::ClobberMemory();
  }
}

// A right click on a group of 20 rows of 25 pieces joined in the middle of a
// scattered table of turned pieces: the group turns a quarter about the
// point, is kept on the table and redrawn, and looks for a neighbour to
// fit (none at that turn). Clockwise and back, in turn.
void TurnGroup(benchmark::State& st) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  ActivarRelieve(true);
  const Escena e = CrearEscena(ancho, alto, false, 1, true);
  if (puzzle.rows < 20 || puzzle.cols < 25) {
    st.SkipWithError("no room for the group");
    return;
  }
  const int32_t g = 19 * puzzle.cols + 24 + 1;  // the group's id: 1 + its largest piece
  const int32_t ox = (ancho - 25 * puzzle.cellW) / 2, oy = (alto - 20 * puzzle.cellH) / 2;
  for (int32_t r = 0; r < 20; ++r)
    for (int32_t c = 0; c < 25; ++c) {
      const int32_t i = r * puzzle.cols + c;
      puzzle.pieces[i] = PieceRecord{g, 1, 0, {0, 0}, ox + c * puzzle.cellW, oy + r * puzzle.cellH};
    }
  // The group on top of the loose pieces.
  for (int32_t i = 0; i < e.piezas; ++i)
    if (puzzle.order[i] == 0) BringToFront(kTable, i, false);
  DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
  const int32_t x = ox + puzzle.marginX + 12 * puzzle.cellW, y = oy + puzzle.marginY + 10 * puzzle.cellH;
  int sentido = 1;
  for (auto _ : st) {
    if (!TurnPieceAt(kTable, x, y, sentido).turned) {
      st.SkipWithError("nothing turned");
      break;
    }
    sentido = 4 - sentido;
  }
  st.counters["pieces"] = 500;
}

void Memcpy(benchmark::State& st) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  const size_t bytes = static_cast<size_t>((ancho * 3 + 3) & ~3) * alto;
  std::vector<uint8_t> origen(bytes, 7), destino(bytes, 0);
  for (auto _ : st) {
    std::memcpy(destino.data(), origen.data(), bytes);
    benchmark::DoNotOptimize(destino.data());
    benchmark::ClobberMemory();
  }
}

}  // namespace

BENCHMARK(ComposeScattered)->ArgsProduct({{1920, 3840, 10000}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeScatteredTurned)->ArgsProduct({{1920, 3840, 10000}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(TurnGroup)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeSolved)->ArgsProduct({{1920, 3840}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeBox)->ArgsProduct({{1920, 3840}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
