#include "Troquel.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "Binario.h"

namespace {

// One tab in its edge's frame: t along the edge (0-200), d depth into the
// receiving cell. A neck from the edge to a head centred at (centro, alto).
struct Lengueta {
  int sentido;  // +1: from the left/top cell into the right/bottom one
  double centro, cuello, desvio, radioT, radioD, alto;
  bool cuadrada;
  double ensanche = 0;  // the neck widens by this much where it leaves the edge
};

bool Dentro(const Lengueta& l, double t, double d) {
  if (d < 0) return false;
  if (l.cuadrada) {  // straight neck, rounded head widening outward
    if (d <= l.alto && std::abs(t - l.centro) <= l.cuello) return true;
    const double r = 9, w = l.radioT + 0.2 * (d - l.alto);
    const double qx = std::max(std::abs(t - l.centro) - (w - r), 0.0);
    const double qy = std::max(std::abs(d - l.alto) - (l.radioD - r), 0.0);
    return std::abs(d - l.alto) <= l.radioD && qx * qx + qy * qy <= r * r;
  }
  const double et = (t - l.centro) / l.radioT, ed = (d - l.alto) / l.radioD;
  if (et * et + ed * ed <= 1) return true;
  const double eje = l.centro + l.desvio * (1 - d / l.alto);  // the neck leans by `desvio`
  const double base = std::max(0.0, 1 - d / 10);                // a rounded foot 10 deep
  return d <= l.alto && std::abs(t - eje) <= l.cuello + l.ensanche * base * base;
}

// Tabs of the period: [0..3] vertical edges (x edge k, row j) at 2k + j,
// [4..7] horizontal edges (column i, y edge k) at 4 + 2i + k.
using Lenguetas = std::array<Lengueta, 8>;

Lenguetas Diseno(int estilo) {
  static constexpr int kSentidos[8] = {1, -1, -1, 1, -1, -1, 1, 1};
  Lenguetas ls{};
  uint32_t semilla = 0x7E55E2A1u;
  const auto azar = [&](double a, double b) {  // fixed sequence
    semilla = semilla * 1664525u + 1013904223u;
    return a + (b - a) * (semilla >> 8) / 16777216.0;
  };
  for (int e = 0; e < 8; ++e) {
    Lengueta& l = ls[e];
    l.sentido = kSentidos[e];
    if (estilo == 0) {
      l = {l.sentido, 100, 10, 0, 27, 23, 36, false, 6};  // a round head on a slim neck: reaches 59
    } else if (estilo == 1) {
      l = {l.sentido, 100, 14, 0, 24, 18, 33, true};  // reaches 51
    } else {
      l.sentido = azar(0, 1) < 0.5 ? 1 : -1;
      l.centro = 100 + azar(-14, 14);
      l.radioT = azar(19, 27);
      l.radioD = azar(16, 20);
      l.alto = azar(46, 58) - l.radioD;
      l.cuello = azar(8, 13);
      l.desvio = azar(-9, 9);
      l.cuadrada = false;
    }
  }
  return ls;
}

int32_t Piso(int32_t v, int32_t n) { return v >= 0 ? v / n : -((-v + n - 1) / n); }

// Label of window cell (fila, col) of a 2 x 2 die; 0 for the diagonal corners.
uint8_t Etiqueta(int32_t fila, int32_t col) {
  const bool c = col >= 0 && col < 2, f = fila >= 0 && fila < 2;
  if (c && f) return static_cast<uint8_t>(fila * 2 + col + 1);
  if (c && fila == -1) return static_cast<uint8_t>(5 + col);
  if (f && col == 2) return static_cast<uint8_t>(7 + fila);
  if (c && fila == 2) return static_cast<uint8_t>(9 + col);
  if (f && col == -1) return static_cast<uint8_t>(11 + fila);
  return 0;
}

// The window cell a label stands for; false for 0.
bool Celda(uint8_t e, int32_t& fila, int32_t& col) {
  if (e >= 1 && e <= 4) fila = (e - 1) / 2, col = (e - 1) % 2;
  else if (e == 5 || e == 6) fila = -1, col = e - 5;
  else if (e == 7 || e == 8) fila = e - 7, col = 2;
  else if (e == 9 || e == 10) fila = 2, col = e - 9;
  else if (e == 11 || e == 12) fila = e - 11, col = -1;
  else return false;
  return true;
}

}  // namespace

CeldaTroquel DuenoTroquel(int estilo, int32_t x, int32_t y) {
  static const Lenguetas kDisenos[3] = {Diseno(0), Diseno(1), Diseno(2)};
  const Lenguetas& ls = kDisenos[std::clamp(estilo, 0, 2)];
  const int32_t i = Piso(x, 200), j = Piso(y, 200);
  const double px = x - 200 * i + 0.5, py = y - 200 * j + 0.5;
  const int32_t pi = i & 1, pj = j & 1;
  const Lengueta &izq = ls[2 * pi + pj], &der = ls[2 * (pi ^ 1) + pj];
  const Lengueta &arr = ls[4 + 2 * pi + pj], &aba = ls[4 + 2 * pi + (pj ^ 1)];
  if (izq.sentido > 0 && Dentro(izq, py, px)) return {i - 1, j};
  if (der.sentido < 0 && Dentro(der, py, 200 - px)) return {i + 1, j};
  if (arr.sentido > 0 && Dentro(arr, px, py)) return {i, j - 1};
  if (aba.sentido < 0 && Dentro(aba, px, 200 - py)) return {i, j + 1};
  return {i, j};
}

