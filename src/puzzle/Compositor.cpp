#include "Compositor.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Puzzle.h"
#include "Relieve.h"
#include "Verificar.h"

// Every board pixel shows the first piece from the front whose sheet pixel
// there has coverage 1, or the mosaic. It is produced here back to front:
// the mosaic first, then each piece's shadow and opaque runs from the last
// of the segment to the first, so that the front piece is written last and
// a shadow darkens only what lies below its piece. Marked pieces get their
// inversion pattern right after their own runs.
//
// Work goes by bands of a few rows so that the band stays in cache while
// the mosaic and all the pieces over it are written.

namespace {

constexpr const char* kMensajeTablero = "indice de tablero invalido";
constexpr int32_t kFilasBanda = 32;  // rows of a band

HIMAGE g_mosaico = nullptr;

// The mosaic as 24-bit rows, each holding the tile kCopias + 1 times, so
// that up to kCopias * MOSAICO_TAMX pixels can be copied from any starting
// column at once. Rebuilt whenever the mosaic's indices or colours differ
// from the ones it was made from.
constexpr int32_t kCopias = 8;
constexpr int32_t kAnchoExpandido = MOSAICO_TAMX * (kCopias + 1);

struct MosaicoExpandido {
  HIMAGE origen = nullptr;
  uint8_t indices[MOSAICO_TAMY][MOSAICO_TAMX];
  ColorRGBQ colores[256];
  std::vector<uint8_t> filas;  // MOSAICO_TAMY rows of kAnchoExpandido pixels
  uint32_t generacion = 0;     // counts the rebuilds

  const uint8_t* Fila(int32_t y) const {
    return filas.data() + static_cast<size_t>(y) * kAnchoExpandido * 3;
  }

  bool Vigente(HIMAGE m) const {
    if (m != origen) return false;
    if (std::memcmp(colores, ColoresHIMAGE(m), sizeof colores) != 0) return false;
    for (int32_t y = 0; y < MOSAICO_TAMY; ++y)
      if (std::memcmp(indices[y], FilaHIMAGE(m, y), MOSAICO_TAMX) != 0) return false;
    return true;
  }

  void Preparar(HIMAGE m) {
    if (Vigente(m)) return;
    ++generacion;
    origen = m;
    std::memcpy(colores, ColoresHIMAGE(m), sizeof colores);
    filas.resize(static_cast<size_t>(MOSAICO_TAMY) * kAnchoExpandido * 3);
    for (int32_t y = 0; y < MOSAICO_TAMY; ++y) {
      std::memcpy(indices[y], FilaHIMAGE(m, y), MOSAICO_TAMX);
      uint8_t* d = filas.data() + static_cast<size_t>(y) * kAnchoExpandido * 3;
      for (int32_t x = 0; x < kAnchoExpandido; ++x) {
        const ColorRGBQ& c = colores[indices[y][x % MOSAICO_TAMX]];
        d[3 * x] = c.rgbBlue;
        d[3 * x + 1] = c.rgbGreen;
        d[3 * x + 2] = c.rgbRed;
      }
    }
  }
};

MosaicoExpandido g_expandido;

// Each piece's opaque runs [inicio, fin) per box row, in box columns, with
// their colours packed 3 bytes a pixel, one piece after another, and its
// shadow. Read from the sheet and the colours the first time a piece is
// drawn, and again when its joins change (the bevel and shadow follow
// them): a box's rows lie a whole row apart in both, the packed copy is
// one short sequential block.
struct Tramo {
  int32_t inicio, fin;
  const uint8_t* colores;  // the run's first pixel
};

// The packed colours, in blocks that never move: a growing store neither
// copies itself nor holds two copies at once, and the runs point straight
// into it. Emptied, it keeps its blocks for the next reads.
class Bloques {
 public:
  // Room for `bytes` in one place, to be closed by Cerrar.
  uint8_t* Abrir(size_t bytes) {
    if (actual_ < bloques_.size() && usado_ + bytes > bloques_[actual_].tamaño) {
      ++actual_;
      usado_ = 0;
    }
    while (actual_ < bloques_.size() && bloques_[actual_].tamaño < bytes) ++actual_;
    if (actual_ == bloques_.size()) {
      const size_t tamaño = std::max(kTamaño, bytes);
      bloques_.push_back({std::unique_ptr<uint8_t[]>(new uint8_t[tamaño]), tamaño});
    }
    return bloques_[actual_].datos.get() + usado_;
  }
  // What was written from the last Abrir up to `fin` is kept.
  void Cerrar(const uint8_t* fin) {
    const size_t n = static_cast<size_t>(fin - (bloques_[actual_].datos.get() + usado_));
    usado_ += n;
    total_ += n;
  }
  void Vaciar() {
    actual_ = usado_ = total_ = 0;
  }
  size_t Usados() const { return total_; }

