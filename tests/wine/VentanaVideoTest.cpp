// The video window in-process with the shipped videos, and from a folder
// without any: what follows each mode, the panel's buttons.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "ArchivoBMP.h"
#include "Captura.h"
#include "CuadroHonor.h"
#include "Cut.h"
#include "FinPuzzle.h"
#include "Fitting.h"
#include "Mensaje.h"
#include "NewPuzzleParams.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "VentanaPrincipal.h"
#include "Video.h"
#include "VistaPrevia.h"

namespace {

namespace fs = std::filesystem;

class VideoVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override { std::strcpy(programa_, arranque.carpeta.c_str()); }
  void TearDown() override {
    for (HWND v : {VentanaVideo(), VentanaVistaPrevia(), ventanaMensaje, VentanaCuadroHonor(), ventanaPrincipal})
      if (v) DestroyWindow(v);
    Bombear(60);
    imagenActual.Cerrar();
    ClosePuzzle(false);
    CambiarCarpetaPrograma(programa_);
    if (!carpeta_.empty()) fs::remove_all(carpeta_);
  }
  void SinVideos() {
    carpeta_ = fs::temp_directory_path() / ("tessera-video-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(carpeta_);
    CambiarCarpetaPrograma((carpeta_.string() + "\\").c_str());
  }
  bool AbrirImagen(const char* nombre) const {
    return imagenActual.Abrir((std::string(programa_) + "Image\\" + nombre).c_str());
  }
  char programa_[300] = "";
  fs::path carpeta_;
};

TEST_F(VideoVentana, AKeyOrAClickSkipsTheIntroIntoTheMainWindow) {
  for (UINT mensaje : {WM_CHAR, WM_LBUTTONUP}) {
    HWND v = AbrirVideo(kVideoIntro, EmpezarJuego);
    ASSERT_NE(v, nullptr);
    EXPECT_NE(DispositivoVideo(), 0u);
    EXPECT_EQ(ventanaPrincipal, nullptr);
    Bombear(300);
    PostMessageA(v, mensaje, ' ', Pt(400, 300));
    Bombear(50);
    EXPECT_FALSE(IsWindow(v));
    ASSERT_NE(ventanaPrincipal, nullptr) << mensaje;
    EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
    DestroyWindow(ventanaPrincipal);
  }
}

TEST_F(VideoVentana, WithoutItsVideoTheIntroGoesStraightToTheMainWindow) {
  SinVideos();
  EXPECT_EQ(AbrirVideo(kVideoIntro, EmpezarJuego), nullptr);
  EXPECT_NE(ventanaPrincipal, nullptr);
}

TEST_F(VideoVentana, TheFinishingVideoPlaysToItsEndThenThePictureShows) {
  CrearVentanaPrincipal();
  ASSERT_TRUE(AbrirImagen("12.bmp"));
  ASSERT_NE(AbrirVideo(kVideoFinal, MostrarImagenTerminada), nullptr);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
  Bombear(1500);
  // The window covers the screen: the middle of the screen mid-video.
  const int x = arranque.anchoPantalla / 2, y = arranque.altoPantalla / 2;
  EXPECT_GT(Contar(VentanaVideo(), {x - 100, y - 100, x + 100, y + 100}, Claro), 200 * 200 / 2);
  for (DWORD t = GetTickCount(); VentanaVideo() && GetTickCount() - t < 10000;) Bombear(20);
  ASSERT_NE(VentanaVistaPrevia(), nullptr);
  EXPECT_EQ(IndiceVistaPrevia(), 11);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
}

TEST_F(VideoVentana, WhenThePictureCannotShowTheHonourCheckFollows) {
  SinVideos();
  CrearVentanaPrincipal();
  // Solved: its score earns a place in the empty roll.
  ASSERT_TRUE(AbrirImagen("1.bmp"));
  MenuNuevoPrepararImagen();
  MenuNuevoZoomAjustar();
  puzzle.rows = 2, puzzle.cols = 3;
  ASSERT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size())));
  SolvePuzzle();
  imagenActual.Cerrar();
  EXPECT_EQ(AbrirVideo(kVideoFinal, MostrarImagenTerminada), nullptr);
  EXPECT_EQ(VentanaVistaPrevia(), nullptr);
  EXPECT_NE(VentanaCuadroHonor(), nullptr);
  EXPECT_NE(ventanaMensaje, nullptr);
}

TEST_F(VideoVentana, ThePanelOutlastsKeysReplaysOnceStoppedAndItsExitLeavesTheMainWindowAlone) {
  CrearVentanaPrincipal();
  ASSERT_NE(AbrirVideo(kVideoPanel), nullptr);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
  Clic(BotonWebVideo());
  EXPECT_EQ(ventanaMensaje, nullptr);
  SendMessageA(VentanaVideo(), WM_CHAR, ' ', 0);
  ASSERT_NE(VentanaVideo(), nullptr);
  mciSendCommandA(DispositivoVideo(), MCI_STOP, MCI_WAIT, 0);
  Clic(BotonRepetirVideo());
  MCI_STATUS_PARMS modo{};
  modo.dwItem = MCI_STATUS_MODE;
  mciSendCommandA(DispositivoVideo(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&modo));
  EXPECT_EQ(modo.dwReturn, static_cast<DWORD_PTR>(MCI_MODE_PLAY));
  Clic(BotonSalirVideo());
  Bombear(50);
  EXPECT_EQ(VentanaVideo(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
  EXPECT_EQ(VentanaVistaPrevia(), nullptr);
}

TEST_F(VideoVentana, NothingFollowsAFinishingVideoGoneWithTheMainWindow) {
  CrearVentanaPrincipal();
  ASSERT_TRUE(AbrirImagen("12.bmp"));
  ASSERT_NE(AbrirVideo(kVideoFinal, MostrarImagenTerminada), nullptr);
  DestroyWindow(ventanaPrincipal);
  EXPECT_EQ(VentanaVideo(), nullptr);
  EXPECT_EQ(VentanaVistaPrevia(), nullptr);
}

}  // namespace
