// The interface's scale: every picture, font, position and size of the
// windows around the table is drawn at a whole factor of its designed
// size, so that each designed pixel stays a sharp k x k block on a dense
// screen. The table and the pieces stay in screen pixels.
#pragma once

#include <cstdint>

#include "Punto.h"

// The dots per inch the interface was designed for, and the smallest
// screen its layout needs.
constexpr int32_t kDpiDiseño = 96;
constexpr int32_t kAnchoDiseño = 800, kAltoDiseño = 600;

// The factor for a screen of `dpi` and ancho x alto pixels: dpi / 96
// (truncated, at least 1), lowered while the designed layout at that
// factor would not fit the screen.
int32_t FactorInterfaz(int32_t dpi, int32_t ancho, int32_t alto);

// The factor this process draws its interface at: 1 until set.
int32_t EscalaInterfaz();
void FijarEscalaInterfaz(int32_t factor);

// A designed measure in screen pixels.
inline int32_t Esc(int32_t medida) { return medida * EscalaInterfaz(); }
inline Punto Esc(Punto p) { return {Esc(p.x), Esc(p.y)}; }
// A distance in screen pixels in designed ones, truncated toward zero.
inline Punto Diseño(Punto p) { return {p.x / EscalaInterfaz(), p.y / EscalaInterfaz()}; }

// Where a thing `tamaño` long starts when centred in `total`, both in
// screen pixels: the designed centring enlarged, so that the layout is the
// designed one k times over, block for block.
inline int32_t Centrar(int32_t total, int32_t tamaño) {
  const int32_t k = EscalaInterfaz();
  return (total / k - tamaño / k) / 2 * k;
}
