// The data the build lays beside the program: the archive against what the
// windows load, the dies against their generator, the fifteen pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "Cut.h"
#include "DisenoVentanas.h"
#include "Manifiesto.h"
#include "Puzzle.h"
#include "Troquel.h"

namespace {

const std::string kDatos = TESSERA_DATOS_DIR;

// Every picture the program loads, with the frames it divides it into.
// Language-dependent pictures stand here by their base: all six follow.
struct Carga {
  uint32_t numero;
  Disposicion disposicion;
  bool idiomas = false;
};
using D = Disposicion;
const Carga kCargas[] = {
    // play screen, title strip, box buttons
    {6000, D::kUnica}, {6001, D::kUnica}, {122, D::kUnica}, {2060, D::kCmd3, true}, {129, D::kCmd3}, {119, D::kCmd3}, {112, D::kCmd3},
    {200, D::kCmd3}, {201, D::kCmd3}, {202, D::kCmd3}, {203, D::kCmd3}, {204, D::kCmd3}, {205, D::kCmd3},
    {600, D::kCmd3}, {601, D::kCmd3}, {602, D::kCmd3}, {603, D::kCmd3}, {604, D::kCmd3}, {605, D::kCmd3},
    {244, D::kCmd3},
    // tool bar and options bar with their windows
    {104, D::kUnica}, {2110, D::kUnica, true}, {120, D::kUnica}, {127, D::kAnim10}, {117, D::kAnim10},
    {124, D::kAnim10}, {113, D::kAnim10}, {131, D::kAnim10}, {132, D::kAnim10}, {105, D::kUnica},
    {2120, D::kUnica, true}, {123, D::kUnica}, {115, D::kAnim10}, {126, D::kAnim10}, {128, D::kAnim10},
    {133, D::kAnim10}, {116, D::kAnim10}, {118, D::kAnim10}, {121, D::kAnim10},
    // piece boxes and magnifier
    {227, D::kUnica}, {225, D::kCmd3}, {228, D::kCmd3},
    // new-puzzle and puzzle file windows
    {224, D::kUnica}, {2000, D::kUnica, true}, {2010, D::kUnica, true}, {2020, D::kUnica, true},
    {2030, D::kUnica, true}, {1000, D::kChk4, true}, {1010, D::kChk4, true}, {1020, D::kChk4, true},
    {1030, D::kChk4, true}, {223, D::kCmd3}, {222, D::kCmd3}, {184, D::kChk4}, {185, D::kChk4}, {186, D::kChk4},
    {106, D::kFilas6}, {199, D::kAnim10}, {198, D::kAnim10}, {197, D::kScroll}, {2040, D::kUnica, true},
    {2050, D::kUnica, true}, {221, D::kScroll}, {158, D::kAnim10}, {130, D::kAnim10},
    // message box, printing, music and language windows
    {148, D::kUnica}, {2150, D::kUnica, true}, {146, D::kCmd3}, {147, D::kCmd3}, {262, D::kFilas2},
    {214, D::kUnica}, {2100, D::kUnica, true}, {212, D::kCmd3}, {213, D::kCmd3}, {503, D::kFilas2},
    {505, D::kFilas2}, {507, D::kPomo}, {530, D::kChk4}, {531, D::kChk4}, {532, D::kChk4}, {533, D::kChk4},
    {215, D::kUnica}, {2170, D::kUnica, true}, {216, D::kCmd3}, {217, D::kCmd3},
    // honour roll, preview, print-out, picture information, video panel
    {160, D::kUnica}, {2090, D::kUnica, true}, {260, D::kAnim10}, {263, D::kUnica}, {264, D::kUnica},
    {265, D::kUnica}, {700, D::kCmd3}, {701, D::kCmd3}, {702, D::kCmd3}, {703, D::kCmd3}, {704, D::kCmd3},
    {166, D::kUnica}, {163, D::kCmd3}, {167, D::kCmd3}, {165, D::kCmd3},
    // dies
    {5000, D::kTroquel}, {5001, D::kTroquel}, {5002, D::kTroquel}};

class Datos : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(AbrirArchivoRecursos((kDatos + "/Tessera.rf").c_str())); }
  static void TearDownTestSuite() { CerrarArchivoRecursos(); }

  // Width and height of one frame of picture n, as the archive holds it.
  static std::pair<int32_t, int32_t> Marco(uint32_t n, int columnas = 1, int filas = 1) {
    HIMAGE h = nullptr;
    if (!LeerImagenRecursos(n, &h)) return {0, 0};
    const std::pair<int32_t, int32_t> m(h->biWidth / columnas, h->biHeight / filas);
    LiberarHIMAGE(h);
    return m;
  }
};

