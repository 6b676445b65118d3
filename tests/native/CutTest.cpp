#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "AyudaVerificar.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Cut.h"
#include "Fitting.h"
#include "Puzzle.h"
#include "ShellFalso.h"
#include "TroquelPrueba.h"
#include "Utilidades.h"

namespace {

constexpr int32_t kTroquel = 5000;       // the 2 x 2 die
constexpr int32_t kTroquel24 = 5001;     // right size, 24 bits
constexpr int32_t kTroquelAncho = 5002;  // 8 bits, 2 pixels too wide
constexpr int32_t kAusente = 5003;
constexpr int32_t kMesaAncho = 800, kMesaAlto = 600;

// Picture colours (blue, green, red as one value) at (x, y) from the top.
uint32_t Color24(int32_t x, int32_t y) { return (x & 0xFFF) | (y & 0xFFF) << 12; }
uint8_t Indice8(int32_t x, int32_t y) { return static_cast<uint8_t>((x * 31 + y * 17) % 251); }
uint32_t Paleta(uint32_t i) { return i | (255 - i) << 8 | ((i * 37) & 255) << 16; }

struct Imagen {
  int32_t ancho, alto;
  uint16_t bits = 24;
  bool arribaAbajo = false;
  uint32_t compresion = 0, clrUsed = 0;
  int64_t largo = -1;
};

class CutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CerrarArchivoRecursos();
    std::filesystem::create_directories(carpeta);
    ASSERT_TRUE(EscribirArchivoTroqueles(carpeta + "t.rf", {{kTroquel, BloqueTroquel(2, 2)},
                                                              {kTroquel24, BloqueTroquel(2, 2, 24)},
                                                              {kTroquelAncho, BloqueTroquel(2, 2, 8, 534)}}));
    ASSERT_TRUE(AbrirArchivoRecursos((carpeta + "t.rf").c_str()));
    SetDisplayFormat(DisplayFormat{});
    puzzle.scale = 1.0;
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
  bool Cortar(const Imagen& im, int32_t filas, int32_t columnas, double escala, bool nuevo = true) {
    Abrir(im);
    puzzle.rows = filas;
    puzzle.cols = columnas;
    puzzle.scale = escala;
    return CreatePuzzle(2, 2, kTroquel, nuevo);
  }
  static bool Cubierto(int32_t pieza, int32_t x, int32_t y) { return puzzle.SheetPixel(pieza, x, y)[3] != 0; }

  ConShellFalso conShell;
  ShellFalso& shell = conShell.shell;
  const std::string carpeta = ::testing::TempDir() + "tessera_cut_" + std::to_string(getpid()) + "/";
};

struct CasoParticion {
  int32_t filas, columnas;
  Imagen imagen;
  double escala;
};

