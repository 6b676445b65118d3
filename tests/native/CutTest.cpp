#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "AyudaVerificar.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Cut.h"
#include "TableLayout.h"
#include "Fitting.h"
#include "Puzzle.h"
#include "Relieve.h"
#include "ShellFalso.h"
#include "Troquel.h"
#include "TroquelPrueba.h"
#include "Utilidades.h"

namespace {

// 2 x 2 dies: the good one, one of 24 bits, one 2 pixels too wide, a missing one.
constexpr int32_t kTroquel = 5000, kTroquel24 = 5001, kTroquelAncho = 5002, kAusente = 5003;
constexpr int32_t kGenerado = 5010;  // 5010-5012: the drawn styles 0-2
constexpr int32_t kMesaAncho = 800, kMesaAlto = 600;

// An archive block of drawn style `estilo`: the BMP without its file header.
std::vector<uint8_t> BloqueGenerado(int estilo) {
  const std::vector<uint8_t> bmp = BmpTroquel(GenerarTroquel(estilo));
  return std::vector<uint8_t>(bmp.begin() + 14, bmp.end());
}

// Picture colours (blue, green, red as one value) at (x, y) from the top.
uint32_t Color24(int32_t x, int32_t y) { return (x & 0xFFF) | (y & 0xFFF) << 12; }
uint8_t Indice8(int32_t x, int32_t y) { return static_cast<uint8_t>((x * 31 + y * 17) % 251); }
uint32_t Paleta(uint32_t i) { return i | (255 - i) << 8 | ((i * 37) & 255) << 16; }

struct Imagen {  // largo: the file's length, -1 for all of it
  int32_t ancho, alto;
  uint16_t bits = 24;
  bool arribaAbajo = false;
  uint32_t compresion = 0, clrUsed = 0;
  int64_t largo = -1;
};

HIMAGE MosaicoPrueba();

class CutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CerrarArchivoRecursos();
    std::filesystem::create_directories(carpeta);
    ASSERT_TRUE(EscribirArchivoTroqueles(carpeta + "t.rf", {{kTroquel, BloqueTroquel(2, 2)},
                                                              {kTroquel24, BloqueTroquel(2, 2, 24)},
                                                              {kTroquelAncho, BloqueTroquel(2, 2, 8, 534)},
                                                              {kGenerado, BloqueGenerado(0)},
                                                              {kGenerado + 1, BloqueGenerado(1)},
                                                              {kGenerado + 2, BloqueGenerado(2)}}));
    ASSERT_TRUE(AbrirArchivoRecursos((carpeta + "t.rf").c_str()));
    SetDisplayFormat(DisplayFormat{});
    puzzle.boards[kTable].header.biWidth = kMesaAncho;
    puzzle.boards[kTable].header.biHeight = kMesaAlto;
  }
  void TearDown() override {
    ClosePuzzle(false);
    for (Board& b : puzzle.boards) b = Board{};
    puzzle.clockRunning = false;
    CerrarArchivoRecursos();
    std::filesystem::remove_all(carpeta);
  }

  // Writes the picture and makes it the current one.
  void Abrir(const Imagen& im) {
    BmpSintetico b{.ancho = im.ancho, .alto = im.alto, .bits = im.bits, .compresion = im.compresion,
                   .clrUsed = im.clrUsed, .largo = im.largo, .pixeles = {}};
    if (im.bits == 8 || im.bits == 24)
      b.Pintar([&](int32_t x, int32_t s) {
        const int32_t y = im.arribaAbajo ? s : im.alto - 1 - s;
        return im.bits == 8 ? Indice8(x, y) : Color24(x, y);
      });
    if (im.arribaAbajo) b.alto = -b.alto;
    std::vector<uint8_t> bytes = b.Bytes();
    for (uint32_t i = 0; im.bits == 8 && i < 256; ++i) EscribirU32(&bytes[14 + 40 + 4 * i], Paleta(i));
    std::ofstream(carpeta + "p.bmp", std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ASSERT_TRUE(imagenActual.Abrir((carpeta + "p.bmp").c_str()));
  }
  // The current picture as filas x columnas at `escala`, on the table board.
  static PedidoPuzzle Pedido(int32_t filas = 2, int32_t columnas = 2, double escala = 1.0, bool nuevo = true,
                             int32_t troquel = kTroquel) {
    return {.picture = &imagenActual, .scale = escala, .rows = filas, .cols = columnas, .dieId = troquel,
            .dieRows = 2, .dieCols = 2, .newGame = nuevo, .table = puzzle.boards[kTable].Size()};
  }
  bool Cortar(const Imagen& im, int32_t filas = 2, int32_t columnas = 2, double escala = 1.0, bool nuevo = true,
              int32_t troquel = kTroquel) {
    Abrir(im);
    return CreatePuzzle(Pedido(filas, columnas, escala, nuevo, troquel));
  }
  // A relief table with a rows x cols cut of the test picture on it.
  void MesaConRelieve(int32_t filas, int32_t columnas, int32_t troquel = kTroquel) {
    MosaicoPuzzle(MosaicoPrueba());
    ActivarRelieve(true);
    puzzle.boards[kTable] = Board{};
    ASSERT_TRUE(ResizeBoard(kTable, kMesaAncho, kMesaAlto));
    ASSERT_TRUE(Cortar({331, 207}, filas, columnas, 1.0, true, troquel));
  }

  ConShellFalso conShell;
  ShellFalso& shell = conShell.shell;
  const std::string carpeta = ::testing::TempDir() + "tessera_cut_" + std::to_string(getpid()) + "/";
};

