#include "Escala.h"

namespace {
int32_t g_escala = 1;
}

int32_t FactorInterfaz(int32_t dpi, int32_t ancho, int32_t alto) {
  int32_t k = dpi / kDpiDiseño;
  while (k > 1 && (int64_t{kAnchoDiseño} * k > ancho || int64_t{kAltoDiseño} * k > alto)) --k;
  return k < 1 ? 1 : k;
}

int32_t EscalaInterfaz() { return g_escala; }

void FijarEscalaInterfaz(int32_t factor) { g_escala = factor < 1 ? 1 : factor; }