// Every pixel of the grid belongs to exactly one piece, the one that owns it
// in the tiling (or, for tiling cells outside the grid, the piece whose cell
// holds it: straight outer edges); no picture pixel is in two pieces; every
// opaque pixel shows the picture at its place.
TEST_F(CutTest, PiecesPartitionThePictureAlongTheDie) {
  const CasoParticion casos[] = {
      {2, 2, {200, 150, 8}, 1.0},     {3, 3, {300, 300}, 1.0},         {11, 13, {592, 553}, 1.0},
      {4, 5, {210, 150, 8}, 1.5},     {5, 3, {400, 500}, 0.5},         {3, 7, {333, 160, 8}, 1.0},
      {7, 2, {100, 400}, 0.9},        {2, 3, {150, 100, 24, true}, 1.0},
  };
  for (const CasoParticion& k : casos) {
    SCOPED_TRACE(::testing::Message() << k.filas << "x" << k.columnas << " scale " << k.escala);
    ASSERT_TRUE(Cortar(k.imagen, k.filas, k.columnas, k.escala));
    const int32_t w = static_cast<int32_t>(k.imagen.ancho * k.escala), h = static_cast<int32_t>(k.imagen.alto * k.escala);
    const int32_t cw = puzzle.cellW, ch = puzzle.cellH;
    ASSERT_EQ(cw, w / k.columnas);
    ASSERT_EQ(puzzle.marginX, cw * 66 / 200);
    ASSERT_EQ(puzzle.boxH, ch + 2 * (ch * 66 / 200));

    std::vector<int32_t> dueno(static_cast<size_t>(w) * h, -1);
    int fuera = 0, dobles = 0, colorMal = 0, coberturaMal = 0;
    for (int32_t i = 0; i < k.filas * k.columnas; ++i)
      for (int32_t y = 0; y < puzzle.boxH; ++y)
        for (int32_t x = 0; x < puzzle.boxW; ++x) {
          const uint8_t* p = puzzle.SheetPixel(i, x, y);
          coberturaMal += p[3] > 1;
          if (!p[3]) continue;
          const int32_t X = i % k.columnas * cw - puzzle.marginX + x, Y = i / k.columnas * ch - puzzle.marginY + y;
          if (X < 0 || Y < 0 || X >= w || Y >= h) {
            ++fuera;
            continue;
          }
          int32_t& d = dueno[static_cast<size_t>(Y) * w + X];
          dobles += d != -1;
          d = i;
          const int32_t px = std::min(static_cast<int32_t>(X / k.escala), k.imagen.ancho - 1);
          const int32_t py = std::min(static_cast<int32_t>(Y / k.escala), k.imagen.alto - 1);
          const uint32_t esperado = k.imagen.bits == 8 ? Paleta(Indice8(px, py)) : Color24(px, py);
          colorMal += (p[0] | p[1] << 8 | p[2] << 16) != static_cast<int32_t>(esperado);
        }
    int huecos = 0, ajenos = 0;
    for (int32_t Y = 0; Y < k.filas * ch; ++Y)
      for (int32_t X = 0; X < k.columnas * cw; ++X) {
        const CeldaTeselado t = DuenoTeselado(X * 200 / cw, Y * 200 / ch);
        const bool enRejilla = t.col >= 0 && t.col < k.columnas && t.fila >= 0 && t.fila < k.filas;
        const int32_t esperado = enRejilla ? t.fila * k.columnas + t.col : Y / ch * k.columnas + X / cw;
        const int32_t d = dueno[static_cast<size_t>(Y) * w + X];
        huecos += d == -1;
        ajenos += d != -1 && d != esperado;
      }
    EXPECT_EQ(fuera, 0);
    EXPECT_EQ(dobles, 0);
    EXPECT_EQ(colorMal, 0);
    EXPECT_EQ(coberturaMal, 0);
    EXPECT_EQ(huecos, 0);
    EXPECT_EQ(ajenos, 0);
    ClosePuzzle(false);
  }
}

// 3 x 3 cells of 100 (margin 33): die piece (0, 0) receives a knob on each
// side, die piece (0, 1) gives them. Box (83, 43) lies in the top notch,
// (83, 23) in a top tab, (23, 83) in a left tab, (123, 83) in a right notch.
TEST_F(CutTest, OuterSidesAreStraightInnerSidesInterlock) {
  ASSERT_TRUE(Cortar({300, 300}, 3, 3, 1.0));
  EXPECT_EQ(puzzle.marginX, 33);
  EXPECT_EQ(puzzle.boxW, 166);
  const struct {
    int32_t pieza, x, y;
    bool cubierto;
  } casos[] = {
      {0, 83, 43, true},    // top row: the notch is filled
      {8, 83, 43, false},   // (2, 2) takes die piece (0, 0): its notch stays open
      {4, 83, 43, false},   // (1, 1), die piece (1, 1): a notch too
      {1, 83, 23, false},   // top row: its tab is cut off
      {7, 83, 23, true},    // (2, 1), die piece (0, 1): the tab is there
      {3, 23, 83, false},   // left column: tab cut off
      {5, 23, 83, true},    // (1, 2) takes die piece (1, 0): tab kept
      {2, 123, 83, true},   // right column: notch filled
      {0, 123, 83, false},  // the same notch inside the grid
  };
  for (const auto& c : casos) EXPECT_EQ(Cubierto(c.pieza, c.x, c.y), c.cubierto) << c.pieza << " " << c.x << "," << c.y;
}

