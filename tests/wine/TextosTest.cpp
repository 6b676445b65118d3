// The program's own resources as the code loads them: the string table in
// every language it holds, the cursors, the icons and the two sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "ComunVentanas.h"
#include "DescripcionImagen.h"
#include "Globales.h"
#include "TextoJustificado.h"
#include "recursos.h"

namespace {

HINSTANCE Modulo() { return GetModuleHandleA(nullptr); }

// The text as LoadStringA gives it (Windows-1252), or "" when the id is missing.
std::string Texto(UINT id) {
  char b[2048];
  int n = LoadStringA(Modulo(), id, b, sizeof b);
  return std::string(b, n > 0 ? n : 0);
}

// ---- The string table -----------------------------------------------------

// Each base with its languages and the longest text its reader keeps
// (buffer size - 1): message box 200, magnifier title 59, start-up dialog
// 300 bytes, wait text 70, picture name 50, description 1000, the
// turned-pieces box 100.
struct Base {
  UINT id;
  UINT idiomas;
  size_t maximo;
};
constexpr Base kBases[] = {
    {20, 6, 199},  {40, 6, 199},  {50, 6, 199},  {60, 6, 199},   {70, 6, 199},   {80, 6, 199},
    {90, 2, 199},  {120, 6, 59},  {130, 6, 199}, {140, 6, 199},  {160, 6, 299},  {170, 6, 199},
    {180, 6, 199}, {190, 6, 199}, {200, 2, 299}, {210, 6, 69},   {230, 6, 299},  {240, 6, 199},  {250, 6, 199}, {260, 6, 199},
    {270, 6, 199}, {280, 6, 199}, {290, 6, 199}, {400, 6, 299}, {410, 6, 299},
    {700, 6, 199}, {710, 6, 199}, {720, 6, 199}, {730, 6, 199}, {740, 6, 199}, {750, 6, 199},
    {760, 6, 199}, {770, 6, 63},  {780, 6, 199}, {790, 6, 199}, {850, 6, 99},
    {5001, 15, 49},
    {6001, 15, 999},
};

// The descriptions in the other languages: 10 apart, one per picture.
bool EsDescripcionIdioma(UINT id) { return id >= 6110 && id <= 6255; }

TEST(Textos, EveryIdLoadsNonEmptyAndFitsItsReader) {
  for (const Base& b : kBases)
    for (UINT i = 0; i < b.idiomas; ++i) {
      const std::string t = Texto(b.id + i);
      EXPECT_FALSE(t.empty()) << b.id + i;
      EXPECT_LE(t.size(), b.maximo) << b.id + i;
      EXPECT_EQ(t.find('\r'), std::string::npos) << b.id + i;
    }
}

TEST(Textos, TwoLanguageTextsAndTheRangesHaveNoExtraIds) {
  for (UINT id : {92u, 93u, 95u, 202u, 205u, 216u, 266u, 406u, 416u, 5000u, 5016u, 6000u, 6016u})
    EXPECT_EQ(Texto(id), "") << id;
  // English lives once, in 6001-6015; nothing outside the pictures' rows.
  for (UINT id = 6100; id < 6270; ++id)
    if (!EsDescripcionIdioma(id) || id % 10 == 1 || id % 10 > 5) {
      EXPECT_EQ(Texto(id), "") << id;
    }
}

// The English and Spanish texts the design fixes word for word, odd
// spacing and spelling included.
TEST(Textos, FixedTextsMatchByteForByte) {
  const struct {
    UINT id;
    const char* texto;
  } casos[] = {
      {20, "\n\nEscribe el Nuevo Nombre  del BOX :"},
      {40, "\n\n\xBF" "Esta seguro que desea borrar el Archivo?"},
      {41, "\n\nAre you sure you want to erase the file?"},
      {120, "Presentaci\xF3n Preliminar"},
      {130, "\nUsted ha ingresado en el cuadro de honor, por favor escriba su nombre para el registro"},
      {140, "\n\xBF" "Desea colocar esta fotografia de Papel Tapiz del Escritorio?"},
      {21, "\n\nWrite the new name of the BOX :"},
      {51, "Rows:"},
      {61, "Columns:"},
      {71, "Number of pieces: "},
      {81, "\n\nThis game has been changed. Do you want to leave?"},
      {90, "\n\n\xBF" "Desea conectarse a la pagina web de Orvane?"},
      {91, "\n\nDo you want to launch Orvane's web site?"},
      {121, "Preview"},
      {131, "\nYour name is on Honour roll Register, please write your name for the register:"},
      {141, "\nDo you wish to place this picture of the wallpaper of the desk?"},
      {161, "\nThe configuration of the colors of your monitor is 8 bits or less. You need a minimum of the 16 "
            "bits to run Tessera Puzzle."},
      {201, "Tessera Puzzle needs a minimal resolution of 800 x 600 to run. Please, adjust it and retry again."},
      {210, "Imprimiendo, Por favor espere...."},
      {211, "Printing, please wait....."},
      {851, "Turned pieces"},
  };
  for (const auto& c : casos) EXPECT_EQ(Texto(c.id), c.texto) << c.id;
}

// The other languages' texts keep their accents as single Windows-1252 bytes.
TEST(Textos, AccentsOfTheOtherLanguagesArriveAsWindows1252) {
  const struct {
    UINT id;
    const char* trozo;
  } casos[] = {
      {70, "N\xFAmero de piezas: "}, {72, "pe\xE7" "as: "},          {74, "pi\xE8" "ces: "},
      {80, "\xBF" "Desea salir?"},   {83, "\xE8 stata"},              {85, "ge\xE4ndert. M\xF6" "chten"},
      {162, "configura\xE7\xE3o"},   {164, "\xE9" "cran"},            {174, "sugg\xE9r\xE9"},
      {182, "\xC1rea"},              {45, "l\xF6schen"},    {200, "resoluci\xF3n m\xEDnima"},
      {6001, "68\x96" "66 million"},
  };
  for (const auto& c : casos) EXPECT_NE(Texto(c.id).find(c.trozo), std::string::npos) << c.id;
}

TEST(Textos, PictureNames) {
  const char* nombres[] = {"Triceratops",   "Albertosaurus", "Stegosaurus",     "Allosaurus",   "Coelophysis",
                           "Tyrannosaurus", "Deinonychus",   "Euplocephatus",   "Brachiosaurus", "Iguanodon",
                           "Parasaurolophus", "Velociraptor", "Saltasaurus",    "Maiasaura",    "Pachycepphalosaurus"};
  for (UINT k = 0; k < 15; ++k) EXPECT_EQ(Texto(5001 + k), nombres[k]) << 5001 + k;
}

std::vector<std::string> Palabras(const std::string& t) {
  std::vector<std::string> p;
  std::istringstream in(t);
  for (std::string w; in >> w;) p.push_back(w);
  return p;
}

// The program's language for one test; English again after it.
class ConIdioma {
 public:
  explicit ConIdioma(int32_t i) : antes_(idioma) { idioma = i; }
  ~ConIdioma() { idioma = antes_; }
  ConIdioma(const ConIdioma&) = delete;
  ConIdioma& operator=(const ConIdioma&) = delete;

