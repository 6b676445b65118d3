// CopiasReducidas: what a window shows of a picture larger than itself (the
// table) at any scale. Below 1:1 it reads pre-scaled copies (a half, a
// quarter, ... of the picture, each the 2 x 2 area average of the one
// above), kept up to date only where the picture changed, so that a view of
// the whole table costs about as much as a view at 1:1. Above 1:1 each
// picture pixel becomes a sharp block.
//
// Pictures are 24-bit (blue, green, red) rows given by their top row and the
// signed distance in bytes from one row to the next (negative for a
// bottom-up bitmap). A picture may hold only a part of the table: the
// pixels from table point (x0, y0) on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Vista.h"

struct ImagenBGR {
  const uint8_t* arriba = nullptr;  // the top row
  int64_t paso = 0;                 // bytes from a row to the one below
  int32_t ancho = 0, alto = 0;
  int32_t x0 = 0, y0 = 0;

  // Table row y's first stored pixel.
  const uint8_t* Fila(int32_t y) const { return arriba + paso * (y - y0); }
  bool Entera(const Vista& v) const { return x0 == 0 && y0 == 0 && ancho == v.anchoMesa && alto == v.altoMesa; }
};

class CopiasReducidas {
 public:
  // Makes every copy from the whole picture.
  void Rehacer(const ImagenBGR& fuente);
  // After `cambio` of the picture was redrawn (clipped to the picture).
  void Actualizar(const ImagenBGR& fuente, RectMesa cambio);
  void Vaciar();

  // Window pixels `r` of view `v` onto picture `fuente` into `destino` (24-bit
  // rows `pasoDestino` bytes apart, window pixel (r.x, r.y) first). Window
  // pixels that show no part of the table get `fondo` (0xRRGGBB). A part
  // of the table is read without the copies, and must hold every table
  // pixel that `r` shows (RectAMesa).
  void Pintar(const ImagenBGR& fuente, const Vista& v, RectMesa r, uint8_t* destino, int64_t pasoDestino,
              uint32_t fondo) const;

  int32_t Niveles() const { return static_cast<int32_t>(niveles_.size()); }

 private:
  struct Nivel {
    int32_t ancho = 0, alto = 0;
    std::vector<uint8_t> bgr;  // top-down, no padding
    ImagenBGR Imagen() const { return {bgr.data(), static_cast<int64_t>(ancho) * 3, ancho, alto}; }
  };
  static void Reducir(const ImagenBGR& de, Nivel& a, RectMesa r);
  // Level k's picture: 0 is the source itself.
  ImagenBGR Imagen(const ImagenBGR& fuente, int32_t k) const {
    return k == 0 ? fuente : niveles_[static_cast<size_t>(k - 1)].Imagen();
  }

  std::vector<Nivel> niveles_;  // a half, a quarter, ...
};
