// The puzzle-file window in-process: the real main window, folder\ inside a
// folder of the test's own, games saved and opened through the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Cajas.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Cut.h"
#include "Desplazador.h"
#include "Herramientas.h"
#include "Mensaje.h"
#include "MiniaturaArchivo.h"
#include "NewPuzzleParams.h"
#include "Opciones.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "PuzzleDump.h"
#include "PuzzleFile.h"
#include "Titulo.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"

namespace {

namespace fs = std::filesystem;

class ArchivoVentana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }

  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    carpeta_ = fs::temp_directory_path() / ("tessera-archivo-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
    CambiarCarpetaPrograma((carpeta_.string() + "\\").c_str());
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
  }
  void TearDown() override {
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);  // with the windows it owns
    Bombear(60);
    ClosePuzzle(false);
    CambiarCarpetaPrograma(programa_);
    fs::remove_all(carpeta_);
  }

  void Cortar(int32_t filas, int32_t columnas) const {
    ClosePuzzle(true);
    ASSERT_TRUE(imagenActual.Abrir((std::string(programa_) + "Image\\1.bmp").c_str()));
    MenuNuevoPrepararImagen();
    MenuNuevoZoomAjustar();
    puzzle.rows = filas, puzzle.cols = columnas;
    ASSERT_TRUE(NewPuzzle(PedidoNuevoPuzzle(0, puzzle.boards[kTable].Size())));
    Bombear();
  }
  fs::path Ruta(const std::string& nombre) const { return carpeta_ / "folder" / nombre; }
  // The game on the table saved as `nombre`, or `bytes` written there.
  void Archivo(const std::string& nombre, const std::string& bytes = "") const {
    fs::create_directories(carpeta_ / "folder");
    if (!bytes.empty()) std::ofstream(Ruta(nombre), std::ios::binary) << bytes;
    else ASSERT_TRUE(SavePuzzle(Ruta(nombre).string().c_str()));
  }

  static void Abrir(int32_t modo) { ASSERT_NE(AbrirVentanaArchivo(modo), nullptr); }
  // As the message loop delivers typing: offered to the window first.
  static void Teclear(const std::string& teclas) {
    for (unsigned char c : teclas)
      if (HWND v = VentanaArchivo(); v && !SendMessageA(v, kMensajeCaracterHijo, c, 0))
        SendMessageA(CampoNombreArchivo(), WM_CHAR, c, 0);
    Bombear();
  }
  static void Notificar(HWND control) {
    SendMessageA(VentanaArchivo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(control));
    Bombear();
  }
  static void Contestar(bool si) {
    ASSERT_NE(ventanaMensaje, nullptr);
    SendMessageA(ventanaMensaje, WM_CHAR, si ? VK_RETURN : VK_ESCAPE, 0);
    Bombear(150);
  }
  static std::string Etiqueta(int k) {
    std::string e = EtiquetaVentanaArchivo(k);
    return e.erase(e.find_last_not_of(' ') + 1);
  }
  static std::string Campo() {
    char texto[32] = "";
    GetWindowTextA(CampoNombreArchivo(), texto, sizeof texto);
    return texto;
  }
  // Everything a saved game keeps.
  static std::string Partida() {
    std::string s = FormatPuzzleDump({});
    for (int32_t p : puzzle.order) s += std::to_string(p) + ' ';
    for (int i = 0; i < kNumeroCajas; ++i) {
      char n[32] = "";
      GetWindowTextA(VentanaCaja(i), n, sizeof n);
      s += std::string(n) + '|';
    }
    return s + std::to_string(puzzle.scale) + ' ' + std::to_string(puzzle.dieId);
  }

  char programa_[300] = "";
  fs::path carpeta_;
};

