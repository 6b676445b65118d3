// ArchivoDisco: the small file class the readers and writers sit on.
// Windows handles on Win32, standard files elsewhere (where a '\' in a path
// is taken as '/', so the program's own paths work on both).
#pragma once

#include <cstdint>
#include <functional>

class ArchivoDisco {
 public:
  enum class Origen { Inicio, Actual, Fin };

  ArchivoDisco() = default;
  ~ArchivoDisco() { Cerrar(); }
  ArchivoDisco(ArchivoDisco&& otro) noexcept;
  ArchivoDisco& operator=(ArchivoDisco&& otro) noexcept;
  ArchivoDisco(const ArchivoDisco&) = delete;
  ArchivoDisco& operator=(const ArchivoDisco&) = delete;

  // Opens an existing file for reading; `compartir` lets others read it too.
  bool AbrirLectura(const char* ruta, bool compartir = true);
  // Creates (or empties) a file for writing.
  bool Crear(const char* ruta);
  void Cerrar();
  bool Abierto() const { return manejador_ != nullptr; }

  // Bytes actually read (0 at the end), -1 on an error.
  int64_t Leer(void* destino, int64_t bytes);
  // True only when exactly `bytes` were read.
  bool LeerExacto(void* destino, int64_t bytes) { return bytes >= 0 && Leer(destino, bytes) == bytes; }
  bool Escribir(const void* origen, int64_t bytes);
  // Waits until what was written is on the disk itself, past the system's
  // caches; false when it cannot be brought there.
  bool Sincronizar();
  bool Posicionar(int64_t desplazamiento, Origen origen = Origen::Inicio);
  int64_t Posicion() const;
  int64_t Tamaño() const;  // -1 when unknown

 private:
  void* manejador_ = nullptr;  // HANDLE or FILE*
};

bool ExisteArchivo(const char* ruta);
// Whether a new file can be made in `carpeta`: one of a fresh name is
// created there and deleted again; nothing already there is touched.
bool CarpetaEscribible(const char* carpeta);
bool BorrarArchivo(const char* ruta);
// Puts `origen` in the place of `destino`, replacing it in one step that is
// on the disk when it returns.
bool ReemplazarArchivo(const char* origen, const char* destino);
// Writes `bytes` into `ruta` through a temporary file beside it that
// replaces the old file only once it is whole and on the disk: a failed
// write (or flush) leaves the old file as it was (and no temporary file).
bool EscribirArchivoEntero(const char* ruta, const void* datos, int64_t bytes);

// Calls `visitar` with each file name (no folder) matching a search pattern
// such as "C:\dir\*.bmp", in the order the system gives them; stops early
// when `visitar` returns false. Returns false when nothing matched.
bool RecorrerArchivos(const char* patron, const std::function<bool(const char* nombre)>& visitar);