// Every grid pixel belongs to exactly one piece: its owner in the tiling or,
// for tiling cells off the grid, the piece whose cell holds it (straight
// outer edges). Every opaque pixel shows the picture at its place.
TEST_F(CutTest, PiecesPartitionThePictureAlongTheDie) {
  const struct { int32_t filas, columnas; Imagen imagen; double escala; } casos[] = {
      {2, 2, {200, 150, 8}, 1.0}, {3, 3, {300, 300}, 1.0},    {11, 13, {592, 553}, 1.0}, {13, 11, {553, 592}, 1.0},
      {4, 5, {210, 150, 8}, 1.5}, {5, 3, {400, 500}, 0.5},    {3, 7, {333, 160, 8}, 1.0},
      {2, 3, {150, 100, 24, true}, 1.0}};  // top-down rows
  for (const int32_t troquel : {kTroquel, kGenerado, kGenerado + 1, kGenerado + 2})
  for (const auto& k : casos) {
    SCOPED_TRACE(::testing::Message() << troquel << ": " << k.filas << "x" << k.columnas << " scale " << k.escala);
    ASSERT_TRUE(Cortar(k.imagen, k.filas, k.columnas, k.escala, true, troquel));
    const int32_t w = static_cast<int32_t>(k.imagen.ancho * k.escala);
    const int32_t h = static_cast<int32_t>(k.imagen.alto * k.escala);
    const int32_t cw = puzzle.cellW, ch = puzzle.cellH;
    ASSERT_EQ(cw, w / k.columnas);
    ASSERT_EQ(std::pair(puzzle.marginX, puzzle.boxH), std::pair(cw * 66 / 200, ch + 2 * (ch * 66 / 200)));

    const auto dueno = [&](int32_t X, int32_t Y) {  // of grid pixel (X, Y)
      const CeldaTeselado t = troquel == kTroquel ? DuenoTeselado(X * 200 / cw, Y * 200 / ch) : [&] {
        const CeldaTroquel c = DuenoTroquel(troquel - kGenerado, X * 200 / cw, Y * 200 / ch);
        return CeldaTeselado{c.col, c.fila};
      }();
      const bool enRejilla = t.col >= 0 && t.col < k.columnas && t.fila >= 0 && t.fila < k.filas;
      return enRejilla ? t.fila * k.columnas + t.col : Y / ch * k.columnas + X / cw;
    };
    std::vector<uint8_t> visto(static_cast<size_t>(w) * h);
    int fuera = 0, dobles = 0, colorMal = 0, coberturaMal = 0, ajenos = 0, huecos = k.filas * ch * k.columnas * cw;
    for (int32_t i = 0; i < k.filas * k.columnas; ++i)
      for (int32_t y = 0; y < puzzle.boxH; ++y)
        for (int32_t x = 0; x < puzzle.boxW; ++x) {
          const uint8_t cubre = *puzzle.SheetPixel(i, x, y);
          const uint8_t* p = puzzle.PieceColour(i, x, y);
          coberturaMal += cubre > 1;
          if (!cubre) continue;
          const int32_t X = i % k.columnas * cw - puzzle.marginX + x, Y = i / k.columnas * ch - puzzle.marginY + y;
          const bool enFoto = X >= 0 && Y >= 0 && X < w && Y < h, enRejilla = X < k.columnas * cw && Y < k.filas * ch;
          fuera += !enFoto;
          if (!enFoto) continue;
          uint8_t& v = visto[static_cast<size_t>(Y) * w + X];
          dobles += v;
          huecos -= enRejilla && !v;
          ajenos += enRejilla && dueno(X, Y) != i;
          v = true;
          const int32_t px = std::min(static_cast<int32_t>(X / k.escala), k.imagen.ancho - 1);
          const int32_t py = std::min(static_cast<int32_t>(Y / k.escala), k.imagen.alto - 1);
          const uint32_t esperado = k.imagen.bits == 8 ? Paleta(Indice8(px, py)) : Color24(px, py);
          colorMal += (p[0] | p[1] << 8 | p[2] << 16) != static_cast<int32_t>(esperado);
        }
    EXPECT_EQ(std::vector<int>({fuera, dobles, colorMal, coberturaMal, ajenos, huecos}), std::vector<int>(6, 0))
        << "off the picture, in two pieces, wrong colour, coverage > 1, wrong owner, holes";
    ClosePuzzle(false);
  }
}

