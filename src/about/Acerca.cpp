// CWNDACERCA: the one window of about.exe, created by WinMain and gone at the
// first click or key. Shows the game's name, version and credits on a paper
// card in a walnut frame with brass trim, beside four jigsaw pieces.
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "CarpetaDatos.h"
#include "Escala.h"
#include "ObjetosGDI.h"
#include "TextosAcerca.h"
#include "ValoresConfiguracion.h"
#include "VersionTessera.h"

namespace {

constexpr char kClase[] = "CWNDACERCA";
constexpr char kNombre[] = "Tessera Puzzle";
constexpr char kNumeroVersion[] = TESSERA_VERSION_TEXTO;
// Designed measures: the card is drawn at the game's interface factor.
constexpr int kAncho = 560;
constexpr int kAlto = 350;
constexpr int kMarco = 18;  // walnut and brass around the paper card

// The game's desk: walnut, cream paper and ink, brass, felt, sealing wax.
constexpr COLORREF kNogalOscuro = RGB(62, 38, 22);
constexpr COLORREF kNogal = RGB(104, 66, 38);
constexpr COLORREF kNogalClaro = RGB(146, 98, 58);
constexpr COLORREF kPapel = RGB(243, 233, 210);
constexpr COLORREF kPapelSombra = RGB(214, 199, 168);
constexpr COLORREF kTinta = RGB(43, 29, 18);
constexpr COLORREF kLaton = RGB(201, 162, 39);
constexpr COLORREF kLatonClaro = RGB(240, 214, 120);
constexpr COLORREF kLatonOscuro = RGB(128, 98, 22);
constexpr COLORREF kFieltro = RGB(47, 93, 58);
constexpr COLORREF kRojoSello = RGB(150, 40, 32);

// The game's language: what its language window stored in Tessera.ini,
// in the folder the game keeps the player's files in (found by the game's
// own rule from the folder both programs live in).
int32_t IdiomaDelJuego() {
  char ruta[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, ruta, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return kIdiomaInicial;
  const std::string programa(ruta, std::string_view(ruta, n).rfind('\\') + 1);
  const std::string ini = CarpetaDatosJuego(programa, false) + kArchivoConfiguracion;
  char texto[6] = "";
  GetPrivateProfileStringA(kSeccionConfiguracion, "Idioma", "", texto, sizeof texto, ini.c_str());
  return IdiomaDeTexto(texto);
}

// The text at `base` in the language, or in English where it has none.
std::string Texto(int base, int32_t idioma) {
  char b[256];
  int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(base + idioma), b, sizeof b);
  if (n <= 0) n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(base + kIdiomaInicial), b, sizeof b);
  return std::string(b, n > 0 ? static_cast<size_t>(n) : 0);
}

struct Credito {
  std::string quien, que;
};
struct Textos {
  std::string titulo, version, licencia, pie;
  Credito creditos[3];
};
Textos textos;

void CargarTextos(int32_t idioma) {
  textos.titulo = Texto(kAcercaTitulo, idioma);
  textos.version = Texto(kAcercaVersion, idioma) + " " + kNumeroVersion;
  const std::string equipo = Texto(kAcercaEquipo, idioma);
  textos.creditos[0] = {Texto(kAcercaDiseno, idioma), equipo};
  textos.creditos[1] = {Texto(kAcercaImagenes, idioma), equipo};
  textos.creditos[2] = {Texto(kAcercaLetras, idioma), Texto(kAcercaFuentes, idioma)};
  textos.licencia = Texto(kAcercaLicencia, idioma);
  textos.pie = Texto(kAcercaPie, idioma);
}

// An object selected into a DC for the length of a scope.
class Seleccion {
 public:
  Seleccion(HDC dc, HGDIOBJ objeto) : dc_(dc), anterior_(SelectObject(dc, objeto)) {}
  ~Seleccion() { SelectObject(dc_, anterior_); }
  Seleccion(const Seleccion&) = delete;
  Seleccion& operator=(const Seleccion&) = delete;

 private:
  HDC dc_;
  HGDIOBJ anterior_;
};

