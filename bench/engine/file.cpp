// Puzzle file figures on the 1920 and 3840 tables: saving and loading a
// game of the smallest pieces (45 pixels) on a picture that fills the
// table. Loading includes the cut and the redraw of every board.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Cut.h"
#include "EscenaBench.h"
#include "PuzzleFile.h"
#include "TroquelPrueba.h"

namespace {

struct Partida {
  std::string carpeta, epf;
};

// A table-sized 24-bit picture and the test die, cut for a new game and
// saved once; the carpeta is removed by the caller.
bool Preparar(benchmark::State& st, Partida& p) {
  const auto [ancho, alto] = TableroDePantalla(static_cast<int>(st.range(0)));
  p.carpeta = "/tmp/bench_epf_" + std::to_string(getpid()) + "/";
  p.epf = p.carpeta + "b.epf";
  std::filesystem::create_directories(p.carpeta);
  auto escribir = [](const std::string& ruta, const std::vector<uint8_t>& b) {
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
  };
  escribir(p.carpeta + "p.bmp", BmpSintetico{.ancho = ancho, .alto = alto, .bits = 24}
                                    .Pintar([](int32_t x, int32_t y) { return (x * 7) ^ (y * 0x0301); })
                                    .Bytes());
  CerrarArchivoRecursos();
  CrearEscena(ancho, alto, false);  // mosaic, shell and the table board
  ClosePuzzle(false);
  if (!EscribirArchivoTroqueles(p.carpeta + "t.rf", {{5000, BloqueTroquel(2, 2)}}) ||
      !AbrirArchivoRecursos((p.carpeta + "t.rf").c_str()) || !imagenActual.Abrir((p.carpeta + "p.bmp").c_str()))
    return false;
  const PedidoPuzzle pedido{.picture = &imagenActual, .scale = 1.0, .rows = alto / 45, .cols = ancho / 45,
                            .dieId = kDiePictureBase, .dieRows = kShippedDieGrid, .dieCols = kShippedDieGrid,
                            .newGame = true, .table = puzzle.boards[kTable].Size()};
  if (!NewPuzzle(pedido) || !SavePuzzle(p.epf.c_str())) return false;
  st.counters["piezas"] = puzzle.PieceCount();
  return true;
}

void Terminar(const Partida& p) {
  ClosePuzzle(false);
  CerrarArchivoRecursos();
  std::filesystem::remove_all(p.carpeta);
}

void Save(benchmark::State& st) {
  Partida p;
  if (!Preparar(st, p)) {
    st.SkipWithError("no puzzle to save");
  } else {
    for (auto _ : st) {
      if (!SavePuzzle(p.epf.c_str())) {
        st.SkipWithError("save failed");
        break;
      }
    }
  }
  Terminar(p);
}

void Load(benchmark::State& st) {
  Partida p;
  bool pistas = false;
  if (!Preparar(st, p)) {
    st.SkipWithError("no puzzle to load");
  } else {
    for (auto _ : st) {
      if (!LoadPuzzle(p.epf.c_str(), &pistas)) {
        st.SkipWithError("load failed");
        break;
      }
    }
  }
  Terminar(p);
}

}  // namespace

BENCHMARK(Save)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(Load)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
