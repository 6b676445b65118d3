#include "TableLayout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The room a loose piece's cell takes: either way round when turned.
Punto Celda(const PuzzleMeasures& m) {
  const int32_t lado = std::max(m.cell.x, m.cell.y);
  return m.turned ? Punto{lado, lado} : m.cell;
}

Punto Pitch(const PuzzleMeasures& m) {
  const Punto celda = Celda(m);
  return {std::max(celda.x, static_cast<int32_t>(std::lround(celda.x * kScatterPitch))),
          std::max(celda.y, static_cast<int32_t>(std::lround(celda.y * kScatterPitch)))};
}

// The spots of a table: box positions on a grid of pitch-sized places, each
// with room for its nudge, none whose place meets the free area (the
// finished puzzle's cells, centred as the solve lays them, and a pitch
// around them).
std::vector<Punto> Spots(Punto table, const PuzzleMeasures& m) {
  const Punto pitch = Pitch(m);
  const int32_t jx = pitch.x - Celda(m).x, jy = pitch.y - Celda(m).y;
  const int32_t lastX = table.x - m.box.x - jx, lastY = table.y - m.box.y - jy;  // the last box place
  std::vector<Punto> spots;
  if (lastX < 0 || lastY < 0) return spots;
  const int32_t cols = lastX / pitch.x + 1, rows = lastY / pitch.y + 1;
  const int32_t ox = (lastX - (cols - 1) * pitch.x) / 2, oy = (lastY - (rows - 1) * pitch.y) / 2;
  const int64_t w = static_cast<int64_t>(m.cols) * m.cell.x, h = static_cast<int64_t>(m.rows) * m.cell.y;
  const int64_t fx0 = (table.x - w) / 2 - pitch.x, fx1 = (table.x - w) / 2 + w + pitch.x;
  const int64_t fy0 = (table.y - h) / 2 - pitch.y, fy1 = (table.y - h) / 2 + h + pitch.y;
  for (int32_t j = 0; j < rows; ++j)
    for (int32_t i = 0; i < cols; ++i) {
      const int32_t x = ox + i * pitch.x, y = oy + j * pitch.y;
      const int64_t cx = static_cast<int64_t>(x) + m.margin.x, cy = static_cast<int64_t>(y) + m.margin.y;
      if (cx + pitch.x > fx0 && cx < fx1 && cy + pitch.y > fy0 && cy < fy1) continue;
      spots.push_back({x, y});
    }
  return spots;
}

}  // namespace

bool PuzzleFits(Punto table, const PuzzleMeasures& m) {
  return static_cast<int64_t>(m.cols) * m.cell.x <= table.x && static_cast<int64_t>(m.rows) * m.cell.y <= table.y;
}

Punto TableSizeFor(Punto screenTable, const PuzzleMeasures& m) {
  if (PuzzleFits(screenTable, m) || m.cell.x < 1 || m.cell.y < 1) return screenTable;
  const Punto pitch = Pitch(m);
  const int64_t n = static_cast<int64_t>(m.rows) * m.cols;
  // The free area and a ring of spots, then more rings until every piece
  // has a spot.
  Punto t{m.cols * m.cell.x + 4 * pitch.x + m.box.x, m.rows * m.cell.y + 4 * pitch.y + m.box.y};
  for (;;) {
    const Punto tamaño{std::max(t.x, screenTable.x), std::max(t.y, screenTable.y)};
    if (static_cast<int64_t>(Spots(tamaño, m).size()) >= n) return tamaño;
    t = {t.x + 2 * pitch.x, t.y + 2 * pitch.y};
  }
}

std::vector<Punto> ScatterAround(Punto table, const PuzzleMeasures& m, const std::function<double()>& random) {
  const Punto pitch = Pitch(m);
  std::vector<Punto> spots = Spots(table, m);
  for (size_t i = spots.size(); i > 1; --i)
    std::swap(spots[i - 1], spots[std::min(i - 1, static_cast<size_t>(random() * static_cast<double>(i)))]);
  const int64_t n = static_cast<int64_t>(m.rows) * m.cols;
  const int32_t jx = pitch.x - Celda(m).x, jy = pitch.y - Celda(m).y;
  std::vector<Punto> boxes;
  boxes.reserve(static_cast<size_t>(n));
  for (int64_t p = 0; p < n; ++p) {
    if (p < static_cast<int64_t>(spots.size())) {
      const Punto s = spots[static_cast<size_t>(p)];
      boxes.push_back({s.x + std::min(jx, static_cast<int32_t>(random() * (jx + 1))),
                       s.y + std::min(jy, static_cast<int32_t>(random() * (jy + 1)))});
    } else {
      boxes.push_back({static_cast<int32_t>(random() * std::max(1, table.x - m.box.x)),
                       static_cast<int32_t>(random() * std::max(1, table.y - m.box.y))});
    }
  }
  return boxes;
}
