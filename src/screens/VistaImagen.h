// CWNDIMGPREV: the full-screen image preview, opened on demand by the
// new-puzzle window (owner, disabled while it is open); shows one picture file
// scaled to fit the screen, centred on black, until a key or a double click.
#pragma once

#include <windows.h>
#include <vfw.h>

#include <cstdint>
#include <vector>

#include "ArchivoBMP.h"
#include "HImage.h"
#include "Punto.h"

// A picture read from a BMP file at a size of its own: its 1064-byte header
// with the colour table, and its scaled rows. The preview and the two piece
// choosers hold one each.
class ImagenEscalada {
 public:
  // Reads `archivo`'s header and colours and its pixels scaled to `tamaño`
  // (each side at least 1). False, and nothing held, when any read fails.
  bool Leer(ArchivoBMP& archivo, Punto tamaño);
  void Vaciar();
  bool Vacia() const { return pixeles_.empty(); }
  Punto Tamaño() const;
  // Stretched into ancho x alto at (x, y); nothing when empty.
  void Dibujar(HDRAWDIB drawDib, HDC hdc, int32_t x, int32_t y, int32_t ancho, int32_t alto) const;

 private:
  const BITMAPINFOHEADER* Cabecera() const { return reinterpret_cast<const BITMAPINFOHEADER*>(cabecera_); }

  alignas(4) uint8_t cabecera_[kHImagenPixeles] = {};
  std::vector<uint8_t> pixeles_;
};

bool RegistrarVistaImagen(HINSTANCE instancia);

// Opens the preview of the BMP file `ruta`, owned by `dueño`, which stays
// disabled until the preview closes. False, with nothing opened and `dueño`
// untouched, when the file cannot be read or a preview is already open.
bool MostrarImagenGrande(HWND dueño, const char* ruta);
// The open preview, or null.
HWND VentanaVistaImagen();

// A w x h picture fitted into the pantalla.x x pantalla.y screen, aspect
// kept, never below 1 x 1.
Punto TamañoVistaImagen(Punto imagen, Punto pantalla);
