// What the play screen asks of the game goes through the installed answers:
// with a recording stand-in nothing opens, without any nothing happens.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Controles.h"
#include "CuadroHonor.h"
#include "Cut.h"
#include "Herramientas.h"
#include "Mensaje.h"
#include "Musica.h"
#include "NewPuzzleParams.h"
#include "Opciones.h"
#include "PeticionesGrabadas.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"

namespace {

using Lista = std::vector<std::string>;

class PeticionesJuego : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
  }
  void TearDown() override {
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    InstalarPeticiones(nullptr);
  }
  static void Herramienta(int k) {
    SendMessageA(VentanaHerramientas(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonHerramienta(k)));
    Bombear(60);
  }
  static void Opcion(int k) {
    SendMessageA(VentanaOpciones(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonOpcion(k)));
    Bombear(60);
  }
};

TEST_F(PeticionesJuego, ThePanelsAskTheGameAndOpenNothingThemselves) {
  PeticionesGrabadas grabadas;
  Herramienta(kHerramientaMusica);
  Herramienta(kHerramientaHonor);
  EXPECT_EQ(grabadas.Tomar(), (Lista{"music", "honour roll"}));
  EXPECT_EQ(VentanaMusica(), nullptr);
  EXPECT_EQ(VentanaCuadroHonor(), nullptr);

  // Options: open, save, language.
  Opcion(kOpcionAbrir);
  Opcion(kOpcionGuardar);
  Opcion(kOpcionIdioma);
  Opcion(kOpcionFantasma);
  EXPECT_EQ(grabadas.Tomar(), (Lista{"open", "save", "language", "ghost"}));
  EXPECT_EQ(VentanaArchivo(), nullptr);

  // Opening over a changed game asks first; yes keeps it, then opens.
  ClosePuzzle(true);
  ASSERT_TRUE(imagenActual.Abrir((arranque.carpeta + "Image\\1.bmp").c_str()));
  MenuNuevoPrepararImagen();
  MenuNuevoZoomAjustar();
  puzzle.rows = 2, puzzle.cols = 2;
  ASSERT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size())));
  puzzle.modified = true;
  Opcion(kOpcionAbrir);
  EXPECT_EQ(grabadas.Tomar(), Lista{});
  ASSERT_NE(ventanaMensaje, nullptr) << "the question comes first";
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear(150);
  EXPECT_EQ(grabadas.Tomar(), (Lista{"autosave", "open"}));
  ClosePuzzle(false);
}

TEST_F(PeticionesJuego, UnansweredRequestsDoNothing) {
  InstalarPeticiones(nullptr);
  Herramienta(kHerramientaMusica);
  Herramienta(kHerramientaHonor);
  Opcion(kOpcionGuardar);
  EXPECT_EQ(VentanaMusica(), nullptr);
  EXPECT_EQ(VentanaCuadroHonor(), nullptr);
  EXPECT_EQ(VentanaArchivo(), nullptr);
  // Nothing is kept, and what follows the autosave runs all the same.
  static bool seguido;
  seguido = false;
  Juego().GuardarAutomatico([] { seguido = true; });
  EXPECT_TRUE(seguido);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
}

// The real answers open the real windows (the main window installs them).
TEST_F(PeticionesJuego, TheProgramsAnswersOpenTheWindows) {
  Herramienta(kHerramientaMusica);
  EXPECT_NE(VentanaMusica(), nullptr);
  if (HWND v = VentanaMusica()) DestroyWindow(v);
  Bombear(60);
  Herramienta(kHerramientaHonor);
  EXPECT_NE(VentanaCuadroHonor(), nullptr);
  if (HWND v = VentanaCuadroHonor()) DestroyWindow(v);
  Bombear(60);
}

}  // namespace
