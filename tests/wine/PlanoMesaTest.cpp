// The table overview on the real play screen: a table twice its window's
// size, the miniature checked against the table averaged by the test, the
// view moved by clicks and drags on it, and the V key.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ArchivoBMP.h"
#include "Atajos.h"
#include "Captura.h"
#include "Compositor.h"
#include "Cut.h"
#include "NewPuzzleParams.h"
#include "PlanoMesa.h"
#include "ProgramaPrueba.h"
#include "Puzzle.h"
#include "VentanaPrincipal.h"
#include "VistaMesa.h"

namespace {

constexpr uint32_t kLaton = 0xC9A227;

class PlanoMesa : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepararPrograma();
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    ASSERT_TRUE(CortarPrimeraImagen());
    W = 2 * arranque.anchoTablero, H = 2 * arranque.altoTablero;
    ASSERT_TRUE(ResizeBoard(kTable, W, H));
    KeepScaledCopies(kTable, true);
    FijarVistaMesa(VistaInicial(W, H, arranque.anchoTablero, arranque.altoTablero));
    Bombear();
  }
  void TearDown() override {
    ReleaseCapture();
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear();
  }

  // The miniature against the table's mean over each of its pixels, in
  // `zona` (all of it by default) away from the view's frame (within 3
  // pixels of its edges): the mean channel difference. The miniature is
  // made from pre-scaled copies, a few levels off at sharp edges.
  double Diferencia(RECT zona = {0, 0, 1 << 20, 1 << 20}) {
    const RECT a = AreaPlano();
    const int w = a.right - a.left, h = a.bottom - a.top;
    const double s = Escala();
    RedrawWindow(VentanaPlano(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<uint32_t> v = Leer(VentanaPlano(), a);
    const RECT m = Marco();
    Board& mesa = puzzle.boards[kTable];
    double suma = 0;
    int n = 0;
    for (int y = std::max(0L, zona.top); y < std::min<LONG>(h, zona.bottom) && (y + 1) / s <= H; ++y)
      for (int x = std::max(0L, zona.left); x < std::min<LONG>(w, zona.right) && (x + 1) / s <= W; ++x) {
        if (std::min(std::abs(x - m.left), std::abs(x - m.right + 1)) < 3 && y > m.top - 3 && y < m.bottom + 3) continue;
        if (std::min(std::abs(y - m.top), std::abs(y - m.bottom + 1)) < 3 && x > m.left - 3 && x < m.right + 3) continue;
        const double x0 = x / s, x1 = (x + 1) / s, y0 = y / s, y1 = (y + 1) / s;
        double area[3] = {};
        for (int j = static_cast<int>(y0); j < std::ceil(y1); ++j)
          for (int i = static_cast<int>(x0); i < std::ceil(x1); ++i) {
            const double p = (std::min(x1, i + 1.0) - std::max(x0, 1.0 * i)) * (std::min(y1, j + 1.0) - std::max(y0, 1.0 * j));
            for (int c = 0; c < 3; ++c) area[c] += p * mesa.Row(j)[i * 3 + c];
          }
        for (int c = 0; c < 3; ++c, ++n)
          suma += std::fabs((v[static_cast<size_t>(y * w + x)] >> (8 * c) & 0xFF) - area[c] / ((x1 - x0) * (y1 - y0)));
      }
    return n ? suma / n : 255;
  }
  // The whole table into the miniature.
  double Escala() const {
    const RECT a = AreaPlano();
    return std::min(static_cast<double>(a.right - a.left) / W, static_cast<double>(a.bottom - a.top) / H);
  }
  // Where the view lies in the miniature, by the test's own arithmetic.
  RECT Marco() const {
    const double s = Escala();
    const Punto c = EsquinaMesa(VistaMesa());
    return {static_cast<LONG>(c.x * s), static_cast<LONG>(c.y * s), static_cast<LONG>(std::ceil((c.x + arranque.anchoTablero) * s)),
            static_cast<LONG>(std::ceil((c.y + arranque.altoTablero) * s))};
  }
  // A mouse message at miniature point (x, y).
  static void Raton(UINT msg, int x, int y) {
    const RECT a = AreaPlano();
    SendMessageA(VentanaPlano(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, Pt(a.left + x, a.top + y));
  }
  static bool Tecla(WPARAM tecla) { return AtenderAtajo(MSG{ventanaPrincipal, WM_KEYDOWN, tecla, 1, 0, {}}); }

  int32_t W = 0, H = 0;
};

TEST_F(PlanoMesa, ShowsTheWholeTableWithTheViewInBrassAndFollowsTheTable) {
  ASSERT_TRUE(IsWindowVisible(VentanaPlano())) << "a table larger than its window shows it";
  EXPECT_LE(Diferencia(), 1.0);
  const RECT m = Marco();
  const std::vector<uint32_t> v = Leer(VentanaPlano(), AreaPlano());
  const int w = AreaPlano().right - AreaPlano().left, y = (m.top + m.bottom) / 2;
  EXPECT_EQ(v[static_cast<size_t>(y * w + m.left)], kLaton);
  EXPECT_EQ(v[static_cast<size_t>(y * w + m.right - 1)], kLaton);
  EXPECT_NE(v[static_cast<size_t>(y * w + m.right + 3)], kLaton);
  // A piece moved far out on the table shows there within a moment.
  const int32_t pieza = puzzle.order[puzzle.boards[kTable].first];
  puzzle.pieces[pieza].x = W - puzzle.boxW - 40, puzzle.pieces[pieza].y = H - puzzle.boxH - 40;
  DrawAllBoards(true);
  Bombear(300);
  const double s = Escala();
  const PieceRecord& p = puzzle.pieces[pieza];
  EXPECT_LE(Diferencia({static_cast<LONG>(p.x * s), static_cast<LONG>(p.y * s), static_cast<LONG>((p.x + puzzle.boxW) * s),
                        static_cast<LONG>((p.y + puzzle.boxH) * s)}),
            2.0);
  // V hides and shows it, Escape hides it; with a table the window holds
  // it stays hidden.
  EXPECT_TRUE(Tecla('V'));
  EXPECT_FALSE(IsWindowVisible(VentanaPlano()));
  EXPECT_TRUE(Tecla('V'));
  EXPECT_TRUE(IsWindowVisible(VentanaPlano()));
  EXPECT_TRUE(Tecla(VK_ESCAPE));
  EXPECT_FALSE(IsWindowVisible(VentanaPlano()));
  EXPECT_TRUE(Tecla('V'));
  ASSERT_TRUE(ResizeBoard(kTable, arranque.anchoTablero, arranque.altoTablero));
  FijarVistaMesa(VistaInicial(arranque.anchoTablero, arranque.altoTablero, arranque.anchoTablero, arranque.altoTablero));
  EXPECT_FALSE(IsWindowVisible(VentanaPlano()));
  EXPECT_TRUE(Tecla('V'));
  EXPECT_FALSE(IsWindowVisible(VentanaPlano()));
}

TEST_F(PlanoMesa, AClickCentresTheViewAndTheFrameDragsIt) {
  const double s = Escala();
  const int x = static_cast<int>(0.6 * W * s), y = static_cast<int>(0.6 * H * s);
  Raton(WM_LBUTTONDOWN, x, y);
  Raton(WM_LBUTTONUP, x, y);
  const Vista& v = VistaMesa();
  Punto c = VentanaAMesa(v, {v.ancho / 2, v.alto / 2});
  EXPECT_NEAR(c.x, (x + 0.5) / s, 1 / s + 1);
  EXPECT_NEAR(c.y, (y + 0.5) / s, 1 / s + 1);
  // A press on the frame leaves the view; the drag carries it along.
  const Punto antes = EsquinaMesa(v);
  Raton(WM_LBUTTONDOWN, x - 5, y - 5);
  EXPECT_NEAR(EsquinaMesa(v).x, antes.x, 1 / s + 1);
  EXPECT_NEAR(EsquinaMesa(v).y, antes.y, 1 / s + 1);
  Raton(WM_MOUSEMOVE, x - 15, y - 10);
  Raton(WM_MOUSEMOVE, x - 25, y - 15);
  Raton(WM_LBUTTONUP, x - 25, y - 15);
  EXPECT_NEAR(EsquinaMesa(v).x, antes.x - 20 / s, 1 / s + 1);
  EXPECT_NEAR(EsquinaMesa(v).y, antes.y - 10 / s, 1 / s + 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
