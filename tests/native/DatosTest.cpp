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
    {187, D::kChk4}, {106, D::kFilas6}, {199, D::kAnim10}, {198, D::kAnim10}, {197, D::kScroll},
    {2040, D::kUnica, true}, {2050, D::kUnica, true}, {221, D::kScroll}, {158, D::kAnim10}, {130, D::kAnim10},
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
  // Control picture n (its frame of a strip `filas` high) at (x, y) on
  // window picture `ventana`, whose column `margen` is the window's left.
  const auto cabe = [](uint32_t ventana, uint32_t n, int x, int y, int filas = 3, int columnas = 1, int margen = 0) {
    const auto [w, h] = Marco(ventana);
    const auto [cw, ch] = Marco(n, columnas, filas);
    EXPECT_GE(w, x + margen + cw) << ventana << ": " << n;
    EXPECT_GE(h, y + ch) << ventana << ": " << n;
  };
  {
    using namespace DisenoNuevo;
    cabe(224, 223, kXAceptar, kYAceptar);
    cabe(224, 222, kXCerrar, kYCerrar);
    for (uint32_t i = 0; i < 4; ++i) cabe(224, 1000 + 10 * i, 0, kYPestaña[i], 4);
    cabe(224, 115, kXAyuda, kYBotonesPie, 1, 10);
    cabe(224, 130, kXAgregar, kYBotonesPie, 1, 10);
    cabe(224, 126, kXVistaPrevia, kYBotonesPie, 1, 10);
    EXPECT_LE(kXAgregar + Marco(130, 10).first, kXVistaPrevia);
    cabe(224, 199, kXZoom, kYAjustar, 1, 10);
    cabe(224, 198, kXZoom, kYNatural, 1, 10);
    cabe(224, 186, kXTroquel[2], kYTroquel, 4);
    cabe(224, 187, kXGiradas, kYGiradas, 4);
    cabe(224, 221, kXDesplazadorImagenes, kYDesplazadorImagenes);
    for (uint32_t n : {197u, 221u})
      EXPECT_EQ(kAltosDesplazador[0] + kAltosDesplazador[1] + kAltosDesplazador[2], Marco(n, 1, 3).second) << n;
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(Marco(2000 + l).first, kAnchoEncabezado) << l;
  }
  {
    using namespace DisenoArchivo;
    cabe(224, 223, kXAceptar, kYAceptar, 3, 1, kMargenFondo);
    cabe(224, 222, kXCancelar, kYCancelar, 3, 1, kMargenFondo);
    cabe(224, 158, kXBorrar, kYBotonesPie, 1, 10, kMargenFondo);
    cabe(224, 221, kXDesplazador, kYDesplazador, 3, 1, kMargenFondo);
  }
  EXPECT_LE(Marco(106, 1, 6).first, 224);
  EXPECT_LE(Marco(106, 1, 6).second, 170);
  EXPECT_LE(DisenoNuevo::kYVistaTroquel + Marco(106, 1, 6).second, 230) << "the die preview leaves the paper";
  {
    using namespace DisenoMensaje;
    EXPECT_GE(Marco(148).first, kAnchoMinimo);
    EXPECT_GE(Marco(148).second, kAltoMinimo);
    cabe(148, 146, kXAceptar, kYAceptar);
    cabe(148, 147, kXCancelar, kYCancelar);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(kXTitulo + Marco(2150 + l).first, Marco(148).first) << l;
  }
  {
    using namespace DisenoMusica;
    const auto [kw, kh] = Marco(507, 1, 2);
    cabe(214, 212, kXSalir, kYBotones);
    cabe(214, 213, kXSilencio, kYBotones);
    cabe(214, 503, kXMaestro, kYMaestro, 1);
    cabe(214, 505, kXOndas, kYOndas, 1);
    cabe(214, 507, kXPistaOndas - kw / 2, kYPistaAbajo - kh / 2, 2);
    EXPECT_GE(kYPistaArriba - kh / 2, 0);
    cabe(214, 533, kXPistas, kYPistas + 3 * kPasoPistas, 4);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(Marco(2100 + l).first + kXTitulo, Marco(214).first) << l;
  }
  {
    using namespace DisenoIdioma;
    cabe(215, 216, kXAceptar, kYBotones);
    cabe(215, 217, kXCancelar, kYBotones);
    for (uint32_t l = 0; l < 6; ++l) EXPECT_LE(Marco(2170 + l).first + kXTitulo, Marco(215).first) << l;
  }
  {
    using namespace DisenoPanel;
    cabe(166, 163, kXSalir, kYSalir);
    cabe(166, 167, kXRepetir, kYRepetir);
    cabe(166, 165, kXWeb, kYWeb);
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
    EXPECT_TRUE(CreatePuzzle({.picture = &imagenActual, .scale = 1.0, .rows = 6, .cols = 8,
                              .dieId = kDiePictureBase + k % 3, .dieRows = kShippedDieGrid,
                              .dieCols = kShippedDieGrid, .newGame = true, .table = puzzle.boards[kTable].Size()}));
    EXPECT_EQ(puzzle.boards[kTable].count, 48);
    ClosePuzzle(false);
  }
  for (Board& b : puzzle.boards) b = Board{};
}

}  // namespace