 private:
  static constexpr size_t kTamaño = size_t{4} << 20;
  struct Bloque {
    std::unique_ptr<uint8_t[]> datos;
    size_t tamaño;
  };
  std::vector<Bloque> bloques_;
  size_t actual_ = 0, usado_ = 0, total_ = 0;
};

inline void Adelantar(const uint8_t* p, int32_t bytes) {
  for (int32_t i = 0; i < bytes; i += 64) __builtin_prefetch(p + i);
}

struct Siluetas {
  const uint8_t* hoja = nullptr;
  size_t bytes = 0;
  int32_t rows = 0, cols = 0, boxW = 0, boxH = 0;
  uint32_t generacion = 0;        // counts the sheets forgotten
  bool relieve = false;           // bevels and shadows read
  std::vector<uint16_t> leida;    // per piece: 1 + the joins it was read with, 0 unread
  size_t lecturas = 0;            // pieces read since the last start
  MedidasRelieve medidas;
  SombraPieza sombras;
  std::vector<size_t> sombra;     // per piece: its first row in sombras.primero
  std::vector<int32_t> primero;   // boxH + 1 per piece: row r's runs are [f[r], f[r + 1])
  std::vector<Tramo> tramos;
  Bloques colores;
  size_t limite = 0;  // colour bytes read again past which all is read afresh

  // Keeps the blocks' memory for the next puzzle: a fresh block would be
  // faulted in page by page on the first draw.
  void Olvidar() {
    ++generacion;
    hoja = nullptr;
    bytes = 0;
    leida.clear();
    primero.clear();
    Vaciar();
  }

  void Vaciar() {
    lecturas = 0;
    tramos.clear();
    colores.Vaciar();
    sombras.primero.clear();
    sombras.tramos.clear();
    sombras.factores.clear();
    formas.clear();
    std::fill(leida.begin(), leida.end(), 0);
  }

  // Pieces read again as their groups changed leave their old copies
  // behind: past half as many again as one copy of each, start afresh.
  void Recoger() {
    if (lecturas > 2 * leida.size() + 64 || colores.Usados() > limite) Vaciar();
  }

  // Starts afresh when the sheet is not the one the runs were read from.
  void Comprobar() {
    const PuzzleState& p = puzzle;
    const bool conRelieve = RelieveEnUso();
    if (hoja == p.sheet.data() && bytes == p.sheet.size() && rows == p.rows && cols == p.cols &&
        boxW == p.boxW && boxH == p.boxH && relieve == conRelieve)
      return;
    Olvidar();
    hoja = p.sheet.data();
    bytes = p.sheet.size();
    rows = p.rows;
    cols = p.cols;
    boxW = p.boxW;
    boxH = p.boxH;
    relieve = conRelieve;
    medidas = relieve ? Relieve() : MedidasRelieve{};
    const size_t n = static_cast<size_t>(p.PieceCount());
    leida.assign(n, 0);
    sombra.assign(relieve ? n : 0, 0);
    primero.assign(n * (static_cast<size_t>(boxH) + 1), 0);
    // A piece covers about its cell.
    const size_t celda = static_cast<size_t>(std::max(p.cellW, 1)) * static_cast<size_t>(std::max(p.cellH, 1));
    limite = n * celda * 3 + n * celda * 3 / 2 + static_cast<size_t>(boxW) * boxH * 3;
    tramos.reserve(n * static_cast<size_t>(boxH) * 2);
  }

