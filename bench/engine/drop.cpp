// Dropping a piece next to its neighbour on a scattered table: the fit
// search over the table, the regrouping and the redraw of both boxes.
#include <benchmark/benchmark.h>

#include <vector>

#include "EscenaBench.h"
#include "Fitting.h"

namespace {

// With `girada` every piece lies at a random turn, and the pair at the
// same one, the drop where that turn puts the piece.
void Soltar(benchmark::State& state, bool girada) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(state.range(0)));
  const Escena e = CrearEscena(ancho, alto, false, 1, girada);
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
  if (girada) puzzle.pieces[p].turn = puzzle.pieces[k].turn = 1;
  const PieceRecord antesP = puzzle.pieces[p], antesK = puzzle.pieces[k];
  // Piece k lies right of p upright, below it at a quarter turn.
  const int32_t x = antesK.x + (girada ? 3 : -puzzle.cellW + 3), y = antesK.y - 4 - (girada ? puzzle.cellW : 0);

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

void Drop(benchmark::State& state) { Soltar(state, false); }
void DropTurned(benchmark::State& state) { Soltar(state, true); }

}  // namespace

BENCHMARK(Drop)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(DropTurned)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
