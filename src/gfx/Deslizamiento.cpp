#include "Deslizamiento.h"

int32_t PosicionDeslizamiento(int32_t desde, int32_t hasta, uint32_t transcurrido, uint32_t duracion) {
  if (transcurrido >= duracion) return hasta;
  // What is left of the way shrinks with the square of the time left.
  // In doubles: the squares of long durations overflow 64 bits.
  const double falta = static_cast<double>(duracion - transcurrido) / duracion;
  const double camino = static_cast<double>(int64_t{desde} - hasta);
  return static_cast<int32_t>(hasta + static_cast<int64_t>(camino * falta * falta));
}

void Deslizamiento::Empezar(int32_t desde, int32_t hasta, uint32_t ahora, uint32_t duracion) {
  desde_ = desde;
  hasta_ = hasta;
  inicio_ = ahora;
  duracion_ = duracion;
  activo_ = true;
}

int32_t Deslizamiento::Posicion(uint32_t ahora) const {
  return activo_ ? PosicionDeslizamiento(desde_, hasta_, ahora - inicio_, duracion_) : hasta_;
}