  // The joins a piece is drawn with.
  uint8_t Uniones(int32_t pieza) const { return relieve ? UnionesPieza(pieza) : 0; }

  // Where a piece's shadow rows start in sombras.primero (row r's runs
  // are [primero[s + r], primero[s + r + 1])), -1 without shadows.
  int64_t Sombra(int32_t pieza) const { return relieve ? static_cast<int64_t>(sombra[static_cast<size_t>(pieza)]) : -1; }

  const int32_t* Filas(int32_t pieza, uint8_t uniones) {
    int32_t* f = primero.data() + static_cast<size_t>(pieza) * (boxH + 1);
    const int giro = puzzle.pieces[static_cast<size_t>(pieza)].turn & 3;
    const uint16_t clave = static_cast<uint16_t>(1 + uniones + 256 * giro);
    if (leida[pieza] == clave) return f;
    leida[pieza] = clave;
    ++lecturas;
    if (giro != 0) return FilasGiradas(pieza, uniones, giro, f);
    uint8_t* destino = colores.Abrir(3 * static_cast<size_t>(boxW) * boxH);  // the most a piece can hold
    // The box rows lie a whole sheet row apart: ask for the next ones early.
    const int32_t adelanto = std::min(boxH, 4);
    for (int32_t r = 0; r < adelanto; ++r) Adelantar(puzzle.SheetPixel(pieza, 0, r), boxW);
    for (int32_t r = 0; r < boxH; ++r) {
      f[r] = static_cast<int32_t>(tramos.size());
      if (r + adelanto < boxH) Adelantar(puzzle.SheetPixel(pieza, 0, r + adelanto), boxW);
      const uint8_t* s = puzzle.SheetPixel(pieza, 0, r);
      const uint8_t* c = puzzle.PieceColour(pieza, 0, r);
      const uint8_t* bisel = relieve ? puzzle.bevel.data() + (s - puzzle.sheet.data()) : nullptr;
      int32_t x = 0;
      while (x < boxW) {
        while (x < boxW && s[x] != 1) ++x;
        if (x == boxW) break;
        const int32_t inicio = x;
        tramos.push_back({inicio, 0, destino});
        for (; x < boxW && s[x] == 1; ++x, destino += 3) {
          destino[0] = c[3 * x];
          destino[1] = c[3 * x + 1];
          destino[2] = c[3 * x + 2];
          if (bisel) AplicarBisel(bisel[x], uniones, destino);
        }
        tramos.back().fin = x;
      }
    }
    colores.Cerrar(destino);
    f[boxH] = static_cast<int32_t>(tramos.size());
    if (relieve) sombra[static_cast<size_t>(pieza)] = SombraDe(pieza, uniones, f);
    return f;
  }

  // The same for a turned piece (a square box): its rows as it shows, read
  // across the sheet, with the bevel worked out for the turn.
  const int32_t* FilasGiradas(int32_t pieza, uint8_t uniones, int giro, int32_t* f) {
    uint8_t* destino = colores.Abrir(3 * static_cast<size_t>(boxW) * boxH);
    // Joined all round, a piece shows no bevel.
    const bool conBisel = relieve && uniones != 0xFF;
    if (conBisel) {
      biselGirado.resize(static_cast<size_t>(boxW) * boxH);
      BiselPieza(pieza, giro, biselGirado.data(), boxW);
    }
    for (int32_t r = 0; r < boxH; ++r) {
      f[r] = static_cast<int32_t>(tramos.size());
      const PuzzleState::TurnedRow fila = puzzle.RowAt(pieza, giro, r);
      const uint8_t* bisel = conBisel ? biselGirado.data() + static_cast<size_t>(r) * boxW : nullptr;
      int32_t x = 0;
      while (x < boxW) {
        while (x < boxW && fila.sheet[x * fila.sheetStep] != 1) ++x;
        if (x == boxW) break;
        tramos.push_back({x, 0, destino});
        for (; x < boxW && fila.sheet[x * fila.sheetStep] == 1; ++x, destino += 3) {
          const uint8_t* c = fila.colour + x * fila.colourStep;
          destino[0] = c[0];
          destino[1] = c[1];
          destino[2] = c[2];
          if (bisel) AplicarBisel(bisel[x], uniones, destino);
        }
        tramos.back().fin = x;
      }
    }
    colores.Cerrar(destino);
    f[boxH] = static_cast<int32_t>(tramos.size());
    if (relieve) sombra[static_cast<size_t>(pieza)] = SombraDe(pieza, uniones, f, giro);
    return f;
  }
  std::vector<uint8_t> biselGirado;

