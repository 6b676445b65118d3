#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "ArchivoRecursos.h"
#include "AyudaRecursos.h"
#include "AyudaVerificar.h"
#include "ControlDC.h"

namespace {

using ArchivoRecursos = ConArchivoRecursos;

TEST_F(ArchivoRecursos, ReadsHeaderTableAndRowsIntoTheBlockLayout) {
  BloquePrueba ocho{.numero = 7, .ancho = 5, .alto = 3, .bits = 8, .colores = 16, .semilla = 1};
  BloquePrueba veinticuatro{.numero = 9, .ancho = 2, .alto = 2, .bits = 24, .colores = 0, .semilla = 2};
  ASSERT_TRUE(AbrirArchivoRecursos(EscribirTemporal("a.rf", ArchivoDe({ocho, veinticuatro})).c_str()));

  for (const BloquePrueba& b : {ocho, veinticuatro}) {
    HIMAGE h = nullptr;
    ASSERT_TRUE(LeerImagenRecursos(b.numero, &h));
    std::vector<uint8_t> bytes = b.Bytes();
    EXPECT_EQ(std::memcmp(h, bytes.data(), 40), 0);
    EXPECT_EQ(std::memcmp(ColoresHIMAGE(h), &bytes[40], 4 * b.colores), 0);
    // Rows start at 1064 whatever the table held.
    EXPECT_EQ(std::memcmp(PixelesHIMAGE(h), &bytes[40 + 4 * b.colores], b.SizeImage()), 0);
    LiberarHIMAGE(h);
  }
}

TEST_F(ArchivoRecursos, FirstOfTwoEqualNumbersWins) {
  BloquePrueba a{.numero = 3, .ancho = 4, .alto = 1};
  BloquePrueba b{.numero = 3, .ancho = 8, .alto = 1};
  ASSERT_TRUE(AbrirArchivoRecursos(EscribirTemporal("d.rf", ArchivoDe({a, b})).c_str()));
  ControlDC c;
  ASSERT_TRUE(c.Cargar(3));
  EXPECT_EQ(c.Tamaño().x, 4);
}

TEST_F(ArchivoRecursos, ProgrammingErrorsAreAssertions) {
  HIMAGE h = nullptr;
  EXPECT_VERIFICAR(LeerImagenRecursos(1, &h), "no ha sido declarado el .rf");
  std::string vacio = EscribirTemporal("vacio.rf", ArchivoDe({}));
  ASSERT_TRUE(AbrirArchivoRecursos(vacio.c_str()));
  EXPECT_EQ(NumerosArchivoRecursos(nullptr, 0), 0);
  EXPECT_VERIFICAR(LeerImagenRecursos(1, &h), "este bitmap no esta registrado en el .rf");
  EXPECT_VERIFICAR(AbrirArchivoRecursos(vacio.c_str()), "el path debe ser declarado una vez");
  EXPECT_EQ(h, nullptr);
}

TEST_F(ArchivoRecursos, MissingOrUnreadableArchiveIsReportedNotAsserted) {
  testing::internal::CaptureStderr();
  EXPECT_SIN_VERIFICAR(EXPECT_FALSE(AbrirArchivoRecursos(RutaTemporal("no-existe.rf").c_str())));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "el archivo especificado no se encontro\r\n");

  testing::internal::CaptureStderr();
  EXPECT_FALSE(AbrirArchivoRecursos(testing::TempDir().c_str()));  // a folder, not a file
  EXPECT_FALSE(AbrirArchivoRecursos(EscribirTemporal("corto.rf", {1, 0}).c_str()));
  // A count whose directory cannot fit the file.
  EXPECT_FALSE(AbrirArchivoRecursos(EscribirTemporal("n.rf", {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}).c_str()));
  EXPECT_FALSE(AbrirArchivoRecursos(EscribirTemporal("n1.rf", {1, 0, 0, 0}).c_str()));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "el archivo especificado no pudo ser abierto\r\n"
                                                        "el archivo especificado no pudo ser abierto\r\n"
                                                        "el archivo especificado no pudo ser abierto\r\n"
                                                        "el archivo especificado no pudo ser abierto\r\n");
  EXPECT_FALSE(ArchivoRecursosAbierto());
  // After a failed open the next one may still succeed.
  EXPECT_TRUE(AbrirArchivoRecursos(EscribirTemporal("ok.rf", ArchivoDe({})).c_str()));
}

