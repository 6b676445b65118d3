// The canvases of a drag: memory DCs holding DIB sections in the screen's
// own pixel format, so that block copies to and from the screen need no
// conversion and the sprite's pixels can be written directly. Also the
// probe that finds that format.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ObjetosGDI.h"
#include "Puzzle.h"

// The screen's pixel format as a compatible bitmap reports it: 16 bits
// with or without masks (without: 5-5-5), 24, or 32 bits (read as 8-8-8).
DisplayFormat SondearFormatoPantalla();

class LienzoArrastre {
 public:
  LienzoArrastre() = default;
  ~LienzoArrastre();
  LienzoArrastre(const LienzoArrastre&) = delete;
  LienzoArrastre& operator=(const LienzoArrastre&) = delete;

  // Makes a canvas of at least ancho x alto in `formato`; keeps the old one
  // when it already fits. False when GDI refuses (the canvas is then empty).
  bool Ajustar(int32_t ancho, int32_t alto, const DisplayFormat& formato);
  HDC Hdc() const { return dc_; }
  // Top-down rows; GdiFlush before writing them after GDI drew.
  uint8_t* Pixeles() const { return pixeles_; }
  int32_t Stride() const { return stride_; }
  int32_t Ancho() const { return ancho_; }
  int32_t Alto() const { return alto_; }

 private:
  void Liberar();

  HDC dc_ = nullptr;
  ObjetoGDI<HBITMAP> bitmap_;
  HGDIOBJ bitmapInicial_ = nullptr;
  uint8_t* pixeles_ = nullptr;
  int32_t ancho_ = 0, alto_ = 0, stride_ = 0;
  int32_t bits_ = 0;
  uint32_t mascaras_[3] = {};
};
