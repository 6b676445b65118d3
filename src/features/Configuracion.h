// The settings file Tessera.ini, kept in the program's folder with its
// other writable files, read and written through the private-profile calls
// (section "Tessera").
#pragma once

#include <cstdint>
#include <string>

std::string RutaConfiguracion();

// "Track": the music track 0-4; any other text gives 0.
int32_t LeerPistaConfigurada();
void GuardarPista(int32_t pista);
// The track a "Track" value names.
int32_t PistaDeTexto(const char* texto);
