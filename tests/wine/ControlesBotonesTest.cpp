// Command and check buttons: frames of the strip, toggling and option
// groups. Strips have 20-pixel frames, so frame f shows grey 20 f at its
// top left.
#include <windows.h>

#include "BotonCheck.h"
#include "BotonComando.h"
#include "PadrePrueba.h"

namespace {

using ControlesBoton = PadrePrueba;

TEST_F(ControlesBoton, DisabledFrameFirstThenNormalHoveredPressed) {
  Imagen tira = NuevaImagen(40, 60), otra = NuevaImagen(40, 80);
  HWND b = Crear("COVBOXSCOMMAND");
  EXPECT_EQ(Enviar(b, kMsgPonerImagen, LPARAM(tira.get())), 1);
  EXPECT_EQ(Tamaño(b), Medida(40, 20));
  Enviar(b, kMsgBotonPonerFrameInactivo, 1);
  EXPECT_EQ(Tamaño(b), Medida(40, 15)) << "measured again at once";
  Enviar(b, kMsgPonerImagen, LPARAM(otra.get()));
  EXPECT_EQ(Tamaño(b), Medida(40, 20)) << "and on every new picture";
  Enviar(b, kMsgHabilitar, 0);
  EXPECT_EQ(Pixel(b, 0, 0), Gris(0));
  Enviar(b, kMsgHabilitar, 1);
  EXPECT_EQ(Pixel(b, 0, 0), Gris(20));
  Apuntar(b, 5, 5);
  EXPECT_EQ(Pixel(b, 0, 0), Gris(40));
  Enviar(b, WM_LBUTTONDOWN, Pt(5, 5));
  EXPECT_EQ(Pixel(b, 39, 19), Gris(60 + 39 + 19));
  Enviar(b, kMsgHabilitar, 0);
  EXPECT_EQ(GetCapture(), nullptr) << "disabling ends the press";
  EXPECT_EQ(g_avisos, Avisos(b, {2, 0}));

  EXPECT_EQ(Enviar(b, kMsgPonerImagen, 0), 0);
  EXPECT_EQ(Enviar(b, kMsgObtenerImagen), 0) << "a picture that could not be had takes the old one away";
  EXPECT_EQ(g_verificados, Mensajes{});
}

using ControlesCheck = PadrePrueba;

TEST_F(ControlesCheck, ClickTogglesUnlessTheOptionIsAlreadyChecked) {
  struct Caso {
    bool opcion, marcado;
    std::vector<int> avisos;
  };
  const Caso casos[] = {{false, false, {0, 1, 4}}, {false, true, {0, 1, 4}}, {true, false, {0, 1, 4}}, {true, true, {0, 1}}};
  Imagen tira = NuevaImagen(30, 80);
  for (const Caso& c : casos) {
    HWND b = Crear("COVCHECK");
    Enviar(b, kMsgPonerImagen, LPARAM(tira.get()));
    Enviar(b, kMsgCheckPonerOpcion, c.opcion);
    Enviar(b, kMsgCheckPonerMarcado, c.marcado);
    Apuntar(b, 3, 3);
    g_avisos.clear();
    Enviar(b, WM_LBUTTONDOWN, Pt(3, 3));
    Enviar(b, WM_LBUTTONUP, Pt(3, 3));
    EXPECT_EQ(g_avisos, Avisos(b, c.avisos)) << "option " << c.opcion << " checked " << c.marcado;
    EXPECT_EQ(Enviar(b, kMsgCheckObtenerMarcado), c.opcion || !c.marcado) << "option " << c.opcion;
    DestroyWindow(b);
    Apuntar(nullptr, 1000, 750);
  }
}

TEST_F(ControlesCheck, OnlyClearingAnEnabledOptionTellsTheParent) {
  struct Caso {
    bool opcion, habilitado, antes, ahora, avisa;
  };
  const Caso casos[] = {{true, true, true, false, true},   {false, true, true, false, false},
                        {true, true, false, false, false}, {true, true, false, true, false},
                        {true, false, true, false, false}};
  for (const Caso& c : casos) {
    HWND b = Crear("COVCHECK");
    Enviar(b, kMsgCheckPonerOpcion, c.opcion);
    Enviar(b, kMsgCheckPonerMarcado, c.antes);
    Enviar(b, kMsgHabilitar, c.habilitado);
    g_avisos.clear();
    Enviar(b, kMsgCheckPonerMarcado, c.ahora);
    EXPECT_EQ(g_avisos, c.avisa ? Avisos(b, {5}) : std::vector<Aviso>{})
        << "option " << c.opcion << " enabled " << c.habilitado << " " << c.antes << "->" << c.ahora;
    DestroyWindow(b);
  }
}

// Frames: up 0, up hovered 20, down 40, down hovered 60.
TEST_F(ControlesCheck, WhilePressedShowsWhatAReleaseThereWouldGive) {
  Imagen tira = NuevaImagen(30, 80);
  HWND b = Crear("COVCHECK");
  Enviar(b, kMsgPonerImagen, LPARAM(tira.get()));
  Apuntar(b, 3, 3);
  EXPECT_EQ(Pixel(b, 0, 0), Gris(20));
  Enviar(b, WM_LBUTTONDOWN, Pt(3, 3));
  EXPECT_EQ(Pixel(b, 0, 0), Gris(40));
  Apuntar(b, -15, 3);
  EXPECT_EQ(Pixel(b, 0, 0), Gris(0));
  Apuntar(b, 3, 3);
  Enviar(b, WM_LBUTTONUP, Pt(3, 3));
  EXPECT_EQ(Pixel(b, 0, 0), Gris(60));
  EXPECT_EQ(g_avisos, Avisos(b, {2, 0, 3, 2, 1, 4}));
}

}  // namespace
