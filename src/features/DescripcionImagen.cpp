#include "DescripcionImagen.h"

#include <windows.h>

#include <algorithm>

#include "FichaImagen.h"
#include "Globales.h"

namespace {
std::string Texto(int32_t id) {
  std::string t(kLargoDescripcion + 1, '\0');
  t.resize(static_cast<size_t>(
      std::max(0, LoadStringA(arranque.instancia, static_cast<UINT>(id), t.data(), kLargoDescripcion + 1))));
  return t;
}
}  // namespace

std::string DescripcionImagen(int32_t indice) {
  if (indice < 0 || indice >= kImagenesNumeradas) return "";
  std::string t = Texto(IdDescripcionImagen(indice, idioma));
  return t.empty() ? Texto(kTextoDescripcionIngles + indice) : t;
}
