// Small shared pieces: pair arithmetic, rectangle overlap, the random
// generator Azar.
#pragma once

#include <cstdint>

#include "Punto.h"

inline Punto HacerPunto(int32_t x, int32_t y) { return Punto{x, y}; }
inline Punto SumarPuntos(const Punto& a, const Punto& b) { return {a.x + b.x, a.y + b.y}; }
inline Punto RestarPuntos(const Punto& a, const Punto& b) { return {a.x - b.x, a.y - b.y}; }
inline Punto Sumar(Punto& a, const Punto& b) {
  a.x += b.x;
  a.y += b.y;
  return a;
}
inline Punto Restar(Punto& a, const Punto& b) {
  a.x -= b.x;
  a.y -= b.y;
  return a;
}
inline bool PuntosIguales(const Punto& a, const Punto& b) { return a.x == b.x && a.y == b.y; }
inline bool PuntosDistintos(const Punto& a, const Punto& b) { return !PuntosIguales(a, b); }
// Scaling and division work in doubles and truncate toward zero.
inline Punto Escalar(double factor, const Punto& a) {
  return {static_cast<int32_t>(a.x * factor), static_cast<int32_t>(a.y * factor)};
}
inline Punto Escalar(const Punto& a, double factor) { return Escalar(factor, a); }
inline Punto Dividir(const Punto& a, double divisor) {
  return {static_cast<int32_t>(a.x / divisor), static_cast<int32_t>(a.y / divisor)};
}
inline int32_t ProductoEscalar(const Punto& a, const Punto& b) {
  // Wraps like the 32-bit arithmetic it stands for.
  return static_cast<int32_t>(static_cast<uint32_t>(a.x) * static_cast<uint32_t>(b.x) +
                              static_cast<uint32_t>(a.y) * static_cast<uint32_t>(b.y));
}

constexpr int kCruceUnion = 1;          // bounding rectangle
constexpr int kCruceInterseccion = 2;  // intersection

// Whether two rectangles overlap (touching edges count), and in the modes
// above the resulting rectangle. Sizes must not be negative.
bool CruzarRectangulos(const Punto& posicion1, const Punto& tamaño1, const Punto& posicion2,
                       const Punto& tamaño2, int modo, Punto* posicion, Punto* tamaño);

// A double in [0, 1), from the runtime generator and the clock.
double Azar();

// The runtime's generator: state x 214013 + 2531011, result bits 16-30.
// The program never seeds it, so it starts from 1 like the original runtime.
int32_t AzarRuntime();
void SembrarAzarRuntime(uint32_t semilla);

// Azar's clock: seconds and milliseconds of the current UTC time. Tests pin
// it by installing their own reader (nullptr restores the system clock).
using LectorReloj = void (*)(int32_t* segundo, int32_t* milisegundo);
LectorReloj InstalarRelojAzar(LectorReloj lector);
// Azar's own seed, kept between calls; tests reset it.
void ReiniciarAzar(double semilla = 0.0);
