// The slider with real pointer moves. The background shows grey (x + y) %
// 100 at parent point (x, y); the knob is 34 x 18, grey 200 but for its
// top-left pixel, which the mask leaves to the background.
#include <windows.h>

#include <array>

#include "Deslizador.h"
#include "PadrePrueba.h"

namespace {

using Caja = std::array<LONG, 4>;  // left, top, right, bottom

class ControlesDeslizador : public PadrePrueba {
 protected:
  void SetUp() override {
    PadrePrueba::SetUp();
    for (int32_t y = 0; y < 400; ++y)
      for (int32_t x = 0; x < 500; ++x) FilaHIMAGE(fondo_.get(), y)[x] = uint8_t((x + y) % 100);
    for (int32_t y = 0; y < 36; ++y)
      for (int32_t x = 0; x < 34; ++x) FilaHIMAGE(tira_.get(), y)[x] = uint8_t(y < 18 ? 200 : 0);
    FilaHIMAGE(tira_.get(), 0)[0] = 0;
    FilaHIMAGE(tira_.get(), 18)[0] = 255;
  }

  // Configured in the music window's order.
  HWND Nuevo(POINT inicio, POINT fin, int maximo = 100, int posicion = 50) {
    HWND c = Crear("COVSLIDE");
    Enviar(c, kMsgDeslPonerFilas, 1);
    Enviar(c, kMsgDeslPonerColumnas, 1);
    Enviar(c, kMsgDeslPonerInicio, Pt(inicio.x, inicio.y));
    Enviar(c, kMsgDeslPonerFin, Pt(fin.x, fin.y));
    Enviar(c, kMsgDeslPonerFondo, LPARAM(fondo_.get()));
    Enviar(c, kMsgDeslPonerTira, LPARAM(tira_.get()));
    Enviar(c, kMsgDeslPonerMaximo, maximo);
    Enviar(c, kMsgDeslPonerPosicion, posicion);
    Enviar(c, kMsgDeslPonerCuadro, 0);
    return c;
  }
  // Track from (50, 250) up to (50, 150): the window is (33, 141) 34 x 118
  // and the knob centre is at window (17, 109 - position).
  HWND Vertical() { return Nuevo({50, 250}, {50, 150}); }

  Caja Lugar(HWND c) const {
    RECT r{};
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, padre_, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
  }
  // The box of the knob's grey on the control.
  static Caja Perilla(HWND c) {
    const auto [ancho, alto] = Tamaño(c);
    UpdateWindow(c);
    DCVentana dc(c);
    Caja caja{ancho, alto, 0, 0};
    for (LONG y = 0; y < alto; ++y)
      for (LONG x = 0; x < ancho; ++x)
        if (GetPixel(dc.Get(), x, y) == Gris(200)) caja = {std::min(caja[0], x), std::min(caja[1], y),
                                                             std::max(caja[2], x + 1), std::max(caja[3], y + 1)};
    return caja;
  }
  COLORREF Fondo(HWND c, int x, int y) const {
    const Caja l = Lugar(c);
    return Gris((l[0] + x + l[1] + y) % 100);
  }
  static int Posicion(HWND c) { return int(Enviar(c, kMsgDeslObtenerPosicion)); }
  // The owner's answer to 4.
  static void Seguir(HWND c) { Enviar(c, kMsgDeslPonerCuadro, 0); }

