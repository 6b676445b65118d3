// Builders for resource archives, and the archive tool as the build made it.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ArchivoRecursos.h"
#include "Binario.h"

// One stored picture. Row byte i of the block holds numero + i, kept within
// the colour table; the row padding is zero.
struct BloquePrueba {
  uint32_t numero = 0;
  int32_t ancho = 1, alto = 1;
  uint16_t bits = 8;
  uint32_t colores = 0;      // biClrUsed, and entries written
  int64_t bytesImagen = -1;  // biSizeImage; -1: stride x height

  int64_t Stride() const { return StrideRecurso(ancho, bits); }
  uint32_t SizeImage() const { return static_cast<uint32_t>(bytesImagen >= 0 ? bytesImagen : Stride() * alto); }
  std::vector<uint8_t> Bytes() const {
    std::vector<uint8_t> b(40 + 4 * colores + SizeImage());
    const uint32_t campos[] = {40, uint32_t(ancho), uint32_t(alto), 1u | uint32_t(bits) << 16, 0, SizeImage(), 0, 0,
                               colores};
    for (int i = 0; i < 9; ++i) EscribirU32(&b[4 * i], campos[i]);
    for (uint32_t i = 0; i < colores; ++i) EscribirU32(&b[40 + 4 * i], 0x00010203u * (i + 1) & 0xFFFFFF);
    for (size_t i = 40 + 4 * colores, j = 0; i < b.size(); ++i, ++j)
      if (int64_t(j % Stride()) < ancho * bits / 8) b[i] = uint8_t((numero + i) % (colores ? colores : 256));
    return b;
  }
};

// `datos` followed by a directory of (number, offset) entries and the count.
inline std::vector<uint8_t> ArchivoConDirectorio(std::vector<uint8_t> datos,
                                                 const std::vector<std::pair<uint32_t, uint64_t>>& dir) {
  for (const auto& [numero, desplazamiento] : dir) {
    uint8_t r[16] = {};
    EscribirU32(r, numero);
    EscribirU64(r + 8, desplazamiento);
    datos.insert(datos.end(), r, r + 16);
  }
  datos.resize(datos.size() + 4);
  EscribirU32(&datos[datos.size() - 4], static_cast<uint32_t>(dir.size()));
  return datos;
}

inline std::vector<uint8_t> ArchivoDe(const std::vector<BloquePrueba>& bloques) {
  std::vector<uint8_t> datos;
  std::vector<std::pair<uint32_t, uint64_t>> dir;
  for (const BloquePrueba& b : bloques) {
    dir.emplace_back(b.numero, datos.size());
    const std::vector<uint8_t> bytes = b.Bytes();
    datos.insert(datos.end(), bytes.begin(), bytes.end());
  }
  return ArchivoConDirectorio(datos, dir);
}

// A picture read from the archive holds the block: header and table at its
// start, rows at the fixed offset.
inline void EsperarBloque(HIMAGE h, const BloquePrueba& b) {
  const std::vector<uint8_t> bytes = b.Bytes();
  EXPECT_EQ(std::memcmp(h, bytes.data(), 40 + 4 * b.colores), 0) << b.numero;
  EXPECT_EQ(std::memcmp(PixelesHIMAGE(h), &bytes[40 + 4 * b.colores], b.SizeImage()), 0) << b.numero;
}

// Runs the archive tool; its exit code.
inline int Rfpack(const std::string& argumentos) {
  const int r = std::system((std::string("\"") + TESSERA_RFPACK + "\" " + argumentos + " >/dev/null 2>&1").c_str());
  return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

// Keeps the process-wide archive closed around each test; files go to a
// folder removed afterwards.
class ConArchivoRecursos : public ::testing::Test {
 protected:
  void SetUp() override {
    CerrarArchivoRecursos();
    std::filesystem::create_directories(carpeta);
  }
  void TearDown() override {
    CerrarArchivoRecursos();
    std::filesystem::remove_all(carpeta);
  }
  std::string Escribir(const std::vector<uint8_t>& bytes, const std::string& nombre = "t.rf") const {
    std::ofstream(carpeta + nombre, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return carpeta + nombre;
  }
  bool Abrir(const std::vector<uint8_t>& bytes) { return AbrirArchivoRecursos(Escribir(bytes).c_str()); }
  const std::string carpeta = ::testing::TempDir() + "tessera_rf_" + std::to_string(getpid()) + "/";
};
