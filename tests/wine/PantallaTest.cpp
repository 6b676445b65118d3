// The program started on a given screen (set up by the test runner, which
// says in TESSERA_ESPERADO what that screen must lead to).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "Captura.h"
#include "Proceso.h"

namespace {

const char kTextoColores[] =
    "\nThe configuration of the colors of your monitor is 8 bits or less. You need a minimum of the 16 bits to run "
    "Tessera Puzzle.";
const char kTextoResolucion[] =
    "Tessera Puzzle needs a minimal resolution of 800 x 600 to run. Please, adjust it and retry again.";

struct Hija {
  std::string clase;
  RECT rect;
};

// Every window below `padre`, with its class and its place on the screen.
std::vector<Hija> Hijas(HWND padre) {
  std::vector<Hija> hijas;
  EnumChildWindows(
      padre,
      [](HWND h, LPARAM l) -> BOOL {
        char clase[64] = "";
        GetClassNameA(h, clase, sizeof clase);
        Hija hija{clase, {}};
        GetWindowRect(h, &hija.rect);
        reinterpret_cast<std::vector<Hija>*>(l)->push_back(hija);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&hijas));
  return hijas;
}

// The play screen's buttons where the screen's size puts them.
void ComprobarDisposicion(HWND principal) {
  const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
  std::vector<Hija> hijas;
  for (int t = 0; t < 100 && hijas.size() < 26; ++t, Sleep(50)) hijas = Hijas(principal);
  std::vector<POINT> cajas, animados, comandos;
  for (const Hija& h : hijas) {
    const POINT p{h.rect.left, h.rect.top};
    if (h.clase == "COVBOXSCOMMAND") cajas.push_back(p);
    if (h.clase == "COVANIM") animados.push_back(p);
    if (h.clase == "COVCOMMAND") comandos.push_back(p);
  }
  ASSERT_EQ(cajas.size(), 6u);
  std::sort(cajas.begin(), cajas.end(), [](POINT a, POINT b) { return a.y < b.y; });
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(cajas[i].x, W - 25) << i;
    EXPECT_EQ(cajas[i].y, H / 2 - 112 + 46 * i) << i;
  }
  const auto hay = [](const std::vector<POINT>& v, LONG x, LONG y) {
    return std::any_of(v.begin(), v.end(), [&](POINT p) { return p.x == x && p.y == y; });
  };
  // Title strip: minimise, exit, about (centred: its pixels are checked),
  // new puzzle.
  EXPECT_TRUE(hay(comandos, W - 75, 0));
  EXPECT_TRUE(hay(comandos, W - 36, 0));
  EXPECT_TRUE(std::any_of(comandos.begin(), comandos.end(), [](POINT p) { return p.y == -1; }));
  EXPECT_TRUE(hay(comandos, -2, 10));
  // Options window: help, magnifier, ghost picture, open, save, language,
  // exit; its tab on the bar.
  for (int k = 1; k <= 7; ++k) EXPECT_TRUE(hay(animados, k * W / 8 - 35, H - 103 + 27)) << k;
  EXPECT_TRUE(hay(animados, (W - 104) / 2, H - 25));
  // Tools window's six buttons, evenly down it, and the tool bar's tab.
  for (int k = 1; k <= 6; ++k) EXPECT_TRUE(hay(animados, 0, 78 + k * ((H - 78) / 7) - 35)) << k;
  EXPECT_TRUE(hay(animados, 0, (H - 140) / 2));
}

// What the play screen shows, read back from the screen: no pure black
// between the felt and the bars or beside the box buttons, and the name's
// brass oval in the middle of the title strip.
void ComprobarAspecto() {
  const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
  const HWND pantalla = GetDesktopWindow();
  const RECT cunetas[] = {{25, 78, 49, H - 25}, {25, H - 50, W, H - 25}, {W - 28, 78, W, H - 25}};
  long negros = -1;
  // Until the play screen has painted.
  for (int t = 0; t < 40 && negros != 0; ++t, Sleep(100)) {
    negros = 0;
    for (const RECT& r : cunetas) negros += Contar(pantalla, r, Igual(0));
  }
  EXPECT_EQ(negros, 0) << "black pixels in the gutters";

  const int y = 33, desde = std::max(270, W / 2 - 200), hasta = std::min(W - 80, W / 2 + 200);
  const std::vector<uint32_t> fila = Leer(pantalla, {desde, y, hasta, y + 1});
  ASSERT_EQ(fila.size(), static_cast<size_t>(hasta - desde));
  int izquierda = -1, derecha = -1;
  for (int x = 0; x < hasta - desde; ++x) {
    const uint32_t c = fila[static_cast<size_t>(x)];
    const bool laton = static_cast<int>(c >> 16 & 0xFF) - static_cast<int>(c & 0xFF) > 90;
    if (laton && izquierda < 0) izquierda = desde + x;
    if (laton) derecha = desde + x;
  }
  ASSERT_GE(izquierda, 0) << "no brass oval in the title strip";
  EXPECT_NEAR((izquierda + derecha + 1) / 2.0, W / 2.0, 1.0) << izquierda << ".." << derecha;
}

TEST(Pantalla, ProgramReactsToTheScreen) {
  const char* esperado = std::getenv("TESSERA_ESPERADO");
  const char* programa = std::getenv("TESSERA_PROGRAMA");
  if (!esperado || !programa) GTEST_SKIP() << "run through the screen tests";
  std::string caso = esperado;

  Proceso p(RutaWindows(programa));
  ASSERT_TRUE(p.Iniciado());
  if (caso == "principal") {
    // The intro comes first, over the whole screen; a key ends it.
    HWND intro = p.EsperarVentana("CWNDVIDEO", 60000);
    ASSERT_NE(intro, nullptr) << p.Ventanas();
    RECT v = ClienteEnPantalla(intro);
    EXPECT_EQ(v.right - v.left, GetSystemMetrics(SM_CXSCREEN));
    PostMessageA(intro, WM_CHAR, ' ', 0);
    HWND principal = p.EsperarVentana("CWNDBACK", 3000);
    ASSERT_NE(principal, nullptr);
    // Maximised: the frame lies off screen and the client area is the screen.
    RECT r = ClienteEnPantalla(principal);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(p.EsperarVentana("#32770", 200), nullptr) << "no error dialog on a good screen";
    ComprobarDisposicion(principal);
    ComprobarAspecto();
    PostMessageA(principal, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.EsperarFin(), 0);
    return;
  }
  // A loaded machine can take long to bring up a fresh X server's first
  // window.
  HWND dialogo = p.EsperarVentana("#32770", 60000);
  ASSERT_NE(dialogo, nullptr) << p.Ventanas();
  EXPECT_EQ(TextoVentana(dialogo), "Tessera Puzzle");
  std::string texto = EsperarTexto(GetDlgItem(dialogo, 1000));
  EXPECT_EQ(texto, caso == "colores" ? kTextoColores : kTextoResolucion);
  // The close box ends the program just like OK does.
  PostMessageA(dialogo, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.EsperarFin(), 0);
}

}  // namespace
