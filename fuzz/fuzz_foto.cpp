// The header reader of a player's pictures on arbitrary bytes: the kind and
// the claimed size, never a read outside the data.
#include <cstddef>
#include <cstdint>

#include "Foto.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t bytes) {
  DetectarTipoImagen(datos, static_cast<int64_t>(bytes));
  int64_t w = 0, h = 0;
  if (TamañoDeclarado(datos, static_cast<int64_t>(bytes), &w, &h)) TamañoFotoAceptable(w, h);
  return 0;
}
