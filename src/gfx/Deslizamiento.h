// Where a sliding picture stands, paced by the clock rather than by the
// frames drawn: a slide takes the same time on any machine, however many
// frames fit in it.
#pragma once

#include <cstdint>

// Every slide of the game: brisk, yet long enough to be seen.
constexpr uint32_t kDuracionDeslizamiento = 200;  // ms

// `desde` at 0 ms, `hasta` from `duracion` ms on, and in between an
// ease-out (quick at first, settling into place), each value truncated
// toward `hasta`. A duration of 0 is at `hasta` at once.
int32_t PosicionDeslizamiento(int32_t desde, int32_t hasta, uint32_t transcurrido, uint32_t duracion);

// A slide under way, on a millisecond clock that may wrap (GetTickCount).
class Deslizamiento {
 public:
  void Empezar(int32_t desde, int32_t hasta, uint32_t ahora, uint32_t duracion = kDuracionDeslizamiento);
  // Stops it where it is; Posicion then answers the end.
  void Terminar() { activo_ = false; }
  bool Activo() const { return activo_; }
  // Whether its time is up (it stays active until Terminar).
  bool Cumplido(uint32_t ahora) const { return !activo_ || ahora - inicio_ >= duracion_; }
  int32_t Posicion(uint32_t ahora) const;

 private:
  int32_t desde_ = 0, hasta_ = 0;
  uint32_t inicio_ = 0, duracion_ = 0;
  bool activo_ = false;
};
