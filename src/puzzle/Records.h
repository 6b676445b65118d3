// The honour roll: the ten best scores with their players' names, kept in
// Records.ovr (296 bytes: a 16-byte header, ten 28-byte records, best
// first; among equal scores the older entry first). The header's three
// bytes after the signature mark the rows won with turned pieces: bit k
// (little-endian) for row k; the bits past the tenth are always zero.
#pragma once

#include <array>
#include <cstdint>

constexpr int kRecords = 10;
constexpr int kTamNombreRecord = 24;  // NUL included
constexpr int kTamCabeceraRecords = 16;
constexpr int kTamRegistroRecord = 28;
constexpr int kTamArchivoRecords = kTamCabeceraRecords + kRecords * kTamRegistroRecord;
static_assert(kTamArchivoRecords == 296);

struct RegistroRecord {
  char nombre[kTamNombreRecord];  // NUL-terminated; the bytes after it are kept as they are
  int32_t puntos;
  bool girada = false;  // won with turned pieces
};

struct CuadroHonor {
  std::array<char, 9> firma;  // "OvRecords", no terminator
  std::array<RegistroRecord, kRecords> registros;
};

// Ten rows of 23 dashes and 0 points.
CuadroHonor CuadroPorDefecto();

enum class LecturaRecords {
  leido,      // the file's roll
  sinArchivo, // no file: the default roll
  ilegible,   // could not be opened or read: the default roll, file left alone
  ajeno,      // read whole but its count is not 10: the default roll; delete it
};
// Reads the roll from the file's bytes. A name without its NUL is cut at 23
// characters and an empty one becomes the dashes; a file shorter than 296
// bytes keeps the rows it holds and the default for the rest. Marks for
// rows past the tenth or past the file's end are dropped.
LecturaRecords InterpretarRecords(const uint8_t* datos, int64_t bytes, CuadroHonor* cuadro);
// The file at `ruta`; a foreign one is deleted.
LecturaRecords LeerRecords(const char* ruta, CuadroHonor* cuadro);

// The file's 296 bytes.
std::array<uint8_t, kTamArchivoRecords> BytesRecords(const CuadroHonor& cuadro);
// Writes the whole file through a temporary one; false leaves the old file.
bool EscribirRecords(const char* ruta, const CuadroHonor& cuadro);

// Where `puntos` would enter: below every record with as many or more
// points; kRecords when it earns no place.
int PosicionRecord(const CuadroHonor& cuadro, int32_t puntos);
// Shifts the rows from `posicion` down one (the last one drops out) and
// writes the new entry there: `nombre` with its NUL over the start of the
// name field, at most 23 characters. The marks move with their rows.
void InsertarRecord(CuadroHonor* cuadro, int posicion, int32_t puntos, const char* nombre, bool girada = false);
