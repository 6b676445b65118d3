// Archive reader fed with arbitrary files: open, run the start-up check,
// load every reachable picture (and one it lacks) into a canvas, close. Any assertion reachable from file data is a
// finding, so Verificar aborts here.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "ControlDC.h"
#include "Verificar.h"

namespace {

void Abortar(const char* mensaje) {
  std::fprintf(stderr, "Verificar: %s\n", mensaje);
  std::abort();
}

const std::string& RutaEntrada() {
  static const std::string ruta = "/tmp/fuzz_archivo_" + std::to_string(getpid()) + ".rf";
  return ruta;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tamaño) {
  InstalarManejadorVerificar(&Abortar);
  const std::string& ruta = RutaEntrada();
  FILE* f = std::fopen(ruta.c_str(), "wb");
  if (!f) return 0;
  const bool escrito = std::fwrite(datos, 1, tamaño, f) == tamaño;
  if (std::fclose(f) != 0 || !escrito) return 0;

  if (AbrirArchivoRecursos(ruta.c_str())) {
    std::vector<uint32_t> numeros(static_cast<size_t>(NumerosArchivoRecursos(nullptr, 0)));
    NumerosArchivoRecursos(numeros.data(), static_cast<int32_t>(numeros.size()));
    const uint32_t necesarios[] = {1, 160, 6000};
    ComprobarArchivoRecursos(necesarios);
    ComprobarArchivoRecursos(numeros);
    numeros.push_back(0xFFFFFFFFu);
    ControlDC canvas;
    for (uint32_t n : numeros) {
      if (!canvas.Cargar(n)) continue;
      // Touch the end of the top row, where drawing would reach.
      const HIMAGE h = canvas.Imagen();
      const volatile uint8_t ultimo = FilaHIMAGE(h, 0)[StrideHIMAGE(h) - 1];
      (void)ultimo;
    }
    CerrarArchivoRecursos();
  }
  std::remove(ruta.c_str());
  return 0;
}
