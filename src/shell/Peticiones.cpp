#include "Peticiones.h"

namespace {
Peticiones g_silencio;
Peticiones* g_peticiones = &g_silencio;
}  // namespace

void InstalarPeticiones(Peticiones* peticiones) { g_peticiones = peticiones ? peticiones : &g_silencio; }

Peticiones& Juego() { return *g_peticiones; }
