// The protocol every control shares: registration, the message range, and
// the mouse (hover, click, drag-off, lost capture) in each
// clickable class, driven with real pointer moves and mouse messages.
#include <windows.h>

#include <algorithm>

#include "EtiquetaTexto.h"
#include "PadrePrueba.h"

namespace {

TEST(ControlesRegistro, SevenClassesTwoWithTheirOwnDC) {
  const std::pair<const char*, UINT> clases[] = {{"COVCOMMAND", 0}, {"COVBOXSCOMMAND", 0}, {"COVCHECK", 0},
                                                 {"COVSLIDE", 0},   {"COVSROLL", CS_OWNDC}, {"COVANIM", CS_OWNDC},
                                                 {"COVTXT", 0}};
  const HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA w{}, comando{};
  if (!GetClassInfoA(inst, "COVTXT", &w)) RegistrarControles(inst);
  for (const auto& [nombre, estilo] : clases) {
    ASSERT_TRUE(GetClassInfoA(inst, nombre, &w)) << nombre;
    EXPECT_EQ(std::make_pair(w.style, w.hbrBackground), std::make_pair(estilo, HBRUSH{})) << nombre;
  }
  GetClassInfoA(inst, "COVCOMMAND", &comando);
  GetClassInfoA(inst, "COVBOXSCOMMAND", &w);
  EXPECT_EQ(w.lpfnWndProc, comando.lpfnWndProc);
}

using ControlesProtocolo = PadrePrueba;

TEST_F(ControlesProtocolo, UnlistedMessagesOfTheRangeAnswerOne) {
  const std::pair<const char*, std::vector<UINT>> casos[] = {
      {"COVCOMMAND", {1336, 1350, 1356}}, {"COVBOXSCOMMAND", {1337, 1356}}, {"COVCHECK", {1340, 1351, 1356}},
      {"COVSLIDE", {1324, 1356}},         {"COVSROLL", {1358, 1400}},       {"COVANIM", {1351, 1356}},
      {"COVTXT", {1353, 1356}}};
  for (auto [clase, mensajes] : casos) {
    HWND c = Crear(clase);
    mensajes.insert(mensajes.end(), {1328, 1333, 1424});
    for (UINT m : mensajes) EXPECT_EQ(Enviar(c, m, 7), 1) << clase << " " << m;
    EXPECT_EQ(Enviar(c, 1425, 7), 0) << clase << ": past the range is the system's";
  }
  EXPECT_EQ(g_verificados, Mensajes{});
}

TEST_F(ControlesProtocolo, WithoutItsPictureAControlIsBlackAndDeaf) {
  for (const char* clase : {"COVCOMMAND", "COVCHECK", "COVANIM", "COVTXT", "COVSLIDE", "COVSROLL"}) {
    HWND c = Crear(clase);
    Apuntar(c, 5, 5);
    Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
    EXPECT_NE(GetCapture(), c) << clase;
    Enviar(c, WM_LBUTTONUP, Pt(5, 5));
    EXPECT_EQ(g_avisos, std::vector<Aviso>{}) << clase;
    EXPECT_EQ(Pixel(c, 45, 45), Gris(0)) << clase;
    DestroyWindow(c);
  }
}

// The hover check every control shares ends a hover on its own tick only,
// only when nothing holds it and the pointer has gone, and only once.
TEST_F(ControlesProtocolo, TheHoverCheckEndsAHoverOnlyOnceThePointerHasGone) {
  WNDCLASSA clase{};
  clase.lpfnWndProc = DefWindowProcA;
  clase.hInstance = GetModuleHandleA(nullptr);
  clase.lpszClassName = "PruebaEncima";
  RegisterClassA(&clase);
  HWND c = Crear("PruebaEncima");
  ASSERT_NE(c, nullptr);
  int dejado = 0;
  const auto dejar = [&dejado] { ++dejado; };
  EmpezarEncima(c);
  Apuntar(c, 5, 5);
  RevisarEncima(c, kTimerEncima, false, dejar);
  EXPECT_EQ(dejado, 0) << "the pointer is still over it";
  Apuntar(nullptr, 1000, 750);
  RevisarEncima(c, kTimerEncima + 1, false, dejar);
  RevisarEncima(c, kTimerEncima, true, dejar);
  // What the control hovers, when it is less than the window, decides.
  RevisarEncima(c, kTimerEncima, false, [] { return true; }, dejar);
  EXPECT_EQ(dejado, 0) << "another timer, a hold, the knob still under the pointer";
  EXPECT_EQ(g_avisos, std::vector<Aviso>{});
  RevisarEncima(c, kTimerEncima, false, dejar);
  EXPECT_EQ(dejado, 1);
  EXPECT_EQ(g_avisos, Avisos(c, {kNotifSalio}));
  EXPECT_FALSE(KillTimer(c, kTimerEncima)) << "the check stopped itself";
  DestroyWindow(c);
}

// ---- The mouse, the same in every clickable class -------------------------

struct Clicable {
  const char* clase;
  int32_t ancho, alto;  // its picture; the text label's is a background
  Medida tamaño;        // one frame of it; the label's comes from its text
};
void PrintTo(const Clicable& c, std::ostream* os) { *os << c.clase; }

class ControlesRaton : public PadrePrueba, public ::testing::WithParamInterface<Clicable> {
 protected:
  static constexpr char kTexto[] = "Puzzle Tessera";  // its ends keep their ink within their advances
  void SetUp() override {
    PadrePrueba::SetUp();
    c_ = Crear(GetParam().clase);
    Enviar(c_, kMsgPonerImagen, LPARAM(imagen_.get()));
    Enviar(c_, kMsgTextoPonerFuente, LPARAM(""));  // the others answer 1 and ignore them
    Enviar(c_, kMsgTextoPoner, LPARAM(kTexto));
    // Ready: one frame large, the label as its text in either weight
    // (height 10) and its shadow (2).
    Medida tamaño = GetParam().tamaño;
    if (tamaño == Medida{}) {
      const Medida normal = Extension(kTexto, 10, 400), negrita = Extension(kTexto, 10, 700);
      tamaño = {std::max(normal.first, negrita.first) + 2, std::max(normal.second, negrita.second) + 2};
    }
    ASSERT_EQ(Tamaño(c_), tamaño) << "sized itself";
    // The pointer enters for real: the hover begins.
    Apuntar(c_, 3, 3);
    ASSERT_EQ(g_avisos, Avisos(c_, {2}));
    g_avisos.clear();
  }
  Imagen imagen_ = NuevaImagen(GetParam().ancho, GetParam().alto);
  HWND c_ = nullptr;
};

TEST_P(ControlesRaton, HoverEndsAtTheNextCheckAfterThePointerLeft) {
  Apuntar(nullptr, 1000, 750);
  Bombear(200);
  EXPECT_EQ(g_avisos, Avisos(c_, {3}));
}

TEST_P(ControlesRaton, ClickReportsPressReleaseAndActivation) {
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  EXPECT_EQ(GetCapture(), c_);
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1, 4}));
}