  Imagen fondo_ = NuevaImagen(500, 400);
  Imagen tira_ = NuevaImagen(34, 36);
};

TEST_F(ControlesDeslizador, WindowSpansTheTrackAndTheKnobSitsAtThePositionOverTheBackground) {
  HWND c = Nuevo({69, 236}, {69, 100}, 99);
  EXPECT_EQ(Lugar(c), (Caja{52, 91, 86, 245})) << "as wide as the knob, track plus a knob high";
  EXPECT_EQ(Perilla(c), (Caja{0, 68, 34, 86})) << "136 * 50 / 99 = 68 up from the start";
  EXPECT_EQ(Pixel(c, 0, 68), Fondo(c, 0, 68)) << "through the mask";
  EXPECT_EQ(Pixel(c, 20, 30), Fondo(c, 20, 30));
  EXPECT_EQ(Enviar(c, kMsgDeslObtenerFin), Pt(69, 100));
  Enviar(c, kMsgDeslPonerPosicion, 0);
  EXPECT_EQ(Perilla(c), (Caja{0, 136, 34, 154}));
  Enviar(c, kMsgDeslPonerPosicion, 95);
  Enviar(c, kMsgDeslPonerMaximo, 40);
  EXPECT_EQ(Posicion(c), 40) << "the maximum pulls the position down";
  EXPECT_EQ(Perilla(c), (Caja{0, 0, 34, 18})) << "and the knob with it";

  // Right to left and down: the window starts at the end point's x.
  HWND d = Nuevo({300, 50}, {200, 150}, 100, 25);
  EXPECT_EQ(Lugar(d), (Caja{183, 41, 317, 159}));
  EXPECT_EQ(Perilla(d), (Caja{75, 25, 109, 43}));
  EXPECT_EQ(Pixel(d, 120, 100), Fondo(d, 120, 100));
  Enviar(d, kMsgDeslPonerInicio, Pt(250, 50));
  EXPECT_EQ(Lugar(d), (Caja{183, 41, 267, 159})) << "the end point stays put";
  EXPECT_EQ(g_verificados, Mensajes{});
}

TEST_F(ControlesDeslizador, DraggingSnapsToTheStepClampsAtTheEndsAndReportsInOrder) {
  HWND c = Vertical();
  Apuntar(c, 20, 61);  // 3 right of and 2 below the centre
  Enviar(c, WM_LBUTTONDOWN, Pt(20, 61));
  ASSERT_EQ(GetCapture(), c);
  Apuntar(c, 20, 49);
  EXPECT_EQ(Posicion(c), 60) << "62 rounds down";
  Apuntar(c, 30, 48);
  EXPECT_EQ(Posicion(c), 65) << "63 rounds up; across the track changes nothing";
  Apuntar(c, 30, 47);
  Enviar(c, kMsgDeslPonerPosicion, 10);
  EXPECT_EQ(Posicion(c), 65) << "64 is 65 still; the owner waits for the drag";
  Apuntar(c, 20, -100);
  EXPECT_EQ(Posicion(c), 100);
  Enviar(c, WM_LBUTTONUP, Pt(20, -100));
  EXPECT_EQ(g_avisos, Avisos(c, {2, 0, 4, 4, 4, 1, 3}));
  Seguir(c);
  EXPECT_EQ(Perilla(c), (Caja{0, 0, 34, 18})) << "at the track end";

  Apuntar(c, 17, 9);
  Enviar(c, WM_LBUTTONDOWN, Pt(17, 9));
  Apuntar(c, 17, 400);
  EXPECT_EQ(Posicion(c), 0);
  Apuntar(c, 17, 105);
  EXPECT_EQ(Posicion(c), 5);
  g_avisos.clear();
  Enviar(c, WM_LBUTTONUP, Pt(17, 105));
  EXPECT_EQ(g_avisos, Avisos(c, {1})) << "released on the knob: still hovered";
  Seguir(c);
  EXPECT_EQ(Perilla(c), (Caja{0, 95, 34, 113}));
}

// A press handled after the pointer has moved on takes the knob where the
// press was.
TEST_F(ControlesDeslizador, ALatePressTakesTheKnobWhereItWasPressed) {
  HWND c = Vertical();
  Apuntar(c, 17, 59);
  SetCursorPos(1000, 750);  // no move delivered yet
  Enviar(c, WM_LBUTTONDOWN, Pt(17, 59));
  EXPECT_EQ(GetCapture(), c);
  Enviar(c, WM_LBUTTONUP, Pt(17, 59));
}

TEST_F(ControlesDeslizador, OnlyTheKnobIsHoveredAndPressed) {
  HWND c = Vertical();
  Apuntar(c, 17, 30);
  Enviar(c, WM_LBUTTONDOWN, Pt(17, 30));
  EXPECT_NE(GetCapture(), c) << "the track is not the knob";
  Bombear(200);
  EXPECT_EQ(g_avisos, std::vector<Aviso>{});

  Apuntar(c, 33, 68);  // the knob's bottom-right corner, bounds inclusive
  Bombear(300);
  EXPECT_EQ(g_avisos, Avisos(c, {2}));
  Apuntar(c, 17, 30);
  Bombear(300);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 3})) << "off the knob, though on the slider";
  Apuntar(c, 17, 59);
  Apuntar(nullptr, 1000, 750);
  Bombear(300);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 3, 2, 3}));
}

