// The message box through the real message loop: its answers, the input
// field, the callback's timing and the box's place on the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "Arranque.h"
#include "ArchivoRecursos.h"
#include "Binario.h"
#include "Captura.h"
#include "ControlDC.h"
#include "Controles.h"
#include "Globales.h"
#include "InicioPrueba.h"
#include "Mensaje.h"
#include "Verificar.h"

namespace {

// Each answer as 1 or 0; -1 when the box still existed or the parent was
// still disabled.
std::vector<int> g_llamadas;
HWND g_padre = nullptr;

std::string g_texto;

void Anotar(bool respuesta, const char* texto) {
  g_texto = texto ? texto : "(null)";
  const bool aTiempo = !FindWindowA("CWNDMENSAJE", nullptr) && IsWindowEnabled(g_padre);
  g_llamadas.push_back(aTiempo ? respuesta : -1);
  PostQuitMessage(0);
}

// The wallpaper question leads straight to the honour roll's.
bool g_encadenado = false;
void Encadenar(bool respuesta, const char* texto) {
  Anotar(respuesta, texto);
  g_encadenado = MostrarMensaje(20, g_padre, Anotar, true);
}

void CALLBACK Plazo(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(9); }

void Bombear(DWORD ms) {
  for (const DWORD fin = GetTickCount() + ms; GetTickCount() < fin; Sleep(5))
    for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
}

// The real loop until the callback ends it (2 s at most), then 100 ms more
// to catch a second call.
void Correr() {
  const UINT_PTR plazo = SetTimer(nullptr, 0, 2000, Plazo);
  BucleMensajes();
  KillTimer(nullptr, plazo);
  Bombear(100);
}

// An archive of 8-bit pictures, 60 x 40 in black, and picture 148 with a
// 16-bit header the archive refuses to read.
std::string ArchivoSinFondo() {
  std::vector<uint8_t> datos;
  std::vector<std::pair<uint32_t, uint64_t>> directorio;
  for (uint32_t numero : {148u, 146u, 147u, 2150u + static_cast<uint32_t>(idioma)}) {
    directorio.emplace_back(numero, datos.size());
    const uint32_t bits = numero == 148 ? 16 : 8, tamaño = 60 * 40;
    const uint32_t campos[] = {40, 60, 40, 1u | bits << 16, 0, tamaño, 0, 0, 2, 0};
    uint8_t cabecera[48] = {};  // and two colours
    for (int i = 0; i < 10; ++i) EscribirU32(cabecera + 4 * i, campos[i]);
    datos.insert(datos.end(), cabecera, cabecera + sizeof cabecera);
    datos.insert(datos.end(), tamaño, 0);
  }
  for (const auto& [numero, desplazamiento] : directorio) {
    uint8_t e[16] = {};
    EscribirU32(e, numero);
    EscribirU64(e + 8, desplazamiento);
    datos.insert(datos.end(), e, e + 16);
  }
  uint8_t n[4];
  EscribirU32(n, static_cast<uint32_t>(directorio.size()));
  datos.insert(datos.end(), n, n + 4);
  char carpeta[MAX_PATH];
  const std::string ruta = std::string(carpeta, GetTempPathA(MAX_PATH, carpeta)) + "sin_fondo.rf";
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(datos.data()), std::ssize(datos));
  return ruta;
}

std::vector<std::string> g_verificados;

class Mensaje : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PrepararInicio();
    char ruta[MAX_PATH];
    std::string r(ruta, GetModuleFileNameA(nullptr, ruta, MAX_PATH));
    if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos((r.substr(0, r.rfind('\\') + 1) + "Tessera.rf").c_str());
    RegistrarControles(arranque.instancia);  // fails harmlessly when already done
    RegistrarMensaje(arranque.instancia);
  }
  void SetUp() override {
    g_padre = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    g_llamadas.clear();
    g_texto = "not called";
  }
  // The owned box goes with the parent; its answer is let through.
  void TearDown() override {
    DestroyWindow(g_padre);
    Bombear(100);
  }
};

