#include "Configuracion.h"

#include <windows.h>

#include "ArchivoDisco.h"
#include "Globales.h"

namespace {
constexpr const char* kSeccion = kSeccionConfiguracion;
// A settings file larger than this is no file of the game's: never rewritten.
constexpr int64_t kTamMaximo = 64 * 1024;
constexpr char kClavePista[] = "Track";
constexpr char kClaveIdioma[] = "Idioma";
constexpr char kClaveFantasma[] = "Ghost";
constexpr char kClaveGiradas[] = "Turned";
// The buffer the values are read into: longer texts arrive cut.
constexpr int kLargoValor = 6;

// A one-digit value as the file keeps it, the file's other lines kept.
// One that is there but cannot be read whole is left alone.
bool GuardarDigito(const char* clave, int32_t valor) {
  const std::string ruta = RutaConfiguracion();
  std::string texto;
  ArchivoDisco archivo;
  if (archivo.AbrirLectura(ruta.c_str())) {
    const int64_t tamaño = archivo.Tamaño();
    if (tamaño < 0 || tamaño > kTamMaximo) return false;
    texto.resize(static_cast<size_t>(tamaño));
    if (!archivo.LeerExacto(texto.data(), tamaño)) return false;
    archivo.Cerrar();
  } else if (ExisteArchivo(ruta.c_str())) {
    return false;
  }
  const char digito[2] = {static_cast<char>('0' + valor), 0};
  texto = PonerValorIni(std::move(texto), kSeccion, clave, digito);
  return EscribirArchivoEntero(ruta.c_str(), texto.data(), static_cast<int64_t>(texto.size()));
}
}  // namespace

std::string RutaConfiguracion() { return RutaDatos(kArchivoConfiguracion); }

int32_t LeerPistaConfigurada() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClavePista, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return PistaDeTexto(texto);
}

bool GuardarPista(int32_t pista) { return GuardarDigito(kClavePista, pista >= 0 && pista <= 4 ? pista : 0); }

int32_t LeerIdiomaConfigurado() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClaveIdioma, "", texto, sizeof texto, RutaConfiguracion().c_str());
  return IdiomaDeTexto(texto);
}

bool GuardarIdioma(int32_t idiomaElegido) {
  return GuardarDigito(kClaveIdioma, idiomaElegido >= 0 && idiomaElegido < kIdiomas ? idiomaElegido : kIdiomaInicial);
}

bool LeerFantasmaConfigurado() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClaveFantasma, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return FantasmaDeTexto(texto);
}

bool GuardarFantasma(bool visible) { return GuardarDigito(kClaveFantasma, visible ? 1 : 0); }

bool LeerGiradasConfigurado() {
  char texto[kLargoValor] = "";
  GetPrivateProfileStringA(kSeccion, kClaveGiradas, "0", texto, sizeof texto, RutaConfiguracion().c_str());
  return GiradasDeTexto(texto);
}

bool GuardarGiradas(bool giradas) { return GuardarDigito(kClaveGiradas, giradas ? 1 : 0); }
