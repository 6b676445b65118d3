#include "LienzoArrastre.h"

namespace {

struct InfoConMascaras {
  BITMAPINFOHEADER cabecera;
  DWORD mascaras[3];
};

}  // namespace

DisplayFormat SondearFormatoPantalla() {
  DisplayFormat f;
  DCPantalla pantalla;
  ObjetoGDI<HBITMAP> muestra(CreateCompatibleBitmap(pantalla.Get(), 1, 1));
  struct {
    BITMAPINFOHEADER cabecera;
    DWORD resto[256];  // masks or colour table
  } info{};
  info.cabecera.biSize = sizeof info.cabecera;
  // The first call fills the header; the second, with it, the masks.
  if (!muestra || !GetDIBits(pantalla.Get(), muestra.Get(), 0, 1, nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                             DIB_RGB_COLORS)) {
    f.bits = GetDeviceCaps(pantalla.Get(), BITSPIXEL);
    f.bitFields = false;
    return f;
  }
  f.bits = info.cabecera.biBitCount;
  f.bitFields = info.cabecera.biCompression == BI_BITFIELDS;
  if (f.bitFields) {
    GetDIBits(pantalla.Get(), muestra.Get(), 0, 1, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    for (int i = 0; i < 3; ++i) f.masks[i] = info.resto[i];
  }
  return f;
}

LienzoArrastre::~LienzoArrastre() { Liberar(); }

void LienzoArrastre::Liberar() {
  if (dc_) {
    if (bitmapInicial_) SelectObject(dc_, bitmapInicial_);
    DeleteDC(dc_);
  }
  dc_ = nullptr;
  bitmapInicial_ = nullptr;
  bitmap_ = ObjetoGDI<HBITMAP>();
  pixeles_ = nullptr;
  ancho_ = alto_ = stride_ = bits_ = 0;
}

bool LienzoArrastre::Ajustar(int32_t ancho, int32_t alto, const DisplayFormat& formato) {
  // 32-bit canvases are plain 8-8-8, which is how the sprite is written
  // whatever masks the screen names; 16-bit ones take the screen's masks.
  const bool mismasMascaras = formato.bits != 16 || (mascaras_[0] == formato.masks[0] &&
                                                     mascaras_[1] == formato.masks[1] &&
                                                     mascaras_[2] == formato.masks[2]);
  if (dc_ && ancho <= ancho_ && alto <= alto_ && bits_ == formato.bits && mismasMascaras) return true;
  Liberar();
  if (ancho < 1 || alto < 1) return false;

  InfoConMascaras info{};
  info.cabecera.biSize = sizeof info.cabecera;
  info.cabecera.biWidth = ancho;
  info.cabecera.biHeight = -alto;  // top-down
  info.cabecera.biPlanes = 1;
  info.cabecera.biBitCount = static_cast<WORD>(formato.bits);
  info.cabecera.biCompression = BI_RGB;
  if (formato.bits == 16) {
    info.cabecera.biCompression = BI_BITFIELDS;
    for (int i = 0; i < 3; ++i) info.mascaras[i] = formato.masks[i];
  }
  void* bits = nullptr;
  DCPantalla pantalla;
  bitmap_ = ObjetoGDI<HBITMAP>(CreateDIBSection(pantalla.Get(), reinterpret_cast<BITMAPINFO*>(&info),
                                                DIB_RGB_COLORS, &bits, nullptr, 0));
  dc_ = CreateCompatibleDC(pantalla.Get());
  if (!bitmap_ || !bits || !dc_) {
    Liberar();
    return false;
  }
  bitmapInicial_ = SelectObject(dc_, bitmap_.Get());
  pixeles_ = static_cast<uint8_t*>(bits);
  ancho_ = ancho;
  alto_ = alto;
  bits_ = formato.bits;
  stride_ = ((ancho * formato.bits + 31) / 32) * 4;
  for (int i = 0; i < 3; ++i) mascaras_[i] = formato.bits == 16 ? formato.masks[i] : 0;
  return true;
}
