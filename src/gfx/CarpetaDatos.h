// Where the player's files live: saved games (folder\), Records.ovr,
// Tessera.ini, Tessera.bmp and the player's own pictures (Image\, with
// Image\Cache\). Beside the program in a portable copy; in a per-user
// folder for an installed copy, or when the program's folder takes no new
// file. The shipped data is always read from the program's folder.
#pragma once

#include <string>

#include "ArchivoDisco.h"

// Left beside the program by the installer.
constexpr char kMarcaInstalacion[] = "Tessera.installed";
// The player's folders inside the folder of their files.
constexpr char kCarpetaPartidas[] = "folder";
constexpr char kCarpetaImagenes[] = "Image";

// The folder of the player's files for a program in `programa` (ending in
// a backslash): `usuario`, the per-user folder, when the marker is beside
// the program or when `escribible` finds that the program's folder takes
// no new file; otherwise, or without a per-user folder (empty), the
// program's own.
std::string ElegirCarpetaDatos(const std::string& programa, const std::string& usuario,
                               bool (*escribible)(const char* carpeta) = CarpetaEscribible);

// ---- Windows only ------------------------------------------------------------
// The per-user folder: Tessera\ in the user's roaming application data,
// ending in a backslash; empty when the system has none or the code page
// cannot spell it.
std::string CarpetaUsuario();
// The rule above for the running program. With `crear`, a per-user folder
// chosen is made, with its folder\ and Image\, when missing.
std::string CarpetaDatosJuego(const std::string& programa, bool crear);
