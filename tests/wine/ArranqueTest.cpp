// Start-up, the message loop and the main window, in-process and with the
// real program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArbolCarpetas.h"
#include "Arranque.h"
#include "Controles.h"
#include "Globales.h"
#include "ProgramaPrueba.h"
#include "Proceso.h"
#include "Verificar.h"
#include "recursos.h"
#include "VentanaPrincipal.h"

namespace {

std::string CarpetaPruebas() {
  char ruta[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, ruta, MAX_PATH);
  std::string s(ruta, n);
  return s.substr(0, s.rfind('\\') + 1);
}

// ---- The display checks ---------------------------------------------------

TEST(ComprobarPantalla, ColourDepthIsCheckedBeforeTheSize) {
  EXPECT_EQ(ComprobarPantalla(15, 640, 480, 1), 161);
  EXPECT_EQ(ComprobarPantalla(8, 1024, 768, 1), 161);
  EXPECT_EQ(ComprobarPantalla(16, 800, 599, 1), 201);
  EXPECT_EQ(ComprobarPantalla(32, 799, 600, 0), 200);
  EXPECT_EQ(ComprobarPantalla(16, 800, 600, 1), 0);
  EXPECT_EQ(ComprobarPantalla(32, 1920, 1080, 1), 0);
}

// The stored language comes before the checks: each message it picks exists.
TEST(ComprobarPantalla, EveryLanguageGetsAMessageTheStringTableHas) {
  char t[300];
  for (int32_t i = 0; i < 6; ++i)
    for (int32_t id : {ComprobarPantalla(8, 1024, 768, i), ComprobarPantalla(16, 640, 480, i)})
      EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), t, sizeof t), 0) << id;
}

// ---- The program's folder -------------------------------------------------

std::string Cortar(const char* ruta) {
  Cadena c(260);
  lstrcpyA(c.Data(), ruta);
  CortarDirectorio(c, lstrlenA(ruta));
  return std::string(c.Data()) + "|" + std::to_string(c.Size());
}

TEST(Directorio, KeepsTheTrailingBackslashAndRecounts) {
  EXPECT_EQ(Cortar("C:\\GAME\\PUZZLE.EXE"), "C:\\GAME\\|9");
  // No backslash, or only at the very start: the buffer stays as written.
  EXPECT_EQ(Cortar("PUZZLE.EXE"), "PUZZLE.EXE|260");
  EXPECT_EQ(Cortar("\\PUZZLE.EXE"), "\\PUZZLE.EXE|260");
}

// ---- Resources ------------------------------------------------------------

TEST(Recursos, StringsComeOutAsWindows1252) {
  char texto[300];
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 160, texto, sizeof texto), 0);
  EXPECT_EQ(texto[0], '\n');
  EXPECT_NE(std::string(texto).find("configuraci\xF3n"), std::string::npos);
  for (int id = 160; id <= 165; ++id) EXPECT_GT(LoadStringA(GetModuleHandleA(nullptr), id, texto, 300), 0) << id;
}

TEST(Recursos, BothSoundsAreCompleteWaveFiles) {
  for (int id : {242, 243}) {
    const auto* datos = static_cast<const char*>(CargarSonido(GetModuleHandleA(nullptr), id));
    ASSERT_NE(datos, nullptr) << id;
    EXPECT_EQ(std::string(datos, 4), "RIFF");
    EXPECT_EQ(std::string(datos + 8, 4), "WAVE");
  }
}

// ---- The message loop -----------------------------------------------------

std::vector<UINT> g_vistos;
LRESULT g_respuestaPadre = 0;
// Paints the child answers without validating (a faulty window).
int g_pinturasSinValidar = 0;
constexpr UINT kPrimero = WM_APP + 1, kSegundo = WM_APP + 2, kSalir = WM_APP + 3, kFin = WM_APP + 4;

LRESULT CALLBACK ProcPadre(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == kMensajeCaracterHijo) {
    g_vistos.push_back(m);
    return g_respuestaPadre;
  }
  return DefWindowProcA(h, m, w, l);
}

