#include "CarpetaDatos.h"

std::string ElegirCarpetaDatos(const std::string& programa, const std::string& usuario,
                               bool (*escribible)(const char* carpeta)) {
  if (usuario.empty()) return programa;
  if (ExisteArchivo((programa + kMarcaInstalacion).c_str())) return usuario;
  return escribible(programa.c_str()) ? programa : usuario;
}
