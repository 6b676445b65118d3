// The spin scroll control with real pointer moves and timers. Parts 10, 20
// and 10 high: bands start at 0, 30 and 90 of a 120-high strip, so part 1
// shows grey 0 normal, 10 hovered, 20 pressed at its top left.
#include <windows.h>

#include "Desplazador.h"
#include "PadrePrueba.h"

namespace {

class ControlesDesplazador : public PadrePrueba {
 protected:
  HWND Nuevo(int alto3 = 10) {
    HWND c = Crear("COVSROLL");
    Enviar(c, kMsgDespPonerAlto1, 10);
    Enviar(c, kMsgDespPonerAlto2, 20);
    Enviar(c, kMsgDespPonerAlto3, alto3);
    Enviar(c, kMsgPonerImagen, LPARAM(tira_.get()));
    return c;
  }
  int Valor(HWND c) const { return static_cast<int>(Enviar(c, kMsgDespObtenerValor)); }

  // Pumps for `ms` and gives the times (ms after the call) of the value
  // changes reported.
  static std::vector<int> Pasos(DWORD ms) {
    std::vector<int> tiempos;
    const DWORD inicio = GetTickCount();
    size_t vistos = g_avisos.size();
    while (GetTickCount() - inicio < ms) {
      MSG m;
      while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
      for (; vistos < g_avisos.size(); ++vistos)
        if (g_avisos[vistos].first == kNotifActivado) tiempos.push_back(int(GetTickCount() - inicio));
      Sleep(1);
    }
    return tiempos;
  }

  Imagen tira_ = NuevaImagen(16, 120);
};

constexpr int kTolerancia = 60;  // ms, timers under a loaded machine

TEST_F(ControlesDesplazador, QuickClicksStepOnceAndEachPartShowsItsFrame) {
  HWND c = Nuevo();
  EXPECT_EQ(Tamaño(c), Medida(16, 40));
  EXPECT_EQ(Pixel(c, 0, 10), Gris(30));
  Apuntar(c, 5, 5);
  EXPECT_EQ(Pixel(c, 0, 0), Gris(10));
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
  EXPECT_EQ(GetCapture(), c);
  EXPECT_EQ(Pixel(c, 0, 0), Gris(20));
  Enviar(c, WM_LBUTTONUP, Pt(5, 5));
  EXPECT_EQ(Valor(c), 55);
  EXPECT_EQ(Pixel(c, 0, 0), Gris(10));
  Apuntar(c, 5, 35);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 35));
  Enviar(c, WM_LBUTTONUP, Pt(5, 35));
  EXPECT_EQ(Valor(c), 50);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 5, 0, 11, 4, 14, 1, 8, 7, 0, 13, 4, 16, 1}));

  Enviar(c, kMsgHabilitar, 0);
  EXPECT_EQ(Pixel(c, 0, 0), Gris(0)) << "disabled: frame 0 of each band";
  Enviar(c, kMsgDespPonerEstilo, 1);
  EXPECT_EQ(Tamaño(c), Medida(16, 30)) << "four frames a band";
}

// With a thumb 6 high the grip's band is the track (grey 30 at its top),
// the thumb (50) and the thumb lit (70): the thumb's top travels 14 rows,
// from the top of the track at the maximum to its bottom at the minimum.
TEST_F(ControlesDesplazador, AThumbFollowsTheValueTheArrowsAndTheDrag) {
  HWND c = Nuevo();
  Enviar(c, kMsgDespPonerPulgar, 6);
  EXPECT_EQ(Pixel(c, 0, 10 + 7), Gris(50)) << "50 of 0..100: half way";
  EXPECT_EQ(Pixel(c, 0, 10 + 6), Gris(36)) << "the track above it";
  Enviar(c, kMsgDespPonerMaximo, 10);
  Enviar(c, kMsgDespPonerValor, 0);
  EXPECT_EQ(Pixel(c, 0, 10 + 14), Gris(50));
  Apuntar(c, 5, 5);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
  Enviar(c, WM_LBUTTONUP, Pt(5, 5));
  EXPECT_EQ(Pixel(c, 0, 10 + 7), Gris(50)) << "an arrow's step of 5 in 0..10";
  // A step moves the thumb 7 rows: the drag waits for as much.
  Apuntar(c, 5, 15);
  EXPECT_EQ(Pixel(c, 0, 10 + 7), Gris(70)) << "lit under the pointer";
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 15));
  Apuntar(c, 5, 9);
  EXPECT_EQ(Valor(c), 5) << "6 pixels up";
  Apuntar(c, 5, 7);
  EXPECT_EQ(Valor(c), 10) << "8 pixels up";
  Enviar(c, WM_LBUTTONUP, Pt(5, 7));
  Enviar(c, kMsgHabilitar, 0);
  EXPECT_EQ(Pixel(c, 0, 10), Gris(30)) << "disabled: the track alone";
}

