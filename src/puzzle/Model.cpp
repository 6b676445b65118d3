#include <algorithm>
#include <climits>
#include <new>

#include "ArchivoBMP.h"
#include "Compositor.h"
#include "Deshacer.h"
#include "Puzzle.h"
#include "Verificar.h"

PuzzleState puzzle;

namespace {

// Side effects go nowhere until the window system installs its shell.
SilentPuzzleShell g_sinShell;
uint32_t g_generacion = 0;
uint32_t g_cambios = 0;
PuzzleShell* g_shell = &g_sinShell;

template <typename T>
void Liberar(std::vector<T>& v) {
  std::vector<T>().swap(v);
}

void LiberarPuzzle() {
  // Another puzzle, or none: the moves of this one cannot be undone.
  VaciarHistorial();
  ++g_generacion;
  NoteStateChange();
  // A new sheet may come back at the same address: drop the drawn shapes.
  ForgetPieceShapes();
  // The sheet's memory is kept for the next cut (tens of megabytes on a
  // large screen that would otherwise be faulted in again page by page).
  puzzle.sheet.clear();
  puzzle.bevel.clear();
  puzzle.colours.clear();
  Liberar(puzzle.pieces);
  Liberar(puzzle.order);
  Liberar(puzzle.scratch);
}

}  // namespace

void SetPuzzleShell(PuzzleShell* shell) { g_shell = shell ? shell : &g_sinShell; }

PuzzleShell& Shell() { return *g_shell; }

uint32_t PuzzleGeneration() { return g_generacion; }

void NoteStateChange() { ++g_cambios; }

uint32_t StateChanges() { return g_cambios; }

bool AllocatePuzzle() {
  LiberarPuzzle();
  const int64_t n = static_cast<int64_t>(puzzle.rows) * puzzle.cols;
  const int64_t sheetW = static_cast<int64_t>(puzzle.boxW) * puzzle.cols;
  const int64_t altura = static_cast<int64_t>(puzzle.boxH) * puzzle.rows;
  if (n < 1 || sheetW < 1 || altura < 1 || sheetW > INT32_MAX || altura > INT32_MAX) return false;
  const int64_t coloursW = static_cast<int64_t>(puzzle.cols - 1) * puzzle.cellW + puzzle.boxW;
  const int64_t coloursH = static_cast<int64_t>(puzzle.rows - 1) * puzzle.cellH + puzzle.boxH;
  if (puzzle.cellW < 0 || puzzle.cellH < 0 || coloursW > INT32_MAX) return false;
  try {
    puzzle.sheet.assign(static_cast<size_t>(sheetW * altura), 0);
    puzzle.colours.assign(static_cast<size_t>(coloursW * coloursH * 3), 0);
    puzzle.pieces.assign(static_cast<size_t>(n), PieceRecord{0, 1, 0, {0, 0}, 0, 0});
    puzzle.order.assign(static_cast<size_t>(n), 0);
    puzzle.scratch.assign(static_cast<size_t>(n), 0);
  } catch (const std::bad_alloc&) {
    LiberarPuzzle();
    return false;
  }
  puzzle.sheetW = static_cast<int32_t>(sheetW);
  puzzle.coloursW = static_cast<int32_t>(coloursW);
  puzzle.sheetLastRow = static_cast<int32_t>(altura - 1);
  return true;
}

void KillPuzzleClock() {
  if (puzzle.clockRunning) Shell().KillClockTimer();
  puzzle.clockRunning = false;
}

void ClosePuzzle(bool redraw) {
  LiberarPuzzle();
  for (int b = 0; b < kBoardCount; ++b) {
    if (puzzle.boards[b].count != 0) Shell().NotifyBoardParent(b, kBoardEmptied);
    puzzle.boards[b].count = 0;
    puzzle.boards[b].first = 0;
  }
  if (redraw) {
    DrawAllBoards(true);
    Shell().ShowTime(0, 0, 0, 0);
    Shell().RefreshMagnifier();
  }
  imagenActual.Cerrar();
  puzzle.clockIdle = 0;
  KillPuzzleClock();
  Shell().SetWaitCursor(false);
}

