#include "Configuracion.h"

#include <windows.h>

#include "Globales.h"

namespace {
constexpr char kSeccion[] = "Tessera";
constexpr char kClavePista[] = "Track";
}  // namespace

std::string RutaConfiguracion() { return std::string(directorioPrograma.Data()) + "Tessera.ini"; }

int32_t PistaDeTexto(const char* texto) {
  const int32_t pista = texto ? texto[0] - '0' : 0;
  return pista >= 0 && pista <= 4 ? pista : 0;
}

int32_t LeerPistaConfigurada() {
  char texto[6] = "";
  GetPrivateProfileStringA(kSeccion, kClavePista, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return PistaDeTexto(texto);
}

void GuardarPista(int32_t pista) {
  const char texto[2] = {static_cast<char>('0' + (pista >= 0 && pista <= 4 ? pista : 0)), 0};
  WritePrivateProfileStringA(kSeccion, kClavePista, texto, RutaConfiguracion().c_str());
}
