// Animation and text controls: layout, ticks, the transparent mode, fonts
// and the text buffer.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "Animacion.h"
#include "Captura.h"
#include "ControlDC.h"
#include "EtiquetaTexto.h"
#include "PadrePrueba.h"

namespace {

using ControlesAnim = PadrePrueba;

TEST_F(ControlesAnim, WholeStripIsOneFrameUntilRowsAndColumnsArrive) {
  Imagen tira = NuevaImagen(200, 30);
  HWND a = Crear("COVANIM");
  Enviar(a, kMsgPonerImagen, LPARAM(tira.get()));
  EXPECT_EQ(Tamaño(a), Medida(200, 30));
  Enviar(a, kMsgAnimPonerColumnas, 10);
  EXPECT_EQ(Tamaño(a), Medida(20, 30));
  Enviar(a, kMsgAnimPonerFilas, 3);
  EXPECT_EQ(Tamaño(a), Medida(20, 10));
  EXPECT_EQ(Enviar(a, kMsgAnimPonerCuadro, 29), 1);
  EXPECT_EQ(Pixel(a, 0, 0), Gris(180 + 20)) << "frame 29 starts at (180, 20)";
  EXPECT_EQ(Enviar(a, kMsgAnimPonerCuadro, 30), 0);
  EXPECT_EQ(g_verificados, Mensajes{"Numero de Cuadro enviado al Animation es invalido"});
  Enviar(a, kMsgAnimPonerFilas, 1);
  EXPECT_EQ(Enviar(a, kMsgAnimObtenerCuadro), 0) << "frame 29 left the grid";
  EXPECT_EQ(Pixel(a, 0, 0), Gris(0));
}

TEST_F(ControlesAnim, TicksOnlyOnceReadyAndAnyLayoutStopsThem) {
  Imagen tira = NuevaImagen(40, 10);
  HWND a = Crear("COVANIM");
  Enviar(a, kMsgAnimCorrer, 1);
  EXPECT_EQ(Enviar(a, kMsgAnimObtenerCorriendo), 0);
  Enviar(a, kMsgPonerImagen, LPARAM(tira.get()));
  Enviar(a, kMsgAnimPonerIntervalo, 50);
  Enviar(a, kMsgAnimCorrer, 1);
  Bombear(260);
  ASSERT_GE(g_avisos.size(), 2u);
  EXPECT_EQ(g_avisos, Avisos(a, std::vector<int>(g_avisos.size(), 5)));
  Enviar(a, kMsgAnimPonerColumnas, 4);
  EXPECT_EQ(Enviar(a, kMsgAnimObtenerCorriendo), 0);
  g_avisos.clear();
  Bombear(150);
  EXPECT_EQ(g_avisos, std::vector<Aviso>{});
  Enviar(a, kMsgAnimPonerIntervalo, 40);
  EXPECT_EQ(g_verificados, Mensajes{"tiempo para el intervalo del timer demasiado bajo"});
  EXPECT_EQ(Enviar(a, kMsgAnimObtenerIntervalo), 40) << "kept all the same";
}

TEST_F(ControlesAnim, TransparentIsReadyOnlyOverABackgroundOfOneFrame) {
  // One 20 x 20 frame over its mask: the left half lets the background
  // through, the right half is sprite grey 100.
  Imagen tira = NuevaImagen(20, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 20; ++x) FilaHIMAGE(tira.get(), y)[x] = uint8_t(y < 20 ? (x < 10 ? 0 : 100) : (x < 10 ? 255 : 0));
  ControlDC fondo(true);
  ASSERT_TRUE(fondo.AjustarTamaño(30, 20, true));
  HWND a = Crear("COVANIM");
  Enviar(a, kMsgAnimPonerTransparente, 1);
  Enviar(a, kMsgPonerImagen, LPARAM(tira.get()));
  EXPECT_EQ(Enviar(a, kMsgAnimPonerFondo, LPARAM(fondo.Hdc())), 1);
  EXPECT_EQ(Tamaño(a), Medida(50, 50)) << "not ready";

  ASSERT_TRUE(fondo.AjustarTamaño(20, 20, true));
  PatBlt(fondo.Hdc(), 0, 0, 20, 20, WHITENESS);
  Enviar(a, kMsgAnimPonerFondo, LPARAM(fondo.Hdc()));
  EXPECT_EQ(Tamaño(a), Medida(20, 20));
  const COLORREF visto = Pixel(a, 2, 5);  // white, taken as the strip's nearest grey
  EXPECT_EQ(visto, Gris(GetRValue(visto)));
  EXPECT_GE(GetRValue(visto), 248);
  EXPECT_EQ(Pixel(a, 15, 5), Gris(100));
}

using ControlesTexto = PadrePrueba;

TEST_F(ControlesTexto, SizedToTheWiderFontPlusTheShadowOnceItHasAllItNeeds) {
  const char* texto = "Puzzle Tessera";  // its ends keep their ink within their advances
  Imagen fondo = NuevaImagen(500, 400);
  HWND t = Crear("COVTXT");
  Enviar(t, kMsgTextoPoner, LPARAM(texto));
  Enviar(t, kMsgTextoPonerAltoFuente, 24);
  Enviar(t, kMsgTextoPonerDelaySombra, 3);
  Enviar(t, kMsgPonerImagen, LPARAM(fondo.get()));
  EXPECT_EQ(Tamaño(t), Medida(50, 50)) << "no face name yet";
  Enviar(t, kMsgTextoPonerFuente, LPARAM(""));
  const Medida normal = Extension(texto, 24, 400), negrita = Extension(texto, 24, 700);
  ASSERT_GT(negrita.first, normal.first) << "the test needs a bold face wider than the normal one";
  const Medida esperada{std::max(normal.first, negrita.first) + 3, std::max(normal.second, negrita.second) + 3};
  EXPECT_EQ(Tamaño(t), esperada);
  Apuntar(t, 2, 2);
  EXPECT_EQ(g_avisos, Avisos(t, {2}));
  EXPECT_EQ(Tamaño(t), esperada) << "hovering never resizes";
  Enviar(t, kMsgTextoPonerDelaySombra, 21);
  EXPECT_EQ(g_verificados, Mensajes{"delay de la sombra fuera de rango"});
  EXPECT_EQ(Tamaño(t).first, esperada.first + 18) << "kept and used all the same";
}

TEST_F(ControlesTexto, TextComesOutCutToTheBufferAndBadTextsAreRefused) {
  HWND t = Crear("COVTXT");
  ASSERT_EQ(Enviar(t, kMsgTextoPoner, LPARAM("abc")), 1);
  char cuatro[] = "wxyz!", tres[] = "wxy!";
  EXPECT_EQ(Enviar(t, kMsgTextoCopiar, LPARAM(cuatro), 4), 4);
  EXPECT_EQ(std::memcmp(cuatro, "abc\0!", 5), 0);
  EXPECT_EQ(Enviar(t, kMsgTextoCopiar, LPARAM(tres), 3), 3);
  EXPECT_EQ(std::memcmp(tres, "abc!", 4), 0);

  const std::string largo(200, 'x'), justo(199, 'y'), cara(100, 'z');
  EXPECT_EQ(Enviar(t, kMsgTextoPoner, LPARAM(largo.c_str())), 0);
  EXPECT_EQ(Enviar(t, kMsgTextoPonerFuente, LPARAM(cara.c_str())), 0);
  EXPECT_EQ(g_verificados, (Mensajes{"Este buffer probablemente es invalido (¿no es NULL terminated?)",
                                     "Este buffer probablemente es invalido (no es NULL terminated)"}));
  char copia[300] = {};
  Enviar(t, kMsgTextoCopiar, LPARAM(copia), sizeof copia);
  EXPECT_STREQ(copia, "abc") << "the refused texts left the old one";
  EXPECT_EQ(Enviar(t, kMsgTextoPoner, LPARAM(justo.c_str())), 1);
  EXPECT_EQ(Enviar(t, kMsgTextoCopiar, LPARAM(copia), sizeof copia), 200);
}

// Pixels `texto` touches when drawn alone, black on white, in the control's
// face (its faintest edge pixels too).
long TintaSola(const char* texto, int alto) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -120, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  ObjetoGDI<HFONT> fuente(CreateFontA(alto, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, ""));
  HDC dc = CreateCompatibleDC(nullptr);
  {
    Seleccion s(dc, dib.Get());
    Seleccion f(dc, fuente.Get());
    PatBlt(dc, 0, 0, 400, 120, WHITENESS);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 40, 20, texto, lstrlenA(texto));
    GdiFlush();
  }
  DeleteDC(dc);
  long n = 0;
  for (int i = 0; i < 400 * 120; ++i) n += (static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF) != 0xFFFFFF;
  return n;
}

