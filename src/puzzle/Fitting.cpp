// Fitting a dropped piece to its grid neighbours, merging groups, the end
// of the game, hints and the score.
#include "Fitting.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

#include "Compositor.h"
#include "Deshacer.h"
#include "Puzzle.h"
#include "Utilidades.h"
#include "Verificar.h"

namespace {

// Whether k is a grid neighbour of p (above, right, below, left; at most one
// applies) and where k's box lies relative to p's when both are in place.
bool Vecino(int32_t p, int32_t k, Punto* desplazamiento) {
  const int32_t cols = puzzle.cols;
  if (k == p - cols) {
    *desplazamiento = {0, -puzzle.cellH};
  } else if (k == p + 1 && p % cols != cols - 1) {
    *desplazamiento = {puzzle.cellW, 0};
  } else if (k == p + cols) {
    *desplazamiento = {0, puzzle.cellH};
  } else if (k == p - 1 && p % cols != 0) {
    *desplazamiento = {-puzzle.cellW, 0};
  } else {
    return false;
  }
  return true;
}

// A marked piece that takes part in a fit is unmarked and redrawn.
void Desmarcar(int board, int32_t k) {
  PieceRecord& r = puzzle.pieces[k];
  if (r.unmarked) return;
  r.unmarked = 1;
  DrawBoardRect(board, r.x, r.y, puzzle.boxW, puzzle.boxH, true);
}

bool Completo(int board) {
  const int32_t n = puzzle.PieceCount();
  const Board& b = puzzle.boards[board];
  if (b.count != n) return false;
  for (int32_t i = b.first; i < b.first + b.count; ++i)
    if (puzzle.pieces[puzzle.order[i]].group != n) return false;
  return true;
}

}  // namespace

int32_t HintLimit() {
  return static_cast<int32_t>(static_cast<int64_t>(puzzle.rows) * puzzle.cols * kHintPercent / 100);
}

FitPartner FindFitPartner(int board, int32_t piece, int32_t x, int32_t y, int32_t tolerance) {
  const int32_t g = puzzle.pieces[piece].group;
  const uint8_t turn = puzzle.pieces[piece].turn;
  const Board& b = puzzle.boards[board];
  for (int32_t i = b.first; i < b.first + b.count; ++i) {
    const int32_t k = puzzle.order[i];
    const PieceRecord& r = puzzle.pieces[k];
    if (r.group != 0 && r.group == g) continue;
    // Neighbours join only at the same turn, where the turn puts them.
    if (r.turn != turn) continue;
    Punto d;
    if (!Vecino(piece, k, &d)) continue;
    d = TurnVector(turn, d);
    if (std::abs(r.x - (x + d.x)) > tolerance || std::abs(r.y - (y + d.y)) > tolerance) continue;
    return {k, {r.x - d.x, r.y - d.y}};
  }
  return {};
}

int32_t JoinGroups(int board, int32_t piece, int32_t partner) {
  PieceRecord* const pieces = puzzle.pieces.data();
  const int32_t g = pieces[piece].group;
  const int32_t grupoSocio = pieces[partner].group;
  const int32_t K = grupoSocio != 0 ? grupoSocio : partner + 1;
  if (Verificar(g < 0 || K <= 0)) return 0;
  bool escribirSocio;
  int32_t N;
  if (g == 0) {
    N = std::max(K, piece + 1);
    escribirSocio = grupoSocio == 0 || N != K;
  } else if (K < g) {
    N = g;
    escribirSocio = true;
  } else {
    N = K;
    escribirSocio = grupoSocio == 0;
  }
  if (escribirSocio) {
    if (grupoSocio != 0) {
      const Board& b = puzzle.boards[board];
      for (int32_t i = b.first; i < b.first + b.count; ++i)
        if (pieces[puzzle.order[i]].group == grupoSocio) pieces[puzzle.order[i]].group = N;
    } else {
      pieces[partner].group = N;
    }
  }
  return N;
}