TEST_F(ControlesDesplazador, HoldingRepeatsAfterDelayPlusPeriodThenEveryTwoPeriodsBlinking) {
  HWND c = Nuevo();
  Enviar(c, kMsgDespPonerRetardo, 200);
  Enviar(c, kMsgDespPonerPeriodo, 100);
  Apuntar(c, 5, 5);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
  const std::vector<int> t = Pasos(1000);
  ASSERT_GE(t.size(), 3u);
  EXPECT_LE(t.size(), 4u);
  EXPECT_NEAR(t[0], 300, kTolerancia);
  for (size_t i = 1; i < t.size(); ++i) EXPECT_NEAR(t[i] - t[i - 1], 200, kTolerancia) << i;
  EXPECT_EQ(Valor(c), 50 + 5 * static_cast<int>(t.size()));

  bool visto[2] = {};  // normal, pressed
  for (DWORD inicio = GetTickCount(); GetTickCount() - inicio < 500; Sleep(10)) {
    Bombear();
    visto[0] |= Pixel(c, 0, 0) == Gris(0);
    visto[1] |= Pixel(c, 0, 0) == Gris(20);
  }
  EXPECT_TRUE(visto[0] && visto[1]) << "the held arrow blinks";
  const int antes = Valor(c);
  Enviar(c, WM_LBUTTONUP, Pt(5, 5));
  EXPECT_EQ(Valor(c), antes) << "a release during the repeat adds no step";
}

TEST_F(ControlesDesplazador, LeavingTheHeldArrowStopsTheRepeatAndComingBackWaitsOnlyTheHoverPeriod) {
  HWND c = Nuevo();
  Enviar(c, kMsgDespPonerPeriodo, 80);
  Apuntar(c, 5, 35);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 35));
  ASSERT_EQ(Pasos(560).size(), 1u) << "delay 400 + period 80";
  g_avisos.clear();
  Apuntar(c, 5, 25);  // over the grip: still the control, not the arrow
  EXPECT_EQ(g_avisos, Avisos(c, {10, 3}));
  EXPECT_EQ(Pasos(400), std::vector<int>{});
  EXPECT_EQ(Pixel(c, 0, 30), Gris(90)) << "normal while away";

  g_avisos.clear();
  Apuntar(c, 5, 35);
  EXPECT_EQ(g_avisos, Avisos(c, {7, 2}));
  const std::vector<int> t = Pasos(300);
  ASSERT_FALSE(t.empty());
  EXPECT_NEAR(t[0], 120 + 80, kTolerancia);
  EXPECT_EQ(Valor(c), 50 - 5 * (1 + static_cast<int>(t.size())));

  g_avisos.clear();
  Apuntar(c, -15, 35);
  Enviar(c, WM_LBUTTONUP, Pt(-15, 35));
  EXPECT_EQ(g_avisos, Avisos(c, {10, 3, 16, 1}));

  // Losing the capture over the arrow: a release outside, no step, and the
  // hover the parent was told of ends.
  Apuntar(c, 5, 5);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
  g_avisos.clear();
  SetCapture(padre_);
  EXPECT_EQ(g_avisos, Avisos(c, {14, 1, 8, 3}));
  EXPECT_EQ(Pasos(500), std::vector<int>{});
  ReleaseCapture();
  g_avisos.clear();
  Apuntar(c, 4, 4);
  EXPECT_EQ(g_avisos, Avisos(c, {2, 5})) << "no hover mark left behind";
}

