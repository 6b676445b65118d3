#include "Ordenar.h"

#include <algorithm>
#include <vector>

#include "Compositor.h"
#include "Deshacer.h"
#include "Puzzle.h"
#include "Utilidades.h"

namespace {

bool Suelta(int32_t p) { return puzzle.pieces[p].group == 0; }

void RedibujarTablero(int board) {
  const Board& b = puzzle.boards[board];
  DrawBoardRect(board, 0, 0, b.Width(), b.Height(), true);
}

// Whether two box-sized squares at a and b share pixels.
bool Solapan(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  return ax < bx + puzzle.boxW && bx < ax + puzzle.boxW && ay < by + puzzle.boxH && by < ay + puzzle.boxH;
}

}  // namespace

bool EsPiezaBorde(int32_t p) {
  const int32_t fila = p / puzzle.cols, columna = p % puzzle.cols;
  return fila == 0 || fila == puzzle.rows - 1 || columna == 0 || columna == puzzle.cols - 1;
}

int BordesACaja(const char* nombre) {
  if (!puzzle.Exists() || puzzle.finished) return kBordesNinguno;
  Board& mesa = puzzle.boards[kTable];
  int32_t* inicio = puzzle.order.data() + mesa.first;
  const int32_t bordes = static_cast<int32_t>(
      std::count_if(inicio, inicio + mesa.count, [](int32_t p) { return Suelta(p) && EsPiezaBorde(p); }));
  if (bordes == 0) return kBordesNinguno;
  int caja = 0;
  while (caja < kBoxCount && puzzle.boards[caja].count != 0) ++caja;
  if (caja == kBoxCount) return kBordesSinCaja;

  Movimiento movimiento;
  // The edge pieces to the front of the table, in their order, then over.
  std::stable_partition(inicio, inicio + mesa.count, [](int32_t p) { return Suelta(p) && EsPiezaBorde(p); });
  MoveBetweenBoards(kTable, caja, bordes);

  // Rows of places a cell and a margin apart: tabs may overlap, each piece
  // shows; when the box is full, the next layer starts a little lower right.
  const Board& b = puzzle.boards[caja];
  const int32_t pasoX = puzzle.cellW + puzzle.marginX, pasoY = puzzle.cellH + puzzle.marginY;
  const int32_t ancho = std::max(b.Width(), puzzle.boxW), alto = std::max(b.Height(), puzzle.boxH);
  const int32_t porFila = std::max(1, (ancho - puzzle.boxW) / pasoX + 1);
  const int32_t filas = std::max(1, (alto - puzzle.boxH) / pasoY + 1);
  const int32_t porCapa = porFila * filas;
  for (int32_t i = 0; i < bordes; ++i) {
    PieceRecord& r = puzzle.pieces[puzzle.order[b.first + i]];
    const int32_t capa = i / porCapa, lugar = i % porCapa;
    const int32_t desvio = (capa % 4) * std::max(1, puzzle.marginX / 2);
    r.x = std::min(lugar % porFila * pasoX + desvio, ancho - puzzle.boxW);
    r.y = std::min(lugar / porFila * pasoY + desvio, alto - puzzle.boxH);
  }
  Shell().SetBoxName(caja, nombre ? nombre : "");
  puzzle.modified = 1;

  RedibujarTablero(kTable);
  RedibujarTablero(caja);
  Shell().NotifyBoardParent(caja, kBoardGotPieces);
  if (mesa.count == 0) Shell().NotifyBoardParent(kTable, kBoardEmptied);
  Shell().UpdateBoard(kTable);
  Shell().RefreshMagnifier();
  return caja;
}

namespace {

// A grid of places for piece boxes over a W x H table: gx x gy boxes,
// spread evenly with the outer ones against the table's edges, at least
// the given step apart. With `holgura` the outer boxes' tab room may lie
// off the table (their cells never do), as a dragged selection may.
struct Rejilla {
  int32_t gx = 0, gy = 0;
  int32_t x0 = 0, y0 = 0, rangoX = 0, rangoY = 0;  // box positions x0 .. x0 + rangoX

  Rejilla(int32_t ancho, int32_t alto, int32_t pasoX, int32_t pasoY, bool holgura) {
    const int32_t ex = holgura ? puzzle.marginX : 0, ey = holgura ? puzzle.marginY : 0;
    x0 = -ex, y0 = -ey;
    rangoX = ancho - puzzle.boxW + 2 * ex;
    rangoY = alto - puzzle.boxH + 2 * ey;
    gx = rangoX >= 0 ? rangoX / std::max(pasoX, 1) + 1 : 0;
    gy = rangoY >= 0 ? rangoY / std::max(pasoY, 1) + 1 : 0;
  }
  int32_t Lugares() const { return gx * gy; }
  int32_t X(int32_t i) const { return x0 + Paso(i, gx, rangoX); }
  int32_t Y(int32_t j) const { return y0 + Paso(j, gy, rangoY); }
  // Column (row) of the place nearest to box position v, about.
  int32_t Columna(int64_t v) const { return Indice(v - x0, gx, rangoX); }
  int32_t Fila(int64_t v) const { return Indice(v - y0, gy, rangoY); }

