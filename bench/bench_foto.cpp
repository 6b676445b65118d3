// Converting a player's photo: a 12- and a 24-megapixel picture given row
// by row at 32 bits, kept at the size a photo keeps and written as a bitmap
// file in memory (the decoding itself is the platform's and is measured
// under Wine).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "Foto.h"

namespace {

constexpr uint8_t kVerde[3] = {40, 110, 60};

void Convertir(benchmark::State& estado) {
  const Punto foto{static_cast<int32_t>(estado.range(0)), static_cast<int32_t>(estado.range(1))};
  std::vector<uint8_t> fila(static_cast<size_t>(foto.x) * 4);
  for (size_t i = 0; i < fila.size(); ++i) fila[i] = static_cast<uint8_t>(i * 7);
  for (auto _ : estado) {
    ConversorFoto c;
    c.Empezar(foto, TamañoFotoConservada(foto), kVerde);
    for (int32_t y = 0; y < foto.y; ++y) c.AgregarFila32(fila.data());
    benchmark::DoNotOptimize(c.Archivo());
  }
}
BENCHMARK(Convertir)->Args({4000, 3000})->Args({6000, 4000})->Unit(benchmark::kMillisecond);

}  // namespace
