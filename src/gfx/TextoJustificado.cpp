#include "TextoJustificado.h"

#include <algorithm>

#include "Verificar.h"

namespace {

// Offsets within one line stay below this; the scan never reads further,
// so a text without its terminator is reported instead of overrun.
constexpr int32_t kLineaMaxima = 1000;

// The separator between the fields of a picture's description.
constexpr int32_t kLargoSeparador = 3;
bool EsSeparador(const char* linea, int32_t pos) {
  return pos + kLargoSeparador <= kLineaMaxima && linea[pos] == ' ' && linea[pos + 1] == '|' && linea[pos + 2] == ' ';
}

bool FinDeLinea(const char* linea, int32_t pos) {
  return linea[pos] == '\0' || linea[pos] == '\n' || EsSeparador(linea, pos);
}

// How many characters the line end at `pos` takes: the separator's three,
// or the one line feed or space.
int32_t Salto(const char* linea, int32_t pos) { return EsSeparador(linea, pos) ? kLargoSeparador : 1; }

// From `pos`, over one word and the spaces after it. Stops at the end of
// the line, or on the last space before the next word.
int32_t Avanzar(const char* linea, int32_t pos) {
  while (pos < kLineaMaxima && linea[pos] != ' ' && !FinDeLinea(linea, pos)) ++pos;
  while (pos < kLineaMaxima && linea[pos] == ' ' && !FinDeLinea(linea, pos)) ++pos;
  if (pos < kLineaMaxima && !FinDeLinea(linea, pos)) --pos;
  return pos;
}

}  // namespace

std::vector<LineaJustificada> PartirTextoJustificado(const char* texto, int32_t ancho, int32_t alto,
                                                     const MedidorTexto& medir) {
  std::vector<LineaJustificada> lineas;
  if (Verificar(!texto || ancho < 1 || alto < 1)) return lineas;
  const int32_t altoVacia = medir(" ", 1).y;

  const char* linea = texto;
  int32_t y = 0;
  // ultimoAjuste: end of the longest run that fitted (0: none yet).
  // medidas: how many runs were measured for this line; the justification
  // count, so a justified line ends somewhat short of the right edge.
  int32_t pos = 0, ultimoAjuste = 0, medidas = 0;
  for (;;) {
    pos = Avanzar(linea, pos);
    if (Verificar(pos >= kLineaMaxima, "text muy largo o no NULL-TERMINATED")) return lineas;
    ++medidas;
    const Punto medida = medir(linea, pos);
    if (medida.x == 0) {
      // A line feed, a separator or a single space at the start of a line.
      if (linea[pos] == '\0') return lineas;
      y += altoVacia;
      linea += pos + Salto(linea, pos);
      pos = ultimoAjuste = medidas = 0;
      continue;
    }
    const bool cabe = medida.x < ancho;
    if (cabe && !FinDeLinea(linea, pos)) {
      ultimoAjuste = pos++;
      continue;
    }

    int32_t longitud = cabe ? pos : ultimoAjuste;
    // Also before a line feed or the end: an empty line there would eat the
    // word one character per line.
    if (Verificar(!cabe && ultimoAjuste == 0, "la ultima palabra es mas grande que el area asignada para el texto"))
      longitud = pos;
    const Punto tamaño = medir(linea, longitud);
    LineaJustificada l;
    l.inicio = static_cast<int32_t>(linea - texto);
    l.longitud = longitud;
    l.y = y;
    const bool ultima = linea[longitud] == '\0';
    // A field's last line stays flush left, as the text's last line does.
    if (!ultima && !EsSeparador(linea, longitud)) {
      l.espacioExtra = ancho - tamaño.x;
      l.cuentaJustificacion = medidas;
    }
    lineas.push_back(l);
    if (ultima) return lineas;
    // Skips the space, line feed or separator the line ended on.
    y += tamaño.y;
    linea += longitud + Salto(linea, longitud);
    pos = ultimoAjuste = medidas = 0;
    Verificar(tamaño.y > alto, "el texto es mas alto que el area asignada");
  }
}

int32_t AltoFuenteQueCabe(const char* texto, int32_t altoFuente, int32_t ancho, int32_t alto,
                          const MedidorFuente& medir) {
  if (!texto || ancho < 1 || alto < 1) return 0;
  // Each word with the spaces before and after it, line by line.
  struct Trozo {
    int32_t inicio, longitud;
  };
  std::vector<Trozo> trozos;
  for (const char* linea = texto;;) {
    int32_t fin = 0;
    while (!FinDeLinea(linea, fin))
      if (++fin >= kLineaMaxima) return 0;
    for (int32_t p = 0; p < fin;) {
      const int32_t desde = p;
      while (p < fin && linea[p] == ' ') ++p;
      while (p < fin && linea[p] != ' ') ++p;
      int32_t hasta = p;
      while (hasta < fin && linea[hasta] == ' ') ++hasta;
      trozos.push_back({static_cast<int32_t>(linea - texto) + desde, hasta - desde});
    }
    if (linea[fin] == '\0') break;
    linea += fin + Salto(linea, fin);
  }

  // Widest word and highest line at a font height.
  const auto medida = [&](int32_t f) {
    Punto m{0, medir(" ", 1, f).y};
    for (const Trozo& t : trozos) {
      const Punto d = medir(texto + t.inicio, t.longitud, f);
      m = {std::max(m.x, d.x), std::max(m.y, d.y)};
    }
    return m;
  };
  // Where the laid-out text ends, once every word and line fits.
  const auto fondo = [&](int32_t f) {
    const MedidorTexto enF = [&](const char* p, int32_t n) { return medir(p, n, f); };
    const std::vector<LineaJustificada> lineas = PartirTextoJustificado(texto, ancho, alto, enF);
    if (lineas.empty()) return int32_t{0};
    const LineaJustificada& u = lineas.back();
    return u.y + enF(texto + u.inicio, u.longitud).y;
  };
  // At a font height: the widest word and highest line, and where the text
  // ends (worked out only once those fit: the layout would stop on them).
  struct Prueba {
    Punto m;
    int32_t total;
  };
  const auto probar = [&](int32_t f) {
    Prueba r{medida(f), 0};
    if (r.m.x < ancho && r.m.y <= alto) r.total = fondo(f);
    return r;
  };
  const auto cabe = [&](const Prueba& r) { return r.m.x < ancho && r.m.y <= alto && r.total <= alto; };
  // Sizes grow about in proportion to the font: jump down near the answer,
  // then climb back while the next height still fits.
  int32_t noCabe = altoFuente + 1;
  for (int32_t f = altoFuente; f >= 1;) {
    const Prueba r = probar(f);
    if (cabe(r)) {
      while (f + 1 < noCabe && cabe(probar(f + 1))) ++f;
      return f;
    }
    if (f == 1) break;
    noCabe = f;
    int64_t siguiente = f - 1;
    if (r.m.x >= ancho) siguiente = std::min<int64_t>(siguiente, int64_t{f} * (ancho - 1) / r.m.x);
    if (r.m.y > alto) siguiente = std::min<int64_t>(siguiente, int64_t{f} * alto / r.m.y);
    if (r.total > alto) siguiente = std::min<int64_t>(siguiente, int64_t{f} * alto / r.total);
    f = static_cast<int32_t>(std::max<int64_t>(1, siguiente));
  }
  return 0;
}
