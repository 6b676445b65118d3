// Turns Verificar's trap into an exception a test can catch and inspect.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Verificar.h"

struct FalloVerificar : std::runtime_error {
  explicit FalloVerificar(const char* m) : std::runtime_error(m) {}
};

// While alive, every Verificar that fires throws FalloVerificar.
class CapturaVerificar {
 public:
  CapturaVerificar() : anterior_(InstalarManejadorVerificar(&Lanzar)) {}
  ~CapturaVerificar() { InstalarManejadorVerificar(anterior_); }
  CapturaVerificar(const CapturaVerificar&) = delete;
  CapturaVerificar& operator=(const CapturaVerificar&) = delete;

 private:
  static void Lanzar(const char* mensaje) { throw FalloVerificar(mensaje); }
  ManejadorVerificar anterior_;
};

// Runs `sentencia` and returns the message of the Verificar it raised, or
// "<ninguno>" when none fired.
#define MENSAJE_VERIFICAR(sentencia)              \
  ([&]() -> std::string {                         \
    CapturaVerificar captura_;                    \
    try {                                         \
      sentencia;                                  \
    } catch (const FalloVerificar& f) {           \
      return f.what();                            \
    }                                             \
    return "<ninguno>";                           \
  }())

#define EXPECT_VERIFICAR(sentencia, mensaje) EXPECT_EQ(MENSAJE_VERIFICAR(sentencia), std::string(mensaje))
#define EXPECT_SIN_VERIFICAR(sentencia) EXPECT_EQ(MENSAJE_VERIFICAR(sentencia), "<ninguno>")
