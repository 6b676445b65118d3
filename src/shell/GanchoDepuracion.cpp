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
#include "Progreso.h"
#include "PuzzleDump.h"
#include "VistaMesa.h"

namespace {

constexpr int kMedidas = 10;
std::vector<double> g_tiempos[kMedidas];

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
  TrabajoLargo trabajo(kTextoPreparando);
  return ::RutaJugable(AnchaDeAnsi(ruta), CarpetaConvertidas(), &bmp) == LecturaFoto::Bien ? bmp : ruta;
}

void VolcarPuzzle() {
  static const char* const kNombres[kMedidas] = {"press", "drag",    "drop", "drop_fit", "zoom",
                                                 "pan",   "prepare", "cut",  "save",     "open"};
  std::vector<TimingSummary> resumen;
  for (int i = 0; i < kMedidas; ++i) resumen.push_back(SummarizeTimings(kNombres[i], g_tiempos[i]));
  // The table (the board, possibly larger than the screen) and the view
  // onto it: the table point at the window's top left and the zoom in
  // percent.
  const Board& mesa = puzzle.boards[kTable];
  const Vista& v = VistaMesa();
  const Punto esquina = EsquinaMesa(v);
  const std::string texto = FormatPuzzleDump(
      resumen, {"dpi " + std::to_string(arranque.dpi) + " scale " + std::to_string(arranque.escala),
                "table " + std::to_string(mesa.HasImage() ? mesa.Width() : 0) + " " +
                    std::to_string(mesa.HasImage() ? mesa.Height() : 0),
                "view " + std::to_string(esquina.x) + " " + std::to_string(esquina.y) + " " +
                    std::to_string(ZoomPorCiento(v))});
  // Written beside and moved over, so a reader never sees half a file.
  EscribirArchivoEntero(RutaVolcado().c_str(), texto.data(), static_cast<int64_t>(texto.size()));
}

}  // namespace

bool DepuracionActiva() { return !RutaVolcado().empty(); }

void VolcarSiCambio() {
  // Only after a change: the first is the start-up puzzle's, once the main
  // window is up, and tests wait for the file to know that.
  // A change before then (a table cleared while the intro plays) waits.
  static uint32_t escritos = 0;
  if (!DepuracionActiva() || !ventanaPrincipal || StateChanges() == escritos) return;
  escritos = StateChanges();
  VolcarPuzzle();
}

void IniciarPuzzleDepuracion() {
  const char* v = std::getenv("TESSERA_DEBUG_NEW");
  DebugNewPuzzle pedido;
  // Without a puzzle to cut the table stays empty, and the dump says so.
  NoteStateChange();
  if (!v || !ParseDebugNewPuzzle(v, &pedido)) return;
  // The play screen shows under the window that tells how the work goes.
  if (ventanaPrincipal)
    RedrawWindow(ventanaPrincipal, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const std::string ruta = RutaDePedido(EsAbsoluta(pedido.path) ? pedido.path : arranque.carpeta + pedido.path);
  // The picture read, the pieces cut and laid out, the table composed.
  Cronometro corte;
  ClosePuzzle(true);
  if (imagenActual.Abrir(ruta.c_str())) {
    MenuNuevoPrepararImagen();
    // At the fit, or as much larger as 45-pixel pieces need.
    if (SetNewPuzzleGridAndZoom(pedido.rows, pedido.cols)) {
      TrabajoLargo trabajo(kTextoCortando);
      if (NewPuzzle(PedidoNuevoPuzzle(pedido.die, newPuzzle.board, pedido.turned))) corte.Anotar(Medida::Corte);
    }
  }
}

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

CronometroVista::CronometroVista(Medida medida, HWND mesa) : medida_(medida), mesa_(mesa), cambios_(CambiosVistaMesa()) {}

CronometroVista::~CronometroVista() {
  if (CambiosVistaMesa() == cambios_) return;
  if (mesa_) UpdateWindow(mesa_);
  cronometro_.Anotar(medida_);
}
