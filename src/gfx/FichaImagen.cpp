#include "FichaImagen.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>

namespace {
bool Digito(char c) { return c >= '0' && c <= '9'; }
bool Separador(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

int32_t IndiceImagenDeRuta(const char* ruta) {
  if (!ruta) return -1;
  const size_t n = std::strlen(ruta);
  static constexpr char kExtension[] = ".bmp";
  if (n < 5) return -1;
  for (size_t i = 0; i < 4; ++i)
    if (std::tolower(static_cast<unsigned char>(ruta[n - 4 + i])) != kExtension[i]) return -1;
  const char unidad = ruta[n - 5];
  if (!Digito(unidad)) return -1;
  int32_t numero = unidad - '0';
  if (n >= 6) {
    const char decena = ruta[n - 6];
    if (Digito(decena))
      numero += 10 * (decena - '0');
    else if (!Separador(decena))
      return -1;  // "photo3.bmp" names no shipped picture
  }
  return numero >= 1 && numero <= kImagenesNumeradas ? numero - 1 : -1;
}

int32_t NumeroNombreImagen(const char* nombre) {
  if (!nombre) return 0;
  const char* p = nombre;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negativo = false;
  if (*p == '+' || *p == '-') negativo = *p++ == '-';
  long long valor = 0;
  for (; Digito(*p); ++p) valor = std::min<long long>(valor * 10 + (*p - '0'), INT_MAX);
  return static_cast<int32_t>(negativo ? -valor : valor);
}

int32_t BuscarImagenNumerada(const ListaArchivos& lista, int32_t numero) {
  char nombre[ListaArchivos::kNombreMaximo + 1];
  for (int32_t i = 0; i < lista.Cantidad(); ++i)
    if (lista.Nombre(i, false, nombre, sizeof nombre) && NumeroNombreImagen(nombre) == numero) return i;
  return -1;
}

Punto TamañoVistaPrevia(Punto imagen) {
  if (imagen.x < 1 || imagen.y < 1) return {1, 1};
  const double w = imagen.x, h = imagen.y;
  const double escala = h * 450.0 / w <= 288.0 ? 450.0 / w : 288.0 / h;
  return {std::max(1, static_cast<int32_t>(w * escala)), std::max(1, static_cast<int32_t>(h * escala))};
}
