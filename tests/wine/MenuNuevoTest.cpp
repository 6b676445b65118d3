// The new-puzzle window in-process: the real main window, the real window
// opened as the title strip opens it, its controls clicked with the real
// pointer, and picture folders made for each case.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../native/BmpSintetico.h"
#include "Animacion.h"
#include "Captura.h"
#include "ArchivoBMP.h"
#include "BotonCheck.h"
#include "Captura.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Deslizamiento.h"
#include "Desplazador.h"
#include "DisenoVentanas.h"
#include "EtiquetaTexto.h"
#include "Globales.h"
#include "ProgramaPrueba.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "MiniaturaImagen.h"
#include "NewPuzzleParams.h"
#include "Puzzle.h"
#include "VentanaPrincipal.h"
#include "VistaImagen.h"

namespace {

namespace fs = std::filesystem;




bool Visible(HWND h) { return h && IsWindowVisible(h); }

std::string Texto(HWND etiqueta) {
  char b[32] = "";
  SendMessageA(etiqueta, kMsgTextoCopiar, sizeof b, reinterpret_cast<LPARAM>(b));
  return b;
}

LRESULT Valor(HWND desplazador) { return SendMessageA(desplazador, kMsgDespObtenerValor, 0, 0); }

class MenuNuevo : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { PrepararPrograma(); }

  void SetUp() override {
    std::strcpy(programa_, arranque.carpeta.c_str());
    CrearVentanaPrincipal();
    ASSERT_NE(ventanaPrincipal, nullptr);
    Bombear();
  }
  void TearDown() override {
    ReleaseCapture();
    if (HWND vista = VentanaVistaImagen()) DestroyWindow(vista);
    if (ventanaMensaje) DestroyWindow(ventanaMensaje);
    if (HWND v = VentanaMenuNuevo()) DestroyWindow(v);
    if (ventanaPrincipal) DestroyWindow(ventanaPrincipal);
    Bombear(60);
    ClosePuzzle(false);
    CambiarCarpetaPrograma(programa_);
    if (!carpeta_.empty()) fs::remove_all(carpeta_);
  }

