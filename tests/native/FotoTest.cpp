#include "Foto.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "Binario.h"
#include "EscaladoArea.h"
#include "FichaImagen.h"

namespace {

namespace fs = std::filesystem;

constexpr uint8_t kVerde[3] = {40, 110, 60};

std::pair<int32_t, int32_t> Par(Punto p) { return {p.x, p.y}; }

TipoImagen Tipo(const std::string& bytes) {
  return DetectarTipoImagen(reinterpret_cast<const uint8_t*>(bytes.data()), std::ssize(bytes));
}

TEST(Foto, AFileIsKnownByItsContentNotItsName) {
  EXPECT_EQ(Tipo(std::string("\xFF\xD8\xFF\xE1", 4)), TipoImagen::Jpeg);
  EXPECT_EQ(Tipo(std::string("\x89PNG\r\n\x1A\n\0\0", 10)), TipoImagen::Png);
  EXPECT_EQ(Tipo("GIF89a.."), TipoImagen::Gif);
  EXPECT_EQ(Tipo("GIF87a.."), TipoImagen::Gif);
  EXPECT_EQ(Tipo(std::string("II*\0\x08\0\0\0", 8)), TipoImagen::Tiff);
  EXPECT_EQ(Tipo(std::string("MM\0*\0\0\0\x08", 8)), TipoImagen::Tiff);
  std::string bmp(54, '\0');
  bmp[0] = 'B', bmp[1] = 'M', bmp[14] = 40;
  EXPECT_EQ(Tipo(bmp), TipoImagen::Bmp);
  // Not pictures: text, nothing, a signature cut short, "BM" without a header.
  for (const std::string& no : {std::string("Hello, this is text"), std::string(), std::string("\xFF\xD8", 2),
                                std::string("\x89PNG\r\n", 6), std::string("GIF8"), std::string("BM"),
                                std::string("BMxxxxxxxxxxxxxxxxxxxxxx"), std::string("II+\0", 4)})
    EXPECT_EQ(Tipo(no), TipoImagen::Desconocido) << no;
  EXPECT_EQ(DetectarTipoImagen(nullptr, 10), TipoImagen::Desconocido);
}

using Par64 = std::pair<int64_t, int64_t>;
const Par64 kNada{-1, -1};

Par64 Declarado(const std::string& bytes) {
  int64_t w = -1, h = -1;
  if (!TamañoDeclarado(reinterpret_cast<const uint8_t*>(bytes.data()), std::ssize(bytes), &w, &h)) return kNada;
  return {w, h};
}

std::string Be16(int v) { return {char(v >> 8), char(v & 255)}; }
std::string Le16(int v) { return {char(v & 255), char(v >> 8)}; }
std::string Be32(uint32_t v) { return Be16(int(v >> 16)) + Be16(int(v & 0xFFFF)); }
std::string Le32(uint32_t v) { return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16)); }