TEST_F(ControlesDeslizador, ARangeBelowTwoKeepsWholeValuesWithoutAStep) {
  HWND c = Vertical();
  Enviar(c, kMsgDeslPonerMaximo, 1);
  EXPECT_EQ(Enviar(c, kMsgDeslObtenerPaso), 0);
  Enviar(c, kMsgDeslPonerPosicion, 5);
  EXPECT_EQ(Posicion(c), 1);
  Enviar(c, kMsgDeslPonerPaso, 3);
  EXPECT_EQ(Enviar(c, kMsgDeslObtenerPaso), 0);

  Apuntar(c, 17, 9);
  Enviar(c, WM_LBUTTONDOWN, Pt(17, 9));
  Apuntar(c, 17, 39);
  EXPECT_EQ(Posicion(c), 1) << "0.7 of the way";
  Apuntar(c, 17, 89);
  EXPECT_EQ(Posicion(c), 0) << "0.2 of the way";
  Apuntar(c, 17, 49);
  EXPECT_EQ(Posicion(c), 1) << "0.6 of the way";
  Enviar(c, WM_LBUTTONUP, Pt(17, 49));

  Enviar(c, kMsgDeslPonerMinimo, 7);
  EXPECT_EQ(std::make_pair(Posicion(c), int(Enviar(c, kMsgDeslObtenerMaximo))), std::make_pair(7, 7));
  EXPECT_EQ(Perilla(c), (Caja{0, 50, 34, 68})) << "no range: the middle of the track";
  EXPECT_EQ(g_verificados, Mensajes{});
}

TEST_F(ControlesDeslizador, SetPositionTruncatesToTheStepInsideTheRange) {
  HWND c = Vertical();
  Enviar(c, kMsgDeslPonerMinimo, 3);
  const std::pair<int, int> casos[] = {{52, 50}, {4, 3}, {-10, 3}, {1000, 100}, {99, 95}};
  for (auto [puesto, leido] : casos) {
    Enviar(c, kMsgDeslPonerPosicion, puesto);
    EXPECT_EQ(Posicion(c), leido) << puesto;
  }
  Enviar(c, kMsgDeslPonerPaso, 200);
  EXPECT_EQ(Enviar(c, kMsgDeslObtenerPaso), 48) << "half the range";
}

TEST_F(ControlesDeslizador, NotReadyIsBlackAndDeafAndEndsADrag) {
  HWND c = Nuevo({60, 60}, {60, 60});
  EXPECT_EQ(Lugar(c), (Caja{60, 60, 110, 110})) << "no track";
  Apuntar(c, 10, 10);
  Enviar(c, WM_LBUTTONDOWN, Pt(10, 10));
  EXPECT_NE(GetCapture(), c);
  EXPECT_EQ(Pixel(c, 10, 10), Gris(0));

  HWND v = Vertical();
  Apuntar(v, 17, 59);
  Enviar(v, WM_LBUTTONDOWN, Pt(17, 59));
  ASSERT_EQ(GetCapture(), v);
  EXPECT_EQ(Enviar(v, kMsgDeslPonerFondo, 0), 0);
  EXPECT_NE(GetCapture(), v) << "a drag does not outlive the background";
  Apuntar(v, 17, 20);
  EXPECT_EQ(Pixel(v, 17, 20), Gris(0));
  EXPECT_EQ(g_avisos, Avisos(v, {2, 0}));

  // The knob must share the background's palette size.
  Imagen ajena = NuevaImagen(34, 36);
  ajena->biClrUsed = 16;
  Enviar(v, kMsgDeslPonerFondo, LPARAM(fondo_.get()));
  Enviar(v, kMsgDeslPonerTira, LPARAM(ajena.get()));
  EXPECT_EQ(Pixel(v, 17, 20), Gris(0));

  EXPECT_EQ(Enviar(v, kMsgDeslPonerCuadro, 1), 0);
  EXPECT_EQ(Enviar(v, kMsgDeslPonerFilas, 0), 0);
  EXPECT_EQ(Enviar(v, kMsgDeslPonerTira, 0), 0) << "a strip that could not be had: no assertion";
  EXPECT_EQ(g_verificados, (Mensajes{"Numero de Cuadro enviado al slide es invalido",
                                     "Numero de filas enviado es invalido"}));
}

TEST_F(ControlesDeslizador, LosingTheCaptureOrBeingDisabledEndsADrag) {
  HWND c = Vertical();
  Apuntar(c, 17, 59);
  Enviar(c, WM_LBUTTONDOWN, Pt(17, 59));
  SetCapture(padre_);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 0, 1, 3}));
  ReleaseCapture();
  Apuntar(c, 17, 58);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 0, 1, 3, 2})) << "no hover mark left behind";

  Enviar(c, WM_LBUTTONDOWN, Pt(17, 58));
  g_avisos.clear();
  Enviar(c, kMsgHabilitar, 0);
  EXPECT_NE(GetCapture(), c);
  Apuntar(c, 17, 20);
  Bombear(300);
  EXPECT_EQ(Posicion(c), 50);
  EXPECT_EQ(g_avisos, std::vector<Aviso>{});
}

}  // namespace
