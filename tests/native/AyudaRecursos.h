// Builders for the archive and BMP files the graphics tests read.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "ArchivoRecursos.h"
#include "Binario.h"

// One stored picture: its header fields, colour table and rows as written.
struct BloquePrueba {
  uint32_t numero = 0;
  int32_t ancho = 1, alto = 1;
  uint16_t bits = 8;
  uint32_t colores = 0;       // biClrUsed, and entries written
  int64_t bytesImagen = -1;   // biSizeImage; -1: exactly stride x height
  uint32_t planos = 1, compresion = 0, tamCabecera = 40;
  uint8_t semilla = 0;        // pixel i holds semilla + i

  int64_t Stride() const { return StrideRecurso(ancho, bits); }
  uint32_t SizeImage() const { return static_cast<uint32_t>(bytesImagen >= 0 ? bytesImagen : Stride() * alto); }
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> b(40 + 4 * colores + SizeImage());
    EscribirU32(&b[0], tamCabecera);
    EscribirI32(&b[4], ancho);
    EscribirI32(&b[8], alto);
    EscribirU16(&b[12], static_cast<uint16_t>(planos));
    EscribirU16(&b[14], bits);
    EscribirU32(&b[16], compresion);
    EscribirU32(&b[20], SizeImage());
    EscribirU32(&b[32], colores);
    for (uint32_t i = 0; i < colores; ++i) EscribirU32(&b[40 + 4 * i], 0x00010203u * (i + 1));
    for (size_t i = 40 + 4 * colores; i < b.size(); ++i) b[i] = static_cast<uint8_t>(semilla + i);
    return b;
  }
};

// Directory entry as written: number and offset (the default: where the
// block was put).
struct EntradaPrueba {
  uint32_t numero;
  uint64_t desplazamiento;
};

inline std::vector<uint8_t> ArchivoConDirectorio(std::vector<uint8_t> datos, const std::vector<EntradaPrueba>& dir) {
  for (const EntradaPrueba& e : dir) {
    uint8_t r[16] = {};
    EscribirU32(r, e.numero);
    EscribirU64(r + 8, e.desplazamiento);
    datos.insert(datos.end(), r, r + 16);
  }
  uint8_t n[4];
  EscribirU32(n, static_cast<uint32_t>(dir.size()));
  datos.insert(datos.end(), n, n + 4);
  return datos;
}

inline std::vector<uint8_t> ArchivoDe(const std::vector<BloquePrueba>& bloques) {
  std::vector<uint8_t> datos;
  std::vector<EntradaPrueba> dir;
  for (const BloquePrueba& b : bloques) {
    dir.push_back({b.numero, datos.size()});
    std::vector<uint8_t> bytes = b.Bytes();
    datos.insert(datos.end(), bytes.begin(), bytes.end());
  }
  return ArchivoConDirectorio(datos, dir);
}

// A fresh file path under the test temp folder.
inline std::string RutaTemporal(const std::string& nombre) {
  static int contador = 0;
  return ::testing::TempDir() + "tessera_" + std::to_string(getpid()) + "_" + std::to_string(++contador) + "_" +
         nombre;
}

inline std::string EscribirTemporal(const std::string& nombre, const std::vector<uint8_t>& bytes) {
  std::string ruta = RutaTemporal(nombre);
  std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return ruta;
}

inline std::vector<uint8_t> LeerTodo(const std::string& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

// Runs the archive tool as the build made it; its exit code.
inline int Rfpack(const std::string& argumentos) {
  int r = std::system((std::string("\"") + TESSERA_RFPACK + "\" " + argumentos + " >/dev/null 2>&1").c_str());
  return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

// Keeps the process-wide archive closed around each test.
class ConArchivoRecursos : public ::testing::Test {
 protected:
  void SetUp() override { CerrarArchivoRecursos(); }
  void TearDown() override { CerrarArchivoRecursos(); }
};
