// textos_dialogo.exe: what the end-to-end scripts cannot read from X, the
// controls of every visible dialog box, one a line: the middle of the
// control on the screen, then its text in UTF-8 ("412 395 OK").
#include <windows.h>

#include <cstdio>

BOOL CALLBACK Control(HWND control, LPARAM) {
  RECT r{};
  GetWindowRect(control, &r);
  wchar_t ancho[1024] = L"";
  GetWindowTextW(control, ancho, 1024);
  char texto[4096] = "";
  WideCharToMultiByte(CP_UTF8, 0, ancho, -1, texto, sizeof texto, nullptr, nullptr);
  std::printf("%ld %ld %s\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2, texto);
  return TRUE;
}

BOOL CALLBACK Ventana(HWND ventana, LPARAM) {
  char clase[8] = "";
  GetClassNameA(ventana, clase, sizeof clase);
  if (IsWindowVisible(ventana) && lstrcmpA(clase, "#32770") == 0) EnumChildWindows(ventana, Control, 0);
  return TRUE;
}

int main() { return !EnumWindows(Ventana, 0); }