TEST_F(Datos, EveryPictureTheProgramLoadsIsInTheArchiveWithItsLayout) {
  std::map<uint32_t, Disposicion> manifiesto;
  for (const Regla& r : LeerManifiesto(TESSERA_MANIFIESTO)) manifiesto[r.numero] = r.disposicion;
  std::vector<uint32_t> guardados(kMaxEntradasRecursos);
  guardados.resize(NumerosArchivoRecursos(guardados.data(), kMaxEntradasRecursos));
  size_t cargados = 0;
  for (const Carga& c : kCargas)
    for (uint32_t n = c.numero; n < c.numero + (c.idiomas ? 6 : 1); ++n, ++cargados) {
      SCOPED_TRACE(n);
      ASSERT_TRUE(manifiesto.count(n));
      EXPECT_EQ(manifiesto[n], c.disposicion);
      ASSERT_NE(std::find(guardados.begin(), guardados.end(), n), guardados.end());
      HIMAGE h = nullptr;
      ASSERT_TRUE(LeerImagenRecursos(n, &h));
      EXPECT_TRUE(h->biBitCount == 8 || h->biBitCount == 24);
      LiberarHIMAGE(h);
    }
  EXPECT_EQ(cargados, guardados.size()) << "the archive holds pictures nothing loads";
}

// The start-up check asks for the manifest's numbers, in the build's own
// reading of it, and the shipped archive passes it.
TEST_F(Datos, TheStartUpCheckAsksForTheManifestAndPassesTheShippedArchive) {
  const std::vector<uint32_t> necesarios = {
#include "numeros_manifiesto.inc"
  };
  std::vector<uint32_t> manifiesto;
  for (const Regla& r : LeerManifiesto(TESSERA_MANIFIESTO)) manifiesto.push_back(r.numero);
  EXPECT_EQ(necesarios, manifiesto);
  EXPECT_TRUE(ComprobarArchivoRecursos(necesarios));
}

