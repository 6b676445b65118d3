// about.exe as the game starts it: its window, and how it goes away.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "Proceso.h"

namespace {

constexpr char kClaseAcerca[] = "CWNDACERCA";

std::string RutaAcerca() {
  char ruta[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, ruta, MAX_PATH);
  std::string s(ruta, n);
  return s.substr(0, s.rfind('\\') + 1) + "about.exe";
}

bool Existe(const std::string& ruta) { return GetFileAttributesA(ruta.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Still running after `ms`: it must not close by itself.
bool SigueAbierto(const Proceso& p, DWORD ms = 300) { return p.EsperarFin(ms) == -1; }

class Acerca : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Existe(RutaAcerca())) << RutaAcerca() << " is not beside the tests"; }
};

TEST_F(Acerca, ShowsTheGameNameInASmallCentredWindow) {
  Proceso p(RutaAcerca());
  ASSERT_TRUE(p.Iniciado());
  HWND hwnd = p.EsperarVentana(kClaseAcerca);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(TextoVentana(hwnd), "Tessera Puzzle");

  RECT r{};
  GetWindowRect(hwnd, &r);
  int ancho = r.right - r.left, alto = r.bottom - r.top;
  // Small, and whole on the smallest screen the game runs on.
  EXPECT_GE(ancho, 300);
  EXPECT_LE(ancho, 800);
  EXPECT_GE(alto, 200);
  EXPECT_LE(alto, 600);
  EXPECT_NEAR(r.left, (GetSystemMetrics(SM_CXSCREEN) - ancho) / 2, 1);
  EXPECT_NEAR(r.top, (GetSystemMetrics(SM_CYSCREEN) - alto) / 2, 1);
  // No caption or sizing border: the card is the whole window.
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

  EXPECT_TRUE(SigueAbierto(p));
  PostMessageA(hwnd, WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_EQ(p.EsperarFin(), 0);
}

struct Cierre {
  const char* nombre;
  UINT mensaje;
  WPARAM wParam;
  LPARAM lParam;
};

TEST_F(Acerca, ClosesWithExitCodeZeroOnAnyKeyOrClick) {
  const Cierre casos[] = {
      {"Escape", WM_KEYDOWN, VK_ESCAPE, 0x00010001},
      {"a letter key", WM_KEYDOWN, 'A', 0x001E0001},
      {"a function key", WM_KEYDOWN, VK_F1, 0x003B0001},
      {"Alt", WM_SYSKEYDOWN, VK_MENU, 0x20380001},
      {"a character alone", WM_CHAR, 'x', 0x002D0001},
      {"a left click", WM_LBUTTONUP, 0, MAKELPARAM(40, 30)},
      {"a right click", WM_RBUTTONUP, MK_RBUTTON, MAKELPARAM(200, 100)},
  };
  for (const Cierre& c : casos) {
    SCOPED_TRACE(c.nombre);
    Proceso p(RutaAcerca());
    HWND hwnd = p.EsperarVentana(kClaseAcerca);
    ASSERT_NE(hwnd, nullptr);
    PostMessageA(hwnd, c.mensaje, c.wParam, c.lParam);
    EXPECT_EQ(p.EsperarFin(), 0);
  }
}

TEST_F(Acerca, StaysOpenUntilTheButtonComesUp) {
  Proceso p(RutaAcerca());
  HWND hwnd = p.EsperarVentana(kClaseAcerca);
  ASSERT_NE(hwnd, nullptr);
  // Moving over it, pressing, releasing a key or repainting is no reason to go.
  PostMessageA(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));
  PostMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
  PostMessageA(hwnd, WM_KEYUP, VK_SPACE, 0xC0390001);
  InvalidateRect(hwnd, nullptr, TRUE);
  EXPECT_TRUE(SigueAbierto(p));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  PostMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(100, 100));
  EXPECT_EQ(p.EsperarFin(), 0);
}

struct Busqueda {
  DWORD pid;
  HWND encontrada;
};

BOOL CALLBACK VisitarAcerca(HWND hwnd, LPARAM param) {
  auto* b = reinterpret_cast<Busqueda*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char clase[32] = "";
  GetClassNameA(hwnd, clase, sizeof clase);
  if (pid != b->pid || lstrcmpA(clase, kClaseAcerca) != 0) return TRUE;
  b->encontrada = hwnd;
  return FALSE;
}

// The title strip starts it through the shell with show value 0 (hidden);
// the window must show all the same.
TEST_F(Acerca, ShowsWhenTheShellStartsItHidden) {
  std::string ruta = RutaAcerca();
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.lpVerb = "open";
  info.lpFile = ruta.c_str();
  info.nShow = SW_HIDE;
  ASSERT_TRUE(ShellExecuteExA(&info));
  ASSERT_NE(info.hProcess, nullptr);

  Busqueda b{GetProcessId(info.hProcess), nullptr};
  for (int t = 0; t < 400 && !b.encontrada; ++t) {
    EnumWindows(&VisitarAcerca, reinterpret_cast<LPARAM>(&b));
    if (!b.encontrada) Sleep(50);
  }
  ASSERT_NE(b.encontrada, nullptr);
  // Found as soon as it exists; give it its start-up to show.
  for (int t = 0; t < 100 && !IsWindowVisible(b.encontrada); ++t) Sleep(20);
  EXPECT_TRUE(IsWindowVisible(b.encontrada));

  PostMessageA(b.encontrada, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  EXPECT_EQ(WaitForSingleObject(info.hProcess, 20000), WAIT_OBJECT_0);
  DWORD codigo = 99;
  GetExitCodeProcess(info.hProcess, &codigo);
  EXPECT_EQ(codigo, 0u);
  if (WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info.hProcess, 99);
  CloseHandle(info.hProcess);
}

}  // namespace
