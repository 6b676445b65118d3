// Justified, word-wrapped text in a rectangle: the line breaking (portable)
// and EscribirTextoJustificado, which draws it with GDI (Windows only).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "Punto.h"

// One line to draw. `y` is measured from the top of the area. A justified
// line spreads `espacioExtra` pixels over `cuentaJustificacion` breaks; the
// text's last line has both 0.
struct LineaJustificada {
  int32_t inicio = 0;
  int32_t longitud = 0;
  int32_t y = 0;
  int32_t espacioExtra = 0;
  int32_t cuentaJustificacion = 0;
};

// Width and height of the n characters starting at p, as drawn.
using MedidorTexto = std::function<Punto(const char* p, int32_t n)>;

// Breaks the NUL-terminated `texto` into lines for an area `ancho` wide.
// A line feed ends a line, justified; the field separator " | " of the
// pictures' descriptions ends one flush left, as the text's end does. Each
// line feed, separator or single space that starts a line makes an empty
// line as high as one space. `alto` is only checked: nothing is clipped. A
// word wider than the area, a line of 1000 or more characters and a line
// higher than the area are programming errors.
std::vector<LineaJustificada> PartirTextoJustificado(const char* texto, int32_t ancho, int32_t alto,
                                                     const MedidorTexto& medir);

// Width and height of the n characters at p in a font `altoFuente` high.
using MedidorFuente = std::function<Punto(const char* p, int32_t n, int32_t altoFuente)>;

// The largest font height up to `altoFuente` at which `texto` fits an
// ancho x alto area: it breaks into lines without a programming error
// (each word, with the spaces on both sides, narrower than the area, no
// line higher than it) and the lines end within `alto`. 0 when not even 1
// will do, or for a line of 1000 characters or more.
int32_t AltoFuenteQueCabe(const char* texto, int32_t altoFuente, int32_t ancho, int32_t alto,
                          const MedidorFuente& medir);

#ifdef _WIN32
struct HDC__;

// AltoFuenteQueCabe measured on `hdc` with the fonts EscribirTextoJustificado
// makes: face `fuente`, weight `peso`.
int32_t AltoFuenteQueCabe(HDC__* hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                          int32_t ancho, int32_t alto);

// Draws `texto` justified into the area (izquierda, arriba, ancho, alto)
// with a new font of `altoFuente` pixels, weight `peso` and face `fuente`
// ("" for the platform's default). The shadow, when asked for, is drawn
// first, `desplazamiento` pixels right and down. Colours are COLORREFs.
// Leaves the background mode transparent and the text colour set.
void EscribirTextoJustificado(HDC__* hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                              uint32_t color, bool conSombra, uint32_t colorSombra, int32_t desplazamiento,
                              int32_t izquierda, int32_t arriba, int32_t ancho, int32_t alto);

// Draws UTF-8 `texto` (a name of any characters) left-aligned into the
// area, wrapped at spaces and, for a word wider than the area, inside it;
// the font shrinks from `altoFuente` until the text fits, down to a third
// of it, then what does not fit is cut off.
void EscribirTextoUtf8(HDC__* hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                       uint32_t color, bool conSombra, uint32_t colorSombra, int32_t desplazamiento,
                       int32_t izquierda, int32_t arriba, int32_t ancho, int32_t alto);
#endif
