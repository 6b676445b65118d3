// The print-out: the wait window's marks, the player told when there is no
// printer, and (ImpresionCups, with the test printer of
// scripts/impresora.sh up) real pages read back from the PDF it writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

// The picture library's headers want what WIN32_LEAN_AND_MEAN and NOMINMAX
// leave out.
#include <objidl.h>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "../native/BmpSintetico.h"
#include "ComunVentanas.h"
#include "Impresion.h"
#include "Mensaje.h"
#include "ObjetosGDI.h"
#include "PaginaImpresion.h"
#include "ProgramaPrueba.h"

namespace {

namespace fs = std::filesystem;

std::string Imagen(int n) { return arranque.carpeta + "Image\\" + std::to_string(n) + ".bmp"; }
std::string Texto(int id) {
  char b[1000] = "";
  LoadStringA(arranque.instancia, static_cast<UINT>(id), b, sizeof b);
  return b;
}

// Pictures of the test's own, removed with it: w x h, 8 bits (all black)
// or 24 (a ramp with nothing near white), less their last `recorte` bytes.
class Bmps {
 public:
  ~Bmps() {
    for (const fs::path& p : rutas_) fs::remove(p);
  }
  std::string operator()(int32_t w, int32_t h, uint16_t bits, size_t recorte = 0, uint32_t compresion = 0) {
    BmpSintetico m;
    m.ancho = w, m.alto = h, m.bits = bits, m.compresion = compresion;
    if (bits == 24) m.Pintar([&](int x, int y) { return x * 180 / w | (y * 180 / h) << 8 | 0x400000; });
    std::vector<uint8_t> b = m.Bytes();
    b.resize(b.size() - recorte);
    rutas_.push_back(fs::temp_directory_path() /
                     ("tessera-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(rutas_.size()) + ".bmp"));
    std::ofstream(rutas_.back(), std::ios::binary).write(reinterpret_cast<const char*>(b.data()), std::ssize(b));
    return rutas_.back().string();
  }

 private:
  std::vector<fs::path> rutas_;
};

// The five marks of the wait window: 'x' done, '.' to come.
std::string Marcas() {
  const auto marcas = CargarImagenArchivo(262);
  const HIMAGE fondo = FondoEspera();
  const int bytes = fondo->biBitCount / 8;
  std::string r;
  for (int i = 0; i < kBandasImpresion; ++i) {
    const auto celda = [&](int c) {
      for (int y = 0; y < 44; ++y)
        if (std::memcmp(FilaHIMAGE(fondo, 247 + y) + (125 + 50 * i) * bytes, FilaHIMAGE(ImagenDe(marcas), 44 * c + y),
                        44u * bytes))
          return false;
      return true;
    };
    r += celda(1) ? 'x' : celda(0) ? '.' : '?';
  }
  return r;
}

// A popup stands for the picture preview.
class Impresion : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }
  void SetUp() override {
    padre_ = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    if (HWND e = VentanaEspera()) DestroyWindow(e);
    DestroyWindow(padre_);
    Bombear(100);
    ImpresoraDePrueba(nullptr);
    idioma = 1;
  }
  HWND padre_ = nullptr;
  Bmps bmp_;
};

// Each mark turns before its band is read: a file that ends inside band 2
// stops the page with marks 0 to 2 turned.
using EsperaImpresion = Impresion;
TEST_F(EsperaImpresion, TheMarksTurnOneByOneBeforeEachBand) {
  const struct { std::string ruta; bool dibujada; const char* marcas; } casos[] = {
      {Imagen(4), true, "xxxxx"}, {bmp_(4, 10, 8, 4 * 6), false, "xxx.."}, {bmp_(4, 10, 8, 4 * 10 - 1), false, "x...."}};
  for (const auto& c : casos) {
    HWND espera = MostrarEspera(padre_);
    DCCreado dc(CreateCompatibleDC(nullptr));
    ArchivoBMP archivo;
    ASSERT_TRUE(archivo.Abrir(c.ruta.c_str()));
    EXPECT_EQ(DibujarPaginaImpresion(dc.Get(), {827, 1169}, espera, 0, archivo), c.dibujada) << c.ruta;
    EXPECT_EQ(Marcas(), c.marcas) << c.ruta;
    SendMessageA(espera, WM_CLOSE, 0, 0);
  }
}

// The wait window's life: "+" when made, its text and "-" when it goes.
std::string g_espera;
LRESULT CALLBACK AnotarEspera(int codigo, WPARAM wParam, LPARAM lParam) {
  char clase[64] = "";
  if (codigo == HCBT_CREATEWND || codigo == HCBT_DESTROYWND) GetClassNameA(reinterpret_cast<HWND>(wParam), clase, 64);
  if (std::strcmp(clase, "CWNDESPEREIMPRIMIENDO") == 0) {
    if (codigo == HCBT_DESTROYWND) g_espera += TextoEspera();
    g_espera += codigo == HCBT_CREATEWND ? '+' : '-';
  }
  return CallNextHookEx(nullptr, codigo, wParam, lParam);
}

// Both the wait window and the message speak the game's language.
using ImpresionSinImpresora = Impresion;
TEST_F(ImpresionSinImpresora, ThePlayerIsToldAndTheWaitWindowComesAndGoes) {
  for (const char* impresora : {"", "Tessera: no such printer"})
    for (idioma = 0; idioma < 6; ++idioma) {
      ImpresoraDePrueba(impresora);
      bool sinImpresora = false;
      EXPECT_FALSE(ImprimirImagen(nullptr, 0, Imagen(1).c_str(), &sinImpresora));
      EXPECT_TRUE(sinImpresora);
      g_espera.clear();
      HHOOK gancho = SetWindowsHookExA(WH_CBT, AnotarEspera, nullptr, GetCurrentThreadId());
      ImprimirTarjeta(padre_, 0, Imagen(1).c_str());
      UnhookWindowsHookEx(gancho);
      std::string esperado = "+";
      esperado += Texto(210 + idioma);
      EXPECT_EQ(g_espera, esperado + '-');
      ASSERT_NE(ventanaMensaje, nullptr);
      EXPECT_EQ(TextoMensaje(), Texto(260 + idioma)) << impresora;
      SendMessageA(ventanaMensaje, WM_CLOSE, 0, 0);
      Bombear(100);
      EXPECT_TRUE(IsWindowEnabled(padre_));
    }
}

// ---- A real printer: CUPS's PDF printer ----------------------------------------

// A Unix path through Wine's Z: drive.
std::wstring Z(std::string p) {
  std::replace(p.begin(), p.end(), '/', '\\');
  return fs::path("Z:" + p).wstring();
}

// A PDF in `carpeta` once whole (ended by %%EOF); empty when none comes in `ms`.
fs::path EsperarPdf(const std::string& carpeta, DWORD ms) {
  for (const DWORD fin = GetTickCount() + ms; GetTickCount() < fin; Sleep(200))
    for (const auto& f : fs::directory_iterator(Z(carpeta))) {
      std::ifstream in(f.path(), std::ios::binary);
      const std::string s((std::istreambuf_iterator<char>(in)), {});
      if (f.path().extension() == ".pdf" && s.find("%%EOF", s.size() < 8 ? 0 : s.size() - 8) != std::string::npos)
        return f.path();
    }
  return {};
}

class ImpresionCups : public Impresion {
 protected:
  static void SetUpTestSuite() {
    Impresion::SetUpTestSuite();
    Gdiplus::GdiplusStartupInput entrada;
    Gdiplus::GdiplusStartup(&ficha_, &entrada, nullptr);
  }
  static void TearDownTestSuite() { Gdiplus::GdiplusShutdown(ficha_); }
  void SetUp() override {
    if (!std::getenv("TESSERA_PDF_DIR")) GTEST_SKIP() << "needs the test printer (scripts/impresora.sh, through CTest)";
    Impresion::SetUp();
    pdfs_ = std::getenv("TESSERA_PDF_DIR");
    const char* salida = std::getenv("TESSERA_IMPRESION_SALIDA");
    salida_ = salida ? salida : pdfs_;
    fs::create_directories(Z(salida_));
    for (const auto& f : fs::directory_iterator(Z(pdfs_))) fs::remove(f.path());
    char nombre[256] = "";
    DWORD largo = sizeof nombre;
    ASSERT_TRUE(GetDefaultPrinterA(nombre, &largo));
    // The printable page, where it lies on the sheet, and the sheet.
    DCCreado dc(CreateDCA(nullptr, nombre, nullptr, nullptr));
    const int medidas[] = {HORZRES, VERTRES, PHYSICALOFFSETX, PHYSICALOFFSETY, PHYSICALWIDTH, PHYSICALHEIGHT};
    for (int i = 0; i < 6; ++i) medida_[i] = GetDeviceCaps(dc.Get(), medidas[i]);
  }

