// The parts of ArchivoDisco that are the same on every system.
#include "ArchivoDisco.h"

#include <string>

bool EscribirArchivoEntero(const char* ruta, const void* datos, int64_t bytes) {
  if (!ruta || bytes < 0) return false;
  const std::string temporal = std::string(ruta) + ".tmp";
  ArchivoDisco archivo;
  if (!archivo.Crear(temporal.c_str())) return false;
  // Flushed before the rename: otherwise, after a power cut, the new name
  // can stand for a file whose data never reached the disk.
  const bool escrito = archivo.Escribir(datos, bytes) && archivo.Sincronizar();
  archivo.Cerrar();
  if (!escrito || !ReemplazarArchivo(temporal.c_str(), ruta)) {
    BorrarArchivo(temporal.c_str());
    return false;
  }
  return true;
}
