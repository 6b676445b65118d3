#include "TextoJustificado.h"

#include "Verificar.h"

namespace {

// Offsets within one line stay below this; the scan never reads further,
// so a text without its terminator is reported instead of overrun.
constexpr int32_t kLineaMaxima = 1000;

bool FinDeLinea(char c) { return c == '\0' || c == '\n'; }

// From `pos`, over one word and the spaces after it. Stops at the end of
// the line, or on the last space before the next word.
int32_t Avanzar(const char* linea, int32_t pos) {
  while (pos < kLineaMaxima && linea[pos] != ' ' && !FinDeLinea(linea[pos])) ++pos;
  while (pos < kLineaMaxima && linea[pos] == ' ') ++pos;
  if (pos < kLineaMaxima && !FinDeLinea(linea[pos])) --pos;
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
      // A line feed or a single space at the start of a line.
      if (linea[pos] == '\0') return lineas;
      y += altoVacia;
      linea += pos + 1;
      pos = ultimoAjuste = medidas = 0;
      continue;
    }
    const bool cabe = medida.x < ancho;
    if (cabe && !FinDeLinea(linea[pos])) {
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
    if (!ultima) {
      l.espacioExtra = ancho - tamaño.x;
      l.cuentaJustificacion = medidas;
    }
    lineas.push_back(l);
    if (ultima) return lineas;
    // Skips the space or line feed the line ended on.
    y += tamaño.y;
    linea += longitud + 1;
    pos = ultimoAjuste = medidas = 0;
    Verificar(tamaño.y > alto, "el texto es mas alto que el area asignada");
  }
}
