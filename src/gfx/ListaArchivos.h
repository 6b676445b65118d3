// ListaArchivos: the names of the files that match a search pattern, kept
// as records in one block: a length byte (name length + 2), the name, a
// zero byte; a single zero byte after the last record.
#pragma once

#include <cstdint>

class ListaArchivos {
 public:
  ListaArchivos() = default;
  ~ListaArchivos();
  ListaArchivos(const ListaArchivos&) = delete;
  ListaArchivos& operator=(const ListaArchivos&) = delete;

  // Fills the list from a pattern such as "C:\dir\Image\*.bmp".
  bool Buscar(const char* patron);
  // Copies name `indice` (without its extension when asked) into `buffer`;
  // returns the record's length byte, 0 on failure (buffer then empty).
  int32_t Nombre(int32_t indice, bool sinExtension, char* buffer, int32_t tamaño) const;

  // Puts the names in the order a player expects (see MenorNatural); the
  // file system's own order is arbitrary on some systems.
  void OrdenarNatural();

  int32_t Cantidad() const { return cantidad_; }
  bool Cargada() const { return cargada_; }

  // Names this long or longer are refused: their length byte would wrap.
  static constexpr int32_t kNombreMaximo = 253;

 private:
  bool Agregar(const char* nombre, int32_t* usado);

  int32_t cantidad_ = 0;
  int32_t capacidad_ = 0;
  bool cargada_ = false;
  uint8_t* bloque_ = nullptr;
};

// Whether name `a` comes before `b`: names that are a number before their
// extension first, by value ("2.bmp" before "10.bmp"), then the others
// alphabetically without regard to case.
bool MenorNatural(const char* a, const char* b);
