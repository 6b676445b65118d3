// Help with big puzzles on the 1920 and 3840 tables: an undo and a redo of
// a drop (the boards composed again), the loose edge pieces to a box,
// spreading the loose pieces, and a whole table composed with the ghost
// picture shown and without it.
#include <benchmark/benchmark.h>

#include <vector>

#include "Compositor.h"
#include "Deshacer.h"
#include "Drag.h"
#include "EscenaBench.h"
#include "Ordenar.h"

namespace {

Escena Preparar(benchmark::State& state) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(state.range(0)));
  Escena e = CrearEscena(ancho, alto, false);
  for (int b = 0; b < kBoxCount; ++b) ResizeBoard(b, 400, 300);
  VaciarHistorial();
  state.counters["pieces"] = e.piezas;
  return e;
}

// One drop, then undo and redo in turn: each iteration is one of them.
void UndoRedo(benchmark::State& state) {
  const Escena e = Preparar(state);
  if (e.piezas < 2) return state.SkipWithError("no scene");
  PickUpPiece(kTable, e.piezas / 2);
  BringToFront(kTable, 0, true);
  const PieceRecord r = puzzle.pieces[puzzle.order[0]];
  PutDownPiece(kTable, kTable, r.x + 200, r.y + 100);
  bool deshacer = true;
  for (auto _ : state) {
    if (!(deshacer ? DeshacerMovimiento() : RehacerMovimiento())) return state.SkipWithError("nothing to undo");
    deshacer = !deshacer;
  }
}

void EdgesToBox(benchmark::State& state) {
  const Escena e = Preparar(state);
  if (e.piezas < 2) return state.SkipWithError("no scene");
  for (auto _ : state) {
    if (BordesACaja("Edges") < 0) return state.SkipWithError("no edges moved");
    state.PauseTiming();
    DeshacerMovimiento();
    state.ResumeTiming();
  }
}

void Spread(benchmark::State& state) {
  const Escena e = Preparar(state);
  if (e.piezas < 2) return state.SkipWithError("no scene");
  for (auto _ : state) {
    benchmark::DoNotOptimize(Esparcir());
    state.PauseTiming();
    DeshacerMovimiento();
    state.ResumeTiming();
  }
}

// The ratio of the two is the ghost's cost; once made, its pixels are kept.
void Compose(benchmark::State& state, bool fantasma) {
  const Escena e = Preparar(state);
  MostrarFantasma(fantasma);
  DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
  for (auto _ : state) {
    DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
    benchmark::ClobberMemory();
  }
  MostrarFantasma(false);
}
void ComposeWithGhost(benchmark::State& state) { Compose(state, true); }
void ComposeWithoutGhost(benchmark::State& state) { Compose(state, false); }

}  // namespace

BENCHMARK(UndoRedo)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(EdgesToBox)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(Spread)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeWithoutGhost)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeWithGhost)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