// The size a header claims is read without decoding, or not at all.
TEST(Foto, TheSizeAHeaderClaimsIsReadFromEachKind) {
  const std::string png = std::string("\x89PNG\r\n\x1A\n", 8) + Be32(13) + "IHDR" + Be32(30000) + Be32(20000) + "....";
  EXPECT_EQ(Declarado(png), Par64(30000, 20000));
  EXPECT_EQ(Declarado(png.substr(0, 23)), kNada);
  std::string otro = png;
  otro.replace(12, 4, "gAMA");
  EXPECT_EQ(Declarado(otro), kNada) << "the header chunk comes first";

  EXPECT_EQ(Declarado("GIF89a" + Le16(640) + Le16(480)), Par64(640, 480));

  std::string bmp = "BM" + std::string(12, '\0') + Le32(40) + Le32(800) + Le32(uint32_t(-600)) + std::string(28, '\0');
  EXPECT_EQ(Declarado(bmp), Par64(800, 600)) << "top-down";
  std::string core = "BM" + std::string(12, '\0') + Le32(12) + Le16(320) + Le16(200) + std::string(4, '\0');
  EXPECT_EQ(Declarado(core), Par64(320, 200));

  // JPEG: markers and segments before the frame, fill bytes, a frame of
  // either kind; a length that runs past the data, or scan data first.
  const std::string soi("\xFF\xD8", 2), app0 = std::string("\xFF\xE0", 2) + Be16(6) + "JFIF";
  const std::string sof2 = std::string("\xFF\xC2", 2) + Be16(11) + "\x08" + Be16(3000) + Be16(4000) + std::string("\x01\x01\x11\x00", 4);
  EXPECT_EQ(Declarado(soi + app0 + "\xFF\xFF" + sof2), Par64(4000, 3000));
  const std::string dht = std::string("\xFF\xC4", 2) + Be16(4) + "..";
  EXPECT_EQ(Declarado(soi + dht + sof2), Par64(4000, 3000)) << "DHT is no frame";
  EXPECT_EQ(Declarado(soi + std::string("\xFF\xE1", 2) + Be16(60000) + "x" + sof2), kNada);
  EXPECT_EQ(Declarado(soi + std::string("\xFF\xDA", 2) + Be16(4) + ".." + sof2), kNada);
  for (size_t corte = 0; corte < (soi + app0 + sof2).size(); ++corte)
    EXPECT_EQ(Declarado((soi + app0 + sof2).substr(0, corte)), kNada) << corte;

  // TIFF, both byte orders; width as LONG, length as SHORT.
  const std::string ii = std::string("II*\0", 4) + Le32(8) + Le16(2) + Le16(256) + Le16(4) + Le32(1) + Le32(5000) +
                         Le16(257) + Le16(3) + Le32(1) + Le16(4000) + Le16(0);
  EXPECT_EQ(Declarado(ii), Par64(5000, 4000));
  const std::string mm = std::string("MM\0*", 4) + Be32(8) + Be16(2) + Be16(257) + Be16(3) + Be32(1) + Be16(70) +
                         Be16(0) + Be16(256) + Be16(3) + Be32(1) + Be16(90) + Be16(0);
  EXPECT_EQ(Declarado(mm), Par64(90, 70));
  EXPECT_EQ(Declarado(ii.substr(0, ii.size() - 4)), kNada);
  std::string lejos = ii;
  lejos.replace(4, 4, Le32(1u << 31));
  EXPECT_EQ(Declarado(lejos), kNada) << "a directory outside the file";

  EXPECT_EQ(Declarado("plain text"), kNada);
}

TEST(Foto, SizesBeyondTheLimitsAreRefused) {
  EXPECT_TRUE(TamañoFotoAceptable(4000, 3000));
  EXPECT_TRUE(TamañoFotoAceptable(25000, 4000));
  EXPECT_TRUE(TamañoFotoAceptable(1, 1));
  EXPECT_TRUE(TamañoFotoAceptable(10000, 10000));
  EXPECT_FALSE(TamañoFotoAceptable(25001, 1));
  EXPECT_FALSE(TamañoFotoAceptable(1, 25001));
  EXPECT_FALSE(TamañoFotoAceptable(30000, 30000));
  EXPECT_FALSE(TamañoFotoAceptable(10001, 10000));  // just over 100 megapixels
  EXPECT_FALSE(TamañoFotoAceptable(0, 10));
  EXPECT_FALSE(TamañoFotoAceptable(-5, 10));
  EXPECT_FALSE(TamañoFotoAceptable(INT64_MAX, INT64_MAX));  // no overflow into "small"
}