LRESULT CALLBACK ProcHijo(HWND h, UINT m, WPARAM w, LPARAM l) {
  switch (m) {
    case WM_CHAR:
    case kPrimero:
    case kSegundo:
      g_vistos.push_back(m);
      if (m == kPrimero) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case kSalir:
      g_vistos.push_back(m);
      PostQuitMessage(5);
      return 0;
    case kFin:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT: {
      g_vistos.push_back(m);
      if (g_pinturasSinValidar > 0) {
        --g_pinturasSinValidar;
        return 0;
      }
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    default:
      return DefWindowProcA(h, m, w, l);
  }
}

class Bucle : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registradas = false;
    if (!registradas) {
      WNDCLASSA c{};
      c.lpfnWndProc = ProcPadre;
      c.hInstance = GetModuleHandleA(nullptr);
      c.lpszClassName = "PruebaPadre";
      RegisterClassA(&c);
      c.lpfnWndProc = ProcHijo;
      c.lpszClassName = "PruebaHijo";
      RegisterClassA(&c);
      registradas = true;
    }
    padre_ = CreateWindowExA(0, "PruebaPadre", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    hijo_ = CreateWindowExA(0, "PruebaHijo", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, padre_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hijo_, nullptr);
    // Let the creation paints through before recording.
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    g_vistos.clear();
  }
  void TearDown() override { DestroyWindow(padre_); }
  HWND padre_ = nullptr, hijo_ = nullptr;
};

TEST_F(Bucle, ParentDecidesWhetherTheChildGetsACharacter) {
  g_respuestaPadre = 1;
  PostMessageA(hijo_, WM_CHAR, 'a', 1);
  PostQuitMessage(3);
  EXPECT_EQ(BucleMensajes(), 3);
  EXPECT_EQ(g_vistos, (std::vector<UINT>{kMensajeCaracterHijo}));

  g_vistos.clear();
  g_respuestaPadre = 0;
  PostMessageA(hijo_, WM_CHAR, 'a', 1);
  PostQuitMessage(0);
  BucleMensajes();
  EXPECT_EQ(g_vistos, (std::vector<UINT>{kMensajeCaracterHijo, WM_CHAR}));
}

TEST_F(Bucle, PaintsRightAfterTheMessageThatInvalidated) {
  PostMessageA(hijo_, kPrimero, 0, 0);
  PostMessageA(hijo_, kSegundo, 0, 0);
  PostMessageA(hijo_, kFin, 0, 0);
  BucleMensajes();
  EXPECT_EQ(g_vistos, (std::vector<UINT>{kPrimero, WM_PAINT, kSegundo}));
}

// A window that never validates gets its paint after each message, once,
// and the messages after it still come (the old loop spun on its paints).
TEST_F(Bucle, AWindowThatNeverValidatesDoesNotHoldTheLoop) {
  g_pinturasSinValidar = 1000;
  PostMessageA(hijo_, kPrimero, 0, 0);
  PostMessageA(hijo_, kSegundo, 0, 0);
  PostMessageA(hijo_, kFin, 0, 0);
  EXPECT_EQ(BucleMensajes(), 0);
  EXPECT_EQ(g_vistos, (std::vector<UINT>{kPrimero, WM_PAINT, kSegundo, WM_PAINT}));
  g_pinturasSinValidar = 0;
  ValidateRect(hijo_, nullptr);
}

TEST_F(Bucle, QuitFoundWhileDrainingPaintsEndsAtOnce) {
  PostMessageA(hijo_, kSalir, 0, 0);
  PostMessageA(hijo_, kSegundo, 0, 0);
  EXPECT_EQ(BucleMensajes(), 5);
  EXPECT_EQ(g_vistos, (std::vector<UINT>{kSalir}));
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

// ---- The error dialog and the main window ---------------------------------

// The folder tree's class and its ten icons come with the other classes; a
// second registration is refused and only remakes the icon list.
TEST(ArbolCarpetas, RegisteredOnceWithItsTenIcons) {
  PrepararPrograma();
  WNDCLASSA clase{};
  ASSERT_TRUE(GetClassInfoA(arranque.instancia, "CWNDFILEMAN", &clase));
  EXPECT_EQ(clase.cbWndExtra, 16);
  EXPECT_EQ(ImageList_GetImageCount(IconosArbolCarpetas()), 10);
  static std::vector<std::string> avisos;
  const ManejadorVerificar anterior = InstalarManejadorVerificar([](const char* m) { avisos.emplace_back(m); });
  EXPECT_FALSE(FileViewRegister(arranque.instancia, IDI_ESCRITORIO, 2));
  InstalarManejadorVerificar(anterior);
  EXPECT_EQ(avisos.size(), 1u);
  EXPECT_EQ(ImageList_GetImageCount(IconosArbolCarpetas()), 10);
}

TEST(ErrorInicio, ShowsTheTextAndOkEndsTheLoopWithCodeZero) {
  PrepararInicio();
  MostrarErrorInicio(201);
  HWND dialogo = FindWindowA("#32770", "Tessera Puzzle");
  ASSERT_NE(dialogo, nullptr);
  EXPECT_TRUE(IsWindowVisible(dialogo));
  EXPECT_EQ(TextoVentana(GetDlgItem(dialogo, 1000)),
            "Tessera Puzzle needs a minimal resolution of 800 x 600 to run. Please, adjust it and retry again.");
  PostMessageA(dialogo, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialogo, IDOK)));
  EXPECT_EQ(BucleMensajes(), 0);
  EXPECT_FALSE(IsWindow(dialogo));
}

