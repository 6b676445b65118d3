#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <csignal>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoRecursos.h"
#include "BmpSintetico.h"
#include "Compositor.h"
#include "Cut.h"
#include "Puzzle.h"
#include "PuzzleFile.h"
#include "NewPuzzleParams.h"
#include "ShellFalso.h"
#include "MesaPrueba.h"
#include "TroquelPrueba.h"

namespace {

namespace fs = std::filesystem;


// A 24-bit 200 x 150 picture, the test die in an archive, the mosaic and an
// 800 x 600 table; a 4 x 5 puzzle cut from them.
class ArchivoPuzzle : public MesaPrueba {
 protected:
  // Cut, then a played state. Order 0, 7, 14, 1, 8, ... (i x 7 mod 20):
  // pieces 0, 7, 14 in box 2, piece 1 in box 4, the rest on the table,
  // with 12 and 17 grouped and 3 marked.
  void Cortar() {
    ClosePuzzle(false);
    ASSERT_TRUE(imagenActual.Abrir(imagen.c_str()));
    ASSERT_TRUE(CreatePuzzle({.picture = &imagenActual, .scale = 1.5, .rows = 4, .cols = 5, .dieId = kTroquel,
                              .dieRows = 2, .dieCols = 2, .newGame = true, .table = puzzle.boards[kTable].Size()}));
    for (int32_t i = 0; i < 20; ++i) puzzle.order[i] = i * 7 % 20;
    MoveBetweenBoards(kTable, 2, 3);
    MoveBetweenBoards(kTable, 4, 1);
    puzzle.pieces[12].group = puzzle.pieces[17].group = 18;
    puzzle.pieces[3].unmarked = 0;
    puzzle.pieces[9].x = -40;
    puzzle.hints = 2, puzzle.seconds = 3725, puzzle.modified = 1;
    falso_.shell.boxNames[0] = "Cielo";
    falso_.shell.boxNames[5] = std::string(30, 'z');  // kept as 23
  }
  bool Cargar(const std::string& ruta, bool* pistas = nullptr) {
    bool p = false;
    return LoadPuzzle(ruta.c_str(), pistas ? pistas : &p);
  }
  // The game on the table is still the one `guardado` holds: header,
  // counts, order and records byte for byte (the thumbnail shows the table
  // as last drawn).
  void EsperarIntacto(const std::vector<uint8_t>& guardado) {
    ASSERT_TRUE(puzzle.Exists());
    ASSERT_TRUE(imagenActual.Abierto());
    const std::string otra = carpeta + "otra.epf";
    ASSERT_TRUE(SavePuzzle(otra.c_str()));
    const std::vector<uint8_t> ahora = LeerTodo(otra);
    ASSERT_GE(guardado.size(), 488u);
    const size_t tablas = 488 + 28 + 20 * static_cast<size_t>(LeerI32(&guardado[444]) * LeerI32(&guardado[448]));
    ASSERT_EQ(ahora.size(), guardado.size());
    EXPECT_TRUE(std::equal(ahora.begin(), ahora.begin() + tablas, guardado.begin()));
  }

