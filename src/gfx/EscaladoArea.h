// EscaladorArea: scales a picture by area averaging. Each target pixel is
// the mean of the source area it covers, weighted by how much of each source
// pixel lies inside it, so a detailed or dithered picture shrinks without
// the noise of sampling single pixels, and a small one grows smoothly.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class EscaladorArea {
 public:
  // Sizes in pixels. False (and nothing to feed) when a side is below 1.
  bool Empezar(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto);
  // The same, keeping only the target rows still being summed: each one is
  // handed to `salida` (its number, three bytes a pixel) once the last
  // source row it covers has come, and LeerFila has nothing to read. A
  // large picture then costs a few rows, not the whole target in floats.
  using SalidaFila = std::function<void(int32_t fila, const uint8_t* bgr)>;
  bool EmpezarEnTiras(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto, SalidaFila salida);
  // The next source row (the first row first), three bytes a pixel in the
  // order blue, green, red. Rows past the last one are ignored.
  void AgregarFila(const uint8_t* bgr);
  // Whether every source row has been fed.
  bool Completo() const { return filasFuente_ > 0 && filaActual_ == filasFuente_; }
  // Target row `fila` (in the order the source rows came), three bytes a
  // pixel; only meaningful once complete.
  void LeerFila(int32_t fila, uint8_t* bgr) const;

 private:
  struct Tramo {
    int32_t inicio = 0;  // into indices_ and pesos_
    int32_t cuenta = 0;
  };
  int32_t anchoFuente_ = 0, filasFuente_ = 0, ancho_ = 0, alto_ = 0;
  int32_t filaActual_ = 0;
  double pasoY_ = 0;  // source rows per target row
  std::vector<Tramo> columnas_;
  std::vector<int32_t> indices_;
  std::vector<float> pesos_;
  std::vector<float> fila_;   // one source row scaled across
  std::vector<float> suma_;   // the target from row base_, accumulated
  int32_t base_ = 0;
  SalidaFila salida_;         // set when only the open rows are kept

  bool Preparar(int32_t anchoFuente, int32_t altoFuente, int32_t ancho, int32_t alto);
  void Entregar(int32_t hasta);  // the rows before `hasta`, done
  void Convertir(const float* s, uint8_t* bgr) const;
};

// Scales a whole picture of 24-bit rows (each `bytesFilaFuente` long) into
// another (`bytesFila` per row). Both keep their rows in the same order.
bool EscalarPromedio(const uint8_t* fuente, int32_t anchoFuente, int32_t altoFuente, int64_t bytesFilaFuente,
                     uint8_t* destino, int32_t ancho, int32_t alto, int64_t bytesFila);
