// about.exe as the game starts it: its window, its language, and how it
// goes away.
#include <gtest/gtest.h>
#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <set>
#include <string>

#include "Proceso.h"
#include "TextosAcerca.h"

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

// The program's own texts, read from its file.
class TextosDeAcerca {
 public:
  explicit TextosDeAcerca(const std::string& ruta)
      : modulo_(LoadLibraryExA(ruta.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~TextosDeAcerca() {
    if (modulo_) FreeLibrary(modulo_);
  }
  TextosDeAcerca(const TextosDeAcerca&) = delete;
  TextosDeAcerca& operator=(const TextosDeAcerca&) = delete;
  bool Abierto() const { return modulo_ != nullptr; }
  std::string operator()(int id) const {
    char b[512];
    const int n = LoadStringA(modulo_, static_cast<UINT>(id), b, sizeof b);
    return std::string(b, n > 0 ? static_cast<size_t>(n) : 0);
  }

 private:
  HMODULE modulo_;
};

// A copy of about.exe in a folder of its own, where the test leaves the
// settings file the game would keep beside it.
class Acerca : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Existe(RutaAcerca())) << RutaAcerca() << " is not beside the tests";
    char temporal[MAX_PATH];
    GetTempPathA(MAX_PATH, temporal);
    carpeta_ = std::string(temporal) + "tessera-acerca-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(carpeta_.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(RutaAcerca().c_str(), Programa().c_str(), FALSE));
  }
  void TearDown() override {
    DeleteFileA(Ini().c_str());
    DeleteFileA(Programa().c_str());
    RemoveDirectoryA(carpeta_.c_str());
  }
  std::string Programa() const { return carpeta_ + "about.exe"; }
  std::string Ini() const { return carpeta_ + "Tessera.ini"; }
  // The file as the game's language window writes it, `valor` for "Idioma".
  void GuardarIdioma(const std::string& valor) const {
    std::ofstream(Ini(), std::ios::binary) << "[Tessera]\r\nTrack=2\r\nIdioma=" << valor << "\r\n";
  }
  // The caption of the window the copy shows.
  std::string Titulo() const {
    Proceso p(Programa());
    HWND hwnd = p.EsperarVentana(kClaseAcerca);
    if (!hwnd) return "<no window>";
    const std::string t = TextoVentana(hwnd);
    PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_EQ(p.EsperarFin(), 0);
    return t;
  }
  std::string carpeta_;
};

TEST_F(Acerca, ShowsItsNameInASmallCentredWindow) {
  Proceso p(Programa());
  ASSERT_TRUE(p.Iniciado());
  HWND hwnd = p.EsperarVentana(kClaseAcerca);
  ASSERT_NE(hwnd, nullptr);
  // No settings file yet: the game's first language, English.
  EXPECT_EQ(TextoVentana(hwnd), "About Tessera Puzzle");

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

// It speaks the language the game stored; anything the game would not
// have written reads as English, as the game itself reads it.
TEST_F(Acerca, SpeaksTheLanguageTheGameStored) {
  TextosDeAcerca textos(Programa());
  ASSERT_TRUE(textos.Abierto());
  std::set<std::string> titulos;
  for (int i = 0; i < 6; ++i) {
    GuardarIdioma(std::to_string(i));
    const std::string titulo = Titulo();
    EXPECT_EQ(titulo, textos(kAcercaTitulo + i)) << i;
    titulos.insert(titulo);
  }
  EXPECT_EQ(titulos.size(), 6u);
  for (const char* valor : {"", "6", "05", "4x", "-1"}) {
    GuardarIdioma(valor);
    EXPECT_EQ(Titulo(), "About Tessera Puzzle") << "Idioma=" << valor;
  }
}

// Every text in all six languages, accents as Windows-1252 bytes; the
// other languages' words are their own.
TEST_F(Acerca, HasEveryTextInEveryLanguage) {
  TextosDeAcerca textos(Programa());
  ASSERT_TRUE(textos.Abierto());
  for (int base : kAcercaBases) {
    std::set<std::string> distintos;
    for (int i = 0; i < 6; ++i) {
      const std::string t = textos(base + i);
      EXPECT_FALSE(t.empty()) << base + i;
      EXPECT_LE(t.size(), 60u) << base + i;
      distintos.insert(t);
    }
    // "Version" is the same word in three of them.
    EXPECT_GE(distintos.size(), base == kAcercaVersion ? 4u : 6u) << base;
  }
  EXPECT_EQ(textos(kAcercaTitulo + 4), "\xC0 propos de Tessera Puzzle");
  EXPECT_EQ(textos(kAcercaTitulo + 5), "\xDC" "ber Tessera Puzzle");
  EXPECT_EQ(textos(kAcercaPie + 1), "Click or press any key to close.");
}

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
    Proceso p(Programa());
    HWND hwnd = p.EsperarVentana(kClaseAcerca);
    ASSERT_NE(hwnd, nullptr);
    PostMessageA(hwnd, c.mensaje, c.wParam, c.lParam);
    EXPECT_EQ(p.EsperarFin(), 0);
  }
}

TEST_F(Acerca, StaysOpenUntilTheButtonComesUp) {
  Proceso p(Programa());
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
  std::string ruta = Programa();
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
