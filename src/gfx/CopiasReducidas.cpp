#include "CopiasReducidas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>

namespace {

// A window part this large is averaged by two threads.
constexpr int64_t kPixelesEnDosHilos = 400'000;
// Copies stop once a side is this small: no view is smaller.
constexpr int32_t kLadoMinimo = 16;

// Which source pixels each window pixel of a line averages, and how much of
// each: weights in whole parts of `total`, summing to it exactly.
struct Tomas {
  std::vector<int32_t> inicio, cuenta, desde;  // desde: into pesos
  std::vector<uint32_t> pesos;
  int32_t primero = 0, ultimo = 0;  // source pixels any window pixel reads
};

// Window pixels [i0, i1) of a line whose window pixel i covers source
// [(o + i) / s, (o + i + 1) / s), over source pixels [lo, n). A window pixel
// partly off the source averages the part on it; one wholly off gets no
// taps.
void CalcularTomas(int32_t o, int32_t i0, int32_t i1, double s, int32_t lo, int32_t n, uint32_t total, Tomas& t) {
  t.inicio.clear();
  t.cuenta.clear();
  t.desde.clear();
  t.pesos.clear();
  t.primero = n;
  t.ultimo = 0;
  for (int32_t i = i0; i < i1; ++i) {
    const double a = std::max(static_cast<double>(lo), (o + i) / s), b = std::min(static_cast<double>(n), (o + i + 1) / s);
    t.desde.push_back(static_cast<int32_t>(t.pesos.size()));
    if (b <= a) {
      t.inicio.push_back(0);
      t.cuenta.push_back(0);
      continue;
    }
    const int32_t j0 = static_cast<int32_t>(std::floor(a));
    const int32_t j1 = std::min(n, static_cast<int32_t>(std::ceil(b)));
    uint32_t suma = 0;
    size_t mayor = t.pesos.size();
    for (int32_t j = j0; j < j1; ++j) {
      const double parte = (std::min(b, j + 1.0) - std::max(a, static_cast<double>(j))) / (b - a);
      const uint32_t w = static_cast<uint32_t>(std::lround(parte * total));
      t.pesos.push_back(w);
      if (w > t.pesos[mayor]) mayor = t.pesos.size() - 1;
      suma += w;
    }
    t.pesos[mayor] += total - suma;  // rounding left over goes to the largest
    t.inicio.push_back(j0);
    t.cuenta.push_back(j1 - j0);
    t.primero = std::min(t.primero, j0);
    t.ultimo = std::max(t.ultimo, j1);
  }
}

void Rellenar(uint8_t* p, int32_t n, uint32_t fondo) {
  for (int32_t i = 0; i < n; ++i, p += 3) {
    p[0] = static_cast<uint8_t>(fondo);
    p[1] = static_cast<uint8_t>(fondo >> 8);
    p[2] = static_cast<uint8_t>(fondo >> 16);
  }
}

}  // namespace

void CopiasReducidas::Vaciar() { niveles_.clear(); }

void CopiasReducidas::Rehacer(const ImagenBGR& fuente) {
  niveles_.clear();
  int32_t w = fuente.ancho, h = fuente.alto;
  while (w > kLadoMinimo && h > kLadoMinimo) {
    w = (w + 1) / 2;
    h = (h + 1) / 2;
    Nivel n;
    n.ancho = w;
    n.alto = h;
    n.bgr.resize(static_cast<size_t>(w) * h * 3);
    niveles_.push_back(std::move(n));
  }
  for (size_t k = 0; k < niveles_.size(); ++k)
    Reducir(Imagen(fuente, static_cast<int32_t>(k)), niveles_[k], {0, 0, niveles_[k].ancho, niveles_[k].alto});
}

