#include "TableLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

// The measures the cut gives a cell: a box of 1.66 cells with the cell in
// its middle.
PuzzleMeasures Medidas(int32_t rows, int32_t cols, int32_t cell) {
  const int32_t margen = cell * 33 / 100;
  return {rows, cols, {cell, cell}, {margen, margen}, {cell + 2 * margen, cell + 2 * margen}};
}

const Punto kPantalla{1843, 952};  // a 1920 x 1080 screen's table

TEST(TableLayout, APuzzleTheScreenHoldsKeepsTheScreensTable) {
  EXPECT_EQ(TableSizeFor(kPantalla, Medidas(21, 40, 45)).x, 1843);
  EXPECT_EQ(TableSizeFor(kPantalla, Medidas(21, 40, 45)).y, 952);
  // One pixel more either way and it needs a larger one.
  EXPECT_GT(TableSizeFor(kPantalla, Medidas(22, 40, 45)).y, 952);
  EXPECT_GT(TableSizeFor({1799, 952}, Medidas(21, 40, 45)).x, 1799);
}

TEST(TableLayout, EveryLoosePieceHasItsOwnSpotAroundTheFreeArea) {
  const struct {
    int32_t rows, cols, cell;
  } casos[] = {{40, 50, 45}, {100, 100, 45}, {12, 120, 60}, {30, 40, 47}};
  for (const auto& c : casos) {
    SCOPED_TRACE(std::to_string(c.rows) + "x" + std::to_string(c.cols));
    const PuzzleMeasures m = Medidas(c.rows, c.cols, c.cell);
    const Punto t = TableSizeFor(kPantalla, m);
    ASSERT_GE(t.x, kPantalla.x);
    ASSERT_GE(t.y, kPantalla.y);
    std::mt19937 g(7);
    std::uniform_real_distribution<double> u(0, 1);
    const std::vector<Punto> cajas = ScatterAround(t, m, [&] { return u(g); });
    ASSERT_EQ(cajas.size(), static_cast<size_t>(c.rows * c.cols));
    // The finished puzzle's place, as the solve lays it.
    const int32_t px0 = (t.x - c.cols * c.cell) / 2, py0 = (t.y - c.rows * c.cell) / 2;
    const int32_t px1 = px0 + c.cols * c.cell, py1 = py0 + c.rows * c.cell;
    std::vector<Punto> cuerpos;
    for (const Punto& b : cajas) {
      ASSERT_GE(b.x, 0);
      ASSERT_GE(b.y, 0);
      ASSERT_LE(b.x + m.box.x, t.x);
      ASSERT_LE(b.y + m.box.y, t.y);
      const Punto q{b.x + m.margin.x, b.y + m.margin.y};
      ASSERT_FALSE(q.x + c.cell > px0 && q.x < px1 && q.y + c.cell > py0 && q.y < py1) << q.x << "," << q.y;
      cuerpos.push_back(q);
    }
    // No two pieces' cells overlap: they lie a little apart.
    std::sort(cuerpos.begin(), cuerpos.end(), [](Punto a, Punto b) { return a.x < b.x; });
    for (size_t i = 0; i < cuerpos.size(); ++i)
      for (size_t j = i + 1; j < cuerpos.size() && cuerpos[j].x < cuerpos[i].x + c.cell; ++j)
        ASSERT_GE(std::abs(cuerpos[j].y - cuerpos[i].y), c.cell) << i << " " << j;
    // And the table is no larger than a ring of spots more than it needs.
    const int32_t paso = c.cell * 145 / 100;
    const Punto menor{t.x - 2 * paso, t.y - 2 * paso};
    if (menor.x >= kPantalla.x && menor.y >= kPantalla.y) {
      // Pieces without a spot lie anywhere: with this generator, on the
      // finished puzzle's place.
      const std::vector<Punto> pocas = ScatterAround(menor, m, [] { return 0.5; });
      const int32_t mx0 = (menor.x - c.cols * c.cell) / 2, my0 = (menor.y - c.rows * c.cell) / 2;
      const bool sinSitio = std::any_of(pocas.begin(), pocas.end(), [&](Punto b) {
        const Punto q{b.x + m.margin.x, b.y + m.margin.y};
        return q.x + c.cell > mx0 && q.x < mx0 + c.cols * c.cell && q.y + c.cell > my0 && q.y < my0 + c.rows * c.cell;
      });
      EXPECT_TRUE(sinSitio) << "a smaller table would have held them";
    }
  }
}

}  // namespace