TEST(Troquel, ValidationAcceptsTheDrawnDiesAndCatchesFaults) {
  for (int estilo = 0; estilo < 3; ++estilo) EXPECT_EQ(ValidarTroquel(GenerarTroquel(estilo)), "") << estilo;
  std::vector<uint8_t> e = GenerarTroquel(0);
  e[300 * kLadoTroquel + 333] = 3;  // piece 3 at x = 333: 67 pixels past its cell
  EXPECT_EQ(ValidarTroquel(e), "piece 3 reaches beyond 66 pixels at (333, 300)");
  e[300 * kLadoTroquel + 333] = 13;
  EXPECT_EQ(ValidarTroquel(e), "stray label 13 at (333, 300)");
  e = GenerarTroquel(2);
  e[10 * kLadoTroquel + 150] = 6;  // top band no longer mirrors the bottom row
  EXPECT_EQ(ValidarTroquel(e), "edges do not match the opposite side at (150, 10)");
}

TEST_F(CutTest, DieLookupIsExactFloorDivision) {
  const struct { int32_t x, margen, celda, esperado; } casos[] = {
      {33, 33, 100, 66}, {0, 33, 100, 0}, {165, 33, 100, 330}, {0, 14, 45, 3}, {400, 33, 100, 331},
      // Where the product in doubles lands a hair below an integer.
      {7, 29, 88, 16},   {435, 127, 385, 226},
  };
  for (const auto& c : casos) EXPECT_EQ(DieLookup(c.x, c.margen, c.celda), c.esperado) << c.x << " " << c.celda;
}

// A refused request leaves the puzzle as it was: grid, scale, die and measures.
TEST_F(CutTest, PicturesThatCannotBeCutFailSoftly) {
  // Too small, a NaN scale, 4 bits, run-length encoded, 16 and 32 bits, grids
  // of no piece or finer than a pixel; a short file also closes the picture.
  const struct { Imagen imagen; double escala; bool cerrada; int32_t filas = 2, columnas = 2; } casos[] = {
      {{44, 300}, 1.0, false}, {{300, 88}, 0.5, false}, {{300, 300}, NAN, false}, {{300, 300, 4}, 1.0, false},
      {{300, 300, 8, false, 1}, 1.0, false}, {{300, 300, 16, false, 0, 1}, 1.0, false}, {{300, 300, 32}, 1.0, false},
      {{300, 300}, 1.0, false, 0, 2}, {{300, 300}, 1.0, false, 2, -1}, {{300, 60}, 1.0, false, 61, 2},
      {{300, 60}, 1.0, false, 2, 301},
      {{300, 300, 24, false, 0, 0, 54 + 150 * 900}, 1.0, true}};
  const auto estado = [] {
    return std::tuple(puzzle.rows, puzzle.cols, puzzle.scale, puzzle.cellW, puzzle.boxH, puzzle.dieId, puzzle.dieRows);
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(&c - casos);
    Abrir(c.imagen);
    puzzle.rows = 7, puzzle.cols = 9, puzzle.scale = 3.0, puzzle.cellW = puzzle.boxH = puzzle.dieId = -5;
    puzzle.dieRows = 4;
    const auto antes = estado();
    bool hecho = true;
    EXPECT_SIN_VERIFICAR(hecho = CreatePuzzle(Pedido(c.filas, c.columnas, c.escala)));
    EXPECT_FALSE(hecho || puzzle.Exists() || shell.waitCursor);
    EXPECT_EQ(imagenActual.Abierto(), !c.cerrada);
    if (!c.cerrada) {
      EXPECT_EQ(estado(), antes);
    }
  }
  Abrir({300, 300});
  PedidoPuzzle sinImagen = Pedido();
  sinImagen.picture = nullptr;
  EXPECT_FALSE(CreatePuzzle(sinImagen));
  imagenActual.Cerrar();
  EXPECT_FALSE(CreatePuzzle(Pedido()));  // no picture
}

