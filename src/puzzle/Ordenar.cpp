#include "Ordenar.h"

#include <algorithm>
#include <vector>

#include "Compositor.h"
#include "Deshacer.h"
#include "Drag.h"
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

// The steps of a box's rows: a cell and a tab, so tabs may touch tabs but
// every body shows, and a piece never lands within fitting reach of a
// neighbour on the next place.
int32_t PasoX() { return puzzle.cellW + puzzle.marginX; }
int32_t PasoY() { return puzzle.cellH + puzzle.marginY; }

// Places in a row of `largo` pixels for boxes of `caja` at steps of `paso`.
int32_t Lugares(int32_t largo, int32_t caja, int32_t paso) { return std::max(1, (largo - caja) / std::max(paso, 1) + 1); }

int32_t Sueltos(bool (*cumple)(int32_t)) {
  const Board& mesa = puzzle.boards[kTable];
  const int32_t* inicio = puzzle.order.data() + mesa.first;
  return static_cast<int32_t>(std::count_if(inicio, inicio + mesa.count, cumple));
}

bool BordeSuelto(int32_t p) { return Suelta(p) && EsPiezaBorde(p); }

}  // namespace

bool EsPiezaBorde(int32_t p) {
  const int32_t fila = p / puzzle.cols, columna = p % puzzle.cols;
  return fila == 0 || fila == puzzle.rows - 1 || columna == 0 || columna == puzzle.cols - 1;
}

int CajaVaciaParaBordes() {
  int caja = 0;
  while (caja < kBoxCount && puzzle.boards[caja].count != 0) ++caja;
  return caja < kBoxCount ? caja : kBordesSinCaja;
}

int32_t BordesSueltos() { return puzzle.Exists() && !puzzle.finished ? Sueltos(BordeSuelto) : 0; }

Punto TamañoCajaPara(int32_t piezas, Punto actual, Punto maximo) {
  const int32_t pasoX = PasoX(), pasoY = PasoY();
  Punto t{std::max(actual.x, puzzle.boxW), std::max(actual.y, puzzle.boxH)};
  int32_t columnas = Lugares(t.x, puzzle.boxW, pasoX), filas = Lugares(t.y, puzzle.boxH, pasoY);
  // Whole steps only, so that the new places lie where the rows put them.
  const auto Ancho = [&](int32_t c) { return std::max(t.x, puzzle.boxW + (c - 1) * pasoX); };
  const auto Alto = [&](int32_t f) { return std::max(t.y, puzzle.boxH + (f - 1) * pasoY); };
  while (static_cast<int64_t>(columnas) * filas < piezas) {
    const bool masAncho = Ancho(columnas + 1) <= maximo.x, masAlto = Alto(filas + 1) <= maximo.y;
    if (masAncho && (!masAlto || Ancho(columnas) <= Alto(filas)))
      ++columnas;
    else if (masAlto)
      ++filas;
    else
      break;
  }
  return {std::max(actual.x, Ancho(columnas)), std::max(actual.y, Alto(filas))};
}

std::vector<Punto> LugaresEnCaja(int caja, int32_t n) {
  std::vector<Punto> lugares;
  if (caja < 0 || caja >= kBoxCount || n <= 0 || !puzzle.Exists()) return lugares;
  const Board& b = puzzle.boards[caja];
  const int32_t pasoX = PasoX(), pasoY = PasoY();
  const int32_t porFila = Lugares(b.Width(), puzzle.boxW, pasoX), filas = Lugares(b.Height(), puzzle.boxH, pasoY);
  // How many pieces' cells cover each place's cell.
  std::vector<int32_t> encima(static_cast<size_t>(porFila) * filas, 0);
  const auto Cubrir = [&](int32_t x, int32_t y) {
    for (size_t k = 0; k < encima.size(); ++k) {
      const int32_t lx = static_cast<int32_t>(k % porFila) * pasoX, ly = static_cast<int32_t>(k / porFila) * pasoY;
      if (x < lx + puzzle.cellW && lx < x + puzzle.cellW && y < ly + puzzle.cellH && ly < y + puzzle.cellH) ++encima[k];
    }
  };
  for (int32_t i = b.first; i < b.first + b.count; ++i) {
    const PieceRecord& r = puzzle.pieces[puzzle.order[i]];
    Cubrir(r.x, r.y);
  }
  // A place covered already takes the next piece a tab's depth lower right,
  // so that a strip of the body under it still shows to be picked.
  const int32_t desvioX = std::max(1, puzzle.marginX), desvioY = std::max(1, puzzle.marginY);
  lugares.reserve(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(std::min_element(encima.begin(), encima.end()) - encima.begin());
    const int32_t capa = encima[k] % 4;
    const Punto p{std::min(static_cast<int32_t>(k % porFila) * pasoX + capa * desvioX, std::max(0, b.Width() - puzzle.boxW)),
                  std::min(static_cast<int32_t>(k / porFila) * pasoY + capa * desvioY, std::max(0, b.Height() - puzzle.boxH))};
    lugares.push_back(p);
    Cubrir(p.x, p.y);
  }
  return lugares;
}

