// The protocol every control shares: registration, the message range, and
// the mouse (hover, click, drag-off, lost capture) in each clickable class,
// driven with real pointer moves and mouse messages.
#include <windows.h>

#include "Animacion.h"
#include "BotonCheck.h"
#include "BotonComando.h"
#include "Deslizador.h"
#include "Desplazador.h"
#include "EtiquetaTexto.h"
#include "PadrePrueba.h"

namespace {

TEST(ControlesRegistro, SevenClassesPaintThemselvesUnderTheArrow) {
  struct Clase {
    const char* nombre;
    UINT estilo;
  };
  const Clase clases[] = {{"COVCOMMAND", 0}, {"COVBOXSCOMMAND", 0}, {"COVCHECK", 0}, {"COVSLIDE", 0},
                          {"COVSROLL", CS_OWNDC}, {"COVANIM", CS_OWNDC}, {"COVTXT", 0}};
  const HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA comando{};
  if (!GetClassInfoA(inst, "COVTXT", &comando)) {
    ASSERT_TRUE(RegistrarControles(inst));
  }
  ASSERT_TRUE(GetClassInfoA(inst, "COVCOMMAND", &comando));
  for (const Clase& c : clases) {
    WNDCLASSA w{};
    ASSERT_TRUE(GetClassInfoA(inst, c.nombre, &w)) << c.nombre;
    EXPECT_EQ(w.style, c.estilo) << c.nombre;
    EXPECT_EQ(w.hbrBackground, nullptr) << c.nombre;
    EXPECT_EQ(w.hCursor, LoadCursorA(nullptr, IDC_ARROW)) << c.nombre;
    EXPECT_EQ(w.cbWndExtra + w.cbClsExtra, 0) << c.nombre;
  }
  WNDCLASSA caja{};
  GetClassInfoA(inst, "COVBOXSCOMMAND", &caja);
  EXPECT_EQ(caja.lpfnWndProc, comando.lpfnWndProc);
  EXPECT_FALSE(RegistrarControles(inst)) << "a second registration fails at the first class";
}

using ControlesProtocolo = PadrePrueba;

TEST_F(ControlesProtocolo, UnlistedMessagesOfTheRangeAnswerOne) {
  const std::pair<const char*, std::vector<UINT>> casos[] = {
      {"COVCOMMAND", {1336, 1339, 1350}}, {"COVBOXSCOMMAND", {1337}}, {"COVCHECK", {1340, 1351}},
      {"COVSLIDE", {1324, 1355}},         {"COVSROLL", {1327, 1400}}, {"COVANIM", {1351, 1355}},
      {"COVTXT", {1353, 1355}}};
  for (const auto& [clase, propios] : casos) {
    HWND c = Crear(clase);
    ASSERT_NE(c, nullptr) << clase;
    std::vector<UINT> mensajes = propios;
    mensajes.insert(mensajes.end(), {1328, 1333, 1356, 1424});
    for (UINT m : mensajes) EXPECT_EQ(Enviar(c, m, 7), 1) << clase << " " << m;
    EXPECT_EQ(Enviar(c, 1425, 7), 0) << clase << ": past the range is the system's";
  }
  EXPECT_TRUE(g_verificados.empty());
}

TEST_F(ControlesProtocolo, WithoutItsPictureAControlIgnoresTheMouse) {
  for (const char* clase : {"COVCOMMAND", "COVCHECK", "COVANIM", "COVTXT"}) {
    HWND c = Crear(clase);
    Apuntar(c, 5, 5);
    Enviar(c, WM_MOUSEMOVE, Pt(5, 5));
    Enviar(c, WM_LBUTTONDOWN, Pt(5, 5));
    EXPECT_NE(GetCapture(), c) << clase;
    Enviar(c, WM_LBUTTONUP, Pt(5, 5));
    Bombear(150);
    EXPECT_EQ(g_avisos, std::vector<Aviso>{}) << clase;
    EXPECT_EQ(Tamaño(c), (std::pair<LONG, LONG>{50, 50})) << clase;
    DestroyWindow(c);
  }
}

// ---- The mouse, the same for every clickable class ------------------------

struct Clicable {
  const char* clase;
  void (*preparar)(HWND, HIMAGE);  // makes the control ready
  int32_t ancho, alto;             // the picture it is given
};

const Clicable kClicables[] = {
    {"COVCOMMAND", [](HWND c, HIMAGE i) { SendMessageA(c, kMsgPonerImagen, 0, LPARAM(i)); }, 30, 60},
    {"COVCHECK", [](HWND c, HIMAGE i) { SendMessageA(c, kMsgPonerImagen, 0, LPARAM(i)); }, 30, 80},
    {"COVANIM", [](HWND c, HIMAGE i) { SendMessageA(c, kMsgPonerImagen, 0, LPARAM(i)); }, 30, 20},
    {"COVTXT",
     [](HWND c, HIMAGE i) {
       SendMessageA(c, kMsgPonerImagen, 0, LPARAM(i));
       SendMessageA(c, kMsgTextoPonerFuente, 0, LPARAM(""));
       SendMessageA(c, kMsgTextoPoner, 0, LPARAM("Texto"));
     },
     500, 400},
};

void PrintTo(const Clicable& c, std::ostream* os) { *os << c.clase; }

class ControlesRaton : public PadrePrueba, public ::testing::WithParamInterface<Clicable> {
 protected:
  void SetUp() override {
    PadrePrueba::SetUp();
    c_ = Crear(GetParam().clase);
    GetParam().preparar(c_, imagen_.get());
    ASSERT_NE(Tamaño(c_), (std::pair<LONG, LONG>{50, 50})) << "sized itself";
    Bombear();
    g_avisos.clear();
  }
  // The pointer enters for real: the hover begins.
  void Entrar() {
    Apuntar(c_, 3, 3);
    ASSERT_EQ(g_avisos, Avisos(c_, {2}));
    g_avisos.clear();
  }
  Imagen imagen_ = NuevaImagen(GetParam().ancho, GetParam().alto);
  HWND c_ = nullptr;
};

TEST_P(ControlesRaton, HoverEndsAtTheNextCheckAfterThePointerLeft) {
  Entrar();
  Bombear(60);
  EXPECT_EQ(g_avisos, std::vector<Aviso>{}) << "still over it";
  Apuntar(nullptr, 1000, 750);
  Bombear(200);
  EXPECT_EQ(g_avisos, Avisos(c_, {3}));
}

TEST_P(ControlesRaton, ClickReportsPressReleaseAndActivation) {
  Entrar();
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  EXPECT_EQ(GetCapture(), c_);
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1, 4}));
}

