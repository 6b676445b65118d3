#include "ValoresConfiguracion.h"

int32_t PistaDeTexto(const char* texto) {
  const int32_t pista = texto ? texto[0] - '0' : 0;
  return pista >= 0 && pista <= 4 ? pista : 0;
}

int32_t IdiomaDeTexto(const char* texto) {
  if (!texto || texto[0] < '0' || texto[0] >= '0' + kIdiomas || texto[1] != 0) return kIdiomaInicial;
  return texto[0] - '0';
}

bool FantasmaDeTexto(const char* texto) { return texto && texto[0] == '1' && texto[1] == 0; }