  // Loose pieces of the same shape share one shadow: a few shapes stay in
  // cache where thousands of copies would not.
  std::unordered_map<uint64_t, std::vector<std::pair<const int32_t*, size_t>>> formas;

  bool MismaForma(const int32_t* a, const int32_t* b) const {
    for (int32_t r = 0; r < boxH; ++r) {
      if (a[r + 1] - a[r] != b[r + 1] - b[r]) return false;
      for (int32_t i = 0; i < a[r + 1] - a[r]; ++i)
        if (tramos[a[r] + i].inicio != tramos[b[r] + i].inicio || tramos[a[r] + i].fin != tramos[b[r] + i].fin)
          return false;
    }
    return true;
  }

  size_t SombraDe(int32_t pieza, uint8_t uniones, const int32_t* f, int giro = 0) {
    if (uniones != 0) return CalcularSombra(pieza, uniones, false, sombras, giro);
    uint64_t h = 1469598103934665603ull;
    for (int32_t t = f[0]; t < f[boxH]; ++t) h = (h ^ (static_cast<uint64_t>(tramos[t].inicio) << 32 | tramos[t].fin)) * 1099511628211ull;
    for (int32_t r = 0; r <= boxH; ++r) h = (h ^ static_cast<uint64_t>(f[r] - f[0])) * 1099511628211ull;
    auto& iguales = formas[h];
    for (const auto& [otra, indice] : iguales)
      if (MismaForma(otra, f)) return indice;
    const size_t indice = CalcularSombra(pieza, 0, false, sombras, giro);
    iguales.emplace_back(f, indice);
    return indice;
  }
};

Siluetas g_siluetas;

// A piece collected for a rectangle.
struct Recogida {
  int32_t x, y;           // box position on the board
  const int32_t* filas;   // its runs per box row
  int64_t sombra;         // its shadow's first row in the shadows' rows, or -1
  bool marcada;
};

std::vector<Recogida> g_recogidas;

// The mosaic of table row py, columns [x0, x0 + ancho), into d.
void CopiarMosaico(uint8_t* d, int32_t py, int32_t x0, int32_t ancho) {
  if (ancho <= 0) return;
  if (!g_mosaico) {
    std::memset(d, 0, static_cast<size_t>(ancho) * 3);
    return;
  }
  const int32_t fila = (py % MOSAICO_TAMY + MOSAICO_TAMY) % MOSAICO_TAMY;
  const int32_t columna = (x0 % MOSAICO_TAMX + MOSAICO_TAMX) % MOSAICO_TAMX;
  const uint8_t* origen = g_expandido.Fila(fila) + 3 * columna;
  // Every chunk but the last is a whole number of tiles, so each starts at
  // the same tile column.
  for (int32_t resto = ancho; resto > 0;) {
    const int32_t n = std::min(resto, kCopias * MOSAICO_TAMX);
    std::memcpy(d, origen, static_cast<size_t>(n) * 3);
    d += 3 * n;
    resto -= n;
  }
}

void PintarFilaMosaico(Board& tablero, int32_t py, int32_t x0, int32_t x1) {
  CopiarMosaico(tablero.Row(py) + 3 * static_cast<int64_t>(x0), py, x0, x1 - x0);
}

// The ghost picture: the whole picture where the solved puzzle lies on the
// table, faint over the mosaic. Its pixels are blended once and kept until
// the puzzle, the table's size or the mosaic change.
constexpr int32_t kAlfaFantasma = 80;  // of 256

struct Fantasma {
  bool visible = false;
  // What the pixels were made from: the sheet the piece shapes were read
  // from, the mosaic, the table's size.
  uint32_t generacionHoja = 0, generacionMosaico = 0;
  int32_t anchoMesa = 0, altoMesa = 0;
  bool hecho = false;
  // Where it lies on the table and its pixels, 3 bytes each, top down.
  int32_t x = 0, y = 0, w = 0, h = 0;
  std::vector<uint8_t> pixeles;