void CopiasReducidas::Actualizar(const ImagenBGR& fuente, RectMesa c) {
  if (niveles_.empty() || niveles_[0].ancho != (fuente.ancho + 1) / 2 || niveles_[0].alto != (fuente.alto + 1) / 2) {
    Rehacer(fuente);
    return;
  }
  int32_t x0 = std::max(0, c.x), y0 = std::max(0, c.y);
  int32_t x1 = std::min(fuente.ancho, c.x + c.ancho), y1 = std::min(fuente.alto, c.y + c.alto);
  for (size_t k = 0; k < niveles_.size() && x0 < x1 && y0 < y1; ++k) {
    x0 /= 2;
    y0 /= 2;
    x1 = (x1 + 1) / 2;
    y1 = (y1 + 1) / 2;
    Reducir(Imagen(fuente, static_cast<int32_t>(k)), niveles_[k], {x0, y0, x1 - x0, y1 - y0});
  }
}

void CopiasReducidas::Reducir(const ImagenBGR& de, Nivel& a, RectMesa r) {
  for (int32_t y = r.y; y < r.y + r.alto; ++y) {
    const uint8_t* f0 = de.Fila(2 * y);
    const uint8_t* f1 = 2 * y + 1 < de.alto ? de.Fila(2 * y + 1) : nullptr;
    uint8_t* d = a.bgr.data() + (static_cast<int64_t>(y) * a.ancho + r.x) * 3;
    int32_t x = r.x;
    // Whole 2 x 2 blocks.
    const int32_t enteros = std::min(r.x + r.ancho, de.ancho / 2);
    if (f1) {
      for (; x < enteros; ++x, d += 3) {
        const uint8_t* p = f0 + 6 * x;
        const uint8_t* q = f1 + 6 * x;
        for (int c = 0; c < 3; ++c) d[c] = static_cast<uint8_t>((p[c] + p[c + 3] + q[c] + q[c + 3] + 2) >> 2);
      }
    }
    // The last row or column of an odd side averages what there is.
    for (; x < r.x + r.ancho; ++x, d += 3) {
      const int32_t nx = 2 * x + 1 < de.ancho ? 2 : 1, ny = f1 ? 2 : 1;
      for (int c = 0; c < 3; ++c) {
        int32_t s = 0;
        for (int32_t j = 0; j < ny; ++j)
          for (int32_t i = 0; i < nx; ++i) s += (j ? f1 : f0)[(2 * x + i) * 3 + c];
        d[c] = static_cast<uint8_t>((s + nx * ny / 2) / (nx * ny));
      }
    }
  }
}

