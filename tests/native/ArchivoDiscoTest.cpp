// The whole-file writer: a new file replaces the old one only once it is on
// the disk. Where the player's files go: beside the program, unless an
// installer left its marker there or the folder takes no new file.
#include "ArchivoDisco.h"
#include "CarpetaDatos.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Contenido(const fs::path& ruta) {
  std::ifstream f(ruta, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class EscrituraEntera : public ::testing::Test {
 protected:
  void SetUp() override {
    carpeta_ = fs::temp_directory_path() / ("tessera-disco-" + std::to_string(getpid()));
    fs::create_directories(carpeta_);
    ruta_ = (carpeta_ / "partida.epf").string();
  }
  void TearDown() override { fs::remove_all(carpeta_); }
  fs::path carpeta_;
  std::string ruta_;
};

TEST_F(EscrituraEntera, ANewFileReplacesTheOldOneWhole) {
  ASSERT_TRUE(EscribirArchivoEntero(ruta_.c_str(), "antiguo", 7));
  ASSERT_TRUE(EscribirArchivoEntero(ruta_.c_str(), "nuevo", 5));
  EXPECT_EQ(Contenido(ruta_), "nuevo");
  EXPECT_FALSE(fs::exists(ruta_ + ".tmp"));
  // Empty data is a file too.
  ASSERT_TRUE(EscribirArchivoEntero(ruta_.c_str(), "", 0));
  EXPECT_TRUE(fs::is_regular_file(ruta_));
  EXPECT_EQ(fs::file_size(ruta_), 0u);
}

// Every byte written, but the flush refused (a device that cannot be
// synchronised stands in the temporary's place): the write has failed, and
// the old file stays as it was.
TEST_F(EscrituraEntera, AFlushTheSystemRefusesIsAFailedWrite) {
  ASSERT_TRUE(EscribirArchivoEntero(ruta_.c_str(), "antiguo", 7));
  fs::create_symlink("/dev/null", ruta_ + ".tmp");
  {
    std::ofstream prueba(ruta_ + ".tmp", std::ios::binary);
    ASSERT_TRUE(prueba << "escribible") << "the device must take the bytes";
  }
  EXPECT_FALSE(EscribirArchivoEntero(ruta_.c_str(), "nuevo", 5));
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(ruta_)));
  EXPECT_EQ(Contenido(ruta_), "antiguo");
  EXPECT_FALSE(fs::exists(fs::symlink_status(ruta_ + ".tmp")));
}

TEST_F(EscrituraEntera, TheMarkerOrAFolderThatTakesNoFileSendsThePlayersFilesElsewhere) {
  const std::string programa = carpeta_.string() + "/", falta = programa + "missing/", usuario = "/home/ana/Tessera/";
  EXPECT_EQ(ElegirCarpetaDatos(programa, usuario), programa);
  EXPECT_TRUE(fs::is_empty(carpeta_)) << "the probe leaves nothing behind";
  EXPECT_EQ(ElegirCarpetaDatos(falta, usuario), usuario);
  EXPECT_EQ(ElegirCarpetaDatos(programa, usuario, [](const char*) { return false; }), usuario);
  // Without a per-user folder the program's own is all there is.
  EXPECT_EQ(ElegirCarpetaDatos(falta, ""), falta);
  std::ofstream(carpeta_ / kMarcaInstalacion).put('\n');
  EXPECT_EQ(ElegirCarpetaDatos(programa, usuario), usuario);
}

}  // namespace
