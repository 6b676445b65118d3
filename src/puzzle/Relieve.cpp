#include "Relieve.h"

#include <algorithm>
#include <new>

#include "Compositor.h"
#include "Puzzle.h"

namespace {

bool g_activo = true;

constexpr int32_t kVecinoX[8] = {-1, 0, 1, -1, 1, -1, 0, 1};
constexpr int32_t kVecinoY[8] = {-1, -1, -1, 0, 0, 1, 1, 1};
constexpr uint32_t kAlfaSombra = 150;         // of 255 where the shadow is full
constexpr uint32_t kAlfaSombraLevantada = 120;
constexpr uint32_t kAlfaMinima = 4;  // fainter shading is left out

// Piece j's coverage at box pixel (x, y) of its own box, false outside it.
bool Cubre(int32_t j, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= puzzle.boxW || y >= puzzle.boxH) return false;
  return *puzzle.SheetPixel(j, x, y) == 1;
}

// Neighbour k of piece i, or -1 off the grid.
int32_t Vecina(int32_t i, int k) {
  const int32_t r = i / puzzle.cols + kVecinoY[k], c = i % puzzle.cols + kVecinoX[k];
  if (r < 0 || c < 0 || r >= puzzle.rows || c >= puzzle.cols) return -1;
  return r * puzzle.cols + c;
}

// Which piece covers box pixel (x, y) of piece i's box, which i does not:
// 1 + the neighbour's k, or kBiselFuera.
int Dueña(int32_t i, int32_t x, int32_t y) {
  for (int k = 0; k < 8; ++k) {
    const int32_t j = Vecina(i, k);
    if (j >= 0 && Cubre(j, x - kVecinoX[k] * puzzle.cellW, y - kVecinoY[k] * puzzle.cellH)) return k + 1;
  }
  return kBiselFuera;
}

// Box blur of radius r along rows (paso 1) or columns (paso = ancho) of a
// w x h field, in place, with `tmp` as a line buffer.
void Difuminar(std::vector<int32_t>& campo, int32_t w, int32_t h, int32_t r, bool filas, std::vector<int32_t>& tmp) {
  const int32_t largo = filas ? w : h, lineas = filas ? h : w;
  const int32_t paso = filas ? 1 : w, salto = filas ? w : 1;
  tmp.resize(static_cast<size_t>(largo) + 1);
  for (int32_t l = 0; l < lineas; ++l) {
    int32_t* v = campo.data() + static_cast<size_t>(l) * salto;
    tmp[0] = 0;
    for (int32_t i = 0; i < largo; ++i) tmp[i + 1] = tmp[i] + v[static_cast<size_t>(i) * paso];
    for (int32_t i = 0; i < largo; ++i)
      v[static_cast<size_t>(i) * paso] = tmp[std::min(largo, i + r + 1)] - tmp[std::max(0, i - r)];
  }
}

}  // namespace

MedidasRelieve Relieve(bool levantada) {
  MedidasRelieve m;
  const int32_t celda = std::max(1, std::min(puzzle.cellW, puzzle.cellH));
  m.bisel = std::clamp(celda / 18, 2, 6);
  m.desvio = std::clamp(celda / 22, 2, 5);
  m.radio = std::max(1, m.desvio / 2);
  if (levantada) {
    m.desvio = 2 * m.desvio + 2;
    m.radio += 2;
  }
  // Two box passes reach 2r from the offset shape.
  m.izquierda = m.arriba = std::max(0, 2 * m.radio - m.desvio);
  m.derecha = m.abajo = m.desvio + 2 * m.radio;
  return m;
}

void ActivarRelieve(bool activo) {
  if (g_activo == activo) return;
  g_activo = activo;
  ForgetPieceShapes();
}

bool RelieveActivo() { return g_activo; }


bool RelieveEnUso() { return g_activo && !puzzle.sheet.empty() && puzzle.bevel.size() == puzzle.sheet.size(); }

uint8_t UnionesPieza(int32_t piece) {
  const int32_t g = puzzle.pieces[static_cast<size_t>(piece)].group;
  if (g == 0) return 0;
  uint8_t m = 0;
  for (int k = 0; k < 8; ++k) {
    const int32_t j = Vecina(piece, k);
    if (j >= 0 && puzzle.pieces[static_cast<size_t>(j)].group == g) m = static_cast<uint8_t>(m | 1 << k);
  }
  return m;
}

