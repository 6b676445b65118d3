// Converting a player's photo: a 12-megapixel picture given row by row at
// 32 bits, scaled to a table and written as a bitmap file in memory (the
// decoding itself is the platform's and is measured under Wine).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "Foto.h"

namespace {

constexpr uint8_t kVerde[3] = {40, 110, 60};

void Convertir(benchmark::State& estado) {
  const Punto foto{4000, 3000};
  const Punto mesa{static_cast<int32_t>(estado.range(0)), static_cast<int32_t>(estado.range(1))};
  std::vector<uint8_t> fila(static_cast<size_t>(foto.x) * 4);
  for (size_t i = 0; i < fila.size(); ++i) fila[i] = static_cast<uint8_t>(i * 7);
  for (auto _ : estado) {
    ConversorFoto c;
    c.Empezar(foto, TamañoFotoParaMesa(foto, mesa), kVerde);
    for (int32_t y = 0; y < foto.y; ++y) c.AgregarFila32(fila.data());
    benchmark::DoNotOptimize(c.Archivo());
  }
}
BENCHMARK(Convertir)->Args({1843, 952})->Args({3763, 2032})->Unit(benchmark::kMillisecond);

}  // namespace