// A memory DC for the length of a scope.
class DCMemoria {
 public:
  explicit DCMemoria(HDC compatible) : h_(CreateCompatibleDC(compatible)) {}
  ~DCMemoria() {
    if (h_) DeleteDC(h_);
  }
  DCMemoria(const DCMemoria&) = delete;
  DCMemoria& operator=(const DCMemoria&) = delete;
  HDC Get() const { return h_; }

 private:
  HDC h_;
};

// The whole window, drawn once at creation and copied on every paint.
ObjetoGDI<HBITMAP> lamina;

COLORREF Mezcla(COLORREF a, COLORREF b, double t) {
  auto canal = [t](int x, int y) { return static_cast<BYTE>(x + (y - x) * t); };
  return RGB(canal(GetRValue(a), GetRValue(b)), canal(GetGValue(a), GetGValue(b)),
             canal(GetBValue(a), GetBValue(b)));
}

// Walnut grain straight into a top-down 32-bit DIB: bands along x that
// wander a little, from the dark to the light wood.
ObjetoGDI<HBITMAP> Madera(HDC dc) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kAncho;
  info.bmiHeader.biHeight = -kAlto;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return dib;
  auto* pixel = static_cast<uint32_t*>(bits);
  for (int y = 0; y < kAlto; ++y) {
    for (int x = 0; x < kAncho; ++x) {
      double g = y + 4.0 * std::sin(x * 0.021 + y * 0.013) + 2.0 * std::sin(x * 0.057 + 1.7);
      double v = 0.5 + 0.25 * std::sin(g * 0.55) + 0.15 * std::sin(g * 1.9 + 0.7) + 0.1 * std::sin(g * 0.13);
      COLORREF c = v < 0.5 ? Mezcla(kNogalOscuro, kNogal, v * 2) : Mezcla(kNogal, kNogalClaro, (v - 0.5) * 2);
      pixel[y * kAncho + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }
  }
  return dib;
}

void Rectangulo(HDC dc, RECT r, COLORREF color) {
  ObjetoGDI<HBRUSH> brocha(CreateSolidBrush(color));
  FillRect(dc, &r, brocha.Get());
}

// A brass band: body, light on the top and left, shadow on the bottom and right.
void Laton(HDC dc, RECT r, int grosor) {
  Rectangulo(dc, r, kLaton);
  Rectangulo(dc, {r.left, r.top, r.right, r.top + 1}, kLatonClaro);
  Rectangulo(dc, {r.left, r.top, r.left + 1, r.bottom}, kLatonClaro);
  Rectangulo(dc, {r.left, r.bottom - 1, r.right, r.bottom}, kLatonOscuro);
  Rectangulo(dc, {r.right - 1, r.top, r.right, r.bottom}, kLatonOscuro);
  RECT dentro{r.left + grosor, r.top + grosor, r.right - grosor, r.bottom - grosor};
  Rectangulo(dc, {dentro.left - 1, dentro.top - 1, dentro.right + 1, dentro.top}, kLatonOscuro);
  Rectangulo(dc, {dentro.left - 1, dentro.top - 1, dentro.left, dentro.bottom + 1}, kLatonOscuro);
  Rectangulo(dc, {dentro.left - 1, dentro.bottom, dentro.right + 1, dentro.bottom + 1}, kLatonClaro);
  Rectangulo(dc, {dentro.right, dentro.top - 1, dentro.right + 1, dentro.bottom + 1}, kLatonClaro);
}

// A pen whose width grows with the drawing's scale, as a thin one would not.
ObjetoGDI<HPEN> Pluma(int ancho, COLORREF color) {
  const LOGBRUSH trazo{BS_SOLID, color, 0};
  return ObjetoGDI<HPEN>(ExtCreatePen(PS_GEOMETRIC | PS_SOLID, ancho, &trazo, 0, nullptr));
}

