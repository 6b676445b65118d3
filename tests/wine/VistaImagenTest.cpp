// The full-screen image preview over a recording owner, on pictures written
// to a temporary folder, closed with real pointer and key input.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>

#include "../native/BmpSintetico.h"
#include "Globales.h"
#include "InicioPrueba.h"
#include "PadrePrueba.h"
#include "VistaImagen.h"

namespace {

constexpr COLORREF kRojo = RGB(255, 0, 0), kAzul = RGB(0, 0, 255), kNegro = RGB(0, 0, 0);

// w x h, 24 bits: the left half red, the right half blue; other depths zeros.
std::string Escribir(int32_t w, int32_t h, uint16_t bits = 24) {
  char temporal[MAX_PATH] = "", nombre[40];
  GetTempPathA(MAX_PATH, temporal);
  std::snprintf(nombre, sizeof nombre, "tessera-vista-%dx%dx%d.bmp", w, h, bits);
  BmpSintetico b;
  b.ancho = w, b.alto = h, b.bits = bits;
  b.Pintar([&](int32_t x, int32_t) { return bits != 24 ? 0u : 2 * x < w ? 0xFF0000u : 0x0000FFu; });
  const std::vector<uint8_t> bytes = b.Bytes();
  const std::string ruta = std::string(temporal) + nombre;
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
  return ruta;
}

class VistaImagen : public PadrePrueba {
 protected:
  static void SetUpTestSuite() {
    PrepararInicio();
    // A suite that ran earlier in this program may have registered it.
    WNDCLASSA c;
    static const bool registrada =
        RegistrarVistaImagen(arranque.instancia) || GetClassInfoA(arranque.instancia, "CWNDIMGPREV", &c);
    ASSERT_TRUE(registrada);
  }
  void TearDown() override {
    if (VentanaVistaImagen()) DestroyWindow(VentanaVistaImagen());
    EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
    PadrePrueba::TearDown();
  }

  // The program's loop: keys become characters.
  static void Bucle() {
    for (int i = 0; i < 10; ++i, Sleep(5)) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) TranslateMessage(&m), DispatchMessageA(&m);
    }
  }
  static void Clic(int x, int y) {
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Bucle();
  }
  static void Tecla(BYTE vk) {
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    Bucle();
  }
  HWND Abrir(int32_t w, int32_t h) {
    if (!MostrarImagenGrande(padre_, Escribir(w, h).c_str())) return nullptr;
    Bucle();
    return VentanaVistaImagen();
  }
};

TEST_F(VistaImagen, FitsAnyPictureToTheScreenAtLeastOnePixelASide) {
  const Punto casos[][3] = {  // picture, screen, shown
      {{100, 400}, {1024, 768}, {192, 768}}, {{800, 600}, {800, 600}, {800, 600}},
      {{1000, 10}, {1024, 768}, {1024, 10}}, {{10, 1000}, {1024, 768}, {7, 768}},
      {{3, 3000}, {1024, 768}, {1, 768}},    {{5000, 2}, {1024, 768}, {1024, 1}},
  };
  for (const auto& c : casos) {
    const Punto t = TamañoVistaImagen(c[0], c[1]);
    EXPECT_EQ(std::pair(t.x, t.y), std::pair(c[2].x, c[2].y)) << c[0].x << " x " << c[0].y;
  }
}

TEST_F(VistaImagen, ShowsTheScaledPictureCentredOnBlackOverTheWholeScreen) {
  if (arranque.anchoPantalla != 1024 || arranque.altoPantalla != 768) GTEST_SKIP() << "measures for a 1024 x 768 screen";
  const HWND v = Abrir(100, 400);
  ASSERT_NE(v, nullptr);
  POINT origen{0, 0};
  ClientToScreen(v, &origen);
  EXPECT_EQ(std::pair(origen.x, origen.y), std::pair(0L, 0L));
  EXPECT_EQ(Tamaño(v), Medida(1024, 768));
  // 192 x 768 at x = 416: red up to 511, blue from 512.
  EXPECT_EQ(Pixel(v, 415, 384), kNegro);
  EXPECT_EQ(Pixel(v, 416, 0), kRojo);
  EXPECT_EQ(Pixel(v, 511, 767), kRojo);
  EXPECT_EQ(Pixel(v, 512, 384), kAzul);
  EXPECT_EQ(Pixel(v, 607, 384), kAzul);
  EXPECT_EQ(Pixel(v, 608, 384), kNegro);
  DestroyWindow(v);
  // Thin pictures keep a line of a pixel, in the middle.
  const HWND fina = Abrir(3, 3000);
  ASSERT_NE(fina, nullptr);
  EXPECT_EQ(Pixel(fina, 511, 384), kRojo);
  EXPECT_EQ(Pixel(fina, 512, 384), kNegro);
  DestroyWindow(fina);
  const HWND ancha = Abrir(5000, 2);
  ASSERT_NE(ancha, nullptr);
  EXPECT_EQ(Pixel(ancha, 0, 383), kRojo);
  EXPECT_EQ(Pixel(ancha, 1023, 383), kAzul);
  EXPECT_EQ(Pixel(ancha, 0, 382), kNegro);
}

TEST_F(VistaImagen, SingleClicksKeepItADoubleClickOrAKeyClosesItAndFreesTheOwner) {
  const HWND v = Abrir(100, 400);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(GetWindow(v, GW_OWNER), padre_);
  EXPECT_FALSE(IsWindowEnabled(padre_));
  EXPECT_FALSE(MostrarImagenGrande(padre_, Escribir(100, 400).c_str()));  // one at a time
  Clic(512, 384);
  Sleep(GetDoubleClickTime() + 50);
  Clic(512, 384);
  Tecla(VK_SHIFT);  // a key that types nothing
  EXPECT_EQ(VentanaVistaImagen(), v);
  EXPECT_FALSE(IsWindowEnabled(padre_));
  Sleep(GetDoubleClickTime() + 50);
  Clic(100, 100);
  Clic(100, 100);
  EXPECT_FALSE(IsWindow(v));
  EXPECT_EQ(VentanaVistaImagen(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(padre_));

  for (BYTE tecla : {BYTE('A'), BYTE(VK_SPACE), BYTE(VK_ESCAPE)}) {
    const HWND otra = Abrir(100, 400);
    ASSERT_NE(otra, nullptr);
    EXPECT_EQ(GetFocus(), otra);
    Tecla(tecla);
    EXPECT_FALSE(IsWindow(otra)) << tecla;
    EXPECT_TRUE(IsWindowEnabled(padre_));
  }
}

TEST_F(VistaImagen, APictureThatCannotBeReadOpensNothingAndLeavesTheOwnerEnabled) {
  char falta[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, falta);
  // Missing; a depth that opens but cannot be scaled; not a picture at all.
  for (const std::string& ruta : {std::string(falta) + "tessera-falta.bmp", Escribir(64, 64, 32), Escribir(1, 1, 7)}) {
    EXPECT_FALSE(MostrarImagenGrande(padre_, ruta.c_str())) << ruta;
    EXPECT_EQ(VentanaVistaImagen(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(padre_));
  }
  EXPECT_FALSE(MostrarImagenGrande(padre_, nullptr));
}

}  // namespace