  // The program's folder becomes a fresh one whose Image\ holds `nombres`
  // (8-bit 200 x 150 pictures unless `hacer` says otherwise).
  void Carpeta(const std::vector<std::string>& nombres,
               void (*hacer)(const std::string& nombre, BmpSintetico& b) = nullptr) {
    carpeta_ = fs::temp_directory_path() / ("tessera-nuevo-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(carpeta_);
    fs::create_directories(carpeta_ / "Image");
    for (const std::string& n : nombres) {
      BmpSintetico b;
      b.ancho = 200, b.alto = 150;
      if (hacer) hacer(n, b);
      const auto bytes = b.Bytes();
      std::ofstream(carpeta_ / "Image" / n, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    const std::string ruta = carpeta_.string() + "\\";
    ASSERT_LT(ruta.size(), 200u);
    CambiarCarpetaPrograma(ruta.c_str());
  }

  static void Abrir() {
    AbrirMenuNuevo();
    Bombear();
    ASSERT_NE(VentanaMenuNuevo(), nullptr);
  }
  static HWND C(ControlNuevo c) { return ControlMenuNuevo(c); }
  // Pumps until the page slide is over; the milliseconds it took.
  static DWORD EsperarPagina() {
    const DWORD inicio = GetTickCount();
    while (PaginaDeslizando() && GetTickCount() - inicio < 5000) Bombear(5);
    return GetTickCount() - inicio;
  }
  // Page `k` by its tab, once it has slid up.
  static void IrAPagina(int k) {
    Clic(PestañaMenuNuevo(k));
    EsperarPagina();
  }
  // The tab's click as the tab reports it, with no message pumped.
  static void NotificarPestaña(int k) {
    SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(PestañaMenuNuevo(k)));
  }
  static std::string Elegida() {
    char ruta[300] = "";
    imagenActual.Ruta(ruta, sizeof ruta);
    const std::string r = ruta;
    return r.substr(r.find_last_of('\\') + 1);
  }

  char programa_[300] = "";
  fs::path carpeta_;
};

// ---- Opening, closing and the shipped pictures -------------------------------

TEST_F(MenuNuevo, OpensCentredOverADisabledMainWindowOnTheFirstPicture) {
  Abrir();
  HWND v = VentanaMenuNuevo();
  RECT r{};
  GetWindowRect(v, &r);
  EXPECT_NEAR(r.left + r.right, arranque.anchoPantalla, 1);
  EXPECT_NEAR(r.top + r.bottom, arranque.altoPantalla, 1);
  EXPECT_EQ(GetWindow(v, GW_OWNER), ventanaPrincipal);
  EXPECT_FALSE(IsWindowEnabled(ventanaPrincipal));
  EXPECT_EQ(PaginaMenuNuevo(), 0);

  // The shipped pictures in number order, the first one chosen and open.
  EXPECT_EQ(CantidadImagenes(), 15);
  EXPECT_EQ(ImagenElegida(), 0);
  EXPECT_EQ(Elegida(), "1.bmp");
  for (int i = 0; i < kMiniaturas; ++i) EXPECT_FALSE(MiniaturaVacia(MiniaturaMenuNuevo(i))) << i;
  // The labels show the grid the engine chose for it.
  EXPECT_EQ(Texto(ValorMenuNuevo(0)), std::to_string(puzzle.rows));
  EXPECT_EQ(Texto(ValorMenuNuevo(1)), std::to_string(puzzle.cols));
  EXPECT_EQ(Texto(ValorMenuNuevo(2)), std::to_string(puzzle.rows * puzzle.cols));
  EXPECT_EQ(Valor(C(ControlNuevo::desplazadorTamaño)), MenuNuevoScrollTamanoGet());

  // Close: the table stays empty and the main window usable.
  Clic(C(ControlNuevo::cerrar));
  Bombear(50);
  EXPECT_EQ(VentanaMenuNuevo(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
  EXPECT_FALSE(puzzle.Exists());
}

TEST_F(MenuNuevo, OkCutsTheChosenPictureWithTheChosenDieAndGrid) {
  Abrir();
  Clic(MiniaturaMenuNuevo(2));
  EXPECT_EQ(ImagenElegida(), 2);
  EXPECT_EQ(Elegida(), "3.bmp");
  // The count page: the scroll's lowest value gives the largest pieces.
  IrAPagina(2);
  HWND cantidad = C(ControlNuevo::desplazadorCantidad);
  ASSERT_TRUE(Visible(cantidad));
  SendMessageA(cantidad, kMsgDespPonerValor, 0, 0);
  SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(cantidad));
  EXPECT_EQ(puzzle.cols, newPuzzle.minCols);
  EXPECT_EQ(Texto(ValorMenuNuevo(1)), std::to_string(newPuzzle.minCols));
  const int32_t filas = puzzle.rows, columnas = puzzle.cols;
  // The die page: the second shape.
  IrAPagina(3);
  Clic(TroquelMenuNuevo(1));
  EXPECT_EQ(TroquelElegido(), 1);

  Clic(C(ControlNuevo::aceptar));
  Bombear(50);
  EXPECT_EQ(VentanaMenuNuevo(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
  ASSERT_TRUE(puzzle.Exists());
  EXPECT_EQ(puzzle.rows, filas);
  EXPECT_EQ(puzzle.cols, columnas);
  EXPECT_EQ(puzzle.dieId, 5001);
}

TEST_F(MenuNuevo, PagesShowOnlyTheirOwnControls) {
  Abrir();
  EXPECT_TRUE(Visible(MiniaturaMenuNuevo(0)));
  EXPECT_FALSE(Visible(C(ControlNuevo::selectorTamaño)));
  IrAPagina(1);
  EXPECT_EQ(PaginaMenuNuevo(), 1);
  EXPECT_FALSE(Visible(MiniaturaMenuNuevo(0)));
  EXPECT_FALSE(Visible(C(ControlNuevo::desplazadorImagenes)));
  for (auto c : {ControlNuevo::ajustar, ControlNuevo::natural, ControlNuevo::desplazadorTamaño,
                 ControlNuevo::selectorTamaño})
    EXPECT_TRUE(Visible(C(c)));
  // Only one tab is checked; clicking the current one changes nothing.
  EXPECT_EQ(SendMessageA(PestañaMenuNuevo(0), kMsgCheckObtenerMarcado, 0, 0), 0);
  IrAPagina(1);
  EXPECT_EQ(PaginaMenuNuevo(), 1);
  EXPECT_EQ(SendMessageA(PestañaMenuNuevo(1), kMsgCheckObtenerMarcado, 0, 0), 1);
  EXPECT_FALSE(Visible(C(ControlNuevo::giradas)));
  IrAPagina(3);
  EXPECT_FALSE(Visible(C(ControlNuevo::selectorTamaño)));
  EXPECT_TRUE(Visible(TroquelMenuNuevo(2)));
  EXPECT_TRUE(Visible(C(ControlNuevo::vistaTroquel)));
  EXPECT_TRUE(Visible(C(ControlNuevo::giradas)));
}

// A page change only starts the slide: the window answers at once and
// the new page's controls show when the page is up, after the slide's
// time and not before.
TEST_F(MenuNuevo, APageSlidesUpInItsOwnTimeWithoutHoldingTheWindow) {
  Abrir();
  const DWORD inicio = GetTickCount();
  NotificarPestaña(1);
  EXPECT_LT(GetTickCount() - inicio, kDuracionDeslizamiento / 2);
  EXPECT_EQ(PaginaMenuNuevo(), 1);
  EXPECT_TRUE(PaginaDeslizando());
  EXPECT_FALSE(Visible(MiniaturaMenuNuevo(0)));
  EXPECT_FALSE(Visible(C(ControlNuevo::selectorTamaño)));
  EsperarPagina();
  EXPECT_GE(GetTickCount() - inicio, kDuracionDeslizamiento);
  EXPECT_LT(GetTickCount() - inicio, kDuracionDeslizamiento + 2000);
  EXPECT_TRUE(Visible(C(ControlNuevo::selectorTamaño)));

  // It ends where it always did: the page area's last frame, with the new
  // controls painted over it, is what a full repaint of the window shows.
  HWND v = VentanaMenuNuevo();
  for (int pagina : {3, 2}) {
    NotificarPestaña(pagina);
    EsperarPagina();
    Bombear();
    const RECT area{105, 0, 605, 230};
    const std::vector<uint32_t> deslizada = Leer(v, area);
    RedrawWindow(v, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const std::vector<uint32_t> repintada = Leer(v, area);
    ASSERT_EQ(deslizada.size(), repintada.size());
    long distintos = 0;
    for (size_t i = 0; i < deslizada.size(); ++i) distintos += deslizada[i] != repintada[i];
    EXPECT_EQ(distintos, 0) << "page " << pagina;
  }
}

// Input during a slide: another tab finishes the running slide and starts
// its own; a press on the window finishes the slide at once.
TEST_F(MenuNuevo, InputDuringAPageSlideFinishesIt) {
  Abrir();
  NotificarPestaña(1);
  NotificarPestaña(3);
  EXPECT_EQ(PaginaMenuNuevo(), 3);
  EXPECT_TRUE(PaginaDeslizando());
  EXPECT_FALSE(Visible(C(ControlNuevo::selectorTamaño))) << "page 1 came and went";
  EXPECT_EQ(SendMessageA(PestañaMenuNuevo(1), kMsgCheckObtenerMarcado, 0, 0), 0);
  SendMessageA(VentanaMenuNuevo(), WM_LBUTTONDOWN, MK_LBUTTON, Pt(300, 100));
  SendMessageA(VentanaMenuNuevo(), WM_LBUTTONUP, 0, Pt(300, 100));
  EXPECT_FALSE(PaginaDeslizando());
  EXPECT_TRUE(Visible(TroquelMenuNuevo(0)));
  EXPECT_TRUE(Visible(C(ControlNuevo::vistaTroquel)));
  // Closed mid-slide: nothing is left running.
  NotificarPestaña(0);
  ASSERT_TRUE(PaginaDeslizando());
  SendMessageA(VentanaMenuNuevo(), WM_CLOSE, 0, 0);
  Bombear(50);
  EXPECT_EQ(VentanaMenuNuevo(), nullptr);
  EXPECT_FALSE(PaginaDeslizando());
}

// In every language the three counts, the largest too, stand on the paper:
// their ink keeps clear of the paper's right edge (605) and of the count
// scroll (ending at 410).
TEST_F(MenuNuevo, TheCountsStayOnThePaperInEveryLanguage) {
  const auto fondo = CargarImagenArchivo(224);
  const HIMAGE f = ImagenDe(fondo);
  ASSERT_TRUE(f);
  for (int32_t k = 0; k < 6; ++k) {
    idioma = k;
    Abrir();
    IrAPagina(2);
    HWND d = C(ControlNuevo::desplazadorCantidad);
    SendMessageA(d, kMsgDespPonerValor, 0, SendMessageA(d, kMsgDespObtenerMaximo, 0, 0));
    SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(d));
    Bombear(30);
    const HWND v = VentanaMenuNuevo();
    UpdateWindow(v);
    EXPECT_GE(Texto(ValorMenuNuevo(2)).size(), 3u) << k;
    int rotulos = 0;
    for (HWND h = GetWindow(v, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      char clase[16] = "";
      GetClassNameA(h, clase, sizeof clase);
      if (std::strcmp(clase, kClaseEtiquetaTexto) != 0 || !IsWindowVisible(h)) continue;
      ++rotulos;
      RECT r{};
      GetWindowRect(h, &r);
      MapWindowPoints(nullptr, v, reinterpret_cast<POINT*>(&r), 2);
      EXPECT_LE(r.right, 600) << k;
      EXPECT_GE(r.left, 412) << k;
    }
    EXPECT_EQ(rotulos, 6) << k;
    for (const RECT& banda : {RECT{600, 70, 606, 200}, RECT{410, 70, 412, 200}}) {
      const std::vector<uint32_t> p = Leer(v, banda);
      ASSERT_FALSE(p.empty());
      long distintos = 0;
      const int w = banda.right - banda.left;
      for (int y = banda.top; y < banda.bottom; ++y)
        for (int x = banda.left; x < banda.right; ++x)
          distintos += p[static_cast<size_t>((y - banda.top) * w + x - banda.left)] != ColorImagen(f, x, y);
      EXPECT_EQ(distintos, 0) << "language " << k << " at x " << banda.left;
    }
    DestroyWindow(v);
    Bombear(60);
  }
  idioma = 1;
}

TEST_F(MenuNuevo, TheDiePreviewCyclesTheShapesAndMovesTheMark) {
  Abrir();
  IrAPagina(3);
  HWND vista = C(ControlNuevo::vistaTroquel);
  for (int esperado : {1, 2, 0, 1}) {
    Clic(vista);
    EXPECT_EQ(TroquelElegido(), esperado);
    EXPECT_EQ(SendMessageA(vista, kMsgAnimObtenerCuadro, 0, 0), esperado);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(SendMessageA(TroquelMenuNuevo(i), kMsgCheckObtenerMarcado, 0, 0), i == esperado) << i;
  }
  // The chosen shape clicked again stays chosen.
  Clic(TroquelMenuNuevo(1));
  EXPECT_EQ(TroquelElegido(), 1);
  EXPECT_EQ(SendMessageA(TroquelMenuNuevo(1), kMsgCheckObtenerMarcado, 0, 0), 1);
}

TEST_F(MenuNuevo, SizeButtonsAndScrollSetTheZoomAndTheCountRange) {
  Abrir();
  IrAPagina(1);
  Clic(C(ControlNuevo::natural));
  EXPECT_DOUBLE_EQ(puzzle.scale, std::min(std::max(1.0, newPuzzle.minScale), newPuzzle.maxScale));
  // The scroll moves in steps of 2 and shows the step below.
  EXPECT_EQ(Valor(C(ControlNuevo::desplazadorTamaño)), MenuNuevoScrollTamanoGet() / 2 * 2);
  Clic(C(ControlNuevo::ajustar));
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.baseScale);
  // The scroll at its top: the largest size, the most pieces on offer.
  HWND tamaño = C(ControlNuevo::desplazadorTamaño);
  SendMessageA(tamaño, kMsgDespPonerValor, 0, 100);
  SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(tamaño));
  EXPECT_DOUBLE_EQ(puzzle.scale, newPuzzle.maxScale);
  EXPECT_EQ(SendMessageA(C(ControlNuevo::desplazadorCantidad), kMsgDespObtenerMaximo, 0, 0),
            newPuzzle.countSteps);
  EXPECT_EQ(Texto(ValorMenuNuevo(2)), std::to_string(puzzle.rows * puzzle.cols));
}

// ---- Thumbnails ---------------------------------------------------------------

// Every shipped picture's thumbnail shows that picture, on each page and
// when a page is seen again: compared with the file averaged by the test.
TEST_F(MenuNuevo, ThumbnailsShowEachPictureOnEveryVisit) {
  Abrir();
  HWND d = C(ControlNuevo::desplazadorImagenes);
  ASSERT_TRUE(Visible(d));
  RECT r{};
  GetWindowRect(d, &r);
  const int abajo = (r.bottom - r.top) / 2 - 5;
  const auto revisar = [&] {
    for (int i = 0; i < kMiniaturas; ++i) {
      const int numero = PrimeraImagenMostrada() + i + 1;
      const std::string ruta = std::string(programa_) + "Image\\" + std::to_string(numero) + ".bmp";
      ArchivoBMP archivo;
      ASSERT_TRUE(archivo.Abrir(ruta.c_str()));
      const Punto t = PictureThumbnailSize(archivo.Tamaño().x, archivo.Tamaño().y);
      const Diferencia dif = Comparar(LeerVentana(MiniaturaMenuNuevo(i)), (kAnchoMiniatura - t.x) / 2,
                                      (kAltoMiniatura - t.y) / 2, BmpPromediado(ruta, t.x, t.y));
      EXPECT_LT(dif.media, 1.0) << numero;
      EXPECT_LE(dif.mayor, 4) << numero;
    }
  };
  revisar();
  Clic(d, 0, abajo);
  revisar();
  Clic(d, 0, abajo);
  revisar();
  Clic(d, 0, -abajo);
  Clic(d, 0, -abajo);
  EXPECT_EQ(PrimeraImagenMostrada(), 0);
  revisar();
}

// The size page's miniature shows the chosen picture at the smallest, the
// fitted and the largest zoom, and follows another picture. Larger than the
// screen's table it is shown whole, with the table framed on it, inverted.
TEST_F(MenuNuevo, TheSizePageShowsThePictureAtEveryZoom) {
  Abrir();
  for (int elegida : {3, 1}) {
    IrAPagina(0);
    Clic(MiniaturaMenuNuevo(elegida));
    IrAPagina(1);
    const std::string ruta = std::string(programa_) + "Image\\" + std::to_string(elegida + 1) + ".bmp";
    HWND selector = C(ControlNuevo::selectorTamaño), tamaño = C(ControlNuevo::desplazadorTamaño);
    for (int valor : {0, 50, 100}) {
      SendMessageA(tamaño, kMsgDespPonerValor, 0, valor);
      SendMessageA(VentanaMenuNuevo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(tamaño));
      const Lamina vista = LeerVentana(selector);
      const Punto caja{vista.ancho, vista.alto};
      const Punto zoom{std::max(static_cast<int32_t>(newPuzzle.sizePicture.x * puzzle.scale), 1),
                       std::max(static_cast<int32_t>(newPuzzle.sizePicture.y * puzzle.scale), 1)};
      const double v = SizeChooserView(zoom, caja);
      EXPECT_TRUE(valor < 100 || v < 1) << elegida;  // twice the fit is larger than the table
      const Punto z{std::max(static_cast<int32_t>(zoom.x * v), 1), std::max(static_cast<int32_t>(zoom.y * v), 1)};
      const Punto o{(caja.x - z.x) / 2, (caja.y - z.y) / 2};
      auto referencia = BmpPromediado(ruta, z.x, z.y);
      if (v < 1) {
        const Punto m{static_cast<int32_t>(caja.x * v), static_cast<int32_t>(caja.y * v)};
        const Punto a{(caja.x - m.x) / 2 - o.x, (caja.y - m.y) / 2 - o.y}, b{a.x + m.x - 1, a.y + m.y - 1};
        for (int y = 0; y < z.y; ++y)
          for (int x = 0; x < z.x; ++x)
            if (((x == a.x || x == b.x) && y >= a.y && y <= b.y) || ((y == a.y || y == b.y) && x >= a.x && x <= b.x))
              referencia.p[static_cast<size_t>(y * z.x + x)] ^= 0xFFFFFF;
      }
      const Diferencia dif = Comparar(vista, o.x, o.y, referencia);
      EXPECT_LT(dif.media, 2.0) << elegida << " at " << valor;
      EXPECT_LE(dif.mayor, 48) << elegida << " at " << valor;
    }
  }
}

// The chosen thumbnail's frame is 2 pixels of black on every side of its
// picture, right and bottom too; the others show the paper there.
TEST_F(MenuNuevo, TheChosenThumbnailIsFramedOnEverySide) {
  Abrir();
  for (int i : {0, 1}) {
    const std::string ruta = std::string(programa_) + "Image\\" + std::to_string(i + 1) + ".bmp";
    ArchivoBMP archivo;
    ASSERT_TRUE(archivo.Abrir(ruta.c_str()));
    const Punto t = PictureThumbnailSize(archivo.Tamaño().x, archivo.Tamaño().y);
    const int l = (kAnchoMiniatura - t.x) / 2, a = (kAltoMiniatura - t.y) / 2, r = l + t.x, b = a + t.y;
    const Lamina v = LeerVentana(MiniaturaMenuNuevo(i));
    ASSERT_EQ(v.ancho, kAnchoMiniatura);
    for (int x : {l - 2, l - 1, r, r + 1}) EXPECT_EQ(v.En(x, (a + b) / 2) == 0, i == 0) << i << " x " << x;
    for (int y : {a - 2, a - 1, b, b + 1}) EXPECT_EQ(v.En((l + r) / 2, y) == 0, i == 0) << i << " y " << y;
  }
}

TEST_F(MenuNuevo, APressReleasedOutsideOnlyTakesTheFrameAway) {
  Abrir();
  HWND m = MiniaturaMenuNuevo(3);
  RECT r{};
  GetWindowRect(m, &r);
  SetCursorPos(r.left + 40, r.top + 60);
  SendMessageA(m, WM_LBUTTONDOWN, MK_LBUTTON, Pt(40, 60));
  EXPECT_EQ(GetCapture(), m);
  SendMessageA(m, WM_LBUTTONUP, 0, Pt(-5, 60));  // left of the thumbnail
  Bombear();
  EXPECT_NE(GetCapture(), m);
  EXPECT_EQ(ImagenElegida(), 0);
  SendMessageA(m, WM_LBUTTONDOWN, MK_LBUTTON, Pt(40, 60));
  SendMessageA(m, WM_LBUTTONUP, 0, Pt(40, 200));  // below it
  EXPECT_EQ(ImagenElegida(), 0);
}

TEST_F(MenuNuevo, ADoubleClickShowsTheChosenPictureFullScreen) {
  Abrir();
  HWND m = MiniaturaMenuNuevo(1);
  Clic(m);
  SendMessageA(m, WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(40, 60));
  SendMessageA(m, WM_LBUTTONUP, 0, Pt(40, 60));
  Bombear();
  HWND vista = VentanaVistaImagen();
  ASSERT_NE(vista, nullptr);
  EXPECT_EQ(GetWindow(vista, GW_OWNER), VentanaMenuNuevo());
  EXPECT_FALSE(IsWindowEnabled(VentanaMenuNuevo()));
  EXPECT_EQ(Elegida(), "2.bmp");
  SendMessageA(vista, WM_CHAR, 'x', 0);
  Bombear(50);
  EXPECT_EQ(VentanaVistaImagen(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(VentanaMenuNuevo()));
}

TEST_F(MenuNuevo, MorePicturesThanThumbnailsAreReachedAPageAtATime) {
  std::vector<std::string> nombres;
  for (int i = 1; i <= 12; ++i) nombres.push_back(std::to_string(i) + ".bmp");
  nombres.push_back("beach.bmp");
  Carpeta(nombres);
  Abrir();
  HWND d = C(ControlNuevo::desplazadorImagenes);
  ASSERT_TRUE(Visible(d));
  EXPECT_EQ(SendMessageA(d, kMsgDespObtenerMinimo, 0, 0), 5 - 13);
  // The lower arrow shows the next five, then the last ones.
  RECT r{};
  GetWindowRect(d, &r);
  Clic(d, 0, (r.bottom - r.top) / 2 - 5);
  EXPECT_EQ(PrimeraImagenMostrada(), 5);
  Clic(MiniaturaMenuNuevo(1));
  EXPECT_EQ(ImagenElegida(), 6);
  EXPECT_EQ(Elegida(), "7.bmp");
  Clic(d, 0, (r.bottom - r.top) / 2 - 5);
  EXPECT_EQ(PrimeraImagenMostrada(), 8);
  EXPECT_EQ(CantidadImagenes(), 13);
  Clic(MiniaturaMenuNuevo(4));
  EXPECT_EQ(Elegida(), "beach.bmp");
  // Back up: the chosen picture stays chosen while out of sight.
  Clic(d, 0, -(r.bottom - r.top) / 2 + 5);
  EXPECT_EQ(PrimeraImagenMostrada(), 3);
  EXPECT_EQ(ImagenElegida(), 12);
}

// The pager stands whole on the paper: below it the window shows its own
// wood. Its thumb (picture 221's thumb rows) goes down the track a half of
// its travel with each page of the three.
TEST_F(MenuNuevo, ThePagerStandsOnThePaperAndItsThumbFollowsThePages) {
  using namespace DisenoNuevo;
  Abrir();
  HWND v = VentanaMenuNuevo(), d = C(ControlNuevo::desplazadorImagenes);
  const auto fondo = CargarImagenArchivo(224), tira = CargarImagenArchivo(221);
  ASSERT_TRUE(Visible(d) && ImagenDe(fondo) && ImagenDe(tira));
  const Lamina w = LeerVentana(v);
  for (int y = 230; y < 250; ++y)
    for (int x = kXDesplazadorImagenes - 4; x < kXDesplazadorImagenes + 50; ++x)
      ASSERT_EQ(w.En(x, y), ColorImagen(ImagenDe(fondo), x, y)) << x << ", " << y;
  const int pulgar = 3 * kAltosDesplazador[0] + kAltosDesplazador[1];  // its frame in 221
  for (int pagina = 0; pagina < 3; ++pagina) {
    if (pagina) Clic(d, 0, 60);  // the lower arrow
    const Lamina p = LeerVentana(d);
    const int arriba = kAltosDesplazador[0] + (kAltosDesplazador[1] - kAltoPulgar) * pagina / 2;
    for (int y = 2; y < kAltoPulgar - 2; ++y)
      ASSERT_EQ(p.En(22, arriba + y), ColorImagen(ImagenDe(tira), 22, pulgar + y)) << "page " << pagina << " row " << y;
  }
}

TEST_F(MenuNuevo, FewPicturesLeaveEmptyThumbnailsThatIgnoreTheMouse) {
  Carpeta({"2.bmp", "10.bmp"});
  Abrir();
  EXPECT_EQ(C(ControlNuevo::desplazadorImagenes), nullptr);
  EXPECT_FALSE(MiniaturaVacia(MiniaturaMenuNuevo(1)));
  EXPECT_TRUE(MiniaturaVacia(MiniaturaMenuNuevo(2)));
  Clic(MiniaturaMenuNuevo(1));
  EXPECT_EQ(Elegida(), "10.bmp");
  HWND vacia = MiniaturaMenuNuevo(4);
  Clic(vacia);
  EXPECT_NE(GetCapture(), vacia);
  EXPECT_EQ(ImagenElegida(), 1);
  SendMessageA(vacia, WM_LBUTTONDBLCLK, MK_LBUTTON, Pt(40, 60));
  EXPECT_EQ(VentanaVistaImagen(), nullptr);
}

TEST_F(MenuNuevo, WithoutAnyPictureOkLeavesTheTableEmpty) {
  Carpeta({});
  Abrir();
  EXPECT_EQ(CantidadImagenes(), 0);
  EXPECT_FALSE(imagenActual.Abierto());
  IrAPagina(1);
  Clic(C(ControlNuevo::ajustar));
  Clic(C(ControlNuevo::aceptar));
  Bombear(50);
  EXPECT_EQ(VentanaMenuNuevo(), nullptr);
  EXPECT_FALSE(puzzle.Exists());
  EXPECT_TRUE(IsWindowEnabled(ventanaPrincipal));
}

// ---- Pictures of every kind in the player's folder ---------------------------------

TEST_F(MenuNuevo, AnUnreadablePictureIsNeitherShownNorChosen) {
  Carpeta({"1.bmp", "2.bmp", "3.bmp"}, [](const std::string& n, BmpSintetico& b) {
    if (n == "1.bmp") b.firma = 0x1234;  // not a BMP at all
  });
  Abrir();
  EXPECT_TRUE(MiniaturaVacia(MiniaturaMenuNuevo(0)));
  EXPECT_EQ(ImagenElegida(), 1);
  EXPECT_EQ(Elegida(), "2.bmp");
  Clic(MiniaturaMenuNuevo(0));
  EXPECT_EQ(ImagenElegida(), 1);
}

// Several files added at once, two of them refused: the good one is added
// and chosen, and one message names each refused file with its reason.
TEST_F(MenuNuevo, AddingSeveralWithTwoBadFilesNamesBothInOneMessage) {
  Carpeta({"1.bmp"});
  const fs::path fuera = carpeta_ / "fuera";
  fs::create_directories(fuera);
  std::ofstream(fuera / "nota.txt") << "not a picture";
  std::ofstream(fuera / L"\u0424\u043e\u0442\u043e rota.png", std::ios::binary) << "\x89PNG\r\n\x1a\n cut short";
  fs::copy_file(std::string(programa_) + "Image\\2.bmp", fuera / "nueva.bmp");
  Abrir();
  AgregarImagenesMenuNuevo({(fuera / "nota.txt").wstring(), (fuera / L"\u0424\u043e\u0442\u043e rota.png").wstring(),
                            (fuera / "nueva.bmp").wstring()});
  EXPECT_EQ(Elegida(), "nueva.bmp");
  ASSERT_NE(ventanaMensaje, nullptr);
  EXPECT_STREQ(TextoMensaje(), "These files were not added:");
  EXPECT_EQ(ListaMensaje(), "nota.txt: not a picture the game can read\n"
                            "\xD0\xA4\xD0\xBE\xD1\x82\xD0\xBE rota.png: damaged or incomplete");
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear(150);
  EXPECT_EQ(ventanaMensaje, nullptr) << "one message, not one per file";
  EXPECT_FALSE(fs::exists(carpeta_ / "Image" / "nota.txt"));
}

TEST_F(MenuNuevo, APictureTheCutCannotUseIsShownButOkSaysWhy) {
  Carpeta({"1.bmp"}, [](const std::string&, BmpSintetico& b) { b.bits = 4; });
  Abrir();
  ASSERT_FALSE(MiniaturaVacia(MiniaturaMenuNuevo(0)));
  ASSERT_TRUE(imagenActual.Abierto());
  Clic(C(ControlNuevo::aceptar));
  Bombear(50);
  EXPECT_NE(ventanaMensaje, nullptr);
  EXPECT_NE(VentanaMenuNuevo(), nullptr);
  EXPECT_FALSE(puzzle.Exists());
  // The answer leaves the window open for another choice.
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear(150);
  EXPECT_EQ(ventanaMensaje, nullptr);
  EXPECT_NE(VentanaMenuNuevo(), nullptr);
  EXPECT_TRUE(IsWindowEnabled(VentanaMenuNuevo()));
}

TEST_F(MenuNuevo, ThinAndTinyPicturesNeverTrapTheWindow) {
  Carpeta({"1.bmp", "2.bmp", "3.bmp"}, [](const std::string& n, BmpSintetico& b) {
    if (n == "1.bmp") b.ancho = 3000, b.alto = 2;
    if (n == "2.bmp") b.ancho = 1, b.alto = 1;
    if (n == "3.bmp") b.ancho = 2, b.alto = 2500;
  });
  Abrir();
  for (int i = 0; i < 3; ++i) {
    Clic(MiniaturaMenuNuevo(i));
    EXPECT_FALSE(MiniaturaVacia(MiniaturaMenuNuevo(i))) << i;
    EXPECT_EQ(ImagenElegida(), i);
    for (int pagina : {1, 2, 0}) IrAPagina(pagina);
    EXPECT_GE(puzzle.cols, 2);
    EXPECT_GE(puzzle.rows, 2);
  }
  // Too elongated to zoom: the size scroll has nothing to offer.
  Clic(MiniaturaMenuNuevo(0));
  EXPECT_EQ(SendMessageA(C(ControlNuevo::desplazadorTamaño), kMsgObtenerHabilitado, 0, 0), 0);
}

// ---- Turned pieces ---------------------------------------------------------------

// The die page's turned-pieces box, the settings in a folder of the test's own.
class MenuNuevoGiradas : public MenuNuevo {
 protected:
  void SetUp() override {
    fs::create_directories(datos_);
    DatosInicio d = arranque;
    d.carpetaDatos = datos_.string() + "\\";
    EscribirDatosInicio(d);
    MenuNuevo::SetUp();
    Abrir();
    IrAPagina(3);
  }
  void TearDown() override {
    MenuNuevo::TearDown();
    PonerPiezasGiradas(false);
    idioma = 1;
    fs::remove_all(datos_);
  }
  static HWND Casilla() { return C(ControlNuevo::giradas); }
  const fs::path datos_ = fs::temp_directory_path() / ("tessera-giradas-" + std::to_string(GetCurrentProcessId()));
};

// Off at first; a click reaches the cut request and Tessera.ini, and the
// next start (the memory set the other way first) takes the file's value,
// where only "1" turns the pieces.
TEST_F(MenuNuevoGiradas, AClickReachesTheCutAndTheSettingsAndTheNextStartReadsThem) {
  const std::string ini = (datos_ / "Tessera.ini").string();
  EXPECT_FALSE(PedidoCorteMenuNuevo().turned);
  Clic(Casilla());
  EXPECT_TRUE(PedidoCorteMenuNuevo().turned);
  EXPECT_EQ(GetPrivateProfileIntA("Tessera", "Turned", 9, ini.c_str()), 1u);
  for (const char* valor : {"1", "11", "0", "1"}) {
    WritePrivateProfileStringA("Tessera", "Turned", valor, ini.c_str());
    const bool esperada = std::strcmp(valor, "1") == 0;
    DestroyWindow(VentanaMenuNuevo());
    DestroyWindow(ventanaPrincipal);
    Bombear(60);
    PonerPiezasGiradas(!esperada);
    CrearVentanaPrincipal();
    Abrir();
    IrAPagina(3);
    EXPECT_EQ(SendMessageA(Casilla(), kMsgCheckObtenerMarcado, 0, 0), esperada) << valor;
    EXPECT_EQ(PedidoCorteMenuNuevo().turned, esperada) << valor;
  }
  // A file that cannot take it (a folder in its place) is told over the
  // new-puzzle window, which the answer gives back; the choice holds.
  fs::remove(ini);
  fs::create_directories(ini);
  Clic(Casilla());
  ASSERT_NE(ventanaMensaje, nullptr);
  SendMessageA(ventanaMensaje, WM_CHAR, VK_RETURN, 0);
  Bombear(150);
  EXPECT_TRUE(IsWindowEnabled(VentanaMenuNuevo()) && !IsWindowEnabled(ventanaPrincipal));
  EXPECT_FALSE(PedidoCorteMenuNuevo().turned);
}

// Unchecked, then checked, the box is the test's own drawing pixel for
// pixel: picture 187's frame on page 224 where it stands, then the words in
// the count captions' font 6 pixels after it, centred on its height. In
// every language the words stand whole on the paper: drawn wider, they put
// no ink past the button.
TEST_F(MenuNuevoGiradas, UncheckedAndCheckedAreTheirDrawingAndTheWordsFitInEveryLanguage) {
  using namespace DisenoNuevo;
  const auto fondo = CargarImagenArchivo(224), caja = CargarImagenArchivo(187);
  const auto mirar = [&](int cuadro, const char* texto) {
    SetCursorPos(0, 0);
    Bombear(200);
    const Lamina vista = LeerVentana(Casilla());
    const int ancho = vista.ancho + 40, lado = AnchoImagen(caja);
    ASSERT_EQ(vista.alto, lado);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), ancho, -lado, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t* p = nullptr;
    ObjetoGDI<HBITMAP> dib(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&p), nullptr, 0));
    std::vector<uint32_t> pagina;
    for (int y = 0; y < lado; ++y)
      for (int x = 0; x < ancho; ++x)
        pagina.push_back(x < lado ? ColorImagen(ImagenDe(caja), x, cuadro * lado + y)
                                  : ColorImagen(ImagenDe(fondo), kXGiradas + x, kYGiradas + y));
    std::copy(pagina.begin(), pagina.end(), p);
    DCCreado dc(CreateCompatibleDC(nullptr));
    ObjetoGDI<HFONT> fuente(CrearFuente(kAltoRotulo, 700));
    {
      Seleccion s(dc.Get(), dib.Get()), f(dc.Get(), fuente.Get());
      TEXTMETRICA t{};
      GetTextMetricsA(dc.Get(), &t);
      SetBkMode(dc.Get(), TRANSPARENT);
      TextOutA(dc.Get(), lado + 6, (lado - t.tmHeight) / 2, texto, static_cast<int>(std::strlen(texto)));
      GdiFlush();
    }
    Lamina ref{ancho, lado, std::vector<uint32_t>(p, p + ancho * lado)};
    for (uint32_t& c : ref.p) c &= 0xFFFFFF;
    EXPECT_EQ(Comparar(vista, 0, 0, ref, 0).mayor, 0) << texto << ", look " << cuadro;
    for (int i = 0; i < ancho * lado; ++i)
      if (i % ancho >= vista.ancho) {
        ASSERT_EQ(ref.p[i], pagina[i]) << texto << " is cut short";
      }
  };
  mirar(0, "Turned pieces");
  Clic(Casilla());
  for (int32_t k = 0; k < 6; ++k) {
    idioma = k;
    DestroyWindow(VentanaMenuNuevo());
    Abrir();
    IrAPagina(3);
    char texto[100] = "";
    LoadStringA(arranque.instancia, static_cast<UINT>(850 + k), texto, sizeof texto);
    mirar(2, texto);
  }
}

}  // namespace
