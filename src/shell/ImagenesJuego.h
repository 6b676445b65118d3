// The game's pictures in its Image folders: the shipped bitmaps beside the
// program and the player's own photos (in the same folder in a portable
// copy), listed by their real (wide) names, played from a bitmap the game
// can read, and added from anywhere.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "LectorFotos.h"
#include "Punto.h"

struct ImagenJuego {
  std::string carpeta;  // the folder it is in, as given
  std::string nombre;   // UTF-8
  uint64_t bytes = 0;
};

// Every picture in `carpeta` (ending in a backslash), in natural order:
// the shipped numbers first, then the others by name.
std::vector<ImagenJuego> ListarImagenes(const std::string& carpeta);
// The pictures of `programa`, then those of `propias` when it is another
// folder.
std::vector<ImagenJuego> ListarImagenes(const std::string& programa, const std::string& propias);

// The bitmap the picture at `ruta` is played from: the file itself when it
// is a bitmap whose path the system code page spells; otherwise its
// converted copy, kept in `cache`.
LecturaFoto RutaJugable(const std::wstring& ruta, const std::string& cache, std::string* rutaBmp);

struct ImagenAgregada {
  LecturaFoto lectura = LecturaFoto::NoAbre;
  bool repetida = false;  // the same bytes were there already
  std::string carpeta;    // the folder of the picture named below
  std::string nombre;     // in the folder (UTF-8): the new copy, or the one already there
};

// Adds the picture at `ruta` to `carpeta`. It is read and converted first,
// so a file the game cannot play is refused with the reason and nothing is
// copied. A file whose bytes equal a picture already
// in the folder, or in `programa` (the shipped pictures' folder, when it is
// another), is not copied again. A name already taken in either gets
// " (2)"...; a name without a picture extension gets the one its content
// calls for.
ImagenAgregada AgregarImagen(const std::wstring& ruta, const std::string& carpeta, const std::string& programa = {});

// Several pictures added at once, in the order given: the last one added
// (or found there already) is the one to choose; the others that were not
// added are kept with what became of each.
struct ImagenesAgregadas {
  ImagenAgregada elegida;  // no name: none was added or found
  std::vector<std::pair<std::wstring, ImagenAgregada>> sinAgregar;  // path, and why
};
ImagenesAgregadas AgregarImagenes(const std::vector<std::wstring>& rutas, const std::string& carpeta,
                                  const std::string& programa = {});

// The files of `sinAgregar` one a line (UTF-8), each name followed by its
// reason, taken from `motivos`: five texts apart by '|' (not a picture,
// damaged, too large, not copied, there already). Beyond `maximo` files a
// last line counts the rest.
std::string ListaSinAgregar(const std::vector<std::pair<std::wstring, ImagenAgregada>>& sinAgregar,
                            const std::string& motivos, size_t maximo);