void CopiasReducidas::Pintar(const ImagenBGR& fuente, const Vista& v, RectMesa r, uint8_t* destino,
                             int64_t pasoDestino, uint32_t fondo) const {
  if (r.ancho <= 0 || r.alto <= 0) return;
  // Window pixels that show some of the picture.
  const int32_t sx0 = std::clamp(-v.origen.x, r.x, r.x + r.ancho);
  const int32_t sx1 = std::clamp(v.AnchoEscalado() - v.origen.x, sx0, r.x + r.ancho);
  const int32_t sy0 = std::clamp(-v.origen.y, r.y, r.y + r.alto);
  const int32_t sy1 = std::clamp(v.AltoEscalado() - v.origen.y, sy0, r.y + r.alto);
  for (int32_t y = r.y; y < r.y + r.alto; ++y) {
    uint8_t* d = destino + pasoDestino * (y - r.y);
    if (y < sy0 || y >= sy1 || sx0 == sx1) {
      Rellenar(d, r.ancho, fondo);
      continue;
    }
    Rellenar(d, sx0 - r.x, fondo);
    Rellenar(d + (sx1 - r.x) * 3, r.x + r.ancho - sx1, fondo);
  }
  if (sx0 == sx1 || sy0 == sy1) return;
  const int32_t n = sx1 - sx0;
  uint8_t* const base = destino + pasoDestino * (sy0 - r.y) + static_cast<int64_t>(sx0 - r.x) * 3;

  if (std::fabs(v.escala - 1.0) < 1e-12) {
    for (int32_t y = sy0; y < sy1; ++y)
      std::memcpy(base + pasoDestino * (y - sy0),
                  fuente.Fila(v.origen.y + y) + static_cast<int64_t>(v.origen.x + sx0 - fuente.x0) * 3,
                  static_cast<size_t>(n) * 3);
    return;
  }

  if (v.escala > 1.0) {
    // Sharp blocks: each window pixel takes the picture pixel it lies on.
    std::vector<int32_t> columna(static_cast<size_t>(n));
    for (int32_t i = 0; i < n; ++i)
      columna[static_cast<size_t>(i)] =
          std::clamp(static_cast<int32_t>(std::floor((v.origen.x + sx0 + i) / v.escala + 1e-9)), fuente.x0,
                     fuente.x0 + fuente.ancho - 1) -
          fuente.x0;
    int32_t anterior = -1;
    for (int32_t y = sy0; y < sy1; ++y) {
      uint8_t* d = base + pasoDestino * (y - sy0);
      const int32_t fila = std::clamp(static_cast<int32_t>(std::floor((v.origen.y + y) / v.escala + 1e-9)), fuente.y0,
                                      fuente.y0 + fuente.alto - 1);
      if (fila == anterior) {
        std::memcpy(d, d - pasoDestino, static_cast<size_t>(n) * 3);
        continue;
      }
      anterior = fila;
      const uint8_t* f = fuente.Fila(fila);
      for (int32_t i = 0; i < n; ++i, d += 3) std::memcpy(d, f + columna[static_cast<size_t>(i)] * 3, 3);
    }
    return;
  }

  // Below 1:1: the copy at the scale just above, averaged over each window
  // pixel's area.
  int32_t k = static_cast<int32_t>(std::floor(std::log2(1.0 / v.escala) + 1e-9));
  k = fuente.Entera(v) ? std::clamp(k, 0, Niveles()) : 0;
  const ImagenBGR img = Imagen(fuente, k);
  const double s = v.escala * std::exp2(k);
  Tomas h, w;
  CalcularTomas(v.origen.x, sx0, sx1, s, img.x0, img.x0 + img.ancho, 65536, h);
  CalcularTomas(v.origen.y, sy0, sy1, s, img.y0, img.y0 + img.alto, 256, w);
  const int32_t c0 = h.primero, nc = std::max(0, h.ultimo - h.primero);
  const auto filas = [&](int32_t desde, int32_t hasta) {
    std::vector<uint16_t> suma(static_cast<size_t>(nc) * 3);
    for (int32_t y = desde; y < hasta; ++y) {
      const size_t iy = static_cast<size_t>(y - sy0);
      std::fill(suma.begin(), suma.end(), 0);
      for (int32_t t = 0; t < w.cuenta[iy]; ++t) {
        const uint16_t peso = static_cast<uint16_t>(w.pesos[static_cast<size_t>(w.desde[iy] + t)]);
        const uint8_t* f = img.Fila(w.inicio[iy] + t) + static_cast<int64_t>(c0 - img.x0) * 3;
        uint16_t* a = suma.data();
        for (int32_t b = 0; b < nc * 3; ++b) a[b] = static_cast<uint16_t>(a[b] + peso * f[b]);
      }
      uint8_t* d = base + pasoDestino * static_cast<int64_t>(iy);
      for (int32_t i = 0; i < n; ++i, d += 3) {
        const size_t ix = static_cast<size_t>(i);
        const uint32_t* pw = h.pesos.data() + h.desde[ix];
        const uint16_t* a = suma.data() + static_cast<size_t>(h.inicio[ix] - c0) * 3;
        uint32_t b = 1u << 23, g = 1u << 23, rr = 1u << 23;
        for (int32_t t = 0; t < h.cuenta[ix]; ++t, a += 3) {
          b += pw[t] * a[0];
          g += pw[t] * a[1];
          rr += pw[t] * a[2];
        }
        d[0] = static_cast<uint8_t>(b >> 24);
        d[1] = static_cast<uint8_t>(g >> 24);
        d[2] = static_cast<uint8_t>(rr >> 24);
      }
    }
  };
  // A whole large window is shared with a second thread, half the rows each:
  // each row is written by one of them only.
  const int32_t mitad = sy0 + (sy1 - sy0) / 2;
  if (static_cast<int64_t>(n) * (sy1 - sy0) < kPixelesEnDosHilos) {
    filas(sy0, sy1);
    return;
  }
  std::thread otro;
  try {
    otro = std::thread(filas, mitad, sy1);
  } catch (const std::system_error&) {
    filas(sy0, sy1);
    return;
  }
  filas(sy0, mitad);
  otro.join();
}
