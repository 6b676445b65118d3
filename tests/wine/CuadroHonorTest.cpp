// The honour roll in-process: the real main window, Records.ovr in a folder
// of the test's own, the roll opened, checked after a solved puzzle, a name
// typed into the real message box.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
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
#include "EtiquetaTexto.h"
#include "Fitting.h"
#include "Globales.h"
#include "ProgramaPrueba.h"
#include "Mensaje.h"
#include "NewPuzzleParams.h"
#include "Puzzle.h"
#include "Records.h"
#include "VentanaPrincipal.h"

namespace {

namespace fs = std::filesystem;


std::string Texto(HWND etiqueta) {
  char b[64] = "";
  SendMessageA(etiqueta, kMsgTextoCopiar, sizeof b, reinterpret_cast<LPARAM>(b));
  return b;
}

// Scores 9000, 8000, ... 0 with names "P0" .. "P9".
CuadroHonor Roll() {
  CuadroHonor c = CuadroPorDefecto();
  for (int i = 0; i < kRecords; ++i) {
    char nombre[4];
    std::snprintf(nombre, sizeof nombre, "P%d", i);
    InsertarRecord(&c, i, 9000 - 1000 * i, nombre);
  }
  return c;
}

class CuadroHonorVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }

  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    carpeta_ = fs::temp_directory_path() / ("tessera-honor-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
    const std::string ruta = carpeta_.string() + "\\";
    CambiarCarpetaPrograma(ruta.c_str());
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
  }
  void TearDown() override {
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    if (HWND v = VentanaCuadroHonor()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    ClosePuzzle(false);
    CambiarCarpetaPrograma(programa_);
    fs::remove_all(carpeta_);
  }

  std::string Ruta() const { return (carpeta_ / "Records.ovr").string(); }
  void Escribir(const CuadroHonor& c) const {
    const auto b = BytesRecords(c);
    std::ofstream(Ruta(), std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
  }
  CuadroHonor Leido() const {
    CuadroHonor c;
    EXPECT_EQ(LeerRecords(Ruta().c_str(), &c), LecturaRecords::leido);
    return c;
  }

  // A solved 2 x 3 puzzle of the first picture: its score, > 0.
  int32_t Resuelto() const {
    ClosePuzzle(true);
    EXPECT_TRUE(imagenActual.Abrir((std::string(programa_) + "Image\\1.bmp").c_str()));
    MenuNuevoPrepararImagen();
    MenuNuevoZoomAjustar();
    puzzle.rows = 2, puzzle.cols = 3;
    EXPECT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size())));
    SolvePuzzle();
    int32_t piezas, porcentaje, puntos;
    ScorePuzzle(&piezas, &porcentaje, &puntos);
    EXPECT_GT(puntos, 0);
    return puntos;
  }

  // Types `nombre` into the open name box and answers it; a roll that
  // cannot be written is then told, and that box closed too.
  static void Contestar(const char* nombre, bool aceptar, bool sinGuardar = false) {
    ASSERT_NE(ventanaMensaje, nullptr);
    SetWindowTextA(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), nombre);
    SendMessageA(ventanaMensaje, WM_CHAR, aceptar ? VK_RETURN : VK_ESCAPE, 0);
    Bombear(150);
    if (sinGuardar) {
      ASSERT_NE(ventanaMensaje, nullptr) << "the failed write went untold";
      SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
      Bombear(150);
    }
    ASSERT_EQ(ventanaMensaje, nullptr);
  }

  // The band after each row's score, as the window shows it, against the
  // roll's paper (its tile, repeated from the screen's corner): the marked
  // rows show an arrow there in the rows' black ink, the others bare paper.
  static void ComprobarFlechas(const std::vector<int>& marcadas) {
    HWND v = VentanaCuadroHonor();
    UpdateWindow(v);
    const auto papel = CargarImagenArchivo(160);
    ASSERT_TRUE(ImagenDe(papel));
    for (int i = 0; i < kRecords; ++i) {
      RECT p{};
      GetWindowRect(PuntosCuadroHonor(i), &p);
      MapWindowPoints(nullptr, v, reinterpret_cast<POINT*>(&p), 2);
      const RECT banda{p.right, p.top, p.right + Esc(40), p.top + Esc(30)};
      const std::vector<uint32_t> vista = Leer(v, banda);
      ASSERT_FALSE(vista.empty());
      long tinta = 0, otros = 0;
      for (int y = banda.top, k = 0; y < banda.bottom; ++y)
        for (int x = banda.left; x < banda.right; ++x, ++k) {
          const uint32_t color = vista[static_cast<size_t>(k)];
          if (color != ColorImagen(papel->Imagen(), x % Esc(80), y % Esc(80))) ++(color == 0 ? tinta : otros);
        }
      EXPECT_EQ(otros, 0) << "row " << i;
      if (std::count(marcadas.begin(), marcadas.end(), i)) EXPECT_GT(tinta, Esc(1) * Esc(60)) << "row " << i;
      else EXPECT_EQ(tinta, 0) << "row " << i;
    }
  }

  char programa_[300] = "";
  fs::path carpeta_;
};