  // Place k of n spread over [0, rango], and back.
  static int32_t Paso(int32_t k, int32_t n, int32_t rango) {
    return n > 1 ? static_cast<int32_t>(static_cast<int64_t>(k) * rango / (n - 1)) : rango / 2;
  }
  static int32_t Indice(int64_t v, int32_t n, int32_t rango) {
    return n > 1 ? static_cast<int32_t>(v * (n - 1) / std::max(rango, 1)) : 0;
  }

  // Adds 1 to `encima` for every place whose box shares pixels with the box at r.
  void Contar(const PieceRecord& r, std::vector<int32_t>& encima) const {
    const int32_t i0 = std::max(0, Columna(static_cast<int64_t>(r.x) - puzzle.boxW) - 1);
    const int32_t i1 = std::min(gx - 1, Columna(static_cast<int64_t>(r.x) + puzzle.boxW) + 1);
    const int32_t j0 = std::max(0, Fila(static_cast<int64_t>(r.y) - puzzle.boxH) - 1);
    const int32_t j1 = std::min(gy - 1, Fila(static_cast<int64_t>(r.y) + puzzle.boxH) + 1);
    for (int32_t j = j0; j <= j1; ++j)
      for (int32_t i = i0; i <= i1; ++i)
        if (Solapan(r.x, r.y, X(i), Y(j))) ++encima[static_cast<size_t>(j) * gx + i];
  }
};

constexpr int32_t kPasosRejilla = 16;

}  // namespace

int32_t Esparcir() {
  if (!puzzle.Exists() || puzzle.finished) return 0;
  const Board& mesa = puzzle.boards[kTable];
  std::vector<int32_t> sueltas, agrupadas;
  for (int32_t i = mesa.first; i < mesa.first + mesa.count; ++i)
    (Suelta(puzzle.order[i]) ? sueltas : agrupadas).push_back(puzzle.order[i]);
  if (sueltas.empty()) return 0;

  Movimiento movimiento;
  // Dealt, not laid out in picture order.
  for (size_t i = sueltas.size(); i > 1; --i)
    std::swap(sueltas[i - 1], sueltas[static_cast<size_t>(AzarRuntime()) % i]);

  // The widest grid with a free place for every loose piece: a whole box
  // apart, every box on the table, if the table allows (not even the tabs
  // touch); else closer, down to a cell and a tab apart, with the outer
  // tabs allowed over the table's edge: tabs may then touch tabs, but no
  // piece lies over another's body.
  const int32_t n = static_cast<int32_t>(sueltas.size());
  std::vector<int32_t> encima, libres;
  Rejilla rejilla(0, 0, 1, 1, false);
  for (int32_t t = 0; t <= kPasosRejilla; ++t) {
    const int32_t pasoX = puzzle.boxW - puzzle.marginX * t / kPasosRejilla;
    const int32_t pasoY = puzzle.boxH - puzzle.marginY * t / kPasosRejilla;
    rejilla = Rejilla(mesa.Width(), mesa.Height(), pasoX, pasoY, t > 0);
    encima.assign(static_cast<size_t>(rejilla.Lugares()), 0);
    for (int32_t p : agrupadas) rejilla.Contar(puzzle.pieces[p], encima);
    libres.clear();
    for (int32_t k = 0; k < rejilla.Lugares(); ++k)
      if (encima[k] == 0) libres.push_back(k);
    if (static_cast<int32_t>(libres.size()) >= n) break;
  }
  int32_t repartidas = 0;
  if (rejilla.Lugares() == 0) {
    // A table smaller than a piece: they all go to its corner.
    for (int32_t p : sueltas) puzzle.pieces[p].x = puzzle.pieces[p].y = 0;
  } else {
    // Fewer pieces than free places: every so many places, so that they
    // spread over the whole table.
    const int32_t libresN = static_cast<int32_t>(libres.size());
    repartidas = std::min(n, libresN);
    auto Poner = [&](int32_t pieza, int32_t lugar) {
      PieceRecord& r = puzzle.pieces[pieza];
      r.x = rejilla.X(lugar % rejilla.gx);
      r.y = rejilla.Y(lugar / rejilla.gx);
    };
    for (int32_t k = 0; k < repartidas; ++k) {
      Poner(sueltas[k], libres[static_cast<size_t>(static_cast<int64_t>(k) * libresN / repartidas)]);
      rejilla.Contar(puzzle.pieces[sueltas[k]], encima);
    }
    if (repartidas < n) {
      const int32_t lugar = static_cast<int32_t>(std::min_element(encima.begin(), encima.end()) - encima.begin());
      for (int32_t k = repartidas; k < n; ++k) Poner(sueltas[k], lugar);
    }
  }
  puzzle.modified = 1;
  RedibujarTablero(kTable);
  Shell().UpdateBoard(kTable);
  Shell().RefreshMagnifier();
  return repartidas;
}