  bool Vigente(const Board& mesa) const;
  void Hacer(Board& mesa);
};

Fantasma g_fantasma;

// Called once the piece shapes have checked the sheet (Comprobar).
bool Fantasma::Vigente(const Board& mesa) const {
  return hecho && generacionHoja == g_siluetas.generacion && generacionMosaico == g_expandido.generacion &&
         anchoMesa == mesa.Width() && altoMesa == mesa.Height();
}

void Fantasma::Hacer(Board& mesa) {
  const PuzzleState& p = puzzle;
  hecho = true;
  generacionHoja = g_siluetas.generacion;
  generacionMosaico = g_expandido.generacion;
  anchoMesa = mesa.Width(), altoMesa = mesa.Height();
  const int32_t rows = p.rows, cols = p.cols, cellW = p.cellW, cellH = p.cellH;
  w = cellW * cols;
  h = cellH * rows;
  x = (anchoMesa - w) / 2;
  y = (altoMesa - h) / 2;
  pixeles.clear();
  if (w <= 0 || h <= 0 || !p.Exists()) {
    w = h = 0;
    return;
  }
  try {
    pixeles.assign(static_cast<size_t>(w) * h * 3, 0);
  } catch (const std::bad_alloc&) {
    w = h = 0;
    return;
  }
  // The picture: every piece's own pixels at its solved place.
  PuzzleState& pz = puzzle;
  for (int32_t i = 0; i < rows * cols; ++i) {
    const int32_t ox = i % cols * cellW - p.marginX, oy = i / cols * cellH - p.marginY;
    for (int32_t by = 0; by < p.boxH; ++by) {
      const int32_t Y = oy + by;
      if (Y < 0 || Y >= h) continue;
      const uint8_t* s = pz.SheetPixel(i, 0, by);
      const uint8_t* c = pz.PieceColour(i, 0, by);
      for (int32_t bx = 0; bx < p.boxW; ++bx, c += 3) {
        const int32_t X = ox + bx;
        if (s[bx] != 1 || X < 0 || X >= w) continue;
        uint8_t* d = pixeles.data() + (static_cast<size_t>(Y) * w + X) * 3;
        d[0] = c[0], d[1] = c[1], d[2] = c[2];
      }
    }
  }
  // Over the mosaic as the table shows it there.
  std::vector<uint8_t> fondo(static_cast<size_t>(w) * 3);
  for (int32_t Y = 0; Y < h; ++Y) {
    CopiarMosaico(fondo.data(), y + Y, x, w);
    uint8_t* d = pixeles.data() + static_cast<size_t>(Y) * w * 3;
    for (int32_t k = 0; k < w * 3; ++k) d[k] = static_cast<uint8_t>(fondo[k] + ((d[k] - fondo[k]) * kAlfaFantasma >> 8));
  }
}

void PintarMosaico(Board& tablero, int32_t x0, int32_t x1, int32_t y0, int32_t y1, const Fantasma* fantasma) {
  for (int32_t py = y0; py < y1; ++py) {
    if (!fantasma || py < fantasma->y || py >= fantasma->y + fantasma->h) {
      PintarFilaMosaico(tablero, py, x0, x1);
      continue;
    }
    const int32_t a = std::clamp(fantasma->x, x0, x1), b = std::clamp(fantasma->x + fantasma->w, x0, x1);
    PintarFilaMosaico(tablero, py, x0, a);
    if (a < b)
      std::memcpy(tablero.Row(py) + 3 * static_cast<int64_t>(a),
                  fantasma->pixeles.data() + (static_cast<size_t>(py - fantasma->y) * fantasma->w + (a - fantasma->x)) * 3,
                  static_cast<size_t>(b - a) * 3);
    PintarFilaMosaico(tablero, py, b, x1);
  }
}

// A piece over what is drawn below it: row by row, its shadow (when it has
// one) darkens what lies there, then its opaque runs are copied.
void PintarPieza(Board& tablero, const Recogida& p, int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
  const int32_t boxW = puzzle.boxW, boxH = puzzle.boxH;
  const bool conSombra = p.sombra >= 0;
  const MedidasRelieve& m = g_siluetas.medidas;
  const int64_t arriba = conSombra ? static_cast<int64_t>(p.y) - m.arriba : p.y;
  const int64_t abajo = static_cast<int64_t>(p.y) + boxH + (conSombra ? m.abajo : 0);
  const int32_t fy0 = static_cast<int32_t>(std::max<int64_t>(y0, arriba));
  const int32_t fy1 = static_cast<int32_t>(std::min<int64_t>(y1, abajo));
  if (fy0 >= fy1) return;
  // Box columns inside the rectangle.
  const int32_t c0 = static_cast<int32_t>(std::max<int64_t>(x0, p.x) - p.x);
  const int32_t c1 = static_cast<int32_t>(std::min<int64_t>(x1, static_cast<int64_t>(p.x) + boxW) - p.x);
  const Tramo* tramos = g_siluetas.tramos.data();
  const TramoSombra* sombras = g_siluetas.sombras.tramos.data();
  const uint8_t* factores = g_siluetas.sombras.factores.data();
  const int32_t* filasSombra = conSombra ? g_siluetas.sombras.primero.data() + p.sombra : nullptr;
  const uint8_t* final = tablero.bits.data() + tablero.bits.size();
  const bool entera = static_cast<int64_t>(p.x) - m.izquierda >= x0 &&
                      static_cast<int64_t>(p.x) + boxW + m.derecha <= x1;
  for (int32_t py = fy0; py < fy1; ++py) {
    uint8_t* fila = tablero.Row(py);
    if (conSombra && entera) {
      // The whole reach lies inside the rectangle's columns: no clipping.
      const int32_t s = static_cast<int32_t>(py - arriba);
      uint8_t* base = fila + 3 * static_cast<int64_t>(p.x);
      for (int32_t t = filasSombra[s], fin = filasSombra[s + 1]; t < fin; ++t) {
        uint8_t* d = base + 3 * sombras[t].inicio;
        const int32_t n = 3 * (sombras[t].fin - sombras[t].inicio);
        Oscurecer(d, factores + sombras[t].factor, n, d + n + kRellenoSombra <= final);
      }
    } else if (conSombra) {
      const int32_t s = static_cast<int32_t>(py - arriba);
      for (int32_t t = filasSombra[s], fin = filasSombra[s + 1]; t < fin; ++t) {
        const int64_t a = std::max<int64_t>(static_cast<int64_t>(p.x) + sombras[t].inicio, x0);
        const int64_t hasta = static_cast<int64_t>(p.x) + sombras[t].fin, b = std::min<int64_t>(hasta, x1);
        if (a >= b) continue;
        // Whole blocks go past the run only where its zeros follow and the
        // image goes on.
        const int32_t n = static_cast<int32_t>(3 * (b - a));
        const bool entero = b == hasta && fila + 3 * a + n + kRellenoSombra <= final;
        Oscurecer(fila + 3 * a, factores + sombras[t].factor + 3 * (a - p.x - sombras[t].inicio), n, entero);
      }
    }
    const int32_t r = py - p.y;
    if (r < 0 || r >= boxH || c0 >= c1) continue;
    const bool patron = p.marcada && (r & 1) == 0;
    for (int32_t t = p.filas[r], fin = p.filas[r + 1]; t < fin; ++t) {
      const int32_t a = std::max(tramos[t].inicio, c0), b = std::min(tramos[t].fin, c1);
      if (a >= b) continue;
      std::memcpy(fila + 3 * (static_cast<int64_t>(p.x) + a), tramos[t].colores + 3 * (a - tramos[t].inicio),
                  3 * static_cast<size_t>(b - a));
      if (patron)
        for (int32_t c = (a + 2) / 3 * 3; c < b; c += 3) {
          uint8_t* q = fila + 3 * (static_cast<int64_t>(p.x) + c);
          q[0] ^= 0xFF;
          q[1] ^= 0xFF;
          q[2] ^= 0xFF;
        }
    }
  }
}

// Clips (x, y, w, h) to the board; false when nothing is left.
bool Recortar(const Board& tablero, int32_t& x, int32_t& y, int32_t& w, int32_t& h) {
  if (!tablero.HasImage()) return false;
  const int64_t x0 = std::max<int64_t>(x, 0), y0 = std::max<int64_t>(y, 0);
  const int64_t x1 = std::min<int64_t>(static_cast<int64_t>(x) + w, tablero.Width());
  const int64_t y1 = std::min<int64_t>(static_cast<int64_t>(y) + h, tablero.Height());
  if (x0 >= x1 || y0 >= y1) return false;
  x = static_cast<int32_t>(x0);
  y = static_cast<int32_t>(y0);
  w = static_cast<int32_t>(x1 - x0);
  h = static_cast<int32_t>(y1 - y0);
  return true;
}

void Recoger(const Board& tablero, int32_t x0, int32_t x1, int32_t y0, int32_t y1, bool skipFront) {
  g_recogidas.clear();
  PuzzleState& pz = puzzle;
  if (!pz.Exists()) {
    g_siluetas.Olvidar();  // no puzzle: the old pieces' copy goes too
    return;
  }
  if (tablero.count <= 0) return;
  const int32_t n = pz.PieceCount();
  if (n < 1 || pz.pieces.size() < static_cast<size_t>(n)) return;
  const int64_t desde = static_cast<int64_t>(tablero.first) + (skipFront ? 1 : 0);
  const int64_t hasta = static_cast<int64_t>(tablero.first) + tablero.count;
  if (desde < 0 || hasta > static_cast<int64_t>(pz.order.size())) return;
  g_siluetas.Comprobar();
  g_siluetas.Recoger();
  const MedidasRelieve& m = g_siluetas.medidas;
  for (int64_t i = desde; i < hasta; ++i) {
    const int32_t pieza = pz.order[i];
    if (pieza < 0 || pieza >= n) continue;
    const PieceRecord& r = pz.pieces[pieza];
    // Only boxes that share pixels with the rectangle, with their shadows,
    // can show.
    if (static_cast<int64_t>(r.x) - m.izquierda >= x1 || static_cast<int64_t>(r.x) + pz.boxW + m.derecha <= x0 ||
        static_cast<int64_t>(r.y) - m.arriba >= y1 || static_cast<int64_t>(r.y) + pz.boxH + m.abajo <= y0)
      continue;
    const int32_t* filas = g_siluetas.Filas(pieza, g_siluetas.Uniones(pieza));
    g_recogidas.push_back({r.x, r.y, filas, g_siluetas.Sombra(pieza), r.unmarked == 0});
  }
}

}  // namespace