void ClearPuzzle() {
  ClosePuzzle(false);
  puzzle.rows = puzzle.cols = 0;
}

void MovePieceBlock(int32_t s, int32_t k, int32_t d) {
  if (s == d) return;
  const int32_t n = static_cast<int32_t>(puzzle.order.size());
  if (Verificar(s < 0 || s >= n || d < 0 || d >= n, "buffers salen del rango indicado")) return;
  if (Verificar(k < 0 || s + k > n, "sale del rango")) return;
  if (Verificar(d + k > n, "se sale del rango")) return;
  int32_t* orden = puzzle.order.data();
  std::copy(orden + s, orden + s + k, puzzle.scratch.data());
  if (s < d)
    std::copy(orden + s + k, orden + d + k, orden + s);
  else
    std::copy_backward(orden + d, orden + s, orden + s + k);
  std::copy(puzzle.scratch.data(), puzzle.scratch.data() + k, orden + d);
}

void MoveBetweenBoards(int f, int t, int32_t k) {
  Board* b = puzzle.boards;
  if (t < f) {
    MovePieceBlock(b[f].first, k, b[t].first);
    for (int i = t + 1; i <= f; ++i) b[i].first += k;
  } else if (t > f) {
    for (int i = f + 1; i <= t; ++i) b[i].first -= k;
    MovePieceBlock(b[f].first, k, b[t].first);
  }
  b[t].count += k;
  b[f].count -= k;
}

void BringToFront(int board, int32_t p, bool redraw) {
  Board& b = puzzle.boards[board];
  if (p > 0) MovePieceBlock(b.first + p, 1, b.first);
  const int32_t frente = puzzle.order[b.first];
  const PieceRecord& P = puzzle.pieces[frente];
  const bool marcado = P.unmarked == 0;
  const int32_t grupo = P.group;

  int32_t x0 = P.x, y0 = P.y, x1 = P.x + puzzle.boxW, y1 = P.y + puzzle.boxH;
  if (marcado || grupo != 0) {
    int32_t libre = 1;
    for (int32_t i = 1; i < b.count; ++i) {
      const int32_t pieza = puzzle.order[b.first + i];
      const PieceRecord& r = puzzle.pieces[pieza];
      if (marcado ? r.unmarked == 0 : r.group == grupo) {
        if (i != libre) MovePieceBlock(b.first + i, 1, b.first + libre);
        ++libre;
        x0 = std::min(x0, r.x);
        y0 = std::min(y0, r.y);
        x1 = std::max(x1, r.x + puzzle.boxW);
        y1 = std::max(y1, r.y + puzzle.boxH);
      }
    }
  }
  if (redraw) DrawBoardRect(board, x0, y0, x1 - x0, y1 - y0, false);
}

void RunBounds(int32_t start, int32_t count, Punto* position, Punto* size) {
  int32_t x0 = INT32_MAX, y0 = INT32_MAX, x1 = INT32_MIN, y1 = INT32_MIN;
  for (int32_t i = start; i < start + count; ++i) {
    const PieceRecord& r = puzzle.pieces[puzzle.order[i]];
    x0 = std::min(x0, r.x);
    y0 = std::min(y0, r.y);
    x1 = std::max(x1, r.x + puzzle.boxW);
    y1 = std::max(y1, r.y + puzzle.boxH);
  }
  *position = {x0, y0};
  *size = {x1 - x0, y1 - y0};
}

void PuzzleClockTick() {
  if (Verificar(puzzle.finished != 0, "si ya se termino el puzzle por que sigo contando?")) return;
  if (puzzle.paused) return;
  const uint32_t s = ++puzzle.seconds;
  Shell().ShowTime(s, s / 3600, (s / 60) % 60, s % 60);
}