DropResult DropPiece(int to, int from, int32_t piece, int32_t x, int32_t y, int32_t tolerance) {
  if (Verificar(!puzzle.Exists(), "que hago aqui en estas condiciones")) return {};
  PieceRecord* const pieces = puzzle.pieces.data();
  const int32_t g = pieces[piece].group;
  Board& destino = puzzle.boards[to];
  Board& origen = puzzle.boards[from];

  FitPartner socio;
  if (!puzzle.finished) socio = FindFitPartner(to, piece, x, y, tolerance);
  const bool encaja = socio.piece >= 0;
  if (encaja) {
    x = socio.place.x;
    y = socio.place.y;
    Desmarcar(to, socio.piece);
  }

  // The moving run: p alone, or its whole group at the front of `from`.
  // Measured before any id is rewritten, so a partner group that takes the
  // moving group's id is never swept into the run.
  int32_t corrida = 1;
  if (g != 0)
    while (corrida < origen.count && pieces[puzzle.order[origen.first + corrida]].group == g) ++corrida;

  int32_t nuevo = g;  // the moving side's id after the drop
  if (encaja && (nuevo = JoinGroups(to, piece, socio.piece)) == 0) return {};

  // Move.
  Punto antesPos, antesTam, despuesPos, despuesTam;
  RunBounds(origen.first, corrida, &antesPos, &antesTam);
  const int32_t dx = x - pieces[piece].x, dy = y - pieces[piece].y;
  for (int32_t i = origen.first; i < origen.first + corrida; ++i) {
    PieceRecord& r = pieces[puzzle.order[i]];
    r.x += dx;
    r.y += dy;
    if (encaja) r.group = nuevo;
  }
  RunBounds(origen.first, corrida, &despuesPos, &despuesTam);

  bool destinoVacio = false, origenVaciado = false;
  if (to != from) {
    destinoVacio = destino.count == 0;
    MoveBetweenBoards(from, to, corrida);
    origenVaciado = origen.count == 0;
  }

  if (!puzzle.finished && Completo(to)) {
    SolvePuzzle();
    // The finishing sequence starts: a finished puzzle stays finished.
    VaciarHistorial();
    Shell().PuzzleFinished();
    return {encaja, true};
  }

  Punto unionPos, unionTam;
  if (to == from && CruzarRectangulos(antesPos, antesTam, despuesPos, despuesTam, kCruceUnion, &unionPos, &unionTam)) {
    DrawBoardRect(to, unionPos.x, unionPos.y, unionTam.x, unionTam.y, true);
  } else {
    DrawBoardRect(from, antesPos.x, antesPos.y, antesTam.x, antesTam.y, true);
    DrawBoardRect(to, despuesPos.x, despuesPos.y, despuesTam.x, despuesTam.y, true);
  }

  if (destinoVacio) Shell().NotifyBoardParent(to, kBoardGotPieces);
  if (origenVaciado) Shell().NotifyBoardParent(from, kBoardEmptied);
  if (encaja) Shell().PlayFitSound();
  return {encaja, false};
}

void SolvePuzzle() {
  if (puzzle.finished || !puzzle.Exists()) return;
  Movimiento movimiento;
  puzzle.finished = 1;

  const int32_t n = puzzle.PieceCount();
  for (Board& b : puzzle.boards) {
    b.first = 0;
    b.count = 0;
  }
  Board& mesa = puzzle.boards[kTable];
  mesa.count = n;

  const int32_t ox = (mesa.Width() - puzzle.cellW * puzzle.cols) / 2 - puzzle.marginX;
  const int32_t oy = (mesa.Height() - puzzle.cellH * puzzle.rows) / 2 - puzzle.marginY;
  for (int32_t i = 0; i < n; ++i) {
    PieceRecord& r = puzzle.pieces[i];
    r.x = ox + puzzle.cellW * (i % puzzle.cols);
    r.y = oy + puzzle.cellH * (i / puzzle.cols);
    r.group = n;
    r.unmarked = 1;
    r.turn = 0;
  }

  for (int box = 0; box < kBoxCount; ++box) {
    Shell().HideBox(box);
    Shell().NotifyBoardParent(box, kBoardEmptied);
    const Board& b = puzzle.boards[box];
    DrawBoardRect(box, 0, 0, b.Width(), b.Height(), false);
  }
  DrawBoardRect(kTable, 0, 0, mesa.Width(), mesa.Height(), true);
  Shell().UpdateBoard(kTable);

  puzzle.clockIdle = 0;
  KillPuzzleClock();
}

namespace {

// Floor of v / 2.
int64_t Mitad(int64_t v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); }

}  // namespace

void TurnPieces(const std::vector<int32_t>& pieces, Punto pivot2, int quarters) {
  const int q = quarters & 3;
  for (const int32_t k : pieces) {
    PieceRecord& r = puzzle.pieces[static_cast<size_t>(k)];
    r.turn = static_cast<uint8_t>((r.turn + q) & 3);
    if (q == 0) continue;
    // The box's middle, doubled, about the pivot.
    const int64_t rx = 2 * static_cast<int64_t>(r.x) + puzzle.boxW - pivot2.x;
    const int64_t ry = 2 * static_cast<int64_t>(r.y) + puzzle.boxH - pivot2.y;
    const int64_t nx = q == 1 ? -ry : q == 2 ? -rx : ry;
    const int64_t ny = q == 1 ? rx : q == 2 ? -ry : -rx;
    r.x = static_cast<int32_t>(Mitad(pivot2.x + nx - puzzle.boxW));
    r.y = static_cast<int32_t>(Mitad(pivot2.y + ny - puzzle.boxH));
  }
}

