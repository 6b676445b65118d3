#include <windows.h>

#include <algorithm>
#include <vector>

#include "ObjetosGDI.h"
#include "TextoJustificado.h"
#include "Verificar.h"

namespace {
HFONT CrearLetra(int32_t alto, int32_t peso, const char* fuente) {
  return CreateFontA(alto, 0, 0, 0, peso, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, fuente);
}
}  // namespace

int32_t AltoFuenteQueCabe(HDC hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                          int32_t ancho, int32_t alto) {
  if (!hdc || !texto || !fuente) return 0;
  // One font per height tried, kept while the same height is asked for.
  ObjetoGDI<HFONT> letra;
  int32_t altoLetra = 0;
  const auto medir = [&](const char* p, int32_t n, int32_t a) {
    if (a != altoLetra) {
      letra = ObjetoGDI<HFONT>(CrearLetra(a, peso, fuente));
      altoLetra = a;
    }
    Seleccion seleccion(hdc, letra.Get());
    SIZE s{};
    GetTextExtentPoint32A(hdc, p, n, &s);
    return Punto{s.cx, s.cy};
  };
  return AltoFuenteQueCabe(texto, altoFuente, ancho, alto, medir);
}

void EscribirTextoJustificado(HDC hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                              uint32_t color, bool conSombra, uint32_t colorSombra, int32_t desplazamiento,
                              int32_t izquierda, int32_t arriba, int32_t ancho, int32_t alto) {
  if (Verificar(!hdc || !texto || !fuente || altoFuente < 1 || ancho < 1 || alto < 1 ||
                (conSombra && desplazamiento == 0)))
    return;
  ObjetoGDI<HFONT> letra(CrearLetra(altoFuente, peso, fuente));
  Seleccion seleccion(hdc, letra.Get());
  if (!conSombra) SetTextColor(hdc, color);
  SetBkMode(hdc, TRANSPARENT);

  // Every line is measured before the first is drawn, so no justification
  // of ours is in force while measuring.
  const auto medir = [hdc](const char* p, int32_t n) {
    SIZE s{};
    GetTextExtentPoint32A(hdc, p, n, &s);
    return Punto{s.cx, s.cy};
  };
  for (const LineaJustificada& l : PartirTextoJustificado(texto, ancho, alto, medir)) {
    const char* inicio = texto + l.inicio;
    if (l.cuentaJustificacion) SetTextJustification(hdc, l.espacioExtra, l.cuentaJustificacion);
    if (conSombra) {
      SetTextColor(hdc, colorSombra);
      TextOutA(hdc, izquierda + desplazamiento, arriba + l.y + desplazamiento, inicio, l.longitud);
      SetTextColor(hdc, color);
    }
    TextOutA(hdc, izquierda, arriba + l.y, inicio, l.longitud);
    if (l.cuentaJustificacion) SetTextJustification(hdc, 0, l.cuentaJustificacion);
  }
}

void EscribirTextoUtf8(HDC hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                       uint32_t color, bool conSombra, uint32_t colorSombra, int32_t desplazamiento,
                       int32_t izquierda, int32_t arriba, int32_t ancho, int32_t alto) {
  if (!hdc || !texto || !*texto || !fuente || altoFuente < 1 || ancho < 1 || alto < 1) return;
  const int n = MultiByteToWideChar(CP_UTF8, 0, texto, -1, nullptr, 0);
  if (n < 2) return;
  std::vector<wchar_t> ancha(static_cast<size_t>(n));
  MultiByteToWideChar(CP_UTF8, 0, texto, -1, ancha.data(), n);
  constexpr UINT kFormato = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;
  ObjetoGDI<HFONT> letra;
  for (int32_t a = altoFuente; a >= std::max(1, altoFuente / 3); --a) {
    letra = ObjetoGDI<HFONT>(CrearLetra(a, peso, fuente));
    Seleccion seleccion(hdc, letra.Get());
    RECT medida{0, 0, ancho, 0};
    DrawTextW(hdc, ancha.data(), -1, &medida, kFormato | DT_CALCRECT);
    if (medida.bottom <= alto && medida.right <= ancho) break;
  }
  Seleccion seleccion(hdc, letra.Get());
  SetBkMode(hdc, TRANSPARENT);
  if (conSombra) {
    SetTextColor(hdc, colorSombra);
    RECT sombra{izquierda + desplazamiento, arriba + desplazamiento, izquierda + ancho + desplazamiento,
                arriba + alto + desplazamiento};
    DrawTextW(hdc, ancha.data(), -1, &sombra, kFormato);
  }
  SetTextColor(hdc, color);
  RECT area{izquierda, arriba, izquierda + ancho, arriba + alto};
  DrawTextW(hdc, ancha.data(), -1, &area, kFormato);
}
