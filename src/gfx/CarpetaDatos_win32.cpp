#include <windows.h>
#include <shlobj.h>

#include "CarpetaDatos.h"

namespace {

// `ancha` in the system's code page, or empty when a character is lost.
std::string SinPerdida(const wchar_t* ancha) {
  BOOL perdida = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, ancha, -1, nullptr, 0, nullptr, &perdida);
  if (n < 2 || perdida) return {};
  std::string texto(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, ancha, -1, texto.data(), n, nullptr, &perdida);
  texto.resize(static_cast<size_t>(n - 1));
  return perdida ? std::string() : texto;
}

}  // namespace

std::string CarpetaUsuario() {
  PWSTR base = nullptr;
  if (FAILED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_CREATE, nullptr, &base))) return {};
  std::string carpeta = SinPerdida(base);
  // A user name the code page cannot spell may still have a short name.
  if (carpeta.empty()) {
    wchar_t corta[MAX_PATH];
    const DWORD n = GetShortPathNameW(base, corta, MAX_PATH);
    if (n > 0 && n < MAX_PATH) carpeta = SinPerdida(corta);
  }
  CoTaskMemFree(base);
  if (carpeta.empty()) return {};
  if (carpeta.back() != '\\') carpeta += '\\';
  return carpeta + "Tessera\\";
}

std::string CarpetaDatosJuego(const std::string& programa, bool crear) {
  const std::string datos = ElegirCarpetaDatos(programa, CarpetaUsuario());
  if (crear && datos != programa) {
    // Folders already there are no failure.
    CreateDirectoryA(datos.c_str(), nullptr);
    CreateDirectoryA((datos + kCarpetaPartidas).c_str(), nullptr);
    CreateDirectoryA((datos + kCarpetaImagenes).c_str(), nullptr);
  }
  return datos;
}
