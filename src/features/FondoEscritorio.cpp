#include "FondoEscritorio.h"

#include <windows.h>

#include "ArchivoBMP.h"
#include "Globales.h"
#include "PapelTapiz.h"

namespace {

// Tiled or not is a per-user desktop setting the wallpaper call does not
// take; the picture fills the screen, so it is never tiled.
void NoTeselar() {
  HKEY clave = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\desktop", 0, KEY_SET_VALUE, &clave) != ERROR_SUCCESS) return;
  static constexpr char kNo[] = "0";
  RegSetValueExA(clave, "TileWallpaper", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo), sizeof kNo);
  RegCloseKey(clave);
}

}  // namespace

std::string RutaFondoEscritorio() { return RutaDatos("Tessera.bmp"); }

bool PonerPapelTapiz() {
  std::string ruta = RutaFondoEscritorio();
  // A read-only file from an earlier run could not be replaced.
  if (DWORD atributos = GetFileAttributesA(ruta.c_str());
      atributos != INVALID_FILE_ATTRIBUTES && (atributos & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(ruta.c_str(), FILE_ATTRIBUTE_NORMAL);
  // The desktop changes only once the whole file is in place: a failed
  // write leaves the old wallpaper.
  if (!GuardarFondo(imagenActual, {arranque.anchoPantalla, arranque.altoPantalla}, ruta.c_str())) return false;
  NoTeselar();
  return SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, ruta.data(), SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}
