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

int32_t Esparcir() {
  if (!puzzle.Exists() || puzzle.finished) return 0;
  const Board& mesa = puzzle.boards[kTable];
  std::vector<int32_t> sueltas;
  for (int32_t i = mesa.first; i < mesa.first + mesa.count; ++i)
    if (Suelta(puzzle.order[i])) sueltas.push_back(puzzle.order[i]);
  if (sueltas.empty()) return 0;

  Movimiento movimiento;
  // Dealt, not laid out in picture order.
  for (size_t i = sueltas.size(); i > 1; --i)
    std::swap(sueltas[i - 1], sueltas[static_cast<size_t>(AzarRuntime()) % i]);

  // The places: as many box-sized cells as the table holds, spread evenly.
  const int32_t W = mesa.Width(), H = mesa.Height();
  const int32_t gx = puzzle.boxW > 0 ? W / puzzle.boxW : 0, gy = puzzle.boxH > 0 ? H / puzzle.boxH : 0;
  const int32_t lugares = gx * gy;
  if (lugares == 0) {
    // A table smaller than a piece: they all go to its corner.
    for (int32_t p : sueltas) puzzle.pieces[p].x = puzzle.pieces[p].y = 0;
    puzzle.modified = 1;
    RedibujarTablero(kTable);
    return 0;
  }
  const int32_t cw = W / gx, ch = H / gy;
  auto LugarX = [&](int32_t k) { return k % gx * cw + (cw - puzzle.boxW) / 2; };
  auto LugarY = [&](int32_t k) { return k / gx * ch + (ch - puzzle.boxH) / 2; };

  // How many pieces overlap each place; a group's piece makes it taken.
  std::vector<int32_t> encima(static_cast<size_t>(lugares), 0);
  auto Contar = [&](const PieceRecord& r) {
    const int32_t i0 = std::max(0, (r.x - puzzle.boxW) / cw - 1), i1 = std::min(gx - 1, (r.x + puzzle.boxW) / cw + 1);
    const int32_t j0 = std::max(0, (r.y - puzzle.boxH) / ch - 1), j1 = std::min(gy - 1, (r.y + puzzle.boxH) / ch + 1);
    for (int32_t j = j0; j <= j1; ++j)
      for (int32_t i = i0; i <= i1; ++i)
        if (Solapan(r.x, r.y, LugarX(j * gx + i), LugarY(j * gx + i))) ++encima[j * gx + i];
  };
  for (int32_t i = mesa.first; i < mesa.first + mesa.count; ++i)
    if (!Suelta(puzzle.order[i])) Contar(puzzle.pieces[puzzle.order[i]]);
  std::vector<int32_t> libres;
  for (int32_t k = 0; k < lugares; ++k)
    if (encima[k] == 0) libres.push_back(k);

  // Fewer pieces than free places: every so many places, so that they
  // spread over the whole table.
  const int32_t n = static_cast<int32_t>(sueltas.size()), libresN = static_cast<int32_t>(libres.size());
  const int32_t repartidas = std::min(n, libresN);
  for (int32_t k = 0; k < repartidas; ++k) {
    const int32_t lugar = libres[static_cast<size_t>(static_cast<int64_t>(k) * libresN / repartidas)];
    PieceRecord& r = puzzle.pieces[sueltas[k]];
    r.x = LugarX(lugar);
    r.y = LugarY(lugar);
    Contar(r);
  }
  if (repartidas < n) {
    const int32_t lugar = static_cast<int32_t>(std::min_element(encima.begin(), encima.end()) - encima.begin());
    for (int32_t k = repartidas; k < n; ++k) {
      PieceRecord& r = puzzle.pieces[sueltas[k]];
      r.x = LugarX(lugar);
      r.y = LugarY(lugar);
    }
  }
  puzzle.modified = 1;
  RedibujarTablero(kTable);
  Shell().UpdateBoard(kTable);
  Shell().RefreshMagnifier();
  return repartidas;
}
