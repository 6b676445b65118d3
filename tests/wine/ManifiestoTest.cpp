// What Windows reads of both programs before they run: the manifest
// (resource 24/1) and the version block, of the build's one version. This
// test program carries the same resources, so it must see what the
// manifest earns: Windows 10 said as such, and the common controls 6.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <regex>
#include <string>
#include <vector>

namespace {

std::string Junto(const char* nombre) {
  char ruta[MAX_PATH];
  const std::string s(ruta, GetModuleFileNameA(nullptr, ruta, MAX_PATH));
  return s.substr(0, s.rfind('\\') + 1) + nombre;
}

// Resource 24/1 without its comments, one space wherever there were some.
std::string Manifiesto(const char* programa) {
  HMODULE m = LoadLibraryExA(Junto(programa).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  HRSRC r = FindResourceA(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
  const std::string xml =
      r ? std::string(static_cast<const char*>(LockResource(LoadResource(m, r))), SizeofResource(m, r)) : "";
  FreeLibrary(m);
  return std::regex_replace(std::regex_replace(xml, std::regex("<!--[\\s\\S]*?-->"), ""), std::regex("\\s+"), " ");
}

// What Wine does not show: the scaling, the rights, the older systems.
TEST(Manifiesto, BothProgramsAskForWhatTheGameNeeds) {
  const std::string xml = Manifiesto("Tessera.exe");
  EXPECT_EQ(Manifiesto("about.exe"), xml);
  for (const char* pedido : {"<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
                             "PerMonitorV2, PerMonitor</dpiAwareness>",
                             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm<",
                             "<requestedExecutionLevel level=\"asInvoker\"",
                             "version=\"6.0.0.0\" processorArchitecture=\"*\"",                // the 32-bit build's too
                             "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",   // Vista
                             "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",   // 7
                             "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",   // 8
                             "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>"})  // 8.1
    EXPECT_NE(xml.find(pedido), std::string::npos) << pedido;
}

TEST(BloqueVersion, BothProgramsCarryTheOneVersion) {
  const DWORD alto = MAKELONG(TESSERA_VERSION_MENOR_ESPERADA, TESSERA_VERSION_MAYOR_ESPERADA);
  const DWORD bajo = MAKELONG(0, TESSERA_VERSION_PARCHE_ESPERADA);
  for (const auto& [programa, descripcion] :
       {std::pair{"Tessera.exe", "Tessera Puzzle"}, std::pair{"about.exe", "About Tessera Puzzle"}}) {
    SCOPED_TRACE(programa);
    std::vector<char> b(GetFileVersionInfoSizeA(Junto(programa).c_str(), nullptr));
    VS_FIXEDFILEINFO* fijo = nullptr;
    UINT n = 0;
    ASSERT_TRUE(GetFileVersionInfoA(Junto(programa).c_str(), 0, b.size(), b.data()) &&
                VerQueryValueA(b.data(), "\\", reinterpret_cast<void**>(&fijo), &n));
    EXPECT_EQ(std::vector<DWORD>(
                  {fijo->dwFileVersionMS, fijo->dwFileVersionLS, fijo->dwProductVersionMS, fijo->dwProductVersionLS}),
              std::vector<DWORD>({alto, bajo, alto, bajo}));
    auto texto = [&](const std::string& clave) {
      char* v = nullptr;
      return VerQueryValueA(b.data(), ("\\StringFileInfo\\040904B0\\" + clave).c_str(), reinterpret_cast<void**>(&v),
                            &n)
                 ? std::string(v)
                 : "<none>";
    };
    EXPECT_EQ(texto("FileVersion") + " " + texto("ProductVersion"),
              TESSERA_VERSION_ESPERADA " " TESSERA_VERSION_ESPERADA);
    EXPECT_EQ(texto("ProductName") + ", " + texto("FileDescription"), std::string("Tessera Puzzle, ") + descripcion);
    // The sign as one Windows-1252 letter: the source was read as UTF-8.
    EXPECT_EQ(texto("LegalCopyright").substr(0, 2), "\xA9 ");
  }
}

// Windows 10 and 11 say 6.2 to a program whose manifest lacks their entry;
// the project's Wine prefixes are Windows 10.
TEST(SistemaVisto, IsWindows10WithTheCommonControls6) {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
  ASSERT_TRUE(GetVersionExW(&v));
  EXPECT_EQ(v.dwMajorVersion * 100 + v.dwMinorVersion, 1000u);
  // Wine's copy of the version 6 library still reports 5.81: its folder
  // tells, and so does a button that knows its ideal size (version 6 only).
  char ruta[MAX_PATH] = "";
  GetModuleFileNameA(GetModuleHandleA("comctl32.dll"), ruta, MAX_PATH);
  EXPECT_NE(std::string(CharLowerA(ruta)).find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
            std::string::npos)
      << ruta;
  HWND boton = CreateWindowA("Button", "Tessera", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SIZE ideal{};
  EXPECT_TRUE(SendMessageA(boton, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
  DestroyWindow(boton);
  // No UTF-8 code page: GDI's A calls draw the texts as Windows-1252.
  EXPECT_NE(GetACP(), static_cast<UINT>(CP_UTF8));
}

}  // namespace
