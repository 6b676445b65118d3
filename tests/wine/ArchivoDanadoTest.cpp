// An archive that stops giving pictures once the game runs (damaged after
// the start-up check, or unreadable): the windows go on without them, no
// assertion and no crash, and the loop then hides the game and says the
// archive is damaged.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "CambioIdioma.h"
#include "ControlDC.h"
#include "CuadroHonor.h"
#include "Globales.h"
#include "Herramientas.h"
#include "Impresion.h"
#include "InfoImagenes.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "Musica.h"
#include "Opciones.h"
#include "ProgramaPrueba.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"
#include "Verificar.h"
#include "VistaPrevia.h"

namespace {

std::vector<std::string> g_verificados;
std::vector<uint32_t> g_avisos;

// The program's archive with only some of its pictures in its directory:
// none, every other one, or the others.
enum class Quedan { Ninguna, Pares, Impares };

std::vector<char> ArchivoCon(Quedan quedan) {
  std::ifstream f(arranque.carpeta + "Tessera.rf", std::ios::binary);
  std::vector<char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (b.size() < 4) return {};
  uint32_t n = 0;
  std::memcpy(&n, b.data() + b.size() - 4, 4);
  const size_t inicio = b.size() - 4 - 16 * size_t{n};
  std::vector<char> salida(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(inicio));
  uint32_t escritas = 0;
  for (uint32_t i = 0; i < n; ++i)
    if ((quedan == Quedan::Pares && i % 2 == 0) || (quedan == Quedan::Impares && i % 2 == 1)) {
      const auto e = b.begin() + static_cast<std::ptrdiff_t>(inicio + 16 * size_t{i});
      salida.insert(salida.end(), e, e + 16);
      ++escritas;
    }
  salida.resize(salida.size() + 4);
  std::memcpy(salida.data() + salida.size() - 4, &escritas, 4);
  return salida;
}

// The program over such an archive, with the assertions recorded.
class ConArchivoIncompleto : public ::testing::Test {
 protected:
  void Abrir(Quedan quedan) {
    PrepararPrograma();
    CerrarArchivoRecursos();  // it holds the file to itself
    char temporal[MAX_PATH];
    GetTempPathA(MAX_PATH, temporal);
    ruta_ = std::string(temporal) + "tessera-incompleto.rf";
    const std::vector<char> bytes = ArchivoCon(quedan);
    ASSERT_FALSE(bytes.empty());
    std::ofstream(ruta_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(AbrirArchivoRecursos(ruta_.c_str()));
    g_verificados.clear();
    g_avisos.clear();
    anterior_ = InstalarManejadorVerificar([](const char* m) { g_verificados.emplace_back(m); });
  }
  void TearDown() override {
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    InstalarManejadorVerificar(anterior_);
    AvisarArchivoDañado(nullptr);
    CerrarArchivoRecursos();
    DeleteFileA(ruta_.c_str());
  }
  std::string ruta_;
  ManejadorVerificar anterior_ = nullptr;
};

class SinImagenes : public ConArchivoIncompleto, public ::testing::WithParamInterface<Quedan> {
 protected:
  void SetUp() override { Abrir(GetParam()); }
};

// Each window as the game opens it, painted, then closed.
TEST_P(SinImagenes, EveryWindowOpensPaintsAndClosesWithoutAnAssertion) {
  CrearVentanaPrincipal();
  ASSERT_NE(ventanaPrincipal, nullptr);
  Bombear(200);
  const std::string imagen = arranque.carpeta + "Image\\3.bmp";
  const std::pair<const char*, std::function<HWND()>> ventanas[] = {
      {"new puzzle", [] { AbrirMenuNuevo(); return VentanaMenuNuevo(); }},
      {"tools", [] { AbrirHerramientas(); return HWND{}; }},
      {"options", [] { AbrirOpciones(); return HWND{}; }},
      {"language", [] { return AbrirCambioIdioma(); }},
      {"honour roll", [] { return AbrirCuadroHonor(); }},
      {"picture information", [] { return AbrirInfo(ventanaPrincipal); }},
      {"music", [] { AbrirMusica(ventanaPrincipal); return VentanaMusica(); }},
      {"open", [] { return AbrirVentanaArchivo(kArchivoAbrir); }},
      {"save", [] { return AbrirVentanaArchivo(kArchivoGuardar); }},
      {"message", [] { MostrarMensaje(40, ventanaPrincipal, nullptr, false); return ventanaMensaje; }},
      {"print wait", [] { return MostrarEspera(ventanaPrincipal); }},
      {"preview", [&imagen] { return AbrirPreviewInfo(ventanaPrincipal, 2, imagen.c_str()); }},
  };
  for (const auto& [nombre, abrir] : ventanas) {
    HWND v = abrir();
    Bombear(300);
    RedrawWindow(ventanaPrincipal, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Bombear(100);
    EXPECT_EQ(g_verificados, std::vector<std::string>{}) << nombre;
    g_verificados.clear();
    if (v && IsWindow(v)) DestroyWindow(v);
    Bombear(100);
  }
  EXPECT_TRUE(IsWindow(ventanaPrincipal));
}

// A picture the archive cannot give, asked for while a window of the game
// shows: the asker goes on without it; the loop then hides the window and
// shows the damaged-archive message, whose OK ends it with code 1.
HWND g_dialogo = nullptr;
bool g_visibleAlMostrar = true;
std::string g_texto;
void CALLBACK Responder(HWND, UINT, UINT_PTR reloj, DWORD) {
  HWND d = FindWindowA("#32770", "Tessera Puzzle");
  if (!d) return;
  KillTimer(nullptr, reloj);
  g_dialogo = d;
  g_visibleAlMostrar = IsWindowVisible(ventanaPrincipal);
  char texto[300] = "";
  GetDlgItemTextA(d, 1000, texto, sizeof texto);
  g_texto = texto;
  PostMessageA(d, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}
void CALLBACK Colgado(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); }

using ImagenQueFalla = ConArchivoIncompleto;

TEST_F(ImagenQueFalla, HidesTheGameAndSaysTheArchiveIsDamaged) {
  Abrir(Quedan::Pares);
  CrearVentanaPrincipal();
  ASSERT_NE(ventanaPrincipal, nullptr);
  Bombear();
  AvisarArchivoDañado([](uint32_t numero) {
    g_avisos.push_back(numero);
    AnotarArchivoDañado(numero);
  });
  ControlDC lienzo;
  EXPECT_FALSE(lienzo.Cargar(99999));
  EXPECT_FALSE(lienzo.Cargar(99998));
  EXPECT_EQ(g_avisos, (std::vector<uint32_t>{99999, 99998}));
  EXPECT_TRUE(IsWindowVisible(ventanaPrincipal)) << "not inside the code that asked";

  const UINT_PTR respuesta = SetTimer(nullptr, 0, 50, Responder);
  const UINT_PTR guardia = SetTimer(nullptr, 0, 10000, Colgado);
  EXPECT_EQ(BucleMensajes(), 1);
  KillTimer(nullptr, respuesta);
  KillTimer(nullptr, guardia);
  ASSERT_NE(g_dialogo, nullptr);
  EXPECT_FALSE(g_visibleAlMostrar);
  EXPECT_EQ(g_texto, "Tessera Puzzle's picture archive (Tessera.rf) is damaged or incomplete. Please install the game again.");
  EXPECT_FALSE(IsWindow(g_dialogo));
  EXPECT_EQ(g_verificados, std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Archivo, SinImagenes, ::testing::Values(Quedan::Ninguna, Quedan::Pares, Quedan::Impares),
                         [](const auto& i) {
                           return i.param == Quedan::Ninguna ? "Ninguna" : i.param == Quedan::Pares ? "Pares" : "Impares";
                         });

}  // namespace