void Clavo(HDC dc, int x, int y) {
  ObjetoGDI<HBRUSH> cuerpo(CreateSolidBrush(kLaton));
  ObjetoGDI<HPEN> borde = Pluma(1, kLatonOscuro);
  Seleccion b(dc, cuerpo.Get());
  Seleccion p(dc, borde.Get());
  Ellipse(dc, x - 4, y - 4, x + 5, y + 5);
  Rectangulo(dc, {x - 2, y - 1, x, y}, kLatonClaro);
  Rectangulo(dc, {x - 1, y - 2, x, y - 1}, kLatonClaro);
}

// One side of a piece, from `desde` along `paso` (the side's length and
// direction), bulging along the unit `normal`: `salida` is +1 for a tab, -1
// for a blank and 0 for a straight border side. Adds to the open path.
struct PuntoD {
  double x, y;
};

void Lado(HDC dc, PuntoD desde, PuntoD paso, PuntoD normal, int salida) {
  const double l = std::hypot(paso.x, paso.y);
  // (t, n): t along the side and n outwards, both in side lengths.
  auto en = [&](double t, double n) {
    return POINT{static_cast<LONG>(std::lround(desde.x + paso.x * t + normal.x * n * l * salida)),
                 static_cast<LONG>(std::lround(desde.y + paso.y * t + normal.y * n * l * salida))};
  };
  if (salida != 0) {
    // The round head: centre (0.5, kCentro), radius kRadio; the neck meets it
    // kCuello radians either side of the point nearest the side.
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kCentro = 0.25, kRadio = 0.17, kCuello = kPi / 6;
    const double sx = kRadio * std::sin(kCuello), sn = kCentro - kRadio * std::cos(kCuello);
    POINT base = en(0.38, 0);
    LineTo(dc, base.x, base.y);
    POINT ida[3] = {en(0.41, 0.03), en(0.44, 0.06), en(0.5 - sx, sn)};
    PolyBezierTo(dc, ida, 3);
    // The long way round through the far side, in Bezier quarters.
    const int partes = 4;
    const double desdeA = -kPi / 2 - kCuello, d = -(2 * kPi - 2 * kCuello) / partes;
    const double k = 4.0 / 3.0 * std::tan(d / 4);
    for (int i = 0; i < partes; ++i) {
      double a0 = desdeA + d * i, a1 = a0 + d;
      POINT arco[3] = {
          en(0.5 + kRadio * (std::cos(a0) - k * std::sin(a0)), kCentro + kRadio * (std::sin(a0) + k * std::cos(a0))),
          en(0.5 + kRadio * (std::cos(a1) + k * std::sin(a1)), kCentro + kRadio * (std::sin(a1) - k * std::cos(a1))),
          en(0.5 + kRadio * std::cos(a1), kCentro + kRadio * std::sin(a1)),
      };
      PolyBezierTo(dc, arco, 3);
    }
    POINT vuelta[3] = {en(0.56, 0.06), en(0.59, 0.03), en(0.62, 0)};
    PolyBezierTo(dc, vuelta, 3);
  }
  POINT fin = en(1, 0);
  LineTo(dc, fin.x, fin.y);
}

// Piece (fila, columna) of a 2 x 2 puzzle with side `s` and top-left (x, y).
// The inner sides are shared, so the four pieces lock into each other.
void Pieza(HDC dc, int fila, int columna, double x, double y, double s, COLORREF color,
           COLORREF linea = kTinta) {
  // Tab (+1) of the left/top piece into the right/bottom one along each inner side.
  const int vertical[2] = {+1, -1};   // between the columns, per row
  const int horizontal[2] = {-1, +1};  // between the rows, per column
  int arriba = fila == 1 ? -horizontal[columna] : 0;
  int abajo = fila == 0 ? horizontal[columna] : 0;
  int izquierda = columna == 1 ? -vertical[fila] : 0;
  int derecha = columna == 0 ? vertical[fila] : 0;

  BeginPath(dc);
  MoveToEx(dc, static_cast<int>(x), static_cast<int>(y), nullptr);
  Lado(dc, {x, y}, {s, 0}, {0, -1}, arriba);
  Lado(dc, {x + s, y}, {0, s}, {1, 0}, derecha);
  Lado(dc, {x + s, y + s}, {-s, 0}, {0, 1}, abajo);
  Lado(dc, {x, y + s}, {0, -s}, {-1, 0}, izquierda);
  CloseFigure(dc);
  EndPath(dc);

  ObjetoGDI<HBRUSH> relleno(CreateSolidBrush(color));
  ObjetoGDI<HPEN> borde = Pluma(2, linea);
  Seleccion b(dc, relleno.Get());
  Seleccion p(dc, borde.Get());
  StrokeAndFillPath(dc);
}