TEST_F(CutTest, DieLookupIsExactFloorDivision) {
  const struct {
    int32_t x, margen, celda, esperado;
  } casos[] = {
      {33, 33, 100, 66}, {0, 33, 100, 0}, {165, 33, 100, 330}, {0, 14, 45, 3}, {400, 33, 100, 331},
      // Where the product in doubles lands a hair below an integer.
      {7, 29, 88, 16},   {435, 127, 385, 226},
  };
  for (const auto& c : casos) EXPECT_EQ(DieLookup(c.x, c.margen, c.celda), c.esperado) << c.x << " " << c.celda;
}

TEST_F(CutTest, PicturesThatCannotBeCutFailSoftly) {
  const struct {
    Imagen imagen;
    double escala;
    bool cerrada;  // the failure closed the puzzle (and so the picture)
  } casos[] = {
      {{44, 300}, 1.0, false},
      {{300, 88}, 0.5, false},
      {{300, 300}, NAN, false},
      {{300, 300, 4}, 1.0, false},
      {{300, 300, 8, false, 1}, 1.0, false},  // run-length encoded
      {{300, 300, 16, false, 0, 1}, 1.0, false},
      {{300, 300, 32}, 1.0, false},
      {{300, 300, 24, false, 0, 0, 54 + 150 * 900}, 1.0, true},  // short file
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.imagen.bits);
    Abrir(c.imagen);
    puzzle.rows = puzzle.cols = 2;
    puzzle.scale = c.escala;
    bool hecho = true;
    EXPECT_SIN_VERIFICAR(hecho = CreatePuzzle(2, 2, kTroquel, true));
    EXPECT_FALSE(hecho);
    EXPECT_FALSE(puzzle.Exists());
    EXPECT_EQ(imagenActual.Abierto(), !c.cerrada);
    EXPECT_FALSE(shell.waitCursor);
  }
  imagenActual.Cerrar();
  puzzle.scale = 1.0;
  EXPECT_FALSE(CreatePuzzle(2, 2, kTroquel, true));  // no picture
}

TEST_F(CutTest, DisplayFormats) {
  const struct {
    int32_t bits;
    bool campos;
    uint32_t mascaras[3];
    bool valido;
    int32_t desplazamientos[3], divisores[3];
  } casos[] = {
      {16, true, {0xF800, 0x07E0, 0x001F}, true, {11, 5, 0}, {8, 4, 8}},
      {16, false, {}, true, {10, 5, 0}, {8, 8, 8}},
      {24, false, {}, true, {}, {}},
      {32, true, {0xFF0000, 0xFF00, 0xFF}, true, {}, {}},
      {32, false, {}, true, {}, {}},
      {8, false, {}, false, {}, {}},
      {16, true, {0xF800, 0, 0x001F}, false, {}, {}},
      {16, true, {0xFF80, 0x0060, 0x001F}, false, {}, {}},  // 9-bit red
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(::testing::Message() << c.bits << " " << c.campos);
    DisplayFormat f;
    f.bits = c.bits;
    f.bitFields = c.campos;
    std::copy(c.mascaras, c.mascaras + 3, f.masks);
    SetDisplayFormat(f);
    EXPECT_EQ(Cortar({300, 300}, 2, 2, 1.0), c.valido);
    EXPECT_EQ(puzzle.Exists(), c.valido);
    EXPECT_EQ(imagenActual.Abierto(), c.valido);
    if (c.valido && c.bits == 16)
      for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(puzzle.display.shift[i], c.desplazamientos[i]);
        EXPECT_EQ(puzzle.display.divisor[i], c.divisores[i]);
      }
    ClosePuzzle(false);
  }
}