void MosaicoPuzzle(HIMAGE mosaico) {
  if (Verificar(mosaico == nullptr, "handle al image invalido")) return;
  if (Verificar(mosaico->biBitCount != 8, "solo se soportan mosaicos de paleta indexada")) return;
  if (Verificar(mosaico->biWidth != MOSAICO_TAMX, "el ancho del mosaico difiere del declarado en MOSAICO_TAMX")) return;
  if (Verificar(mosaico->biHeight != MOSAICO_TAMY, "el alto del mosaico difiere del declarado en MOSAICO_TAMY")) return;
  g_mosaico = mosaico;
  if (puzzle.boards[kTable].HasImage()) DrawAllBoards(true);
}

HIMAGE MosaicoActual() { return g_mosaico; }

void ForgetPieceShapes() { g_siluetas.Olvidar(); }

void MostrarFantasma(bool visible) {
  if (g_fantasma.visible == visible) return;
  g_fantasma.visible = visible;
  if (!visible) {
    g_fantasma.hecho = false;
    std::vector<uint8_t>().swap(g_fantasma.pixeles);
  }
  const Board& mesa = puzzle.boards[kTable];
  if (mesa.HasImage()) DrawBoardRect(kTable, 0, 0, mesa.Width(), mesa.Height(), true);
}

