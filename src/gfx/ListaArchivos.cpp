#include "ListaArchivos.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "ArchivoDisco.h"

namespace {
constexpr int32_t kPasoBloque = 50;

// The digits of a name before its first '.', when that is all it holds
// (leading zeros dropped; empty otherwise).
std::string_view Numero(const char* nombre) {
  const char* fin = nombre;
  while (*fin >= '0' && *fin <= '9') ++fin;
  if (fin == nombre || (*fin != '.' && *fin != 0)) return {};
  while (nombre + 1 < fin && *nombre == '0') ++nombre;
  return {nombre, static_cast<size_t>(fin - nombre)};
}

char Minuscula(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
}  // namespace

bool MenorNatural(const char* a, const char* b) {
  const std::string_view na = Numero(a), nb = Numero(b);
  if (!na.empty() != !nb.empty()) return !na.empty();
  // Equal numbers of any length compare by digits once the lengths agree.
  if (!na.empty() && na != nb) return na.size() != nb.size() ? na.size() < nb.size() : na < nb;
  for (; *a && *b; ++a, ++b) {
    const char x = Minuscula(*a), y = Minuscula(*b);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (*a || *b) return *b != 0;
  return false;
}

ListaArchivos::~ListaArchivos() { std::free(bloque_); }

bool ListaArchivos::Agregar(const char* nombre, int32_t* usado) {
  size_t largo = std::strlen(nombre);
  if (largo > static_cast<size_t>(kNombreMaximo)) return false;
  int32_t registro = static_cast<int32_t>(largo) + 2;
  // Room for this record and the closing byte, with the usual slack.
  while (capacidad_ < *usado + registro + 4) {
    auto* mayor = static_cast<uint8_t*>(std::realloc(bloque_, capacidad_ + kPasoBloque));
    if (!mayor) return false;
    bloque_ = mayor;
    capacidad_ += kPasoBloque;
  }
  uint8_t* p = bloque_ + *usado;
  p[0] = static_cast<uint8_t>(registro);
  std::memcpy(p + 1, nombre, largo);
  p[1 + largo] = 0;
  *usado += registro;
  ++cantidad_;
  return true;
}

bool ListaArchivos::Buscar(const char* patron) {
  cantidad_ = 0;
  cargada_ = false;
  if (!bloque_) {
    bloque_ = static_cast<uint8_t*>(std::malloc(kPasoBloque));
    if (!bloque_) return false;
    capacidad_ = kPasoBloque;
  }
  int32_t usado = 0;
  bool bien = true;
  bool alguno = RecorrerArchivos(patron, [&](const char* nombre) {
    bien = Agregar(nombre, &usado);
    return bien;
  });
  if (!alguno || !bien) {
    cantidad_ = 0;
    return false;
  }
  bloque_[usado] = 0;
  cargada_ = true;
  return true;
}

int32_t ListaArchivos::Nombre(int32_t indice, bool sinExtension, char* buffer, int32_t tamaño) const {
  if (!cargada_ || indice < 0 || indice >= cantidad_ || !buffer || tamaño < 2) {
    if (buffer && tamaño > 0) buffer[0] = 0;
    return 0;
  }
  const uint8_t* p = bloque_;
  for (int32_t i = 0; i < indice; ++i) p += p[0];
  int32_t largo = p[0] - 2;
  const char* nombre = reinterpret_cast<const char*>(p + 1);
  int32_t copiar = largo < tamaño - 1 ? largo : tamaño - 1;
  int32_t n = 0;
  for (; n < copiar; ++n) {
    if (sinExtension && nombre[n] == '.') break;
    buffer[n] = nombre[n];
  }
  buffer[n] = 0;
  return p[0];
}

void ListaArchivos::OrdenarNatural() {
  if (!cargada_ || cantidad_ < 2) return;
  std::vector<std::string> nombres;
  nombres.reserve(static_cast<size_t>(cantidad_));
  const uint8_t* p = bloque_;
  for (int32_t i = 0; i < cantidad_; ++i, p += p[0]) nombres.emplace_back(reinterpret_cast<const char*>(p + 1));
  std::stable_sort(nombres.begin(), nombres.end(),
                   [](const std::string& a, const std::string& b) { return MenorNatural(a.c_str(), b.c_str()); });
  // Same records, same total length: rewritten in place.
  uint8_t* q = bloque_;
  for (const std::string& n : nombres) {
    q[0] = static_cast<uint8_t>(n.size() + 2);
    std::memcpy(q + 1, n.c_str(), n.size() + 1);
    q += q[0];
  }
}