void BiselPieza(int32_t i, int turn, uint8_t* destino, int64_t paso) {
  PuzzleState& p = puzzle;
  const int32_t W = p.boxW, H = p.boxH, w = Relieve().bisel;
  // Steps to the first pixel off the piece up-left and down-right along
  // the diagonal (of the screen, whatever the turn), at most w + 1.
  thread_local std::vector<uint8_t> arriba, abajo, cubierto;
  arriba.assign(static_cast<size_t>(W) * H, 0);
  abajo.assign(static_cast<size_t>(W) * H, 0);
  // The coverage as the piece shows, read once across the sheet.
  cubierto.resize(static_cast<size_t>(W) * H);
  for (int32_t y = 0; y < H; ++y) {
    const PuzzleState::TurnedRow fila = p.RowAt(i, turn, y);
    uint8_t* c = cubierto.data() + static_cast<size_t>(y) * W;
    for (int32_t x = 0; x < W; ++x) c[x] = fila.sheet[x * fila.sheetStep] == 1;
  }
  auto dentro = [&](int32_t x, int32_t y) { return cubierto[static_cast<size_t>(y) * W + x] != 0; };
  auto dueña = [&](int32_t x, int32_t y) {
    const Punto u = p.UprightPixel(turn, x, y);
    return Dueña(i, u.x, u.y);
  };
  for (int32_t y = 0; y < H; ++y)
    for (int32_t x = 0; x < W; ++x) {
      uint8_t d = 0;
      if (dentro(x, y))
        d = (x == 0 || y == 0) ? 1 : static_cast<uint8_t>(std::min(w + 1, arriba[(y - 1) * W + x - 1] + 1));
      arriba[static_cast<size_t>(y) * W + x] = d;
    }
  for (int32_t y = H; y-- > 0;)
    for (int32_t x = W; x-- > 0;) {
      uint8_t d = 0;
      if (arriba[static_cast<size_t>(y) * W + x])
        d = (x == W - 1 || y == H - 1) ? 1 : static_cast<uint8_t>(std::min(w + 1, abajo[(y + 1) * W + x + 1] + 1));
      abajo[static_cast<size_t>(y) * W + x] = d;
    }
  for (int32_t y = 0; y < H; ++y) {
    uint8_t* b = destino + y * paso;
    for (int32_t x = 0; x < W; ++x) {
      b[x] = 0;
      const int32_t a = arriba[static_cast<size_t>(y) * W + x], s = abajo[static_cast<size_t>(y) * W + x];
      if (a == 0 || std::min(a, s) > w) continue;
      const bool sombra = s < a;
      const int32_t d = sombra ? s : a;
      const int lado = sombra ? dueña(x + d, y + d) : dueña(x - d, y - d);
      const int32_t fuerza = std::max(1, (7 * (w - d + 1) + w / 2) / w);
      b[x] = static_cast<uint8_t>(lado << 4 | (sombra ? 8 : 0) | std::min(fuerza, 7));
    }
  }
}

void HornearBisel() {
  PuzzleState& p = puzzle;
  try {
    p.bevel.assign(p.sheet.size(), 0);
  } catch (const std::bad_alloc&) {
    p.bevel.clear();
    return;
  }
  ForgetPieceShapes();
  for (int32_t i = 0; i < p.PieceCount(); ++i) {
    const int64_t fila = p.sheetLastRow - static_cast<int64_t>(i / p.cols) * p.boxH;
    BiselPieza(i, 0, p.bevel.data() + fila * p.sheetW + static_cast<int64_t>(i % p.cols) * p.boxW, -p.sheetW);
  }
}