bool FantasmaVisible() { return g_fantasma.visible; }

void ComposeRect(int board, int32_t x, int32_t y, int32_t w, int32_t h, bool skipFront) {
  if (Verificar(board < 0 || board >= kBoardCount, kMensajeTablero)) return;
  Board& tablero = puzzle.boards[board];
  if (!Recortar(tablero, x, y, w, h)) return;
  const int32_t x1 = x + w, y1 = y + h;
  if (g_mosaico) g_expandido.Preparar(g_mosaico);
  Recoger(tablero, x, x1, y, y1, skipFront);
  const Fantasma* fantasma = nullptr;
  if (board == kTable && g_fantasma.visible && puzzle.Exists()) {
    g_siluetas.Comprobar();
    if (!g_fantasma.Vigente(tablero)) g_fantasma.Hacer(tablero);
    if (g_fantasma.w > 0) fantasma = &g_fantasma;
  }
  for (int32_t banda = y; banda < y1; banda += kFilasBanda) {
    const int32_t fin = std::min(y1, banda + kFilasBanda);
    PintarMosaico(tablero, x, x1, banda, fin, fantasma);
    for (size_t i = g_recogidas.size(); i-- > 0;) PintarPieza(tablero, g_recogidas[i], x, x1, banda, fin);
  }
}

