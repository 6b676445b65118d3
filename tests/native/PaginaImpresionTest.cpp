// The print-out's page arithmetic: its figures on A4 at 300 dpi, and every
// row printed once on pages and pictures of any shape.
#include "PaginaImpresion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Area(const AreaPagina& a) {
  return std::to_string(a.posicion.x) + "," + std::to_string(a.posicion.y) + " " + std::to_string(a.tamaño.x) +
         "x" + std::to_string(a.tamaño.y);
}

TEST(PaginaImpresion, FiguresOnA4) {
  // Landscape pictures fill half the page's width, portrait ones half the
  // 2327 px between the banners; a height that is no multiple of five
  // gives its leftover rows to the top band.
  struct Caso { Punto imagen; const char* arriba; int32_t yAbajo; } casos[] = {
      {{640, 480}, "134,829 1239x185", 1569}, {{800, 600}, "134,829 1239x185", 1569},
      {{576, 765}, "497,594 876x232", 1522},  {{640, 483}, "134,819 1239x191", 1568},
      {{3, 4}, "501,594 872x1160", 1754},
  };
  for (const Caso& c : casos) {
    const PaginaImpresion p = CalcularPaginaImpresion({2479, 3508}, c.imagen);
    EXPECT_EQ(Area(p.cabecera) + " " + Area(p.pie), "0,0 2479x402 0,3131 2479x377");
    // The name starts at 1.2 x half the page and stops at its edge.
    EXPECT_EQ(Area(p.nombre) + " " + Area(p.texto), "1486,804 993x804 134,1955 2231x804");
    EXPECT_EQ(std::to_string(p.altoFuenteNombre) + " " + std::to_string(p.altoFuenteTexto), "100 67");
    EXPECT_EQ(Area(p.bandas[4].destino), c.arriba) << c.imagen.x << "x" << c.imagen.y;
    EXPECT_EQ(p.bandas[0].destino.posicion.y, c.yAbajo) << c.imagen.x << "x" << c.imagen.y;
  }
}

// Every row printed once, the leftover rows in the top band, the bands
// stacked without a gap over five band heights, everything on the page.
TEST(PaginaImpresion, EveryRowOnceAndTheBandsMeet) {
  for (const Punto pagina : {Punto{2479, 3508}, {4960, 7016}, {3508, 2479}, {100, 100}, {1, 1}, {3000, 100}, {50, 5000}})
    for (const Punto imagen : {Punto{640, 480}, {640, 483}, {1, 1}, {3, 4}, {7, 13}, {32768, 1}, {1, 32768}}) {
      SCOPED_TRACE(std::to_string(pagina.x) + "x" + std::to_string(pagina.y) + " " + std::to_string(imagen.x) + "x" +
                   std::to_string(imagen.y));
      const PaginaImpresion p = CalcularPaginaImpresion(pagina, imagen);
      const AreaPagina& abajo = p.bandas[0].destino;
      int32_t fila = 0, borde = abajo.posicion.y + abajo.tamaño.y;
      for (int i = 0; i < kBandasImpresion; ++i) {
        const BandaImpresion& b = p.bandas[static_cast<size_t>(i)];
        const AreaPagina& d = b.destino;
        EXPECT_EQ(b.primeraFila, fila);
        EXPECT_EQ(b.filas, imagen.y / 5 + (i == 4 ? imagen.y % 5 : 0));
        fila += b.filas;
        EXPECT_EQ(d.posicion.y + d.tamaño.y, borde);
        borde = d.posicion.y;
        EXPECT_TRUE(d.tamaño.y >= 0 && d.posicion.x >= 0 && d.posicion.x + d.tamaño.x <= pagina.x &&
                    d.posicion.y >= 0 && d.posicion.y + d.tamaño.y <= pagina.y);
      }
      EXPECT_EQ(abajo.posicion.y + abajo.tamaño.y - borde, 5 * p.altoBanda);
      EXPECT_LE(p.nombre.posicion.x + p.nombre.tamaño.x, pagina.x);
      EXPECT_LE(p.texto.posicion.x + p.texto.tamaño.x, pagina.x);
    }
}

}  // namespace
