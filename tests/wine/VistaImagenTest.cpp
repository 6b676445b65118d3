// The full-screen image preview opened over a recording owner, on pictures
// written to a temporary folder, closed with real pointer and key input.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <utility>

#include "../native/BmpSintetico.h"
#include "Globales.h"
#include "PadrePrueba.h"
#include "VistaImagen.h"

namespace {

constexpr COLORREF kRojo = RGB(255, 0, 0), kAzul = RGB(0, 0, 255), kNegro = RGB(0, 0, 0);

std::string Carpeta() {
  char temporal[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temporal);
  return std::string(temporal) + "tessera-vista\\";
}

// 24 bits: the left half red, the right half blue; or `bits` bits of zeros.
std::string Escribir(const char* nombre, int32_t ancho, int32_t alto, uint16_t bits = 24) {
  BmpSintetico b;
  b.ancho = ancho, b.alto = alto, b.bits = bits;
  b.Pintar([&](int32_t x, int32_t) { return bits != 24 ? 0u : 2 * x < ancho ? 0xFF0000u : 0x0000FFu; });
  const std::vector<uint8_t> bytes = b.Bytes();
  const std::string ruta = Carpeta() + nombre;
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
  return ruta;
}

class VistaImagen : public PadrePrueba {
 protected:
  static void SetUpTestSuite() {
    static const bool hecho = [] {
      instanciaPrograma = GetModuleHandleA(nullptr);
      CreateDirectoryA(Carpeta().c_str(), nullptr);
      return RegistrarVistaImagen(instanciaPrograma);
    }();
    ASSERT_TRUE(hecho);
  }
  void TearDown() override {
    if (VentanaVistaImagen()) DestroyWindow(VentanaVistaImagen());
    EXPECT_TRUE(g_verificados.empty()) << g_verificados.front();
    PadrePrueba::TearDown();
  }

  // The loop as the program runs it: keys become characters.
  static void Bucle(DWORD ms = 50) {
    const DWORD inicio = GetTickCount();
    do {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
      Sleep(5);
    } while (GetTickCount() - inicio < ms);
  }
  static void Clic(int x, int y) {
    SetCursorPos(x, y);
    INPUT e[2] = {};
    e[0].type = e[1].type = INPUT_MOUSE;
    e[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    e[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, e, sizeof(INPUT));
    Bucle();
  }
  static void Tecla(WORD vk) {
    INPUT e[2] = {};
    e[0].type = e[1].type = INPUT_KEYBOARD;
    e[0].ki.wVk = e[1].ki.wVk = vk;
    e[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, e, sizeof(INPUT));
    Bucle();
  }
  // Opens the preview of `ruta`, shown and painted.
  HWND Abrir(const std::string& ruta) {
    if (!MostrarImagenGrande(padre_, ruta.c_str())) return nullptr;
    Bucle();
    return VentanaVistaImagen();
  }
};

TEST_F(VistaImagen, FitsAnyPictureToTheScreenAtLeastOnePixelASide) {
  const std::pair<Punto, Punto> casos[] = {
      {{100, 400}, {192, 768}}, {{640, 480}, {1024, 768}}, {{1000, 10}, {1024, 10}},
      {{10, 1000}, {7, 768}},   {{3, 3000}, {1, 768}},     {{5000, 2}, {1024, 1}},
  };
  for (auto [imagen, esperado] : casos) {
    const Punto t = TamañoVistaImagen(imagen, {1024, 768});
    EXPECT_EQ(std::pair(t.x, t.y), std::pair(esperado.x, esperado.y)) << imagen.x << " x " << imagen.y;
  }
  const Punto igual = TamañoVistaImagen({800, 600}, {800, 600});
  EXPECT_EQ(std::pair(igual.x, igual.y), std::pair(800, 600));
}

TEST_F(VistaImagen, ShowsTheScaledPictureCentredOnBlackOverTheWholeScreen) {
  if (anchoPantalla != 1024 || altoPantalla != 768) GTEST_SKIP() << "measures for a 1024 x 768 screen";
  const HWND v = Abrir(Escribir("v100x400.bmp", 100, 400));
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
  EXPECT_EQ(Pixel(v, 0, 0), kNegro);
}

TEST_F(VistaImagen, ASingleClickKeepsItADoubleClickClosesItAndFreesTheOwner) {
  const HWND v = Abrir(Escribir("v100x400.bmp", 100, 400));
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(GetWindow(v, GW_OWNER), padre_);
  EXPECT_FALSE(IsWindowEnabled(padre_));
  Clic(512, 384);
  Sleep(GetDoubleClickTime() + 50);
  Clic(512, 384);  // a second single click, long after the first
  EXPECT_EQ(VentanaVistaImagen(), v);
  EXPECT_TRUE(IsWindow(v));
  EXPECT_FALSE(IsWindowEnabled(padre_));
  Sleep(GetDoubleClickTime() + 50);
  Clic(100, 100);
  Clic(100, 100);
  EXPECT_FALSE(IsWindow(v));
  EXPECT_EQ(VentanaVistaImagen(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(padre_));
}

TEST_F(VistaImagen, AnyCharacterKeyClosesItAndFreesTheOwner) {
  for (WORD tecla : {WORD('A'), WORD(VK_SPACE), WORD(VK_ESCAPE)}) {
    const HWND v = Abrir(Escribir("v100x400.bmp", 100, 400));
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(GetFocus(), v);
    Tecla(VK_SHIFT);  // no character: stays
    EXPECT_TRUE(IsWindow(v));
    Tecla(tecla);
    EXPECT_FALSE(IsWindow(v)) << tecla;
    EXPECT_TRUE(IsWindowEnabled(padre_));
  }
}

TEST_F(VistaImagen, APictureThatCannotBeReadOpensNothingAndLeavesTheOwnerEnabled) {
  const std::string rutas[] = {Carpeta() + "falta.bmp", Escribir("v32bits.bmp", 64, 64, 32),
                               Escribir("vcorto.txt", 1, 1, 7)};
  for (const std::string& ruta : rutas) {
    EXPECT_FALSE(MostrarImagenGrande(padre_, ruta.c_str())) << ruta;
    EXPECT_EQ(VentanaVistaImagen(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(padre_));
  }
  EXPECT_FALSE(MostrarImagenGrande(padre_, nullptr));
  EXPECT_TRUE(IsWindowEnabled(padre_));
}

TEST_F(VistaImagen, OneAtATimeAndThinPicturesShowAtLeastAPixel) {
  const HWND v = Abrir(Escribir("v3x3000.bmp", 3, 3000));
  ASSERT_NE(v, nullptr);
  EXPECT_FALSE(MostrarImagenGrande(padre_, Escribir("v100x400.bmp", 100, 400).c_str()));
  EXPECT_EQ(VentanaVistaImagen(), v);
  const auto [ancho, alto] = Tamaño(v);
  EXPECT_EQ(Pixel(v, (ancho - 1) / 2, alto / 2), kRojo);
  SendMessageA(v, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(padre_));

  const HWND ancha = Abrir(Escribir("v5000x2.bmp", 5000, 2));
  ASSERT_NE(ancha, nullptr);
  EXPECT_EQ(Pixel(ancha, 0, (alto - 1) / 2), kRojo);
  EXPECT_EQ(Pixel(ancha, ancho - 1, (alto - 1) / 2), kAzul);
  EXPECT_EQ(Pixel(ancha, 0, (alto - 1) / 2 - 1), kNegro);
  DestroyWindow(ancha);
  EXPECT_TRUE(IsWindowEnabled(padre_));
}

}  // namespace
