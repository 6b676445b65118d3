// The one puzzle of the program: grid and measures, the piece sheet, the
// piece records, the seven boards and the single order array that keeps
// every board's pieces in stacking order, and the game's flags.
//
// Portable: the engine never calls the window system. What it needs done
// on screen goes through PuzzleShell, which the Win32 side implements (and
// tests fake).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "Binario.h"
#include "CopiasReducidas.h"
#include "Punto.h"

// Boards 0-5 are the piece boxes, 6 is the table; a board window's control
// id is 100 + its index.
constexpr int kBoxCount = 6;
constexpr int kTable = 6;
constexpr int kBoardCount = 7;

// Notification codes a board sends its parent (message 1324).
constexpr int kBoardEmptied = 1;
constexpr int kBoardGotPieces = 2;

// One piece, exactly as it is stored in a puzzle file.
struct PieceRecord {
  int32_t group;     // 0 alone, else 1 + the largest piece number of its group
  uint8_t unmarked;  // 1 drawn normally, 0 marked by a rubber band
  uint8_t turn;      // clockwise quarter turns from upright, 0-3
  uint8_t padding[2];
  int32_t x;  // piece box position in its board's client coordinates
  int32_t y;
};
static_assert(sizeof(PieceRecord) == 16);

// A board's image and its segment of the order array. The image is 24-bit,
// bottom-up, rows padded to 4 bytes: client row py is stored at lastRow - py.
struct Board {
  CabeceraInfoBMP header{};
  std::vector<uint8_t> bits;  // empty until the first size
  int32_t stride = 0;
  int32_t lastRow = -1;
  int32_t first = 0;
  int32_t count = 0;
  // A table larger than its window also keeps pre-scaled copies, brought
  // up to date with every recomposed rectangle.
  bool withCopies = false;
  CopiasReducidas copies;

  int32_t Width() const { return header.biWidth; }
  int32_t Height() const { return header.biHeight; }
  Punto Size() const { return {Width(), Height()}; }
  bool HasImage() const { return !bits.empty(); }
  uint8_t* Row(int32_t py) { return bits.data() + static_cast<int64_t>(lastRow - py) * stride; }
  ImagenBGR Image() const {
    return {bits.data() + static_cast<int64_t>(lastRow) * stride, -static_cast<int64_t>(stride), Width(), Height()};
  }
};

// The screen format the drag sprite is converted to (probed by the shell).
struct DisplayFormat {
  int32_t bits = 32;        // 16, 24 or 32
  bool bitFields = true;    // masks given (16 and 32 bits)
  uint32_t masks[3] = {0x00FF0000u, 0x0000FF00u, 0x000000FFu};  // red, green, blue
  // 16 bits: per channel (red, green, blue) a shift and a divisor.
  int32_t shift[3] = {};
  int32_t divisor[3] = {};
};

struct PuzzleState {
  // Grid and measures.
  int32_t rows = 0, cols = 0;
  double scale = 1.0;
  int32_t cellW = 0, cellH = 0;
  int32_t marginX = 0, marginY = 0;
  int32_t boxW = 0, boxH = 0;
  int32_t dieRows = 0, dieCols = 0, dieId = 0;
  int32_t sheetW = 0, sheetLastRow = -1;

  // The pieces' coverage, a byte a pixel, bottom-up (1 = the piece's pixel).
  // Piece i owns the box at (i % cols * boxW, i / cols * boxH) from the top.
  std::vector<uint8_t> sheet;
  // One byte per sheet pixel, in the sheet's layout: the piece's bevel
  // there (see Relieve.h); empty when the pieces are drawn flat.
  std::vector<uint8_t> bevel;
  // The picture's colours (blue, green, red), top-down, once for all the
  // pieces: box pixel (x, y) of the piece in row R, column C is colour
  // pixel (C * cellW + x, R * cellH + y), so every box lies inside it.
  std::vector<uint8_t> colours;
  int32_t coloursW = 0;
  std::vector<PieceRecord> pieces;
  std::vector<int32_t> order;  // seven segments, board 0 first; front piece first
  std::vector<int32_t> scratch;  // for moving blocks of the order array

  Board boards[kBoardCount];

