// The control tests' parent: a visible pop-up at a known place on the
// screen that records every notification (message 1324) in order, and
// pictures made in memory.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Controles.h"
#include "HImage.h"
#include "ObjetosGDI.h"
#include "Verificar.h"

using Aviso = std::pair<int, HWND>;  // code, control
using Medida = std::pair<LONG, LONG>;
using Mensajes = std::vector<std::string>;
using Imagen = std::unique_ptr<CabeceraInfoBMP, decltype(&LiberarHIMAGE)>;

inline std::vector<Aviso> g_avisos;
inline Mensajes g_verificados;  // assertions raised, in order

inline std::vector<Aviso> Avisos(HWND control, std::vector<int> codigos) {
  std::vector<Aviso> v;
  for (int c : codigos) v.emplace_back(c, control);
  return v;
}

// 8 bits, entry i grey i, pixel (x, y) index (x + y) & 255.
inline Imagen NuevaImagen(int32_t ancho, int32_t alto) {
  Imagen h(AsignarHIMAGE(((ancho + 3) & ~3) * alto), &LiberarHIMAGE);
  *h = {40, ancho, alto, 1, 8, 0, static_cast<uint32_t>(((ancho + 3) & ~3) * alto), 0, 0, 256, 0};
  for (int i = 0; i < 256; ++i) ColoresHIMAGE(h.get())[i] = {uint8_t(i), uint8_t(i), uint8_t(i), 0};
  for (int32_t y = 0; y < alto; ++y)
    for (int32_t x = 0; x < ancho; ++x) FilaHIMAGE(h.get(), y)[x] = static_cast<uint8_t>(x + y);
  return h;
}

// The extent of a text in the system's face of that height and weight.
inline Medida Extension(const char* texto, int alto, int peso) {
  HFONT f = CreateFontA(alto, 0, 0, 0, peso, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
  HDC dc = GetDC(nullptr);
  HGDIOBJ antes = SelectObject(dc, f);
  SIZE s{};
  GetTextExtentPoint32A(dc, texto, lstrlenA(texto), &s);
  DeleteObject(SelectObject(dc, antes));
  ReleaseDC(nullptr, dc);
  return {s.cx, s.cy};
}

class PadrePrueba : public ::testing::Test {
 protected:
  static constexpr int kX = 100, kY = 100;  // the parent on the screen

  void SetUp() override {
    static const bool registradas = Registrar();
    ASSERT_TRUE(registradas);
    anterior_ = InstalarManejadorVerificar([](const char* m) { g_verificados.emplace_back(m); });
    padre_ = CreateWindowExA(0, "PadrePrueba", "", WS_POPUP | WS_VISIBLE, kX, kY, 500, 400, nullptr, nullptr, nullptr,
                             nullptr);
    ASSERT_NE(padre_, nullptr);
    Apuntar(nullptr, 1000, 750);
    g_avisos.clear();
    g_verificados.clear();
  }
  void TearDown() override {
    ReleaseCapture();
    DestroyWindow(padre_);
    InstalarManejadorVerificar(anterior_);
  }

  HWND Crear(const char* clase) const {
    return CreateWindowExA(0, clase, "", WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, padre_, nullptr, nullptr, nullptr);
  }

  // Runs the message loop for `ms`, or until nothing is pending.
  static void Bombear(DWORD ms = 0) {
    const DWORD desde = GetTickCount();
    do {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      if (ms) Sleep(5);
    } while (GetTickCount() - desde < ms);
  }

  // The real pointer to client point (x, y) of `ventana` (of the screen
  // without one), and the moves it makes delivered.
  static void Apuntar(HWND ventana, int x, int y) {
    POINT p{x, y};
    if (ventana) ClientToScreen(ventana, &p);
    SetCursorPos(p.x, p.y);
    Bombear();
  }

  static LRESULT Enviar(HWND h, UINT m, LPARAM l = 0, WPARAM w = 0) { return SendMessageA(h, m, w, l); }
  static LPARAM Pt(int x, int y) { return MAKELPARAM(x, y); }
  static Medida Tamaño(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return {r.right, r.bottom};
  }
  // What the control shows at (x, y) once pending paints are done (the null
  // display driver keeps window pixels too).
  static COLORREF Pixel(HWND h, int x, int y) {
    UpdateWindow(h);
    return GetPixel(DCVentana(h).Get(), x, y);
  }
  static COLORREF Gris(int v) { return RGB(v, v, v); }

  HWND padre_ = nullptr;

 private:
  static LRESULT CALLBACK ProcPadre(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m != kMsgNotificacion) return DefWindowProcA(h, m, w, l);
    g_avisos.emplace_back(static_cast<int>(w), reinterpret_cast<HWND>(l));
    return 0;
  }
  static bool Registrar() {
    WNDCLASSA c{};
    c.lpfnWndProc = ProcPadre;
    c.hInstance = GetModuleHandleA(nullptr);
    c.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    c.lpszClassName = "PadrePrueba";
    WNDCLASSA hecha{};
    return RegisterClassA(&c) && (GetClassInfoA(c.hInstance, "COVTXT", &hecha) || RegistrarControles(c.hInstance));
  }
  ManejadorVerificar anterior_ = nullptr;
};
