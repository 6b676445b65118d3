// The print-out's page: where the two banners, the picture's five bands,
// the name and the description go, in printer pixels.
#pragma once

#include <array>
#include <cstdint>

#include "Punto.h"

constexpr int32_t kBandasImpresion = 5;
// The banners' own sizes (archive pictures 263 and 264).
constexpr Punto kTamañoCabeceraImpresion{1496, 243};
constexpr Punto kTamañoPieImpresion{1496, 228};

struct AreaPagina {
  Punto posicion;
  Punto tamaño;
};

// `filas` rows of the picture from `primeraFila`, both counted from the
// bottom as a bitmap file keeps them, stretched into `destino`. A band
// without rows prints nothing.
struct BandaImpresion {
  int32_t primeraFila = 0;
  int32_t filas = 0;
  AreaPagina destino;
};

struct PaginaImpresion {
  AreaPagina cabecera, pie;
  int32_t anchoImagen = 0;  // the printed picture's width
  int32_t altoBanda = 0;    // the picture is five of these high
  // Band 0 holds the bottom rows and lies lowest; the rows left over by
  // the division in five go to band 4, the top of the picture.
  std::array<BandaImpresion, kBandasImpresion> bandas{};
  AreaPagina nombre, texto;
  int32_t altoFuenteNombre = 0, altoFuenteTexto = 0;
};

// The page for a picture of `imagen` pixels on a page of `pagina` printer
// pixels (HORZRES x VERTRES). Any side below 1 gives an empty page (all 0).
PaginaImpresion CalcularPaginaImpresion(Punto pagina, Punto imagen);
