#include <gtest/gtest.h>

#include "ArchivoRecursos.h"
#include "AyudaRecursos.h"
#include "AyudaVerificar.h"

namespace {

using ArchivoRecursos = ConArchivoRecursos;

TEST_F(ArchivoRecursos, ReadsEachBlockIntoTheFixedLayoutAndTheFirstOfEqualNumbers) {
  // 16 colours fill only part of the table area, 24 bits none of it: the
  // rows start at the same offset either way.
  const BloquePrueba ocho{.numero = 7, .ancho = 5, .alto = 3, .bits = 8, .colores = 16};
  const BloquePrueba color{.numero = 9, .ancho = 2, .alto = 2, .bits = 24};
  const BloquePrueba repetido{.numero = 7, .ancho = 8, .alto = 1};
  ASSERT_TRUE(Abrir(ArchivoDe({ocho, color, repetido})));
  for (const BloquePrueba& b : {ocho, color}) {
    HIMAGE h = nullptr;
    ASSERT_TRUE(LeerImagenRecursos(b.numero, &h));
    EsperarBloque(h, b);
    LiberarHIMAGE(h);
  }
}

TEST_F(ArchivoRecursos, MisuseIsAnAssertion) {
  HIMAGE h = nullptr;
  EXPECT_VERIFICAR(LeerImagenRecursos(1, &h), "no ha sido declarado el .rf");
  const std::string vacio = Escribir(ArchivoDe({}));
  ASSERT_TRUE(AbrirArchivoRecursos(vacio.c_str()));
  EXPECT_EQ(NumerosArchivoRecursos(nullptr, 0), 0);
  EXPECT_VERIFICAR(AbrirArchivoRecursos(vacio.c_str()), "el path debe ser declarado una vez");
  EXPECT_EQ(h, nullptr);
}

// A number the archive lacks, or a block damaged after the start-up check:
// refused and told to the program, never trapped.
std::vector<uint32_t> g_avisados;
TEST_F(ArchivoRecursos, AMissingNumberOrADamagedBlockIsToldToTheProgram) {
  std::vector<uint8_t> bytes = ArchivoDe({{.numero = 2}, {.numero = 3}});
  bytes[BloquePrueba{.numero = 2}.Bytes().size()] = 0;  // picture 3's biSize
  ASSERT_TRUE(Abrir(bytes));
  AvisarArchivoDañado([](uint32_t n) { g_avisados.push_back(n); });
  HIMAGE h = nullptr;
  testing::internal::CaptureStderr();
  for (uint32_t n : {1u, 3u}) EXPECT_SIN_VERIFICAR(EXPECT_FALSE(LeerImagenRecursos(n, &h)));
  testing::internal::GetCapturedStderr();
  AvisarArchivoDañado(nullptr);
  EXPECT_EQ(g_avisados, (std::vector<uint32_t>{1, 3}));
}

// The start-up check: every cut of the file, a zeroed block or entry and a
// missing number are refused by the open or by the check, which says why.
TEST_F(ArchivoRecursos, TheStartUpCheckRefusesEveryCutAndAZeroedBlockOrEntry) {
  const BloquePrueba bloques[] = {{.numero = 1, .ancho = 6, .alto = 5, .colores = 16},
                                  {.numero = 2, .ancho = 3, .alto = 4, .bits = 24},
                                  {.numero = 3, .ancho = 9, .alto = 2, .colores = 256}};
  const std::vector<uint8_t> bueno = ArchivoDe({bloques[0], bloques[1], bloques[2]});
  const uint32_t necesarios[] = {3, 1, 2};
  const auto aceptado = [&](const std::vector<uint8_t>& bytes) {
    bool ok = false;
    EXPECT_SIN_VERIFICAR(ok = Abrir(bytes) && ComprobarArchivoRecursos(necesarios));
    CerrarArchivoRecursos();
    return ok;
  };
  testing::internal::CaptureStderr();
  ASSERT_TRUE(aceptado(bueno));
  for (size_t largo = 0; largo < bueno.size(); ++largo)
    EXPECT_FALSE(aceptado(std::vector<uint8_t>(bueno.begin(), bueno.begin() + largo))) << "cut at " << largo;
  testing::internal::GetCapturedStderr();

  const auto ceros = [&](size_t desde, size_t bytes) {
    std::vector<uint8_t> b = bueno;
    std::fill_n(b.begin() + static_cast<std::ptrdiff_t>(desde), bytes, 0);
    return b;
  };
  // A zeroed entry reads as picture 0 at offset 0: a good header, another number.
  const std::pair<const char*, std::vector<uint8_t>> casos[] = {
      {"bitmap 2 del .rf rechazado: cabecera invalida", ceros(bloques[0].Bytes().size(), 40)},
      {"falta el bitmap 2 en el .rf", ceros(bueno.size() - 4 - 2 * kTamEntradaRecursos, 16)},
      {"falta el bitmap 2 en el .rf", ArchivoDe({bloques[0], bloques[2]})},
  };
  for (const auto& [motivo, bytes] : casos) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(aceptado(bytes)) << motivo;
    EXPECT_NE(testing::internal::GetCapturedStderr().find(motivo), std::string::npos) << motivo;
  }
}

// Damage in the file is refused by the open or by the read of picture 1,
// never trapped. A failed open leaves the archive closed for the next case.
TEST_F(ArchivoRecursos, DamagedArchivesAreRefusedCleanly) {
  testing::internal::CaptureStderr();
  EXPECT_SIN_VERIFICAR(EXPECT_FALSE(AbrirArchivoRecursos((carpeta + "falta.rf").c_str())));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "el archivo especificado no se encontro\r\n");

  const BloquePrueba bueno{.numero = 1, .ancho = 3, .alto = 2, .colores = 4};
  auto uno = [&](auto cambiar) {
    BloquePrueba b = bueno;
    cambiar(b);
    return ArchivoDe({b});
  };
  std::vector<uint8_t> cortado = bueno.Bytes();
  cortado.pop_back();
  // Each is refused for its own reason, as reported.
  const std::pair<const char*, std::vector<uint8_t>> casos[] = {
      {"no pudo ser abierto", {1, 0}},
      {"no pudo ser abierto", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},  // count beyond the file
      {"cabecera ilegible", ArchivoConDirectorio(bueno.Bytes(), {{1, 1ull << 40}})},
      {"el bloque sale del archivo", ArchivoConDirectorio(cortado, {{1, 0}})},
      {"demasiados colores", uno([](BloquePrueba& b) { b.colores = 300; })},
      {"biSizeImage demasiado pequeño", uno([](BloquePrueba& b) { b.bytesImagen = 4 * 2 - 1; })},
      {"profundidad no soportada", uno([](BloquePrueba& b) { b.bits = 16; })},
      {"tamaño invalido", uno([](BloquePrueba& b) { b.ancho = 0x7FFFFFF0, b.bytesImagen = 0; })},
  };
  for (const auto& [motivo, bytes] : casos) {
    SCOPED_TRACE(motivo);
    HIMAGE h = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_SIN_VERIFICAR(if (Abrir(bytes)) {
      EXPECT_FALSE(LeerImagenRecursos(1, &h));
      CerrarArchivoRecursos();
    });
    EXPECT_NE(testing::internal::GetCapturedStderr().find(motivo), std::string::npos);
    EXPECT_EQ(h, nullptr);
  }
}

}  // namespace