TEST_P(ControlesRaton, DraggingOffAndReleasingOutsideIsNoClick) {
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  Apuntar(c_, -15, 3);  // over the parent: the captured control gets the move
  Enviar(c_, WM_LBUTTONUP, Pt(-15, 3));
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 3, 1}));
}

// A busy program may handle a click after the pointer has moved on: the
// release's own point decides, so the click still counts.
TEST_P(ControlesRaton, AReleaseHandledAfterThePointerMovedOnStillClicks) {
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  SetCursorPos(1000, 750);  // no move delivered yet
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1, 4}));
}

TEST_P(ControlesRaton, LosingTheCaptureEndsThePressAsAReleaseOutside) {
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  SetCapture(padre_);  // the pointer is still over the control
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1}));
  EXPECT_EQ(GetCapture(), padre_) << "the new holder keeps the mouse";
  ReleaseCapture();
  Apuntar(c_, 4, 4);
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1, 2})) << "no hover mark left behind";
}

// A picture that could not be had, sent during a press: no assertion, the
// press ends unreported, the control is black and deaf, and a picture
// brings it back.
TEST_P(ControlesRaton, APictureThatCouldNotBeHadEndsThePressAndLeavesItBlackAndDeaf) {
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  EXPECT_EQ(Enviar(c_, kMsgPonerImagen, 0), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Pixel(c_, 3, 3), Gris(0));
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  Enviar(c_, kMsgPonerImagen, LPARAM(imagen_.get()));
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 0, 1, 4}));
  EXPECT_EQ(g_verificados, Mensajes{});
}

INSTANTIATE_TEST_SUITE_P(Controles, ControlesRaton,
                         ::testing::Values(Clicable{"COVCOMMAND", 30, 60, {30, 20}},  // three frames
                                           Clicable{"COVCHECK", 30, 80, {30, 20}},         // four
                                           Clicable{"COVANIM", 30, 20, {30, 20}},          // one
                                           Clicable{"COVTXT", 500, 400, {}}),
                         [](const auto& i) { return std::string(i.param.clase); });

}  // namespace