// A new game lays out on the request's table, whatever the table board's size.
TEST_F(CutTest, NewGameScattersOverTheRequestsTable) {
  for (const Punto mesa : {Punto{2000, 1500}, Punto{300, 200}}) {
    Abrir({500, 400});
    PedidoPuzzle p = Pedido(4, 5);
    p.table = mesa;
    ASSERT_TRUE(CreatePuzzle(p));
    int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
    for (const PieceRecord& r : puzzle.pieces) {
      x0 = std::min(x0, r.x), y0 = std::min(y0, r.y), x1 = std::max(x1, r.x), y1 = std::max(y1, r.y);
    }
    // A table the finished puzzle fits: boxes inside its lower half. One it
    // does not: a larger table, the boxes inside it.
    const PuzzleMeasures m{puzzle.rows, puzzle.cols, {puzzle.cellW, puzzle.cellH}, {puzzle.marginX, puzzle.marginY},
                           {puzzle.boxW, puzzle.boxH}};
    const Punto t = TableSizeFor(mesa, m);
    EXPECT_EQ(PuzzleFits(mesa, m), t.x == mesa.x && t.y == mesa.y);
    EXPECT_GE(x0, 0);
    EXPECT_LE(x1, t.x - puzzle.boxW);
    EXPECT_GE(y0, PuzzleFits(mesa, m) ? (mesa.y - puzzle.boxH) / 2 : 0);
    EXPECT_LE(y1, t.y - puzzle.boxH);
    ClosePuzzle(false);
  }
}

// A refused display format closes the picture; 16 bits take shifts and divisors from the masks.
TEST_F(CutTest, DisplayFormats) {
  struct Caso { int32_t bits; bool campos; uint32_t mascaras[3]; bool valido; int32_t corrimientos[3], divisores[3]; };
  const Caso casos[] = {
      {16, true, {0xF800, 0x07E0, 0x001F}, true, {11, 5, 0}, {8, 4, 8}}, {16, false, {}, true, {10, 5, 0}, {8, 8, 8}},
      {24, false, {}, true, {}, {}}, {32, true, {0xFF0000, 0xFF00, 0xFF}, true, {}, {}}, {32, false, {}, true, {}, {}},
      {8, false, {}, false, {}, {}}, {16, true, {0xF800, 0, 0x001F}, false, {}, {}},
      {16, true, {0xFF80, 0x0060, 0x001F}, false, {}, {}}};  // the last: 9-bit red
  for (const auto& c : casos) {
    SCOPED_TRACE(&c - casos);
    DisplayFormat f;
    f.bits = c.bits, f.bitFields = c.campos;
    std::copy(c.mascaras, c.mascaras + 3, f.masks);
    SetDisplayFormat(f);
    EXPECT_EQ(Cortar({300, 300}), c.valido);
    EXPECT_EQ(std::pair(puzzle.Exists(), imagenActual.Abierto()), std::pair(c.valido, c.valido));
    for (int i = 0; c.valido && c.bits == 16 && i < 3; ++i)
      EXPECT_EQ(std::pair(puzzle.display.shift[i], puzzle.display.divisor[i]),
                std::pair(c.corrimientos[i], c.divisores[i]));
    ClosePuzzle(false);
  }
}