DropResult SoltarEnCaja(int desde, int caja) {
  Board& origen = puzzle.boards[desde];
  const int32_t frente = puzzle.order[origen.first];
  const PieceRecord& f = puzzle.pieces[frente];
  if (caja < 0 || caja >= kBoxCount || caja == desde) {
    CancelPieceDrop(desde);
    return {};
  }
  if (f.unmarked != 0 && f.group != 0) {
    // A group keeps its shape, in the middle of the box.
    const Board& b = puzzle.boards[caja];
    return PutDownPiece(desde, caja, (b.Width() - puzzle.boxW) / 2, (b.Height() - puzzle.boxH) / 2);
  }
  int32_t corrida = 1;
  if (f.unmarked == 0)
    while (corrida < origen.count && puzzle.pieces[puzzle.order[origen.first + corrida]].unmarked == 0) ++corrida;
  const std::vector<Punto> lugares = LugaresEnCaja(caja, corrida);
  if (corrida == 1) return PutDownPiece(desde, caja, lugares[0].x, lugares[0].y);
  // A marked selection moves as one: each piece is given its place first,
  // so the move itself shifts none, and where they lay is repainted after.
  Punto antes, tamaño;
  RunBounds(origen.first, corrida, &antes, &tamaño);
  for (int32_t i = 0; i < corrida; ++i) {
    PieceRecord& r = puzzle.pieces[puzzle.order[origen.first + i]];
    r.x = lugares[static_cast<size_t>(i)].x, r.y = lugares[static_cast<size_t>(i)].y;
  }
  PutDownPiece(desde, caja, lugares[0].x, lugares[0].y);
  DrawBoardRect(desde, antes.x, antes.y, tamaño.x, tamaño.y, true);
  return {};
}

int BordesACaja(const char* nombre) {
  if (!puzzle.Exists() || puzzle.finished) return kBordesNinguno;
  Board& mesa = puzzle.boards[kTable];
  int32_t* inicio = puzzle.order.data() + mesa.first;
  const int32_t bordes = Sueltos(BordeSuelto);
  if (bordes == 0) return kBordesNinguno;
  const int caja = CajaVaciaParaBordes();
  if (caja == kBordesSinCaja) return kBordesSinCaja;

  Movimiento movimiento;
  // The edge pieces to the front of the table, in their order, then over.
  std::stable_partition(inicio, inicio + mesa.count, BordeSuelto);
  MoveBetweenBoards(kTable, caja, bordes);

  // Rows of places a cell and a margin apart: tabs may overlap, each piece
  // shows; when the box is full, the next layer starts a little lower right.
  const Board& b = puzzle.boards[caja];
  const int32_t pasoX = PasoX(), pasoY = PasoY();
  const int32_t ancho = std::max(b.Width(), puzzle.boxW), alto = std::max(b.Height(), puzzle.boxH);
  const int32_t porFila = Lugares(ancho, puzzle.boxW, pasoX);
  const int32_t filas = Lugares(alto, puzzle.boxH, pasoY);
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
  // Adds `peso` for every place whose box shares pixels with zone z.
  void Tapar(const Zona& z, int32_t peso, std::vector<int32_t>& encima) const {
    if (z.ancho <= 0 || z.alto <= 0) return;
    for (int32_t j = 0; j < gy; ++j)
      for (int32_t i = 0; i < gx; ++i)
        if (X(i) < z.x + z.ancho && z.x < X(i) + puzzle.boxW && Y(j) < z.y + z.alto && z.y < Y(j) + puzzle.boxH)
          encima[static_cast<size_t>(j) * gx + i] += peso;
  }
};

constexpr int32_t kPasosRejilla = 16;

}  // namespace

int32_t Esparcir(const std::vector<Zona>& tapadas) {
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
    // Weighed as more pieces than there are, so the pile goes there last.
    for (const Zona& z : tapadas) rejilla.Tapar(z, n + 1, encima);
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
