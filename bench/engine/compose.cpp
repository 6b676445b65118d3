// Compositor figures on the 1920 and 3840 tables: whole-board redraws of a
// scattered and a solved puzzle, the redraw of one piece box, each flat
// (relief 0) and with bevels and shadows (relief 1), and a plain copy of a
// board-sized image for scale.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "Compositor.h"
#include "EscenaBench.h"
#include "Relieve.h"

namespace {

void Tablero(benchmark::State& st, bool resuelta) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  ActivarRelieve(st.range(1) != 0);
  const Escena e = CrearEscena(ancho, alto, resuelta);
  for (auto _ : st) {
    DrawBoardRect(kTable, 0, 0, e.ancho, e.alto, false);
    benchmark::ClobberMemory();
  }
  st.counters["piezas"] = e.piezas;
}

void ComposeScattered(benchmark::State& st) { Tablero(st, false); }
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

BENCHMARK(ComposeScattered)->ArgsProduct({{1920, 3840}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeSolved)->ArgsProduct({{1920, 3840}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(ComposeBox)->ArgsProduct({{1920, 3840}, {0, 1}})->ArgNames({"screen", "relief"})->Unit(benchmark::kMillisecond);
BENCHMARK(Memcpy)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
