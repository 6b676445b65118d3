// The music window in-process: the real main window, the settings file in
// a folder of the test's own, the track buttons and the sliders. Without a
// sound card (MusicaVentana) nothing may trap; with Wine's silent card
// (SonidoReal, a prefix of its own) the track really plays and starts again,
// and the master slider really moves the mixer's fader.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BotonCheck.h"
#include "Configuracion.h"
#include "Controles.h"
#include "Deslizador.h"
#include "Globales.h"
#include "ProgramaPrueba.h"
#include "Mezclador.h"
#include "Musica.h"
#include "ReproductorCD.h"
#include "VentanaPrincipal.h"

namespace {

namespace fs = std::filesystem;




bool Marcado(HWND b) { return SendMessageA(b, kMsgCheckObtenerMarcado, 0, 0) != 0; }
LRESULT Posicion(HWND d) { return SendMessageA(d, kMsgDeslObtenerPosicion, 0, 0); }

// A slider set as if dragged there: the position, then its notification.
void Deslizar(HWND d, int posicion) {
  SendMessageA(d, kMsgDeslPonerPosicion, 0, posicion);
  SendMessageA(GetParent(d), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(d));
}

// Mono 8-bit PCM at 22,050 Hz, a soft tone of `ms` milliseconds.
void EscribirWav(const fs::path& ruta, int ms) {
  const uint32_t n = 22050u * static_cast<uint32_t>(ms) / 1000u;
  std::vector<uint8_t> b(44 + n);
  auto U32 = [&](size_t o, uint32_t v) { std::memcpy(&b[o], &v, 4); };
  auto U16 = [&](size_t o, uint16_t v) { std::memcpy(&b[o], &v, 2); };
  std::memcpy(&b[0], "RIFF", 4), U32(4, 36 + n), std::memcpy(&b[8], "WAVEfmt ", 8);
  U32(16, 16), U16(20, 1), U16(22, 1), U32(24, 22050), U32(28, 22050), U16(32, 1), U16(34, 8);
  std::memcpy(&b[36], "data", 4), U32(40, n);
  for (uint32_t i = 0; i < n; ++i) b[44 + i] = static_cast<uint8_t>(128 + ((i / 25) % 2 ? 20 : -20));
  fs::create_directories(ruta.parent_path());
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
}

class Ventana : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    carpeta_ = fs::temp_directory_path() / ("tessera-musica-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_);
    CambiarCarpetaPrograma((carpeta_.string() + "\\").c_str());
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
  }
  void TearDown() override {
    if (HWND v = VentanaMusica()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    CerrarCD();
    CambiarCarpetaPrograma(programa_);
    fs::remove_all(carpeta_);
  }
  static void Pista(const char* valor) {
    WritePrivateProfileStringA("Tessera", "Track", valor, RutaConfiguracion().c_str());
  }
  static void Abrir() {
    AbrirMusica(ventanaPrincipal);
    Bombear();
    ASSERT_NE(VentanaMusica(), nullptr);
  }

  char programa_[300] = "";
  fs::path carpeta_;
};

// ---- Without a sound card ------------------------------------------------------

using MusicaVentana = Ventana;

TEST_F(MusicaVentana, OpensCentredWithTheSavedTrackMarkedAndTheSlidersAtHalf) {
  Pista("2");
  Abrir();
  RECT r{};
  GetWindowRect(VentanaMusica(), &r);
  EXPECT_NEAR(r.left + r.right, arranque.anchoPantalla, 1);
  EXPECT_NEAR(r.top + r.bottom, arranque.altoPantalla, 1);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
  EXPECT_EQ(PistaMusica(), 2);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Marcado(BotonPistaMusica(k)), k == 1) << k;
  // No mixer: both sliders rest at 50 and moving them changes nothing else.
  EXPECT_EQ(Posicion(DeslizadorMaestro()), 50);
  EXPECT_EQ(Posicion(DeslizadorOndas()), 50);
  Deslizar(DeslizadorMaestro(), 99);
  EXPECT_EQ(Posicion(DeslizadorMaestro()), 99);
  // The knob runs up the track at x 69 from y 236 (0) to y 100 (99).
  RECT k{};
  GetWindowRect(DeslizadorMaestro(), &k);
  POINT cliente{0, 0};
  ClientToScreen(VentanaMusica(), &cliente);
  EXPECT_LE(k.left - cliente.x, 69);
  EXPECT_GE(k.right - cliente.x, 69);

