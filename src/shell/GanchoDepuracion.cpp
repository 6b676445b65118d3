#include "GanchoDepuracion.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoDisco.h"
#include "Cut.h"
#include "Foto.h"
#include "Globales.h"
#include "ImagenesJuego.h"
#include "NewPuzzleParams.h"
#include "Puzzle.h"
#include "PuzzleDump.h"

namespace {

std::vector<double> g_tiempos[4];
uint32_t g_encajes = 0;

const std::string& RutaVolcado() {
  static const std::string ruta = [] {
    const char* v = std::getenv("TESSERA_DEBUG_DUMP");
    return std::string(v ? v : "");
  }();
  return ruta;
}

bool EsAbsoluta(const std::string& ruta) {
  return (ruta.size() > 2 && ruta[1] == ':') || (ruta.size() > 1 && ruta[0] == '\\' && ruta[1] == '\\');
}

// A photo is played from its converted copy, as a picture chosen in the
// new-puzzle window is; a bitmap the cut takes as it is.
std::string RutaDePedido(const std::string& ruta) {
  std::string bmp;
  return ::RutaJugable(AnchaDeAnsi(ruta), CarpetaConvertidas(), &bmp) == LecturaFoto::Bien ? bmp : ruta;
}

}  // namespace

bool DepuracionActiva() { return !RutaVolcado().empty(); }

void VolcarPuzzle() {
  if (!DepuracionActiva()) return;
  static const char* const kNombres[] = {"press", "drag", "drop", "drop_fit"};
  std::vector<TimingSummary> resumen;
  for (int i = 0; i < 4; ++i) resumen.push_back(SummarizeTimings(kNombres[i], g_tiempos[i]));
  const std::string texto =
      FormatPuzzleDump(resumen, {"dpi " + std::to_string(arranque.dpi) + " scale " + std::to_string(arranque.escala)});
  // Written beside and moved over, so a reader never sees half a file.
  EscribirArchivoEntero(RutaVolcado().c_str(), texto.data(), static_cast<int64_t>(texto.size()));
}

void IniciarPuzzleDepuracion() {
  const char* v = std::getenv("TESSERA_DEBUG_NEW");
  DebugNewPuzzle pedido;
  // Without a puzzle to cut the table stays empty, and the dump says so.
  if (!v || !ParseDebugNewPuzzle(v, &pedido)) {
    VolcarPuzzle();
    return;
  }
  const std::string ruta = RutaDePedido(EsAbsoluta(pedido.path) ? pedido.path : arranque.carpeta + pedido.path);
  ClosePuzzle(true);
  if (imagenActual.Abrir(ruta.c_str())) {
    MenuNuevoPrepararImagen();
    // At the fit, or as much larger as 45-pixel pieces need.
    if (SetNewPuzzleGridAndZoom(pedido.rows, pedido.cols)) NewPuzzle(2, 2, 5000 + pedido.die);
  }
  VolcarPuzzle();
}

void ContarEncaje() { ++g_encajes; }

uint32_t EncajesSonados() { return g_encajes; }

Cronometro::Cronometro() : activo_(DepuracionActiva()) {
  if (activo_) QueryPerformanceCounter(&inicio_);
}

void Cronometro::Anotar(Medida medida) {
  if (!activo_) return;
  LARGE_INTEGER fin, frecuencia;
  QueryPerformanceCounter(&fin);
  QueryPerformanceFrequency(&frecuencia);
  g_tiempos[static_cast<int>(medida)].push_back(1000.0 * static_cast<double>(fin.QuadPart - inicio_.QuadPart) /
                                                static_cast<double>(frecuencia.QuadPart));
}
