// The message box through the real message loop: its answers, the input
// field, the callback's timing and the box's place on the screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Arranque.h"
#include "ArchivoRecursos.h"
#include "ControlDC.h"
#include "Globales.h"
#include "Mensaje.h"

namespace {

struct Llamada {
  bool respuesta, cajaViva, padreHabilitado;
};
std::vector<Llamada> g_llamadas;
HWND g_padre = nullptr;

void Anotar(bool respuesta) {
  g_llamadas.push_back({respuesta, FindWindowA("CWNDMENSAJE", nullptr) != nullptr, IsWindowEnabled(g_padre) != 0});
  PostQuitMessage(0);
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
    instanciaPrograma = GetModuleHandleA(nullptr);
    char ruta[MAX_PATH];
    std::string r(ruta, GetModuleFileNameA(nullptr, ruta, MAX_PATH));
    if (!ArchivoRecursosAbierto()) AbrirArchivoRecursos((r.substr(0, r.rfind('\\') + 1) + "Tessera.rf").c_str());
    RegistrarMensaje(instanciaPrograma);
  }
  void SetUp() override {
    g_padre = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    g_llamadas.clear();
    TextoEntrada = "antes";
  }
  void TearDown() override { DestroyWindow(g_padre); }
};

TEST_F(Mensaje, AnswersOnceAfterTheBoxHasGoneAndTheParentIsBack) {
  const std::string lleno(30, 'x');
  struct Caso {
    bool conEntrada;
    std::string teclas;  // WM_CHARs to the input field, or to the box without one
    int boton;           // a button that reports a click
    bool respuesta;
    std::string entrada;
  } casos[] = {
      {true, "hi\r", 0, true, "hi"},     {true, "hi\x1b", 0, false, "hi"},
      {true, "\r", 0, true, ""},         {true, lleno + "\r", 0, true, lleno.substr(0, kLargoEntrada)},
      {false, "\r", 0, true, "antes"},   {false, "\x1b", 0, false, "antes"},
      {false, "", kIdMensajeAceptar, true, "antes"}, {false, "", kIdMensajeCancelar, false, "antes"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.teclas + std::to_string(c.boton));
    ASSERT_TRUE(MostrarMensaje(130, g_padre, Anotar, c.conEntrada));
    EXPECT_FALSE(IsWindowEnabled(g_padre));
    HWND destino = c.conEntrada ? GetDlgItem(ventanaMensaje, kIdMensajeEntrada) : ventanaMensaje;
    ASSERT_NE(destino, nullptr);
    for (char t : c.teclas) PostMessageA(destino, WM_CHAR, static_cast<BYTE>(t), 1);
    if (c.boton)
      PostMessageA(ventanaMensaje, 1324, 4, reinterpret_cast<LPARAM>(GetDlgItem(ventanaMensaje, c.boton)));
    Correr();
    ASSERT_EQ(g_llamadas.size(), 1u);
    EXPECT_EQ(g_llamadas[0].respuesta, c.respuesta);
    EXPECT_FALSE(g_llamadas[0].cajaViva);
    EXPECT_TRUE(g_llamadas[0].padreHabilitado);
    EXPECT_EQ(TextoEntrada.Data(), c.entrada);
    EXPECT_EQ(TextoEntrada.Size(), static_cast<int32_t>(c.entrada.size() + 1));
    TearDown();
    SetUp();
  }
}

TEST_F(Mensaje, OneBoxAtATimeUntilItsAnswerIsDelivered) {
  ASSERT_TRUE(MostrarMensaje(40, g_padre, Anotar, false));
  EXPECT_FALSE(MostrarMensaje(20, g_padre, Anotar, true));
  EXPECT_EQ(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), nullptr);
  DestroyWindow(ventanaMensaje);  // closed some other way: answer false
  EXPECT_FALSE(MostrarMensaje(20, g_padre, Anotar, true));
  Correr();
  ASSERT_EQ(g_llamadas.size(), 1u);
  EXPECT_FALSE(g_llamadas[0].respuesta);
  EXPECT_TRUE(MostrarMensaje(20, g_padre, Anotar, true));
  Bombear(150);  // no earlier timer answers the open box
  EXPECT_EQ(g_llamadas.size(), 1u);
  DestroyWindow(ventanaMensaje);
  Correr();
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
  EXPECT_EQ(w.left, (anchoPantalla - (w.right - w.left)) / 2);
  EXPECT_EQ(w.top, (altoPantalla - (w.bottom - w.top)) / 2);
  EXPECT_NE(GetDlgItem(ventanaMensaje, kIdMensajeAceptar), nullptr);
  EXPECT_EQ(GetDlgItem(ventanaMensaje, kIdMensajeCancelar), nullptr);
  PostMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 1);
  Bombear(150);
  EXPECT_EQ(ventanaMensaje, nullptr);
  EXPECT_TRUE(IsWindowEnabled(g_padre));
  EXPECT_TRUE(MostrarMensaje(140, g_padre, nullptr, false)) << "closed again";
  DestroyWindow(ventanaMensaje);
  Bombear(100);
}

}  // namespace