  ConShellFalso falso_;
};

TEST_F(ArchivoPuzzle, RoundTripRestoresTheGame) {
  for (uint8_t terminado : {0, 1}) {
    SCOPED_TRACE(terminado);
    Cortar();
    puzzle.finished = terminado;
    const PuzzleState antes = puzzle;
    ASSERT_TRUE(SavePuzzle(epf.c_str()));
    EXPECT_EQ(puzzle.modified, 0);
    ClosePuzzle(true);
    falso_.shell = ShellFalso{};
    puzzle.clockRunning = true;  // a clock left running is stopped
    bool pistas = !terminado;
    ASSERT_TRUE(Cargar(epf, &pistas));
    EXPECT_TRUE(pistas);  // 2 < 20 x 20 / 100
    EXPECT_EQ(std::make_tuple(puzzle.rows, puzzle.cols, puzzle.scale, puzzle.hints, puzzle.seconds, puzzle.finished),
              std::make_tuple(4, 5, 1.5, 2, 3725u, terminado));
    EXPECT_EQ(puzzle.order, antes.order);
    EXPECT_EQ(puzzle.sheet, antes.sheet);  // the same cut again
    EXPECT_EQ(puzzle.colours, antes.colours);
    for (int b = 0; b < kBoardCount; ++b)
      EXPECT_EQ(std::pair(puzzle.boards[b].first, puzzle.boards[b].count),
                std::pair(antes.boards[b].first, antes.boards[b].count)) << b;
    ASSERT_EQ(puzzle.pieces.size(), 20u);
    EXPECT_EQ(std::memcmp(puzzle.pieces.data(), antes.pieces.data(), 20 * sizeof(PieceRecord)), 0);
    EXPECT_EQ(puzzle.clockIdle, terminado ? 0 : 1);  // a finished game's clock never starts again
    EXPECT_TRUE(puzzle.modified == 0 && !puzzle.clockRunning && falso_.shell.timerKills == 1);
    EXPECT_EQ(falso_.shell.boxNames[0], "Cielo");
    EXPECT_EQ(falso_.shell.boxNames[5], std::string(23, 'z'));
    EXPECT_EQ(falso_.shell.notifications,
              (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 2}, {3, 1}, {4, 2}, {5, 1}}));
    EXPECT_EQ(falso_.shell.shownTimes.back(), 3725u);
  }
}

