// The resource archive (Tessera.rf): every picture of the program, asked
// for by number. One archive per process, opened at start-up.
//
//   blocks         one per picture: 40-byte info header, biClrUsed RGBQUAD
//                  entries, biSizeImage bytes of bottom-up rows
//   directory      N entries of 16 bytes: number u32, reserved u32 (the
//                  block length), block offset u64
//   last 4 bytes   N, u32
//
// All integers little-endian.
#pragma once

#include <cstdint>
#include <span>

#include "Binario.h"
#include "HImage.h"

constexpr int kTamEntradaRecursos = 16;
// The lookup index is 16 bits wide: entries past this many are never found.
constexpr uint32_t kMaxEntradasRecursos = 65535;

// Opens the archive and reads its directory. A missing or unreadable file is
// reported on the debug output and gives false; opening twice is a
// programming error.
bool AbrirArchivoRecursos(const char* ruta);
void CerrarArchivoRecursos();
bool ArchivoRecursosAbierto();

// Reads picture `numero` into a new HIMAGE (the caller frees it). False,
// reported on the debug output, when the archive does not hold it, its data
// is damaged or there is no memory; asking with no archive open is a
// programming error.
bool LeerImagenRecursos(uint32_t numero, HIMAGE* nueva);

// Called when the open archive cannot give a picture asked for: a number
// it lacks, or a block damaged or unreadable since the start-up check; not
// when memory runs out. Null, the default, calls nothing.
using AvisoArchivoDañado = void (*)(uint32_t numero);
void AvisarArchivoDañado(AvisoArchivoDañado aviso);

// The start-up check of the open archive, cheap enough for every start:
// each reachable entry's header keeps the rules below and every number of
// `necesarios` is held. The first fault is reported on the debug output
// and gives false. Damage inside a picture's rows is not seen.
bool ComprobarArchivoRecursos(std::span<const uint32_t> necesarios);

// The numbers of the reachable entries, in directory order: copies at most
// `max` of them and returns how many there are.
int32_t NumerosArchivoRecursos(uint32_t* destino, int32_t max);

// The rules every stored picture keeps: nullptr when the header at
// `desplazamiento` is acceptable and its block ends by `finDatos` (the start
// of the directory), otherwise a short reason. Shared with the archive tool.
const char* ValidarCabeceraRecurso(const CabeceraInfoBMP& cabecera, uint64_t desplazamiento, uint64_t finDatos);

// Row stride of a stored picture (8 or 24 bits per pixel), in 64 bits.
inline int64_t StrideRecurso(int64_t ancho, int bits) { return bits == 8 ? (ancho + 3) & ~3LL : (3 * ancho + 3) & ~3LL; }
