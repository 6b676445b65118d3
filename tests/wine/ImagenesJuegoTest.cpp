// The game's picture folder: listing by real names, what each picture is
// played from, and adding pictures, on files made for the test
// (tests/wine/fotos_prueba.py) and copied into a folder of its own.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Foto.h"
#include "ImagenesJuego.h"

namespace {

const std::string kCafe = "\xd0\xa4\xd0\xbe\xd1\x82\xd0\xbe caf\xc3\xa9";  // "Фото café"

std::wstring Fotos() {
  const char* c = std::getenv("TESSERA_FOTOS_DIR");
  std::wstring w = L"Z:";
  for (const char* p = c ? c : ""; *p; ++p) w += *p == '/' ? L'\\' : static_cast<wchar_t>(*p);
  return w + L"\\";
}

class ImagenesJuego : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("TESSERA_FOTOS_DIR")) GTEST_SKIP() << "run through CTest, which makes the pictures";
    char temporal[MAX_PATH];
    GetTempPathA(MAX_PATH, temporal);
    carpeta_ = std::string(temporal) + "tessera-imagenes-" + std::to_string(GetCurrentProcessId()) + "\\";
    Borrar();
    ASSERT_TRUE(CreateDirectoryA(carpeta_.c_str(), nullptr));
  }
  void TearDown() override { Borrar(); }
  void Borrar() {
    if (carpeta_.empty()) return;
    std::wstring doble = AnchaDeAnsi(carpeta_.substr(0, carpeta_.size() - 1));
    doble += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = doble.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationW(&op);
  }
  ImagenAgregada Agregar(const std::wstring& nombre) { return AgregarImagen(Fotos() + nombre, carpeta_); }
  std::vector<std::string> Nombres() const {
    std::vector<std::string> v;
    for (const ImagenJuego& i : ListarImagenes(carpeta_)) v.push_back(i.nombre);
    return v;
  }
  // Every file in the folder, pictures or not.
  int Archivos() const {
    WIN32_FIND_DATAW d{};
    HANDLE h = FindFirstFileW((AnchaDeAnsi(carpeta_) + L"*").c_str(), &d);
    int n = 0;
    if (h == INVALID_HANDLE_VALUE) return 0;
    do n += !(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileW(h, &d));
    FindClose(h);
    return n;
  }
  std::string carpeta_;
};

// A picture is copied once whatever it is called; a different picture
// under a taken name gets a name of its own; the player's name is kept for
// the finished picture's card.
TEST_F(ImagenesJuego, APictureIsAddedOnceAndKeepsItsName) {
  const ImagenAgregada cafe = Agregar(L"\u0424\u043e\u0442\u043e caf\u00e9.jpg");
  ASSERT_EQ(cafe.lectura, LecturaFoto::Bien);
  EXPECT_FALSE(cafe.repetida);
  EXPECT_EQ(cafe.nombre, kCafe + ".jpg");
  EXPECT_NE(GetFileAttributesW((AnchaDeAnsi(carpeta_) + L"\u0424\u043e\u0442\u043e caf\u00e9.jpg").c_str()),
            INVALID_FILE_ATTRIBUTES);

  // The same bytes under another name, and the same file again.
  for (const wchar_t* otra : {L"rgb.jpg", L"\u0424\u043e\u0442\u043e caf\u00e9.jpg"}) {
    const ImagenAgregada r = Agregar(otra);
    EXPECT_EQ(r.lectura, LecturaFoto::Bien);
    EXPECT_TRUE(r.repetida) << Utf8DeAncha(otra);
    EXPECT_EQ(r.nombre, kCafe + ".jpg");
  }
  EXPECT_EQ(Archivos(), 1);

  // Another picture whose name is taken.
  CreateDirectoryW((Fotos() + L"otra").c_str(), nullptr);
  ASSERT_TRUE(CopyFileW((Fotos() + L"progresivo.jpg").c_str(),
                        (Fotos() + L"otra\\\u0424\u043e\u0442\u043e caf\u00e9.jpg").c_str(), FALSE));
  const ImagenAgregada segunda = Agregar(L"otra\\\u0424\u043e\u0442\u043e caf\u00e9.jpg");
  EXPECT_FALSE(segunda.repetida);
  EXPECT_EQ(segunda.nombre, kCafe + " (2).jpg");

  // A bitmap named as a PNG is known by its content and kept as named.
  EXPECT_EQ(Agregar(L"bmp_renombrado.png").nombre, "bmp_renombrado.png");
  EXPECT_EQ(Nombres(), (std::vector<std::string>{"bmp_renombrado.png", kCafe + " (2).jpg", kCafe + ".jpg"}));

  std::string bmp;
  ASSERT_EQ(RutaJugable(AnchaDeAnsi(carpeta_) + AnchaDeUtf8(kCafe + ".jpg"), carpeta_ + "Cache\\", &bmp),
            LecturaFoto::Bien);
  EXPECT_EQ(NombreFotoConvertida(bmp.c_str()), kCafe);
}

