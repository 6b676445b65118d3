#include "BarraTitulo.h"

#include <algorithm>

#include "ComunVentanas.h"
#include "ObjetosGDI.h"

namespace {
constexpr int kXTexto = 10, kYTexto = 5;
}  // namespace

void PintarBarraTitulo(HDC hdc, const RECT& pintar, HIMAGE barra, int anchoTesela, int alto, HFONT fuente,
                       const char* texto, int finTexto) {
  if (pintar.top >= alto) return;
  const RECT franja{pintar.left, pintar.top, pintar.right, std::min<LONG>(pintar.bottom, alto)};
  PintarMosaico(hdc, franja, barra, std::max(anchoTesela, 1), std::max(alto, 1));
  if (!texto || !texto[0]) return;
  Seleccion seleccion(hdc, fuente);
  SetTextColor(hdc, RGB(0, 0, 0));
  SetBkMode(hdc, TRANSPARENT);
  RECT caja{Esc(kXTexto), Esc(kYTexto), finTexto, alto};
  DrawTextA(hdc, texto, -1, &caja, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
