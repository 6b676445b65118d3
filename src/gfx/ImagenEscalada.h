// ImagenEscalada: a picture file read at another size, kept as a header
// with its colour table and the pixel rows, ready to be drawn with DrawDib.
// The thumbnails and previews of the player's pictures are made of these.
#pragma once

#include <cstdint>
#include <vector>

#include "ArchivoBMP.h"
#include "Binario.h"
#include "Punto.h"

class ImagenEscalada {
 public:
  ImagenEscalada() = default;
  ImagenEscalada(const ImagenEscalada&) = delete;
  ImagenEscalada& operator=(const ImagenEscalada&) = delete;

  // Reads the open `archivo` at `tamaño` (each side at least 1), sampling
  // the nearest pixel, in the file's own depth. False, and the picture is
  // empty, when the file cannot give it.
  bool Leer(ArchivoBMP& archivo, Punto tamaño);
  // The same averaged over the area each pixel covers, as 24-bit colour:
  // the look of the picture on screen at a smaller size.
  bool LeerSuavizada(ArchivoBMP& archivo, Punto tamaño);
  // Another scaled picture, 24-bit, averaged again to `tamaño`.
  bool Escalar(const ImagenEscalada& fuente, Punto tamaño);
  void Vaciar();

  bool Vacia() const { return pixeles_.empty(); }
  Punto Tamaño() const { return Vacia() ? Punto{0, 0} : Punto{info_.cabecera.biWidth, info_.cabecera.biHeight}; }
  // The header followed by its colour table (a BITMAPINFO).
  const CabeceraInfoBMP* Cabecera() const { return &info_.cabecera; }
  const ColorRGBQ* Colores() const { return info_.colores; }
  const uint8_t* Pixeles() const { return pixeles_.data(); }

 private:
  struct Info {
    CabeceraInfoBMP cabecera;
    ColorRGBQ colores[256];
  };
  static_assert(sizeof(Info) == 1064);
  // A 24-bit header for `tamaño` and room for its rows.
  bool Preparar24(Punto tamaño);

  Info info_{};
  std::vector<uint8_t> pixeles_;
};