// Controls stand at fixed places on their window's picture (the places the
// windows use): every one of them must lie inside it.
TEST_F(Datos, ControlsFitTheWindowsThatHoldThem) {
  {
    using namespace DisenoNuevo;
    const auto [w, h] = Marco(224);
    EXPECT_GE(w, kXAceptar + Marco(223, 1, 3).first);
    EXPECT_GE(h, kYAceptar + Marco(223, 1, 3).second);
    EXPECT_GE(w, kXCerrar + Marco(222, 1, 3).first);
    EXPECT_GE(h, kYCerrar + Marco(222, 1, 3).second);
    for (int i = 0; i < 4; ++i) EXPECT_GE(h, kYPestaña[i] + Marco(1000 + 10 * i, 1, 4).second) << i;
    EXPECT_GE(w, kXAyuda + Marco(115, 10).first);
    EXPECT_GE(w, kXVistaPrevia + Marco(126, 10).first);
    EXPECT_LE(kXAyuda + Marco(115, 10).first, kXAgregar);  // help, add and preview side by side
    EXPECT_LE(kXAgregar + Marco(130, 10).first, kXVistaPrevia);
    for (uint32_t n : {115u, 126u, 130u}) EXPECT_GE(h, kYBotonesPie + Marco(n, 10).second) << n;
    for (uint32_t n : {198u, 199u}) EXPECT_GE(w, kXZoom + Marco(n, 10).first) << n;
    EXPECT_GE(h, kYNatural + Marco(198, 10).second);
    for (int i = 0; i < 3; ++i) EXPECT_GE(w, kXTroquel[i] + Marco(184 + static_cast<uint32_t>(i), 1, 4).first) << i;
    EXPECT_GE(w, kXDesplazadorImagenes + Marco(221, 1, 3).first);
    EXPECT_EQ(kAltosDesplazador[0] + kAltosDesplazador[1] + kAltosDesplazador[2], Marco(197, 1, 3).second);
    EXPECT_EQ(kAltosDesplazador[0] + kAltosDesplazador[1] + kAltosDesplazador[2], Marco(221, 1, 3).second);
    EXPECT_GE(h, kYDesplazadorImagenes + Marco(221, 1, 3).second);
    EXPECT_LE(kXPagina + kAnchoPagina, w);
    EXPECT_LE(kXEncabezado + Marco(2000).first, w);
    EXPECT_LE(kYEncabezado + kAltoEncabezado, h);
    for (uint32_t l = 0; l < 6; ++l)
      for (uint32_t p = 0; p < 4; ++p) {
        EXPECT_LE(Marco(2000 + 10 * p + l).first, kAnchoEncabezado) << p << " " << l;
        EXPECT_LE(Marco(2000 + 10 * p + l).second, kAltoEncabezado) << p << " " << l;
      }
    EXPECT_LE(kFinRotulos, w);
  }
  {
    using namespace DisenoArchivo;
    const auto [w, h] = Marco(224);
    EXPECT_GE(w, kXAceptar + kMargenFondo + Marco(223, 1, 3).first);
    EXPECT_GE(h, kYAceptar + Marco(223, 1, 3).second);
    EXPECT_GE(w, kXCancelar + kMargenFondo + Marco(222, 1, 3).first);
    EXPECT_GE(h, kYCancelar + Marco(222, 1, 3).second);
    for (uint32_t n : {115u, 158u}) EXPECT_GE(h, kYBotonesPie + Marco(n, 10).second) << n;
    EXPECT_GE(w, kXDesplazador + kMargenFondo + Marco(221, 1, 3).first);
  }
  EXPECT_LE(Marco(106, 1, 6).first, 224);
  EXPECT_LE(Marco(106, 1, 6).second, 170);
  {
    using namespace DisenoMensaje;
    const auto [w, h] = Marco(148);
    EXPECT_GE(w, kAnchoMinimo);
    EXPECT_GE(h, kAltoMinimo);
    EXPECT_GE(w, kXCancelar + Marco(147, 1, 3).first);
    EXPECT_GE(h, kYAceptar + Marco(146, 1, 3).second);
    EXPECT_GE(h, kYCancelar + Marco(147, 1, 3).second);
    EXPECT_LE(kXTexto + kAnchoTexto, w);
    EXPECT_LE(kYTexto + kAltoTexto, kYAceptar);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(kXTitulo + Marco(2150 + l).first, w) << l;
  }
  {
    using namespace DisenoMusica;
    const auto [w, h] = Marco(214);
    const auto [kw, kh] = Marco(507, 1, 2);
    EXPECT_GE(w, kXSilencio + Marco(213, 1, 3).first);
    EXPECT_GE(w, kXOndas + Marco(505).first);
    EXPECT_GE(w, kXMaestro + Marco(503).first);
    EXPECT_GE(w, kXPistaOndas - kw / 2 + kw);
    EXPECT_GE(h, kYBotones + std::max(Marco(212, 1, 3).second, Marco(213, 1, 3).second));
    EXPECT_GE(h, kYPistaAbajo - kh / 2 + kh);
    EXPECT_GE(kYPistaArriba - kh / 2, 0);
    EXPECT_GE(h, kYPistas + 3 * kPasoPistas + Marco(533, 1, 4).second);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(Marco(2100 + l).first + kXTitulo, w) << l;
  }
  {
    using namespace DisenoIdioma;
    const auto [w, h] = Marco(215);
    EXPECT_GE(w, kXCancelar + Marco(217, 1, 3).first);
    EXPECT_GE(h, kYBotones + std::max(Marco(216, 1, 3).second, Marco(217, 1, 3).second));
    EXPECT_GE(h, kYEtiquetas + 6 * kPasoEtiquetas);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(Marco(2170 + l).first + kXTitulo, w) << l;
  }
  {
    using namespace DisenoPanel;
    const auto [w, h] = Marco(166);
    EXPECT_GE(w, kXRepetir + Marco(167, 1, 3).first);
    EXPECT_GE(h, kYRepetir + Marco(167, 1, 3).second);
    EXPECT_GE(h, kYSalir + Marco(163, 1, 3).second);
    EXPECT_GE(h, kYWeb + Marco(165, 1, 3).second);
    EXPECT_GE(w, kXWeb + Marco(165, 1, 3).first);
  }
}

