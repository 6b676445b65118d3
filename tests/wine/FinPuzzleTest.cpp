// The end of a puzzle in-process: the finishing video, the finished
// picture's preview, the wallpaper question with either answer, the honour
// name box; and the picture information page's five previews.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "CuadroHonor.h"
#include "Cut.h"
#include "FinPuzzle.h"
#include "Fitting.h"
#include "FondoEscritorio.h"
#include "Globales.h"
#include "InfoImagenes.h"
#include "Mensaje.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "Records.h"
#include "VentanaPrincipal.h"
#include "Video.h"
#include "VistaPrevia.h"

namespace {

namespace fs = std::filesystem;

std::string FondoActual() {
  char ruta[MAX_PATH] = "";
  SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof ruta, ruta, 0);
  return ruta;
}

std::string Teselado() {
  char valor[8] = "";
  DWORD tamaño = sizeof valor;
  RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\desktop", "TileWallpaper", RRF_RT_REG_SZ, nullptr, valor, &tamaño);
  return valor;
}

void Notificar(HWND ventana, HWND control) {
  SendMessageA(ventana, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(control));
  Bombear(80);
}

// Answers the open message box: Enter or Escape.
void Responder(bool si) {
  ASSERT_NE(ventanaMensaje, nullptr);
  SendMessageA(ventanaMensaje, WM_CHAR, si ? VK_RETURN : VK_ESCAPE, 0);
  Bombear(150);
}

// A solved puzzle of picture 12 (index 11) in a program folder of the
// test's own, holding the finishing video and an empty honour roll.
class FinPuzzle : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }

  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    carpeta_ = fs::temp_directory_path() / ("tessera-fin-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_ / "Video");
    fs::copy_file(std::string(programa_) + "Video\\1.avi", carpeta_ / "Video" / "1.avi");
    CambiarCarpetaPrograma((carpeta_.string() + "\\").c_str());
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    ClosePuzzle(true);
    ASSERT_TRUE(imagenActual.Abrir((std::string(programa_) + "Image\\12.bmp").c_str()));
    MenuNuevoPrepararImagen();
    MenuNuevoZoomAjustar();
    puzzle.rows = 2, puzzle.cols = 2;
    ASSERT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size())));
    SolvePuzzle();
    Bombear(50);
  }
  void TearDown() override {
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    for (HWND v : {VentanaVideo(), VentanaVistaPrevia(), VentanaCuadroHonor()})
      if (v) DestroyWindow(v);
    Bombear(60);
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    if (HWND v = VentanaCuadroHonor()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    ClosePuzzle(false);
    CambiarCarpetaPrograma(programa_);
    fs::remove_all(carpeta_);
  }

  // From the last piece to the wallpaper question.
  void HastaLaPregunta() {
    PuzzleTerminado();
    Bombear(300);
    ASSERT_NE(VentanaVideo(), nullptr) << "the finishing video plays";
    EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
    SendMessageA(VentanaVideo(), WM_CHAR, ' ', 0);
    Bombear(100);
    ASSERT_EQ(VentanaVideo(), nullptr);
    ASSERT_NE(VentanaVistaPrevia(), nullptr) << "the finished picture follows";
    EXPECT_EQ(IndiceVistaPrevia(), 11) << "Image\\12.bmp";
    EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
    Notificar(VentanaVistaPrevia(), BotonSalirVistaPrevia());
    ASSERT_EQ(VentanaVistaPrevia(), nullptr);
    ASSERT_NE(ventanaMensaje, nullptr) << "the wallpaper question";
  }

  // The honour roll's name box closes the sequence; the name is kept.
  void NombreEnElCuadro(const char* nombre) {
    ASSERT_NE(VentanaCuadroHonor(), nullptr);
    ASSERT_NE(ventanaMensaje, nullptr);
    SetWindowTextA(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), nombre);
    Responder(true);
    CuadroHonor c;
    ASSERT_EQ(LeerRecords(RutaRecords().c_str(), &c), LecturaRecords::leido);
    EXPECT_STREQ(c.registros[0].nombre, nombre);
  }

  std::string RutaFondo() const { return (carpeta_ / "Tessera.bmp").string(); }

  char programa_[300] = "";
  fs::path carpeta_;
};

TEST_F(FinPuzzle, YesMakesThePictureTheWallpaperThenTheRollAsksTheName) {
  HastaLaPregunta();
  Responder(true);
  EXPECT_EQ(RutaFondoEscritorio(), RutaFondo());
  ASSERT_TRUE(fs::exists(RutaFondo()));
  ArchivoBMP fondo;
  ASSERT_TRUE(fondo.Abrir(RutaFondo().c_str()));
  const Punto tamaño = fondo.Tamaño();
  EXPECT_TRUE(tamaño.x == arranque.anchoPantalla || tamaño.y == arranque.altoPantalla) << tamaño.x << "x" << tamaño.y;
  EXPECT_EQ(FondoActual(), RutaFondo());
  EXPECT_EQ(Teselado(), "0");
  NombreEnElCuadro("Ada");
}

