// The player's photos under Wine: adding one (decode, orient, scale, write),
// the memory that takes, and paging the picture list once they are cached.
// Run by scripts/bench-fotos.sh, one case a process:
//   bench_fotos anadir FOTO W H CACHE REPS      PrepararFoto into an empty cache
//   bench_fotos memoria FOTO W H CACHE          the same once, memory sampled
//   bench_fotos paginas W H CACHE REPS FOTO...  a page of five thumbnails
// W x H is the table; CACHE a folder ending in '\'. Prints "# time" lines
// as the game's dump does, and "# memory" lines.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "ArchivoBMP.h"
#include "Foto.h"
#include "Globales.h"
#include "ImagenEscalada.h"
#include "LectorFotos.h"
#include "MiniaturaImagen.h"
#include "NewPuzzleParams.h"

namespace {

double Ahora() {
  static const double frecuencia = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * static_cast<double>(t.QuadPart) / frecuencia;
}

void Informar(const std::string& nombre, std::vector<double> ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  const double mediana = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  std::printf("# time %s n=%zu median_ms=%.3f worst_ms=%.3f\n", nombre.c_str(), n, mediana, ms.back());
  std::fflush(stdout);
}

std::wstring Ancha(const char* s) {
  const int n = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
  std::wstring w(static_cast<size_t>(std::max(n, 1)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, s, -1, w.data(), n);
  return w;
}

std::string Etiqueta(Punto mesa) { return std::to_string(mesa.x) + "x" + std::to_string(mesa.y); }

std::string NombreBase(const char* ruta) {
  std::string r(ruta);
  const size_t barra = r.find_last_of("\\/");
  if (barra != std::string::npos) r.erase(0, barra + 1);
  const size_t punto = r.rfind('.');
  return punto == std::string::npos ? r : r.substr(0, punto);
}

bool Preparar(const char* foto, const std::string& cache, std::string* bmp) {
  const LecturaFoto r = PrepararFoto(Ancha(foto).c_str(), kFondoFotos, cache, bmp);
  if (r != LecturaFoto::Bien) std::fprintf(stderr, "bench_fotos: %s not converted (%d)\n", foto, static_cast<int>(r));
  return r == LecturaFoto::Bien;
}

int Anadir(const char* foto, Punto mesa, const std::string& cache, int reps) {
  std::vector<double> ms;
  for (int i = 0; i < reps; ++i) {
    std::string bmp;
    const double t0 = Ahora();
    if (!Preparar(foto, cache, &bmp)) return 1;
    ms.push_back(Ahora() - t0);
    // Empty again for the next one.
    if (!DeleteFileA(bmp.c_str())) return 1;
  }
  Informar("add_" + NombreBase(foto) + "_" + Etiqueta(mesa), ms);
  return 0;
}

// Private bytes are PagefileUsage (Wine leaves PrivateUsage at 0, and
// answers PeakPagefileUsage with the current figure, not a peak): sampled
// from another thread while the photo is added.
int Memoria(const char* foto, Punto mesa, const std::string& cache) {
  PROCESS_MEMORY_COUNTERS_EX antes{}, despues{};
  antes.cb = despues.cb = sizeof antes;
  auto leer = [](PROCESS_MEMORY_COUNTERS_EX* c) {
    return GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(c), sizeof *c);
  };
  if (!leer(&antes)) return 1;
  std::atomic<bool> fin{false};
  std::atomic<SIZE_T> picoPrivado{antes.PagefileUsage};
  std::thread muestreo([&] {
    PROCESS_MEMORY_COUNTERS_EX c{};
    c.cb = sizeof c;
    while (!fin) {
      if (leer(&c) && c.PagefileUsage > picoPrivado) picoPrivado = c.PagefileUsage;
      Sleep(1);
    }
  });
  std::string bmp;
  const bool ok = Preparar(foto, cache, &bmp);
  fin = true;
  muestreo.join();
  if (!ok || !leer(&despues)) return 1;
  DeleteFileA(bmp.c_str());
  constexpr double kMB = 1024.0 * 1024.0;
  std::printf("# memory add_%s_%s peak_private_mb=%.1f peak_working_set_mb=%.1f (over %.1f and %.1f before)\n",
              NombreBase(foto).c_str(), Etiqueta(mesa).c_str(),
              static_cast<double>(picoPrivado - antes.PagefileUsage) / kMB,
              static_cast<double>(despues.PeakWorkingSetSize - antes.WorkingSetSize) / kMB,
              static_cast<double>(antes.PagefileUsage) / kMB, static_cast<double>(antes.WorkingSetSize) / kMB);
  return 0;
}

LRESULT CALLBACK ProcPadre(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// What the new-puzzle window does for each thumbnail of a page: finds the
// photo's converted copy (PrepararFoto), then loads the thumbnail from it
// (CargarMiniatura). The parts are timed apart too, to see where it goes.
int Paginas(Punto mesa, const std::string& cache, int reps, const std::vector<const char*>& fotos) {
  EscribirDatosInicio(LeerDatosInicio(GetModuleHandleA(nullptr)));
  std::vector<std::string> bmps(fotos.size());
  for (size_t i = 0; i < fotos.size(); ++i)
    if (!Preparar(fotos[i], cache, &bmps[i])) return 1;

  WNDCLASSA clase{};
  clase.lpfnWndProc = ProcPadre;
  clase.hInstance = arranque.instancia;
  clase.lpszClassName = "BenchFotos";
  if (!RegisterClassA(&clase) || !RegistrarMiniaturas(arranque.instancia)) return 1;
  const HWND padre = CreateWindowExA(0, "BenchFotos", "", WS_POPUP, 0, 0, 640, 480, nullptr, nullptr,
                                     arranque.instancia, nullptr);
  std::vector<HWND> miniaturas;
  for (size_t i = 0; i < fotos.size(); ++i) miniaturas.push_back(CrearMiniatura(padre, static_cast<int>(i % kMiniaturas)));
  if (!padre || std::find(miniaturas.begin(), miniaturas.end(), nullptr) != miniaturas.end()) return 1;

  std::vector<double> pagina, preparar, cargar, leerArchivo, huella, abrirBmp, suavizar;
  for (int r = 0; r < reps; ++r) {
    for (HWND m : miniaturas) CargarMiniatura(m, nullptr);
    const double t0 = Ahora();
    double tPreparar = 0, tCargar = 0;
    for (size_t i = 0; i < fotos.size(); ++i) {
      const double a = Ahora();
      std::string bmp;
      if (!Preparar(fotos[i], cache, &bmp) || bmp != bmps[i]) return 1;
      const double b = Ahora();
      CargarMiniatura(miniaturas[i], bmp.c_str());
      const double c = Ahora();
      if (MiniaturaVacia(miniaturas[i])) return 1;
      tPreparar += b - a;
      tCargar += c - b;
    }
    pagina.push_back(Ahora() - t0);
    preparar.push_back(tPreparar);
    cargar.push_back(tCargar);

    // The same work in its parts, for the whole page each.
    double tLeer = 0, tHuella = 0, tAbrir = 0, tSuavizar = 0;
    for (size_t i = 0; i < fotos.size(); ++i) {
      const double a = Ahora();
      const HANDLE f = CreateFileW(Ancha(fotos[i]).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
      LARGE_INTEGER tamaño{};
      GetFileSizeEx(f, &tamaño);
      std::vector<uint8_t> bytes(static_cast<size_t>(tamaño.QuadPart));
      DWORD leidos = 0;
      const bool leido = ReadFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &leidos, nullptr);
      CloseHandle(f);
      const double b = Ahora();
      volatile uint64_t h = HuellaBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
      (void)h;
      const double c = Ahora();
      ArchivoBMP archivo;
      const bool abierto = archivo.Abrir(bmps[i].c_str());
      const double d = Ahora();
      ImagenEscalada imagen;
      const Punto t = archivo.Tamaño();
      const bool suavizada = abierto && imagen.LeerSuavizada(archivo, PictureThumbnailSize(t.x, t.y));
      const double e = Ahora();
      if (!leido || !suavizada) return 1;
      tLeer += b - a;
      tHuella += c - b;
      tAbrir += d - c;
      tSuavizar += e - d;
    }
    leerArchivo.push_back(tLeer);
    huella.push_back(tHuella);
    abrirBmp.push_back(tAbrir);
    suavizar.push_back(tSuavizar);
  }
  const std::string e = "_" + Etiqueta(mesa);
  Informar("page" + e, pagina);
  Informar("page_find_converted" + e, preparar);
  Informar("page_load_thumbnails" + e, cargar);
  Informar("page_part_read_photo" + e, leerArchivo);
  Informar("page_part_hash_photo" + e, huella);
  Informar("page_part_open_bmp" + e, abrirBmp);
  Informar("page_part_scale_bmp" + e, suavizar);
  DestroyWindow(padre);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string modo = argc > 1 ? argv[1] : "";
  int r = 2;
  if (modo == "anadir" && argc == 7) {
    r = Anadir(argv[2], {std::atoi(argv[3]), std::atoi(argv[4])}, argv[5], std::atoi(argv[6]));
  } else if (modo == "memoria" && argc == 6) {
    r = Memoria(argv[2], {std::atoi(argv[3]), std::atoi(argv[4])}, argv[5]);
  } else if (modo == "paginas" && argc >= 7) {
    r = Paginas({std::atoi(argv[2]), std::atoi(argv[3])}, argv[4], std::atoi(argv[5]),
                std::vector<const char*>(argv + 6, argv + argc));
  } else {
    std::fprintf(stderr, "usage: bench_fotos anadir|memoria|paginas ... (see the source)\n");
  }
  std::fflush(stdout);
  std::fflush(stderr);
  // As the window tests do: no library exit code to hold the loader.
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(r));
  return r;
}