size_t CalcularSombra(int32_t piece, uint8_t uniones, bool levantada, SombraPieza& sombra, int turn) {
  const PuzzleState& p = puzzle;
  const MedidasRelieve m = Relieve(levantada);
  const int32_t W = p.boxW, H = p.boxH, o = m.desvio, r = m.radio;
  if (uniones == 0xFF) {
    // Joined all round, whatever it would shade lies on its neighbours,
    // which are nearer: no shadow.
    const size_t inicio = sombra.primero.size();
    sombra.filas = H + m.arriba + m.abajo;
    sombra.primero.insert(sombra.primero.end(), static_cast<size_t>(sombra.filas) + 1,
                          static_cast<int32_t>(sombra.tramos.size()));
    return inicio;
  }
  // The field covers the shape's pixels that can shade the reach: box
  // coordinates [x0, x0 + fw) x [y0, y0 + fh), offset by o.
  const int32_t x0 = -m.izquierda - o - 2 * r, y0 = -m.arriba - o - 2 * r;
  const int32_t fw = W + m.izquierda + m.derecha + o + 4 * r, fh = H + m.arriba + m.abajo + o + 4 * r;
  // The shape: the piece and its joined neighbours, at their places.
  std::vector<uint8_t> forma(static_cast<size_t>(fw) * fh, 0);
  int32_t miembros[9] = {piece};
  int32_t dx[9] = {0}, dy[9] = {0};
  int n = 1;
  for (int k = 0; k < 8; ++k)
    if (uniones >> k & 1) {
      const int32_t j = Vecina(piece, k);
      if (j < 0) continue;
      const Punto d = TurnVector(turn, {kVecinoX[k] * p.cellW, kVecinoY[k] * p.cellH});
      miembros[n] = j, dx[n] = d.x, dy[n] = d.y;
      ++n;
    }
  // A box pixel as the piece shows turned.
  const auto cubre = [&](int32_t j, int32_t bx, int32_t by) {
    const Punto u = p.UprightPixel(turn, bx, by);
    return Cubre(j, u.x, u.y);
  };
  Punto celda, celdaTam;
  p.TurnedCell(turn, &celda, &celdaTam);
  for (int t = 0; t < n; ++t)
    for (int32_t by = 0; by < H; ++by) {
      const int32_t fy = by + dy[t] - y0;
      if (fy < 0 || fy >= fh) continue;
      for (int32_t bx = 0; bx < W; ++bx) {
        const int32_t fx = bx + dx[t] - x0;
        if (fx >= 0 && fx < fw && cubre(miembros[t], bx, by)) forma[static_cast<size_t>(fy) * fw + fx] = 1;
      }
    }
  std::vector<int32_t> campo(forma.begin(), forma.end()), tmp;
  for (int pasada = 0; pasada < 2; ++pasada) {
    Difuminar(campo, fw, fh, r, true, tmp);
    Difuminar(campo, fw, fh, r, false, tmp);
  }
  const int64_t total = static_cast<int64_t>(2 * r + 1) * (2 * r + 1) * (2 * r + 1) * (2 * r + 1);
  const uint32_t alfa = levantada ? kAlfaSombraLevantada : kAlfaSombra;

  // Of two joined pieces, the one whose cell lies nearest the shading
  // point shades it (the lower number on a tie).
  auto propia = [&](int32_t sx, int32_t sy) {
    if (n == 1) return true;
    int64_t mejor = -1;
    int32_t quien = piece;
    for (int t = 0; t < n; ++t) {
      const int32_t cx0 = celda.x + dx[t], cy0 = celda.y + dy[t];
      const int64_t ex = std::max({0, cx0 - sx, sx - (cx0 + celdaTam.x - 1)});
      const int64_t ey = std::max({0, cy0 - sy, sy - (cy0 + celdaTam.y - 1)});
      const int64_t d = ex * ex + ey * ey;
      if (mejor < 0 || d < mejor || (d == mejor && miembros[t] < quien)) mejor = d, quien = miembros[t];
    }
    return quien == piece;
  };

  const int32_t filas = H + m.arriba + m.abajo;
  const size_t inicio = sombra.primero.size();
  sombra.filas = filas;
  sombra.primero.reserve(inicio + static_cast<size_t>(filas) + 1);
  for (int32_t f = 0; f < filas; ++f) {
    sombra.primero.push_back(static_cast<int32_t>(sombra.tramos.size()));
    const int32_t y = f - m.arriba;
    bool abierto = false;
    for (int32_t x = -m.izquierda; x < W + m.derecha; ++x) {
      // The shading point is offset up-left; the pixel itself must be off
      // the shape (the shape's own pixels are drawn over it).
      const int32_t fx = x - x0, fy = y - y0;
      uint32_t a = 0;
      if (!forma[static_cast<size_t>(fy) * fw + fx] && propia(x - o, y - o))
        a = static_cast<uint32_t>(campo[static_cast<size_t>(fy - o) * fw + fx - o] * alfa / total);
      if (a >= kAlfaMinima) {
        if (!abierto) sombra.tramos.push_back({x, x, static_cast<uint32_t>(sombra.factores.size())}), abierto = true;
        sombra.factores.insert(sombra.factores.end(), 3, static_cast<uint8_t>(a));
        sombra.tramos.back().fin = x + 1;
      } else {
        if (abierto) sombra.factores.insert(sombra.factores.end(), kRellenoSombra, 0);
        abierto = false;
      }
    }
    if (abierto) sombra.factores.insert(sombra.factores.end(), kRellenoSombra, 0);
  }
  sombra.primero.push_back(static_cast<int32_t>(sombra.tramos.size()));
  return inicio;
}
