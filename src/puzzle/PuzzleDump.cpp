#include "PuzzleDump.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "Puzzle.h"

TimingSummary SummarizeTimings(const std::string& name, std::vector<double> ms) {
  TimingSummary s;
  s.name = name;
  s.count = static_cast<int32_t>(ms.size());
  if (ms.empty()) return s;
  std::sort(ms.begin(), ms.end());
  const size_t n = ms.size();
  s.medianMs = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
  s.worstMs = ms.back();
  return s;
}

std::string FormatPuzzleDump(const std::vector<TimingSummary>& timings, const std::vector<std::string>& shellLines) {
  const bool exists = puzzle.Exists();
  std::string out;
  char line[160];
  std::snprintf(line, sizeof line, "# rows %d\n# cols %d\n# cell %d %d\n# margin %d %d\n",
                exists ? puzzle.rows : 0, exists ? puzzle.cols : 0, puzzle.cellW, puzzle.cellH, puzzle.marginX,
                puzzle.marginY);
  out += line;
  std::snprintf(line, sizeof line, "# seconds %u\n# hints %d\n# finished %d\n", puzzle.seconds, puzzle.hints,
                puzzle.finished);
  out += line;
  for (const std::string& l : shellLines) out += "# " + l + "\n";
  for (const TimingSummary& t : timings) {
    std::snprintf(line, sizeof line, "# time %s n=%d median_ms=%.3f worst_ms=%.3f\n", t.name.c_str(), t.count,
                  t.medianMs, t.worstMs);
    out += line;
  }
  if (!exists) return out;
  for (int32_t p = 0; p < puzzle.PieceCount(); ++p)
    if (puzzle.pieces[p].turn != 0) {
      std::snprintf(line, sizeof line, "# turn %d %d\n", p, puzzle.pieces[p].turn);
      out += line;
    }
  std::vector<int> boardOf(static_cast<size_t>(puzzle.PieceCount()), kTable);
  for (int b = 0; b < kBoardCount; ++b) {
    const Board& board = puzzle.boards[b];
    for (int32_t i = board.first; i < board.first + board.count; ++i) boardOf[puzzle.order[i]] = b;
  }
  for (int32_t p = 0; p < puzzle.PieceCount(); ++p) {
    const PieceRecord& r = puzzle.pieces[p];
    std::snprintf(line, sizeof line, "%d %d %d %d %d %d\n", p, boardOf[p], r.x, r.y, r.group, r.unmarked ? 0 : 1);
    out += line;
  }
  return out;
}

namespace {

// The last `count` comma-separated numbers of `text`, and where the text
// before them ends; false when they are not all numbers.
bool LastNumbers(const std::string& text, int count, int32_t* numbers, size_t* end) {
  *end = text.size();
  for (int i = count - 1; i >= 0; --i) {
    if (*end == 0) return false;
    const size_t comma = text.rfind(',', *end - 1);
    if (comma == std::string::npos) return false;
    const std::string field = text.substr(comma + 1, *end - comma - 1);
    char* rest = nullptr;
    const long v = std::strtol(field.c_str(), &rest, 10);
    if (field.empty() || *rest != 0 || v < 0 || v > 100000) return false;
    numbers[i] = static_cast<int32_t>(v);
    *end = comma;
  }
  return *end > 0;
}

}  // namespace

bool ParseDebugNewPuzzle(const std::string& text, DebugNewPuzzle* out) {
  // The path may hold commas: the numbers are the last fields, with the
  // turned pieces' field when the last four read as a request.
  int32_t numbers[4];
  size_t end;
  const auto grid = [&] { return numbers[0] >= 2 && numbers[1] >= 2 && numbers[2] <= 2; };
  bool turned = false;
  if (LastNumbers(text, 4, numbers, &end) && grid() && numbers[3] <= 1) {
    turned = numbers[3] == 1;
  } else if (!LastNumbers(text, 3, numbers, &end) || !grid()) {
    return false;
  }
  out->path = text.substr(0, end);
  out->rows = numbers[0];
  out->cols = numbers[1];
  out->die = numbers[2];
  out->turned = turned;
  return true;
}