// Kept at its own size up to the largest puzzle's area (20.25 Mpx), shrunk
// to it beyond, aspect kept; nothing is ever empty.
TEST(Foto, APhotoKeepsItsOwnSizeUpToTheLargestPuzzle) {
  EXPECT_EQ(Par(TamañoFotoConservada({4000, 3000})), std::pair(4000, 3000));
  EXPECT_EQ(Par(TamañoFotoConservada({4500, 4500})), std::pair(4500, 4500));
  EXPECT_EQ(Par(TamañoFotoConservada({25000, 1})), std::pair(25000, 1));
  EXPECT_EQ(Par(TamañoFotoConservada({0, 7})), std::pair(1, 1));
  for (const Punto f : {Punto{6000, 4000}, Punto{4000, 6000}, Punto{4501, 4500}, Punto{10000, 10000},
                        Punto{25000, 4000}}) {
    const Punto t = TamañoFotoConservada(f);
    const int64_t area = int64_t{t.x} * t.y;
    EXPECT_LE(area, kPixelesFotoConservada) << f.x << "x" << f.y;
    EXPECT_GT(area, kPixelesFotoConservada - t.x - t.y) << f.x << "x" << f.y;  // no more lost than a row and a column
    EXPECT_NEAR(static_cast<double>(t.x) / t.y, static_cast<double>(f.x) / f.y, 0.002) << f.x << "x" << f.y;
  }
  EXPECT_EQ(Par(TamañoFotoConservada({6000, 4000})), std::pair(5511, 3674));
}

TEST(Foto, PhotoNamesAndTheNamesTheyAreKeptUnder) {
  for (const char* si : {"a.jpg", "IMG_0001.JPG", "x.jpeg", "y.Png", "z.gif", "t.tif", "t.TIFF", "dots.in.name.png"})
    EXPECT_TRUE(EsNombreFoto(si)) << si;
  for (const char* no : {"1.bmp", "jpg", "a.jpg.txt", "a.", "", "a.pngx", "archivo"}) EXPECT_FALSE(EsNombreFoto(no)) << no;
  for (const char* si : {"1.bmp", "X.BMP", "a.jpg"}) EXPECT_TRUE(EsNombreImagen(si)) << si;
  for (const char* no : {".", "..", "Cache", "bmp", "a.txt", "a.bmpx"}) EXPECT_FALSE(EsNombreImagen(no)) << no;
  EXPECT_FALSE(EsNombreImagen(nullptr));
  EXPECT_EQ(NombreConvertida(0x0123456789abcdefULL), "0123456789abcdef-natural.foto.bmp");
  // Never read as one of the shipped pictures, whose names end in digits.
  EXPECT_EQ(IndiceImagenDeRuta(("C:\\T\\Image\\Cache\\" + NombreConvertida(12)).c_str()), -1);
}

TEST(Foto, AConvertedCopyFindsTheNoteWithItsPhotosName) {
  // Today's copies and those of earlier versions, made for one table.
  for (const std::string& copia : {"C:\\T\\Image\\Cache\\" + NombreConvertida(0xfeedULL),
                                  std::string("C:\\T\\Image\\Cache\\000000000000feed-800x600.foto.bmp")})
    EXPECT_EQ(RutaNotaConvertida(copia), "C:\\T\\Image\\Cache\\" + NombreNotaConvertida(0xfeedULL)) << copia;
  EXPECT_EQ(NombreNotaConvertida(0xfeedULL), "000000000000feed.nombre");
  // A shipped picture, a player's bitmap, a name that only looks close: no note.
  for (const char* otra : {"C:\\T\\Image\\3.bmp", "C:\\T\\Image\\mine.foto.bmp",
                           "C:\\T\\Image\\Cache\\000000000000feez-800x600.foto.bmp",
                           "C:\\T\\Image\\Cache\\000000000000feed_800x600.foto.bmp", ".foto.bmp", ""})
    EXPECT_EQ(RutaNotaConvertida(otra), "") << otra;
}

TEST(Foto, NamesShownAndNamesFreeInTheFolder) {
  EXPECT_EQ(NombreSinExtension("C:\\Fotos\\Cr\xc3\xa8te 2024.jpeg"), "Cr\xc3\xa8te 2024");
  EXPECT_EQ(NombreSinExtension("a/b.c/d"), "d");
  EXPECT_EQ(NombreSinExtension("x.tar.gz"), "x.tar");
  EXPECT_EQ(NombreSinExtension(".hidden"), ".hidden");

  std::vector<std::string> tomados{"cat.jpg", "cat (2).jpg", "noext"};
  const auto ocupado = [&](const std::string& n) {
    return std::find(tomados.begin(), tomados.end(), n) != tomados.end();
  };
  EXPECT_EQ(NombreLibre("dog.png", ocupado), "dog.png");
  EXPECT_EQ(NombreLibre("cat.jpg", ocupado), "cat (3).jpg");
  EXPECT_EQ(NombreLibre("noext", ocupado), "noext (2)");
  EXPECT_EQ(NombreLibre("x.jpg", [](const std::string&) { return true; }), "");
}

