// The play window's view of a table larger than the screen: one whole
// window painted at a zoom (a wheel step), a pan frame, and bringing the
// pre-scaled copies up to date after a piece was redrawn.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "CopiasReducidas.h"
#include "EscenaBench.h"

namespace {

// A 10,000-piece table: 100 x 100 cells of 45 pixels, with room around.
constexpr int32_t kAnchoMesa = 7200, kAltoMesa = 5400;

struct Mesa {
  std::vector<uint8_t> bits;
  ImagenBGR imagen;
  CopiasReducidas copias;
  Mesa() : bits(static_cast<size_t>(kAnchoMesa) * kAltoMesa * 3) {
    uint32_t x = 12345;
    for (uint8_t& b : bits) b = static_cast<uint8_t>((x = x * 1664525u + 1013904223u) >> 24);
    const int64_t paso = static_cast<int64_t>(kAnchoMesa) * 3;
    imagen = {bits.data() + paso * (kAltoMesa - 1), -paso, kAnchoMesa, kAltoMesa};
    copias.Rehacer(imagen);
  }
};

Mesa& LaMesa() {
  static Mesa m;
  return m;
}

// Args: screen width, zoom in percent (0: the whole table).
void BM_VistaPintar(benchmark::State& state) {
  Mesa& m = LaMesa();
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(state.range(0)));
  Vista v = VistaInicial(kAnchoMesa, kAltoMesa, ancho, alto);
  const double escala = state.range(1) ? state.range(1) / 100.0 : EscalaTodo(v);
  std::vector<uint8_t> ventana(static_cast<size_t>(ancho) * alto * 3);
  int32_t paso = 0;
  for (auto _ : state) {
    // Each frame at another place, as a zoom around the pointer lands.
    v.escala = escala;
    Colocar(v, {2000 + (paso & 63) * 17, 1500 + (paso & 31) * 11}, {ancho / 2, alto / 2});
    ++paso;
    m.copias.Pintar(m.imagen, v, {0, 0, ancho, alto}, ventana.data(), static_cast<int64_t>(ancho) * 3, 0x203040);
    benchmark::DoNotOptimize(ventana.data());
  }
}
BENCHMARK(BM_VistaPintar)
    ->ArgsProduct({{1920, 3840}, {0, 25, 50, 77, 100, 200}})
    ->Unit(benchmark::kMillisecond);

// A pan frame: the window's picture moves and only the strip it uncovers is
// painted (32 pixels across).
void BM_VistaTira(benchmark::State& state) {
  Mesa& m = LaMesa();
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(state.range(0)));
  Vista v = VistaInicial(kAnchoMesa, kAltoMesa, ancho, alto);
  v.escala = state.range(1) / 100.0;
  Colocar(v, {3000, 2000}, {0, 0});
  std::vector<uint8_t> ventana(static_cast<size_t>(ancho) * alto * 3);
  for (auto _ : state) {
    m.copias.Pintar(m.imagen, v, {ancho - 32, 0, 32, alto}, ventana.data(), static_cast<int64_t>(ancho) * 3, 0);
    benchmark::DoNotOptimize(ventana.data());
  }
}
BENCHMARK(BM_VistaTira)->ArgsProduct({{1920, 3840}, {50, 100}})->Unit(benchmark::kMillisecond);

// A dropped group's rectangle (300 x 200) recomposed: its copies follow.
void BM_VistaActualizar(benchmark::State& state) {
  Mesa& m = LaMesa();
  for (auto _ : state) m.copias.Actualizar(m.imagen, {3001, 2001, 300, 200});
}
BENCHMARK(BM_VistaActualizar)->Unit(benchmark::kMicrosecond);

}  // namespace