 private:
  int32_t antes_;
};

size_t Campos(const std::string& t) {
  size_t n = 0;
  for (size_t p = t.find(" | "); p != std::string::npos; p = t.find(" | ", p + 3)) ++n;
  return n;
}

// Each language tells every picture's story in its own words: the picture's
// name, its own word for "million" (every text dates its animal), the same
// fields as the English text, short words, and no other language's text.
TEST(Textos, EveryLanguageDescribesEveryPicture) {
  const char* millon[] = {"millones", "million", "milh\xF5" "es", "milioni", "millions", "Millionen"};
  for (int32_t k = 0; k < 15; ++k) {
    const std::string ingles = Texto(6001 + static_cast<UINT>(k)), nombre = Texto(5001 + static_cast<UINT>(k));
    std::set<std::string> vistos;
    for (int32_t i = 0; i < 6; ++i) {
      ConIdioma en(i);
      const std::string t = DescripcionImagen(k);
      SCOPED_TRACE(std::to_string(k + 1) + " in language " + std::to_string(i));
      EXPECT_GE(t.size(), 450u);
      EXPECT_LE(t.size(), 999u);
      EXPECT_EQ(t.find_first_of("\r\n"), std::string::npos);
      for (const std::string& w : Palabras(t)) EXPECT_LE(w.size(), 25u) << w;
      EXPECT_NE(t.find(nombre), std::string::npos);
      EXPECT_NE(t.find(millon[i]), std::string::npos);
      EXPECT_EQ(Campos(t), Campos(ingles));
      EXPECT_TRUE(vistos.insert(t).second);
      if (i == 1) {
        EXPECT_EQ(t, ingles);
      }
    }
  }
  EXPECT_EQ(DescripcionImagen(-1), "");
  EXPECT_EQ(DescripcionImagen(15), "");
}

TEST(Textos, SomeDescriptionsAreFactSheets) {
  int conCampos = 0;
  for (UINT id = 6001; id <= 6015; ++id) conCampos += Campos(Texto(id)) > 0;
  EXPECT_GE(conCampos, 3);
}

// Lays the text out as the program does: words are added to a line while
// the line stays narrower than the area, and each " | " starts a line.
// Gives the line count, or -1 when one word alone is too wide (the
// program stops on that).
int Lineas(HDC dc, const std::string& t, int ancho) {
  int lineas = 0;
  for (size_t desde = 0;;) {
    const size_t hasta = t.find(" | ", desde);
    std::string linea;
    for (const std::string& w : Palabras(t.substr(desde, hasta == std::string::npos ? hasta : hasta - desde))) {
      const std::string prueba = linea.empty() ? w : linea + " " + w;
      SIZE s{};
      GetTextExtentPoint32A(dc, prueba.c_str(), static_cast<int>(prueba.size()), &s);
      if (s.cx < ancho) {
        linea = prueba;
        continue;
      }
      if (linea.empty()) return -1;
      ++lineas;
      GetTextExtentPoint32A(dc, w.c_str(), static_cast<int>(w.size()), &s);
      if (s.cx >= ancho) return -1;
      linea = w;
    }
    lineas += linea.empty() ? 0 : 1;
    if (hasta == std::string::npos) return lineas;
    desde = hasta + 3;
  }
}

class Disposicion : public ::testing::Test {
 protected:
  // Selects a font `alto` high; gives its line height.
  int Letra(int alto, int peso = 700) {
    Soltar();
    fuente_ = CreateFontA(alto, 0, 0, 0, peso, 0, 0, 0, 1, 0, 0, 0, 0, "");
    EXPECT_NE(fuente_, nullptr);
    anterior_ = SelectObject(dc_, fuente_);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc_, &tm);
    return tm.tmHeight;
  }
  void Soltar() {
    if (anterior_) SelectObject(dc_, anterior_);
    if (fuente_) DeleteObject(fuente_);
    anterior_ = fuente_ = nullptr;
  }
  void TearDown() override {
    Soltar();
    DeleteDC(dc_);
  }
  HDC dc_ = CreateCompatibleDC(nullptr);
  HFONT fuente_ = nullptr;
  HGDIOBJ anterior_ = nullptr;
};