TEST(Foto, TheSamePictureHasTheSamePrint) {
  const std::vector<uint8_t> a{1, 2, 3, 4}, b{1, 2, 3, 5};
  EXPECT_EQ(HuellaBytes(a.data(), 4), HuellaBytes(a.data(), 4));
  EXPECT_NE(HuellaBytes(a.data(), 4), HuellaBytes(b.data(), 4));
  EXPECT_NE(HuellaBytes(a.data(), 3), HuellaBytes(a.data(), 4));
  // Fed in two parts it is the same as whole.
  EXPECT_EQ(HuellaBytes(a.data() + 2, 2, HuellaBytes(a.data(), 2)), HuellaBytes(a.data(), 4));
}

class FotoArchivo : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string plantilla = (fs::temp_directory_path() / "ftXXXXXX").string();
    carpeta_ = mkdtemp(plantilla.data());
  }
  void TearDown() override { fs::remove_all(carpeta_); }

  // Converts a picture given as 32-bit rows, top first, and opens the file
  // with the game's own reader.
  void Convertir(Punto fuente, Punto destino, const std::vector<uint8_t>& bgrx, int orientacion = 1) {
    ConversorFoto c;
    ASSERT_TRUE(c.Empezar(fuente, destino, kVerde, orientacion));
    EXPECT_TRUE(c.Archivo().empty()) << "nothing before the last row";
    for (int32_t y = 0; y < fuente.y; ++y) c.AgregarFila32(bgrx.data() + 4 * static_cast<size_t>(fuente.x) * y);
    ASSERT_TRUE(c.Completo());
    const std::vector<uint8_t> bytes = c.Archivo();
    EXPECT_EQ(LeerU32(bytes.data() + 2), bytes.size());
    const std::string ruta = (carpeta_ / "f.bmp").string();
    std::ofstream(ruta, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
    ASSERT_TRUE(archivo_.Abrir(ruta.c_str()));
    ASSERT_EQ(archivo_.BitsPorPixel(), 24);
    ASSERT_EQ(archivo_.Tamaño().x, destino.x);
    ASSERT_EQ(archivo_.Tamaño().y, destino.y);
  }
  // Row `y` from the top, as the game reads it (the file keeps it bottom-up).
  std::vector<uint8_t> FilaDesdeArriba(int32_t y) {
    const int32_t alto = archivo_.Tamaño().y;
    std::vector<uint8_t> fila(static_cast<size_t>((archivo_.Tamaño().x * 3 + 3) & ~3));
    EXPECT_TRUE(archivo_.LeerFilas(alto - 1 - y, 1, fila.data()));
    return fila;
  }
  fs::path carpeta_;
  ArchivoBMP archivo_;
};

// At its own size every opaque pixel comes through, the top row on top, odd
// widths padded.
TEST_F(FotoArchivo, AtItsOwnSizeThePictureComesThroughExactlyAndUpright) {
  const Punto t{3, 2};
  std::vector<uint8_t> bgrx;
  for (int32_t y = 0; y < t.y; ++y)
    for (int32_t x = 0; x < t.x; ++x)
      bgrx.insert(bgrx.end(), {uint8_t(10 * x), uint8_t(100 + y), uint8_t(200 + x + y), 0xFF});
  Convertir(t, t, bgrx);
  for (int32_t y = 0; y < t.y; ++y) {
    const std::vector<uint8_t> fila = FilaDesdeArriba(y);
    for (int32_t x = 0; x < t.x; ++x)
      EXPECT_EQ(std::vector<uint8_t>(fila.begin() + 3 * x, fila.begin() + 3 * x + 3),
                (std::vector<uint8_t>{uint8_t(10 * x), uint8_t(100 + y), uint8_t(200 + x + y)}))
          << x << "," << y;
  }
}