// A new game scatters with (u1, u2) per piece, then two numbers per swap,
// and starts the game over; the loader's cut keeps the game and lays nothing out.
TEST_F(CutTest, NewGameScattersAndShufflesLoaderCutDoesNot) {
  const LectorReloj anterior = InstalarRelojAzar([](int32_t* s, int32_t* ms) { *s = 7, *ms = 345; });
  const auto reiniciar = [] { SembrarAzarRuntime(1), ReiniciarAzar(); };
  reiniciar();
  puzzle.clockRunning = true;
  puzzle.seconds = 99;
  puzzle.hints = puzzle.finished = puzzle.modified = 1;
  ASSERT_TRUE(Cortar({500, 400}, 4, 5));
  const int32_t n = 20, bw = puzzle.boxW, bh = puzzle.boxH;

  reiniciar();
  for (int32_t i = 0; i < n; ++i) {
    const double u1 = Azar(), u2 = Azar();
    const PieceRecord& p = puzzle.pieces[i];
    EXPECT_EQ(p.y, static_cast<int32_t>((u1 + 1.0) * (kMesaAlto - bh) / 2.0));
    EXPECT_EQ(p.x, static_cast<int32_t>(u2 * (kMesaAncho - bw)));
    EXPECT_TRUE(p.group == 0 && p.unmarked == 1) << i;
  }
  std::vector<int32_t> orden(n);
  std::iota(orden.begin(), orden.end(), 0);
  for (int32_t i = 0; i < n; ++i) {
    const int32_t a = static_cast<int32_t>(Azar() * n), b = static_cast<int32_t>(Azar() * n);
    std::swap(orden[a], orden[b]);
  }
  InstalarRelojAzar(anterior);
  EXPECT_EQ(puzzle.order, orden);
  EXPECT_EQ(std::pair(puzzle.boards[kTable].first, puzzle.boards[kTable].count), std::pair(0, n));
  for (int b = 0; b < kBoxCount; ++b) EXPECT_EQ(puzzle.boards[b].count + puzzle.boards[b].first, 0);
  EXPECT_EQ(std::tuple(puzzle.clockIdle, puzzle.seconds, puzzle.hints + puzzle.finished + puzzle.modified),
            std::tuple(1, 0u, 0));
  EXPECT_FALSE(puzzle.clockRunning || shell.waitCursor);
  EXPECT_EQ(std::pair(shell.timerKills, shell.magnifierRefreshes), std::pair(1, 1));
  EXPECT_EQ(shell.shownTimes, std::vector<uint32_t>{0});

  ClosePuzzle(false);
  shell.shownTimes.clear();
  puzzle.seconds = 42;
  ASSERT_TRUE(Cortar({300, 300}, 2, 2, 1.0, false));
  EXPECT_EQ(std::pair(puzzle.seconds, puzzle.boards[kTable].count), std::pair(42u, 0));
  EXPECT_TRUE(shell.shownTimes.empty());
}

// DieUsable answers without asserting; cutting with the same die works or asserts.
TEST_F(CutTest, DieChecks) {
  const char *kNada = "<ninguno>", *kMedidas = "este troquel tiene dimensiones invalidas";
  const struct { int32_t filas, columnas, id; bool usable; const char* aviso; } casos[] = {
      {2, 2, kTroquel, true, kNada},         {2, 3, kTroquel, false, kMedidas},
      {1, 2, kTroquel, false, kMedidas},     {0, 2, kTroquel, false, "valor muy bajo"},
      {2, 2, kTroquel24, false, kMedidas},   {2, 2, kTroquelAncho, false, kMedidas},
      {2, 2, kAusente, false, kNada},        {2, 2, -1, false, kNada}};  // a die the archive lacks: not cut
  for (const auto& c : casos) {
    SCOPED_TRACE(&c - casos);
    bool usable = !c.usable, hecho = false;
    EXPECT_SIN_VERIFICAR(usable = DieUsable(c.filas, c.columnas, c.id));
    Abrir({300, 300});
    PedidoPuzzle p = Pedido(2, 2, 1.0, true, c.id);
    p.dieRows = c.filas, p.dieCols = c.columnas;
    EXPECT_EQ(MENSAJE_VERIFICAR(hecho = CreatePuzzle(p)), c.aviso);
    EXPECT_EQ(std::pair(usable, hecho), std::pair(c.usable, c.usable));
    if (c.usable) {
      EXPECT_VERIFICAR(CreatePuzzle(Pedido()), "se debe cerrar primero el puzzle anterior");
    }
    ClosePuzzle(false);
  }
  CerrarArchivoRecursos();
  EXPECT_FALSE(DieUsable(2, 2, kTroquel));  // no archive
}

// The table's mosaic for these tests.
HIMAGE MosaicoPrueba() {
  static HIMAGE mosaico = [] {
    HIMAGE m = AsignarHIMAGE(100 * 100);
    *m = CabeceraInfoBMP{40, 100, 100, 1, 8, 0, 100 * 100, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i) ColoresHIMAGE(m)[i] = {static_cast<uint8_t>(i), 7, static_cast<uint8_t>(255 - i), 0};
    for (int i = 0; i < 100 * 100; ++i) PixelesHIMAGE(m)[i] = static_cast<uint8_t>(i * 13);
    return m;
  }();
  return mosaico;
}

