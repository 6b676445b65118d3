// The wallpaper file: the current picture fitted to the screen, written as
// a standard uncompressed bitmap file (14-byte file header, 40-byte info
// header, the picture's colour table, bottom-up rows).
#pragma once

#include <cstdint>
#include <vector>

#include "ArchivoBMP.h"
#include "Punto.h"

// A w x h picture fitted to a W x H screen, aspect kept: the width fills
// the screen unless the height would not fit. Never below 1 x 1.
Punto TamañoFondo(Punto imagen, Punto pantalla);
// The whole file for the open `archivo`; false when it cannot be read.
bool BytesFondo(ArchivoBMP& archivo, Punto pantalla, std::vector<uint8_t>* bytes);
// Writes it to `ruta` whole through a temporary file; false leaves an
// earlier file as it was.
bool GuardarFondo(ArchivoBMP& archivo, Punto pantalla, const char* ruta);