// A j that starts a text reaches left of its pen position and an f that
// ends it beyond its advance: the control still shows all the ink the text
// has when drawn alone.
TEST_F(ControlesTexto, NoInkIsCutAtEitherEnd) {
  Imagen fondo = NuevaImagen(500, 400);
  std::memset(PixelesHIMAGE(fondo.get()), 255, static_cast<size_t>(StrideHIMAGE(fondo.get()) * 400));
  for (const char* texto : {"jiff", "jf", "fjord", "Tessera"})
    for (int alto : {18, 30}) {
      HWND t = Crear("COVTXT");
      Enviar(t, kMsgTextoPonerColor, RGB(0, 0, 0));
      Enviar(t, kMsgTextoPonerAltoFuente, alto);
      Enviar(t, kMsgTextoPonerFuente, LPARAM(""));
      Enviar(t, kMsgTextoPoner, LPARAM(texto));
      Enviar(t, kMsgPonerImagen, LPARAM(fondo.get()));
      UpdateWindow(t);
      const Medida m = Tamaño(t);
      const long tinta = Contar(t, {0, 0, m.first, m.second}, [](uint32_t c) { return c != 0xFFFFFF; });
      EXPECT_EQ(tinta, TintaSola(texto, alto)) << texto << " " << alto;
      DestroyWindow(t);
    }
}

}  // namespace
