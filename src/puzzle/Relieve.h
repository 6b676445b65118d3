// The relief of the pieces: a bevel along each piece's cut, lit from the
// top left, and a soft shadow under each piece, cast down and right onto
// whatever lies below it. Both follow the groups: along a side where a
// piece lies joined to its neighbour there is neither bevel nor shadow, so
// a group shows its outer edge only and a finished puzzle is the picture.
//
// The bevel is baked once per cut into puzzle.bevel, a byte per sheet
// pixel; the compositor reads it with the colours. The shadows are worked
// out per piece when it is first drawn in a given group.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The relief's measures for the puzzle's cell size.
struct MedidasRelieve {
  int32_t bisel = 0;   // bevel width
  int32_t desvio = 0;  // shadow offset, right and down
  int32_t radio = 0;   // shadow blur radius (two box passes each way)
  // How far a shadow reaches beyond the piece's box on each side.
  int32_t izquierda = 0, arriba = 0, derecha = 0, abajo = 0;
};

// `levantada`: the larger, softer shadow of a piece lifted by the pointer.
MedidasRelieve Relieve(bool levantada = false);

// The relief is on unless turned off (a flat look for comparisons). A
// change makes the compositor read the pieces again; boards are not
// redrawn.
void ActivarRelieve(bool activo);
bool RelieveActivo();
// Whether the puzzle on the table is drawn with relief: on, and its bevel
// baked.
bool RelieveEnUso();

// Bevel byte: bits 0-2 the strength (1-7), bit 3 shade (else light),
// bits 4-7 where the cut lies: 1-8 towards neighbour k - 1 (see
// UnionesPieza), 9 towards no piece at all. 0: no bevel.
constexpr int kBiselFuera = 9;

// Works out puzzle.bevel from the sheet's coverage. Without memory for it
// the pieces stay flat.
void HornearBisel();
// The bevel of piece i as it shows at `turn` (lit from the top left of the
// screen all the same): its box's rows from the top into `destino`, each
// `paso` bytes after the last.
void BiselPieza(int32_t i, int turn, uint8_t* destino, int64_t paso);

// Bit k set: the k-th of the eight cells around `piece` (row by row from
// the top left, the piece's own skipped) holds a piece of its group.
uint8_t UnionesPieza(int32_t piece);

// A piece colour (blue, green, red) with its bevel byte, for a piece with
// joins `uniones`.
inline void AplicarBisel(uint8_t bisel, uint8_t uniones, uint8_t* bgr) {
  const int lado = bisel >> 4;
  if (lado == 0 || (lado <= 8 && (uniones >> (lado - 1) & 1))) return;
  const uint32_t fuerza = bisel & 7;
  if (bisel & 8) {
    const uint32_t k = 256 - fuerza * 14;  // down to 62 % of the colour
    for (int c = 0; c < 3; ++c) bgr[c] = static_cast<uint8_t>(bgr[c] * k >> 8);
  } else {
    const uint32_t k = fuerza * 17;  // up to 46 % of the way to white
    for (int c = 0; c < 3; ++c) bgr[c] = static_cast<uint8_t>(bgr[c] + ((255u - bgr[c]) * k >> 8));
  }
}

// A piece's shadow: per row of its reach (box row - arriba onwards) the
// runs of pixels it darkens, in box columns, with the strength of each of
// their bytes (the part of the light taken away, over 256), three a pixel;
// each run's strengths are followed by kRellenoSombra zeros.
constexpr int32_t kRellenoSombra = 16;
struct TramoSombra {
  int32_t inicio, fin;
  uint32_t factor;  // offset of the run's first strength in `factores`
};
struct SombraPieza {
  int32_t filas = 0;               // rows of the reach
  std::vector<int32_t> primero;    // filas + 1: row r's runs are [primero[r], primero[r + 1])
  std::vector<TramoSombra> tramos;
  std::vector<uint8_t> factores;
};

// The shadow of `piece` as it lies with joins `uniones`: not over its own
// pixels nor its joined neighbours', and where two joined pieces would
// shade the same pixel only one of them does. Appends to `sombra`'s
// vectors, leaving earlier pieces' runs in place; returns the index of the
// piece's first row in `primero`. `turn`: the piece as it lies turned.
size_t CalcularSombra(int32_t piece, uint8_t uniones, bool levantada, SombraPieza& sombra, int turn = 0);

// d -= d x a / 256 for `n` bytes. With `entero`, whole blocks of 16 may be
// done: the bytes up to the next 16 past n are there to read and write,
// and their strengths are 0 (they come out as they were).
inline void Oscurecer(uint8_t* d, const uint8_t* a, int32_t n, bool entero) {
  int32_t i = 0;
#ifdef __SSE2__
  const __m128i cero = _mm_setzero_si128();
  for (; entero ? i < n : i + 16 <= n; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i bajo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(v, cero), _mm_unpacklo_epi8(k, cero)), 8);
    const __m128i alto = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(v, cero), _mm_unpackhi_epi8(k, cero)), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_sub_epi8(v, _mm_packus_epi16(bajo, alto)));
  }
#else
  (void)entero;
#endif
  for (; i < n; ++i) d[i] = static_cast<uint8_t>(d[i] - (d[i] * a[i] >> 8));
}
