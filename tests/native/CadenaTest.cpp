#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "AyudaVerificar.h"
#include "Cadena.h"

namespace {

TEST(CadenaAsignar, TakesUpTo999CharactersAndIgnoresLongerTexts) {
  Cadena c("viejo");
  std::string largo999(999, 'a');
  c = largo999.c_str();
  EXPECT_EQ(c.Size(), 1000);
  EXPECT_EQ(std::strlen(c.Data()), 999u);

  Cadena d("viejo");
  std::string largo1000(1000, 'b');
  d = largo1000.c_str();
  EXPECT_EQ(d.Size(), 6);
  EXPECT_STREQ(d.Data(), "viejo");
}

TEST(CadenaAsignar, NullTextTrapsWithoutMessage) {
  Cadena c;
  EXPECT_VERIFICAR(c.Assign(nullptr), "");
}

TEST(CadenaAsignar, FromANeverFilledCadenaGivesAnEmptyText) {
  Cadena vacia, c("algo");
  c = vacia;
  EXPECT_EQ(c.Size(), 1);
  EXPECT_STREQ(c.Data(), "");
}

TEST(CadenaAsignar, AssignNKeepsAPrefixAndChecksItsCount) {
  Cadena c;
  c.AssignN("Tessera", 4);
  EXPECT_STREQ(c.Data(), "Tess");
  EXPECT_EQ(c.Size(), 5);
  c.AssignN("ab", 10);
  EXPECT_STREQ(c.Data(), "ab");
  EXPECT_VERIFICAR(c.AssignN("ab", 0), "");
  EXPECT_VERIFICAR(c.AssignN("ab", 1001), "");
}

TEST(CadenaAsignar, SelfAssignmentKeepsTheText) {
  Cadena c("mismo texto");
  c = c.Data();
  EXPECT_STREQ(c.Data(), "mismo texto");
  c = c;
  EXPECT_STREQ(c.Data(), "mismo texto");
}

TEST(CadenaBuffer, SizeFollowsRecalculateSizeAfterASystemCallFills) {
  Cadena ruta(260);
  std::memcpy(ruta.Data(), "abc", 4);
  EXPECT_EQ(ruta.Size(), 260);
  ruta.RecalculateSize();
  EXPECT_EQ(ruta.Size(), 4);
  EXPECT_EQ(ruta.Capacity(), 260);
}

TEST(CadenaBuffer, RecalculateSizeNeverCountsPastCapacity) {
  Cadena b(8);
  std::memset(b.Data(), 'x', 8);
  b.RecalculateSize();
  EXPECT_EQ(b.Size(), 8);
  Cadena nada;
  EXPECT_VERIFICAR(nada.RecalculateSize(), "");
}

TEST(CadenaBuffer, ResizeGrowingLosesTheTextShrinkingKeepsIt) {
  Cadena c("hola");
  c.Resize(3);
  EXPECT_EQ(c.Size(), 3);
  EXPECT_EQ(c.Capacity(), 5);
  EXPECT_EQ(std::string(c.Data(), 4), "hola");
  c.Resize(40);
  EXPECT_EQ(c.Capacity(), 40);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(*c[i], 0) << i;
}

TEST(CadenaAnadir, OnANeverFilledObjectStoresTheText) {
  // The clock formats hours into a cleared object: both digits must stay.
  Cadena reloj;
  reloj.Clear();
  reloj.Append(12);
  reloj.Append(":");
  reloj.Append("05");
  EXPECT_STREQ(reloj.Data(), "12:05");
  EXPECT_EQ(reloj.Size(), 6);
}

TEST(CadenaAnadir, GrowsAndReturnsTheData) {
  Cadena c("C:\\JUEGO\\");
  char* d = c.Append("Tessera.rf");
  EXPECT_EQ(d, c.Data());
  EXPECT_STREQ(c.Data(), "C:\\JUEGO\\Tessera.rf");
  EXPECT_EQ(c.Capacity(), c.Size());
  EXPECT_EQ(c.Append(static_cast<const char*>(nullptr)), nullptr);
  EXPECT_STREQ(c.Data(), "C:\\JUEGO\\Tessera.rf");
}

TEST(CadenaAnadir, AppendingItselfDoublesTheText) {
  Cadena c("ab");
  c += c;
  EXPECT_STREQ(c.Data(), "abab");
  c.Append(c.Data() + 1);
  EXPECT_STREQ(c.Data(), "ababbab");
}

TEST(CadenaAnadir, NeverGrowsPast999Characters) {
  std::string largo(998, 'z');
  Cadena c(largo.c_str());
  EXPECT_NE(c.Append("1"), nullptr);
  EXPECT_EQ(c.Append("2"), nullptr);
  EXPECT_EQ(c.Size(), 1000);
}

TEST(CadenaAnadir, ReportsABufferThatWasNotRecounted) {
  Cadena ruta(260);
  std::memcpy(ruta.Data(), "abc", 4);
  ruta.Resize(3);  // size now below length + 1
  EXPECT_VERIFICAR(ruta.Append("x"),
                   "este buffer es invalido, probablemente se uso este buffer para llamar un api, y no se llamo "
                   "RecalculateSize para recalcular su tamaño\n");
}

TEST(CadenaAnadir, ReportsABufferWithoutTerminator) {
  Cadena b(16);
  std::memset(b.Data(), 'x', 16);
  EXPECT_VERIFICAR(b.Append("y"),
                   "este buffer es invalido, probablemente se uso este buffer para llamar un api, y fue muy "
                   "pequeño de tamaño\n");
  EXPECT_VERIFICAR(b.Left(2), "este buffer es invalido, probablemente se uso este buffer para llamar un api, y fue "
                              "muy pequeño de tamaño\n");
}

TEST(CadenaAnadir, AnIntegerOnStorageOfSizeZeroIsRefused) {
  Cadena c("x");
  c.Resize(0);
  EXPECT_VERIFICAR(c.Append(5), "este valor aqui es invalido\n");
}

TEST(CadenaNumeros, DecimalFormsIncludingTheExtremes) {
  EXPECT_STREQ(Cadena::FromInt(-45).Data(), "-45");
  EXPECT_STREQ(Cadena::FromInt(0).Data(), "0");
  EXPECT_STREQ(Cadena::FromInt(INT_MAX).Data(), "2147483647");
  EXPECT_STREQ(Cadena::FromInt(INT_MIN).Data(), "-2147483648");
  Cadena c;
  c = INT_MIN;
  EXPECT_STREQ(c.Data(), "-2147483648");
  EXPECT_STREQ((Cadena("n=") + -7).Data(), "n=-7");
}

TEST(CadenaNuevas, LeftAndConcatenation) {
  Cadena c("Tessera");
  EXPECT_STREQ(c.Left(3).Data(), "Tes");
  EXPECT_STREQ(c.Left(50).Data(), "Tessera");
  EXPECT_VERIFICAR(c.Left(0), "");

  Cadena vacia(""), nunca;
  EXPECT_STREQ((c + Cadena(" Puzzle")).Data(), "Tessera Puzzle");
  EXPECT_STREQ((vacia + c).Data(), "Tessera");
  EXPECT_STREQ((c + nunca).Data(), "Tessera");
  EXPECT_EQ((vacia + nunca).Size(), 1);
  EXPECT_STREQ((c + ".rf").Data(), "Tessera.rf");
}

TEST(CadenaComparar, SizesDecideBeforeBytes) {
  Cadena llenaVacia(""), nunca;
  EXPECT_TRUE(llenaVacia == "");
  EXPECT_FALSE(nunca == "");
  EXPECT_FALSE(nunca == llenaVacia);
  EXPECT_TRUE(Cadena("Abc") == "Abc");
  EXPECT_FALSE(Cadena("Abc") == "abc");
  EXPECT_FALSE(Cadena("Abc") == static_cast<const char*>(nullptr));
  EXPECT_TRUE(Cadena("xy") == Cadena("xy"));
  EXPECT_FALSE(Cadena("xy") == Cadena("xz"));
  std::string largo(1000, 'q');
  EXPECT_FALSE(Cadena("q") == largo.c_str());
}

}  // namespace
