// troquel OUTDIR: writes the three dies as OUTDIR/5000.bmp to 5002.bmp.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "Troquel.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: troquel OUTDIR\n");
    return 2;
  }
  std::error_code ec;
  std::filesystem::create_directories(argv[1], ec);
  for (int estilo = 0; estilo < 3; ++estilo) {
    const std::vector<uint8_t> etiquetas = GenerarTroquel(estilo);
    const std::string problema = ValidarTroquel(etiquetas);
    if (!problema.empty()) {
      std::fprintf(stderr, "troquel: die %d: %s\n", 5000 + estilo, problema.c_str());
      return 1;
    }
    const std::vector<uint8_t> bmp = BmpTroquel(etiquetas);
    const std::string ruta = std::string(argv[1]) + "/" + std::to_string(5000 + estilo) + ".bmp";
    std::ofstream f(ruta, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
    if (!f) {
      std::fprintf(stderr, "troquel: cannot write %s\n", ruta.c_str());
      return 1;
    }
  }
  return 0;
}
