#include "ListaArchivos.h"

#include <cstdlib>
#include <cstring>

#include "ArchivoDisco.h"

namespace {
constexpr int32_t kPasoBloque = 50;
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