// On the picture preview a description starts 40 px under a picture up to
// 288 px high and must end, with its 2 px shadow, above the buttons 496 px
// down; it is 700 px wide, bold, at 17 px or at the largest size below at
// which the program finds that it fits. Plain paragraphs keep 17 px; fact
// sheets, a line per field, go down to 15 px as the English ones do.
TEST_F(Disposicion, EveryDescriptionStaysAboveThePreviewButtons) {
  constexpr int kSitio = 496 - (288 + 40) - 2;
  for (int32_t k = 0; k < 15; ++k)
    for (int32_t i = 0; i < 6; ++i) {
      ConIdioma en(i);
      const std::string t = DescripcionImagen(k);
      const int32_t alto = AltoFuenteQueCabe(dc_, t.c_str(), kFuenteComun, 700, 17, 700, kSitio);
      SCOPED_TRACE(std::to_string(k + 1) + " in language " + std::to_string(i) + " at " + std::to_string(alto));
      EXPECT_GE(alto, Campos(t) ? 15 : 17);
      const int linea = Letra(alto);
      const int n = Lineas(dc_, t, 700);
      EXPECT_GT(n, 0);
      EXPECT_LE(n * linea, kSitio) << n << " lines";
    }
}

// The message box writes at 24 px in a 460 px wide area, 190 px high,
// from 60 px down; where it asks for a name, the field stands 160 px down.
TEST_F(Disposicion, MessagesFitTheMessageBox) {
  const int linea = Letra(24, 400);
  for (UINT base : {20u, 40u, 80u, 130u, 140u, 240u, 250u, 260u, 270u, 280u, 290u, 700u, 710u, 720u, 730u})
    for (UINT id = base; id < base + 6; ++id) {
      const std::string t = Texto(id);
      // Each line feed that opens the text is an empty line.
      const size_t vacias = t.find_first_not_of('\n');
      const int n = Lineas(dc_, t, 460);
      EXPECT_GT(n, 0) << id;
      const bool conCampo = base == 20 || base == 130;
      EXPECT_LE((n + static_cast<int>(vacias)) * linea, conCampo ? 160 - 60 : 190) << id << ": " << n << " lines";
    }
}

