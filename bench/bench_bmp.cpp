// Reading a 1024 x 768 picture: scaled to a preview (240 x 180) and to a
// thumbnail (82 x 61), and raw as the cutter reads it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ArchivoBMP.h"

namespace {

constexpr int32_t kAncho = 1024, kAlto = 768;

// Writes the picture once per depth and returns its path.
std::string Imagen(int bits) {
  const std::string ruta = "/tmp/bench_bmp_" + std::to_string(getpid()) + "_" + std::to_string(bits) + ".bmp";
  const uint32_t colores = bits == 8 ? 256 : 0;
  const int64_t fila = BytesFila(kAncho, bits);
  std::vector<uint8_t> b(static_cast<size_t>(54 + 4 * colores + fila * kAlto));
  b[0] = 'B', b[1] = 'M';
  EscribirU32(&b[2], static_cast<uint32_t>(b.size()));
  EscribirU32(&b[10], 54 + 4 * colores);
  const uint32_t campos[] = {40, kAncho, kAlto, 1u | static_cast<uint32_t>(bits) << 16};
  for (int i = 0; i < 4; ++i) EscribirU32(&b[14 + 4 * i], campos[i]);
  for (uint32_t c = 0; c < colores; ++c) EscribirU32(&b[54 + 4 * c], c * 0x010101u);
  for (size_t i = 54 + 4 * colores; i < b.size(); ++i) b[i] = static_cast<uint8_t>(i * 31 / 7);
  FILE* f = std::fopen(ruta.c_str(), "wb");
  if (f) {
    std::fwrite(b.data(), 1, b.size(), f);
    std::fclose(f);
  }
  return ruta;
}

struct Imagenes {
  std::string r8 = Imagen(8), r24 = Imagen(24);
  ~Imagenes() {
    std::remove(r8.c_str());
    std::remove(r24.c_str());
  }
};

const std::string& Ruta(int bits) {
  static const Imagenes imagenes;
  return bits == 8 ? imagenes.r8 : imagenes.r24;
}

void Escalado(benchmark::State& estado) {
  const int bits = static_cast<int>(estado.range(0));
  const auto ancho = static_cast<int32_t>(estado.range(1)), alto = static_cast<int32_t>(estado.range(2));
  ArchivoBMP bmp;
  if (!bmp.Abrir(Ruta(bits).c_str())) return estado.SkipWithError("no picture");
  std::vector<uint8_t> destino(static_cast<size_t>(BytesFila(ancho, bits) * alto));
  for (auto _ : estado) {
    if (!bmp.LeerEscalado(ancho, alto, destino.data())) return estado.SkipWithError("read failed");
    benchmark::DoNotOptimize(destino.data());
  }
}
BENCHMARK(Escalado)->ArgNames({"bits", "w", "h"})->Args({8, 240, 180})->Args({8, 82, 61})->Args({24, 240, 180})->Args({24, 82, 61});

void Pixeles(benchmark::State& estado) {
  const int bits = static_cast<int>(estado.range(0));
  ArchivoBMP bmp;
  if (!bmp.Abrir(Ruta(bits).c_str())) return estado.SkipWithError("no picture");
  std::vector<uint8_t> destino(static_cast<size_t>(BytesFila(kAncho, bits) * kAlto));
  for (auto _ : estado) {
    if (!bmp.LeerPixeles(destino.data())) return estado.SkipWithError("read failed");
    benchmark::DoNotOptimize(destino.data());
  }
  estado.SetBytesProcessed(static_cast<int64_t>(estado.iterations()) * static_cast<int64_t>(destino.size()));
}
BENCHMARK(Pixeles)->ArgNames({"bits"})->Arg(8)->Arg(24);

}  // namespace
