// The interface at twice its designed size, on a real X screen of
// 1600 x 1200 (the runner's): each window made at factor 1 on a designed
// 800 x 600 screen and at factor 2 on the whole one must show the same
// picture, each designed pixel a 2 x 2 block of its colour. Left out are
// what is drawn at the screen's own resolution: the letters, the table's
// felt, the pictures of the puzzles and the choosers.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Cajas.h"
#include "CambioIdioma.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "CuadroHonor.h"
#include "DisenoVentanas.h"
#include "Globales.h"
#include "InfoImagenes.h"
#include "InicioPrueba.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "Musica.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"
#include "Titulo.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"

namespace {

void Bombear(DWORD ms) {
  const DWORD inicio = GetTickCount();
  do {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
    Sleep(5);
  } while (GetTickCount() - inicio < ms);
}

// The designed screen enlarged `factor` times, the table what it leaves.
void Usar(int factor) {
  DatosInicio d = arranque;
  d.escala = factor;
  d.anchoPantalla = kAnchoDiseño * factor, d.altoPantalla = kAltoDiseño * factor;
  d.anchoTablero = d.anchoPantalla - kMargenAnchoTablero * factor;
  d.altoTablero = d.altoPantalla - kMargenAltoTablero * factor;
  EscribirDatosInicio(d);
}

// Designed rectangles, in the tested window's client coordinates.
using Mascara = std::vector<RECT>;

// The children of `ventana` of the given classes, in designed pixels.
Mascara Hijas(HWND ventana, const std::vector<std::string>& clases, int factor) {
  Mascara m;
  for (HWND h = GetWindow(ventana, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char clase[64] = "";
    GetClassNameA(h, clase, sizeof clase);
    if (!IsWindowVisible(h) || std::find(clases.begin(), clases.end(), clase) == clases.end()) continue;
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, ventana, reinterpret_cast<POINT*>(&r), 2);
    m.push_back({r.left / factor, r.top / factor, (r.right + factor - 1) / factor, (r.bottom + factor - 1) / factor});
  }
  return m;
}

bool Dentro(const Mascara& m, int x, int y) {
  for (const RECT& r : m)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

struct Toma {
  Vista vista;
  Mascara mascara;
};

// Opens a window with `abrir` at `factor`, lets it settle, reads it and
// what to leave out of it, and closes it with `cerrar`.
Toma Tomar(int factor, const std::function<HWND()>& abrir, const std::function<Mascara(HWND, int)>& mascara,
           const std::function<void(HWND)>& cerrar) {
  Usar(factor);
  // The pointer on the title strip's bare wood, clear of every hover.
  SetCursorPos(0, 0);
  HWND h = abrir();
  Toma t;
  if (!h) return t;
  Bombear(400);
  t.vista = LeerVentana(h);
  t.mascara = mascara(h, factor);
  cerrar(h);
  Bombear(50);
  return t;
}

// The designed pixels, outside both masks, whose 2 x 2 block at factor 2
// is not all their colour at factor 1; the first few are named.
std::string Comparar(const Toma& uno, const Toma& dos, long* distintos) {
  *distintos = -1;
  // A pop-up twice as large; a maximised window covers the real screen at
  // both factors, its designed part at factor 1 the top left quarter.
  const Vista &a = uno.vista, &b = dos.vista;
  const bool doble = b.ancho == 2 * a.ancho && b.alto == 2 * a.alto, pantalla = a.ancho == b.ancho && a.alto == b.alto;
  if (a.p.empty() || b.ancho % 2 || b.alto % 2 || !(doble || pantalla))
    return "sizes " + std::to_string(a.ancho) + "x" + std::to_string(a.alto) + " and " + std::to_string(b.ancho) +
           "x" + std::to_string(b.alto);
  std::string primeros;
  long n = 0;
  for (int y = 0; y < b.alto / 2; ++y)
    for (int x = 0; x < b.ancho / 2; ++x) {
      if (Dentro(uno.mascara, x, y) || Dentro(dos.mascara, x, y)) continue;
      const uint32_t c = a.En(x, y);
      if (b.En(2 * x, 2 * y) == c && b.En(2 * x + 1, 2 * y) == c && b.En(2 * x, 2 * y + 1) == c &&
          b.En(2 * x + 1, 2 * y + 1) == c)
        continue;
      if (n++ < 5) primeros += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
    }
  *distintos = n;
  return primeros;
}

class Escala : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PrepararInicio();
    if (GetSystemMetrics(SM_CXSCREEN) < 2 * kAnchoDiseño || GetSystemMetrics(SM_CYSCREEN) < 2 * kAltoDiseño) return;
    base_ = arranque;
    RegistrarClases(arranque.instancia);
    AbrirArchivoRecursos((arranque.carpeta + "Tessera.rf").c_str());
  }
  static void TearDownTestSuite() {
    if (base_.instancia) EscribirDatosInicio(base_);
  }
  void SetUp() override {
    if (!base_.instancia) GTEST_SKIP() << "needs a 1600 x 1200 screen: run through the screen tests";
  }
  void TearDown() override {
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(50);
  }

