// Undo and redo of the player's moves, in memory only.
//
// A move is whatever changes where the pieces lie, their groups, their
// marks, their boards or the finished flag between EmpezarMovimiento and
// TerminarMovimiento: a drop, a hint, a solve, edges to a box, a spread.
// The state before it is kept (records, stacking order, board segments,
// the names of the boxes it renamed); a move that changed none of that is
// forgotten, so a click that only raised a piece is not one.
//
// Undo never winds back the clock or the hint count. A new puzzle, an
// opened game and the start of the finishing sequence clear the history.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "Puzzle.h"

constexpr int32_t kNivelesDeshacer = 250;

class HistorialDeshacer {
 public:
  // Keeps the state now as the start of a move; false (nothing kept) when a
  // move is already open or there is no puzzle.
  bool Empezar();
  // Closes the open move: kept for undo when it changed the puzzle, and
  // then whatever could be redone is gone. The end is a noted change
  // (NoteStateChange) either way, as are an undo, a redo, and a move that
  // Vaciar cuts short.
  void Terminar();
  bool Abierto() const { return abierto_; }

  // False when there is nothing to undo or redo, or a move is open.
  bool Deshacer();
  bool Rehacer();
  bool PuedeDeshacer() const { return !abierto_ && !deshacer_.empty(); }
  bool PuedeRehacer() const { return !abierto_ && !rehacer_.empty(); }
  size_t Niveles() const { return deshacer_.size(); }

  void Vaciar();

 private:
  struct Estado {
    std::vector<PieceRecord> piezas;
    std::vector<int32_t> orden;
    int32_t primero[kBoardCount] = {};
    int32_t cuantas[kBoardCount] = {};
    uint8_t terminado = 0;
    std::string nombres[kBoxCount];
  };
  struct Paso {
    Estado estado;          // what the step gives back
    uint8_t renombradas = 0;  // bit k: box k's name is part of the step
  };

  static void Tomar(Estado& e);
  static bool MismaPartida(const Estado& a, const Estado& b);
  // Puts `paso` back and returns the step that would return to now.
  static Paso Aplicar(Paso& paso);
  // Puts back the last step of `desde` and keeps the way back in `hacia`.
  bool Pasar(std::deque<Paso>& desde, std::deque<Paso>& hacia);

  bool abierto_ = false;
  Estado inicio_;
  std::deque<Paso> deshacer_, rehacer_;
};

HistorialDeshacer& Historial();

// The game's one history, for the engine's moves and the windows.
inline bool EmpezarMovimiento() { return Historial().Empezar(); }
inline void TerminarMovimiento() { Historial().Terminar(); }
inline bool DeshacerMovimiento() { return Historial().Deshacer(); }
inline bool RehacerMovimiento() { return Historial().Rehacer(); }
inline void VaciarHistorial() { Historial().Vaciar(); }

// A move for the length of a scope, unless one is already open.
class Movimiento {
 public:
  Movimiento() : propio_(EmpezarMovimiento()) {}
  ~Movimiento() {
    if (propio_) TerminarMovimiento();
  }
  Movimiento(const Movimiento&) = delete;
  Movimiento& operator=(const Movimiento&) = delete;

 private:
  bool propio_;
};
