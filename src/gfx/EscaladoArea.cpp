#include "EscaladoArea.h"

#include <algorithm>
#include <cmath>

bool EscaladorArea::Empezar(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto) {
  if (!Preparar(anchoFuente, altoFuente, ancho, alto)) return false;
  suma_.assign(static_cast<size_t>(ancho) * alto * 3, 0.0f);
  return true;
}

bool EscaladorArea::EmpezarEnTiras(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto,
                                   SalidaFila salida) {
  if (!salida || !Preparar(anchoFuente, altoFuente, ancho, alto)) return false;
  salida_ = std::move(salida);
  return true;
}

bool EscaladorArea::Preparar(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto) {
  *this = EscaladorArea();
  if (anchoFuente < 1 || altoFuente < 1 || ancho < 1 || alto < 1) return false;
  anchoFuente_ = anchoFuente;
  filasFuente_ = altoFuente;
  ancho_ = ancho;
  alto_ = alto;
  pasoY_ = static_cast<double>(altoFuente) / alto;

  // Each target column covers [c, c + 1) x pasoX of the source; a source
  // pixel weighs by the part of it inside, over the column's width.
  const double pasoX = static_cast<double>(anchoFuente) / ancho;
  columnas_.resize(static_cast<size_t>(ancho));
  for (int32_t c = 0; c < ancho; ++c) {
    const double a = c * pasoX, b = (c + 1) * pasoX;
    Tramo& t = columnas_[static_cast<size_t>(c)];
    t.inicio = static_cast<int32_t>(indices_.size());
    const int32_t ultimo = std::min(anchoFuente - 1, static_cast<int32_t>(std::ceil(b)) - 1);
    for (int32_t i = static_cast<int32_t>(a); i <= ultimo; ++i) {
      const double dentro = std::min(b, i + 1.0) - std::max(a, static_cast<double>(i));
      if (dentro <= 0) continue;
      indices_.push_back(i);
      pesos_.push_back(static_cast<float>(dentro / pasoX));
    }
    t.cuenta = static_cast<int32_t>(indices_.size()) - t.inicio;
  }
  fila_.assign(static_cast<size_t>(ancho) * 3, 0.0f);
  return true;
}

void EscaladorArea::Convertir(const float* s, uint8_t* bgr) const {
  for (int32_t k = 0; k < ancho_ * 3; ++k) bgr[k] = static_cast<uint8_t>(std::clamp(std::lround(s[k]), 0L, 255L));
}

void EscaladorArea::Entregar(int32_t hasta) {
  const size_t porFila = static_cast<size_t>(ancho_) * 3;
  std::vector<uint8_t> bgr(porFila);
  int32_t r = base_;
  for (; r < hasta; ++r) {
    const size_t i = static_cast<size_t>(r - base_) * porFila;
    if (i + porFila <= suma_.size()) {
      Convertir(&suma_[i], bgr.data());
    } else {
      std::fill(bgr.begin(), bgr.end(), uint8_t{0});
    }
    salida_(r, bgr.data());
  }
  const size_t hechos = std::min(suma_.size(), static_cast<size_t>(r - base_) * porFila);
  suma_.erase(suma_.begin(), suma_.begin() + static_cast<std::ptrdiff_t>(hechos));
  base_ = r;
}

void EscaladorArea::AgregarFila(const uint8_t* bgr) {
  if (filaActual_ >= filasFuente_) return;
  for (int32_t c = 0; c < ancho_; ++c) {
    const Tramo& t = columnas_[static_cast<size_t>(c)];
    float s0 = 0, s1 = 0, s2 = 0;
    for (int32_t k = t.inicio; k < t.inicio + t.cuenta; ++k) {
      const uint8_t* p = bgr + 3 * static_cast<int64_t>(indices_[static_cast<size_t>(k)]);
      const float w = pesos_[static_cast<size_t>(k)];
      s0 += w * p[0];
      s1 += w * p[1];
      s2 += w * p[2];
    }
    float* f = &fila_[static_cast<size_t>(c) * 3];
    f[0] = s0, f[1] = s1, f[2] = s2;
  }
  // The source row [y, y + 1) meets the target rows whose span overlaps it.
  const double y = filaActual_;
  for (auto r = std::max(base_, static_cast<int32_t>(y / pasoY_)); r < alto_; ++r) {
    const double a = r * pasoY_, b = (r + 1) * pasoY_;
    if (a >= y + 1) break;
    const auto peso = static_cast<float>((std::min(b, y + 1) - std::max(a, y)) / pasoY_);
    if (peso <= 0) continue;
    const size_t inicio = static_cast<size_t>(r - base_) * ancho_ * 3;
    if (salida_ && suma_.size() < inicio + fila_.size()) suma_.resize(inicio + fila_.size(), 0.0f);
    float* destino = &suma_[inicio];
    for (size_t k = 0; k < fila_.size(); ++k) destino[k] += peso * fila_[k];
  }
  ++filaActual_;
  if (!salida_) return;
  // Target row r is whole once the source has reached (r + 1) x pasoY_.
  int32_t listas = filaActual_ == filasFuente_ ? alto_ : static_cast<int32_t>(filaActual_ / pasoY_ + 1e-9);
  listas = std::min(listas, alto_);
  if (listas > base_) Entregar(listas);
}

void EscaladorArea::LeerFila(int32_t fila, uint8_t* bgr) const {
  if (fila < 0 || fila >= alto_ || salida_) return;
  Convertir(&suma_[static_cast<size_t>(fila) * ancho_ * 3], bgr);
}

bool EscalarPromedio(const uint8_t* fuente, int32_t anchoFuente, int32_t altoFuente, int64_t bytesFilaFuente,
                     uint8_t* destino, int32_t ancho, int32_t alto, int64_t bytesFila) {
  EscaladorArea escalador;
  if (!escalador.Empezar(anchoFuente, altoFuente, ancho, alto)) return false;
  for (int32_t y = 0; y < altoFuente; ++y) escalador.AgregarFila(fuente + y * bytesFilaFuente);
  for (int32_t y = 0; y < alto; ++y) escalador.LeerFila(y, destino + y * bytesFila);
  return true;
}
