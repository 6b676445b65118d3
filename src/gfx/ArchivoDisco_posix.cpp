#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "ArchivoDisco.h"

namespace {

std::string RutaNativa(const char* ruta) {
  std::string r(ruta);
  for (char& c : r)
    if (c == '\\') c = '/';
  return r;
}

FILE* F(void* m) { return static_cast<FILE*>(m); }

}  // namespace

ArchivoDisco::ArchivoDisco(ArchivoDisco&& otro) noexcept : manejador_(std::exchange(otro.manejador_, nullptr)) {}

ArchivoDisco& ArchivoDisco::operator=(ArchivoDisco&& otro) noexcept {
  if (this != &otro) {
    Cerrar();
    manejador_ = std::exchange(otro.manejador_, nullptr);
  }
  return *this;
}

bool ArchivoDisco::AbrirLectura(const char* ruta, bool /*compartir*/) {
  Cerrar();
  if (!ruta) return false;
  std::string r = RutaNativa(ruta);
  struct stat st;
  if (stat(r.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  manejador_ = std::fopen(r.c_str(), "rb");
  return manejador_ != nullptr;
}

bool ArchivoDisco::Crear(const char* ruta) {
  Cerrar();
  if (!ruta) return false;
  manejador_ = std::fopen(RutaNativa(ruta).c_str(), "wb");
  return manejador_ != nullptr;
}

void ArchivoDisco::Cerrar() {
  if (manejador_) std::fclose(F(manejador_));
  manejador_ = nullptr;
}

int64_t ArchivoDisco::Leer(void* destino, int64_t bytes) {
  if (!manejador_ || bytes < 0) return -1;
  if (bytes == 0) return 0;
  size_t n = std::fread(destino, 1, static_cast<size_t>(bytes), F(manejador_));
  if (n == 0 && std::ferror(F(manejador_))) return -1;
  return static_cast<int64_t>(n);
}

bool ArchivoDisco::Escribir(const void* origen, int64_t bytes) {
  if (!manejador_ || bytes < 0) return false;
  if (bytes == 0) return true;
  return std::fwrite(origen, 1, static_cast<size_t>(bytes), F(manejador_)) == static_cast<size_t>(bytes) &&
         std::fflush(F(manejador_)) == 0;
}

bool ArchivoDisco::Sincronizar() {
  return manejador_ && std::fflush(F(manejador_)) == 0 && fsync(fileno(F(manejador_))) == 0;
}

bool ArchivoDisco::Posicionar(int64_t desplazamiento, Origen origen) {
  if (!manejador_) return false;
  int desde = origen == Origen::Inicio ? SEEK_SET : origen == Origen::Actual ? SEEK_CUR : SEEK_END;
  return fseeko(F(manejador_), static_cast<off_t>(desplazamiento), desde) == 0;
}

int64_t ArchivoDisco::Posicion() const {
  if (!manejador_) return -1;
  return static_cast<int64_t>(ftello(F(manejador_)));
}

int64_t ArchivoDisco::Tamaño() const {
  if (!manejador_) return -1;
  struct stat st;
  if (fstat(fileno(F(manejador_)), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool ExisteArchivo(const char* ruta) {
  struct stat st;
  return ruta && stat(RutaNativa(ruta).c_str(), &st) == 0;
}

bool CarpetaEscribible(const char* carpeta) {
  if (!carpeta) return false;
  std::string prueba = RutaNativa(carpeta);
  if (!prueba.empty() && prueba.back() != '/') prueba += '/';
  prueba += "tessera-XXXXXX";
  const int f = mkstemp(prueba.data());
  if (f < 0) return false;
  close(f);
  unlink(prueba.c_str());
  return true;
}

bool BorrarArchivo(const char* ruta) { return ruta && unlink(RutaNativa(ruta).c_str()) == 0; }

bool ReemplazarArchivo(const char* origen, const char* destino) {
  if (!origen || !destino) return false;
  const std::string nuevo = RutaNativa(destino);
  if (std::rename(RutaNativa(origen).c_str(), nuevo.c_str()) != 0) return false;
  // The rename lives in the folder: flushed too, as Windows' write-through
  // move does. Not every file system can flush a folder, and the file is in
  // its place by now, so a refusal changes nothing of the outcome.
  const size_t barra = nuevo.rfind('/');
  const std::string carpeta = barra == std::string::npos ? "." : barra == 0 ? "/" : nuevo.substr(0, barra);
  const int d = open(carpeta.c_str(), O_RDONLY | O_DIRECTORY);
  if (d >= 0) {
    fsync(d);
    close(d);
  }
  return true;
}

bool RecorrerArchivos(const char* patron, const std::function<bool(const char* nombre)>& visitar) {
  if (!patron) return false;
  std::string p = RutaNativa(patron);
  std::string carpeta = ".", mascara = p;
  size_t barra = p.rfind('/');
  if (barra != std::string::npos) {
    carpeta = barra == 0 ? "/" : p.substr(0, barra);
    mascara = p.substr(barra + 1);
  }
  DIR* d = opendir(carpeta.c_str());
  if (!d) return false;
  // Sorted, so that runs on different file systems list alike.
  std::vector<std::string> nombres;
  while (dirent* e = readdir(d)) {
    if (fnmatch(mascara.c_str(), e->d_name, FNM_CASEFOLD) == 0) nombres.emplace_back(e->d_name);
  }
  closedir(d);
  if (nombres.empty()) return false;
  std::sort(nombres.begin(), nombres.end());
  for (const std::string& n : nombres)
    if (!visitar(n.c_str())) break;
  return true;
}