void ColorMosaico(int32_t px, int32_t py, uint8_t* bgr) {
  const ColorRGBQ& m = ColoresHIMAGE(MosaicoPrueba())[FilaHIMAGE(MosaicoPrueba(), py % 100)[px % 100]];
  bgr[0] = m.rgbBlue, bgr[1] = m.rgbGreen, bgr[2] = m.rgbRed;
}

// Solved, the table shows the grid area of the scaled picture at the
// solved place pixel for pixel, and the mosaic where no piece lies. With
// the relief, only the solved puzzle's outer edge is bevelled and shaded:
// no seam shows inside.
TEST_F(CutTest, SolvedTableShowsThePictureOverTheMosaic) {
  MosaicoPuzzle(MosaicoPrueba());
  const double escala = 1.25;
  for (const bool relieve : {false, true}) {
    ActivarRelieve(relieve);
    puzzle.boards[kTable] = Board{};
    ASSERT_TRUE(ResizeBoard(kTable, kMesaAncho, kMesaAlto));
    ASSERT_TRUE(Cortar({331, 207}, 4, 5, escala));
    SolvePuzzle();
    const MedidasRelieve m = Relieve();
    const int32_t w = static_cast<int32_t>(331 * escala), h = static_cast<int32_t>(207 * escala);
    const int32_t gw = puzzle.cellW * puzzle.cols, gh = puzzle.cellH * puzzle.rows;
    const int32_t ox = (kMesaAncho - gw) / 2, oy = (kMesaAlto - gh) / 2;
    // With the relief, the outer band: the bevel inside, the shadow outside.
    const int32_t dentro = relieve ? m.bisel + 1 : 0, fuera = relieve ? m.derecha + 1 : 0;
    int malos = 0, borde = 0, bordeCambiado = 0;
    for (int32_t py = 0; py < kMesaAlto; ++py) {
      const uint8_t* fila = puzzle.boards[kTable].Row(py);
      for (int32_t px = 0; px < kMesaAncho; ++px) {
        const int32_t gx = px - ox, gy = py - oy;
        // The last column and row keep one picture pixel past the cell where
        // the picture goes on: that strip may show either.
        if ((gx == gw && gy >= 0 && gy <= gh) || (gy == gh && gx >= 0 && gx <= gw)) continue;
        uint8_t esperado[3];
        const bool enRejilla = gx >= 0 && gx < gw && gy >= 0 && gy < gh;
        if (enRejilla) {
          const uint32_t c = Color24(std::min(static_cast<int32_t>(gx / escala), 330),
                                     std::min(static_cast<int32_t>(gy / escala), 206));
          esperado[0] = c & 255, esperado[1] = (c >> 8) & 255, esperado[2] = c >> 16;
        } else {
          ColorMosaico(px, py, esperado);
        }
        const bool interior = gx >= dentro && gx < gw - dentro && gy >= dentro && gy < gh - dentro;
        const bool lejos = gx < -fuera || gx >= gw + fuera || gy < -fuera || gy >= gh + fuera;
        const bool distinto = std::memcmp(fila + 3 * px, esperado, 3) != 0;
        if (interior || lejos) {
          malos += distinto;
        } else {
          ++borde;
          bordeCambiado += distinto;
        }
      }
    }
    EXPECT_EQ(malos, 0) << "relief " << relieve;
    // The edge of the finished puzzle shows: most of the band is lit or shaded.
    if (relieve) {
      EXPECT_GT(bordeCambiado, borde / 2);
    }
    EXPECT_LE(gw, w);
    EXPECT_LE(gh, h);
    ClosePuzzle(false);
  }
  puzzle.boards[kTable] = Board{};
}

// A puzzle whose packed colours fill several of the compositor's blocks
// still shows every pixel of the picture once solved.
TEST_F(CutTest, ALargeSolvedPuzzleShowsEveryPixel) {
  ActivarRelieve(false);
  puzzle.boards[kTable] = Board{};
  ASSERT_TRUE(ResizeBoard(kTable, 1700, 1700));
  ASSERT_TRUE(Cortar({1500, 1500}, 30, 30));
  SolvePuzzle();
  const int32_t gw = puzzle.cellW * puzzle.cols, gh = puzzle.cellH * puzzle.rows;
  const int32_t ox = (1700 - gw) / 2, oy = (1700 - gh) / 2;
  int malos = 0;
  for (int32_t gy = 0; gy < gh; ++gy) {
    const uint8_t* fila = puzzle.boards[kTable].Row(oy + gy) + 3 * ox;
    for (int32_t gx = 0; gx < gw; ++gx, fila += 3)
      malos += (fila[0] | fila[1] << 8 | fila[2] << 16) != static_cast<int32_t>(Color24(gx, gy));
  }
  EXPECT_EQ(malos, 0);
  ActivarRelieve(true);
}

