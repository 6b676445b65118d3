// A player's own picture: what kind a file is by its first bytes, which
// sizes are refused before any memory is taken, the size it is kept at for
// this screen's table, and its conversion, row by row as a decoder gives
// them, into the 24-bit bitmap file the game plays from.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "EscaladoArea.h"
#include "Punto.h"

enum class TipoImagen { Desconocido, Bmp, Jpeg, Png, Gif, Tiff };

// By content alone: a file renamed with another extension is still known.
TipoImagen DetectarTipoImagen(const uint8_t* datos, int64_t bytes);

// The size a picture's header claims, read without decoding anything: the
// PNG header, the GIF screen, the BMP info header, the JPEG frame, the TIFF
// first directory. False when the header cannot be read (then no size is
// claimed and the decoder decides).
bool TamañoDeclarado(const uint8_t* datos, int64_t bytes, int64_t* ancho, int64_t* alto);

// A side longer than this, or more pixels than this, is refused.
constexpr int64_t kLadoMaximoFoto = 25000;
constexpr int64_t kPixelesMaximosFoto = 100'000'000;
bool TamañoFotoAceptable(int64_t ancho, int64_t alto);

// The most pixels a converted photo keeps: the area of the largest
// finished puzzle (10,000 pieces of 45 x 45 pixels), so that a photo up to
// that size can be played at its own size.
constexpr int64_t kPixelesFotoConservada = 10'000LL * 45 * 45;
// The size a w x h picture is kept at: as it is up to that area; otherwise
// shrunk to it, aspect kept, each side at least 1.
Punto TamañoFotoConservada(Punto foto);

// Whether a file name ends in one of the extensions of the kinds a player
// adds (".jpg", ".jpeg", ".png", ".gif", ".tif", ".tiff", any case). Bitmaps
// are listed as the shipped pictures are.
bool EsNombreFoto(const std::string& nombre);

// Whether a picture list shows a file of this name: a bitmap, or a photo.
bool EsNombreImagen(const char* nombre);

// The name a converted picture is kept under: the photo's print and a
// word for the size it keeps, on every screen the same. It ends in
// letters: a name ending in digits would read as a shipped picture's.
// Copies of earlier versions were made for one table's size and named by
// it ("<print>-<W>x<H>.foto.bmp"); saved games still play from them.
std::string NombreConvertida(uint64_t huella);

// The note kept beside a converted copy: the name the player gave the
// photo, shown with the finished picture. Empty when `rutaBmp` is not a
// converted copy's path.
std::string RutaNotaConvertida(const std::string& rutaBmp);
std::string NombreNotaConvertida(uint64_t huella);

// A path's file name without its folder and its last extension.
std::string NombreSinExtension(const std::string& ruta);

// The first of "name.ext", "name (2).ext", "name (3).ext"... that
// `ocupado` does not refuse; empty after 9999 tries.
std::string NombreLibre(const std::string& nombre, const std::function<bool(const std::string&)>& ocupado);

// 64-bit FNV-1a of a file's bytes: the same picture added twice is known by it.
uint64_t HuellaBytes(const uint8_t* datos, int64_t bytes, uint64_t semilla = 0xcbf29ce484222325ULL);

// Takes a picture's rows top first, 32 bits a pixel (blue, green, red and
// opacity), lays them over a background colour where they are not opaque,
// scales them by area averaging, turns them upright for their EXIF
// orientation and gives the whole bitmap file: 14-byte file header, 40-byte info header,
// bottom-up rows of 24 bits padded to 4 bytes.
class ConversorFoto {
 public:
  ConversorFoto() = default;
  ConversorFoto(const ConversorFoto&) = delete;  // its scaler writes into this one
  ConversorFoto& operator=(const ConversorFoto&) = delete;
  // `fuente` is the picture as stored, `destino` its upright size in the
  // file; `fondo` is blue, green, red. False when either size is not
  // acceptable.
  bool Empezar(Punto fuente, Punto destino, const uint8_t fondo[3], int orientacion = 1);
  void AgregarFila32(const uint8_t* bgra);
  bool Completo() const { return escalador_.Completo(); }
  // The file, once every row has come; empty before. TomarArchivo hands
  // it over without a copy.
  const std::vector<uint8_t>& Archivo() const;
  std::vector<uint8_t> TomarArchivo();
  Punto Destino() const { return destino_; }

 private:
  void Enderezar();

  EscaladorArea escalador_;
  Punto fuente_{}, destino_{};
  uint8_t fondo_[3] = {0, 0, 0};
  int orientacion_ = 1;
  Punto escalado_{};  // the target as stored, before it is turned
  std::vector<uint8_t> fila_;
  std::vector<uint8_t> archivo_;   // filled as the rows come
  std::vector<uint8_t> escalada_;  // the target as stored, for a turn
};