TEST_F(ArchivoPuzzle, BytesFollowTheLayout) {
  Cortar();
  // A table pattern whose 5-bit channels name the pixel: blue the column,
  // green the row (from the bottom), both modulo 32; red full.
  Board& mesa = puzzle.boards[kTable];
  for (int32_t f = 0; f < 600; ++f)
    for (int32_t x = 0; x < 800; ++x) {
      uint8_t* p = mesa.bits.data() + f * mesa.stride + 3 * x;
      p[0] = uint8_t(x * 8), p[1] = uint8_t(f * 8), p[2] = 255;
    }
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  const std::vector<uint8_t> b = LeerTodo(epf);
  ASSERT_EQ(b.size(), 488u + 428u + 78u * 208u + 32u);
  EXPECT_EQ(std::memcmp(b.data(), "OVPF10\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 28), 0);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[40])), imagen);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[300 + 5 * 24])), std::string(23, 'z'));
  EXPECT_EQ(std::bit_cast<double>(LeerU64(&b[456])), 1.5);
  EXPECT_EQ(b[472] << 8 | b[473], 1);  // not finished, thumbnail present
  const std::pair<int, int32_t> campos[] = {{28, 2},  {32, 2},  {36, kTroquel}, {444, 4},  {448, 5},  {452, 0},
                                            {464, 2}, {468, 3725}, {476, 428}, {480, 104}, {484, 78}, {488, 0},
                                            {496, 3}, {504, 1}, {512, 16}};  // counts of boxes 0, 2, 4, table
  for (const auto& [off, v] : campos) EXPECT_EQ(LeerI32(&b[off]), v) << off;
  // Order and records exactly as kept (records with zero padding).
  EXPECT_EQ(std::memcmp(&b[516], puzzle.order.data(), 80), 0);
  EXPECT_EQ(std::memcmp(&b[596], puzzle.pieces.data(), 320), 0);
  EXPECT_EQ(LeerI32(&b[596 + 16 * 9 + 8]), -40);
  // Thumbnail pixel (x, y) from the bottom samples the table at the real
  // quotients (x / s, y / s), s = 104 / 800.0 (a hair above 0.13): 13 / s
  // is just below 100.
  auto pixel = [&](int x, int y) { return LeerU16(&b[916 + y * 208 + 2 * x]); };
  auto esperado = [](int cx, int fy) { return uint16_t(31 << 10 | (fy & 31) << 5 | (cx & 31)); };
  EXPECT_EQ(pixel(13, 13), esperado(99, 99));
  EXPECT_EQ(pixel(103, 77), esperado(792, 592));
  HIMAGE h = ReadPuzzlePreview(epf.c_str());
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(std::memcmp(PixelesHIMAGE(h), &b[916], 78 * 208), 0);
  LiberarHIMAGE(h);
  // The table block: its size, the view's corner and scale.
  const uint8_t* t = &b[916 + 78 * 208];
  EXPECT_EQ(std::memcmp(t, "OVPFMESA", 8), 0);
  EXPECT_EQ(std::make_tuple(LeerI32(t + 8), LeerI32(t + 12), LeerI32(t + 16), LeerI32(t + 20)),
            std::make_tuple(800, 600, 0, 0));
  EXPECT_EQ(std::bit_cast<double>(LeerU64(t + 24)), 1.0);
}

TEST_F(ArchivoPuzzle, TheTableAndItsViewComeBackAndOlderFilesOpenOnATableThatHoldsThem) {
  newPuzzle.board = {800, 600};
  Cortar();
  ASSERT_TRUE(SizeBoardImage(kTable, 2000, 1500));
  DrawAllBoards(false);
  puzzle.viewCorner = {333, 222};
  puzzle.viewScale = 0.75;
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  const std::vector<uint8_t> guardado = LeerTodo(epf);
  ClosePuzzle(true);
  ASSERT_TRUE(SizeBoardImage(kTable, 800, 600));
  ASSERT_TRUE(Cargar(epf));
  EXPECT_EQ(std::pair(puzzle.boards[kTable].Width(), puzzle.boards[kTable].Height()), std::pair(2000, 1500));
  EXPECT_TRUE(puzzle.viewPending);
  EXPECT_EQ(std::pair(puzzle.viewCorner.x, puzzle.viewCorner.y), std::pair(333, 222));
  EXPECT_EQ(puzzle.viewScale, 0.75);

  // Without the block (a file of before) and a table piece past this
  // screen's table: a table that holds it, seen from its corner at 1:1.
  std::vector<uint8_t> viejo(guardado.begin(), guardado.end() - 32);
  const int32_t pieza = LeerI32(&viejo[488 + 28 + 4 * 19]);  // the last of the order: on the table
  EscribirI32(&viejo[488 + 28 + 80 + 16 * pieza + 8], 1900);
  EscribirTodo(epf, viejo);
  ASSERT_TRUE(Cargar(epf));
  EXPECT_EQ(puzzle.boards[kTable].Width(), 1900 + puzzle.boxW);
  EXPECT_EQ(puzzle.boards[kTable].Height(), 600);
  EXPECT_EQ(std::make_tuple(puzzle.viewCorner.x, puzzle.viewCorner.y, puzzle.viewScale), std::make_tuple(0, 0, 1.0));

  // A damaged block is refused, the game on the table kept.
  for (const auto& [off, valor] : {std::pair{0, 0x58}, std::pair{8, 0}, std::pair{31, 0x7F}}) {
    std::vector<uint8_t> malo = guardado;
    uint8_t* t = &malo[malo.size() - 32];
    if (off == 8) EscribirI32(t + 8, 0);
    else if (off == 31) EscribirU64(t + 24, std::bit_cast<uint64_t>(std::nan("")));
    else t[0] = static_cast<uint8_t>(valor);
    EscribirTodo(epf, malo);
    EXPECT_FALSE(Cargar(epf)) << off;
    EXPECT_TRUE(puzzle.Exists());
  }
}

TEST_F(ArchivoPuzzle, ThumbnailFitsTheBox) {
  // 104 / 800.0 is a hair above 0.13, 123 / 600.0 a hair below 0.205 (400 s
  // and 600 s just below 82 and 123); a side that comes out 0 is kept at 1.
  for (const auto& [W, H, ancho, alto] : {std::array{800, 600, 104, 78}, std::array{400, 600, 81, 122},
                                          std::array{3000, 240, 103, 8}}) {
    SCOPED_TRACE(W);
    puzzle.boards[kTable] = Board{};
    ASSERT_TRUE(ResizeBoard(kTable, W, H));
    Cortar();
    ASSERT_TRUE(SavePuzzle(epf.c_str()));
    const std::vector<uint8_t> b = LeerTodo(epf);
    EXPECT_EQ(std::pair(LeerI32(&b[480]), LeerI32(&b[484])), std::pair(ancho, alto));
    EXPECT_EQ(b.size(), size_t(916 + alto * ((2 * ancho + 3) & ~3) + 32));
    ClosePuzzle(false);
    EXPECT_TRUE(Cargar(epf));
  }
}

void I32(std::vector<uint8_t>& b, size_t at, int32_t v) { EscribirI32(&b[at], v); }

// Edits of a good file, each of which must be refused with no puzzle left;
// `vistaPrevia` when the preview must refuse it too.
TEST_F(ArchivoPuzzle, RefusesCorruptFiles) {
  Cortar();
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  const std::vector<uint8_t> bueno = LeerTodo(epf);
  const size_t registros = 596;
  struct Corrupcion { const char* nombre; void (*editar)(std::vector<uint8_t>&); bool vistaPrevia; };
  const Corrupcion casos[] = {
      {"short header", [](auto& b) { b.resize(487); }, true},
      {"cut in records", [](auto& b) { b.resize(registros + 100); }, true},
      {"cut in thumbnail", [](auto& b) { b.erase(b.end() - 33, b.end()); }, true},
      {"cut in table block", [](auto& b) { b.pop_back(); }, false},
      {"extra byte", [](auto& b) { b.push_back(0); }, false},
      {"magic OVPF1", [](auto& b) { b[5] = 0; }, true},
      {"magic OVPF100", [](auto& b) { b[6] = '0'; }, true},
      {"magic ovpf10", [](auto& b) { b[0] = 'o'; }, true},
      {"counts short of n", [](auto& b) { I32(b, 488 + 24, 15); }, false},
      {"order repeats", [](auto& b) { I32(b, 516 + 4, LeerI32(&b[516])); }, false},
      {"group without holder", [](auto& b) { I32(b, registros, 5); }, false},
      {"member above holder", [](auto& b) { I32(b, registros + 16 * 5, 6), I32(b, registros + 16 * 6, 6); }, false},
      {"hints over limit", [](auto& b) { I32(b, 464, 5); }, false},
      {"rows 1", [](auto& b) { I32(b, 444, 1); }, true},
      {"cols 5001", [](auto& b) { I32(b, 448, 5001); }, true},
      {"201 x 200 pieces", [](auto& b) { I32(b, 444, 201), I32(b, 448, 200); }, true},
      {"scale NaN", [](auto& b) { EscribirU64(&b[456], std::bit_cast<uint64_t>(std::nan(""))); }, false},
      {"unknown die", [](auto& b) { I32(b, 36, 4321); }, false},
      {"thumbnail 105 wide", [](auto& b) { I32(b, 480, 105); }, true},
  };
  const std::string malo = carpeta + "malo.epf";
  for (const Corrupcion& c : casos) {
    SCOPED_TRACE(c.nombre);
    std::vector<uint8_t> b = bueno;
    c.editar(b);
    EscribirTodo(malo, b);
    ASSERT_TRUE(Cargar(epf));  // a puzzle to keep
    falso_.shell.shownTimes.clear();
    bool pistas = true;
    EXPECT_FALSE(Cargar(malo, &pistas));
    EXPECT_FALSE(pistas);
    EsperarIntacto(bueno);
    EXPECT_TRUE(falso_.shell.shownTimes.empty());  // nothing redrawn
    HIMAGE h = ReadPuzzlePreview(malo.c_str());
    EXPECT_EQ(h == nullptr, c.vistaPrevia);
    LiberarHIMAGE(h);
  }
}

TEST_F(ArchivoPuzzle, FindsAMovedPictureInTheImageFolder) {
  Cortar();
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  std::vector<uint8_t> b = LeerTodo(epf);
  const char otra[] = "C:\\Games\\Tessera\\Image\\p.bmp";
  std::memcpy(&b[40], otra, sizeof otra);
  EscribirTodo(epf, b);
  fs::create_directories(carpeta + "Image");
  fs::rename(imagen, carpeta + "Image/p.bmp");
  EXPECT_FALSE(Cargar(epf));
  SetPictureFallbackFolder((carpeta + "Image").c_str());
  ASSERT_TRUE(Cargar(epf));
  char ruta[260];
  imagenActual.Ruta(ruta, 260);
  EXPECT_EQ(std::string(ruta), carpeta + "Image\\p.bmp");
  // A converted photo is looked for among the converted ones.
  fs::create_directories(carpeta + "Image/Cache");
  fs::rename(carpeta + "Image/p.bmp", carpeta + "Image/Cache/p.bmp");
  ASSERT_TRUE(Cargar(epf));
  imagenActual.Ruta(ruta, 260);
  EXPECT_EQ(std::string(ruta), carpeta + "Image\\Cache\\p.bmp");
  const std::string abierto = carpeta + "abierto.epf";
  ASSERT_TRUE(SavePuzzle(abierto.c_str()));
  fs::remove(carpeta + "Image/Cache/p.bmp");  // no place has it
  EXPECT_FALSE(Cargar(epf));
  EsperarIntacto(LeerTodo(abierto));  // the game found before stays
}

// A long puzzle the choosers give: a strip 204 times longer than high, 7 x
// 1,428 pieces of 45 pixels across a 64,260-pixel side. It is saved and
// opened again; cut short it is refused.
TEST_F(ArchivoPuzzle, ALongTenThousandPieceGameIsSavedAndOpened) {
  BmpSintetico bmp;
  bmp.ancho = 8568, bmp.alto = 42, bmp.bits = 24;
  const std::string larga = carpeta + "pics/larga.bmp";
  EscribirTodo(larga, bmp.Pintar([](int32_t x, int32_t y) { return x * 0x010203 + y * 0x030100; }).Bytes());
  ClosePuzzle(false);
  ASSERT_TRUE(imagenActual.Abrir(larga.c_str()));
  puzzle.rows = 7, puzzle.cols = 1428, puzzle.scale = 7.5;
  ASSERT_TRUE(CreatePuzzle({.picture = &imagenActual, .scale = 7.5, .rows = 7, .cols = 1428, .dieId = kTroquel,
                            .dieRows = 2, .dieCols = 2, .newGame = true, .table = puzzle.boards[kTable].Size()}));
  ASSERT_TRUE(SavePuzzle(epf.c_str()));
  const PuzzleState antes = puzzle;
  ClosePuzzle(true);
  ASSERT_TRUE(Cargar(epf));
  EXPECT_EQ(std::make_tuple(puzzle.rows, puzzle.cols, puzzle.scale), std::make_tuple(7, 1428, 7.5));
  EXPECT_EQ(puzzle.order, antes.order);
  std::vector<uint8_t> b = LeerTodo(epf);
  b.resize(b.size() / 2);
  EscribirTodo(carpeta + "corta.epf", b);
  EXPECT_FALSE(Cargar(carpeta + "corta.epf"));
}

TEST_F(ArchivoPuzzle, FailedSaveKeepsThePreviousFile) {
  Cortar();
  const std::vector<uint8_t> viejo = {1, 2, 3, 4, 5};
  EscribirTodo(epf, viejo);
  auto esperarIntacto = [&] {
    EXPECT_EQ(LeerTodo(epf), viejo);
    EXPECT_FALSE(fs::is_regular_file(epf + ".tmp"));
    EXPECT_EQ(puzzle.modified, 1);
  };
  fs::create_directory(epf + ".tmp");  // the temporary name is taken by a folder
  EXPECT_FALSE(SavePuzzle(epf.c_str()));
  esperarIntacto();
  fs::remove(epf + ".tmp");
  // The disk fills up in the middle of the write.
  rlimit antes, poco;
  getrlimit(RLIMIT_FSIZE, &antes);
  auto senal = std::signal(SIGXFSZ, SIG_IGN);
  poco = antes, poco.rlim_cur = 600;
  setrlimit(RLIMIT_FSIZE, &poco);
  const bool guardado = SavePuzzle(epf.c_str());
  setrlimit(RLIMIT_FSIZE, &antes);
  std::signal(SIGXFSZ, senal);
  EXPECT_FALSE(guardado);
  esperarIntacto();
  EXPECT_TRUE(SavePuzzle(epf.c_str()));  // and then it works
  EXPECT_FALSE(fs::exists(epf + ".tmp"));
}

}  // namespace