// Whether piece i covers box pixel (x, y); nothing outside its box.
bool Cubierto(int32_t i, int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < puzzle.boxW && y < puzzle.boxH && *puzzle.SheetPixel(i, x, y) == 1;
}

// The bevel and the shadow of loose pieces, pixel for pixel, against a
// reference worked out from each piece's mask alone: the bevel by walking
// the diagonal to the cut, the shadow by summing the mask under a tent of
// radius 2r (two box blurs) around the offset point.
TEST_F(CutTest, LoosePiecesShowTheirBevelAndShadowAsTheMaskGives) {
  ASSERT_NO_FATAL_FAILURE(MesaConRelieve(3, 4, kGenerado + 1));
  const MedidasRelieve m = Relieve();
  ASSERT_GE(m.bisel, 2);
  const int32_t paso = std::max(puzzle.boxW, puzzle.boxH) + m.derecha + m.izquierda + 2;
  const int32_t n = puzzle.PieceCount();
  ASSERT_LE((n + 5) / 6 * paso, kMesaAlto);
  // Apart from each other, so that no shadow reaches another piece.
  for (int32_t i = 0; i < n; ++i) puzzle.pieces[i] = {0, 1, 0, {}, m.izquierda + i % 6 * paso, m.arriba + i / 6 * paso};
  DrawAllBoards(false);

  const int32_t w = m.bisel, r = m.radio, o = m.desvio;
  const int64_t total = static_cast<int64_t>(2 * r + 1) * (2 * r + 1) * (2 * r + 1) * (2 * r + 1);
  int malos = 0, biselados = 0, sombreados = 0;
  for (int32_t py = 0; py < kMesaAlto; ++py) {
    const uint8_t* fila = puzzle.boards[kTable].Row(py);
    for (int32_t px = 0; px < kMesaAncho; ++px) {
      uint8_t esperado[3];
      ColorMosaico(px, py, esperado);
      for (int32_t i = 0; i < n; ++i) {
        const int32_t x = px - puzzle.pieces[i].x, y = py - puzzle.pieces[i].y;
        if (x < -m.izquierda || y < -m.arriba || x >= puzzle.boxW + m.derecha || y >= puzzle.boxH + m.abajo) continue;
        if (Cubierto(i, x, y)) {
          const uint8_t* s = puzzle.PieceColour(i, x, y);
          for (int c = 0; c < 3; ++c) esperado[c] = s[c];
          int32_t luz = 1, sombra = 1;
          while (luz <= w && Cubierto(i, x - luz, y - luz)) ++luz;
          while (sombra <= w && Cubierto(i, x + sombra, y + sombra)) ++sombra;
          const int32_t d = std::min(luz, sombra);
          if (d <= w) {
            ++biselados;
            const uint32_t fuerza = std::min(7, std::max(1, (7 * (w - d + 1) + w / 2) / w));
            for (int c = 0; c < 3; ++c)
              esperado[c] = sombra < luz ? static_cast<uint8_t>(esperado[c] * (256 - fuerza * 14) >> 8)
                                         : static_cast<uint8_t>(esperado[c] + ((255 - esperado[c]) * fuerza * 17 >> 8));
          }
        } else {
          int64_t suma = 0;
          for (int32_t ty = -2 * r; ty <= 2 * r; ++ty)
            for (int32_t tx = -2 * r; tx <= 2 * r; ++tx)
              if (Cubierto(i, x - o + tx, y - o + ty)) suma += (2 * r + 1 - std::abs(tx)) * (2 * r + 1 - std::abs(ty));
          uint32_t a = static_cast<uint32_t>(suma * 150 / total);
          if (a < 4) a = 0;  // too faint to draw
          sombreados += a > 0;
          for (int c = 0; c < 3; ++c) esperado[c] = static_cast<uint8_t>(esperado[c] - (esperado[c] * a >> 8));
        }
      }
      malos += std::memcmp(fila + 3 * px, esperado, 3) != 0;
    }
  }
  EXPECT_EQ(malos, 0);
  EXPECT_GT(biselados, n * 4 * puzzle.cellW);
  EXPECT_GT(sombreados, n * 2 * puzzle.cellW);
}