  // The window `abrir` makes over the play screen, at both factors.
  static void Comprobar(const std::function<HWND()>& abrir, const std::function<Mascara(HWND, int)>& mascara,
                        const std::function<void(HWND)>& cerrar = [](HWND h) { DestroyWindow(h); }) {
    Toma tomas[2];
    for (int factor : {1, 2}) {
      const auto conPrincipal = [&]() -> HWND {
        CrearVentanaPrincipal();
        Bombear(100);
        return abrir();
      };
      const auto cerrarTodo = [&](HWND h) {
        cerrar(h);
        DestroyWindow(ventanaPrincipal);
      };
      tomas[factor - 1] = Tomar(factor, conPrincipal, mascara, cerrarTodo);
    }
    long distintos = 0;
    const std::string donde = Comparar(tomas[0], tomas[1], &distintos);
    EXPECT_EQ(distintos, 0) << donde;
  }

  static DatosInicio base_;
};
DatosInicio Escala::base_;

Mascara Ninguna(HWND, int) { return {}; }

TEST_F(Escala, PlayScreenIsTheDesignedOneTwiceOver) {
  const auto mascara = [](HWND h, int factor) {
    Mascara m = Hijas(h, {"CWNDPUZZLE"}, factor);  // the felt
    // The clock's figures.
    const int x = XTiempo(kAnchoDiseño);
    m.push_back({x, 10, x + 160, 60});
    return m;
  };
  Comprobar([] { return ventanaPrincipal; }, mascara, [](HWND) {});
}

TEST_F(Escala, PieceBoxIsTheDesignedOneTwiceOver) {
  const auto abrir = [] {
    HWND caja = VentanaCaja(0);
    MostrarFlotante(caja, false);
    return caja;
  };
  const auto mascara = [](HWND h, int factor) {
    Mascara m = Hijas(h, {"CWNDPUZZLE"}, factor);
    m.push_back({8, 2, 120, 30});  // "Box 1"
    return m;
  };
  Comprobar(abrir, mascara, [](HWND h) { OcultarVentana(h); });
}

TEST_F(Escala, MessageBoxIsTheDesignedOneTwiceOver) {
  const auto abrir = [] {
    MostrarMensaje(20, ventanaPrincipal, [](bool, const char*) {}, true);
    return ventanaMensaje;
  };
  const auto mascara = [](HWND h, int factor) {
    using namespace DisenoMensaje;
    Mascara m = Hijas(h, {"Edit"}, factor);
    m.push_back({kXTexto, kYTexto, kXTexto + kAnchoTexto, kYTexto + kAltoTexto});
    return m;
  };
  Comprobar(abrir, mascara, [](HWND h) { SendMessageA(h, WM_CLOSE, 0, 0); });
}

TEST_F(Escala, NewPuzzleWindowIsTheDesignedOneTwiceOverOnEveryPage) {
  for (int pagina = 0; pagina < 4; ++pagina) {
    SCOPED_TRACE(pagina);
    const auto abrir = [pagina] {
      AbrirMenuNuevo();
      if (pagina > 0) {
        SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado,
                     reinterpret_cast<LPARAM>(PestañaMenuNuevo(pagina)));
        for (int t = 0; t < 100 && PaginaDeslizando(); ++t) Bombear(10);
      }
      return VentanaMenuNuevo();
    };
    const auto mascara = [](HWND h, int factor) {
      // Thumbnails and choosers show pictures read at the screen's size;
      // the captions are letters.
      return Hijas(h, {"CWNDPREVFS", "CWNDIMAGETAM", "CWNDIMAGECANT", "COVTXT"}, factor);
    };
    Comprobar(abrir, mascara, [](HWND h) { SendMessageA(h, WM_CLOSE, 0, 0); });
  }
}

TEST_F(Escala, OtherPopUpsAreTheDesignedOnesTwiceOver) {
  const auto etiquetas = [](HWND h, int factor) { return Hijas(h, {"COVTXT"}, factor); };
  const auto cerrar = [](HWND h) { SendMessageA(h, WM_CLOSE, 0, 0); };
  {
    SCOPED_TRACE("music");
    // A knob stands at its value's place in screen pixels, finer than a
    // designed one.
    const auto deslizadores = [](HWND h, int factor) { return Hijas(h, {"COVSLIDE"}, factor); };
    Comprobar([] { AbrirMusica(ventanaPrincipal); return VentanaMusica(); }, deslizadores, cerrar);
  }
  {
    SCOPED_TRACE("language");
    Comprobar([] { return AbrirCambioIdioma(); }, etiquetas, cerrar);
  }
  {
    SCOPED_TRACE("honour roll");
    Comprobar([] { return AbrirCuadroHonor(); }, etiquetas, cerrar);
  }
  {
    SCOPED_TRACE("picture information");
    Comprobar([] { return AbrirInfo(ventanaPrincipal); }, Ninguna, cerrar);
  }
  {
    SCOPED_TRACE("file window");
    // Its labels are the files' names, in letters.
    const auto mascara = [](HWND, int) { return Mascara{{0, 200, 520, 245}}; };
    Comprobar([] { return AbrirVentanaArchivo(kArchivoAbrir); }, mascara, cerrar);
  }
}

}  // namespace