// Nothing is copied, and the folder is as it was, for any file the game
// cannot play; each says why.
TEST_F(ImagenesJuego, BadFilesAreRefusedAndLeaveNothing) {
  const struct {
    const wchar_t* nombre;
    LecturaFoto lectura;
  } casos[] = {{L"cortado.jpg", LecturaFoto::Dañada},  {L"vacio.jpg", LecturaFoto::NoEsImagen},
               {L"texto.jpg", LecturaFoto::NoEsImagen}, {L"enorme.png", LecturaFoto::Enorme},
               {L"no-such-file.jpg", LecturaFoto::NoAbre}};
  for (const auto& c : casos) {
    const ImagenAgregada r = Agregar(c.nombre);
    EXPECT_EQ(r.lectura, c.lectura) << Utf8DeAncha(c.nombre);
    EXPECT_TRUE(r.nombre.empty());
  }
  EXPECT_EQ(Archivos(), 0);
  EXPECT_TRUE(Nombres().empty());
}

// Shipped numbers first, by value; then the player's pictures by name; no
// other file, no folder.
TEST_F(ImagenesJuego, TheListShowsPicturesInNaturalOrder) {
  for (const wchar_t* n : {L"10.bmp", L"2.bmp", L"\u0424\u043e\u0442\u043e caf\u00e9.jpg", L"abc.PNG", L"notes.txt",
                           L"x.jpg.tmp"})
    ASSERT_TRUE(CopyFileW((Fotos() + L"rgb.bmp").c_str(), (AnchaDeAnsi(carpeta_) + n).c_str(), FALSE));
  CreateDirectoryA((carpeta_ + "Cache").c_str(), nullptr);
  EXPECT_EQ(Nombres(), (std::vector<std::string>{"2.bmp", "10.bmp", "abc.PNG", kCafe + ".jpg"}));
}

// An installed copy: the shipped pictures' folder, then the player's own
// (not merged: "1.png" stays last); one folder given twice lists once.
// Adding looks in both: bytes the game ships are not copied again, and a
// shipped picture's name is not given to another.
TEST_F(ImagenesJuego, TwoFoldersListTheShippedOnesFirstAndAddingLooksInBoth) {
  const std::string propias = carpeta_ + "propias\\";
  ASSERT_TRUE(CreateDirectoryA(propias.c_str(), nullptr));
  for (const wchar_t* n : {L"10.bmp", L"2.bmp", L"gris.png"})
    ASSERT_TRUE(CopyFileW((Fotos() + L"rgb.bmp").c_str(), (AnchaDeAnsi(carpeta_) + n).c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((Fotos() + L"rgb.png").c_str(), (AnchaDeAnsi(propias) + L"1.png").c_str(), FALSE));
  std::string lista;
  for (const ImagenJuego& i : ListarImagenes(carpeta_, propias)) lista += (i.carpeta == propias ? "+" : "") + i.nombre + " ";
  EXPECT_EQ(lista, "2.bmp 10.bmp gris.png +1.png ");
  EXPECT_EQ(ListarImagenes(carpeta_, carpeta_).size(), 3u);
  const ImagenAgregada enviada = AgregarImagen(Fotos() + L"rgb.bmp", propias, carpeta_);
  EXPECT_EQ((enviada.repetida ? "=" : "") + enviada.carpeta + enviada.nombre, "=" + carpeta_ + "2.bmp");
  const ImagenAgregada gris = AgregarImagen(Fotos() + L"gris.png", propias, carpeta_);
  EXPECT_EQ(gris.carpeta + gris.nombre, propias + "gris (2).png");
}

// A bitmap is played as it is (the cut judges it, as it does the shipped
// ones); every photo is played from a converted copy.
TEST_F(ImagenesJuego, EachPictureIsPlayedFromABitmap) {
  const std::string cache = carpeta_ + "Cache\\";
  std::string bmp;
  for (const wchar_t* propia : {L"rgb.bmp", L"rgba32.bmp"}) {
    ASSERT_EQ(RutaJugable(Fotos() + propia, cache, &bmp), LecturaFoto::Bien);
    EXPECT_EQ(AnchaDeAnsi(bmp), Fotos() + propia);
  }
  for (const wchar_t* convertida : {L"rgb.png", L"varios.gif"}) {
    ASSERT_EQ(RutaJugable(Fotos() + convertida, cache, &bmp), LecturaFoto::Bien) << Utf8DeAncha(convertida);
    EXPECT_EQ(bmp.rfind(cache, 0), 0u) << bmp;
    EXPECT_NE(RutaNotaConvertida(bmp), "");
  }
  EXPECT_EQ(RutaJugable(Fotos() + L"texto.jpg", cache, &bmp), LecturaFoto::NoEsImagen);
}

}  // namespace