TEST_F(Mensaje, AnswersOnceAfterTheBoxHasGoneAndTheParentIsBack) {
  const std::string lleno(30, 'x');
  // WM_CHARs to the input field (or to the box without one), or a button's click.
  struct Caso { bool conEntrada; std::string teclas; int boton; bool respuesta; std::string entrada; } casos[] = {
      {true, "hi\r", 0, true, "hi"},     {true, "hi\x1b", 0, false, "hi"},
      {true, "\r", 0, true, ""},         {true, lleno + "\r", 0, true, lleno.substr(0, kLargoEntrada)},
      {false, "\r", 0, true, ""},   {false, "\x1b", 0, false, ""},
      {false, "", kIdMensajeAceptar, true, ""}, {false, "", kIdMensajeCancelar, false, ""},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.teclas + std::to_string(c.boton));
    ASSERT_TRUE(MostrarMensaje(130, g_padre, Anotar, c.conEntrada));
    EXPECT_FALSE(IsWindowEnabled(g_padre));
    HWND destino = c.conEntrada ? GetDlgItem(ventanaMensaje, kIdMensajeEntrada) : ventanaMensaje;
    ASSERT_NE(destino, nullptr);
    for (char t : c.teclas) PostMessageA(destino, WM_CHAR, static_cast<BYTE>(t), 1);
    if (c.boton) PostMessageA(ventanaMensaje, 1324, 4, reinterpret_cast<LPARAM>(GetDlgItem(ventanaMensaje, c.boton)));
    Correr();
    EXPECT_EQ(g_llamadas, std::vector<int>{c.respuesta});
    EXPECT_EQ(g_texto, c.entrada) << "the typed text reaches the answer";
    TearDown();
    SetUp();
  }
}

TEST_F(Mensaje, OneBoxAtATimeUntilItsAnswerIsDelivered) {
  ASSERT_TRUE(MostrarMensaje(40, g_padre, Encadenar, false));
  EXPECT_FALSE(MostrarMensaje(20, g_padre, Anotar, true));
  EXPECT_EQ(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), nullptr);
  DestroyWindow(ventanaMensaje);  // closed some other way: answer false
  EXPECT_FALSE(MostrarMensaje(20, g_padre, Anotar, true));
  Correr();
  EXPECT_EQ(g_llamadas, std::vector<int>{0});
  EXPECT_TRUE(g_encadenado) << "a callback may open the next box";
  Bombear(150);  // no earlier timer answers the open box
  EXPECT_EQ(g_llamadas, std::vector<int>{0});
}

TEST_F(Mensaje, CentredWithPicture148AsClientAreaAndNoCancelWithoutCallback) {
  ControlDC fondo;
  ASSERT_TRUE(fondo.Cargar(148));
  ASSERT_TRUE(MostrarMensaje(140, g_padre, nullptr, false));
  RECT c, w;
  GetClientRect(ventanaMensaje, &c);
  GetWindowRect(ventanaMensaje, &w);
  EXPECT_EQ(c.right, fondo.Tamaño().x);
  EXPECT_EQ(c.bottom, fondo.Tamaño().y);
  EXPECT_EQ(w.left, (arranque.anchoPantalla - (w.right - w.left)) / 2);
  EXPECT_EQ(w.top, (arranque.altoPantalla - (w.bottom - w.top)) / 2);
  EXPECT_NE(GetDlgItem(ventanaMensaje, kIdMensajeAceptar), nullptr);
  EXPECT_EQ(GetDlgItem(ventanaMensaje, kIdMensajeCancelar), nullptr);
  DestroyWindow(ventanaMensaje);
  Bombear(100);
  EXPECT_TRUE(IsWindowEnabled(g_padre)) << "without a callback too";
}

// Without its background the box still comes, at the smallest size the
// picture may have, as a plain black fill, and answers; nothing is asserted.
TEST_F(Mensaje, WithoutItsBackgroundTheBoxIsAPlainFillAndStillAnswers) {
  char ruta[MAX_PATH];
  const std::string programa(ruta, GetModuleFileNameA(nullptr, ruta, MAX_PATH));
  CerrarArchivoRecursos();
  ASSERT_TRUE(AbrirArchivoRecursos(ArchivoSinFondo().c_str()));
  g_verificados.clear();
  const ManejadorVerificar anterior = InstalarManejadorVerificar([](const char* m) { g_verificados.emplace_back(m); });
  ASSERT_TRUE(MostrarMensaje(130, g_padre, Anotar, false));
  ASSERT_NE(ventanaMensaje, nullptr);
  RECT c;
  GetClientRect(ventanaMensaje, &c);
  EXPECT_EQ(std::pair(c.right, c.bottom), std::pair(LONG{480}, LONG{310}));
  UpdateWindow(ventanaMensaje);
  EXPECT_EQ(Contar(ventanaMensaje, {0, 0, 480, 50}, Igual(0)), 480 * 50);  // the caption had no place
  PostMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 1);
  Correr();
  EXPECT_EQ(g_llamadas, std::vector<int>{1});
  InstalarManejadorVerificar(anterior);
  EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
  CerrarArchivoRecursos();
  AbrirArchivoRecursos((programa.substr(0, programa.rfind('\\') + 1) + "Tessera.rf").c_str());
}

}  // namespace
