// The rules of the puzzle-file window that need no window: which save
// names are allowed, the label under a thumbnail, where the selection and
// the scroll stand as the file list changes.
#pragma once

#include <cstdint>
#include <string>

constexpr int32_t kRanurasArchivo = 4;  // thumbnails shown at a time

enum class NombreGuardado {
  vacio,     // nothing typed: Accept does nothing
  valido,
  invalido,  // the player is told
};

// A typed name (without ".epf"): invalid when it holds only spaces, a
// character the file system refuses or a control character, or names a
// device (CON, NUL, COM1 ... in any case, also "con.txt" or "nul  ").
NombreGuardado ComprobarNombreGuardado(const char* nombre);

// The characters the name field never takes as they are typed.
bool CaracterVetadoNombre(unsigned char c);

// The label under a thumbnail: the whole name up to its first '.'.
std::string EtiquetaArchivo(const char* nombre);

// The selection once the list holds `cantidad` files: the same index while
// it is still a file, else the last one; -1 when the list is empty.
int32_t SeleccionValida(int32_t seleccion, int32_t cantidad);

// The scroll exists for more files than thumbnails; its value is minus the
// first file shown, from 4 - cantidad up to 0.
bool HayDesplazadorArchivos(int32_t cantidad);
int32_t MinimoDesplazadorArchivos(int32_t cantidad);
int32_t ValorDesplazadorArchivos(int32_t valor, int32_t cantidad);
