#include <windows.h>

#include <algorithm>
#include <utility>

#include "ArchivoDisco.h"
#include "ObjetosGDI.h"

namespace {
HANDLE H(void* m) { return static_cast<HANDLE>(m); }
}  // namespace

ArchivoDisco::ArchivoDisco(ArchivoDisco&& otro) noexcept : manejador_(std::exchange(otro.manejador_, nullptr)) {}

ArchivoDisco& ArchivoDisco::operator=(ArchivoDisco&& otro) noexcept {
  if (this != &otro) {
    Cerrar();
    manejador_ = std::exchange(otro.manejador_, nullptr);
  }
  return *this;
}

bool ArchivoDisco::AbrirLectura(const char* ruta, bool compartir) {
  Cerrar();
  if (!ruta) return false;
  HANDLE h = CreateFileA(ruta, GENERIC_READ, compartir ? FILE_SHARE_READ : 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  // Only files on disk: a name from a saved game must not open a device or a pipe.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return false;
  }
  manejador_ = h;
  return true;
}

bool ArchivoDisco::Crear(const char* ruta) {
  Cerrar();
  if (!ruta) return false;
  HANDLE h = CreateFileA(ruta, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  manejador_ = h;
  return true;
}

void ArchivoDisco::Cerrar() {
  if (manejador_) CloseHandle(H(manejador_));
  manejador_ = nullptr;
}

int64_t ArchivoDisco::Leer(void* destino, int64_t bytes) {
  if (!manejador_ || bytes < 0) return -1;
  int64_t total = 0;
  auto* p = static_cast<char*>(destino);
  while (total < bytes) {
    DWORD pedir = static_cast<DWORD>(std::min<int64_t>(bytes - total, 1 << 30));
    DWORD leidos = 0;
    if (!ReadFile(H(manejador_), p + total, pedir, &leidos, nullptr)) return total ? total : -1;
    if (leidos == 0) break;
    total += leidos;
  }
  return total;
}

bool ArchivoDisco::Escribir(const void* origen, int64_t bytes) {
  if (!manejador_ || bytes < 0) return false;
  int64_t total = 0;
  auto* p = static_cast<const char*>(origen);
  while (total < bytes) {
    DWORD pedir = static_cast<DWORD>(std::min<int64_t>(bytes - total, 1 << 30));
    DWORD escritos = 0;
    if (!WriteFile(H(manejador_), p + total, pedir, &escritos, nullptr) || escritos == 0) return false;
    total += escritos;
  }
  return true;
}

bool ArchivoDisco::Sincronizar() { return manejador_ && FlushFileBuffers(H(manejador_)) != 0; }

bool ArchivoDisco::Posicionar(int64_t desplazamiento, Origen origen) {
  if (!manejador_) return false;
  LARGE_INTEGER d;
  d.QuadPart = desplazamiento;
  DWORD desde = origen == Origen::Inicio ? FILE_BEGIN : origen == Origen::Actual ? FILE_CURRENT : FILE_END;
  return SetFilePointerEx(H(manejador_), d, nullptr, desde) != 0;
}

int64_t ArchivoDisco::Posicion() const {
  if (!manejador_) return -1;
  LARGE_INTEGER cero{}, pos{};
  if (!SetFilePointerEx(H(manejador_), cero, &pos, FILE_CURRENT)) return -1;
  return pos.QuadPart;
}

int64_t ArchivoDisco::Tamaño() const {
  if (!manejador_) return -1;
  LARGE_INTEGER t{};
  if (!GetFileSizeEx(H(manejador_), &t)) return -1;
  return t.QuadPart;
}

bool ExisteArchivo(const char* ruta) { return ruta && GetFileAttributesA(ruta) != INVALID_FILE_ATTRIBUTES; }

bool CarpetaEscribible(const char* carpeta) {
  char prueba[MAX_PATH];
  // The system picks a name no file has and creates it.
  if (!carpeta || GetTempFileNameA(carpeta, "tes", 0, prueba) == 0) return false;
  DeleteFileA(prueba);
  return true;
}

bool BorrarArchivo(const char* ruta) { return ruta && DeleteFileA(ruta) != 0; }

bool ReemplazarArchivo(const char* origen, const char* destino) {
  return origen && destino && MoveFileExA(origen, destino, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RecorrerArchivos(const char* patron, const std::function<bool(const char* nombre)>& visitar) {
  if (!patron) return false;
  WIN32_FIND_DATAA datos;
  const BusquedaArchivos busqueda(FindFirstFileA(patron, &datos));
  if (!busqueda) return false;
  do {
    if (!visitar(datos.cFileName)) break;
  } while (FindNextFileA(busqueda.Get(), &datos));
  return true;
}
