// An archive that stops giving pictures once the game runs (damaged after
// the start-up check): every window goes on without them, with no
// assertion and no crash, until the loop says the archive is damaged.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "CambioIdioma.h"
#include "CuadroHonor.h"
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

// The program over its own archive with every other picture's number
// spoilt (the even entries, or the odd ones): between the two, each
// picture is missing once.
class SinImagenes : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    PrepararPrograma();
    CerrarArchivoRecursos();  // it holds the file to itself
    std::ifstream f(arranque.carpeta + "Tessera.rf", std::ios::binary);
    std::vector<char> b((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    ASSERT_GT(b.size(), 4u);
    const uint32_t n = *reinterpret_cast<const uint32_t*>(b.data() + b.size() - 4);
    for (uint32_t i = GetParam(); i < n; i += 2) b[b.size() - 4 - 16 * (n - i) + 3] = '\x7F';
    char temporal[MAX_PATH];
    GetTempPathA(MAX_PATH, temporal);
    ruta_ = std::string(temporal) + "tessera-incompleto.rf";
    std::ofstream(ruta_, std::ios::binary).write(b.data(), static_cast<std::streamsize>(b.size()));
    ASSERT_TRUE(AbrirArchivoRecursos(ruta_.c_str()));
    anterior_ = InstalarManejadorVerificar([](const char* m) { g_verificados.emplace_back(m); });
  }
  void TearDown() override {
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    InstalarManejadorVerificar(anterior_);
    CerrarArchivoRecursos();
    DeleteFileA(ruta_.c_str());
  }
  std::string ruta_;
  ManejadorVerificar anterior_ = nullptr;
};

// Each window as the game opens it, painted, then closed.
TEST_P(SinImagenes, EveryWindowOpensPaintsAndClosesWithoutAnAssertion) {
  CrearVentanaPrincipal();
  ASSERT_NE(ventanaPrincipal, nullptr);
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
    if (v && IsWindow(v)) DestroyWindow(v);
    Bombear(100);
    EXPECT_EQ(g_verificados, std::vector<std::string>{}) << nombre;
    g_verificados.clear();
  }
}

INSTANTIATE_TEST_SUITE_P(Archivo, SinImagenes, ::testing::Values(0, 1));

}  // namespace
