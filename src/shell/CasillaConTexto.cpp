#include "CasillaConTexto.h"

#include <algorithm>
#include <cstring>

#include "DibujoHIMAGE.h"

namespace {

// The words' ink: how far the first letter reaches left of its advance
// (the words move right by that) and the whole width, the last letter's
// reach past its advance included.
struct Tinta {
  int32_t izquierda = 0, ancho = 0;
};

Tinta MedirTinta(HDC hdc, const TextoCasilla& t) {
  Seleccion fuente(hdc, t.fuente);
  const int n = static_cast<int>(std::strlen(t.texto));
  SIZE s{};
  GetTextExtentPoint32A(hdc, t.texto, n, &s);
  Tinta tinta{0, s.cx};
  if (n == 0) return tinta;
  const auto primera = static_cast<unsigned char>(t.texto[0]), ultima = static_cast<unsigned char>(t.texto[n - 1]);
  ABC abc{};
  if (GetCharABCWidthsA(hdc, primera, primera, &abc)) tinta.izquierda = std::max(0, -abc.abcA);
  if (GetCharABCWidthsA(hdc, ultima, ultima, &abc)) tinta.ancho += std::max(0, -abc.abcC);
  tinta.ancho += tinta.izquierda;
  return tinta;
}

}  // namespace

int32_t AnchoCasilla(HDC hdc, int32_t anchoCaja, const TextoCasilla& t) {
  return anchoCaja + t.hueco + MedirTinta(hdc, t).ancho;
}

BloqueHIMAGE CrearTiraCasilla(HIMAGE fondo, int32_t x, int32_t y, HIMAGE caja, const TextoCasilla& t) {
  if (!fondo || !caja) return {};
  DCCreado dc(CreateCompatibleDC(nullptr));
  if (!dc) return {};
  const Tinta tinta = MedirTinta(dc.Get(), t);
  const int32_t lado = caja->biWidth, alto = caja->biHeight / 4, ancho = lado + t.hueco + tinta.ancho;
  // Bottom-up 24-bit rows: the HIMAGE's own layout, copied whole below.
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), ancho, 4 * alto, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib || !bits) return {};
  {
    Seleccion bitmap(dc.Get(), dib.Get());
    Seleccion fuente(dc.Get(), t.fuente);
    TEXTMETRICA medidas{};
    GetTextMetricsA(dc.Get(), &medidas);
    SetBkMode(dc.Get(), TRANSPARENT);
    for (int32_t k = 0; k < 4; ++k) {
      DibujarHIMAGE(dc.Get(), 0, k * alto, ancho, alto, fondo, x, y, ROP_SRCCOPY);
      DibujarHIMAGE(dc.Get(), 0, k * alto, lado, alto, caja, 0, k * alto, ROP_SRCCOPY);
      SetTextColor(dc.Get(), k % 2 ? t.colorEncima : t.color);
      TextOutA(dc.Get(), lado + t.hueco + tinta.izquierda, k * alto + (alto - medidas.tmHeight) / 2, t.texto,
               static_cast<int>(std::strlen(t.texto)));
    }
    GdiFlush();
  }
  const uint32_t bytes = static_cast<uint32_t>((3 * ancho + 3) & ~3) * static_cast<uint32_t>(4 * alto);
  BloqueHIMAGE tira(AsignarHIMAGE(bytes));
  if (!tira) return {};
  HIMAGE h = tira.Get();
  *h = CabeceraInfoBMP{};
  h->biSize = sizeof(CabeceraInfoBMP);
  h->biWidth = ancho;
  h->biHeight = 4 * alto;
  h->biPlanes = 1;
  h->biBitCount = 24;
  h->biCompression = BI_RGB_;
  h->biSizeImage = bytes;
  std::memcpy(PixelesHIMAGE(h), bits, bytes);
  return tira;
}