void Piezas(HDC dc, int x, int y) {
  constexpr double s = 58;
  // The last piece is still on its way in, with its shadow on the paper.
  Pieza(dc, 0, 0, x, y, s, kFieltro);
  Pieza(dc, 0, 1, x + s, y, s, kLaton);
  Pieza(dc, 1, 0, x, y + s, s, kNogalClaro);
  Pieza(dc, 1, 1, x + s + 14, y + s + 16, s, kPapelSombra, kPapelSombra);
  Pieza(dc, 1, 1, x + s + 10, y + s + 11, s, kRojoSello);
}

ObjetoGDI<HFONT> Letra(int alto, int peso, bool cursiva, DWORD familia) {
  return ObjetoGDI<HFONT>(CreateFontA(-alto, 0, 0, 0, peso, cursiva, FALSE, FALSE, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                      VARIABLE_PITCH | familia, ""));
}

// Draws `texto` word-wrapped into the band from `y` between `izquierda` and
// `derecha`; returns the y below it.
int Escribir(HDC dc, const std::string& texto, HFONT letra, COLORREF color, int izquierda, int derecha, int y,
             UINT formato = DT_LEFT) {
  Seleccion s(dc, letra);
  SetTextColor(dc, color);
  RECT r{izquierda, y, derecha, y};
  const int largo = static_cast<int>(texto.size());
  DrawTextA(dc, texto.c_str(), largo, &r, formato | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
  r.left = izquierda;
  r.right = derecha;
  DrawTextA(dc, texto.c_str(), largo, &r, formato | DT_WORDBREAK | DT_NOPREFIX);
  return r.bottom;
}

void PintarContenido(HDC dc) {
  {
    DCMemoria madera(dc);
    ObjetoGDI<HBITMAP> grano = Madera(dc);
    if (grano) {
      Seleccion s(madera.Get(), grano.Get());
      BitBlt(dc, 0, 0, kAncho, kAlto, madera.Get(), 0, 0, SRCCOPY);
    } else {
      Rectangulo(dc, {0, 0, kAncho, kAlto}, kNogal);
    }
  }
  Laton(dc, {kMarco - 7, kMarco - 7, kAncho - kMarco + 7, kAlto - kMarco + 7}, 4);
  RECT tarjeta{kMarco - 3, kMarco - 3, kAncho - kMarco + 3, kAlto - kMarco + 3};
  Rectangulo(dc, tarjeta, kPapel);
  RECT filete{tarjeta.left + 6, tarjeta.top + 6, tarjeta.right - 6, tarjeta.bottom - 6};
  {
    ObjetoGDI<HPEN> pluma = Pluma(1, kPapelSombra);
    Seleccion p(dc, pluma.Get());
    Seleccion b(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, filete.left, filete.top, filete.right, filete.bottom);
  }
  for (int x : {6, kAncho - 7})
    for (int y : {6, kAlto - 7}) Clavo(dc, x, y);

  Piezas(dc, 52, 104);

  SetBkMode(dc, TRANSPARENT);
  const int izquierda = 214, derecha = kAncho - 38;
  ObjetoGDI<HFONT> titulo = Letra(34, FW_BOLD, false, FF_ROMAN);
  ObjetoGDI<HFONT> version = Letra(17, FW_NORMAL, false, FF_ROMAN);
  ObjetoGDI<HFONT> etiqueta = Letra(13, FW_BOLD, false, FF_SWISS);
  ObjetoGDI<HFONT> valor = Letra(15, FW_NORMAL, false, FF_SWISS);
  ObjetoGDI<HFONT> pie = Letra(13, FW_NORMAL, true, FF_SWISS);

  int y = Escribir(dc, kNombre, titulo.Get(), kNogalOscuro, izquierda - 6, derecha, 40);
  y = Escribir(dc, textos.version, version.Get(), kTinta, izquierda, derecha, y + 2);
  y += 12;
  Rectangulo(dc, {izquierda, y, derecha, y + 2}, kLaton);
  Rectangulo(dc, {izquierda, y + 2, derecha, y + 3}, kLatonOscuro);
  y += 14;
  for (const Credito& c : textos.creditos) {
    y = Escribir(dc, c.quien, etiqueta.Get(), kNogal, izquierda, derecha, y);
    y = Escribir(dc, c.que, valor.Get(), kTinta, izquierda, derecha, y + 1) + 10;
  }
  Escribir(dc, textos.licencia, pie.Get(), kNogal, izquierda, derecha, y - 9);
  Escribir(dc, textos.pie, pie.Get(), kNogal, filete.left, filete.right, filete.bottom - 26, DT_CENTER);
}

// ---- Window procedure ------------------------------------------------------

// The designed card drawn `EscalaInterfaz()` times over: every shape and
// letter at the screen's own resolution, the wood's grain enlarged.
void PintarEscalado(HDC dc) {
  const int k = EscalaInterfaz();
  if (k > 1 && SetGraphicsMode(dc, GM_ADVANCED)) {
    const XFORM escala{static_cast<FLOAT>(k), 0, 0, static_cast<FLOAT>(k), 0, 0};
    SetWorldTransform(dc, &escala);
  }
  PintarContenido(dc);
  ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
}

LRESULT OnCreate(HWND hwnd) {
  HDC pantalla = GetDC(hwnd);
  lamina = ObjetoGDI<HBITMAP>(CreateCompatibleBitmap(pantalla, Esc(kAncho), Esc(kAlto)));
  if (lamina) {
    DCMemoria dc(pantalla);
    Seleccion s(dc.Get(), lamina.Get());
    PintarEscalado(dc.Get());
  }
  ReleaseDC(hwnd, pantalla);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  if (lamina) {
    DCMemoria origen(dc);
    Seleccion s(origen.Get(), lamina.Get());
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, origen.Get(), r.left, r.top, SRCCOPY);
  } else {
    PintarEscalado(dc);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

LRESULT Cerrar(HWND hwnd) {
  DestroyWindow(hwnd);
  return 0;
}

LRESULT OnDestroy() {
  lamina = ObjetoGDI<HBITMAP>();
  PostQuitMessage(0);
  return 0;
}

LRESULT CALLBACK ProcAcerca(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return 1;  // the paint covers everything
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR: return Cerrar(hwnd);
    case WM_DESTROY: return OnDestroy();
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int) {
  WNDCLASSA clase{};
  clase.lpfnWndProc = ProcAcerca;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  if (!RegisterClassA(&clase)) return 1;

  CargarTextos(IdiomaDelJuego());
  const int anchoPantalla = GetSystemMetrics(SM_CXSCREEN), altoPantalla = GetSystemMetrics(SM_CYSCREEN);
  // The game's factor, worked out the same way.
  int dpi = kDpiDiseño;
  if (HDC pantalla = GetDC(nullptr)) {
    dpi = GetDeviceCaps(pantalla, LOGPIXELSY);
    ReleaseDC(nullptr, pantalla);
  }
  FijarEscalaInterfaz(FactorInterfaz(dpi, anchoPantalla, altoPantalla));
  const int x = (anchoPantalla - Esc(kAncho)) / 2, y = (altoPantalla - Esc(kAlto)) / 2;
  HWND hwnd = CreateWindowExA(0, kClase, textos.titulo.c_str(), WS_POPUP, x, y, Esc(kAncho), Esc(kAlto), nullptr,
                              nullptr, instancia, nullptr);
  if (!hwnd) return 1;
  // The game starts us with show value 0 (hidden). SetWindowPos is not
  // steered by the starter's show value the way the first ShowWindow is.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd);
  UpdateWindow(hwnd);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