TEST(ErrorInicio, NotificationsOtherThanClicksAreIgnored) {
  PrepararInicio();
  MostrarErrorInicio(161, 1);
  HWND dialogo = FindWindowA("#32770", "Tessera Puzzle");
  ASSERT_NE(dialogo, nullptr);
  SendMessageA(dialogo, WM_COMMAND, MAKEWPARAM(IDOK, BN_SETFOCUS), 0);
  EXPECT_TRUE(IsWindow(dialogo));
  PostMessageA(dialogo, WM_CLOSE, 0, 0);
  EXPECT_EQ(BucleMensajes(), 1);
}

// A key on the dialog as the player presses it: to the control that has the
// focus. The loop must end with the dialog's code; a loop that never does
// is ended by a timer with kColgado.
constexpr int kColgado = 99;
void CALLBACK Colgado(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kColgado); }

int TeclaEnErrorInicio(WPARAM tecla, int codigo) {
  PrepararInicio();
  MostrarErrorInicio(161, codigo);
  HWND dialogo = FindWindowA("#32770", "Tessera Puzzle");
  if (!dialogo) return -1;
  HWND foco = GetFocus();
  EXPECT_TRUE(foco == dialogo || IsChild(dialogo, foco));
  PostMessageA(foco ? foco : dialogo, WM_KEYDOWN, tecla, 1);
  const UINT_PTR reloj = SetTimer(nullptr, 0, 3000, Colgado);
  const int resultado = BucleMensajes();
  KillTimer(nullptr, reloj);
  EXPECT_FALSE(IsWindow(dialogo));
  if (IsWindow(dialogo)) {
    DestroyWindow(dialogo);
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  return resultado;
}

TEST(ErrorInicio, EnterAndEscapeCloseItLikeItsButton) {
  EXPECT_EQ(TeclaEnErrorInicio(VK_RETURN, 1), 1);
  EXPECT_EQ(TeclaEnErrorInicio(VK_ESCAPE, 2), 2);
}

TEST(VentanaPrincipal, CoversTheScreenAndItsEndPostsQuit) {
  PrepararInicio();
  RegistrarVentanaPrincipal(arranque.instancia);
  CrearVentanaPrincipal();
  ASSERT_NE(ventanaPrincipal, nullptr);
  const DWORD estilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(ventanaPrincipal, GWL_STYLE)) & estilo, estilo);
  EXPECT_TRUE(IsZoomed(ventanaPrincipal));
  RECT r = ClienteEnPantalla(ventanaPrincipal);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
  DestroyWindow(ventanaPrincipal);
  EXPECT_EQ(ventanaPrincipal, nullptr);
  EXPECT_EQ(BucleMensajes(), 0);
}

// ---- The real program -----------------------------------------------------

TEST(Programa, WithoutItsArchiveItSaysSoAndEndsWithCodeOne) {
  char temporal[MAX_PATH];
  GetTempPathA(MAX_PATH, temporal);
  std::string carpeta = std::string(temporal) + "tessera-sin-archivo\\";
  CreateDirectoryA(carpeta.c_str(), nullptr);
  std::string copia = carpeta + "Tessera.exe";
  ASSERT_TRUE(CopyFileA((CarpetaPruebas() + "Tessera.exe").c_str(), copia.c_str(), FALSE));
  DeleteFileA((carpeta + "Tessera.rf").c_str());

  {
    Proceso p(copia);
    ASSERT_TRUE(p.Iniciado());
    HWND dialogo = p.EsperarVentana("#32770");
    ASSERT_NE(dialogo, nullptr);
    EXPECT_EQ(EsperarTexto(GetDlgItem(dialogo, 1000)),
              "Tessera Puzzle cannot find its picture archive Tessera.rf next to the program.");
    EXPECT_EQ(p.EsperarVentana("CWNDVIDEO", 300), nullptr);
    EXPECT_EQ(p.EsperarVentana("CWNDBACK", 300), nullptr);
    PostMessageA(dialogo, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(p.EsperarFin(), 1);
  }
  DeleteFileA(copia.c_str());
  RemoveDirectoryA(carpeta.c_str());
}

}  // namespace
