// The settings file Tessera.ini, kept with the player's other files, read
// and written through the private-profile calls (section "Tessera").
#pragma once

#include <cstdint>
#include <string>

#include "ValoresConfiguracion.h"

std::string RutaConfiguracion();

// "Track": the music track 0-4; any other text gives 0.
int32_t LeerPistaConfigurada();
void GuardarPista(int32_t pista);

// "Idioma": the language the player chose last; missing or unreadable
// gives English. Read once at start-up.
int32_t LeerIdiomaConfigurado();
void GuardarIdioma(int32_t idiomaElegido);

// "Ghost": whether the ghost picture shows on the table; off when missing.
bool LeerFantasmaConfigurado();
void GuardarFantasma(bool visible);