  // Game.
  uint32_t seconds = 0;
  int32_t hints = 0;
  uint8_t finished = 0;
  uint8_t modified = 0;
  uint8_t clockIdle = 0;
  uint8_t paused = 0;
  // Pieces are cut turned and must be turned upright (their boxes are then
  // square, so a turn keeps a box's size).
  uint8_t turned = 0;
  bool clockRunning = false;  // the one-second timer exists

  DisplayFormat display;

  // The table's view as a saved game keeps it: the table point at the
  // window's top left and the scale. A loaded game's view waits here,
  // pending, for the table window to take it.
  Punto viewCorner;
  double viewScale = 1.0;
  bool viewPending = false;

  bool Exists() const { return !sheet.empty(); }
  int32_t PieceCount() const { return rows * cols; }
  // Sheet pixel (x, y) of piece i's box, y from the top.
  uint8_t* SheetPixel(int32_t piece, int32_t x, int32_t y) {
    int64_t fila = sheetLastRow - (static_cast<int64_t>(piece / cols) * boxH + y);
    return sheet.data() + fila * sheetW + static_cast<int64_t>(piece % cols) * boxW + x;
  }
  // The colour of piece i's box pixel (x, y), y from the top; the
  // picture's where the piece covers it.
  uint8_t* PieceColour(int32_t piece, int32_t x, int32_t y) {
    const int64_t cy = static_cast<int64_t>(piece / cols) * cellH + y;
    return colours.data() + (cy * coloursW + static_cast<int64_t>(piece % cols) * cellW + x) * 3;
  }

  // A turned piece's box is square; what it shows at box pixel (u, v) is
  // its upright box pixel UprightPixel(turn, u, v). Defined for any point,
  // so that neighbours' boxes map alike.
  Punto UprightPixel(int turn, int32_t u, int32_t v) const {
    const int32_t last = boxW - 1;
    switch (turn & 3) {
      case 1: return {v, last - u};
      case 2: return {last - u, last - v};
      case 3: return {last - v, u};
      default: return {u, v};
    }
  }
  // Where upright box pixel (x, y) shows once turned.
  Punto TurnedPixel(int turn, int32_t x, int32_t y) const {
    const int32_t last = boxW - 1;
    switch (turn & 3) {
      case 1: return {last - y, x};
      case 2: return {last - x, last - y};
      case 3: return {y, last - x};
      default: return {x, y};
    }
  }
  // The cell's rectangle in a box turned `turn` quarter turns: its top
  // left in `position`, its size in `size`.
  void TurnedCell(int turn, Punto* position, Punto* size) const {
    const Punto a = TurnedPixel(turn, marginX, marginY);
    const Punto c = TurnedPixel(turn, marginX + cellW - 1, marginY + cellH - 1);
    *position = {std::min(a.x, c.x), std::min(a.y, c.y)};
    *size = {std::max(a.x, c.x) - position->x + 1, std::max(a.y, c.y) - position->y + 1};
  }
  // Whether piece i covers box pixel (u, v) as it lies now.
  bool Covers(int32_t piece, int32_t u, int32_t v) {
    const int turn = pieces[static_cast<size_t>(piece)].turn;
    const Punto p = UprightPixel(turn, u, v);
    return *SheetPixel(piece, p.x, p.y) == 1;
  }
  // A row of piece i's box as it shows at `turn`: the sheet and colour of
  // box pixel (0, v) and the steps to the next pixel of the row.
  struct TurnedRow {
    const uint8_t* sheet;
    int64_t sheetStep;
    const uint8_t* colour;
    int64_t colourStep;
  };
  TurnedRow RowAt(int32_t piece, int turn, int32_t v) {
    const Punto a = UprightPixel(turn, 0, v), b = UprightPixel(turn, 1, v);
    const uint8_t* s = SheetPixel(piece, a.x, a.y);
    const uint8_t* c = PieceColour(piece, a.x, a.y);
    return {s, SheetPixel(piece, b.x, b.y) - s, c, PieceColour(piece, b.x, b.y) - c};
  }
};

// Vector d turned `turn` quarter turns clockwise (y grows downwards).
inline Punto TurnVector(int turn, Punto d) {
  switch (turn & 3) {
    case 1: return {-d.y, d.x};
    case 2: return {-d.x, -d.y};
    case 3: return {d.y, -d.x};
    default: return d;
  }
}

extern PuzzleState puzzle;

