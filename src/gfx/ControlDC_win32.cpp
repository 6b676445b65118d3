// ControlDC's GDI mode: a memory DC compatible with the screen holding a
// bitmap (and for 4- and 8-bit bitmaps a palette) of the canvas's own.
#include <windows.h>

#include <algorithm>

#include "ControlDC.h"
#include "ObjetosGDI.h"
#include "Verificar.h"

namespace {
HDC D(void* h) { return static_cast<HDC>(h); }
}  // namespace

bool ControlDC::IniciarGDI() {
  DCPantalla pantalla;
  dc = CreateCompatibleDC(pantalla.Get());
  // Without a DC every later GDI call fails and reports false.
  return true;
}

void ControlDC::LiberarGDI() {
  if (!dc) return;
  if (bitmapInicial) {
    HGDIOBJ salio = SelectObject(D(dc), static_cast<HBITMAP>(bitmapInicial));
    if (bitmapPropio && salio && salio != HGDI_ERROR) DeleteObject(salio);
  }
  if (paletaInicial) {
    HPALETTE salio = SelectPalette(D(dc), static_cast<HPALETTE>(paletaInicial), TRUE);
    if (salio) DeleteObject(salio);
  }
  DeleteDC(D(dc));
  dc = nullptr;
}

// Bookkeeping after a bitmap went into the DC: the first one out is the
// DC's own and comes back at destruction; later ones were ours.
void ControlDC::AnotarBitmapSaliente(void* salio, void* nuevo, bool propio) {
  if (!bitmapInicial) {
    bitmapInicial = salio;
  } else if (bitmapPropio && salio != nuevo) {
    DeleteObject(static_cast<HBITMAP>(salio));
  }
  bitmapPropio = propio;
}

void ControlDC::AnotarPaletaSaliente(void* salio) {
  if (!paletaInicial) {
    paletaInicial = salio;
  } else if (salio) {
    DeleteObject(static_cast<HPALETTE>(salio));
  }
}

bool ControlDC::AjustarTamañoGDI(int32_t nuevoAncho, int32_t nuevoAlto, bool exacto) {
  if (!exacto && nuevoAncho <= ancho && nuevoAlto <= alto) {
    anchoUsado = nuevoAncho;
    altoUsado = nuevoAlto;
    return true;
  }
  const int32_t anchoBitmap = exacto ? nuevoAncho : std::max(nuevoAncho, ancho);
  const int32_t altoBitmap = exacto ? nuevoAlto : std::max(nuevoAlto, alto);
  ObjetoGDI<HBITMAP> bitmap;
  {
    DCPantalla pantalla;
    bitmap = ObjetoGDI<HBITMAP>(CreateCompatibleBitmap(pantalla.Get(), anchoBitmap, altoBitmap));
  }
  if (!bitmap || !dc) return false;
  HGDIOBJ salio = SelectObject(D(dc), bitmap.Get());
  if (!salio || salio == HGDI_ERROR) return false;
  AnotarBitmapSaliente(salio, bitmap.Soltar(), true);
  ancho = anchoBitmap;
  alto = altoBitmap;
  anchoUsado = nuevoAncho;
  altoUsado = nuevoAlto;
  return true;
}

bool ControlDC::SeleccionarBitmap(HBITMAP bitmap, bool propio) {
  // A bitmap given with ownership is ours from here on, also when it is refused.
  ObjetoGDI<HBITMAP> dueño(propio ? bitmap : nullptr);
  if (Verificar(!modoGDI, "este objeto fue inicializado para cargar imagenes desde un .rf")) return false;
  if (!bitmap) return false;

  BITMAP info{};
  if (!dc || !GetObjectA(bitmap, sizeof info, &info)) return false;
  int colores = 0;
  switch (info.bmBitsPixel) {
    case 1:
    case 16:
    case 24:
    case 32:
      break;
    case 4:
      colores = 16;
      break;
    case 8:
      colores = 256;
      break;
    default:
      Verificar(true, "que pasa con este Bitmap?");
      return false;
  }

  // The colour table is read before the bitmap goes into the DC: GetDIBits
  // wants a bitmap that no DC holds.
  ObjetoGDI<HPALETTE> paleta;
  if (colores) {
    struct {
      BITMAPINFOHEADER cabecera;
      RGBQUAD tabla[256];
    } bi{};
    bi.cabecera.biSize = sizeof bi.cabecera;
    bi.cabecera.biWidth = info.bmWidth;
    bi.cabecera.biHeight = info.bmHeight;
    bi.cabecera.biPlanes = 1;
    bi.cabecera.biBitCount = info.bmBitsPixel;
    if (!GetDIBits(D(dc), bitmap, 0, static_cast<UINT>(info.bmHeight), nullptr,
                   reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS))
      return false;
    struct {
      WORD version;
      WORD entradas;
      PALETTEENTRY colores[256];
    } logica{};
    logica.version = 0x300;
    logica.entradas = static_cast<WORD>(colores);
    for (int i = 0; i < colores; ++i)
      logica.colores[i] = {bi.tabla[i].rgbRed, bi.tabla[i].rgbGreen, bi.tabla[i].rgbBlue, 0};
    paleta = ObjetoGDI<HPALETTE>(CreatePalette(reinterpret_cast<LOGPALETTE*>(&logica)));
    if (!paleta) return false;
  }

  HGDIOBJ salio = SelectObject(D(dc), bitmap);
  if (!salio || salio == HGDI_ERROR) return false;
  dueño.Soltar();
  AnotarBitmapSaliente(salio, bitmap, propio);
  ancho = anchoUsado = info.bmWidth;
  alto = altoUsado = info.bmHeight;

  if (paleta) {
    AnotarPaletaSaliente(SelectPalette(D(dc), paleta.Get(), TRUE));
    paleta.Soltar();
    RealizePalette(D(dc));
  }
  return true;
}

bool ControlDC::CargarGDI(uint32_t numero) {
  auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(numero & 0xFFFF),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_SHARED));
  if (Verificar(!bitmap, "esta imagen no pudo ser cargada, posiblemente no existe en el archivo de recursos"))
    return false;
  return SeleccionarBitmap(bitmap, true);
}

HDC ControlDC::Hdc() const {
  if (Verificar(!modoGDI)) return nullptr;
  return D(dc);
}

HPALETTE ControlDC::PaletaActual() const {
  if (Verificar(!modoGDI)) return nullptr;
  return static_cast<HPALETTE>(GetCurrentObject(D(dc), OBJ_PAL));
}

HBITMAP ControlDC::BitmapActual() const {
  if (Verificar(!modoGDI)) return nullptr;
  return static_cast<HBITMAP>(GetCurrentObject(D(dc), OBJ_BITMAP));
}

uint32_t ControlDC::RealizarPaleta() {
  if (Verificar(!modoGDI)) return 0;
  return RealizePalette(D(dc));
}