// The name stands at 23 px bold in a 300 px square.
TEST_F(Disposicion, PictureNamesFitTheirSquare) {
  const int linea = Letra(23);
  for (UINT id = 5001; id <= 5015; ++id) {
    const int n = Lineas(dc_, Texto(id), 300);
    EXPECT_GT(n, 0) << id;
    EXPECT_LE(n * linea, 300) << id;
  }
}

// A white 32-bit page of `ancho` x `alto` to write on.
struct Pagina {
  Pagina(int ancho, int alto) : dc(CreateCompatibleDC(nullptr)) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), ancho, -alto, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    anterior = SelectObject(dc, dib);
    PatBlt(dc, 0, 0, ancho, alto, WHITENESS);
    n = static_cast<size_t>(ancho) * static_cast<size_t>(alto);
  }
  ~Pagina() {
    SelectObject(dc, anterior);
    DeleteObject(dib);
    DeleteDC(dc);
  }
  std::vector<uint32_t> Pixeles() const {
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    return std::vector<uint32_t>(p, p + n);
  }
  HDC dc;
  HBITMAP dib = nullptr;
  HGDIOBJ anterior = nullptr;
  void* bits = nullptr;
  size_t n = 0;
};

// A field separator is drawn as a line break, the field's line flush left:
// the same pixels as the two fields written one under the other, and no
// bar. A line feed in its place would have spread the first line out.
TEST(Textos, TheFieldSeparatorDrawsAsALineBreak) {
  constexpr int kAncho = 400, kAlto = 60;
  const char* primero = "Length: 8\x96" "9 m";
  const char* segundo = "Weight: 6\x96" "12 tonnes";
  const std::string texto = std::string(primero) + " | " + segundo;
  Pagina escrita(kAncho, kAlto), esperada(kAncho, kAlto);
  EscribirTextoJustificado(escrita.dc, texto.c_str(), kFuenteComun, 700, 17, RGB(0, 0, 0), false, 0, 0, 0, 0,
                           kAncho, kAlto);

  HFONT letra = CreateFontA(17, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, kFuenteComun);
  HGDIOBJ antes = SelectObject(esperada.dc, letra);
  SetBkMode(esperada.dc, TRANSPARENT);
  SetTextColor(esperada.dc, RGB(0, 0, 0));
  SIZE s{};
  GetTextExtentPoint32A(esperada.dc, primero, static_cast<int>(strlen(primero)), &s);
  TextOutA(esperada.dc, 0, 0, primero, static_cast<int>(strlen(primero)));
  TextOutA(esperada.dc, 0, s.cy, segundo, static_cast<int>(strlen(segundo)));
  SelectObject(esperada.dc, antes);
  DeleteObject(letra);

  const std::vector<uint32_t> a = escrita.Pixeles(), b = esperada.Pixeles();
  EXPECT_GT(std::count_if(b.begin(), b.end(), [](uint32_t c) { return (c & 0xFFFFFF) != 0xFFFFFF; }), 100);
  EXPECT_TRUE(a == b);
}

