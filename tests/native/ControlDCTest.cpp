#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "AyudaRecursos.h"
#include "AyudaVerificar.h"
#include "ControlDC.h"

namespace {

using ControlDCImagen = ConArchivoRecursos;

TEST_F(ControlDCImagen, AjustarTamañoMakesABlankEightBitPictureWithoutPalette) {
  ControlDC c;
  EXPECT_EQ(c.Imagen(), nullptr);
  ASSERT_TRUE(c.AjustarTamaño(5, 3, false));
  HIMAGE h = c.Imagen();
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->biSize, 40u);
  EXPECT_EQ(h->biWidth, 5);
  EXPECT_EQ(h->biHeight, 3);
  EXPECT_EQ(h->biPlanes, 1);
  EXPECT_EQ(h->biBitCount, 8);
  EXPECT_EQ(h->biCompression, 0u);
  EXPECT_EQ(h->biSizeImage, 8u * 3);
  EXPECT_EQ(h->biXPelsPerMeter | h->biYPelsPerMeter, 0);
  EXPECT_EQ(h->biClrUsed | h->biClrImportant, 0u);
  EXPECT_EQ(c.Tamaño().x, 5);
  EXPECT_EQ(c.Tamaño().y, 3);
  // The last row's padding is inside the block.
  std::memset(PixelesHIMAGE(h), 1, h->biSizeImage);

  EXPECT_VERIFICAR(c.AjustarTamaño(0, 3), "ControlDC:AjustarTamaño:tamaños nuevos invalidos");
  EXPECT_VERIFICAR(c.AjustarTamaño(4, -1), "ControlDC:AjustarTamaño:tamaños nuevos invalidos");
  EXPECT_EQ(c.Imagen(), h);
  // A picture too large for a 32-bit image size is refused, the old one kept.
  EXPECT_FALSE(c.AjustarTamaño(70000, 70000));
  EXPECT_EQ(c.Imagen(), h);
}

TEST_F(ControlDCImagen, TamañoAfterCargarIsThePictureSize) {
  ASSERT_TRUE(AbrirArchivoRecursos(
      EscribirTemporal("c.rf", ArchivoDe({BloquePrueba{.numero = 40, .ancho = 7, .alto = 2, .bits = 24}})).c_str()));
  ControlDC c;
  ASSERT_TRUE(c.AjustarTamaño(100, 50));
  ASSERT_TRUE(c.Cargar(40));
  EXPECT_EQ(c.Tamaño().x, 7);
  EXPECT_EQ(c.Tamaño().y, 2);
  EXPECT_EQ(c.Imagen()->biBitCount, 24);
}

TEST(ControlDCGdi, NeedsWindows) {
  EXPECT_VERIFICAR(ControlDC c(true), "ControlDC: el modo gdi solo existe en Windows");
}

// --- Round trip: BMP files -> rfpack -> archive -> Cargar -------------------

// A BMP file; `arribaAbajo` stores the rows top row first.
std::vector<uint8_t> ArchivoBMPPrueba(int32_t ancho, int32_t alto, uint16_t bits, uint32_t colores, bool arribaAbajo,
                                      const std::vector<uint8_t>& filasAbajoArriba) {
  const int64_t stride = StrideRecurso(ancho, bits);
  std::vector<uint8_t> b(14 + 40 + 4 * colores);
  EscribirU16(&b[0], kFirmaBMP);
  EscribirU32(&b[2], static_cast<uint32_t>(b.size() + stride * alto));
  EscribirU32(&b[10], static_cast<uint32_t>(b.size()));
  EscribirU32(&b[14], 40);
  EscribirI32(&b[18], ancho);
  EscribirI32(&b[22], arribaAbajo ? -alto : alto);
  EscribirU16(&b[26], 1);
  EscribirU16(&b[28], bits);
  EscribirU32(&b[34], static_cast<uint32_t>(stride * alto));
  EscribirU32(&b[46], colores);
  for (uint32_t i = 0; i < colores; ++i) EscribirU32(&b[54 + 4 * i], 0x00102030u + i);
  for (int32_t y = 0; y < alto; ++y) {
    const int32_t fila = arribaAbajo ? alto - 1 - y : y;
    b.insert(b.end(), filasAbajoArriba.begin() + fila * stride, filasAbajoArriba.begin() + (fila + 1) * stride);
  }
  return b;
}

TEST_F(ControlDCImagen, RoundTripThroughRfpackGivesTheFilePixels) {
  // 8-bit, 5 wide (3 padding bytes a row), 16 colours; 24-bit stored top-down.
  std::vector<uint8_t> filas8(8 * 3, 0), filas24(12 * 2, 0);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) filas8[y * 8 + x] = static_cast<uint8_t>((3 * y + x) % 16);
  for (int y = 0; y < 2; ++y)
    for (int i = 0; i < 9; ++i) filas24[y * 12 + i] = static_cast<uint8_t>(100 + 10 * y + i);
  std::string ocho = EscribirTemporal("ocho.bmp", ArchivoBMPPrueba(5, 3, 8, 16, false, filas8));
  std::string color = EscribirTemporal("color.bmp", ArchivoBMPPrueba(3, 2, 24, 0, true, filas24));

  // Paths in the list are taken from the list's own folder.
  std::string lista = RutaTemporal("lista.txt");
  auto nombre = [](const std::string& ruta) { return ruta.substr(ruta.find_last_of('/') + 1); };
  std::ofstream(lista) << "# pictures\n\n2100 " << nombre(ocho) << "\n  7\t" << nombre(color) << "  \n";
  std::string archivo = RutaTemporal("t.rf"), otra = RutaTemporal("t2.rf");
  ASSERT_EQ(Rfpack("-o " + archivo + " " + lista), 0);
  ASSERT_EQ(Rfpack("-o " + otra + " " + lista), 0);
  EXPECT_EQ(LeerTodo(archivo), LeerTodo(otra)) << "the same inputs must give the same bytes";
  EXPECT_EQ(Rfpack("--list " + archivo), 0);

  ASSERT_TRUE(AbrirArchivoRecursos(archivo.c_str()));
  uint32_t numeros[4] = {};
  ASSERT_EQ(NumerosArchivoRecursos(numeros, 4), 2);
  EXPECT_EQ(numeros[0], 2100u);
  EXPECT_EQ(numeros[1], 7u);

  ControlDC c;
  ASSERT_TRUE(c.Cargar(2100));
  HIMAGE h = c.Imagen();
  EXPECT_EQ(h->biClrUsed, 16u);
  EXPECT_EQ(h->biSizeImage, filas8.size());
  EXPECT_EQ(LeerU32(&ColoresHIMAGE(h)[15]), 0x0010203Fu);
  EXPECT_EQ(std::vector<uint8_t>(PixelesHIMAGE(h), PixelesHIMAGE(h) + filas8.size()), filas8);

  ASSERT_TRUE(c.Cargar(7));
  h = c.Imagen();
  EXPECT_EQ(h->biBitCount, 24);
  EXPECT_EQ(h->biClrUsed, 0u);
  EXPECT_EQ(h->biHeight, 2);
  EXPECT_EQ(std::vector<uint8_t>(PixelesHIMAGE(h), PixelesHIMAGE(h) + filas24.size()), filas24);
}

}  // namespace
