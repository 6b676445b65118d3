#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "AyudaVerificar.h"
#include "Cadena.h"

namespace {

const char kSinTerminador[] =
    "este buffer es invalido, probablemente se uso este buffer para llamar un api, y fue muy pequeño de tamaño\n";
const char kSinRecontar[] =
    "este buffer es invalido, probablemente se uso este buffer para llamar un api, y no se llamo RecalculateSize "
    "para recalcular su tamaño\n";

TEST(Cadena, HoldsAtMost999Characters) {
  Cadena c("viejo");
  c = std::string(1000, 'b').c_str();  // refused: the old text stays
  EXPECT_STREQ(c.Data(), "viejo");
  c = std::string(999, 'a').c_str();
  EXPECT_EQ(c.Size(), 1000);
  EXPECT_EQ(c.Append("x"), nullptr);  // nor can appending go past it
  EXPECT_EQ(c.Size(), 1000);
  c.AssignN("Tessera", 4);
  EXPECT_STREQ(c.Data(), "Tess");
  EXPECT_VERIFICAR(c.AssignN("ab", 0), "");
  EXPECT_VERIFICAR(c.Assign(nullptr), "");
}

TEST(Cadena, BufferFilledBySystemCallIsRecounted) {
  Cadena ruta(260);
  std::memcpy(ruta.Data(), "abc", 4);
  EXPECT_EQ(ruta.Size(), 260);
  ruta.RecalculateSize();
  EXPECT_EQ(ruta.Size(), 4);
  EXPECT_STREQ((ruta + "\\x").Data(), "abc\\x");

  Cadena lleno(8);  // no terminator: never counts past the capacity
  std::memset(lleno.Data(), 'x', 8);
  lleno.RecalculateSize();
  EXPECT_EQ(lleno.Size(), 8);
}

TEST(Cadena, ResizeGrowingLosesTheTextShrinkingKeepsIt) {
  Cadena c("hola");
  c.Resize(3);
  EXPECT_EQ(std::string(c.Data(), 4), "hola");
  c.Resize(40);
  EXPECT_EQ(c.Capacity(), 40);
  EXPECT_EQ(std::string(c.Data(), 40), std::string(40, '\0'));
}

TEST(Cadena, AppendGrowsAndToleratesItsOwnText) {
  Cadena reloj;  // the clock formats into a cleared object
  reloj.Append(12);
  reloj.Append(":");
  reloj.Append("05");
  EXPECT_STREQ(reloj.Data(), "12:05");
  EXPECT_EQ(reloj.Size(), 6);

  Cadena c("ab");
  c += c;
  c.Append(c.Data() + 1);
  EXPECT_STREQ(c.Data(), "ababbab");
  EXPECT_EQ(c.Append(static_cast<const char*>(nullptr)), nullptr);
}

TEST(Cadena, BrokenBuffersAreReportedBeforeUse) {
  Cadena sinRecontar(260);
  std::memcpy(sinRecontar.Data(), "abc", 4);
  sinRecontar.Resize(3);
  EXPECT_VERIFICAR(sinRecontar.Append("x"), kSinRecontar);

  Cadena sinTerminador(16);
  std::memset(sinTerminador.Data(), 'x', 16);
  EXPECT_VERIFICAR(sinTerminador.Append("y"), kSinTerminador);
  EXPECT_VERIFICAR(sinTerminador.Left(2), kSinTerminador);

  Cadena vacio("x");
  vacio.Resize(0);
  EXPECT_VERIFICAR(vacio.Append(5), "este valor aqui es invalido\n");
}

TEST(Cadena, DecimalFormsIncludingTheExtremes) {
  EXPECT_STREQ(Cadena::FromInt(-45).Data(), "-45");
  EXPECT_STREQ(Cadena::FromInt(0).Data(), "0");
  EXPECT_STREQ(Cadena::FromInt(INT_MAX).Data(), "2147483647");
  EXPECT_STREQ(Cadena::FromInt(INT_MIN).Data(), "-2147483648");
  EXPECT_STREQ((Cadena("n=") + -7).Data(), "n=-7");
}

TEST(Cadena, LeftAndConcatenationOfEmptyForms) {
  Cadena c("Tessera"), vacia(""), nunca;
  EXPECT_STREQ(c.Left(3).Data(), "Tes");
  EXPECT_STREQ(c.Left(50).Data(), "Tessera");
  EXPECT_VERIFICAR(c.Left(0), "");
  EXPECT_STREQ((vacia + c).Data(), "Tessera");
  EXPECT_STREQ((c + nunca).Data(), "Tessera");
  EXPECT_EQ((vacia + nunca).Size(), 1);
}

TEST(Cadena, ComparisonLooksAtSizesFirst) {
  Cadena llenaVacia(""), nunca;
  EXPECT_TRUE(llenaVacia == "");
  EXPECT_FALSE(nunca == "");
  EXPECT_FALSE(nunca == llenaVacia);
  EXPECT_FALSE(Cadena("Abc") == "abc");
  EXPECT_FALSE(Cadena("Abc") == static_cast<const char*>(nullptr));
  EXPECT_FALSE(Cadena("xy") == Cadena("xz"));
  EXPECT_TRUE(Cadena("xy") == Cadena("xy"));
}

}  // namespace
