// ArchivoBMP: reads the player's own pictures, uncompressed Windows BMP
// files, at their own size or scaled by nearest neighbour.
#pragma once

#include <cstdint>

#include "ArchivoDisco.h"
#include "Binario.h"
#include "Punto.h"

class ArchivoBMP {
 public:
  ArchivoBMP() = default;
  ~ArchivoBMP() { Cerrar(); }
  ArchivoBMP(const ArchivoBMP&) = delete;
  ArchivoBMP& operator=(const ArchivoBMP&) = delete;

  // Opens and checks a BMP file; false (object closed) when it is refused.
  bool Abrir(const char* ruta);
  void Cerrar();
  bool Abierto() const { return tipo_ == 1; }

  // Length of the kept path + 1; copies it when `buffer` has room for it.
  int32_t Ruta(char* buffer, int32_t tamaño) const;
  // (width, height) of the open picture, height as a magnitude; (0, 0) when closed.
  Punto Tamaño() const;
  // The 40-byte info header, height made positive (rows are always handed
  // out bottom-up, whatever order the file keeps them in).
  bool LeerCabecera(CabeceraInfoBMP* cabecera) const;
  bool LeerColores(int32_t primero, int32_t cantidad, ColorRGBQ* buffer);
  // Header followed by every colour entry (at most 40 + 4 x 256 bytes).
  bool LeerInfo(void* info);
  // Raw pixel rows, TamañoImagen(header) bytes, bottom row first.
  bool LeerPixeles(void* buffer);
  // `cantidad` stored rows from row `primera` (both counted from the
  // bottom), bottom row first, each as wide as the file's rows.
  bool LeerFilas(int32_t primera, int32_t cantidad, void* buffer);
  // Whether the file holds every row of pixels (a short file still opens).
  bool Completo() const;
  // Nearest-neighbour scaled rows for a width x |alto| target; a negative
  // `alto` gives the rows top-down.
  bool LeerEscalado(int32_t ancho, int32_t alto, void* buffer);

  int32_t Colores() const { return colores_; }
  bool Comprimido() const { return comprimido_ != 0; }
  int32_t BitsPorPixel() const;

 private:
  // Reads and checks both headers; false refuses the file.
  bool LeerCabeceras();
  // Picture row `fila`, counted from the bottom, into `destino` (one stored
  // row of bytes), wherever the file keeps it.
  bool LeerFila(int64_t fila, uint8_t* destino);

  ArchivoDisco archivo_;
  char* ruta_ = nullptr;
  int32_t tipo_ = 0;
  int32_t comprimido_ = 0;
  int32_t colores_ = 0;
  CabeceraInfoBMP* cabecera_ = nullptr;
  // Beyond the classic reader: where the table and the pixels really are,
  // and whether the file keeps its rows top-down.
  int64_t inicioColores_ = 0;
  int64_t inicioPixeles_ = 0;
  bool arribaAbajo_ = false;
};

// Row stride x |biHeight|, stride = ((biWidth x biBitCount + 31) / 32) x 4.
int64_t TamañoImagen(const CabeceraInfoBMP& cabecera);

// The one current picture: the one the new-puzzle window chose and the
// engine cuts.
extern ArchivoBMP imagenActual;
