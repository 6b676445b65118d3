#include "Records.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Binario.h"

namespace {

namespace fs = std::filesystem;

// Scores 900, 800, ..., 0 with names "P0" .. "P9".
CuadroHonor Cuadro() {
  CuadroHonor c = CuadroPorDefecto();
  for (int i = 0; i < kRecords; ++i) InsertarRecord(&c, i, 900 - 100 * i, ("P" + std::to_string(i)).c_str());
  return c;
}

TEST(Records, PlacesGoBelowEveryEqualOrBetterScore) {
  const CuadroHonor c = Cuadro();
  EXPECT_EQ(PosicionRecord(c, 0), kRecords);  // equal to the tenth: no place
  EXPECT_EQ(PosicionRecord(c, 1), 9);
  EXPECT_EQ(PosicionRecord(c, 800), 2);       // just below the equal one
  EXPECT_EQ(PosicionRecord(c, 901), 0);
  EXPECT_EQ(PosicionRecord(CuadroPorDefecto(), 0), kRecords);
  EXPECT_EQ(PosicionRecord(CuadroPorDefecto(), -5), kRecords);
  EXPECT_EQ(PosicionRecord(CuadroPorDefecto(), 1), 0);
}

TEST(Records, AnEntryShiftsTheRestAndKeepsTheBytesAfterItsName) {
  CuadroHonor c = CuadroPorDefecto();
  InsertarRecord(&c, 0, 50, "Ann");
  EXPECT_STREQ(c.registros[0].nombre, "Ann");
  EXPECT_EQ(c.registros[0].nombre[4], '-');  // the dashes of a fresh row stay
  InsertarRecord(&c, 0, 70, std::string(30, 'x').c_str());
  EXPECT_EQ(std::strlen(c.registros[0].nombre), 23u);
  EXPECT_EQ(c.registros[0].nombre[23], 0);
  EXPECT_STREQ(c.registros[1].nombre, "Ann");
  EXPECT_EQ(c.registros[1].puntos, 50);
  CuadroHonor lleno = Cuadro();
  InsertarRecord(&lleno, 9, 5, "Last");
  EXPECT_STREQ(lleno.registros[9].nombre, "Last");
  EXPECT_EQ(lleno.registros[8].puntos, 100);
}

TEST(Records, TheFileIsByteExact) {
  const auto b = BytesRecords(Cuadro());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(b.data()), 9), "OvRecords");
  EXPECT_EQ(b[9] | b[10] | b[11], 0);
  EXPECT_EQ(LeerU32(b.data() + 12), 10u);
  EXPECT_STREQ(reinterpret_cast<const char*>(b.data() + 16 + 28), "P1");
  EXPECT_EQ(LeerI32(b.data() + 16 + 28 + 24), 800);
  EXPECT_EQ(LeerI32(b.data() + 268 + 24), 0);
  // And reads back as it was.
  CuadroHonor leido;
  ASSERT_EQ(InterpretarRecords(b.data(), std::ssize(b), &leido), LecturaRecords::leido);
  EXPECT_EQ(BytesRecords(leido), b);
}

TEST(Records, DamagedFilesNeverReachTheRollUnchecked) {
  auto b = BytesRecords(Cuadro());
  CuadroHonor c;
  // A foreign magic is taken; a count other than 10 is foreign.
  b[0] = 'X';
  EXPECT_EQ(InterpretarRecords(b.data(), std::ssize(b), &c), LecturaRecords::leido);
  EscribirU32(b.data() + 12, 11);
  EXPECT_EQ(InterpretarRecords(b.data(), std::ssize(b), &c), LecturaRecords::ajeno);
  EXPECT_STREQ(c.registros[0].nombre, std::string(23, '-').c_str());
  EscribirU32(b.data() + 12, 10);
  // A name without its NUL is cut; an empty one becomes the dashes.
  std::memset(b.data() + 16, 'n', 24);
  b[16 + 28] = 0;
  ASSERT_EQ(InterpretarRecords(b.data(), std::ssize(b), &c), LecturaRecords::leido);
  EXPECT_EQ(std::strlen(c.registros[0].nombre), 23u);
  EXPECT_STREQ(c.registros[1].nombre, std::string(23, '-').c_str());
  // A file cut short keeps the rows it holds.
  ASSERT_EQ(InterpretarRecords(b.data(), 16 + 28 * 3 + 10, &c), LecturaRecords::leido);
  EXPECT_EQ(c.registros[2].puntos, 700);
  EXPECT_EQ(c.registros[3].puntos, 0);
  EXPECT_EQ(InterpretarRecords(b.data(), 15, &c), LecturaRecords::ilegible);
}

