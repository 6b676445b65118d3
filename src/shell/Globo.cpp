// CWNDGLOBO: made when the pointer has rested on a picture button with a
// tooltip, owned by the button's top-level window, destroyed when the
// pointer leaves or presses; shows the button's name on the game's paper.
#include "Globo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "ComunVentanas.h"
#include "Escala.h"
#include "Globales.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDGLOBO";
// Designed measures: the letters, the paper around them, the frame, and
// how far below the pointer's tip the label starts (clear of the arrow).
constexpr int32_t kAltoFuente = 16, kMargenX = 6, kMargenY = 3, kMarco = 1, kBajoPuntero = 20;
constexpr char kSeparador = '|';
constexpr int kLargoTexto = 1000;
// The pointer's watch while it is on a button: its resting time and its leaving.
constexpr UINT kPeriodoVigilancia = 50;
constexpr UINT kPausaSinSistema = 400, kLadoSinSistema = 4;  // ms, pixels: the system's own defaults

struct Boton {
  WNDPROC anterior = nullptr;
  int32_t texto = 0;
  int linea = 0;
};
std::map<HWND, Boton> g_botones;

// The button the pointer is on, where and when its rest began, and whether
// this visit has had its tooltip (shown, or pressed away).
HWND g_boton = nullptr;
POINT g_inicio{};
DWORD g_desde = 0;
bool g_visto = false;
UINT_PTR g_vigilancia = 0;
HWND g_globo = nullptr;
ObjetoGDI<HFONT> g_fuente;

UINT Pausa() {
  UINT ms = 0;
  if (!SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &ms, 0) || ms == 0) ms = kPausaSinSistema;
  return ms;
}

// Half the system's hover rectangle along one axis.
LONG Holgura(UINT parametro) {
  UINT lado = 0;
  if (!SystemParametersInfoA(parametro, 0, &lado, 0) || lado == 0) lado = kLadoSinSistema;
  return static_cast<LONG>(lado / 2);
}

// Line `linea` of the text, in the current language; empty when it has none.
std::string Linea(int32_t texto, int linea) {
  char todo[kLargoTexto];
  CargarTexto(texto, todo, sizeof todo);
  const char* p = todo;
  for (int i = 0; i < linea && p; ++i) {
    p = std::strchr(p, kSeparador);
    if (p) ++p;
  }
  if (!p) return {};
  const char* fin = std::strchr(p, kSeparador);
  return fin ? std::string(p, fin) : std::string(p);
}

void Quitar() {
  if (g_globo) DestroyWindow(g_globo);
  g_globo = nullptr;
  g_fuente = ObjetoGDI<HFONT>();
}

void Olvidar() {
  Quitar();
  g_boton = nullptr;
  if (g_vigilancia) KillTimer(nullptr, g_vigilancia);
  g_vigilancia = 0;
}

// Beside the pointer, below it where the screen has room, else above it.
void Mostrar() {
  const auto it = g_botones.find(g_boton);
  if (it == g_botones.end()) return;
  const std::string texto = Linea(it->second.texto, it->second.linea);
  if (texto.empty()) return;
  g_fuente = ObjetoGDI<HFONT>(CrearFuente(Esc(kAltoFuente), FW_BOLD));
  SIZE t{};
  {
    DCPantalla dc;
    Seleccion fuente(dc.Get(), g_fuente.Get());
    GetTextExtentPoint32A(dc.Get(), texto.c_str(), static_cast<int>(texto.size()), &t);
  }
  const int ancho = t.cx + 2 * Esc(kMargenX + kMarco), alto = t.cy + 2 * Esc(kMargenY + kMarco);
  const int anchoPantalla = GetSystemMetrics(SM_CXSCREEN), altoPantalla = GetSystemMetrics(SM_CYSCREEN);
  POINT p;
  GetCursorPos(&p);
  int x = std::max(0, std::min(static_cast<int>(p.x), anchoPantalla - ancho));
  int y = p.y + Esc(kBajoPuntero);
  if (y + alto > altoPantalla) y = std::max(0, static_cast<int>(p.y) - Esc(kMarco) - alto);
  g_globo = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClase, texto.c_str(), WS_POPUP, x, y, ancho, alto,
                            GetAncestor(g_boton, GA_ROOT), nullptr, arranque.instancia, nullptr);
  if (g_globo) SetWindowPos(g_globo, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  g_visto = true;
}

void CALLBACK Vigilar(HWND, UINT, UINT_PTR, DWORD) {
  POINT p;
  GetCursorPos(&p);
  if (!g_boton || !IsWindowVisible(g_boton) || WindowFromPoint(p) != g_boton) {
    Olvidar();
    return;
  }
  if (!g_visto && GetTickCount() - g_desde >= Pausa()) Mostrar();
}

// The rest starts again wherever the pointer strays beyond the system's
// hover rectangle.
void Movimiento(HWND boton) {
  POINT p;
  GetCursorPos(&p);
  if (boton != g_boton) {
    Olvidar();
    g_boton = boton;
    g_visto = false;
    g_inicio = p;
    g_desde = GetTickCount();
    g_vigilancia = SetTimer(nullptr, 0, kPeriodoVigilancia, Vigilar);
    return;
  }
  if (g_visto) return;
  if (std::abs(p.x - g_inicio.x) > Holgura(SPI_GETMOUSEHOVERWIDTH) || std::abs(p.y - g_inicio.y) > Holgura(SPI_GETMOUSEHOVERHEIGHT)) {
    g_inicio = p;
    g_desde = GetTickCount();
  }
}

void Pulsado(HWND boton) {
  if (boton != g_boton) return;
  Quitar();
  g_visto = true;
}

LRESULT CALLBACK ProcBoton(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto it = g_botones.find(hwnd);
  if (it == g_botones.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const WNDPROC anterior = it->second.anterior;
  switch (msg) {
    case WM_MOUSEMOVE: Movimiento(hwnd); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: Pulsado(hwnd); break;
    case WM_NCDESTROY:
      if (hwnd == g_boton) Olvidar();
      SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(anterior));
      g_botones.erase(it);
      break;
    default: break;
  }
  return CallWindowProcA(anterior, hwnd, msg, wParam, lParam);
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  RECT r{};
  GetClientRect(hwnd, &r);
  ObjetoGDI<HBRUSH> marco(CreateSolidBrush(kColorMarcoGlobo)), papel(CreateSolidBrush(kColorPapelGlobo));
  FillRect(pintura.Hdc(), &r, marco.Get());
  const int m = Esc(kMarco);
  const RECT dentro{r.left + m, r.top + m, r.right - m, r.bottom - m};
  FillRect(pintura.Hdc(), &dentro, papel.Get());
  char texto[kLargoTexto];
  const int largo = GetWindowTextA(hwnd, texto, sizeof texto);
  Seleccion fuente(pintura.Hdc(), g_fuente.Get());
  SetBkMode(pintura.Hdc(), TRANSPARENT);
  SetTextColor(pintura.Hdc(), kColorTintaGlobo);
  TextOutA(pintura.Hdc(), Esc(kMarco + kMargenX), Esc(kMarco + kMargenY), texto, largo);
  return 0;
}

// The pointer passes through it to whatever lies beneath.
LRESULT CALLBACK ProcGlobo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarGlobo(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcGlobo, .estilo = CS_SAVEBITS});
}

void PonerGlobo(HWND boton, int32_t texto, int linea) {
  if (!boton) return;
  auto& b = g_botones[boton];
  b.texto = texto;
  b.linea = linea;
  if (!b.anterior)
    b.anterior = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(boton, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcBoton)));
}

HWND VentanaGlobo() { return g_globo; }
