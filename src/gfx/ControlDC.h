// ControlDC: an off-screen canvas and picture holder.
//   image mode (default): the canvas is a HIMAGE, loaded from the resource
//     archive by number or made blank at a given size;
//   GDI mode: a bitmap selected into a memory DC compatible with the screen,
//     for drawing with GDI calls (Windows only).
// The object owns its HIMAGE, its memory DC and the bitmaps and palettes it
// creates or is given with ownership.
#pragma once

#include <cstdint>

#include "HImage.h"
#include "Punto.h"

#ifdef _WIN32
struct HDC__;
struct HBITMAP__;
struct HPALETTE__;
#endif

class ControlDC {
 public:
  explicit ControlDC(bool gdi = false);
  ~ControlDC();
  ControlDC(const ControlDC&) = delete;
  ControlDC& operator=(const ControlDC&) = delete;

  // Sizes the canvas; false when the memory or bitmap cannot be had (the
  // canvas then stays as it was). Image mode makes a fresh 8-bit HIMAGE
  // without palette (biClrUsed 0); GDI mode grows the bitmap but never
  // shrinks it unless `exacto`.
  bool AjustarTamaño(int32_t nuevoAncho, int32_t nuevoAlto, bool exacto = false);
  // Image mode: picture `numero` of the archive. GDI mode: bitmap resource
  // (numero & 0xFFFF) of the executable. False leaves the canvas unchanged.
  bool Cargar(uint32_t numero);
  // Image mode: the picture enlarged `factor` times by pixel repetition
  // (AmpliarHIMAGE). False leaves the canvas unchanged.
  bool Ampliar(int32_t factor);
  // Image mode: the picture's size; GDI mode: the size last asked for.
  Punto Tamaño() const;
  // Image mode only: the picture, or null before the first load or sizing.
  HIMAGE Imagen() const;

#ifdef _WIN32
  // GDI mode: makes `bitmap` the canvas (with ownership when `propio`) and
  // gives 4- and 8-bit bitmaps a palette from their colour table.
  bool SeleccionarBitmap(HBITMAP__* bitmap, bool propio);
  HDC__* Hdc() const;
  HPALETTE__* PaletaActual() const;
  HBITMAP__* BitmapActual() const;
  uint32_t RealizarPaleta();
#endif

 private:
  bool IniciarGDI();
  void LiberarGDI();
  bool AjustarTamañoGDI(int32_t nuevoAncho, int32_t nuevoAlto, bool exacto);
  bool CargarGDI(uint32_t numero);
  void AnotarBitmapSaliente(void* salio, void* nuevo, bool propio);
  void AnotarPaletaSaliente(void* salio);

  // GDI handles, kept opaque so this header stays free of windows.h.
  void* dc = nullptr;
  void* bitmapInicial = nullptr;  // what the DC held before our first bitmap
  void* paletaInicial = nullptr;  // likewise for the palette
  int32_t ancho = 1, alto = 1;            // allocated
  int32_t anchoUsado = 1, altoUsado = 1;  // last asked for
  bool modoGDI = false;
  HIMAGE imagen = nullptr;
  // Whether the bitmap now selected is ours to delete: one given without
  // ownership goes back to its owner untouched.
  bool bitmapPropio = false;
};