void PiecesBounds(const std::vector<int32_t>& pieces, Punto* position, Punto* size) {
  int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (const int32_t k : pieces) {
    const PieceRecord& r = puzzle.pieces[static_cast<size_t>(k)];
    x0 = std::min(x0, r.x);
    y0 = std::min(y0, r.y);
    x1 = std::max(x1, r.x + puzzle.boxW);
    y1 = std::max(y1, r.y + puzzle.boxH);
  }
  *position = {x0, y0};
  *size = {x1 - x0, y1 - y0};
}

void RedrawBoth(int board, Punto aPos, Punto aSize, Punto bPos, Punto bSize, bool skipFront) {
  Punto u, uSize;
  if (CruzarRectangulos(aPos, aSize, bPos, bSize, kCruceUnion, &u, &uSize)) {
    DrawBoardRect(board, u.x, u.y, uSize.x, uSize.y, true, skipFront);
  } else {
    DrawBoardRect(board, aPos.x, aPos.y, aSize.x, aSize.y, true, skipFront);
    DrawBoardRect(board, bPos.x, bPos.y, bSize.x, bSize.y, true, skipFront);
  }
}

namespace {

// Sets piece k's group (k alone when it has none) upright about the middle
// of k's box, redrawing what changed.
void Enderezar(int32_t k) {
  const PieceRecord& r = puzzle.pieces[k];
  if (r.turn == 0) return;
  const Board& mesa = puzzle.boards[kTable];
  const int32_t g = r.group;
  std::vector<int32_t> piezas;
  for (int32_t i = mesa.first; i < mesa.first + mesa.count; ++i) {
    const int32_t p = puzzle.order[i];
    if (p == k || (g != 0 && puzzle.pieces[p].group == g)) piezas.push_back(p);
  }
  const Punto centro2{2 * r.x + puzzle.boxW, 2 * r.y + puzzle.boxH};
  Punto antesPos, antesTam, despuesPos, despuesTam;
  PiecesBounds(piezas, &antesPos, &antesTam);
  TurnPieces(piezas, centro2, (4 - r.turn) & 3);
  PiecesBounds(piezas, &despuesPos, &despuesTam);
  RedrawBoth(kTable, antesPos, antesTam, despuesPos, despuesTam, false);
}

}  // namespace

bool HintPuzzle() {
  if (puzzle.finished || !puzzle.Exists()) return true;
  Movimiento movimiento;
  const Board& mesa = puzzle.boards[kTable];
  // A pair whose first piece lies upright first: the hint lays the second
  // upright beside it; failing that, the first is set upright too.
  for (const bool derecha : {true, false})
    for (int32_t i = 0; i < mesa.count; ++i) {
      const int32_t a = puzzle.order[mesa.first + i];
      if (derecha && puzzle.pieces[a].turn != 0) continue;
      for (int32_t j = i + 1; j < mesa.count; ++j) {
        const int32_t b = puzzle.order[mesa.first + j];
        const int32_t ga = puzzle.pieces[a].group;
        if (ga != 0 && ga == puzzle.pieces[b].group) continue;
        Punto d;
        if (!Vecino(a, b, &d)) continue;
        Enderezar(a);
        Enderezar(b);
        Desmarcar(kTable, b);
        BringToFront(kTable, j, false);
        const PieceRecord& ra = puzzle.pieces[a];
        DropPiece(kTable, kTable, b, ra.x + d.x, ra.y + d.y);
        ++puzzle.hints;
        return puzzle.hints < HintLimit();
      }
    }
  return true;
}

void ScorePuzzle(int32_t* pieces, int32_t* percentage, int32_t* score) {
  *pieces = *percentage = *score = 0;
  if (!puzzle.Exists()) return;
  const int32_t n = puzzle.PieceCount();
  int32_t c = 0;
  for (int32_t i = 0; i < n; ++i)
    if (puzzle.pieces[i].group == 0 || puzzle.pieces[i].group == i + 1) ++c;

  *pieces = n;
  // A one-piece grid cannot be cut, but it would count as whole.
  *percentage = n > 1 ? static_cast<int32_t>((n - c) * 100.0 / (n - 1)) : 100;
  const double s = *percentage * static_cast<double>(n - puzzle.hints) * n * 10.0 / (puzzle.seconds / 7u + 1.0) *
                   (puzzle.turned ? kTurnedScoreFactor : 1);
  // Large grids can exceed the 32-bit range; the score saturates instead.
  *score = s >= static_cast<double>(INT32_MAX) ? INT32_MAX
           : s <= static_cast<double>(INT32_MIN) ? INT32_MIN
                                                  : static_cast<int32_t>(s);
}
