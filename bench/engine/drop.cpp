// Dropping a piece next to its neighbour on a scattered table: the fit
// search over the table, the regrouping and the redraw of both boxes.
#include <benchmark/benchmark.h>

#include <vector>

#include "EscenaBench.h"
#include "Fitting.h"

namespace {

void Drop(benchmark::State& state) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(state.range(0)));
  const Escena e = CrearEscena(ancho, alto, false);
  if (e.piezas < 2) {
    state.SkipWithError("no scene");
    return;
  }
  // A piece in the middle of the grid and its right neighbour, the piece
  // grabbed (at the front of the table, as a release leaves it).
  const int32_t p = (puzzle.rows / 2) * puzzle.cols + puzzle.cols / 2, k = p + 1;
  for (int32_t i = 0; i < e.piezas; ++i)
    if (puzzle.order[i] == p) BringToFront(kTable, i, false);
  const std::vector<int32_t> orden = puzzle.order;
  const PieceRecord antesP = puzzle.pieces[p], antesK = puzzle.pieces[k];
  const int32_t x = antesK.x - puzzle.cellW + 3, y = antesK.y - 4;

  const int64_t sonidos = e.shell->sonidos;
  for (auto _ : state) {
    state.PauseTiming();
    puzzle.pieces[p] = antesP;
    puzzle.pieces[k] = antesK;
    puzzle.order = orden;
    state.ResumeTiming();
    DropPiece(kTable, kTable, p, x, y);
  }
  if (e.shell->sonidos - sonidos != static_cast<int64_t>(state.iterations())) state.SkipWithError("a drop did not fit");
  state.counters["pieces"] = e.piezas;
}

}  // namespace

BENCHMARK(Drop)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
