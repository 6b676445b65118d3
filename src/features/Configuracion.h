// The settings file Tessera.ini, kept with the player's other files, read
// through the private-profile calls (section "Tessera") and written whole
// through a temporary file, so that a failed write leaves the old one.
#pragma once

#include <cstdint>
#include <string>

#include "ValoresConfiguracion.h"

// A choice that could not be written (message base + language): it holds
// until the game ends.
constexpr int32_t kTextoConfiguracionNoGuardada = 710;

std::string RutaConfiguracion();

// Each Guardar... is false when the file could not be written.

// "Track": the music track 0-4; any other text gives 0.
int32_t LeerPistaConfigurada();
bool GuardarPista(int32_t pista);

// "Idioma": the language the player chose last; missing or unreadable
// gives English. Read once at start-up.
int32_t LeerIdiomaConfigurado();
bool GuardarIdioma(int32_t idiomaElegido);

// "Ghost": whether the ghost picture shows on the table; off when missing.
bool LeerFantasmaConfigurado();
bool GuardarFantasma(bool visible);

// "Turned": whether new puzzles are cut with turned pieces; off when missing.
bool LeerGiradasConfigurado();
bool GuardarGiradas(bool giradas);