// What the engine asks of the window system.
class PuzzleShell {
 public:
  virtual ~PuzzleShell() = default;
  virtual void InvalidateBoardRect(int board, int32_t x, int32_t y, int32_t w, int32_t h) = 0;
  virtual void UpdateBoard(int board) = 0;  // paint what is invalid now
  virtual void NotifyBoardParent(int board, int code) = 0;
  virtual void PlayFitSound() = 0;
  virtual void PuzzleFinished() = 0;  // PuzzleTerminado
  virtual void HideBox(int box) = 0;
  virtual void ShowTime(uint32_t seconds, uint32_t hours, uint32_t minutes, uint32_t secs) = 0;  // MostrarTiempo
  virtual void RefreshMagnifier() = 0;  // ActualizarLupa
  virtual void SetWaitCursor(bool wait) = 0;
  // How far long work (a cut, a large table composed) is, 0 to 1.
  virtual void Progress(double /*fraction*/) {}
  virtual void StartClockTimer() = 0;
  virtual void KillClockTimer() = 0;
  // Box names: the text of box window i (at most 23 characters are kept).
  virtual int32_t GetBoxName(int box, char* buffer, int32_t size) = 0;
  virtual void SetBoxName(int box, const char* name) = 0;
};

// A shell that does nothing: the engine's default, and a base for fakes
// that only watch a few of the calls.
class SilentPuzzleShell : public PuzzleShell {
 public:
  void InvalidateBoardRect(int, int32_t, int32_t, int32_t, int32_t) override {}
  void UpdateBoard(int) override {}
  void NotifyBoardParent(int, int) override {}
  void PlayFitSound() override {}
  void PuzzleFinished() override {}
  void HideBox(int) override {}
  void ShowTime(uint32_t, uint32_t, uint32_t, uint32_t) override {}
  void RefreshMagnifier() override {}
  void SetWaitCursor(bool) override {}
  void StartClockTimer() override {}
  void KillClockTimer() override {}
  int32_t GetBoxName(int, char* buffer, int32_t size) override {
    if (buffer && size > 0) buffer[0] = 0;
    return 0;
  }
  void SetBoxName(int, const char*) override {}
};

// The shell in use; without one the engine's side effects go nowhere.
void SetPuzzleShell(PuzzleShell* shell);
PuzzleShell& Shell();

// Model operations.
void ClosePuzzle(bool redraw);
// ClosePuzzle without redrawing, the grid forgotten too (no rows, no
// columns): what the end of the play screen leaves.
void ClearPuzzle();
void MovePieceBlock(int32_t source, int32_t count, int32_t destination);
void MoveBetweenBoards(int from, int to, int32_t count);
void BringToFront(int board, int32_t position, bool redraw);
void PuzzleClockTick();
void PausePuzzleClock();
void ResumePuzzleClock();
void KillPuzzleClock();  // stops the timer if one runs
// The clock of a table just set up: no first press awaited, the time shown
// as zero.
void ClearPuzzleClock();
// Bounding rectangle of the boxes of `count` pieces taken from the order
// array at `start`.
void RunBounds(int32_t start, int32_t count, Punto* position, Punto* size);

// A board's image follows its window's client size (the first size
// composes the whole board; later sizes keep the overlap and compose the
// new strips). Returns false when the image cannot be allocated.
bool ResizeBoard(int board, int32_t width, int32_t height);
// A board's image of a new size, its pixels still to be composed; false
// when it cannot be allocated (the board then keeps its old size, blank).
bool SizeBoardImage(int board, int32_t width, int32_t height);
// A board's window is made: the board starts with no image and no pieces
// (the next size composes it whole).
void OpenBoard(int board);
// Whether the board keeps pre-scaled copies of its image (made at once).
void KeepScaledCopies(int board, bool keep);
// A board's window is gone: its image's memory goes too.
void ReleaseBoard(int board);

// Counts the puzzles: a new cut, an opened game or a closed table makes the
// next number, so that a window can tell whether the game it knew is still
// the one on the table.
uint32_t PuzzleGeneration();

// Counts the changes to what the puzzle dump shows: every move's end, an
// undo or redo, a rubber band, a cut, an opened or closed game note one,
// and anything else that changes the pieces or the game's numbers calls
// NoteStateChange. The message loop writes the dump again once after a
// message that moved the count, however many changes it made.
void NoteStateChange();
uint32_t StateChanges();

// Allocates the sheet, records, order array and scratch for rows x cols
// pieces with the current box size; false (nothing allocated) on failure.
bool AllocatePuzzle();