  SendMessageA(VentanaMusica(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonSalirMusica()));
  Bombear(50);
  EXPECT_EQ(VentanaMusica(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
}

TEST_F(MusicaVentana, ATrackValueThatIsNotADigitFromZeroToFourGivesNone) {
  for (const char* valor : {"7", "x", "-1", ""}) {
    Pista(valor);
    Abrir();
    EXPECT_EQ(PistaMusica(), 0) << valor;
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(Marcado(BotonPistaMusica(k))) << valor;
    DestroyWindow(VentanaMusica());
    Bombear();
  }
  EXPECT_EQ(PistaDeTexto("4x"), 4);
  EXPECT_EQ(PistaDeTexto(nullptr), 0);
}

TEST_F(MusicaVentana, ATrackButtonMarksAndRemembersItsTrackEvenWithoutSound) {
  Abrir();
  Clic(BotonPistaMusica(2));
  EXPECT_EQ(PistaMusica(), 3);
  EXPECT_EQ(PistaCD(), 3);
  for (int k = 0; k < 4; ++k) EXPECT_EQ(Marcado(BotonPistaMusica(k)), k == 2) << k;
  EXPECT_EQ(LeerPistaConfigurada(), 3);
  EXPECT_EQ(DispositivoCD(), 0u);  // nothing to play on
  // The music-off button closes the window too.
  SendMessageA(VentanaMusica(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonSilencioMusica()));
  Bombear(50);
  EXPECT_EQ(VentanaMusica(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
  // Every operation does nothing without a device.
  PausarCD();
  ReanudarCD();
  ReproducirPista();
  EXPECT_EQ(DispositivoCD(), 0u);
}

TEST(Mezclador, VolumesLandOnTheControlsSteps) {
  EXPECT_EQ(ValorVolumen(0, 65535, 0, 100), 65535u);
  EXPECT_EQ(ValorVolumen(0, 65535, 1, 50), 32767u);
  EXPECT_EQ(ValorVolumen(0, 100, 11, 44), 40u);  // steps of 10
  EXPECT_EQ(ValorVolumen(0, 100, 11, 46), 50u);
  EXPECT_EQ(ValorVolumen(10, 20, 0, 0), 10u);
  // On fine steps every percentage reads back as itself.
  for (int32_t p = 0; p <= 100; ++p)
    EXPECT_EQ(static_cast<int32_t>(ValorVolumen(0, 65535, 192, p) * 100.0 / 65535), p) << p;
}

// ---- With Wine's silent sound card ------------------------------------------------

using SonidoReal = Ventana;

TEST_F(SonidoReal, TheChosenTrackPlaysFromItsFileAndStartsAgainAtItsEnd) {
  EscribirWav(carpeta_ / "Music" / "2.wav", 300);
  Abrir();
  Clic(BotonPistaMusica(1));
  ASSERT_NE(DispositivoCD(), 0u) << "no wave device";
  EXPECT_TRUE(MusicaDeArchivo());
  // Each end starts it again.
  const int32_t vueltas = VueltasPista();
  for (DWORD inicio = GetTickCount(); VueltasPista() < vueltas + 2 && GetTickCount() - inicio < 5000;) Bombear(20);
  EXPECT_GE(VueltasPista(), vueltas + 2);
  auto Modo = [] {
    MCI_STATUS_PARMS modo{};
    modo.dwItem = MCI_STATUS_MODE;
    mciSendCommandA(DispositivoCD(), MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&modo));
    return modo.dwReturn;
  };
  ReproducirPista();
  EXPECT_EQ(Modo(), static_cast<DWORD_PTR>(MCI_MODE_PLAY));
  PausarCD();
  EXPECT_EQ(Modo(), static_cast<DWORD_PTR>(MCI_MODE_PAUSE));
  ReanudarCD();
  EXPECT_EQ(Modo(), static_cast<DWORD_PTR>(MCI_MODE_PLAY));
  // Music off: closed, and the window goes.
  SendMessageA(VentanaMusica(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonSilencioMusica()));
  Bombear(50);
  EXPECT_EQ(DispositivoCD(), 0u);
  // A missing file plays nothing and traps nothing.
  AbrirCD(4);
  EXPECT_EQ(DispositivoCD(), 0u);
}

TEST_F(SonidoReal, TheMasterSliderDrivesTheFaderAndFollowsItUnlessHeld) {
  Abrir();
  const DWORD maestro = ControlMixer(LineaMixer(MIXERLINE_COMPONENTTYPE_DST_SPEAKERS), MIXERCONTROL_CONTROLTYPE_VOLUME);
  ASSERT_NE(maestro, kSinMixer) << "no mixer";
  HWND d = DeslizadorMaestro();
  EXPECT_EQ(Posicion(d), std::min(LeerVolumen(maestro), 99));
  Deslizar(d, 20);
  EXPECT_EQ(LeerVolumen(maestro), 20);
  Deslizar(d, 200);  // the top of the track
  EXPECT_EQ(Posicion(d), 99);
  EXPECT_EQ(LeerVolumen(maestro), 99);
  // Changed elsewhere: the slider follows, 100 % showing as 99.
  ASSERT_TRUE(PonerVolumen(maestro, 100));
  SendMessageA(VentanaMusica(), MM_MIXM_CONTROL_CHANGE, 0, static_cast<LPARAM>(maestro));
  EXPECT_EQ(Posicion(d), 99);
  ASSERT_TRUE(PonerVolumen(maestro, 30));
  SendMessageA(VentanaMusica(), MM_MIXM_CONTROL_CHANGE, 0, static_cast<LPARAM>(maestro));
  EXPECT_EQ(Posicion(d), 30);
  // While it is held, news from the mixer wait.
  SendMessageA(VentanaMusica(), kMsgNotificacion, kNotifPresionado, reinterpret_cast<LPARAM>(d));
  ASSERT_TRUE(PonerVolumen(maestro, 80));
  SendMessageA(VentanaMusica(), MM_MIXM_CONTROL_CHANGE, 0, static_cast<LPARAM>(maestro));
  EXPECT_EQ(Posicion(d), 30);
  SendMessageA(VentanaMusica(), kMsgNotificacion, kNotifSoltado, reinterpret_cast<LPARAM>(d));
  Bombear(50);
}

}  // namespace