TEST_F(ArchivoVentana, AScrollBeyondFourFilesLabelsWithoutExtensionAndTheClockWaits) {
  const std::string nombres[] = {"corto", "abcdefghijklmno", "a.b", "12345678901", "z", "6", "7", "8", "9"};
  for (int n : {0, 4, 5, 9}) {
    fs::remove_all(carpeta_ / "folder");  // made again by the window
    for (int i = 0; i < n; ++i) Archivo(nombres[i] + ".epf", "x");
    Abrir(kArchivoAbrir);
    EXPECT_TRUE(fs::is_directory(carpeta_ / "folder"));
    EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
    EXPECT_EQ(puzzle.paused, 1);
    EXPECT_EQ(SeleccionArchivo(), n ? 0 : -1);
    const HWND d = DesplazadorArchivo();
    EXPECT_EQ(d ? SendMessageA(d, kMsgDespObtenerMinimo, 0, 0) : 1, n > 4 ? 4 - n : 1) << n;
    if (n == 5) {
      const char* etiquetas[] = {"12345678901", "a", "abcdefghijklmno", "corto"};
      for (int k = 0; k < 4; ++k) EXPECT_EQ(Etiqueta(k), etiquetas[k]);
      SendMessageA(d, kMsgDespPonerValor, 0, -1);
      Notificar(d);
      EXPECT_EQ(Etiqueta(3), "z");
    }
    Notificar(BotonVentanaArchivo(BotonArchivo::cancelar));
    EXPECT_EQ(VentanaArchivo(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
    EXPECT_EQ(puzzle.paused, 0);
  }
}

// Each label stands whole under its own thumbnail: its ink lies within the
// slot's width, below the slot (which would clip it) and above the paper's
// end, so no two run together and no dot or end is cut.
TEST_F(ArchivoVentana, EachLabelStandsWholeUnderItsThumbnail) {
  Cortar(2, 3);
  const char* nombres[] = {"Allosaurus half", "iiii jjjj", "Stego second", "WWWWWWWWWWW"};
  for (const char* n : nombres) Archivo(std::string(n) + ".epf");
  Abrir(kArchivoAbrir);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Etiqueta(k), nombres[k]);
  const HWND v = VentanaArchivo();
  Bombear(50);
  for (int k = 0; k < 4; ++k) ASSERT_FALSE(MiniaturaArchivoVacia(MiniaturaVentanaArchivo(k))) << k;
  const auto fondo = CargarImagenArchivo(224);
  const HIMAGE f = ImagenDe(fondo);
  ASSERT_TRUE(f);
  constexpr int kArriba = 108 + kAltoMiniaturaArchivo, kAbajo = 232, kAncho = 510;
  const std::vector<uint32_t> p = Leer(v, {0, kArriba, kAncho, kAbajo});
  ASSERT_EQ(p.size(), static_cast<size_t>(kAncho * (kAbajo - kArriba)));
  long sueltos = 0;
  long tinta[4] = {};
  int primera[4] = {kAbajo, kAbajo, kAbajo, kAbajo}, ultima[4] = {};
  for (int y = kArriba; y < kAbajo; ++y)
    for (int x = 0; x < kAncho; ++x) {
      if (p[static_cast<size_t>((y - kArriba) * kAncho + x)] == ColorImagen(f, x + 100, y)) continue;
      const int k = (x - 6) / 111, dentro = (x - 6) % 111;
      if (x < 6 || k > 3 || dentro < 1 || dentro >= kAnchoMiniaturaArchivo - 1) {
        ++sueltos;
        continue;
      }
      ++tinta[k];
      primera[k] = std::min(primera[k], y);
      ultima[k] = std::max(ultima[k], y);
    }
  EXPECT_EQ(sueltos, 0) << "ink outside the slots' columns";
  for (int k = 0; k < 4; ++k) {
    EXPECT_GT(tinta[k], 40) << k;
    EXPECT_GE(primera[k], kArriba + 2) << "label " << k << " touches its slot";
    EXPECT_LT(ultima[k], 229) << "label " << k << " reaches the paper's end";
  }
}

TEST_F(ArchivoVentana, TypingKeepsSeparatorsOutAndOnlyAThumbnailSelects) {
  Cortar(3, 4);
  Abrir(kArchivoGuardar);
  Teclear("a.b\\c/d:e");
  EXPECT_EQ(Campo(), "abcde");
  // An empty name saves nothing and says why; Escape then closes.
  SetWindowTextA(CampoNombreArchivo(), "");
  Teclear("\r");
  EXPECT_NE(VentanaArchivo(), nullptr);
  ASSERT_NE(ventanaMensaje, nullptr);
  EXPECT_STREQ(TextoMensaje(), "\n\nThe game needs a name to be saved. Type one in the name field.");
  Contestar(true);
  EXPECT_EQ(GetFocus(), CampoNombreArchivo()) << "typing goes on in the field";
  EXPECT_TRUE(fs::is_empty(carpeta_ / "folder"));
  Teclear("\x1b");
  EXPECT_EQ(VentanaArchivo(), nullptr);

  Archivo("a.epf"), Archivo("b.epf", "no thumbnail"), Archivo("c.epf");
  Abrir(kArchivoGuardar);
  EXPECT_TRUE(MiniaturaArchivoVacia(MiniaturaVentanaArchivo(1)));
  Clic(MiniaturaVentanaArchivo(2));
  Clic(MiniaturaVentanaArchivo(1));
  SendMessageA(MiniaturaVentanaArchivo(1), WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(50, 40));
  EXPECT_EQ(SeleccionArchivo(), 2);
  EXPECT_EQ(Campo(), "c");
  EXPECT_NE(VentanaArchivo(), nullptr);
}

TEST_F(ArchivoVentana, AGameSavedThroughTheWindowOpensBackExactly) {
  for (int32_t pistas : {1, 2}) {  // 2 of 12 pieces leaves no hint
    Cortar(3, 4);
    MoveBetweenBoards(kTable, 2, 3);
    puzzle.pieces[puzzle.order[puzzle.boards[kTable].first]].unmarked = 0;
    puzzle.seconds = 1234, puzzle.hints = pistas;
    SetWindowTextA(VentanaCaja(2), "Rocas");
    const std::string antes = Partida();
    Abrir(kArchivoGuardar);
    Teclear("mi juego\r");
    ASSERT_EQ(VentanaArchivo(), nullptr);
    EXPECT_EQ(puzzle.paused, 0);

    Cortar(2, 2);
    SetWindowTextA(VentanaCaja(2), "otra");
    SendMessageA(BotonPista(), kMsgHabilitar, 0, pistas == 2);
    Abrir(kArchivoAbrir);
    SendMessageA(MiniaturaVentanaArchivo(0), WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(50, 40));
    ASSERT_EQ(VentanaArchivo(), nullptr);
    EXPECT_EQ(Partida(), antes);
    EXPECT_EQ(SendMessageA(BotonPista(), kMsgObtenerHabilitado, 0, 0), LRESULT{pistas < 2});
  }
}

// The quick save: a game saved or opened once goes back to its file at
// once; a new game, or one opened from the autosave, asks for a name.
TEST_F(ArchivoVentana, TheQuickSaveWritesTheGamesOwnFileAndAsksForANewOne) {
  const auto abrirPrimera = [] {
    Abrir(kArchivoAbrir);
    SendMessageA(MiniaturaVentanaArchivo(0), WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(50, 40));
    ASSERT_EQ(VentanaArchivo(), nullptr);
  };
  Cortar(3, 4);
  GuardarRapido();
  ASSERT_NE(VentanaArchivo(), nullptr) << "the first save asks";
  Teclear("rapida\r");
  ASSERT_EQ(VentanaArchivo(), nullptr);
  puzzle.pieces[0].x += 40;
  const std::string movida = Partida();
  GuardarRapido();
  EXPECT_EQ(VentanaArchivo(), nullptr) << "the second does not";
  // Another puzzle is another game: it asks.
  Cortar(2, 2);
  GuardarRapido();
  ASSERT_NE(VentanaArchivo(), nullptr);
  DestroyWindow(VentanaArchivo());
  Bombear(50);
  abrirPrimera();
  EXPECT_EQ(Partida(), movida);
  // Opened from its file: saved there again at once.
  puzzle.pieces[1].y += 30;
  const std::string otraVez = Partida();
  GuardarRapido();
  EXPECT_EQ(VentanaArchivo(), nullptr);
  Cortar(2, 2);
  abrirPrimera();
  EXPECT_EQ(Partida(), otraVez);
}

TEST_F(ArchivoVentana, DeletingKeepsTheSelectionOnAFile) {
  Cortar(3, 4);
  for (int i = 1; i <= 6; ++i) Archivo(std::to_string(i) + ".epf");
  Abrir(kArchivoAbrir);
  const HWND d = DesplazadorArchivo();
  SendMessageA(d, kMsgDespPonerValor, 0, -2);
  Notificar(d);
  Clic(MiniaturaVentanaArchivo(3));
  ASSERT_EQ(SeleccionArchivo(), 5);
  const auto borrar = [](bool si) { Notificar(BotonVentanaArchivo(BotonArchivo::borrar)), Contestar(si); };
  borrar(false);
  EXPECT_TRUE(fs::exists(Ruta("6.epf")));
  // The last file goes: the one before it is selected and the scroll narrows,
  // then goes once four thumbnails show every file.
  borrar(true);
  EXPECT_EQ(SeleccionArchivo(), 4);
  EXPECT_EQ(SendMessageA(d, kMsgDespObtenerMinimo, 0, 0), -1);
  EXPECT_TRUE(IsWindowVisible(d));
  borrar(true);
  EXPECT_EQ(SeleccionArchivo(), 3);
  EXPECT_EQ(SendMessageA(d, kMsgDespObtenerValor, 0, 0), 0);
  EXPECT_FALSE(IsWindowVisible(d));
  // The first file goes: the next one takes its index.
  Clic(MiniaturaVentanaArchivo(0));
  borrar(true);
  EXPECT_EQ(SeleccionArchivo(), 0);
  EXPECT_EQ(Etiqueta(0), "2");
  for (int i = 0; i < 3; ++i) borrar(true);
  EXPECT_EQ(SeleccionArchivo(), -1);
  Notificar(BotonVentanaArchivo(BotonArchivo::aceptar));  // nothing to open
  EXPECT_NE(VentanaArchivo(), nullptr);
}

// Escape as the player presses it, with the focus in the name field:
// through the program's own message loop, which the game's keys do not
// reach while a field takes typing.
TEST_F(ArchivoVentana, EscapeInTheNameFieldClosesTheWindow) {
  Cortar(2, 2);
  Abrir(kArchivoGuardar);
  ASSERT_EQ(GetFocus(), CampoNombreArchivo());
  PostMessageA(CampoNombreArchivo(), WM_KEYDOWN, VK_ESCAPE, 1);
  // The key's character is posted while the key is handled: the loop ends
  // a while later.
  const UINT_PTR reloj = SetTimer(nullptr, 0, 500, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
  BucleMensajes();
  KillTimer(nullptr, reloj);
  EXPECT_EQ(VentanaArchivo(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
}

// The window hides the open piece boxes while it is up; saving, or leaving
// it, shows them again.
TEST_F(ArchivoVentana, SavingLeavesTheOpenBoxesOpen) {
  Cortar(2, 2);
  MostrarFlotante(VentanaCaja(1), false);
  for (const char* teclas : {"caja\r", "\x1b"}) {
    Abrir(kArchivoGuardar);
    EXPECT_FALSE(IsWindowVisible(VentanaCaja(1)));
    Teclear(teclas);
    ASSERT_EQ(VentanaArchivo(), nullptr) << teclas;
    EXPECT_TRUE(IsWindowVisible(VentanaCaja(1))) << teclas;
    EXPECT_FALSE(IsWindowVisible(VentanaCaja(2))) << teclas;
  }
  EXPECT_TRUE(fs::exists(Ruta("caja.epf")));
}

// Each way Accept can fail: the player is told, the window stays, and a
// failed open leaves an empty table.
TEST_F(ArchivoVentana, RefusedNamesAndFailedSavesOrOpensTellThePlayer) {
  Cortar(3, 4);
  Archivo("bueno.epf");
  std::ifstream f(Ruta("bueno.epf"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  std::string desordenado = bytes;
  desordenado.replace(488 + 28, 8, std::string(8, '\xFF'));  // the order array
  fs::create_directories(Ruta("juego.epf.tmp"));  // where the save writes first
  const struct {
    int32_t modo;
    std::string texto;  // the name typed, or the file opened
    bool partida = true;
  } casos[] = {{kArchivoGuardar, "con"}, {kArchivoGuardar, "   "}, {kArchivoGuardar, "Nul.txt"},
               {kArchivoGuardar, "lpt1 "}, {kArchivoGuardar, "a/b"}, {kArchivoGuardar, "tab\there"},
               {kArchivoGuardar, "juego"}, {kArchivoGuardar, "libre", false}, {kArchivoAbrir, bytes.substr(0, 600)},
               {kArchivoAbrir, desordenado}, {kArchivoAbrir, "OVPF10"}};
  for (const auto& c : casos) {
    c.partida ? Cortar(3, 4) : ClosePuzzle(true);
    if (c.modo == kArchivoAbrir) Archivo("a.epf", c.texto);
    Abrir(c.modo);
    SetWindowTextA(CampoNombreArchivo(), c.texto.c_str());
    Teclear("\r");
    EXPECT_NE(ventanaMensaje, nullptr) << c.texto;
    EXPECT_NE(VentanaArchivo(), nullptr) << c.texto;
    if (c.modo == kArchivoAbrir) {
      EXPECT_TRUE(puzzle.Exists() && imagenActual.Abierto()) << "a failed open keeps the game";
      EXPECT_EQ(puzzle.boards[kTable].count, 12);
    }
    Contestar(true);
    DestroyWindow(VentanaArchivo());
  }
}

}  // namespace

namespace {

// Where the player reaches the window, and the autosave that keeps a
// changed game whenever the table is cleared or the program ends.
class PartidaGuardada : public ArchivoVentana {
 protected:
  static void Opcion(int boton) {
    SendMessageA(VentanaOpciones(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonOpcion(boton)));
    Bombear(50);
  }
  fs::path Autosave() const { return Ruta("Autosave.epf"); }
  // The new-puzzle button's window.
  static void CerrarMenuNuevo() {
    if (HWND v = FindWindowA("CWNDNEW", nullptr)) DestroyWindow(v);
    Bombear(50);
  }
};

TEST_F(PartidaGuardada, TheOptionsOpenTheWindowInEachMode) {
  Cortar(2, 2);
  Opcion(kOpcionGuardar);
  ASSERT_NE(VentanaArchivo(), nullptr);
  EXPECT_NE(CampoNombreArchivo(), nullptr) << "save mode has the name field";
  DestroyWindow(VentanaArchivo());
  Bombear(50);
  Opcion(kOpcionAbrir);  // unchanged: no question
  ASSERT_NE(VentanaArchivo(), nullptr);
  EXPECT_EQ(CampoNombreArchivo(), nullptr);
  EXPECT_EQ(ventanaMensaje, nullptr);
  EXPECT_FALSE(fs::exists(Autosave()));
}

TEST_F(PartidaGuardada, OpeningOverAChangedGameAsksAndKeepsItAsTheAutosave) {
  Cortar(2, 2);
  puzzle.modified = 1;
  Opcion(kOpcionAbrir);
  Contestar(false);
  EXPECT_EQ(VentanaArchivo(), nullptr);
  EXPECT_TRUE(puzzle.Exists()) << "no: the game stays";
  Opcion(kOpcionAbrir);
  const std::string antes = Partida();
  Contestar(true);
  ASSERT_NE(VentanaArchivo(), nullptr);
  EXPECT_EQ(Etiqueta(0), "Autosave");
  // Cancelled: the game is still on the table, not only in the autosave.
  Notificar(BotonVentanaArchivo(BotonArchivo::cancelar));
  Bombear(50);
  EXPECT_EQ(VentanaArchivo(), nullptr);
  ASSERT_TRUE(puzzle.Exists());
  EXPECT_EQ(Partida(), antes);
  // Another game opened over it replaces it.
  Cortar(3, 3);
  Archivo("otra.epf");
  const std::string otra = Partida();
  Cortar(2, 2);
  puzzle.modified = 1;
  Opcion(kOpcionAbrir);
  Contestar(true);
  ASSERT_NE(VentanaArchivo(), nullptr);
  ElegirMiniaturaArchivo(1);  // Autosave, otra
  Notificar(BotonVentanaArchivo(BotonArchivo::aceptar));
  EXPECT_EQ(VentanaArchivo(), nullptr);
  EXPECT_EQ(Partida(), otra);
}

TEST_F(PartidaGuardada, ANewPuzzleAndTheEndOfTheProgramKeepAChangedGame) {
  Cortar(2, 2);
  SendMessageA(VentanaTitulo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonNuevoTitulo()));
  Bombear(50);
  EXPECT_FALSE(fs::exists(Autosave())) << "an unchanged game is not kept";
  CerrarMenuNuevo();
  for (bool salir : {false, true}) {
    Cortar(2, 3);
    puzzle.modified = 1;
    const std::string antes = Partida();
    if (salir) {
      SendMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
    } else {
      SendMessageA(VentanaTitulo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonNuevoTitulo()));
    }
    Bombear(50);
    ASSERT_TRUE(fs::exists(Autosave())) << salir;
    if (salir) CrearVentanaPrincipal();
    bool pistas = false;
    ASSERT_TRUE(LoadPuzzle(Autosave().string().c_str(), &pistas));
    EXPECT_EQ(Partida(), antes);
    fs::remove(Autosave());
    CerrarMenuNuevo();
  }
}

// An autosave the disk refuses (something stands where it is written
// first): before the program ends the player is asked; no keeps the game,
// yes ends it; the autosave there before stays byte for byte.
TEST_F(PartidaGuardada, AnAutosaveThatCannotBeWrittenAsksBeforeTheGameIsLeft) {
  Cortar(2, 2);
  Archivo("Autosave.epf");
  std::ifstream f(Autosave(), std::ios::binary);
  const std::string antes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  f.close();
  fs::create_directories(Ruta("Autosave.epf.tmp"));
  puzzle.modified = 1;
  for (bool si : {false, true}) {
    SendMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
    Bombear(50);
    Contestar(si);
    EXPECT_EQ(ventanaPrincipal == nullptr, si);
  }
  std::ifstream g(Autosave(), std::ios::binary);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(g)), std::istreambuf_iterator<char>()), antes);
}

}  // namespace