TEST_P(ControlesRaton, DraggingOffAndReleasingOutsideIsNoClick) {
  Entrar();
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  Apuntar(c_, -15, 3);  // over the parent: the captured control gets the move
  Enviar(c_, WM_LBUTTONUP, Pt(-15, 3));
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 3, 1}));
}

TEST_P(ControlesRaton, LosingTheCaptureEndsThePressAsAReleaseOutside) {
  Entrar();
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  SetCapture(padre_);  // the pointer is still over the control
  EXPECT_EQ(g_avisos, Avisos(c_, {0, 1}));
  EXPECT_EQ(GetCapture(), padre_) << "the new holder keeps the mouse";
  ReleaseCapture();
  g_avisos.clear();
  Apuntar(c_, 4, 4);
  EXPECT_EQ(g_avisos, Avisos(c_, {2})) << "the next entry is seen again";
}

TEST_P(ControlesRaton, DisablingEndsThePressSilently) {
  Entrar();
  Enviar(c_, WM_LBUTTONDOWN, Pt(3, 3));
  Enviar(c_, kMsgHabilitar, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  Enviar(c_, WM_LBUTTONUP, Pt(3, 3));
  Enviar(c_, WM_MOUSEMOVE, Pt(3, 3));
  Bombear(150);
  EXPECT_EQ(g_avisos, Avisos(c_, {0}));
  EXPECT_EQ(Enviar(c_, kMsgObtenerHabilitado), 0);
}

INSTANTIATE_TEST_SUITE_P(Controles, ControlesRaton, ::testing::ValuesIn(kClicables),
                         [](const auto& i) { return std::string(i.param.clase); });

}  // namespace
