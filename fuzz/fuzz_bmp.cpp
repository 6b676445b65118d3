// libFuzzer target: any bytes, saved as a file, through every reader of
// ArchivoBMP. A Verificar reachable from file data is a finding.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Verificar.h"

namespace {

void Abortar(const char* mensaje) {
  std::fprintf(stderr, "Verificar reached from file data: %s\n", mensaje);
  std::abort();
}

// One file per process, in memory when the system offers it.
const std::string& RutaTemporal() {
  static const std::string ruta = [] {
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(dir) + "/fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
  }();
  return ruta;
}

// Raw reads beyond this are skipped, not to measure the allocator.
constexpr int64_t kMaxBytesPrueba = 64 << 20;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  InstalarManejadorVerificar(&Abortar);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t n) {
  FILE* f = std::fopen(RutaTemporal().c_str(), "wb");
  if (!f) return 0;
  const bool escrito = std::fwrite(datos, 1, n, f) == n;
  if (std::fclose(f) != 0 || !escrito) return 0;

  ArchivoBMP bmp;
  const bool abierto = bmp.Abrir(RutaTemporal().c_str());
  // The open handle keeps the data; nothing is left behind when the run ends.
  std::remove(RutaTemporal().c_str());
  if (!abierto) {
    if (bmp.Abierto() || bmp.Tamaño().x != 0) std::abort();
    return 0;
  }
  const Punto t = bmp.Tamaño();
  CabeceraInfoBMP c;
  if (!bmp.LeerCabecera(&c) || t.x < 1 || t.y < 1 || c.biWidth != t.x || c.biHeight != t.y) std::abort();
  if (bmp.Colores() < 0 || bmp.Colores() > 256) std::abort();

  std::vector<uint8_t> info(40 + 4 * 256);
  bmp.LeerInfo(info.data());
  std::vector<ColorRGBQ> colores(static_cast<size_t>(bmp.Colores()) + 1);
  bmp.LeerColores(bmp.Colores() / 2, bmp.Colores() - bmp.Colores() / 2, colores.data());

  const int64_t bytes = TamañoImagen(c);
  if (bytes <= kMaxBytesPrueba) {
    std::vector<uint8_t> pixeles(static_cast<size_t>(bytes));
    bmp.LeerPixeles(pixeles.data());
  }

  // A thumbnail, a preview upside down, the picture's own size and an
  // enlargement (bounded).
  const int32_t grande = t.x * 2 < 300 ? t.x * 2 : 300, alto = t.y * 3 < 200 ? t.y * 3 : 200;
  const int32_t tamaños[][2] = {{1, 1}, {82, 61}, {240, -180}, {t.x < 400 ? t.x : 400, t.y < 400 ? t.y : 400},
                                {grande, -alto}};
  for (const auto& tam : tamaños) {
    const int64_t h = tam[1] < 0 ? -int64_t{tam[1]} : tam[1];
    std::vector<uint8_t> destino(static_cast<size_t>(BytesFila(tam[0], c.biBitCount) * h));
    bmp.LeerEscalado(tam[0], tam[1], destino.data());
  }
  return 0;
}