TEST_F(FinPuzzle, NoLeavesTheDesktopAloneAndStillReachesTheRoll) {
  const std::string antes = FondoActual();
  HastaLaPregunta();
  Responder(false);
  EXPECT_FALSE(fs::exists(RutaFondo()));
  EXPECT_EQ(FondoActual(), antes);
  NombreEnElCuadro("Bo");
}

// The player is told (OK alone), and the honour check follows.
TEST_F(FinPuzzle, AFailedWriteKeepsTheOldWallpaper) {
  const std::string antes = FondoActual();
  // A folder where the temporary file would go: the write fails.
  fs::create_directory(RutaFondo() + ".tmp");
  RespuestaPapelTapiz(true, "");
  Bombear(150);
  EXPECT_FALSE(fs::exists(RutaFondo()));
  EXPECT_EQ(FondoActual(), antes);
  ASSERT_NE(ventanaMensaje, nullptr);
  EXPECT_EQ(GetDlgItem(ventanaMensaje, kIdMensajeCancelar), nullptr) << "OK alone";
  EXPECT_EQ(VentanaCuadroHonor(), nullptr);
  Responder(false);
  NombreEnElCuadro("Cy");
}

TEST_F(FinPuzzle, WithoutItsVideoTheSequenceGoesStraightToThePicture) {
  fs::remove(carpeta_ / "Video" / "1.avi");
  PuzzleTerminado();
  Bombear(100);
  EXPECT_EQ(VentanaVideo(), nullptr);
  ASSERT_NE(VentanaVistaPrevia(), nullptr);
  Notificar(VentanaVistaPrevia(), BotonSalirVistaPrevia());
  Responder(false);
  NombreEnElCuadro("Di");
}

class PaginaInfo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
  }
  void TearDown() override {
    for (HWND v : {VentanaVistaPrevia(), VentanaInfo(), ventanaPrincipal})
      if (v) DestroyWindow(v);
    Bombear(60);
  }
};

TEST_F(PaginaInfo, TheInfoButtonOpensThePageAndEachPictureButtonItsPreview) {
  Notificar(ventanaPrincipal, BotonInfo());
  HWND info = VentanaInfo();
  ASSERT_NE(info, nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal)) << "the page leaves its owner enabled";
  RECT r{};
  GetWindowRect(info, &r);
  EXPECT_GE(r.right - r.left, arranque.anchoPantalla);
  const int izquierda = (arranque.anchoPantalla - 800) / 2, arriba = (arranque.altoPantalla - 600) / 2;
  RECT b{};
  GetWindowRect(BotonImagenInfo(3), &b);
  EXPECT_EQ(b.left, izquierda + 597);
  EXPECT_EQ(b.top, arriba + 90);
  for (int k = 0; k < 5; ++k) {
    Notificar(info, BotonImagenInfo(k));
    HWND vista = VentanaVistaPrevia();
    ASSERT_NE(vista, nullptr) << k;
    EXPECT_EQ(GetWindow(vista, GW_OWNER), info);
    EXPECT_EQ(IndiceVistaPrevia(), k);
    EXPECT_FALSE(IsWindowEnabled(info));
    Notificar(vista, BotonSalirVistaPrevia());
    EXPECT_EQ(VentanaVistaPrevia(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(info));
  }
  Notificar(info, BotonSalirInfo());
  EXPECT_EQ(VentanaInfo(), nullptr);
}

// The page's walnut frame (10 wide, and its inner edge line) shows whole:
// no picture button lies on it.
TEST_F(PaginaInfo, ThePictureButtonsLieInsideThePageFrame) {
  Notificar(ventanaPrincipal, BotonInfo());
  HWND info = VentanaInfo();
  ASSERT_NE(info, nullptr);
  UpdateWindow(info);
  const auto pagina = CargarImagenArchivo(265);
  const HIMAGE p = ImagenDe(pagina);
  ASSERT_TRUE(p);
  ASSERT_EQ(p->biWidth, 800);
  ASSERT_EQ(p->biHeight, 600);
  const int izquierda = (arranque.anchoPantalla - 800) / 2, arriba = (arranque.altoPantalla - 600) / 2;
  const std::vector<uint32_t> v = Leer(info, {izquierda, arriba, izquierda + 800, arriba + 600});
  ASSERT_EQ(v.size(), 800u * 600u);
  constexpr int kMarco = 11;
  long distintos = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const bool marco = x < kMarco || y < kMarco || x >= 800 - kMarco || y >= 600 - kMarco;
      if (marco) distintos += v[static_cast<size_t>(y * 800 + x)] != ColorImagen(p, x, y);
    }
  EXPECT_EQ(distintos, 0);
  for (int k = 0; k < 5; ++k) {
    RECT b{};
    GetWindowRect(BotonImagenInfo(k), &b);
    MapWindowPoints(nullptr, info, reinterpret_cast<POINT*>(&b), 2);
    EXPECT_GE(b.left, izquierda + kMarco) << k;
    EXPECT_LE(b.right, izquierda + 800 - kMarco) << k;
    EXPECT_GE(b.top, arriba + kMarco) << k;
  }
}

}  // namespace