// A damaged picture is refused: the read gives false and the canvas keeps
// what it had.
TEST_F(ArchivoRecursos, DamagedPicturesAreRefusedCleanly) {
  const BloquePrueba bueno{.numero = 1, .ancho = 3, .alto = 2, .bits = 8, .colores = 4};
  std::vector<BloquePrueba> malos;
  auto mal = [&](auto cambiar) {
    BloquePrueba b = bueno;
    b.numero = 100 + static_cast<uint32_t>(malos.size());
    cambiar(b);
    malos.push_back(b);
  };
  mal([](BloquePrueba& b) { b.colores = 300; });
  mal([](BloquePrueba& b) { b.bytesImagen = b.Stride() * b.alto - 1; });
  mal([](BloquePrueba& b) { b.ancho = 0; });
  mal([](BloquePrueba& b) { b.alto = -2; b.bytesImagen = 8; });
  mal([](BloquePrueba& b) { b.bits = 16; });
  mal([](BloquePrueba& b) { b.compresion = 1; });
  mal([](BloquePrueba& b) { b.planos = 2; });
  mal([](BloquePrueba& b) { b.tamCabecera = 124; });
  mal([](BloquePrueba& b) { b.ancho = 0x7FFFFFF0; b.bytesImagen = 0; });

  std::vector<BloquePrueba> todos = {bueno};
  todos.insert(todos.end(), malos.begin(), malos.end());
  std::vector<uint8_t> archivo = ArchivoDe(todos);
  // Two more entries: one pointing past the directory, one whose block
  // claims more rows than lie before the directory.
  std::vector<uint8_t> datos(archivo.begin(), archivo.end() - 4 - 16 * static_cast<long>(todos.size()));
  std::vector<EntradaPrueba> dir;
  uint64_t desplazamiento = 0;
  for (const BloquePrueba& b : todos) {
    dir.push_back({b.numero, desplazamiento});
    desplazamiento += b.Bytes().size();
  }
  dir.push_back({200, 1ull << 40});
  dir.push_back({201, datos.size()});
  std::vector<uint8_t> largo = bueno.Bytes();
  EscribirU32(&largo[20], bueno.SizeImage() + 1);
  datos.insert(datos.end(), largo.begin(), largo.end());
  ASSERT_TRUE(AbrirArchivoRecursos(EscribirTemporal("malos.rf", ArchivoConDirectorio(datos, dir)).c_str()));

  ControlDC c;
  ASSERT_TRUE(c.Cargar(1));
  const HIMAGE antes = c.Imagen();
  testing::internal::CaptureStderr();
  for (const EntradaPrueba& e : dir) {
    if (e.numero == 1) continue;
    SCOPED_TRACE(e.numero);
    EXPECT_SIN_VERIFICAR(EXPECT_FALSE(c.Cargar(e.numero)));
    EXPECT_EQ(c.Imagen(), antes);
    EXPECT_EQ(c.Tamaño().x, 3);
  }
  EXPECT_NE(testing::internal::GetCapturedStderr().find("bitmap 200 del .rf rechazado"), std::string::npos);
}

TEST_F(ArchivoRecursos, OnlyTheFirst65535EntriesCanBeFound) {
  std::vector<uint8_t> datos = BloquePrueba{.numero = 0}.Bytes();
  std::vector<EntradaPrueba> dir(65536, EntradaPrueba{0, 0});
  dir[65534].numero = 5;
  dir[65535].numero = 6;
  ASSERT_TRUE(AbrirArchivoRecursos(EscribirTemporal("grande.rf", ArchivoConDirectorio(datos, dir)).c_str()));
  std::vector<uint32_t> numeros(70000);
  EXPECT_EQ(NumerosArchivoRecursos(numeros.data(), 70000), 65535);
  EXPECT_EQ(numeros[65534], 5u);
  ControlDC c;
  EXPECT_TRUE(c.Cargar(5));
  EXPECT_VERIFICAR(c.Cargar(6), "este bitmap no esta registrado en el .rf");
}

TEST(ArchivoRecursosRfpack, EmptyArchiveAndRefusals) {
  std::string vacio = RutaTemporal("vacio.rf");
  ASSERT_EQ(Rfpack("-o " + vacio), 0);
  EXPECT_EQ(LeerTodo(vacio), (std::vector<uint8_t>{0, 0, 0, 0}));
  EXPECT_EQ(Rfpack("--list " + vacio), 0);

  std::string lista = RutaTemporal("lista.txt");
  std::string salida = RutaTemporal("no.rf");
  auto refusa = [&](const std::string& texto) {
    std::ofstream(lista) << texto;
    EXPECT_NE(Rfpack("-o " + salida + " " + lista), 0) << texto;
    EXPECT_FALSE(std::ifstream(salida).good()) << texto;
    EXPECT_FALSE(std::ifstream(salida + ".tmp").good()) << texto;
  };
  const std::string suite = TESSERA_BMPSUITE_DIR;
  refusa("1 " + suite + "/g/pal8.bmp\n1 " + suite + "/g/rgb24.bmp\n");  // repeated number
  refusa("1 " + suite + "/g/pal8.bmp\n2 " + suite + "/g/pal4.bmp\n");   // 4 bits
  refusa("1 " + suite + "/g/pal8rle.bmp\n");                             // compressed
  refusa("1 " + suite + "/b/pal8badindex.bmp\n");                       // index past the table
  refusa("1 no-existe.bmp\n");
  refusa("uno " + suite + "/g/pal8.bmp\n");
  refusa("4294967296 " + suite + "/g/pal8.bmp\n");
  EXPECT_NE(Rfpack("--list " + lista), 0);
  EXPECT_EQ(Rfpack(""), 2);
}

}  // namespace
