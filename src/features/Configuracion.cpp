#include "Configuracion.h"

#include <windows.h>

#include "Globales.h"

namespace {
constexpr char kSeccion[] = "Tessera";
constexpr char kClavePista[] = "Track";
constexpr char kClaveIdioma[] = "Idioma";
constexpr char kClaveFantasma[] = "Ghost";
// The buffer the values are read into: longer texts arrive cut.
constexpr int kLargoValor = 6;

// A one-digit value as the file keeps it.
void GuardarDigito(const char* clave, int32_t valor) {
  const char texto[2] = {static_cast<char>('0' + valor), 0};
  WritePrivateProfileStringA(kSeccion, clave, texto, RutaConfiguracion().c_str());
}
}  // namespace

std::string RutaConfiguracion() { return RutaDatos(kArchivoConfiguracion); }

int32_t LeerPistaConfigurada() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClavePista, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return PistaDeTexto(texto);
}

void GuardarPista(int32_t pista) { GuardarDigito(kClavePista, pista >= 0 && pista <= 4 ? pista : 0); }

int32_t LeerIdiomaConfigurado() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClaveIdioma, "", texto, sizeof texto, RutaConfiguracion().c_str());
  return IdiomaDeTexto(texto);
}

void GuardarIdioma(int32_t idiomaElegido) {
  GuardarDigito(kClaveIdioma, idiomaElegido >= 0 && idiomaElegido < kIdiomas ? idiomaElegido : kIdiomaInicial);
}

bool LeerFantasmaConfigurado() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClaveFantasma, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return FantasmaDeTexto(texto);
}

void GuardarFantasma(bool visible) { GuardarDigito(kClaveFantasma, visible ? 1 : 0); }
