#include "PuzzleFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoDisco.h"
#include "Binario.h"
#include "Compositor.h"
#include "Cut.h"
#include "NewPuzzleParams.h"
#include "Puzzle.h"
#include "Verificar.h"

// File layout, all integers little-endian:
//   header (488 bytes), seven board counts (28), order array (4 n),
//   piece records (16 n: group, mark, turn, two zeros, x, y), thumbnail
//   (16-bit 5-5-5 rows, bottom-up), then
//   the table (32 bytes): "OVPFMESA", its width and height, the table point
//   at the window's top left and the view's scale (a double). Files without
//   the table block were played on the screen's table, seen at 1:1.
namespace {

constexpr int64_t kTamCabecera = 488;
constexpr int64_t kTamCuentas = 4 * kBoardCount;
constexpr int64_t kTamRegistro = 16;

// Header offsets.
constexpr int kOffFirma = 0;  // "OVPF10" and a zero, in a 26-byte field
constexpr int kTamFirma = 26;
constexpr int kOffDieRows = 28, kOffDieCols = 32, kOffDieId = 36;
constexpr int kOffRuta = 40;
constexpr int kTamRuta = 260;
constexpr int kOffNombres = 300;
constexpr int kTamNombre = 24;
constexpr int kOffRows = 444, kOffCols = 448, kOffScale = 456;
constexpr int kOffHints = 464, kOffSeconds = 468, kOffFinished = 472, kOffHayMiniatura = 473;
// 1: a game of turned pieces; files from before turned pieces have a zero.
constexpr int kOffGirada = 474;
constexpr int kOffMiniOffset = 476, kOffMiniAncho = 480, kOffMiniAlto = 484;

constexpr char kFirma[] = "OVPF10";
static_assert(sizeof kFirma <= kTamFirma);

// The thumbnail fits a 104 x 123 box.
constexpr int32_t kMiniAncho = 104, kMiniAlto = 123;

// What a file may ask of the cut, so that it cannot make it allocate
// without bound: the scaled picture within the area of twice the table of
// a 3840 x 2160 screen (more than the 20.25 megapixels of the largest
// puzzle the choosers give), a side up to the longest they give (65,536),
// and the pieces a grid of 200 x 200 held (the most a file of earlier
// versions could), none but two rows or columns longer than 5000 (10,000
// pieces in two rows).
constexpr int32_t kMinEscalado = 45;
constexpr double kMaxEscalado = 1 << 16;
constexpr double kMaxAreaEscalada = 8192.0 * 4608.0;
constexpr int32_t kMinLado = 2, kMaxLado = 5000;
constexpr int32_t kMaxPiezas = 200 * 200;
// Piece positions are board client coordinates; anything farther out is a
// damaged file (and could overflow the drawing arithmetic).
constexpr int32_t kMaxPosicion = 1 << 20;

// The table block.
constexpr int64_t kTamMesa = 32;
constexpr char kFirmaMesa[8] = {'O', 'V', 'P', 'F', 'M', 'E', 'S', 'A'};
constexpr int32_t kMaxMesa = 1 << 17;

const char kSufijoTemporal[] = ".tmp";

std::vector<std::string> g_carpetasImagenes;

int64_t StrideMiniatura(int32_t ancho) { return BytesFila(ancho, 16); }

int32_t LimitePistas(int32_t piezas) { return static_cast<int32_t>(static_cast<int64_t>(piezas) * 20 / 100); }

bool FirmaValida(const uint8_t* cabecera) {
  return std::memcmp(cabecera + kOffFirma, kFirma, sizeof kFirma) == 0;  // terminator included
}

// The checks both readers share: the magic, a sane grid and a thumbnail
// that sits where the grid says, of a size the format allows.
struct Forma {
  int32_t rows = 0, cols = 0, n = 0;
  int32_t ancho = 0, alto = 0;
  int64_t bytesMiniatura = 0;
};

bool LeerForma(const uint8_t* c, Forma* f) {
  if (!FirmaValida(c)) return false;
  f->rows = LeerI32(c + kOffRows);
  f->cols = LeerI32(c + kOffCols);
  if (f->rows < kMinLado || f->rows > kMaxLado || f->cols < kMinLado || f->cols > kMaxLado) return false;
  if (static_cast<int64_t>(f->rows) * f->cols > kMaxPiezas) return false;
  f->n = f->rows * f->cols;
  f->ancho = LeerI32(c + kOffMiniAncho);
  f->alto = LeerI32(c + kOffMiniAlto);
  if (f->ancho < 1 || f->ancho > kMiniAncho || f->alto < 1 || f->alto > kMiniAlto) return false;
  if (LeerI32(c + kOffMiniOffset) != kTamCuentas + (4 + kTamRegistro) * f->n) return false;
  f->bytesMiniatura = StrideMiniatura(f->ancho) * f->alto;
  return true;
}

// The thumbnail's measures truncate the real product or quotient of an
// integer and the double s, not its rounded value: 400 x (123 / 600.0) is
// just below 82 and gives 81, although the product rounds to 82.0.
int32_t TruncarProducto(int32_t a, double s) {
  const double p = a * s;
  double t = std::trunc(p);
  if (t == p && std::fma(a, s, -p) < 0) t -= 1;
  return static_cast<int32_t>(t);
}
int32_t TruncarCociente(int32_t a, double s) {
  const double q = a / s;
  double t = std::trunc(q);
  if (t == q && std::fma(q, s, -a) > 0) t -= 1;
  return static_cast<int32_t>(t);
}

// Thumbnail of a W x H table, fitted into the 104 x 123 box.
struct Miniatura {
  double s = 0;
  int32_t ancho = 0, alto = 0;
};

Miniatura MedirMiniatura(int32_t W, int32_t H) {
  Miniatura m;
  // H x 104 / W <= 123, compared exactly.
  const bool porAncho = static_cast<int64_t>(H) * kMiniAncho <= static_cast<int64_t>(kMiniAlto) * W;
  m.s = porAncho ? static_cast<double>(kMiniAncho) / W : static_cast<double>(kMiniAlto) / H;
  // A table far wider than high would round a side to nothing.
  m.ancho = std::clamp(TruncarProducto(W, m.s), 1, kMiniAncho);
  m.alto = std::clamp(TruncarProducto(H, m.s), 1, kMiniAlto);
  return m;
}

void EscribirMiniatura(const Miniatura& m, Board& mesa, uint8_t* destino) {
  const int64_t stride = StrideMiniatura(m.ancho);
  const int32_t W = mesa.Width(), H = mesa.Height();
  std::vector<int32_t> columnas(static_cast<size_t>(m.ancho));
  for (int32_t x = 0; x < m.ancho; ++x) columnas[static_cast<size_t>(x)] = std::min(W - 1, TruncarCociente(x, m.s));
  // Rows of both images in storage order (from the bottom).
  for (int32_t y = 0; y < m.alto; ++y) {
    const int32_t fuente = std::min(H - 1, TruncarCociente(y, m.s));
    const uint8_t* origen = mesa.bits.data() + static_cast<int64_t>(fuente) * mesa.stride;
    uint8_t* fila = destino + y * stride;
    for (int32_t x = 0; x < m.ancho; ++x) {
      const uint8_t* p = origen + columnas[static_cast<size_t>(x)] * 3;  // blue, green, red
      EscribirU16(fila + 2 * x, static_cast<uint16_t>(((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3)));
    }
  }
}

// The stored path's file name, after the last '\' or '/'.
const char* NombreArchivo(const char* ruta) {
  const char* nombre = ruta;
  for (const char* p = ruta; *p; ++p)
    if (*p == '\\' || *p == '/') nombre = p + 1;
  return nombre;
}

// Opens the saved picture into `imagen`: at its stored path, else by name
// in the program's picture folder or among its converted photos there.
bool AbrirImagen(const char* ruta, ArchivoBMP& imagen) {
  if (*ruta && imagen.Abrir(ruta)) return true;
  const char* nombre = NombreArchivo(ruta);
  if (!*nombre) return false;
  for (const std::string& carpeta : g_carpetasImagenes)
    for (const char* subcarpeta : {"", "Cache\\"}) {
      const std::string otra = carpeta + subcarpeta + nombre;
      if (otra.size() < static_cast<size_t>(kTamRuta) && imagen.Abrir(otra.c_str())) return true;
    }
  return false;
}

// Everything a load takes from the file, checked before any of it is used.
struct Partida {
  Forma forma;
  int32_t dieRows = 0, dieCols = 0, dieId = 0;
  char ruta[kTamRuta] = {};
  char nombres[kBoxCount][kTamNombre] = {};
  double scale = 0;
  int32_t hints = 0;
  uint32_t seconds = 0;
  uint8_t finished = 0;
  bool girada = false;
  int32_t cuentas[kBoardCount] = {};
  std::vector<int32_t> orden;
  std::vector<PieceRecord> piezas;
  // The table block, when the file has one.
  bool conMesa = false;
  Punto mesa, esquina;
  double escala = 1.0;
};

bool LeerMesa(const uint8_t* b, Partida* p) {
  if (std::memcmp(b, kFirmaMesa, sizeof kFirmaMesa) != 0) return false;
  p->mesa = {LeerI32(b + 8), LeerI32(b + 12)};
  p->esquina = {LeerI32(b + 16), LeerI32(b + 20)};
  p->escala = std::bit_cast<double>(LeerU64(b + 24));
  const auto dentro = [](int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; };
  if (!dentro(p->mesa.x, 1, kMaxMesa) || !dentro(p->mesa.y, 1, kMaxMesa)) return false;
  if (!dentro(p->esquina.x, -kMaxMesa, kMaxMesa) || !dentro(p->esquina.y, -kMaxMesa, kMaxMesa)) return false;
  if (!std::isfinite(p->escala) || p->escala < 1.0 / 1024 || p->escala > 64) return false;
  p->conMesa = true;
  return true;
}

bool LeerCabecera(const uint8_t* c, Partida* p) {
  if (!LeerForma(c, &p->forma)) return false;
  p->dieRows = LeerI32(c + kOffDieRows);
  p->dieCols = LeerI32(c + kOffDieCols);
  p->dieId = LeerI32(c + kOffDieId);
  if (p->dieRows < 1 || p->dieCols < 1) return false;
  std::memcpy(p->ruta, c + kOffRuta, kTamRuta);
  p->ruta[kTamRuta - 1] = 0;
  for (int i = 0; i < kBoxCount; ++i) {
    std::memcpy(p->nombres[i], c + kOffNombres + kTamNombre * i, kTamNombre);
    p->nombres[i][kTamNombre - 1] = 0;
  }
  p->scale = std::bit_cast<double>(LeerU64(c + kOffScale));
  if (!std::isfinite(p->scale) || p->scale <= 0) return false;
  p->hints = LeerI32(c + kOffHints);
  if (p->hints < 0 || p->hints > LimitePistas(p->forma.n)) return false;
  p->seconds = LeerU32(c + kOffSeconds);
  p->finished = c[kOffFinished];
  if (c[kOffGirada] > 1) return false;
  p->girada = c[kOffGirada] == 1;
  return p->finished <= 1;
}

// Counts, order and records: the counts add up to n, the order is a
// permutation, every group has its holder (the member j with group j + 1,
// the largest) on the same board as all its members.
bool LeerTablas(ArchivoDisco& archivo, Partida* p) {
  const int32_t n = p->forma.n;
  uint8_t cuentas[kTamCuentas];
  std::vector<uint8_t> bytes(static_cast<size_t>((4 + kTamRegistro) * n));
  if (!archivo.LeerExacto(cuentas, kTamCuentas) || !archivo.LeerExacto(bytes.data(), static_cast<int64_t>(bytes.size())))
    return false;

  int64_t suma = 0;
  for (int b = 0; b < kBoardCount; ++b) {
    p->cuentas[b] = LeerI32(cuentas + 4 * b);
    if (p->cuentas[b] < 0) return false;
    suma += p->cuentas[b];
  }
  if (suma != n) return false;

  p->orden.resize(static_cast<size_t>(n));
  std::vector<int8_t> tablero(static_cast<size_t>(n), -1);  // board of each piece; -1 not seen yet
  for (int b = 0, pos = 0; b < kBoardCount; ++b) {
    for (int32_t k = 0; k < p->cuentas[b]; ++k, ++pos) {
      const int32_t pieza = LeerI32(&bytes[static_cast<size_t>(4 * pos)]);
      if (pieza < 0 || pieza >= n || tablero[static_cast<size_t>(pieza)] >= 0) return false;
      tablero[static_cast<size_t>(pieza)] = static_cast<int8_t>(b);
      p->orden[static_cast<size_t>(pos)] = pieza;
    }
  }

  p->piezas.resize(static_cast<size_t>(n));
  const uint8_t* r = &bytes[static_cast<size_t>(4 * n)];
  for (int32_t i = 0; i < n; ++i, r += kTamRegistro) {
    PieceRecord& pr = p->piezas[static_cast<size_t>(i)];
    // An upright game's pieces are upright, whatever that byte holds.
    pr = PieceRecord{LeerI32(r), r[4], p->girada ? r[5] : uint8_t{0}, {0, 0}, LeerI32(r + 8), LeerI32(r + 12)};
    if (pr.unmarked > 1 || pr.turn > 3) return false;
    if (pr.x < -kMaxPosicion || pr.x > kMaxPosicion || pr.y < -kMaxPosicion || pr.y > kMaxPosicion) return false;
  }
  for (int32_t i = 0; i < n; ++i) {
    PieceRecord& pr = p->piezas[static_cast<size_t>(i)];
    if (pr.group == 0) continue;
    if (pr.group <= i || pr.group > n) return false;
    const int32_t dueño = pr.group - 1;
    if (p->piezas[static_cast<size_t>(dueño)].group != pr.group) return false;
    if (tablero[static_cast<size_t>(dueño)] != tablero[static_cast<size_t>(i)]) return false;
    if (p->piezas[static_cast<size_t>(dueño)].turn != pr.turn) return false;  // a group lies at one turn
    pr.unmarked = 1;  // only lone pieces can be marked
  }
  return true;
}

// The picture must be one the cut handles, at a size it can afford.
bool ImagenCortable(const Partida& p, const ArchivoBMP& imagen) {
  if (imagen.Comprimido()) return false;
  const int32_t bits = imagen.BitsPorPixel();
  if (bits != 8 && bits != 24) return false;
  const Punto t = imagen.Tamaño();
  const double ancho = t.x * p.scale, alto = t.y * p.scale;
  if (!(ancho <= kMaxEscalado && alto <= kMaxEscalado && ancho * alto <= kMaxAreaEscalada)) return false;
  const int32_t w = static_cast<int32_t>(ancho), h = static_cast<int32_t>(alto);
  return w >= kMinEscalado && h >= kMinEscalado && w / p.forma.cols >= 1 && h / p.forma.rows >= 1;
}

bool PonerMesa(const Partida& p) {
  Board& tablero = puzzle.boards[kTable];
  Punto mesa = newPuzzle.board.x > 0 ? newPuzzle.board : tablero.Size();
  if (p.conMesa) mesa = {std::max(mesa.x, p.mesa.x), std::max(mesa.y, p.mesa.y)};
  for (int32_t i = tablero.first; i < tablero.first + tablero.count; ++i) {
    const PieceRecord& r = puzzle.pieces[static_cast<size_t>(puzzle.order[static_cast<size_t>(i)])];
    mesa = {std::max(mesa.x, std::min(kMaxMesa, r.x + puzzle.boxW)), std::max(mesa.y, std::min(kMaxMesa, r.y + puzzle.boxH))};
  }
  if (tablero.HasImage() && (tablero.Width() != mesa.x || tablero.Height() != mesa.y) &&
      !SizeBoardImage(kTable, mesa.x, mesa.y))
    return false;
  puzzle.viewCorner = p.conMesa ? p.esquina : Punto{};
  puzzle.viewScale = p.conMesa ? p.escala : 1.0;
  puzzle.viewPending = true;
  return true;
}

bool Fallar() {
  ClosePuzzle(true);
  return false;
}

}  // namespace

void SetPictureFallbackFolder(const char* folder, const char* other) {
  g_carpetasImagenes.clear();
  for (const char* c : {folder, other}) {
    if (!c || !*c) continue;
    std::string carpeta = c;
    if (carpeta.back() != '\\' && carpeta.back() != '/') carpeta += '\\';
    if (g_carpetasImagenes.empty() || g_carpetasImagenes[0] != carpeta)
      g_carpetasImagenes.push_back(std::move(carpeta));
  }
}

bool SavePuzzle(const char* path) {
  if (Verificar(!imagenActual.Abierto() || !puzzle.Exists(), "esta funcion no se puede llamar ahora")) return false;
  if (!path) return false;
  // Everything is checked before the file is touched.
  const std::string temporal = std::string(path) + kSufijoTemporal;
  if (temporal.size() >= static_cast<size_t>(kTamRuta)) return false;
  char ruta[kTamRuta];
  const int32_t largoRuta = imagenActual.Ruta(nullptr, 0);
  if (largoRuta < 1 || largoRuta > kTamRuta || imagenActual.Ruta(ruta, kTamRuta) != largoRuta) return false;
  Board& mesa = puzzle.boards[kTable];
  if (!mesa.HasImage() || mesa.Width() < 1 || mesa.Height() < 1) return false;

  const int32_t n = puzzle.PieceCount();
  const Miniatura m = MedirMiniatura(mesa.Width(), mesa.Height());
  const int64_t bytesMiniatura = StrideMiniatura(m.ancho) * m.alto;
  const int64_t inicioTablas = kTamCabecera + kTamCuentas;
  const int64_t inicioMiniatura = inicioTablas + (4 + kTamRegistro) * n;
  const int64_t inicioMesa = inicioMiniatura + bytesMiniatura;
  std::vector<uint8_t> b(static_cast<size_t>(inicioMesa + kTamMesa), 0);

  uint8_t* c = b.data();
  std::memcpy(c + kOffFirma, kFirma, sizeof kFirma);
  EscribirI32(c + kOffDieRows, puzzle.dieRows);
  EscribirI32(c + kOffDieCols, puzzle.dieCols);
  EscribirI32(c + kOffDieId, puzzle.dieId);
  std::memcpy(c + kOffRuta, ruta, static_cast<size_t>(largoRuta));
  for (int i = 0; i < kBoxCount; ++i) {
    char nombre[kTamNombre] = {};
    Shell().GetBoxName(i, nombre, kTamNombre);
    nombre[kTamNombre - 1] = 0;
    std::memcpy(c + kOffNombres + kTamNombre * i, nombre, std::strlen(nombre));
  }
  EscribirI32(c + kOffRows, puzzle.rows);
  EscribirI32(c + kOffCols, puzzle.cols);
  EscribirU64(c + kOffScale, std::bit_cast<uint64_t>(puzzle.scale));
  EscribirI32(c + kOffHints, puzzle.hints);
  EscribirU32(c + kOffSeconds, puzzle.seconds);
  c[kOffFinished] = puzzle.finished;
  c[kOffGirada] = puzzle.turned ? 1 : 0;
  c[kOffHayMiniatura] = 1;
  EscribirI32(c + kOffMiniOffset, static_cast<int32_t>(inicioMiniatura - kTamCabecera));
  EscribirI32(c + kOffMiniAncho, m.ancho);
  EscribirI32(c + kOffMiniAlto, m.alto);

  uint8_t* t = c + kTamCabecera;
  for (int i = 0; i < kBoardCount; ++i) EscribirI32(t + 4 * i, puzzle.boards[i].count);
  t += kTamCuentas;
  for (int32_t i = 0; i < n; ++i, t += 4) EscribirI32(t, puzzle.order[static_cast<size_t>(i)]);
  for (int32_t i = 0; i < n; ++i, t += kTamRegistro) {
    const PieceRecord& pr = puzzle.pieces[static_cast<size_t>(i)];
    EscribirI32(t, pr.group);
    t[4] = pr.unmarked;
    t[5] = pr.turn;  // the padding stays zero
    EscribirI32(t + 8, pr.x);
    EscribirI32(t + 12, pr.y);
  }
  EscribirMiniatura(m, mesa, t);
  uint8_t* v = c + inicioMesa;
  std::memcpy(v, kFirmaMesa, sizeof kFirmaMesa);
  EscribirI32(v + 8, mesa.Width());
  EscribirI32(v + 12, mesa.Height());
  EscribirI32(v + 16, puzzle.viewCorner.x);
  EscribirI32(v + 20, puzzle.viewCorner.y);
  EscribirU64(v + 24, std::bit_cast<uint64_t>(puzzle.viewScale));

  // A failed save never costs the previous one.
  if (!EscribirArchivoEntero(path, b.data(), static_cast<int64_t>(b.size()))) return false;
  puzzle.modified = 0;
  return true;
}

bool LoadPuzzle(const char* path, bool* hintsAllowed) {
  if (hintsAllowed) *hintsAllowed = false;

  // The whole file and its picture are checked before the game on the
  // table is touched: a file that cannot be opened leaves that game as it
  // was.
  ArchivoDisco archivo;
  if (!path || !archivo.AbrirLectura(path, true)) return false;
  uint8_t cabecera[kTamCabecera];
  Partida p;
  if (!archivo.LeerExacto(cabecera, kTamCabecera) || !LeerCabecera(cabecera, &p)) return false;
  const Forma& f = p.forma;
  const int64_t sinMesa = kTamCabecera + kTamCuentas + (4 + kTamRegistro) * f.n + f.bytesMiniatura;
  if (archivo.Tamaño() != sinMesa && archivo.Tamaño() != sinMesa + kTamMesa) return false;
  if (!LeerTablas(archivo, &p)) return false;
  if (archivo.Tamaño() == sinMesa + kTamMesa) {
    uint8_t bloque[kTamMesa];
    if (!archivo.Posicionar(sinMesa) || !archivo.LeerExacto(bloque, kTamMesa) || !LeerMesa(bloque, &p)) return false;
  }
  archivo.Cerrar();
  if (!DieUsable(p.dieRows, p.dieCols, p.dieId)) return false;
  {
    ArchivoBMP prueba;
    if (!AbrirImagen(p.ruta, prueba) || !ImagenCortable(p, prueba)) return false;
  }

  // From here a failure (memory, the picture gone meanwhile) ends with an
  // empty table.
  ClosePuzzle(false);
  if (!AbrirImagen(p.ruta, imagenActual) || !ImagenCortable(p, imagenActual)) return Fallar();
  // The saved positions replace the scatter: no table to lay out on.
  const PedidoPuzzle pedido{.picture = &imagenActual,
                            .scale = p.scale,
                            .rows = f.rows,
                            .cols = f.cols,
                            .dieId = p.dieId,
                            .dieRows = p.dieRows,
                            .dieCols = p.dieCols,
                            .newGame = false,
                            .table = {},
                            .turned = p.girada};
  if (!CreatePuzzle(pedido)) return Fallar();
  if (puzzle.pieces.size() != static_cast<size_t>(f.n) || puzzle.order.size() != static_cast<size_t>(f.n))
    return Fallar();

  for (int b = 0, primero = 0; b < kBoardCount; primero += p.cuentas[b], ++b) {
    puzzle.boards[b].first = primero;
    puzzle.boards[b].count = p.cuentas[b];
  }
  puzzle.order = p.orden;
  puzzle.pieces = p.piezas;
  puzzle.hints = p.hints;
  puzzle.seconds = p.seconds;
  puzzle.finished = p.finished;

  // The table it was played on, never smaller than this screen's, and
  // holding every piece on it (a file from a larger screen has no block).
  if (!PonerMesa(p)) return Fallar();

  DrawAllBoards(true);
  for (int i = 0; i < kBoxCount; ++i) {
    Shell().HideBox(i);
    Shell().NotifyBoardParent(i, puzzle.boards[i].count > 0 ? kBoardGotPieces : kBoardEmptied);
    Shell().SetBoxName(i, p.nombres[i]);
  }
  Shell().RefreshMagnifier();
  KillPuzzleClock();
  puzzle.clockIdle = puzzle.finished ? 0 : 1;
  puzzle.paused = 0;
  puzzle.modified = 0;
  const uint32_t s = puzzle.seconds;
  Shell().ShowTime(s, s / 3600, (s / 60) % 60, s % 60);
  if (hintsAllowed) *hintsAllowed = puzzle.hints < LimitePistas(f.n);
  return true;
}

HIMAGE ReadPuzzlePreview(const char* path) {
  ArchivoDisco archivo;
  if (!path || !archivo.AbrirLectura(path, true)) return nullptr;
  uint8_t cabecera[kTamCabecera];
  Forma f;
  if (!archivo.LeerExacto(cabecera, kTamCabecera) || !LeerForma(cabecera, &f)) return nullptr;
  if (!archivo.Posicionar(kTamCabecera + LeerI32(cabecera + kOffMiniOffset))) return nullptr;
  HIMAGE h = AsignarHIMAGE(f.bytesMiniatura);
  if (!h) return nullptr;
  if (!archivo.LeerExacto(PixelesHIMAGE(h), f.bytesMiniatura)) {
    LiberarHIMAGE(h);
    return nullptr;
  }
  std::memset(h, 0, kHImagenPixeles);  // header, and a colour table this depth does not use
  h->biSize = 40;
  h->biWidth = f.ancho;
  h->biHeight = f.alto;
  h->biPlanes = 1;
  h->biBitCount = 16;
  h->biCompression = BI_RGB_;
  h->biSizeImage = static_cast<uint32_t>(f.bytesMiniatura);
  return h;
}
