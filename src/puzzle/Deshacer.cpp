#include "Deshacer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Compositor.h"

namespace {

std::string NombreCaja(int caja) {
  char texto[64] = {};
  const int32_t n = Shell().GetBoxName(caja, texto, sizeof texto);
  return std::string(texto, static_cast<size_t>(std::clamp<int32_t>(n, 0, sizeof texto - 1)));
}

bool MismosRegistros(const std::vector<PieceRecord>& a, const std::vector<PieceRecord>& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].group != b[i].group || a[i].unmarked != b[i].unmarked || a[i].turn != b[i].turn || a[i].x != b[i].x ||
        a[i].y != b[i].y)
      return false;
  return true;
}

}  // namespace

HistorialDeshacer& Historial() {
  static HistorialDeshacer h;
  return h;
}

void HistorialDeshacer::Tomar(Estado& e) {
  e.piezas = puzzle.pieces;
  e.orden = puzzle.order;
  for (int b = 0; b < kBoardCount; ++b) {
    e.primero[b] = puzzle.boards[b].first;
    e.cuantas[b] = puzzle.boards[b].count;
  }
  e.terminado = puzzle.finished;
  for (int k = 0; k < kBoxCount; ++k) e.nombres[k] = NombreCaja(k);
}

// Board membership, records and the finished flag; the stacking order alone
// does not make a move.
bool HistorialDeshacer::MismaPartida(const Estado& a, const Estado& b) {
  if (a.terminado != b.terminado) return false;
  if (!std::equal(a.cuantas, a.cuantas + kBoardCount, b.cuantas)) return false;
  return MismosRegistros(a.piezas, b.piezas);
}

bool HistorialDeshacer::Empezar() {
  if (abierto_ || !puzzle.Exists()) return false;
  try {
    Tomar(inicio_);
  } catch (const std::bad_alloc&) {
    return false;
  }
  abierto_ = true;
  return true;
}

void HistorialDeshacer::Terminar() {
  if (!abierto_) return;
  abierto_ = false;
  // Noted even when nothing changed: it ended a drag, whose times are new.
  NoteStateChange();
  if (!puzzle.Exists() || inicio_.piezas.size() != puzzle.pieces.size()) return;
  Paso paso;
  try {
    Tomar(paso.estado);
  } catch (const std::bad_alloc&) {
    return;
  }
  uint8_t renombradas = 0;
  for (int k = 0; k < kBoxCount; ++k)
    if (paso.estado.nombres[k] != inicio_.nombres[k]) renombradas |= static_cast<uint8_t>(1u << k);
  if (renombradas == 0 && MismaPartida(paso.estado, inicio_)) return;
  paso.estado = std::move(inicio_);
  paso.renombradas = renombradas;
  rehacer_.clear();
  deshacer_.push_back(std::move(paso));
  while (deshacer_.size() > static_cast<size_t>(kNivelesDeshacer)) deshacer_.pop_front();
}

HistorialDeshacer::Paso HistorialDeshacer::Aplicar(Paso& paso) {
  Paso vuelta;
  Tomar(vuelta.estado);
  vuelta.renombradas = paso.renombradas;
  const Estado& e = paso.estado;
  const Estado& ahora = vuelta.estado;

  puzzle.pieces = e.piezas;
  puzzle.order = e.orden;
  for (int b = 0; b < kBoardCount; ++b) {
    puzzle.boards[b].first = e.primero[b];
    puzzle.boards[b].count = e.cuantas[b];
  }
  for (int k = 0; k < kBoxCount; ++k)
    if (paso.renombradas & (1u << k)) Shell().SetBoxName(k, e.nombres[k].c_str());

  // The clock: a solve undone waits for the next press, a solve redone
  // stops it.
  if (ahora.terminado && !e.terminado) {
    puzzle.finished = 0;
    puzzle.clockIdle = 1;
  } else if (!ahora.terminado && e.terminado) {
    puzzle.finished = 1;
    puzzle.clockIdle = 0;
    KillPuzzleClock();
  }
  puzzle.modified = 1;

  // Only the boards whose pieces differ are composed again.
  for (int b = 0; b < kBoardCount; ++b) {
    bool igual = e.primero[b] == ahora.primero[b] && e.cuantas[b] == ahora.cuantas[b];
    for (int32_t i = e.primero[b]; igual && i < e.primero[b] + e.cuantas[b]; ++i) {
      const int32_t p = e.orden[i];
      const PieceRecord &r = e.piezas[p], &s = ahora.piezas[p];
      igual = ahora.orden[i] == p && r.x == s.x && r.y == s.y && r.group == s.group && r.unmarked == s.unmarked;
    }
    if (igual) continue;
    const Board& tablero = puzzle.boards[b];
    DrawBoardRect(b, 0, 0, tablero.Width(), tablero.Height(), true);
  }
  for (int k = 0; k < kBoxCount; ++k) {
    if (ahora.cuantas[k] == 0 && e.cuantas[k] != 0) Shell().NotifyBoardParent(k, kBoardGotPieces);
    if (ahora.cuantas[k] != 0 && e.cuantas[k] == 0) Shell().NotifyBoardParent(k, kBoardEmptied);
  }
  Shell().UpdateBoard(kTable);
  Shell().RefreshMagnifier();
  return vuelta;
}

bool HistorialDeshacer::Pasar(std::deque<Paso>& desde, std::deque<Paso>& hacia) {
  if (abierto_ || desde.empty() || !puzzle.Exists()) return false;
  NoteStateChange();
  try {
    Paso vuelta = Aplicar(desde.back());
    desde.pop_back();
    hacia.push_back(std::move(vuelta));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

bool HistorialDeshacer::Deshacer() { return Pasar(deshacer_, rehacer_); }

bool HistorialDeshacer::Rehacer() { return Pasar(rehacer_, deshacer_); }

void HistorialDeshacer::Vaciar() {
  // A move cut short here (the drop that finishes) still ended.
  if (abierto_) NoteStateChange();
  abierto_ = false;
  deshacer_.clear();
  rehacer_.clear();
  inicio_ = Estado{};
}