void ClearPuzzleClock() {
  puzzle.clockIdle = 0;
  Shell().ShowTime(0, 0, 0, 0);
}

void PausePuzzleClock() { puzzle.paused = 1; }

void ResumePuzzleClock() { puzzle.paused = 0; }

void OpenBoard(int board) {
  Board& b = puzzle.boards[board];
  b.bits.clear();
  b.count = 0;
  b.copies.Vaciar();
}

void ReleaseBoard(int board) {
  std::vector<uint8_t>().swap(puzzle.boards[board].bits);
  puzzle.boards[board].copies.Vaciar();
}

void KeepScaledCopies(int board, bool keep) {
  Board& b = puzzle.boards[board];
  b.withCopies = keep;
  if (!keep)
    b.copies.Vaciar();
  else if (b.HasImage())
    b.copies.Rehacer(b.Image());
}

namespace {

// Zeroed 24-bit rows for a w x h image; empty when memory runs out.
std::vector<uint8_t> Pixeles(int32_t w, int32_t h) {
  std::vector<uint8_t> nueva;
  try {
    nueva.assign(static_cast<size_t>((w * 3 + 3) & ~3) * h, 0);
  } catch (const std::bad_alloc&) {
    nueva.clear();
  }
  return nueva;
}

// The board takes a w x h image of those rows.
void Poner(Board& b, int32_t w, int32_t h, std::vector<uint8_t>& pixeles) {
  b.header = CabeceraInfoBMP{};
  b.header.biSize = sizeof(CabeceraInfoBMP);
  b.header.biWidth = w;
  b.header.biHeight = h;
  b.header.biPlanes = 1;
  b.header.biBitCount = 24;
  b.bits.swap(pixeles);
  std::vector<uint8_t>().swap(pixeles);
  b.stride = (w * 3 + 3) & ~3;
  b.lastRow = h - 1;
}

}  // namespace

bool SizeBoardImage(int board, int32_t w, int32_t h) {
  Board& b = puzzle.boards[board];
  if (w < 1 || h < 1) return false;
  // The old image goes first, so a large table is never held twice; when
  // the new one cannot be had, the board gets its old size back, blank.
  const int32_t anchoViejo = b.Width(), altoViejo = b.Height();
  const bool tenia = b.HasImage();
  std::vector<uint8_t>().swap(b.bits);
  std::vector<uint8_t> nueva = Pixeles(w, h);
  if (!nueva.empty()) {
    Poner(b, w, h, nueva);
    return true;
  }
  if (tenia && !(nueva = Pixeles(anchoViejo, altoViejo)).empty()) Poner(b, anchoViejo, altoViejo, nueva);
  return false;
}

bool ResizeBoard(int board, int32_t w, int32_t h) {
  Board& b = puzzle.boards[board];
  if (w < 1 || h < 1) return false;
  const bool primera = !b.HasImage();
  if (!primera && (w < 2 || h < 2)) return true;
  const int32_t anchoViejo = b.Width(), altoViejo = b.Height();
  std::vector<uint8_t> nueva = Pixeles(w, h);
  if (nueva.empty()) return false;
  if (!primera) {
    // Keep the overlapping top-left part: rows counted from the top.
    const int32_t filas = std::min(h, altoViejo);
    const int32_t bytes = std::min(w, anchoViejo) * 3;
    const int64_t stride = (w * 3 + 3) & ~3;
    for (int32_t py = 0; py < filas; ++py)
      std::copy_n(b.Row(py), bytes, nueva.data() + static_cast<int64_t>(h - 1 - py) * stride);
  }
  Poner(b, w, h, nueva);
  if (primera) {
    DrawBoardRect(board, 0, 0, w, h, false);
  } else {
    if (w > anchoViejo) DrawBoardRect(board, anchoViejo, 0, w - anchoViejo, std::min(h, altoViejo), true);
    if (h > altoViejo) DrawBoardRect(board, 0, altoViejo, w, h - altoViejo, true);
  }
  return true;
}