std::vector<uint8_t> GenerarTroquel(int estilo) {
  std::vector<uint8_t> e(kLadoTroquel * kLadoTroquel);
  for (int32_t v = 0; v < kLadoTroquel; ++v)
    for (int32_t u = 0; u < kLadoTroquel; ++u) {
      const CeldaTroquel c = DuenoTroquel(estilo, u - 66, v - 66);
      e[v * kLadoTroquel + u] = Etiqueta(c.fila, c.col);
    }
  return e;
}

std::vector<uint8_t> BmpTroquel(const std::vector<uint8_t>& etiquetas) {
  const int32_t n = kLadoTroquel, stride = (n + 3) & ~3;
  const uint32_t cabecera = 14 + 40 + 1024;
  std::vector<uint8_t> b(cabecera + static_cast<size_t>(stride) * n, 0);
  b[0] = 'B', b[1] = 'M';
  EscribirU32(&b[2], static_cast<uint32_t>(b.size()));
  EscribirU32(&b[10], cabecera);
  const uint32_t campos[] = {40, uint32_t(n), uint32_t(n), 1u | 8u << 16, 0, uint32_t(stride * n), 0, 0, 256};
  for (int i = 0; i < 9; ++i) EscribirU32(&b[14 + 4 * i], campos[i]);
  static constexpr uint32_t kColores[13] = {0x000000, 0xE6194B, 0x3CB44B, 0xFFE119, 0x4363D8, 0xF58231, 0x911EB4,
                                            0x46F0F0, 0xF032E6, 0xBCF60C, 0xFABEBE, 0x008080, 0x9A6324};
  for (uint32_t i = 0; i < 256; ++i) EscribirU32(&b[54 + 4 * i], i < 13 ? kColores[i] : i * 0x010101u);
  for (int32_t v = 0; v < n && etiquetas.size() == size_t(n) * n; ++v)
    std::copy_n(&etiquetas[size_t(v) * n], n, &b[cabecera + size_t(n - 1 - v) * stride]);
  return b;
}

std::string ValidarTroquel(const std::vector<uint8_t>& e) {
  const int32_t n = kLadoTroquel;
  if (e.size() != size_t(n) * n) return "size is not 532 x 532";
  const auto en = [&](int32_t x, int32_t y) { return e[size_t(y) * n + x]; };
  const auto donde = [](int32_t x, int32_t y) { return " at (" + std::to_string(x) + ", " + std::to_string(y) + ")"; };
  for (int32_t y = 0; y < n; ++y)
    for (int32_t x = 0; x < n; ++x) {
      const uint8_t l = en(x, y);
      if (l > 12) return "stray label " + std::to_string(l) + donde(x, y);
      const int32_t c = (l - 1) % 2, f = (l - 1) / 2;
      if (l >= 1 && l <= 4 && (x < 200 * c || x >= 332 + 200 * c || y < 200 * f || y >= 332 + 200 * f))
        return "piece " + std::to_string(l) + " reaches beyond 66 pixels" + donde(x, y);
    }
  // The die is a window of a tiling of period 400: pixels 400 apart stand
  // for cells 2 apart.
  static constexpr int32_t kSaltos[4][2] = {{400, 0}, {0, 400}, {400, 400}, {-400, 400}};
  const auto esquina = [](int32_t f, int32_t c) { return (f < 0 || f > 1) && (c < 0 || c > 1); };
  for (int32_t y = 0; y < n; ++y)
    for (int32_t x = 0; x < n; ++x)
      for (const auto& s : kSaltos) {
        const int32_t x2 = x + s[0], y2 = y + s[1];
        if (x2 < 0 || x2 >= n || y2 >= n) continue;
        const int32_t df = s[1] / 200, dc = s[0] / 200;
        int32_t f1 = 0, c1 = 0, f2 = 0, c2 = 0;
        const bool a = Celda(en(x, y), f1, c1), b = Celda(en(x2, y2), f2, c2);
        const bool bien = a && b ? f1 + df == f2 && c1 + dc == c2 : a ? esquina(f1 + df, c1 + dc)
                                                                  : b ? esquina(f2 - df, c2 - dc) : true;
        if (!bien) return "edges do not match the opposite side" + donde(x, y);
      }
  std::vector<uint8_t> visto(e.size());
  for (uint8_t l = 1; l <= 4; ++l) {
    int regiones = 0;
    for (size_t p0 = 0; p0 < e.size(); ++p0) {
      if (e[p0] != l || visto[p0]) continue;
      ++regiones;
      std::vector<size_t> pila{p0};
      visto[p0] = 1;
      while (!pila.empty()) {
        const size_t p = pila.back();
        pila.pop_back();
        const int32_t x = int32_t(p % n), y = int32_t(p / n);
        const size_t vecinos[4] = {x > 0 ? p - 1 : p, x < n - 1 ? p + 1 : p, y > 0 ? p - n : p, y < n - 1 ? p + n : p};
        for (size_t q : vecinos)
          if (e[q] == l && !visto[q]) visto[q] = 1, pila.push_back(q);
      }
    }
    if (regiones != 1) return "piece " + std::to_string(l) + " has " + std::to_string(regiones) + " regions";
  }
  return "";
}
