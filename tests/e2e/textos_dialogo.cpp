// textos_dialogo.exe: what the end-to-end scripts cannot read from X, the
// texts of the visible dialog boxes (any program's). Prints one line per
// control of each one: the middle of the control on the screen, then its
// text in UTF-8 ("412 395 OK"). Exit code 1 when no dialog shows.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(HWND ventana) {
  wchar_t ancho[1024] = L"";
  GetWindowTextW(ventana, ancho, 1024);
  char texto[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, ancho, -1, texto, sizeof texto, nullptr, nullptr);
  std::string s = texto;
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

BOOL CALLBACK Control(HWND control, LPARAM) {
  RECT r{};
  GetWindowRect(control, &r);
  std::printf("%ld %ld %s\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2, Utf8(control).c_str());
  return TRUE;
}

BOOL CALLBACK Ventana(HWND ventana, LPARAM vistos) {
  char clase[16] = "";
  GetClassNameA(ventana, clase, sizeof clase);
  if (!IsWindowVisible(ventana) || lstrcmpA(clase, "#32770") != 0) return TRUE;
  ++*reinterpret_cast<int*>(vistos);
  EnumChildWindows(ventana, Control, 0);
  return TRUE;
}

}  // namespace

int main() {
  int vistos = 0;
  EnumWindows(Ventana, reinterpret_cast<LPARAM>(&vistos));
  std::fflush(stdout);
  return vistos ? 0 : 1;
}