// Row k's mark is bit k of the bytes after the signature.
TEST(Records, TurnedMarksAreBitsOfTheHeader) {
  auto b = BytesRecords(Cuadro());
  CuadroHonor c;
  ASSERT_EQ(InterpretarRecords(b.data(), std::ssize(b), &c), LecturaRecords::leido);
  for (const RegistroRecord& r : c.registros) EXPECT_FALSE(r.girada);
  for (int i : {0, 7, 8, 9}) c.registros[static_cast<size_t>(i)].girada = true;
  b = BytesRecords(c);
  EXPECT_EQ(b[9], 0x81);
  EXPECT_EQ(b[10], 0x03);
  EXPECT_EQ(b[11], 0x00);
  CuadroHonor leido;
  ASSERT_EQ(InterpretarRecords(b.data(), std::ssize(b), &leido), LecturaRecords::leido);
  EXPECT_EQ(BytesRecords(leido), b);
  // Bits past the tenth row are dropped, and so are the marks of rows a
  // short file does not hold.
  b[10] = 0xFE;
  b[11] = 0xFF;
  ASSERT_EQ(InterpretarRecords(b.data(), std::ssize(b), &leido), LecturaRecords::leido);
  EXPECT_FALSE(leido.registros[8].girada);
  EXPECT_TRUE(leido.registros[9].girada);
  const auto escrito = BytesRecords(leido);
  EXPECT_EQ(escrito[10], 0x02);
  EXPECT_EQ(escrito[11], 0x00);
  ASSERT_EQ(InterpretarRecords(b.data(), 16 + 28 * 9, &leido), LecturaRecords::leido);
  EXPECT_TRUE(leido.registros[7].girada);
  EXPECT_FALSE(leido.registros[9].girada);
}

TEST(Records, AnEntryCarriesItsMarkAndTheMarksMoveWithTheirRows) {
  CuadroHonor c = Cuadro();
  c.registros[1].girada = c.registros[3].girada = c.registros[9].girada = true;
  InsertarRecord(&c, 2, 750, "New", true);
  InsertarRecord(&c, 0, 1000, "Old");  // an upright game, as every caller before
  std::vector<int> marcadas;
  for (int i = 0; i < kRecords; ++i)
    if (c.registros[static_cast<size_t>(i)].girada) marcadas.push_back(i);
  EXPECT_EQ(marcadas, (std::vector<int>{2, 3, 5}));
  EXPECT_STREQ(c.registros[3].nombre, "New");
  EXPECT_STREQ(c.registros[5].nombre, "P3");
  EXPECT_EQ(c.registros[9].puntos, 200);  // the marked last row dropped out
}

class RecordsEnCarpeta : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "recXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
    ruta_ = (carpeta_ / "Records.ovr").string();
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  fs::path carpeta_;
  std::string ruta_;
};

TEST_F(RecordsEnCarpeta, AForeignFileIsDeletedAndAWrittenOneReadsBack) {
  CuadroHonor c;
  EXPECT_EQ(LeerRecords(ruta_.c_str(), &c), LecturaRecords::sinArchivo);
  std::ofstream(ruta_, std::ios::binary) << std::string(296, '\x07');
  EXPECT_EQ(LeerRecords(ruta_.c_str(), &c), LecturaRecords::ajeno);
  EXPECT_FALSE(fs::exists(ruta_));
  ASSERT_TRUE(EscribirRecords(ruta_.c_str(), Cuadro()));
  EXPECT_EQ(fs::file_size(ruta_), 296u);
  EXPECT_EQ(LeerRecords(ruta_.c_str(), &c), LecturaRecords::leido);
  EXPECT_STREQ(c.registros[4].nombre, "P4");
  EXPECT_FALSE(fs::exists(ruta_ + ".tmp"));
}

TEST_F(RecordsEnCarpeta, AFailedWriteLeavesTheOldRoll) {
  ASSERT_TRUE(EscribirRecords(ruta_.c_str(), Cuadro()));
  // The temporary file cannot be made: a folder stands in its place.
  fs::create_directory(ruta_ + ".tmp");
  CuadroHonor otro = CuadroPorDefecto();
  EXPECT_FALSE(EscribirRecords(ruta_.c_str(), otro));
  CuadroHonor c;
  EXPECT_EQ(LeerRecords(ruta_.c_str(), &c), LecturaRecords::leido);
  EXPECT_STREQ(c.registros[0].nombre, "P0");
}

}  // namespace
