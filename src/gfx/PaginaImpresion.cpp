#include "PaginaImpresion.h"

#include <algorithm>

namespace {

// A scale kept as the ratio num / den: trunc(v x scale) is then exact,
// where a double would land a hair under whole results.
struct Escala {
  int64_t num, den;
};
int32_t Aplicar(int64_t v, Escala e) { return static_cast<int32_t>(v * e.num / e.den); }

// A banner as wide as the page, unless that makes it higher than the page.
AreaPagina Banner(Punto pagina, Punto banner, bool abajo) {
  const Escala e = pagina.y >= int64_t{pagina.x} * banner.y / banner.x ? Escala{pagina.x, banner.x}
                                                                        : Escala{pagina.y, banner.y};
  const Punto tamaño{Aplicar(banner.x, e), Aplicar(banner.y, e)};
  return {{0, abajo ? pagina.y - tamaño.y : 0}, tamaño};
}

// Text areas stop at the page's right edge.
AreaPagina AreaTexto(Punto pagina, int32_t izquierda, int32_t arriba, int32_t ancho, int32_t alto) {
  return {{izquierda, arriba}, {std::max(0, std::min(ancho, pagina.x - izquierda)), alto}};
}

}  // namespace

PaginaImpresion CalcularPaginaImpresion(Punto pagina, Punto imagen) {
  PaginaImpresion p;
  if (pagina.x < 1 || pagina.y < 1 || imagen.x < 1 || imagen.y < 1) return p;
  const int64_t w = imagen.x, h = imagen.y;
  p.cabecera = Banner(pagina, kTamañoCabeceraImpresion, false);
  p.pie = Banner(pagina, kTamañoPieImpresion, true);
  const int32_t H = p.cabecera.tamaño.y;

  // As wide as the page or as high as the room between the banners, then
  // half of that.
  const int64_t sitio = std::max<int64_t>(0, int64_t{pagina.y} - 2 * H - p.pie.tamaño.y);
  const Escala e = sitio * w >= int64_t{pagina.x} * h ? Escala{pagina.x, 2 * w} : Escala{sitio, 2 * h};
  p.anchoImagen = Aplicar(w, e);
  p.altoBanda = Aplicar(h, {e.num, 5 * e.den});

  // Band edges fall at the rows' own heights on the picture's 5 B, so the
  // bands meet whatever h is; when h is a multiple of five every band is
  // B high.
  const int64_t filas = h / kBandasImpresion, altoTotal = int64_t{kBandasImpresion} * p.altoBanda;
  const int32_t x = H / 3 + (pagina.x - 2 * p.anchoImagen) / 2;
  const int32_t arriba = (pagina.y - 2 * static_cast<int32_t>(altoTotal)) / 2;
  for (int32_t i = 0; i < kBandasImpresion; ++i) {
    BandaImpresion& b = p.bandas[static_cast<size_t>(i)];
    b.primeraFila = static_cast<int32_t>(i * filas);
    b.filas = static_cast<int32_t>(i == kBandasImpresion - 1 ? h - i * filas : filas);
    const int64_t encima = h - b.primeraFila - b.filas;
    const int32_t y0 = arriba + static_cast<int32_t>(encima * altoTotal / h);
    const int32_t y1 = arriba + static_cast<int32_t>((encima + b.filas) * altoTotal / h);
    b.destino = {{x, y0}, {p.anchoImagen, y1 - y0}};
  }

  p.nombre = AreaTexto(pagina, pagina.x / 2 * 6 / 5, 2 * H, pagina.x, 2 * H);
  p.altoFuenteNombre = H / 4;
  p.texto = AreaTexto(pagina, H / 3, static_cast<int32_t>((int64_t{H} + pagina.y) / 2),
                      static_cast<int32_t>(int64_t{pagina.x} * 9 / 10), 2 * H);
  p.altoFuenteTexto = H / 6;
  return p;
}
