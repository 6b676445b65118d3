// What the puzzle-file and turned-piece tests cut from: a 24-bit 200 x 150
// picture in a folder of the test's own, the test die in an archive, the
// mosaic and an 800 x 600 table.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Puzzle.h"
#include "PuzzleFile.h"
#include "TroquelPrueba.h"

inline std::vector<uint8_t> LeerTodo(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}
inline void EscribirTodo(const std::string& ruta, const std::vector<uint8_t>& b) {
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

class MesaPrueba : public ::testing::Test {
 protected:
  static constexpr int32_t kTroquel = 5000;

  void SetUp() override {
    std::filesystem::create_directories(carpeta + "pics");
    BmpSintetico bmp;
    bmp.ancho = 200, bmp.alto = 150, bmp.bits = 24;
    EscribirTodo(imagen, bmp.Pintar([](int32_t x, int32_t y) { return x * 0x010203 + y * 0x030100; }).Bytes());
    CerrarArchivoRecursos();
    ASSERT_TRUE(EscribirArchivoTroqueles(carpeta + "t.rf", {{kTroquel, BloqueTroquel(2, 2)}}));
    ASSERT_TRUE(AbrirArchivoRecursos((carpeta + "t.rf").c_str()));
    static std::vector<uint8_t> mosaico(kHImagenPixeles + 100 * 100, 7);  // outlives every board
    auto* m = reinterpret_cast<HIMAGE>(mosaico.data());
    *m = CabeceraInfoBMP{40, 100, 100, 1, 8, 0, 0, 0, 0, 256, 0};
    MosaicoPuzzle(m);
    ASSERT_TRUE(ResizeBoard(kTable, 800, 600));
    SetPictureFallbackFolder(nullptr);
  }
  void TearDown() override {
    ClosePuzzle(false);
    SetPictureFallbackFolder(nullptr);
    for (Board& b : puzzle.boards) b = Board{};
    CerrarArchivoRecursos();
    std::filesystem::remove_all(carpeta);
  }

  const std::string carpeta = ::testing::TempDir() + "tessera_mesa_" + std::to_string(getpid()) + "/";
  const std::string imagen = carpeta + "pics/p.bmp";
  const std::string epf = carpeta + "a.epf";
};