// The scatter draws (u1, u2) per piece, then two numbers per swap.
TEST_F(CutTest, NewGameScattersAndShuffles) {
  static constexpr auto reloj = [](int32_t* s, int32_t* ms) { *s = 7, *ms = 345; };
  const LectorReloj anterior = InstalarRelojAzar(reloj);
  const auto reiniciar = [] {
    SembrarAzarRuntime(1);
    ReiniciarAzar();
  };
  reiniciar();
  puzzle.clockRunning = true;
  puzzle.seconds = 99;
  puzzle.hints = puzzle.finished = puzzle.modified = 1;
  ASSERT_TRUE(Cortar({500, 400}, 4, 5, 1.0));
  const int32_t n = 20, bw = puzzle.boxW, bh = puzzle.boxH;

  reiniciar();
  std::vector<int32_t> orden(n);
  std::iota(orden.begin(), orden.end(), 0);
  for (int32_t i = 0; i < n; ++i) {
    const double u1 = Azar(), u2 = Azar();
    const PieceRecord& p = puzzle.pieces[i];
    EXPECT_EQ(p.y, static_cast<int32_t>((u1 + 1.0) * (kMesaAlto - bh) / 2.0));
    EXPECT_EQ(p.x, static_cast<int32_t>(u2 * (kMesaAncho - bw)));
    EXPECT_GE(p.y, (kMesaAlto - bh) / 2);
    EXPECT_LT(p.y, kMesaAlto - bh);
    EXPECT_EQ(p.group, 0);
    EXPECT_EQ(p.unmarked, 1);
  }
  for (int32_t i = 0; i < n; ++i) {
    const int32_t a = static_cast<int32_t>(Azar() * n), b = static_cast<int32_t>(Azar() * n);
    std::swap(orden[a], orden[b]);
  }
  InstalarRelojAzar(anterior);
  EXPECT_EQ(puzzle.order, orden);
  std::sort(orden.begin(), orden.end());
  for (int32_t i = 0; i < n; ++i) ASSERT_EQ(orden[i], i);

  EXPECT_EQ(puzzle.boards[kTable].count, n);
  EXPECT_EQ(puzzle.boards[kTable].first, 0);
  for (int b = 0; b < kBoxCount; ++b) EXPECT_EQ(puzzle.boards[b].count + puzzle.boards[b].first, 0);
  EXPECT_EQ(puzzle.clockIdle, 1);
  EXPECT_EQ(puzzle.seconds, 0u);
  EXPECT_EQ(puzzle.hints + puzzle.finished + puzzle.modified, 0);
  EXPECT_FALSE(puzzle.clockRunning);
  EXPECT_EQ(shell.timerKills, 1);
  EXPECT_EQ(shell.shownTimes, std::vector<uint32_t>{0});
  EXPECT_EQ(shell.magnifierRefreshes, 1);
  EXPECT_FALSE(shell.waitCursor);
}

TEST_F(CutTest, LoaderCutLeavesTheGameAlone) {
  puzzle.seconds = 42;
  ASSERT_TRUE(Cortar({300, 300}, 2, 2, 1.0, false));
  EXPECT_EQ(puzzle.seconds, 42u);
  EXPECT_EQ(puzzle.boards[kTable].count, 0);  // the loader lays the pieces out
  EXPECT_TRUE(shell.shownTimes.empty());
}

TEST_F(CutTest, Preconditions) {
  Abrir({300, 300});
  puzzle.rows = puzzle.cols = 2;
  puzzle.scale = 1.0;
  EXPECT_VERIFICAR(CreatePuzzle(0, 2, kTroquel, true), "valor muy bajo");
  EXPECT_VERIFICAR(CreatePuzzle(2, 3, kTroquel, true), "este troquel tiene dimensiones invalidas");
  ClosePuzzle(false);
  for (int32_t id : {kTroquel24, kTroquelAncho}) {
    Abrir({300, 300});
    EXPECT_VERIFICAR(CreatePuzzle(2, 2, id, true), "este troquel tiene dimensiones invalidas");
    ClosePuzzle(false);
  }
  Abrir({300, 300});
  ASSERT_TRUE(CreatePuzzle(2, 2, kTroquel, true));
  EXPECT_VERIFICAR(CreatePuzzle(2, 2, kTroquel, true), "se debe cerrar primero el puzzle anterior");
}

