#include "ReglasArchivo.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

char Mayuscula(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool Igual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Mayuscula(a[i]) != Mayuscula(b[i])) return false;
  return true;
}

// The system takes these for devices in every folder, whatever extension
// follows and with the spaces before it dropped: "con  .epf" is the
// console. (A name with a dot never gets here.)
bool Dispositivo(const char* nombre) {
  std::string_view base(nombre);
  while (!base.empty() && base.back() == ' ') base.remove_suffix(1);
  for (std::string_view d : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (Igual(base, d)) return true;
  if (base.size() != 4 || !(Igual(base.substr(0, 3), "COM") || Igual(base.substr(0, 3), "LPT"))) return false;
  // Digits 1-9, and the superscripts 1, 2 and 3 of the Windows-1252 page.
  const unsigned char n = static_cast<unsigned char>(base[3]);
  return (n >= '1' && n <= '9') || n == 0xB9 || n == 0xB2 || n == 0xB3;
}

}  // namespace

bool CaracterVetadoNombre(unsigned char c) { return c != 0 && std::strchr("\"*./:<>?\\|", c) != nullptr; }

NombreGuardado ComprobarNombreGuardado(const char* nombre) {
  if (!nombre || !*nombre) return NombreGuardado::vacio;
  bool soloEspacios = true;
  for (const char* p = nombre; *p; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c < 32 || CaracterVetadoNombre(c)) return NombreGuardado::invalido;
    if (c != ' ') soloEspacios = false;
  }
  if (soloEspacios || Dispositivo(nombre)) return NombreGuardado::invalido;
  return NombreGuardado::valido;
}

std::string EtiquetaArchivo(const char* nombre) {
  if (!nombre) return {};
  return std::string(nombre, std::strcspn(nombre, "."));
}

int32_t SeleccionValida(int32_t seleccion, int32_t cantidad) {
  if (cantidad <= 0) return -1;
  return std::clamp(seleccion, 0, cantidad - 1);
}

bool HayDesplazadorArchivos(int32_t cantidad) { return cantidad > kRanurasArchivo; }

int32_t MinimoDesplazadorArchivos(int32_t cantidad) { return std::min(0, kRanurasArchivo - cantidad); }

int32_t ValorDesplazadorArchivos(int32_t valor, int32_t cantidad) {
  return std::clamp(valor, MinimoDesplazadorArchivos(cantidad), 0);
}