  // Prints `ruta` with the wait window up, then turns the PDF into a
  // 50 dpi PNG with pdftoppm; both are kept in the output folder. Wine
  // starts a Unix program with no handle to wait on: the PNG is renamed
  // into place once whole.
  void Imprimir(const std::string& ruta, int32_t indice, const std::string& nombre) {
    HWND espera = MostrarEspera(padre_);
    bool sinImpresora = true;
    EXPECT_TRUE(ImprimirImagen(espera, indice, ruta.c_str(), &sinImpresora));
    EXPECT_FALSE(sinImpresora);
    EXPECT_EQ(Marcas(), "xxxxx");
    SendMessageA(espera, WM_CLOSE, 0, 0);
    const fs::path pdf = EsperarPdf(pdfs_, 30000);
    ASSERT_FALSE(pdf.empty()) << "no page came out";
    const std::string base = salida_ + "/" + nombre;
    ASSERT_TRUE(CopyFileW(pdf.wstring().c_str(), Z(base + ".pdf").c_str(), FALSE));
    std::string orden = "/bin/sh -c \"pdftoppm -r 50 -png -singlefile '" + base + ".pdf' '" + base + ".tmp' && mv '" +
                        base + ".tmp.png' '" + base + ".png'\"";
    DeleteFileW(Z(base + ".png").c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessA(nullptr, orden.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    for (int i = 0; i < 200 && GetFileAttributesW(Z(base + ".png").c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(100);
    png_ = std::make_unique<Gdiplus::Bitmap>(Z(base + ".png").c_str());
    ASSERT_EQ(png_->GetLastStatus(), Gdiplus::Ok);
  }

  // Share of the area's pixels that are not near white, judged well inside
  // its edges so a printer's rounding cannot move a check off its part.
  double Tinta(const AreaPagina& a, double borde) {
    const double sx = png_->GetWidth() / static_cast<double>(medida_[4]);
    const double sy = png_->GetHeight() / static_cast<double>(medida_[5]);
    const double bx = a.tamaño.x * borde, by = a.tamaño.y * borde;
    int n = 0, tinta = 0;
    for (INT y = static_cast<INT>((medida_[3] + a.posicion.y + by) * sy);
         y < static_cast<INT>((medida_[3] + a.posicion.y + a.tamaño.y - by) * sy); ++y)
      for (INT x = static_cast<INT>((medida_[2] + a.posicion.x + bx) * sx);
           x < static_cast<INT>((medida_[2] + a.posicion.x + a.tamaño.x - bx) * sx); ++x, ++n) {
        Gdiplus::Color c;
        png_->GetPixel(x, y, &c);
        tinta += c.GetR() < 235 || c.GetG() < 235 || c.GetB() < 235;
      }
    return n ? static_cast<double>(tinta) / n : -1;
  }

  void Comprobar(Punto imagen, bool conTexto) {
    const PaginaImpresion p = CalcularPaginaImpresion({medida_[0], medida_[1]}, imagen);
    EXPECT_GT(Tinta(p.cabecera, 0.02), 0.05) << "header";
    EXPECT_GT(Tinta(p.pie, 0.02), 0.02) << "footer";
    for (const BandaImpresion& b : p.bandas) EXPECT_TRUE(!b.filas || Tinta(b.destino, 0.1) > 0.9) << b.primeraFila;
    // The name's line and the description's first three.
    const double nombre = Tinta({p.nombre.posicion, {p.nombre.tamaño.x, p.altoFuenteNombre}}, 0.02);
    const double texto = Tinta({p.texto.posicion, {p.texto.tamaño.x, 3 * p.altoFuenteTexto}}, 0.02);
    EXPECT_TRUE(conTexto ? nombre > 0.02 && texto > 0.05 : nombre < 0.001 && texto < 0.001) << nombre << " " << texto;
  }

  static inline ULONG_PTR ficha_ = 0;
  std::string pdfs_, salida_;
  int medida_[6] = {};
  std::unique_ptr<Gdiplus::Bitmap> png_;
};

TEST_F(ImpresionCups, AShippedPictureMakesAPageWithItsBannersBandsNameAndText) {
  EXPECT_EQ(medida_[0], 2479);  // A4 at 300 dpi, as the printer was set up
  ArchivoBMP archivo;
  ASSERT_TRUE(archivo.Abrir(Imagen(1).c_str()));
  ASSERT_NO_FATAL_FAILURE(Imprimir(Imagen(1), 0, "tarjeta-1"));
  Comprobar(archivo.Tamaño(), true);
}

TEST_F(ImpresionCups, ATrueColourPictureWithoutItsCardPrintsAlone) {
  ASSERT_NO_FATAL_FAILURE(Imprimir(bmp_(300, 200, 24), -1, "color"));
  Comprobar({300, 200}, false);
}

TEST_F(ImpresionCups, APictureThatCannotBeReadWholePrintsNothing) {
  for (const std::string& ruta : {bmp_(640, 480, 8, 100), bmp_(8, 8, 8, 0, 1), bmp_(2, 2, 4), Imagen(99),
                                  std::string(300, 'a')}) {
    bool sinImpresora = true;
    EXPECT_FALSE(ImprimirImagen(nullptr, 0, ruta.c_str(), &sinImpresora)) << ruta;
    EXPECT_FALSE(sinImpresora) << ruta;
  }
  EXPECT_TRUE(EsperarPdf(pdfs_, 4000).empty());
}

}  // namespace