TEST_F(CutTest, DieUsableAnswersWithoutAsserting) {
  const struct {
    int32_t filas, columnas, id;
    bool usable;
  } casos[] = {
      {2, 2, kTroquel, true},       {2, 3, kTroquel, false},     {1, 2, kTroquel, false}, {0, 2, kTroquel, false},
      {2, 2, kTroquel24, false},    {2, 2, kTroquelAncho, false}, {2, 2, kAusente, false}, {2, 2, -1, false},
  };
  for (const auto& c : casos) {
    bool usable = !c.usable;
    EXPECT_SIN_VERIFICAR(usable = DieUsable(c.filas, c.columnas, c.id));
    EXPECT_EQ(usable, c.usable) << c.filas << "x" << c.columnas << " " << c.id;
  }
  CerrarArchivoRecursos();
  EXPECT_FALSE(DieUsable(2, 2, kTroquel));
}

TEST_F(CutTest, NewPuzzleRedrawsWhateverTheResult) {
  ASSERT_TRUE(ResizeBoard(kTable, kMesaAncho, kMesaAlto));
  for (bool conImagen : {false, true}) {
    if (conImagen) Abrir({300, 300});
    shell.invalidated.clear();
    puzzle.rows = puzzle.cols = 2;
    EXPECT_EQ(NewPuzzle(2, 2, kTroquel), conImagen);
    EXPECT_EQ(puzzle.Exists(), conImagen);
    EXPECT_FALSE(shell.invalidated.empty());
  }
}

// Solved, the table shows the grid area of the scaled picture at the
// solved place pixel for pixel, and the mosaic where no piece lies.
TEST_F(CutTest, SolvedTableShowsThePictureOverTheMosaic) {
  static HIMAGE mosaico = [] {
    HIMAGE m = AsignarHIMAGE(100 * 100);
    *m = CabeceraInfoBMP{40, 100, 100, 1, 8, 0, 100 * 100, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i) ColoresHIMAGE(m)[i] = {static_cast<uint8_t>(i), 7, static_cast<uint8_t>(255 - i), 0};
    for (int i = 0; i < 100 * 100; ++i) PixelesHIMAGE(m)[i] = static_cast<uint8_t>(i * 13);
    return m;
  }();
  MosaicoPuzzle(mosaico);
  puzzle.boards[kTable] = Board{};
  ASSERT_TRUE(ResizeBoard(kTable, kMesaAncho, kMesaAlto));
  const double escala = 1.25;
  ASSERT_TRUE(Cortar({331, 207}, 4, 5, escala));
  SolvePuzzle();
  const int32_t w = static_cast<int32_t>(331 * escala), h = static_cast<int32_t>(207 * escala);
  const int32_t gw = puzzle.cellW * puzzle.cols, gh = puzzle.cellH * puzzle.rows;
  const int32_t ox = (kMesaAncho - gw) / 2, oy = (kMesaAlto - gh) / 2;
  int malos = 0;
  for (int32_t py = 0; py < kMesaAlto; ++py) {
    const uint8_t* fila = puzzle.boards[kTable].Row(py);
    for (int32_t px = 0; px < kMesaAncho; ++px) {
      const int32_t gx = px - ox, gy = py - oy;
      // The last column and row keep one picture pixel past the cell where
      // the picture goes on: that strip may show either.
      if ((gx == gw && gy >= 0 && gy <= gh) || (gy == gh && gx >= 0 && gx <= gw)) continue;
      uint8_t esperado[3];
      if (gx >= 0 && gx < gw && gy >= 0 && gy < gh) {
        const uint32_t c = Color24(std::min(static_cast<int32_t>(gx / escala), 330),
                                   std::min(static_cast<int32_t>(gy / escala), 206));
        esperado[0] = c & 255, esperado[1] = (c >> 8) & 255, esperado[2] = c >> 16;
      } else {
        const ColorRGBQ& m = ColoresHIMAGE(mosaico)[FilaHIMAGE(mosaico, py % 100)[px % 100]];
        esperado[0] = m.rgbBlue, esperado[1] = m.rgbGreen, esperado[2] = m.rgbRed;
      }
      malos += std::memcmp(fila + 3 * px, esperado, 3) != 0;
    }
  }
  EXPECT_EQ(malos, 0);
  EXPECT_LE(gw, w);
  EXPECT_LE(gh, h);
  puzzle.boards[kTable] = Board{};
}

}  // namespace