TEST_F(ControlesDesplazador, GripStepsPastTheThresholdAndWrapsAtTheScreenEdges) {
  HWND c = Nuevo();
  Apuntar(c, 5, 20);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 20));
  Apuntar(c, 5, 15);
  EXPECT_EQ(Valor(c), 50) << "5 pixels up is not past the threshold";
  Apuntar(c, 5, 14);
  EXPECT_EQ(Valor(c), 55) << "6 pixels up";
  Apuntar(c, 5, 19);
  Apuntar(c, 5, 20);
  EXPECT_EQ(Valor(c), 50) << "6 pixels down, in two moves";

  const int h = GetSystemMetrics(SM_CYSCREEN);
  const auto puntero = [] {
    POINT p{};
    GetCursorPos(&p);
    return int(p.y);
  };
  Apuntar(nullptr, 200, 0);
  EXPECT_EQ(std::make_pair(Valor(c), puntero()), std::make_pair(55, h - 2)) << "the top edge wraps to the bottom";
  Apuntar(nullptr, 200, h - 8);
  EXPECT_EQ(Valor(c), 60) << "and the climb goes on from there";
  Apuntar(nullptr, 200, h - 1);
  EXPECT_EQ(std::make_pair(Valor(c), puntero()), std::make_pair(55, 1)) << "the bottom edge wraps to the top";

  g_avisos.clear();
  Enviar(c, WM_LBUTTONUP, Pt(100, -100));
  EXPECT_EQ(g_avisos, Avisos(c, {15, 1, 9, 3}));
  EXPECT_EQ(g_verificados, Mensajes{});
}

TEST_F(ControlesDesplazador, StepFitsTheRangeAndValuesAreTruncatedToItInsideTheRange) {
  HWND c = Nuevo();
  Enviar(c, kMsgDespPonerMaximo, 3);
  EXPECT_EQ(Enviar(c, kMsgDespObtenerPaso), 1);
  EXPECT_EQ(Valor(c), 3);
  Enviar(c, kMsgDespPonerMaximo, 4);
  Enviar(c, kMsgDespPonerPaso, 5);
  EXPECT_EQ(Enviar(c, kMsgDespObtenerPaso), 2);

  Enviar(c, kMsgDespPonerMaximo, 100);
  Enviar(c, kMsgDespPonerMinimo, 3);
  Enviar(c, kMsgDespPonerPaso, 5);
  const std::pair<int, int> casos[] = {{99, 95}, {4, 3}, {-10, 3}, {1000, 100}, {12, 10}};
  for (auto [puesto, leido] : casos) {
    Enviar(c, kMsgDespPonerValor, puesto);
    EXPECT_EQ(Valor(c), leido) << puesto;
  }
  // A step of 0 from the owner: values go in untruncated and the grip,
  // which needs a step, stays put without bringing the game down.
  Enviar(c, kMsgDespPonerMinimo, 0);
  Enviar(c, kMsgDespPonerPaso, 0);
  Enviar(c, kMsgDespPonerValor, 7);
  EXPECT_EQ(Valor(c), 7);
  Apuntar(c, 5, 20);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 20));
  Apuntar(c, 5, 5);
  Enviar(c, WM_LBUTTONUP, Pt(5, 5));
  EXPECT_EQ(Valor(c), 7);
  EXPECT_EQ(g_verificados, Mensajes{});

  Enviar(c, kMsgDespPonerRetardo, 64);
  Enviar(c, kMsgDespPonerPeriodo, 64);
  EXPECT_EQ(g_verificados, (Mensajes{"Tiempo para el delay demasiado bajo", "Tiempo para el periodo demasiado bajo"}));
  EXPECT_EQ(Enviar(c, kMsgDespObtenerRetardo), 64) << "kept all the same";
}

TEST_F(ControlesDesplazador, AFrameOtherThanTheThreeHeightsIsBlackAndDeaf) {
  HWND c = Nuevo(11);
  Apuntar(c, 5, 5);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
  EXPECT_NE(GetCapture(), c);
  EXPECT_EQ(g_avisos, std::vector<Aviso>{});
  EXPECT_EQ(Pixel(c, 0, 10), Gris(0));

  Enviar(c, kMsgDespPonerAlto3, 0);
  EXPECT_EQ(Enviar(c, kMsgDespObtenerAlto3), 11) << "below 1 is ignored";
  Enviar(c, kMsgDespPonerAlto3, 10);
  EXPECT_EQ(Pixel(c, 0, 10), Gris(30));
  Apuntar(c, 5, 4);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 4));
  ASSERT_EQ(GetCapture(), c);
  Enviar(c, kMsgDespPonerAlto3, 11);
  EXPECT_NE(GetCapture(), c) << "a press does not outlive the fit";
  EXPECT_EQ(Pasos(600), std::vector<int>{});
  EXPECT_EQ(Pixel(c, 0, 0), Gris(0));

  // So does a picture that could not be had, with no assertion.
  Enviar(c, kMsgDespPonerAlto3, 10);
  Enviar(c, WM_LBUTTONDOWN, Pt(5, 4));
  ASSERT_EQ(GetCapture(), c);
  EXPECT_EQ(Enviar(c, kMsgPonerImagen, 0), 0);
  EXPECT_NE(GetCapture(), c);
  EXPECT_EQ(g_verificados, Mensajes{});
}

}  // namespace