// Shrinking averages: a fine checkerboard of black and white halves to
// mid-grey everywhere; a top half red and bottom half blue keep their halves.
TEST_F(FotoArchivo, ShrinkingAveragesAndKeepsTopAndBottom) {
  const Punto t{16, 8};
  std::vector<uint8_t> bgrx;
  for (int32_t y = 0; y < t.y; ++y)
    for (int32_t x = 0; x < t.x; ++x) {
      const uint8_t v = (x + y) % 2 ? 255 : 0;
      bgrx.insert(bgrx.end(), {v, v, v, 255});
    }
  Convertir(t, {8, 4}, bgrx);
  for (int32_t y = 0; y < 4; ++y) {
    const std::vector<uint8_t> fila = FilaDesdeArriba(y);
    for (int32_t i = 0; i < 8 * 3; ++i) EXPECT_NEAR(fila[static_cast<size_t>(i)], 127.5, 1) << y;
  }

  bgrx.clear();
  for (int32_t y = 0; y < t.y; ++y)
    for (int32_t x = 0; x < t.x; ++x) bgrx.insert(bgrx.end(), {uint8_t(y < 4 ? 0 : 255), 0, uint8_t(y < 4 ? 255 : 0), 255});
  archivo_.Cerrar();
  Convertir(t, {4, 2}, bgrx);
  EXPECT_EQ(FilaDesdeArriba(0)[2], 255) << "red on top";
  EXPECT_EQ(FilaDesdeArriba(1)[0], 255) << "blue below";
}

// A phone photo stored on its side comes out upright: 6 is stored turned a
// quarter to the left, so the stored left column is the upright top row.
TEST_F(FotoArchivo, AnOrientedPhotoComesOutUpright) {
  // Stored 3 x 2: blue values 1 2 3 / 4 5 6.
  std::vector<uint8_t> bgra;
  for (uint8_t v = 1; v <= 6; ++v) bgra.insert(bgra.end(), {v, 0, 0, 255});
  const struct { int orientacion; Punto tamaño; std::vector<uint8_t> filas; } casos[] = {
      {6, {2, 3}, {4, 1, 5, 2, 6, 3}}, {8, {2, 3}, {3, 6, 2, 5, 1, 4}}, {3, {3, 2}, {6, 5, 4, 3, 2, 1}},
      {2, {3, 2}, {3, 2, 1, 6, 5, 4}}, {5, {2, 3}, {1, 4, 2, 5, 3, 6}}};
  for (const auto& c : casos) {
    archivo_.Cerrar();
    Convertir({3, 2}, c.tamaño, bgra, c.orientacion);
    std::vector<uint8_t> vistos;
    for (int32_t y = 0; y < c.tamaño.y; ++y) {
      const std::vector<uint8_t> fila = FilaDesdeArriba(y);
      for (int32_t x = 0; x < c.tamaño.x; ++x) vistos.push_back(fila[static_cast<size_t>(3 * x)]);
    }
    EXPECT_EQ(vistos, c.filas) << c.orientacion;
  }
}

// Where the picture is see-through the table's colour shows, in proportion.
TEST_F(FotoArchivo, TransparentPixelsShowTheBackground) {
  const std::vector<uint8_t> bgra{200, 100, 0, 255,  200, 100, 0, 0,  200, 100, 0, 128};
  Convertir({3, 1}, {3, 1}, bgra);
  const std::vector<uint8_t> fila = FilaDesdeArriba(0);
  EXPECT_EQ(std::vector<uint8_t>(fila.begin(), fila.begin() + 9),
            (std::vector<uint8_t>{200, 100, 0, 40, 110, 60, 120, 105, 30}));
}

TEST(Foto, AConverterRefusesSizesBeyondTheLimits) {
  ConversorFoto c;
  EXPECT_FALSE(c.Empezar({30000, 30000}, {100, 100}, kVerde));
  EXPECT_FALSE(c.Empezar({100, 100}, {0, 100}, kVerde));
  EXPECT_FALSE(c.Completo());
  EXPECT_TRUE(c.Archivo().empty());
}

}  // namespace
