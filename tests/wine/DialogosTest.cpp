// The dialog-like pop-ups over the real main window: each one, closed the
// way its buttons close it, hands the input and the activation back to the
// window it was opened over, and a renamed piece box comes back on top.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CambioIdioma.h"
#include "Cajas.h"
#include "Controles.h"
#include "CuadroHonor.h"
#include "Globales.h"
#include "Impresion.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "Musica.h"
#include "ProgramaPrueba.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"
#include "VistaImagen.h"
#include "VistaPrevia.h"

namespace {

// Whether `a` lies above `b` among the top-level windows.
bool Encima(HWND a, HWND b) {
  for (HWND h = GetWindow(a, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
    if (h == b) return true;
  return false;
}

// Whether the main window took input again before the pop-up `g_vigilada`
// began to go: seen from a hook at the very start of its destruction.
HWND g_vigilada = nullptr;
int g_habilitadaAlIrse = -1;
LRESULT CALLBACK Vigilar(int codigo, WPARAM w, LPARAM l) {
  if (codigo == HCBT_DESTROYWND && reinterpret_cast<HWND>(w) == g_vigilada)
    g_habilitadaAlIrse = IsWindowEnabled(ventanaPrincipal) ? 1 : 0;
  return CallNextHookEx(nullptr, codigo, w, l);
}

class Dialogos : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    SetForegroundWindow(ventanaPrincipal);
    Bombear(30);
  }
  void TearDown() override {
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
  }
  static std::string Imagen(int numero) {
    return arranque.carpeta + "Image\\" + std::to_string(numero) + ".bmp";
  }
};

TEST_F(Dialogos, EachPopUpClosesBackToAnEnabledActiveMainWindow) {
  const std::string imagen = Imagen(2);
  struct Caso {
    const char* nombre;
    std::function<HWND()> abrir;
    UINT cerrar = WM_CLOSE;  // or a character: Escape as the box's keys answer
  };
  const Caso casos[] = {
      {"new puzzle", [] { AbrirMenuNuevo(); return VentanaMenuNuevo(); }},
      {"music", [] { AbrirMusica(ventanaPrincipal); return VentanaMusica(); }},
      {"language", [] { return AbrirCambioIdioma(); }},
      {"open", [] { return AbrirVentanaArchivo(kArchivoAbrir); }},
      {"save", [] { return AbrirVentanaArchivo(kArchivoGuardar); }},
      {"honour roll", [] { return AbrirCuadroHonor(); }},
      {"message", [] { MostrarMensaje(80, ventanaPrincipal, nullptr, false); return ventanaMensaje; }, WM_CHAR},
      {"printing", [] { return MostrarEspera(ventanaPrincipal); }},
      {"finished picture", [&] { return AbrirPreviewInfo(ventanaPrincipal, 1, imagen.c_str()); }},
      {"full-screen picture", [&] { MostrarImagenGrande(ventanaPrincipal, imagen.c_str()); return VentanaVistaImagen(); }, WM_CHAR},
  };
  HHOOK gancho = SetWindowsHookExA(WH_CBT, Vigilar, nullptr, GetCurrentThreadId());
  ASSERT_NE(gancho, nullptr);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nombre);
    HWND v = c.abrir();
    Bombear(30);
    ASSERT_NE(v, nullptr);
    g_vigilada = v;
    g_habilitadaAlIrse = -1;
    EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
    SetForegroundWindow(v);
    Bombear(30);
    if (c.cerrar == WM_CHAR)
      SendMessageA(v, WM_CHAR, VK_ESCAPE, 0);
    else
      SendMessageA(v, WM_CLOSE, 0, 0);
    Bombear(120);  // the message box answers 45 ms after it has gone
    EXPECT_FALSE(IsWindow(v));
    EXPECT_EQ(g_habilitadaAlIrse, 1) << "the main window was still disabled when the pop-up went";
    EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
    EXPECT_EQ(GetForegroundWindow(), ventanaPrincipal);
    EXPECT_EQ(GetActiveWindow(), ventanaPrincipal);
  }
  UnhookWindowsHookEx(gancho);
}

// Renamed or not, the box stays shown, on top of the main window, with the
// input.
TEST_F(Dialogos, ARenamedBoxComesBackOnTop) {
  HWND caja = VentanaCaja(0);
  for (WPARAM tecla : {WPARAM{VK_RETURN}, WPARAM{VK_ESCAPE}}) {
    SetWindowPos(caja, HWND_TOP, 300, 200, 300, 300, SWP_SHOWWINDOW);
    SetForegroundWindow(caja);
    Bombear(30);
    SendMessageA(caja, kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(GetDlgItem(caja, 11)));
    ASSERT_NE(ventanaMensaje, nullptr);
    SetForegroundWindow(ventanaMensaje);
    SetWindowTextA(GetDlgItem(ventanaMensaje, kIdMensajeEntrada), "Cielo");
    SendMessageA(ventanaMensaje, WM_CHAR, tecla, 0);
    Bombear(150);
    EXPECT_EQ(ventanaMensaje, nullptr);
    EXPECT_TRUE(IsWindowVisible(caja)) << tecla;
    EXPECT_TRUE(IsWindowEnabled(caja)) << tecla;
    EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal)) << tecla;
    EXPECT_TRUE(Encima(caja, ventanaPrincipal)) << tecla;
    EXPECT_EQ(GetForegroundWindow(), caja) << tecla;
  }
}

}  // namespace
