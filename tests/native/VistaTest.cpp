#include "Vista.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <string>

#include "CopiasReducidas.h"
#include "EscaladoArea.h"

namespace {

// A 10,000-piece table seen through a 1920 x 1080 screen's play window.
Vista Grande() { return VistaInicial(7200, 5400, 1843, 952); }

const double kEscalas[] = {0.2, 0.25, std::exp2(-11 / 8.0), 0.5, std::exp2(-1 / 8.0), 1.0, std::exp2(3 / 8.0), 2.0, 4.0};

std::string Caso(double e, Punto p) {
  return "scale " + std::to_string(e) + " at " + std::to_string(p.x) + "," + std::to_string(p.y);
}

TEST(Vista, ZoomAroundThePointerKeepsTheTablePointUnderIt) {
  const Punto anclas[] = {{0, 0}, {921, 476}, {1842, 951}, {300, 800}};
  for (double e : kEscalas) {
    for (Punto a : anclas) {
      SCOPED_TRACE(Caso(e, a));
      Vista v = Grande();
      Colocar(v, {3000, 2000}, {900, 500});
      const Punto antes = VentanaAMesa(v, a);
      const Punto origen = v.origen;
      Ampliar(v, e, a);
      // Unless the edge stops it, the same table point stays under the
      // pointer, to a window pixel.
      const RectMesa pixel = RectAMesa(v, {a.x, a.y, 1, 1});
      const bool libre = v.origen.x > 0 && v.origen.y > 0 && v.origen.x < v.AnchoEscalado() - v.ancho &&
                         v.origen.y < v.AltoEscalado() - v.alto;
      if (libre) {
        EXPECT_LE(std::abs(antes.x - pixel.x), std::max(1, pixel.ancho));
        EXPECT_LE(std::abs(antes.y - pixel.y), std::max(1, pixel.alto));
      }
      // And back: the view returns to where it was.
      Ampliar(v, 1.0, a);
      EXPECT_LE(std::abs(v.origen.x - origen.x), libre ? 1 : 1 << 30);
      EXPECT_LE(std::abs(v.origen.y - origen.y), libre ? 1 : 1 << 30);
    }
  }
}

TEST(Vista, ThePlaceStaysOnTheTable) {
  for (double e : kEscalas) {
    SCOPED_TRACE(e);
    Vista v = Grande();
    Ampliar(v, std::max(e, EscalaTodo(v)), {0, 0});
    for (Punto d : {Punto{-100000, -100000}, Punto{100000, 100000}, Punto{-7, 100000}}) {
      Desplazar(v, d.x, d.y);
      // The window never shows past the table's edge, unless the table is
      // smaller than the window, and then it is centred.
      for (auto [origen, escalado, ventana] : {std::tuple{v.origen.x, v.AnchoEscalado(), v.ancho},
                                               std::tuple{v.origen.y, v.AltoEscalado(), v.alto}}) {
        if (escalado >= ventana) {
          EXPECT_GE(origen, 0);
          EXPECT_LE(origen + ventana, escalado);
        } else {
          EXPECT_EQ(-origen, (ventana - escalado) / 2);
        }
      }
    }
  }
  // The whole table fits the window and fills it one way.
  Vista v = Grande();
  Ampliar(v, EscalaTodo(v), {500, 500});
  EXPECT_LE(v.AnchoEscalado(), v.ancho);
  EXPECT_LE(v.AltoEscalado(), v.alto);
  EXPECT_TRUE(v.AnchoEscalado() >= v.ancho - 1 || v.AltoEscalado() >= v.alto - 1);
  EXPECT_EQ(VentanaAMesa(v, {v.ancho / 2, 0}).y, 0);
  // A table that fits the window is seen at 1:1 from its corner, as always.
  const Vista pantalla = VistaInicial(1843, 952, 1843, 952);
  EXPECT_EQ(EscalaTodo(pantalla), 1.0);
  EXPECT_EQ(EscalaPasos(pantalla, 1.0, -3), 1.0);
  EXPECT_EQ(VentanaAMesa(pantalla, {17, 33}).x, 17);
  EXPECT_EQ(EsquinaMesa(pantalla).x, 0);
  EXPECT_EQ(ZoomPorCiento(pantalla), 100);
}

TEST(Vista, StepsDoubleEveryEighthAndStopAtTheEnds) {
  Vista v = Grande();
  EXPECT_DOUBLE_EQ(EscalaPasos(v, 1.0, kPasosPorDoble), 2.0);
  EXPECT_DOUBLE_EQ(EscalaPasos(v, 1.0, -kPasosPorDoble), 0.5);
  EXPECT_EQ(EscalaPasos(v, 0.5, kPasosPorDoble), 1.0);  // 1:1 is on the grid exactly
  EXPECT_EQ(EscalaPasos(v, 3.9, 5), kEscalaMaxima);
  const double todo = EscalaTodo(v);
  EXPECT_EQ(EscalaPasos(v, 0.3, -20), todo);
  // From the whole table (off the grid) one step in lands on the grid.
  const double uno = EscalaPasos(v, todo, 1);
  EXPECT_GT(uno, todo);
  EXPECT_LE(uno, todo * std::exp2(1.0 / kPasosPorDoble) + 1e-12);
  EXPECT_NEAR(std::log2(uno) * kPasosPorDoble, std::round(std::log2(uno) * kPasosPorDoble), 1e-9);
}

TEST(Vista, WindowAndTableConvertBothWays) {
  for (double e : kEscalas) {
    Vista v = Grande();
    Ampliar(v, std::max(e, EscalaTodo(v)), {0, 0});
    Colocar(v, {2345, 1234}, {300, 200});
    SCOPED_TRACE(Caso(v.escala, v.origen));
    for (int32_t i = 0; i < 400; i += 7) {
      const Punto w{100 + i, 50 + i};
      const Punto t = VentanaAMesa(v, w);
      // Each window pixel shows table pixels that map back to it, and each
      // table pixel above 1:1 is found again under its window pixels.
      const RectMesa r = RectAMesa(v, {w.x, w.y, 1, 1});
      EXPECT_LE(r.x, t.x);
      EXPECT_GT(r.x + r.ancho, t.x);
      if (v.escala <= 1) {
        EXPECT_EQ(MesaAVentana(v, {r.x + r.ancho - 1, r.y + r.alto - 1}).x, w.x);
        EXPECT_EQ(MesaAVentana(v, {r.x + r.ancho - 1, r.y + r.alto - 1}).y, w.y);
      } else {
        // The pixel that covers t's corner may begin on the one before.
        const Punto q = MesaAVentana(v, t);
        EXPECT_EQ(VentanaAMesa(v, {q.x + 1, q.y + 1}).x, t.x);
        EXPECT_EQ(VentanaAMesa(v, {q.x + 1, q.y + 1}).y, t.y);
      }
      // A table rectangle's window rectangle covers each of its pixels.
      const RectMesa m{t.x - 3, t.y + 5, 11, 4};
      const RectMesa c = RectAVentana(v, m);
      for (Punto p : {Punto{m.x, m.y}, Punto{m.x + m.ancho - 1, m.y + m.alto - 1}}) {
        const Punto q = MesaAVentana(v, p);
        EXPECT_TRUE(q.x >= c.x && q.x < c.x + c.ancho && q.y >= c.y && q.y < c.y + c.alto);
      }
      // And no wider than the scale needs.
      EXPECT_LE(c.ancho, std::ceil(m.ancho * v.escala) + 1);
    }
  }
}

TEST(Vista, ASavedCornerComesBackExactly) {
  for (double e : kEscalas)
    for (int32_t o = 0; o < 3000; o += 97) {
      Vista v = Grande();
      v.escala = std::max(e, EscalaTodo(v));
      v.origen = {o, o / 2};
      Limitar(v);
      const Punto esquina = EsquinaMesa(v);
      Vista w = Grande();
      w.escala = v.escala;
      ColocarEsquina(w, esquina);
      EXPECT_EQ(EsquinaMesa(w).x, esquina.x) << e << " " << o;
      EXPECT_EQ(EsquinaMesa(w).y, esquina.y) << e << " " << o;
    }
}

TEST(Vista, FittingToleranceIsSixScreenPixels) {
  Vista v = Grande();
  const std::pair<double, int32_t> casos[] = {{0.5, 12}, {1.0, 6}, {2.0, 3}, {0.25, 24}};
  for (auto [e, t] : casos) {
    v.escala = e;
    EXPECT_EQ(ToleranciaMesa(v), t) << e;
  }
}

// Pictures for the copies: 24-bit rows, bottom-up as the boards keep them.
struct Lienzo {
  int32_t ancho, alto;
  std::vector<uint8_t> bits;
  int64_t Paso() const { return ((static_cast<int64_t>(ancho) * 3 + 3) & ~3); }
  ImagenBGR Imagen() const { return {bits.data() + Paso() * (alto - 1), -Paso(), ancho, alto}; }
  uint8_t* En(int32_t x, int32_t y) { return bits.data() + Paso() * (alto - 1 - y) + x * 3; }
};

template <typename F>
Lienzo Pintado(int32_t ancho, int32_t alto, F color) {
  Lienzo l{ancho, alto, {}};
  l.bits.resize(static_cast<size_t>(l.Paso() * alto));
  for (int32_t y = 0; y < alto; ++y)
    for (int32_t x = 0; x < ancho; ++x)
      for (int c = 0; c < 3; ++c) l.En(x, y)[c] = color(x, y, c);
  return l;
}

uint8_t Ruido(int32_t x, int32_t y, int c) { return static_cast<uint8_t>((x * 7919 + y * 104729 + c * 31) * 2654435761u >> 24); }
uint8_t Suave(int32_t x, int32_t y, int c) {
  return static_cast<uint8_t>(127.5 + 120 * std::sin(x * 0.013 + c) * std::cos(y * 0.021 - c));
}

std::vector<uint8_t> Ver(const CopiasReducidas& copias, const Lienzo& l, const Vista& v, RectMesa r) {
  std::vector<uint8_t> d(static_cast<size_t>(r.ancho) * r.alto * 3, 0xEE);
  copias.Pintar(l.Imagen(), v, r, d.data(), r.ancho * 3, 0x102030);
  return d;
}

TEST(CopiasReducidas, AtAndAboveOneToOneEachTablePixelIsShownSharp) {
  const Lienzo l = Pintado(300, 200, Ruido);
  CopiasReducidas copias;
  copias.Rehacer(l.Imagen());
  for (double e : {1.0, 2.0, std::exp2(3 / 8.0), 4.0}) {
    Vista v = VistaInicial(300, 200, 250, 150);
    Ampliar(v, e, {0, 0});
    Colocar(v, {41, 29}, {0, 0});
    SCOPED_TRACE(Caso(e, v.origen));
    const std::vector<uint8_t> d = Ver(copias, l, v, {0, 0, v.ancho, v.alto});
    for (int32_t y = 0; y < v.alto; y += 3)
      for (int32_t x = 0; x < v.ancho; x += 5) {
        const Punto t = VentanaAMesa(v, {x, y});
        ASSERT_EQ(std::memcmp(&d[static_cast<size_t>((y * v.ancho + x) * 3)], const_cast<Lienzo&>(l).En(t.x, t.y), 3),
                  0)
            << x << "," << y;
      }
  }
}

TEST(CopiasReducidas, BelowOneToOneEachWindowPixelIsTheMeanOfTheTableItCovers) {
  const struct {
    double escala;
    uint8_t (*color)(int32_t, int32_t, int);
    int32_t tolerancia;
  } casos[] = {
      {0.5, Ruido, 1},  {0.25, Ruido, 1},  {0.125, Ruido, 2},        {std::exp2(-1 / 8.0), Ruido, 1},
      {0.3, Suave, 2},  {0.17, Suave, 2},  {std::exp2(-13 / 8.0), Suave, 2},
  };
  const Lienzo l = Pintado(640, 384, casos[0].color);
  const Lienzo s = Pintado(640, 384, Suave);
  for (const auto& caso : casos) {
    const Lienzo& t = caso.color == Ruido ? l : s;
    CopiasReducidas copias;
    copias.Rehacer(t.Imagen());
    Vista v = VistaInicial(t.ancho, t.alto, 90, 70);
    Ampliar(v, caso.escala, {0, 0});
    Colocar(v, {200, 100}, {0, 0});
    SCOPED_TRACE(Caso(caso.escala, v.origen));
    const std::vector<uint8_t> d = Ver(copias, t, v, {0, 0, v.ancho, v.alto});
    int32_t peor = 0;
    for (int32_t y = 0; y < v.alto; ++y)
      for (int32_t x = 0; x < v.ancho; ++x) {
        // The exact mean, over the pixel's area on the table.
        const double x0 = (v.origen.x + x) / v.escala, x1 = (v.origen.x + x + 1) / v.escala;
        const double y0 = (v.origen.y + y) / v.escala, y1 = (v.origen.y + y + 1) / v.escala;
        if (x0 < 0 || y0 < 0 || x1 > t.ancho || y1 > t.alto) continue;  // the table's edge
        double suma[3] = {};
        for (int32_t j = static_cast<int32_t>(y0); j < std::ceil(y1); ++j)
          for (int32_t i = static_cast<int32_t>(x0); i < std::ceil(x1); ++i) {
            const double a = (std::min(x1, i + 1.0) - std::max(x0, 1.0 * i)) * (std::min(y1, j + 1.0) - std::max(y0, 1.0 * j));
            for (int c = 0; c < 3; ++c) suma[c] += a * caso.color(i, j, c);
          }
        for (int c = 0; c < 3; ++c) {
          const double ref = suma[c] / ((x1 - x0) * (y1 - y0));
          peor = std::max(peor, static_cast<int32_t>(std::ceil(std::fabs(d[static_cast<size_t>((y * v.ancho + x) * 3 + c)] - ref) - 0.5)));
        }
      }
    EXPECT_LE(peor, caso.tolerancia);
  }
  // The area averager the game scales photos with agrees at a whole factor.
  CopiasReducidas copias;
  copias.Rehacer(l.Imagen());
  Vista v = VistaInicial(640, 384, 160, 96);
  Ampliar(v, 0.25, {0, 0});
  std::vector<uint8_t> arriba(static_cast<size_t>(640) * 384 * 3), ref(160 * 96 * 3);
  for (int32_t y = 0; y < 384; ++y) std::memcpy(&arriba[static_cast<size_t>(y) * 640 * 3], l.Imagen().Fila(y), 640 * 3);
  ASSERT_TRUE(EscalarPromedio(arriba.data(), 640, 384, 640 * 3, ref.data(), 160, 96, 160 * 3));
  const std::vector<uint8_t> d = Ver(copias, l, v, {0, 0, 160, 96});
  for (size_t i = 0; i < d.size(); ++i) ASSERT_LE(std::abs(d[i] - ref[i]), 1) << i;
}

TEST(CopiasReducidas, AnyPartOfTheWindowAndAnyChangeGiveWhatAWholeRedrawGives) {
  Lienzo l = Pintado(517, 333, Ruido);  // odd sides: the copies' last pixels average less
  CopiasReducidas copias;
  copias.Rehacer(l.Imagen());
  // A piece redrawn on the table: only its copies are brought up to date.
  for (int32_t y = 101; y < 160; ++y)
    for (int32_t x = 250; x < 517; ++x) l.En(x, y)[1] ^= 0x5A;
  copias.Actualizar(l.Imagen(), {250, 101, 300, 59});
  CopiasReducidas nuevas;
  nuevas.Rehacer(l.Imagen());
  for (double e : {0.9, 0.5, 0.3, 0.07, 1.0, 2.5}) {
    Vista v = VistaInicial(l.ancho, l.alto, 200, 120);
    Ampliar(v, std::max(e, EscalaTodo(v)), {0, 0});
    Colocar(v, {300, 150}, {100, 60});
    SCOPED_TRACE(Caso(v.escala, v.origen));
    const RectMesa todo{0, 0, v.ancho, v.alto};
    const std::vector<uint8_t> entera = Ver(nuevas, l, v, todo);
    EXPECT_EQ(Ver(copias, l, v, todo), entera);
    // A part of the window, as a repaint asks for it.
    const RectMesa parte{37, 11, 90, 53};
    const std::vector<uint8_t> trozo = Ver(copias, l, v, parte);
    for (int32_t y = 0; y < parte.alto; ++y)
      ASSERT_EQ(std::memcmp(&trozo[static_cast<size_t>(y * parte.ancho * 3)],
                            &entera[static_cast<size_t>(((parte.y + y) * v.ancho + parte.x) * 3)],
                            static_cast<size_t>(parte.ancho) * 3),
                0)
          << y;
  }
  // A part of the table, as a dragged piece is drawn over it, shows what
  // the whole table shows without its copies.
  for (double e : {0.37, 1.0, 1.7}) {
    Vista v = VistaInicial(l.ancho, l.alto, 200, 120);
    Ampliar(v, e, {0, 0});
    Colocar(v, {123, 77}, {10, 10});
    const RectMesa w{13, 21, 40, 30};
    const RectMesa t = RectAMesa(v, w);
    std::vector<uint8_t> parte(static_cast<size_t>(t.ancho) * t.alto * 3);
    for (int32_t y = 0; y < t.alto; ++y) std::memcpy(&parte[static_cast<size_t>(y * t.ancho * 3)], l.En(t.x, t.y + y), t.ancho * 3u);
    const ImagenBGR trozo{parte.data(), t.ancho * 3, t.ancho, t.alto, t.x, t.y};
    std::vector<uint8_t> a(40 * 30 * 3), b(40 * 30 * 3);
    CopiasReducidas().Pintar(l.Imagen(), v, w, a.data(), 40 * 3, 0);
    copias.Pintar(trozo, v, w, b.data(), 40 * 3, 0);
    EXPECT_EQ(a, b) << e;
  }
  // A window large enough for two threads shows what its halves show.
  {
    const Lienzo grande = Pintado(2400, 1600, Ruido);
    CopiasReducidas c;
    c.Rehacer(grande.Imagen());
    Vista v = VistaInicial(grande.ancho, grande.alto, 1000, 560);
    Ampliar(v, 0.61, {0, 0});
    const std::vector<uint8_t> entera = Ver(c, grande, v, {0, 0, 1000, 560});
    std::vector<uint8_t> mitades = Ver(c, grande, v, {0, 0, 1000, 280});
    const std::vector<uint8_t> abajo = Ver(c, grande, v, {0, 280, 1000, 280});
    mitades.insert(mitades.end(), abajo.begin(), abajo.end());
    EXPECT_EQ(entera, mitades);
  }
  // Past the table's edges the window shows the background colour.
  Vista v = VistaInicial(l.ancho, l.alto, 600, 400);
  Ampliar(v, 0.5, {0, 0});
  const std::vector<uint8_t> d = Ver(copias, l, v, {0, 0, 600, 400});
  EXPECT_EQ(d[0], 0x30);
  EXPECT_EQ(d[2], 0x10);
  const Punto centro = MesaAVentana(v, {258, 166});
  EXPECT_NE(std::memcmp(&d[static_cast<size_t>((centro.y * 600 + centro.x) * 3)], "\x30\x20\x10", 3), 0);
}

}  // namespace
