#include "DibujoHIMAGE.h"

#include "ObjetosGDI.h"
#include "Utilidades.h"
#include "Verificar.h"

namespace {

constexpr const char* kSoloSrcCopy = "otro rop distinto a este no es soportado en el modo no gdi";

// DrawDib reads whatever lies beyond the picture, so the source block is cut
// to it first; the destination moves with the cut.
bool RecortarAImagen(HIMAGE imagen, Punto* destino, Punto* origen, Punto* tamaño) {
  Punto pos, tam;
  if (!CruzarRectangulos(*origen, *tamaño, {0, 0}, {imagen->biWidth, imagen->biHeight}, kCruceInterseccion, &pos,
                         &tam) ||
      tam.x == 0 || tam.y == 0)
    return false;
  destino->x += pos.x - origen->x;
  destino->y += pos.y - origen->y;
  *origen = pos;
  *tamaño = tam;
  return true;
}

// DrawDib's source rectangle counts rows from the top of the picture, like
// every HIMAGE operation, although the rows are stored bottom-up.
BOOL Dibujar(HDRAWDIB dd, HDC hdc, Punto destino, HIMAGE imagen, Punto origen, Punto tamaño) {
  return DrawDibDraw(dd, hdc, destino.x, destino.y, tamaño.x, tamaño.y, reinterpret_cast<BITMAPINFOHEADER*>(imagen),
                     PixelesHIMAGE(imagen), origen.x, origen.y, tamaño.x, tamaño.y, 0);
}

}  // namespace

void DibujarHIMAGE(HDC hdc, int32_t x, int32_t y, int32_t ancho, int32_t alto, HIMAGE imagen, int32_t xOrigen,
                   int32_t yOrigen, uint32_t rop) {
  if (Verificar(rop != ROP_SRCCOPY, kSoloSrcCopy)) return;
  if (ancho == 0 || alto == 0) return;
  if (!imagen) {
    BitBlt(hdc, x, y, ancho, alto, nullptr, 0, 0, BLACKNESS);
    return;
  }
  Punto destino{x, y}, origen{xOrigen, yOrigen}, tamaño{ancho, alto};
  if (!RecortarAImagen(imagen, &destino, &origen, &tamaño)) return;

  ContextoDrawDib dd;
  DrawDibRealize(dd.Get(), hdc, TRUE);
  Verificar(!Dibujar(dd.Get(), hdc, destino, imagen, origen, tamaño),
            "la funcion a fallado, probablemente por que el hdc de destino no es de pantalla");
}

void PintarRectangulo(HDC hdc, const RECT& rectangulo, HIMAGE fondo, uint32_t rop) {
  const Punto esquina{rectangulo.left, rectangulo.top};
  const Punto tamaño{rectangulo.right - rectangulo.left, rectangulo.bottom - rectangulo.top};
  if (tamaño.x <= 0 || tamaño.y <= 0) return;
  if (!fondo) {
    BitBlt(hdc, esquina.x, esquina.y, tamaño.x, tamaño.y, nullptr, 0, 0, BLACKNESS);
    return;
  }
  if (Verificar(rop != ROP_SRCCOPY, kSoloSrcCopy)) return;
  Punto destino = esquina, origen = esquina, tam = tamaño;
  if (!RecortarAImagen(fondo, &destino, &origen, &tam)) return;

  ContextoDrawDib dd;
  DrawDibRealize(dd.Get(), hdc, FALSE);
  Dibujar(dd.Get(), hdc, destino, fondo, origen, tam);
}

void DibujarEscalada(HDRAWDIB drawDib, HDC hdc, const ImagenEscalada& imagen, int32_t x, int32_t y, int32_t ancho,
                     int32_t alto) {
  if (imagen.Vacia()) return;
  const Punto t = imagen.Tamaño();
  auto* cabecera = reinterpret_cast<BITMAPINFOHEADER*>(const_cast<CabeceraInfoBMP*>(imagen.Cabecera()));
  // DrawDib keeps the colour table of the header it began with and knows a
  // header only by its address, which a reloaded picture keeps: begun anew
  // at every draw, a new picture never shows in the old one's colours.
  DrawDibBegin(drawDib, hdc, ancho, alto, cabecera, t.x, t.y, 0);
  // Any stretch deletes whole rows and columns rather than blending them
  // into noise (the default mode ANDs them together).
  const int modo = SetStretchBltMode(hdc, COLORONCOLOR);
  DrawDibDraw(drawDib, hdc, x, y, ancho, alto, cabecera, const_cast<uint8_t*>(imagen.Pixeles()), 0, 0, t.x, t.y,
              0);
  if (modo) SetStretchBltMode(hdc, modo);
}
