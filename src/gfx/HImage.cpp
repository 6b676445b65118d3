#include "HImage.h"

#include <cstdlib>
#include <cstring>

#include "Utilidades.h"
#include "Verificar.h"

HIMAGE AsignarHIMAGE(int64_t bytesPixeles) {
  if (bytesPixeles < 0 || static_cast<uint64_t>(bytesPixeles) > SIZE_MAX - kHImagenPixeles) return nullptr;
  return static_cast<HIMAGE>(std::malloc(static_cast<size_t>(bytesPixeles) + kHImagenPixeles));
}

void LiberarHIMAGE(HIMAGE imagen) { std::free(imagen); }

void CopiarPaleta(HIMAGE origen, HIMAGE destino) {
  if (Verificar(!origen || !destino, "manipuladores invalidos")) return;
  if (Verificar(origen->biBitCount > 8 || destino->biBitCount > 8, "los bitmaps deben ser indexados")) return;
  // The table area holds 256 entries; a larger count cannot be a real palette.
  if (Verificar(origen->biClrUsed < 1 || origen->biClrUsed > 256, "valor invalido")) return;
  destino->biBitCount = origen->biBitCount;
  destino->biClrUsed = origen->biClrUsed;
  std::memcpy(ColoresHIMAGE(destino), ColoresHIMAGE(origen), origen->biClrUsed * sizeof(ColorRGBQ));
}

namespace {

template <typename Operacion>
void CombinarFilas(HIMAGE destino, Punto posDestino, HIMAGE origen, Punto posOrigen, Punto tamaño, int bytesPixel,
                   Operacion operacion) {
  const int64_t bytesFila = static_cast<int64_t>(tamaño.x) * bytesPixel;
  for (int32_t r = tamaño.y - 1; r >= 0; --r) {
    uint8_t* d = FilaHIMAGE(destino, posDestino.y + r) + static_cast<int64_t>(posDestino.x) * bytesPixel;
    const uint8_t* o = FilaHIMAGE(origen, posOrigen.y + r) + static_cast<int64_t>(posOrigen.x) * bytesPixel;
    if (destino != origen) {
      for (int64_t i = 0; i < bytesFila; ++i) d[i] = operacion(d[i], o[i]);
    } else {
      // Within one image the order is part of the result: last row and
      // last pixel first.
      for (int64_t i = bytesFila - 1; i >= 0; --i) d[i] = operacion(d[i], o[i]);
    }
  }
}

}  // namespace

void TransferirHIMAGE(HIMAGE destino, int32_t x, int32_t y, int32_t ancho, int32_t alto, HIMAGE origen,
                      int32_t xOrigen, int32_t yOrigen, uint32_t rop) {
  if (Verificar(!destino || !origen, "manipuladores invalidos")) return;
  if (Verificar(destino->biBitCount != origen->biBitCount,
                "para llamar esta funcion es necesario que los HIMAGE refieran a dos bitmaps con el mismo conteo "
                "de bits por pixel"))
    return;
  if (Verificar(destino->biClrUsed != origen->biClrUsed,
                "para llamar esta funcion es necesario que los HIMAGE refieran a dos bitmaps con la misma paleta"))
    return;
  if (ancho == 0 || alto == 0) return;

  Punto posDestino, tamDestino;
  if (!CruzarRectangulos({x, y}, {ancho, alto}, {0, 0}, {destino->biWidth, destino->biHeight}, kCruceInterseccion,
                         &posDestino, &tamDestino) ||
      tamDestino.x == 0 || tamDestino.y == 0)
    return;

  // The source follows the target's clipping; clipping the source itself
  // afterwards does not move the target origin again.
  Punto inicioOrigen{xOrigen + (posDestino.x - x), yOrigen + (posDestino.y - y)};
  Punto posOrigen, tamaño;
  if (!CruzarRectangulos(inicioOrigen, tamDestino, {0, 0}, {origen->biWidth, origen->biHeight},
                         kCruceInterseccion, &posOrigen, &tamaño) ||
      tamaño.x == 0 || tamaño.y == 0)
    return;

  const int bytesPixel = destino->biBitCount == 8 ? 1 : 3;
  switch (rop) {
    case ROP_SRCCOPY:
      CombinarFilas(destino, posDestino, origen, posOrigen, tamaño, bytesPixel, [](uint8_t, uint8_t o) { return o; });
      break;
    case ROP_SRCAND:
      CombinarFilas(destino, posDestino, origen, posOrigen, tamaño, bytesPixel,
                    [](uint8_t d, uint8_t o) { return static_cast<uint8_t>(d & o); });
      break;
    case ROP_SRCINVERT:
      CombinarFilas(destino, posDestino, origen, posOrigen, tamaño, bytesPixel,
                    [](uint8_t d, uint8_t o) { return static_cast<uint8_t>(d ^ o); });
      break;
    default:
      break;
  }
}

HIMAGE AmpliarHIMAGE(HIMAGE origen, int32_t factor) {
  if (Verificar(!origen || factor < 1, "ampliacion invalida")) return nullptr;
  const int bpp = origen->biBitCount / 8;
  if (Verificar(origen->biBitCount % 8 || bpp < 1 || bpp > 4, "profundidad no soportada")) return nullptr;
  // Rows padded to 4 bytes, whatever the depth.
  const auto stride = [bpp](int64_t ancho) { return (ancho * bpp + 3) & ~int64_t{3}; };
  const int64_t ancho = int64_t{origen->biWidth} * factor, alto = int64_t{origen->biHeight} * factor;
  if (ancho > (INT32_MAX - 3) / 4 || alto > INT32_MAX) return nullptr;
  const int64_t bytes = stride(ancho) * alto;
  if (bytes > UINT32_MAX) return nullptr;
  HIMAGE nueva = AsignarHIMAGE(bytes);
  if (!nueva) return nullptr;
  *nueva = *origen;
  nueva->biWidth = static_cast<int32_t>(ancho);
  nueva->biHeight = static_cast<int32_t>(alto);
  nueva->biSizeImage = static_cast<uint32_t>(bytes);
  std::memcpy(ColoresHIMAGE(nueva), ColoresHIMAGE(origen), 256 * sizeof(ColorRGBQ));
  const int64_t filaOrigen = stride(origen->biWidth), fila = stride(ancho);
  for (int32_t y = 0; y < origen->biHeight; ++y) {
    // Bottom-up rows: source row y becomes rows y * factor to y * factor + factor - 1.
    const uint8_t* o = PixelesHIMAGE(origen) + filaOrigen * y;
    uint8_t* d = PixelesHIMAGE(nueva) + fila * y * factor;
    for (int32_t x = 0; x < origen->biWidth; ++x)
      for (int32_t r = 0; r < factor; ++r) std::memcpy(d + (int64_t{x} * factor + r) * bpp, o + int64_t{x} * bpp, bpp);
    // Padding is zero, as in a stored picture.
    std::memset(d + ancho * bpp, 0, static_cast<size_t>(fila - ancho * bpp));
    for (int32_t r = 1; r < factor; ++r) std::memcpy(d + fila * r, d, static_cast<size_t>(fila));
  }
  return nueva;
}
