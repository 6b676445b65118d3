// libFuzzer target: any bytes, saved as a file, through every reader of
// ArchivoBMP. A Verificar reachable from file data is a finding.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Verificar.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InstalarManejadorVerificar([](const char* mensaje) {
    std::fprintf(stderr, "Verificar reached from file data: %s\n", mensaje);
    std::abort();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  static const std::string ruta = "/tmp/fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
  FILE* f = std::fopen(ruta.c_str(), "wb");
  if (!f) return 0;
  const bool escrito = std::fwrite(datos, 1, n, f) == n;
  if (std::fclose(f) != 0 || !escrito) return 0;

  ArchivoBMP bmp;
  const bool abierto = bmp.Abrir(ruta.c_str());
  std::remove(ruta.c_str());  // the open handle keeps the data
  if (!abierto) {
    if (bmp.Abierto()) std::abort();  // a refused file leaves it closed
    return 0;
  }
  const Punto t = bmp.Tamaño();
  CabeceraInfoBMP c;
  if (!bmp.LeerCabecera(&c) || c.biWidth != t.x || c.biHeight != t.y || bmp.Colores() > 256) std::abort();

  std::vector<uint8_t> info(40 + 4 * 256);
  bmp.LeerInfo(info.data());
  if (TamañoImagen(c) <= (64 << 20)) {  // larger raw reads only measure the allocator
    std::vector<uint8_t> pixeles(static_cast<size_t>(TamañoImagen(c)));
    bmp.LeerPixeles(pixeles.data());
  }
  // A thumbnail, a preview upside down, and the picture's own size (bounded).
  const int32_t tamaños[][2] = {{1, 1}, {82, 61}, {240, -180}, {t.x < 400 ? t.x : 400, t.y < 400 ? t.y : 400}};
  for (const auto& tam : tamaños) {
    std::vector<uint8_t> destino(static_cast<size_t>(BytesFila(tam[0], c.biBitCount) * std::abs(tam[1])));
    bmp.LeerEscalado(tam[0], tam[1], destino.data());
  }
  return 0;
}