// Any part of a table of overlapping pieces and groups, composed again,
// comes out as it was: no shadow leaks past the part or is laid twice.
TEST_F(CutTest, RecomposingAnyPartOfAReliefTableChangesNothing) {
  ASSERT_NO_FATAL_FAILURE(MesaConRelieve(4, 5, kGenerado + 2));
  std::mt19937 azar(7);
  auto U = [&](int32_t a, int32_t b) { return std::uniform_int_distribution<int32_t>(a, b)(azar); };
  for (int32_t i = 0; i < puzzle.PieceCount(); ++i)
    puzzle.pieces[i] = {0, static_cast<uint8_t>(U(0, 4) != 0), 0, {}, U(-20, kMesaAncho - 40), U(-20, kMesaAlto - 40)};
  // Pieces 0, 1, 5 and 6 joined in place.
  for (const int32_t i : {0, 1, 5, 6})
    puzzle.pieces[i] = {7, 1, 0, {}, 300 + i % 5 * puzzle.cellW, 200 + i / 5 * puzzle.cellH};
  DrawAllBoards(false);
  const std::vector<uint8_t> entera = puzzle.boards[kTable].bits;
  for (int k = 0; k < 60; ++k) {
    const int32_t x = U(-30, kMesaAncho), y = U(-30, kMesaAlto), w = U(1, 300), h = U(1, 200);
    DrawBoardRect(kTable, x, y, w, h, false, false);
    ASSERT_EQ(puzzle.boards[kTable].bits, entera) << "part " << x << "," << y << " " << w << "x" << h;
  }
}

// Of two overlapping pieces, the shadow of the upper one darkens the lower
// one; the upper one's pixels are as it shows alone.
TEST_F(CutTest, AShadowDarkensOnlyThePieceBelow) {
  ASSERT_NO_FATAL_FAILURE(MesaConRelieve(3, 4));
  const int32_t n = puzzle.PieceCount(), a = 0, b = 6;  // not neighbours
  // The table holds a and b; the rest wait in box 0.
  std::vector<int32_t> resto;
  for (int32_t i = 0; i < n; ++i)
    if (i != a && i != b) resto.push_back(i);
  std::copy(resto.begin(), resto.end(), puzzle.order.begin());
  puzzle.boards[0].first = 0, puzzle.boards[0].count = n - 2;
  puzzle.boards[kTable].first = n - 2, puzzle.boards[kTable].count = 2;
  // The upper piece up-left of the lower one, which its shadow falls on.
  const int32_t dx = puzzle.cellW / 2, dy = puzzle.cellH / 2;
  auto imagen = [&](int32_t arriba, int32_t abajo, bool conArriba, bool conAbajo) {
    puzzle.order[n - 2] = arriba, puzzle.order[n - 1] = abajo;
    puzzle.pieces[arriba] = {0, 1, 0, {}, conArriba ? 200 : 600, 150};
    puzzle.pieces[abajo] = {0, 1, 0, {}, conAbajo ? 200 + dx : 600, 150 + dy + (conAbajo ? 0 : 300)};
    DrawAllBoards(false);
    return puzzle.boards[kTable].bits;
  };
  for (const auto& [arriba, abajo] : {std::pair{a, b}, std::pair{b, a}}) {
    const std::vector<uint8_t> sola = imagen(arriba, abajo, true, false);
    const std::vector<uint8_t> juntas = imagen(arriba, abajo, true, true);
    const std::vector<uint8_t> debajo = imagen(arriba, abajo, false, true);
    int arribaIgual = 0, arribaPixeles = 0, oscurecidos = 0, aclarados = 0;
    const Board& mesa = puzzle.boards[kTable];
    for (int32_t py = 0; py < mesa.Height(); ++py)
      for (int32_t px = 0; px < mesa.Width(); ++px) {
        const size_t k = static_cast<size_t>(mesa.lastRow - py) * mesa.stride + 3 * static_cast<size_t>(px);
        if (Cubierto(arriba, px - 200, py - 150)) {
          ++arribaPixeles;
          arribaIgual += std::memcmp(&juntas[k], &sola[k], 3) == 0;
        } else if (Cubierto(abajo, px - 200 - dx, py - 150 - dy)) {
          for (int c = 0; c < 3; ++c) {
            oscurecidos += juntas[k + c] < debajo[k + c];
            aclarados += juntas[k + c] > debajo[k + c];
          }
        }
      }
    EXPECT_EQ(arribaIgual, arribaPixeles) << "upper piece " << arriba;
    EXPECT_GT(oscurecidos, puzzle.cellW) << "upper piece " << arriba;
    EXPECT_EQ(aclarados, 0) << "upper piece " << arriba;
  }
}

}  // namespace