// The shipped dies are the generator's: the cut's partition tests over its
// shapes hold for them.
TEST_F(Datos, DiesAreTheGeneratorsShapes) {
  for (int estilo = 0; estilo < 3; ++estilo) {
    HIMAGE h = nullptr;
    ASSERT_TRUE(LeerImagenRecursos(5000 + estilo, &h));
    const std::vector<uint8_t> bmp = BmpTroquel(GenerarTroquel(estilo));
    EXPECT_EQ(std::memcmp(PixelesHIMAGE(h), bmp.data() + bmp.size() - kLadoTroquel * kLadoTroquel,
                          kLadoTroquel * kLadoTroquel), 0)
        << estilo;
    LiberarHIMAGE(h);
  }
}

// The numbered pictures: what the print-out, the wallpaper and the cut
// expect of them, and each cuts with the shipped dies.
TEST_F(Datos, TheFifteenPicturesAreFullPaletteBitmapsThatCut) {
  SetDisplayFormat(DisplayFormat{});
  puzzle.boards[kTable].header.biWidth = 1024;
  puzzle.boards[kTable].header.biHeight = 768;
  for (int k = 1; k <= 15; ++k) {
    const std::string ruta = kDatos + "/Image/" + std::to_string(k) + ".bmp";
    SCOPED_TRACE(ruta);
    std::ifstream f(ruta, std::ios::binary);
    uint8_t c[54] = {};
    ASSERT_TRUE(f.read(reinterpret_cast<char*>(c), sizeof c));
    EXPECT_EQ(LeerU32(c + 10), 1078u) << "rows right after a 256-entry table";
    EXPECT_EQ(LeerU32(c + 14), 40u);
    const int32_t w = LeerI32(c + 18), h = LeerI32(c + 22);
    EXPECT_TRUE(std::min(w, h) >= 480 && std::max(w, h) <= 1024 && h <= 768) << w << "x" << h;
    EXPECT_LE(std::max(w, h), 2 * std::min(w, h));
    EXPECT_EQ(LeerU16(c + 28), 8);
    EXPECT_EQ(LeerU32(c + 30), 0u);
    EXPECT_EQ(LeerU32(c + 46), 256u);

    ASSERT_TRUE(imagenActual.Abrir(ruta.c_str()));
    puzzle.rows = 6, puzzle.cols = 8, puzzle.scale = 1.0;
    EXPECT_TRUE(CreatePuzzle(2, 2, 5000 + k % 3, true));
    EXPECT_EQ(puzzle.boards[kTable].count, 48);
    ClosePuzzle(false);
  }
  for (Board& b : puzzle.boards) b = Board{};
}

}  // namespace
