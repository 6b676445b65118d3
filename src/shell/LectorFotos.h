// A player's own picture read through the system's imaging component: any
// kind it decodes (JPEG, PNG, GIF, TIFF, BMP), the first frame only,
// kept at its own size up to the largest puzzle's and given back as the
// game's 24-bit bitmap file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Punto.h"

// What shows through a transparent photo: the table's felt (blue, green, red).
constexpr uint8_t kFondoFotos[3] = {58, 93, 47};

enum class LecturaFoto {
  Bien,
  NoAbre,       // the file cannot be opened or read
  NoEsImagen,   // not a kind of picture the game knows, by its content
  Dañada,       // a picture the system cannot decode (truncated, corrupt)
  Enorme,       // a size beyond the limits, refused before decoding
  SinMemoria,
};

struct FotoLeida {
  std::vector<uint8_t> bmp;  // the whole bitmap file
  Punto original{};          // the picture's own size, upright
  uint64_t huella = 0;       // of the file's bytes
};

// Reads the file at `ruta` (wide characters: any name), decodes it once,
// and shrinks it to TamañoFotoConservada when larger; what is transparent
// shows `fondo` (blue, green, red).
LecturaFoto LeerFoto(const wchar_t* ruta, const uint8_t fondo[3], FotoLeida* foto);

// The converted copy of the photo at `ruta`: made once and kept in
// `carpeta` (made when missing) under NombreConvertida, written whole or
// not at all; later calls find it there without decoding. `rutaBmp` gets
// its path.
LecturaFoto PrepararFoto(const wchar_t* ruta, const uint8_t fondo[3], const std::string& carpeta,
                         std::string* rutaBmp);

// The name of the photo a converted copy was made from (UTF-8, without its
// extension); empty for any other picture.
constexpr size_t kLargoNombreFoto = 1024;
std::string NombreFotoConvertida(const char* rutaBmp);

// Text between the system's code page, UTF-8 and wide characters.
std::wstring AnchaDeUtf8(const std::string& texto);
std::wstring AnchaDeAnsi(const std::string& texto);
std::string Utf8DeAncha(const std::wstring& texto);

// The folder converted photos are kept in: Image\Cache\ of the player's
// files' folder.
std::string CarpetaConvertidas();
