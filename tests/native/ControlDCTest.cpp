#include <gtest/gtest.h>

#include <fstream>

#include "AyudaRecursos.h"
#include "AyudaVerificar.h"
#include "ControlDC.h"

namespace {

using ControlDCImagen = ConArchivoRecursos;

TEST_F(ControlDCImagen, AjustarTamañoMakesABlankEightBitPictureWithoutPalette) {
  ControlDC c;
  EXPECT_EQ(c.Imagen(), nullptr);
  ASSERT_TRUE(c.AjustarTamaño(5, 3));
  const HIMAGE h = c.Imagen();
  EXPECT_EQ(h->biBitCount, 8);
  EXPECT_EQ(h->biClrUsed, 0u);
  EXPECT_EQ(h->biSizeImage, 8u * 3);  // the last row's padding included
  EXPECT_VERIFICAR(c.AjustarTamaño(0, 3), "ControlDC:AjustarTamaño:tamaños nuevos invalidos");
  EXPECT_FALSE(c.AjustarTamaño(70000, 70000));  // past a 32-bit image size
  EXPECT_EQ(c.Imagen(), h);
  EXPECT_VERIFICAR(ControlDC gdi(true), "ControlDC: el modo gdi solo existe en Windows");
}

TEST_F(ControlDCImagen, TamañoFollowsTheLastPictureAndAFailedLoadChangesNothing) {
  ASSERT_TRUE(Abrir(ArchivoDe({{.numero = 40, .ancho = 7, .alto = 2, .bits = 24},
                               {.numero = 41, .ancho = 9, .alto = 9, .colores = 300}})));
  ControlDC c;
  ASSERT_TRUE(c.AjustarTamaño(100, 50));
  ASSERT_TRUE(c.Cargar(40));
  const HIMAGE h = c.Imagen();
  EXPECT_EQ(c.Tamaño().x, 7);
  EXPECT_EQ(c.Tamaño().y, 2);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(c.Cargar(41));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(c.Imagen(), h);
  EXPECT_EQ(c.Tamaño().x, 7);
}

// The block's picture as a BMP file.
std::vector<uint8_t> ArchivoBMP(const BloquePrueba& b) {
  std::vector<uint8_t> f(14), bloque = b.Bytes();
  EscribirU16(&f[0], kFirmaBMP);
  EscribirU32(&f[10], 14 + 40 + 4 * b.colores);
  f.insert(f.end(), bloque.begin(), bloque.end());
  return f;
}

// BMP files -> rfpack -> archive -> Cargar gives back the pictures as stored
// blocks: bottom-up rows, zero padding, the file's colour table.
TEST_F(ControlDCImagen, RoundTripThroughRfpack) {
  const BloquePrueba ocho{.numero = 2100, .ancho = 5, .alto = 3, .colores = 16};  // 3 padding bytes a row
  const BloquePrueba color{.numero = 7, .ancho = 3, .alto = 4, .bits = 24};
  Escribir(ArchivoBMP(ocho), "ocho.bmp");
  Escribir(ArchivoBMP(color), "color.bmp");
  // Paths in the list are taken from the list's own folder.
  const std::string lista = Escribir({}, "lista.txt"), archivo = carpeta + "t.rf";
  std::ofstream(lista) << "# pictures\n\n2100 ocho.bmp\n  7\tcolor.bmp  \n";
  ASSERT_EQ(Rfpack("-o " + archivo + " " + lista), 0);

  ASSERT_TRUE(AbrirArchivoRecursos(archivo.c_str()));
  std::vector<uint32_t> numeros(3);
  numeros.resize(NumerosArchivoRecursos(numeros.data(), 3));
  EXPECT_EQ(numeros, (std::vector<uint32_t>{2100, 7}));  // in list order
  ControlDC c;
  for (const BloquePrueba& b : {ocho, color}) {
    ASSERT_TRUE(c.Cargar(b.numero));
    EsperarBloque(c.Imagen(), b);
  }
}

}  // namespace
