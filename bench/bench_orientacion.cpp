// Turning a 12-megapixel photo (4000 x 3000) upright, as adding a phone
// photo does: a quarter turn, a half turn, and the plain copy to compare.
#include <benchmark/benchmark.h>

#include <vector>

#include "Binario.h"
#include "Orientacion.h"

namespace {

void Orientar(benchmark::State& estado) {
  const int k = static_cast<int>(estado.range(0)), bits = static_cast<int>(estado.range(1)), bpp = bits / 8;
  const Punto t{4000, 3000}, d = TamañoOrientado(t, k);
  const int64_t filaF = BytesFila(t.x, bits), filaD = BytesFila(d.x, bits);
  std::vector<uint8_t> fuente(static_cast<size_t>(filaF * t.y)), destino(static_cast<size_t>(filaD * d.y));
  for (size_t i = 0; i < fuente.size(); ++i) fuente[i] = static_cast<uint8_t>(i * 31 / 7);
  for (auto _ : estado) {
    if (!OrientarImagen(fuente.data(), t, filaF, bpp, k, destino.data(), filaD))
      return estado.SkipWithError("refused");
    benchmark::DoNotOptimize(destino.data());
    benchmark::ClobberMemory();
  }
  estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations()) * static_cast<int64_t>(fuente.size()));
}
BENCHMARK(Orientar)
    ->ArgNames({"k", "bits"})
    ->Args({6, 32})
    ->Args({8, 32})
    ->Args({3, 32})
    ->Args({1, 32})
    ->Args({6, 24})
    ->Unit(benchmark::kMillisecond);

}  // namespace
