// The program started on a given screen (set up by the test runner, which
// says in TESSERA_ESPERADO what that screen must lead to).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "Proceso.h"

namespace {

const char kTextoColores[] =
    "\nThe configuration of the colors of your monitor is 8 bits or less. You need a minimum of the 16 bits to run "
    "Tessera Puzzle.";
const char kTextoResolucion[] =
    "Tessera Puzzle needs a minimal resolution of 800 x 600 to run. Please, adjust it and retry again.";

TEST(Pantalla, ProgramReactsToTheScreen) {
  const char* esperado = std::getenv("TESSERA_ESPERADO");
  const char* programa = std::getenv("TESSERA_PROGRAMA");
  if (!esperado || !programa) GTEST_SKIP() << "run through the screen tests";
  std::string caso = esperado;

  Proceso p(RutaWindows(programa));
  ASSERT_TRUE(p.Iniciado());
  if (caso == "principal") {
    HWND principal = p.EsperarVentana("CWNDBACK");
    ASSERT_NE(principal, nullptr);
    // Maximised: the frame lies off screen and the client area is the screen.
    RECT r = ClienteEnPantalla(principal);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(r.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(p.EsperarVentana("#32770", 200), nullptr) << "no error dialog on a good screen";
    PostMessageA(principal, WM_CLOSE, 0, 0);
    EXPECT_EQ(p.EsperarFin(), 0);
    return;
  }
  HWND dialogo = p.EsperarVentana("#32770");
  ASSERT_NE(dialogo, nullptr);
  EXPECT_EQ(TextoVentana(dialogo), "Tessera Puzzle");
  std::string texto = EsperarTexto(GetDlgItem(dialogo, 1000));
  EXPECT_EQ(texto, caso == "colores" ? kTextoColores : kTextoResolucion);
  // The close box ends the program just like OK does.
  PostMessageA(dialogo, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.EsperarFin(), 0);
}

}  // namespace