// Pixels of a composition that counts as long work.
constexpr int64_t kComposicionLarga = 4'000'000;

void DrawBoardRect(int board, int32_t x, int32_t y, int32_t w, int32_t h, bool invalidate, bool skipFront) {
  if (Verificar(board < 0 || board >= kBoardCount, kMensajeTablero)) return;
  // One box, even with its shadow, is composed in one go.
  const bool unaCaja = w <= puzzle.boxW || h <= puzzle.boxH;
  if (RelieveEnUso() && w > 0 && h > 0) {
    // What changed in the boxes changed their shadows too.
    const MedidasRelieve m = Relieve();
    const int64_t x0 = static_cast<int64_t>(x) - m.izquierda, y0 = static_cast<int64_t>(y) - m.arriba;
    const int64_t x1 = static_cast<int64_t>(x) + w + m.derecha, y1 = static_cast<int64_t>(y) + h + m.abajo;
    x = static_cast<int32_t>(std::max<int64_t>(x0, INT32_MIN));
    y = static_cast<int32_t>(std::max<int64_t>(y0, INT32_MIN));
    w = static_cast<int32_t>(std::min<int64_t>(x1 - x, INT32_MAX));
    h = static_cast<int32_t>(std::min<int64_t>(y1 - y, INT32_MAX));
  }
  if (!Recortar(puzzle.boards[board], x, y, w, h)) return;
  if (!unaCaja && w > puzzle.boxW && h > puzzle.boxH) {
    // 5 x 5 parts, so that each collects only the pieces over it.
    const int32_t cw = w / 5, ch = h / 5;
    // Composing a whole large table is long work: it says how far it is.
    const bool largo = static_cast<int64_t>(w) * h > kComposicionLarga;
    for (int32_t j = 0; j < 5; ++j)
      for (int32_t i = 0; i < 5; ++i) {
        ComposeRect(board, x + i * cw, y + j * ch, i == 4 ? w - 4 * cw : cw, j == 4 ? h - 4 * ch : ch, skipFront);
        if (largo) Shell().Progress(0.8 + 0.2 * (j * 5 + i + 1) / 25);
      }
  } else {
    ComposeRect(board, x, y, w, h, skipFront);
  }
  Board& b = puzzle.boards[board];
  if (b.withCopies) b.copies.Actualizar(b.Image(), {x, y, w, h});
  if (invalidate) Shell().InvalidateBoardRect(board, x, y, w, h);
}

void DrawAllBoards(bool invalidate) {
  for (int b = 0; b < kBoardCount; ++b) {
    const Board& tablero = puzzle.boards[b];
    if (tablero.HasImage()) DrawBoardRect(b, 0, 0, tablero.Width(), tablero.Height(), invalidate);
  }
}
