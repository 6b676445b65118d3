// libFuzzer target: any bytes as a puzzle file, through LoadPuzzle and
// ReadPuzzlePreview, with a picture, a die and the table ready so that
// good files go all the way through the cut. Whatever loads must save and
// load again. A Verificar reachable from file data is a finding.
//
// The picture is found by name in the fallback folder, so a seed file (the
// corpus folder's first file is made when the folder is empty) keeps
// working from one run to the next.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BmpSintetico.h"
#include "ShellFalso.h"
#include "TroquelPrueba.h"
#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Compositor.h"
#include "Cut.h"
#include "PuzzleFile.h"
#include "Verificar.h"

namespace {

// Shared by parallel jobs (they write the same picture and die); the
// inputs are each job's own.
const std::string kCarpeta = "/tmp/tessera_fuzz_epf/";

void Escribir(const std::string& ruta, const std::vector<uint8_t>& b) {
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  InstalarManejadorVerificar([](const char* mensaje) {
    std::fprintf(stderr, "Verificar reached from file data: %s\n", mensaje);
    std::abort();
  });
  std::filesystem::create_directories(kCarpeta);
  Escribir(kCarpeta + "p.bmp", BmpSintetico{.ancho = 120, .alto = 90, .bits = 24}
                                   .Pintar([](int32_t x, int32_t y) { return x * 0x020301 + y * 0x010502; })
                                   .Bytes());
  if (!EscribirArchivoTroqueles(kCarpeta + "t.rf", {{5000, BloqueTroquel(2, 2)}, {5001, BloqueTroquel(2, 2, 24)}}) ||
      !AbrirArchivoRecursos((kCarpeta + "t.rf").c_str())) std::abort();
  static std::vector<uint8_t> mosaico(kHImagenPixeles + MOSAICO_TAMX * MOSAICO_TAMY, 3);
  *reinterpret_cast<HIMAGE>(mosaico.data()) = CabeceraInfoBMP{40, 100, 100, 1, 8, 0, 0, 0, 0, 256, 0};
  MosaicoPuzzle(reinterpret_cast<HIMAGE>(mosaico.data()));
  static ShellFalso shell;
  SetPuzzleShell(&shell);
  ResizeBoard(kTable, 400, 300);
  SetPictureFallbackFolder(kCarpeta.c_str());

  // Seed an empty corpus folder with a saved 3 x 4 puzzle.
  for (int i = 1; i < *argc; ++i) {
    const std::filesystem::path corpus = (*argv)[i];
    if ((*argv)[i][0] == '-' || !std::filesystem::is_directory(corpus) || !std::filesystem::is_empty(corpus)) continue;
    if (!imagenActual.Abrir((kCarpeta + "p.bmp").c_str())) std::abort();
    if (!CreatePuzzle({.picture = &imagenActual, .scale = 1.0, .rows = 3, .cols = 4, .dieId = kDiePictureBase,
                       .dieRows = kShippedDieGrid, .dieCols = kShippedDieGrid, .newGame = true,
                       .table = puzzle.boards[kTable].Size()}))
      std::abort();
    puzzle.pieces[5].group = puzzle.pieces[6].group = 7;  // both on the table
    if (!SavePuzzle((corpus / "seed.epf").c_str())) std::abort();
    ClosePuzzle(false);
    break;
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  static const std::string ruta = kCarpeta + std::to_string(getpid()) + ".epf", copia = ruta + ".copia";
  FILE* f = std::fopen(ruta.c_str(), "wb");
  if (!f) return 0;
  const bool escrito = std::fwrite(datos, 1, n, f) == n;
  if (std::fclose(f) != 0 || !escrito) return 0;

  bool pistas = false;
  if (LoadPuzzle(ruta.c_str(), &pistas)) {
    if (!SavePuzzle(copia.c_str()) || !LoadPuzzle(copia.c_str(), &pistas)) std::abort();
  } else if (puzzle.Exists() || imagenActual.Abierto()) {
    std::abort();  // a refused file leaves no puzzle
  }
  LiberarHIMAGE(ReadPuzzlePreview(ruta.c_str()));
  ClosePuzzle(false);
  std::remove(ruta.c_str());
  std::remove(copia.c_str());
  return 0;
}
