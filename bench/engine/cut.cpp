// The cut on the 1920 and 3840 tables: a 24-bit picture that fills the
// table, cut with the test die into the smallest pieces (45-pixel cells)
// for a new game. Closing the puzzle and reopening the picture (the close
// releases it) are left out of the figure.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "BmpSintetico.h"
#include "Cut.h"
#include "Puzzle.h"
#include "TroquelPrueba.h"

namespace {

constexpr int32_t kCelda = 45;

void CutBench(benchmark::State& st, int32_t ancho, int32_t alto) {
  const std::string carpeta = "/tmp/bench_cut_" + std::to_string(getpid()) + "/";
  const std::string imagen = carpeta + "p.bmp";
  std::filesystem::create_directories(carpeta);
  const std::vector<uint8_t> bmp = BmpSintetico{.ancho = ancho, .alto = alto, .bits = 24}
                                       .Pintar([](int32_t x, int32_t y) { return (x * 7) ^ (y * 0x0301); })
                                       .Bytes();
  std::ofstream(imagen, std::ios::binary).write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));

  SetPuzzleShell(nullptr);
  ClosePuzzle(false);
  CerrarArchivoRecursos();
  SetDisplayFormat(DisplayFormat{});
  // The picture is the table's size; the scatter needs only that size, not
  // the table's image.
  const PedidoPuzzle pedido{.picture = &imagenActual, .scale = 1.0, .rows = alto / kCelda, .cols = ancho / kCelda,
                            .dieId = kDiePictureBase, .dieRows = kShippedDieGrid, .dieCols = kShippedDieGrid,
                            .newGame = true, .table = {ancho, alto}};

  if (!EscribirArchivoTroqueles(carpeta + "t.rf", {{5000, BloqueTroquel(2, 2)}}) ||
      !AbrirArchivoRecursos((carpeta + "t.rf").c_str())) {
    st.SkipWithError("no die");
  } else {
    for (auto _ : st) {
      st.PauseTiming();
      ClosePuzzle(false);
      const bool abierta = imagenActual.Abrir(imagen.c_str());
      st.ResumeTiming();
      if (!abierta || !CreatePuzzle(pedido)) {
        st.SkipWithError("cut failed");
        break;
      }
    }
    st.counters["piezas"] = puzzle.PieceCount();
  }
  ClosePuzzle(false);
  CerrarArchivoRecursos();
  std::filesystem::remove_all(carpeta);
}

}  // namespace

BENCHMARK_CAPTURE(CutBench, 1920, 1843, 952)->Name("Cut/1920")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CutBench, 3840, 3763, 2032)->Name("Cut/3840")->Unit(benchmark::kMillisecond);