// ---- Cursors and icons ----------------------------------------------------

// Size, hot spot and whether each pixel is drawn, from an icon or cursor.
struct Forma {
  bool icono = false;
  int ancho = 0, alto = 0;
  POINT punto{};
  std::vector<bool> opaco;  // row by row, top first
  std::vector<DWORD> color;
};

Forma Leer(HICON h) {
  Forma f;
  ICONINFO ii{};
  if (!GetIconInfo(h, &ii)) return f;
  f.icono = ii.fIcon != FALSE;
  f.punto = {static_cast<LONG>(ii.xHotspot), static_cast<LONG>(ii.yHotspot)};
  BITMAP bm{};
  GetObjectA(ii.hbmMask, sizeof bm, &bm);
  f.ancho = bm.bmWidth;
  f.alto = ii.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // monochrome: AND over XOR
  HDC dc = CreateCompatibleDC(nullptr);
  struct {
    BITMAPINFOHEADER h;
    RGBQUAD tabla[256];
  } bi{};
  bi.h = {sizeof(BITMAPINFOHEADER), f.ancho, -f.alto, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<DWORD> mascara(static_cast<size_t>(f.ancho) * f.alto);
  GetDIBits(dc, ii.hbmMask, 0, f.alto, mascara.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  for (DWORD m : mascara) f.opaco.push_back((m & 0xFFFFFF) == 0);
  if (ii.hbmColor) {
    f.color.resize(mascara.size());
    bi.h = {sizeof(BITMAPINFOHEADER), f.ancho, -f.alto, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    GetDIBits(dc, ii.hbmColor, 0, f.alto, f.color.data(), reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS);
  }
  DeleteDC(dc);
  DeleteObject(ii.hbmMask);
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  return f;
}

TEST(Cursores, LoadAt32WithTheHotSpotOnTheDrawing) {
  const struct {
    int id;
    POINT punto;
  } casos[] = {{IDCUR_MANO_ABIERTA, {14, 16}}, {IDCUR_MANO_CERRADA, {14, 16}}, {IDCUR_SOLTAR_CAJA, {0, 0}}};
  for (const auto& c : casos) {
    HCURSOR h = LoadCursorA(Modulo(), MAKEINTRESOURCEA(c.id));
    ASSERT_NE(h, nullptr) << c.id;
    const Forma f = Leer(h);
    EXPECT_FALSE(f.icono) << c.id;
    ASSERT_EQ(f.ancho, 32) << c.id;
    ASSERT_EQ(f.alto, 32) << c.id;
    EXPECT_EQ(f.punto.x, c.punto.x) << c.id;
    EXPECT_EQ(f.punto.y, c.punto.y) << c.id;
    EXPECT_TRUE(f.opaco[c.punto.y * 32 + c.punto.x]) << c.id;
    EXPECT_FALSE(f.opaco[31 * 32 + 31]) << c.id;
  }
}

TEST(Iconos, EveryIconHasItsOwnDrawingAt16And32) {
  std::set<std::vector<DWORD>> vistos;
  for (int id : {IDI_PROGRAMA, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220}) {
    for (int lado : {16, 32}) {
      auto h = static_cast<HICON>(LoadImageA(Modulo(), MAKEINTRESOURCEA(id), IMAGE_ICON, lado, lado, 0));
      ASSERT_NE(h, nullptr) << id << " at " << lado;
      const Forma f = Leer(h);
      DestroyIcon(h);
      EXPECT_TRUE(f.icono) << id;
      EXPECT_EQ(f.ancho, lado) << id;
      EXPECT_EQ(f.alto, lado) << id;
      int opacos = 0;
      for (bool o : f.opaco) opacos += o;
      EXPECT_GT(opacos, lado * lado / 5) << id << " at " << lado;
      EXPECT_LT(opacos, lado * lado) << id << " at " << lado;
      if (lado == 16) {
        EXPECT_TRUE(vistos.insert(f.color).second) << id << " repeats another icon";
      }
    }
  }
}

BOOL CALLBACK PrimerGrupo(HMODULE, LPCSTR, LPSTR nombre, LONG_PTR dato) {
  *reinterpret_cast<ULONG_PTR*>(dato) = reinterpret_cast<ULONG_PTR>(nombre);
  return FALSE;
}

// The shell shows the first icon group of the file: the program's own.
TEST(Iconos, TheProgramIconComesFirstAndHasA48PixelImage) {
  ULONG_PTR primero = 0;
  EnumResourceNamesA(Modulo(), reinterpret_cast<LPCSTR>(RT_GROUP_ICON), PrimerGrupo,
                     reinterpret_cast<LONG_PTR>(&primero));
  EXPECT_EQ(primero, static_cast<ULONG_PTR>(IDI_PROGRAMA));
  auto h = static_cast<HICON>(LoadImageA(Modulo(), MAKEINTRESOURCEA(IDI_PROGRAMA), IMAGE_ICON, 48, 48, 0));
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(Leer(h).ancho, 48);
  DestroyIcon(h);
}

// ---- Sounds ---------------------------------------------------------------

TEST(Sonidos, ShortAudiblePcm) {
  for (int id : {IDW_SONIDO_ENCIMA, IDW_SONIDO_CLIC}) {
    HRSRC r = FindResourceA(Modulo(), MAKEINTRESOURCEA(id), "WAVE");
    ASSERT_NE(r, nullptr) << id;
    const auto* d = static_cast<const unsigned char*>(LockResource(LoadResource(Modulo(), r)));
    const DWORD tam = SizeofResource(Modulo(), r);
    ASSERT_GE(tam, 44u) << id;
    auto u16 = [&](DWORD i) { return static_cast<unsigned>(d[i] | d[i + 1] << 8); };
    auto u32 = [&](DWORD i) { return u16(i) | u16(i + 2) << 16; };
    EXPECT_EQ(u32(4) + 8, tam) << id;  // the RIFF size covers the whole resource
    ASSERT_EQ(std::string(reinterpret_cast<const char*>(d) + 36, 4), "data") << id;
    EXPECT_EQ(u16(20), 1u) << id;  // PCM
    EXPECT_EQ(u16(34), 16u) << id;
    const unsigned bytesPorSegundo = u32(28), datos = u32(40);
    EXPECT_LE(datos * 10, bytesPorSegundo * 3) << id << ": longer than 0.3 s";
    int pico = 0;
    for (DWORD i = 44; i + 1 < 44 + datos && i + 1 < tam; i += 2) {
      const int v = static_cast<short>(u16(i));
      pico = std::max(pico, std::abs(v));
    }
    EXPECT_GT(pico, 3000) << id;
    EXPECT_LT(pico, 32767) << id << ": clipped";
  }
}

}  // namespace