TEST_F(CuadroHonorVentana, ShowsTheRollFullScreenOverADisabledMainWindow) {
  Escribir(Roll());
  HWND v = AbrirCuadroHonor();
  ASSERT_NE(v, nullptr);
  Bombear();
  RECT r{};
  GetWindowRect(v, &r);
  EXPECT_EQ(r.right - r.left, arranque.anchoPantalla);
  EXPECT_EQ(r.bottom - r.top, arranque.altoPantalla);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
  for (int i = 0; i < kRecords; ++i) {
    char nombre[4];
    std::snprintf(nombre, sizeof nombre, "P%d", i);
    EXPECT_EQ(Texto(NombreCuadroHonor(i)), nombre);
    EXPECT_EQ(Texto(PuntosCuadroHonor(i)), std::to_string(9000 - 1000 * i));
    RECT f{};
    GetWindowRect(NombreCuadroHonor(i), &f);
    EXPECT_EQ(f.top, (arranque.altoPantalla - 480) / 2 + 30 * i + 63);
    EXPECT_EQ(f.left, (arranque.anchoPantalla - 640) / 2 + 74);
  }
  SendMessageA(v, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonSalirCuadroHonor()));
  Bombear(50);
  EXPECT_EQ(VentanaCuadroHonor(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
}

// On the default roll every name is dashes from its first pixel: the place
// number, "10" too, keeps a band of bare cork before it.
TEST_F(CuadroHonorVentana, EachPlaceNumberStandsClearOfItsName) {
  HWND v = AbrirCuadroHonor();
  ASSERT_NE(v, nullptr);
  Bombear();
  UpdateWindow(v);
  for (int i = 0; i < kRecords; ++i) {
    RECT n{};
    GetWindowRect(NombreCuadroHonor(i), &n);
    MapWindowPoints(nullptr, v, reinterpret_cast<POINT*>(&n), 2);
    const auto tinta = [](uint32_t c) { return Suma(c) < 150; };
    EXPECT_EQ(Contar(v, {n.left - 8, n.top, n.left, n.bottom}, tinta), 0) << "place " << i + 1;
    EXPECT_GT(Contar(v, {n.left - 60, n.top, n.left - 8, n.bottom}, tinta), 20) << "place " << i + 1;
    EXPECT_GT(Contar(v, {n.left, n.top, n.left + 20, n.bottom}, tinta), 10) << "the dashes of " << i + 1;
  }
}

// The bin asks first: no leaves the file and the roll as they were; yes
// shows the default roll and leaves no file.
TEST_F(CuadroHonorVentana, EraseAsksThenShowsTheDefaultRollAndLeavesNoFile) {
  Escribir(Roll());
  AbrirCuadroHonor();
  const auto borrar = [](bool si) {
    SendMessageA(VentanaCuadroHonor(), kMsgNotificacion, kNotifActivado,
                 reinterpret_cast<LPARAM>(BotonBorrarCuadroHonor()));
    ASSERT_NE(ventanaMensaje, nullptr);
    SendMessageA(ventanaMensaje, WM_CHAR, si ? VK_RETURN : VK_ESCAPE, 0);
    Bombear(150);
  };
  borrar(false);
  EXPECT_EQ(BytesRecords(Leido()), BytesRecords(Roll()));
  EXPECT_EQ(Texto(NombreCuadroHonor(0)), "P0");
  EXPECT_EQ(Texto(PuntosCuadroHonor(0)), "9000");
  borrar(true);
  EXPECT_FALSE(fs::exists(Ruta()));
  EXPECT_EQ(Texto(NombreCuadroHonor(0)), std::string(23, '-'));
  EXPECT_EQ(Texto(PuntosCuadroHonor(9)), "0");
  // Again, with no file at all.
  borrar(true);
  EXPECT_FALSE(fs::exists(Ruta()));
}

TEST_F(CuadroHonorVentana, AScoreThatEarnsAPlaceAsksTheNameAndWritesIt) {
  const int32_t puntos = Resuelto();
  CuadroHonor c = Roll();
  // The new score ties the fourth row: it goes just below it.
  c.registros[3].puntos = puntos;
  c.registros[4].puntos = puntos - 1;
  Escribir(c);
  ComprobarRecord();
  Bombear();
  ASSERT_NE(VentanaCuadroHonor(), nullptr);
  Contestar("Zoe", true);
  const CuadroHonor leido = Leido();
  EXPECT_STREQ(leido.registros[4].nombre, "Zoe");
  EXPECT_EQ(leido.registros[4].puntos, puntos);
  EXPECT_STREQ(leido.registros[5].nombre, "P4");
  EXPECT_STREQ(leido.registros[9].nombre, "P8");
  EXPECT_EQ(Texto(NombreCuadroHonor(4)), "Zoe");
  EXPECT_EQ(Texto(NombreCuadroHonor(5)), "P4");
  // The window stays for the player to leave.
  EXPECT_NE(VentanaCuadroHonor(), nullptr);
}

// A game with turned pieces enters marked; the marks below move down with
// their rows, in the file and on the screen, and erasing takes them all.
TEST_F(CuadroHonorVentana, ATurnedGameEntersWithAnArrowAndTheArrowsBelowMoveDown) {
  Resuelto();
  puzzle.turned = 1;
  CuadroHonor c = Roll();
  for (int i = 0; i < kRecords; ++i) c.registros[static_cast<size_t>(i)].puntos = i < 4 ? INT32_MAX : 0;
  c.registros[5].girada = c.registros[9].girada = true;
  Escribir(c);
  ComprobarRecord();
  puzzle.turned = 0;
  Bombear();
  Contestar("Zoe", true);
  const CuadroHonor leido = Leido();
  EXPECT_STREQ(leido.registros[4].nombre, "Zoe");
  std::vector<int> marcadas;
  for (int i = 0; i < kRecords; ++i)
    if (leido.registros[static_cast<size_t>(i)].girada) marcadas.push_back(i);
  EXPECT_EQ(marcadas, (std::vector<int>{4, 6}));
  ComprobarFlechas({4, 6});
  SendMessageA(VentanaCuadroHonor(), kMsgNotificacion, kNotifActivado,
               reinterpret_cast<LPARAM>(BotonBorrarCuadroHonor()));
  ASSERT_NE(ventanaMensaje, nullptr);
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear(150);
  ComprobarFlechas({});
}

TEST_F(CuadroHonorVentana, NoPlaceNoQuestionAndACancelledNameWritesNothing) {
  const int32_t puntos = Resuelto();
  CuadroHonor c = Roll();
  c.registros[9].puntos = puntos;  // a tie with the tenth earns nothing
  Escribir(c);
  ComprobarRecord();
  Bombear();
  EXPECT_EQ(VentanaCuadroHonor(), nullptr);
  EXPECT_EQ(ventanaMensaje, nullptr);

  c.registros[9].puntos = puntos - 1;
  Escribir(c);
  const auto antes = fs::last_write_time(Ruta());
  ComprobarRecord();
  Bombear();
  Contestar("Nobody", false);
  ComprobarRecord();
  Bombear();
  Contestar("", true);
  EXPECT_EQ(fs::last_write_time(Ruta()), antes);
  EXPECT_STREQ(Leido().registros[9].nombre, "P9");
}

TEST_F(CuadroHonorVentana, ARollThatCannotBeReadIsNeverWrittenOverOrDeleted) {
  const int32_t puntos = Resuelto();
  // A folder where the file should be: it cannot be opened.
  fs::create_directory(Ruta());
  ComprobarRecord();
  Bombear();
  Contestar("Ann", true, true);
  EXPECT_TRUE(fs::is_directory(Ruta()));
  EXPECT_EQ(Texto(NombreCuadroHonor(0)), "Ann");
  EXPECT_EQ(Texto(PuntosCuadroHonor(0)), std::to_string(puntos));
  fs::remove(Ruta());
  // A foreign file (count not 10) is deleted; the entry makes a new roll.
  std::ofstream(Ruta(), std::ios::binary) << std::string(296, '\x01');
  ComprobarRecord();
  Bombear();
  Contestar("Bo", true);
  EXPECT_EQ(fs::file_size(Ruta()), 296u);
  EXPECT_STREQ(Leido().registros[0].nombre, "Bo");
}

}  // namespace
