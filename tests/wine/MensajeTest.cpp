// The message box through the real message loop: its answers, the input
// field, the callback's timing and the box's place on the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Arranque.h"
#include "ArchivoRecursos.h"
#include "ControlDC.h"
#include "Controles.h"
#include "Globales.h"
#include "InicioPrueba.h"
#include "Mensaje.h"

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

}  // namespace
