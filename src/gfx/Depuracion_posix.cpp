#include <cstdio>
#include <cstdlib>

#include "Depuracion.h"

void SalidaDepuracion(const char* texto) {
  std::fputs(texto, stderr);
  std::fflush(stderr);
}

void TrampaDepuracion() { __builtin_trap(); }
