#include "Records.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "ArchivoDisco.h"
#include "Binario.h"

namespace {

constexpr char kFirma[9] = {'O', 'v', 'R', 'e', 'c', 'o', 'r', 'd', 's'};
// The marks of the ten rows fit the first two of the three bytes after the
// signature; the rest are read as nothing and written as zero.
constexpr int kOffMarcas = 9;
constexpr int kOffCuenta = 12;

void NombrePorDefecto(char* nombre) {
  std::memset(nombre, '-', kTamNombreRecord - 1);
  nombre[kTamNombreRecord - 1] = 0;
}

}  // namespace

CuadroHonor CuadroPorDefecto() {
  CuadroHonor c{};
  std::memcpy(c.firma.data(), kFirma, sizeof kFirma);
  for (RegistroRecord& r : c.registros) {
    NombrePorDefecto(r.nombre);
    r.puntos = 0;
  }
  return c;
}

LecturaRecords InterpretarRecords(const uint8_t* datos, int64_t bytes, CuadroHonor* cuadro) {
  *cuadro = CuadroPorDefecto();
  if (!datos || bytes < kTamCabeceraRecords) return LecturaRecords::ilegible;
  if (LeerU32(datos + kOffCuenta) != kRecords) return LecturaRecords::ajeno;
  // Any magic is taken, as it always was.
  std::memcpy(cuadro->firma.data(), datos, 9);
  const uint16_t marcas = LeerU16(datos + kOffMarcas);
  const int64_t filas = std::min<int64_t>(kRecords, (bytes - kTamCabeceraRecords) / kTamRegistroRecord);
  for (int64_t i = 0; i < filas; ++i) {
    const uint8_t* p = datos + kTamCabeceraRecords + i * kTamRegistroRecord;
    RegistroRecord& r = cuadro->registros[static_cast<size_t>(i)];
    std::memcpy(r.nombre, p, kTamNombreRecord);
    r.nombre[kTamNombreRecord - 1] = 0;
    if (r.nombre[0] == 0) NombrePorDefecto(r.nombre);
    r.puntos = LeerI32(p + kTamNombreRecord);
    r.girada = (marcas >> i & 1) != 0;
  }
  return LecturaRecords::leido;
}

LecturaRecords LeerRecords(const char* ruta, CuadroHonor* cuadro) {
  *cuadro = CuadroPorDefecto();
  if (!ruta || !ExisteArchivo(ruta)) return LecturaRecords::sinArchivo;
  ArchivoDisco archivo;
  if (!archivo.AbrirLectura(ruta)) return LecturaRecords::ilegible;
  // A longer file is read as far as a roll goes.
  uint8_t datos[kTamArchivoRecords];
  int64_t leidos = 0;
  while (leidos < kTamArchivoRecords) {
    const int64_t n = archivo.Leer(datos + leidos, kTamArchivoRecords - leidos);
    if (n < 0) return LecturaRecords::ilegible;
    if (n == 0) break;
    leidos += n;
  }
  archivo.Cerrar();
  const LecturaRecords r = InterpretarRecords(datos, leidos, cuadro);
  if (r == LecturaRecords::ajeno) BorrarArchivo(ruta);
  return r;
}

std::array<uint8_t, kTamArchivoRecords> BytesRecords(const CuadroHonor& cuadro) {
  std::array<uint8_t, kTamArchivoRecords> b{};
  std::memcpy(b.data(), cuadro.firma.data(), 9);
  EscribirU32(b.data() + kOffCuenta, kRecords);
  uint16_t marcas = 0;
  for (int i = 0; i < kRecords; ++i) {
    const RegistroRecord& r = cuadro.registros[static_cast<size_t>(i)];
    uint8_t* p = b.data() + kTamCabeceraRecords + i * kTamRegistroRecord;
    std::memcpy(p, r.nombre, kTamNombreRecord);
    EscribirI32(p + kTamNombreRecord, r.puntos);
    if (r.girada) marcas = static_cast<uint16_t>(marcas | 1u << i);
  }
  EscribirU16(b.data() + kOffMarcas, marcas);
  return b;
}

bool EscribirRecords(const char* ruta, const CuadroHonor& cuadro) {
  const auto b = BytesRecords(cuadro);
  return EscribirArchivoEntero(ruta, b.data(), static_cast<int64_t>(b.size()));
}

int PosicionRecord(const CuadroHonor& cuadro, int32_t puntos) {
  int posicion = kRecords;
  while (posicion > 0 && puntos > cuadro.registros[static_cast<size_t>(posicion - 1)].puntos) --posicion;
  return posicion;
}

void InsertarRecord(CuadroHonor* cuadro, int posicion, int32_t puntos, const char* nombre, bool girada) {
  if (posicion < 0 || posicion >= kRecords || !nombre) return;
  for (int i = kRecords - 1; i > posicion; --i)
    cuadro->registros[static_cast<size_t>(i)] = cuadro->registros[static_cast<size_t>(i - 1)];
  RegistroRecord& r = cuadro->registros[static_cast<size_t>(posicion)];
  r.puntos = puntos;
  r.girada = girada;
  const size_t largo = std::min<size_t>(std::strlen(nombre), kTamNombreRecord - 1);
  std::memcpy(r.nombre, nombre, largo);
  r.nombre[largo] = 0;
}
