#include "Progreso.h"

#include <algorithm>

#include "ComunVentanas.h"
#include "Escala.h"
#include "Globales.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDPROGRESO";
constexpr DWORD kEspera = 500;      // ms of work before the window shows
constexpr DWORD kRepintado = 50;    // ms between repaints at most
constexpr int kAncho = 320, kAlto = 96;
constexpr int kMarco = 4, kXBarra = 24, kYBarra = 56, kAltoBarra = 16;
// The game's paper, walnut and brass.
constexpr COLORREF kPapel = RGB(255, 240, 200);
constexpr COLORREF kNogal = RGB(92, 58, 33);
constexpr COLORREF kLaton = RGB(201, 162, 39);
constexpr COLORREF kHueco = RGB(232, 214, 170);

struct Estado {
  TrabajoLargo* actual = nullptr;
  int32_t texto = 0;
  DWORD inicio = 0, pintado = 0;
  double fraccion = 0;
  HWND ventana = nullptr;
};
Estado g;

void Rellenar(HDC dc, RECT r, COLORREF c) {
  ObjetoGDI<HBRUSH> pincel(CreateSolidBrush(c));
  FillRect(dc, &r, pincel.Get());
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  RECT c;
  GetClientRect(hwnd, &c);
  Rellenar(p.Hdc(), c, kNogal);
  const int m = Esc(kMarco);
  Rellenar(p.Hdc(), {m, m, c.right - m, c.bottom - m}, kPapel);
  char texto[128] = "";
  GetWindowTextA(hwnd, texto, sizeof texto);
  ObjetoGDI<HFONT> fuente(CrearFuente(Esc(20), FW_BOLD));
  const HGDIOBJ antes = SelectObject(p.Hdc(), fuente.Get());
  SetBkMode(p.Hdc(), TRANSPARENT);
  SetTextColor(p.Hdc(), kNogal);
  RECT t{Esc(kXBarra), Esc(14), c.right - Esc(kXBarra), Esc(kYBarra) - Esc(4)};
  DrawTextA(p.Hdc(), texto, -1, &t, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
  SelectObject(p.Hdc(), antes);
  // The bar: a walnut outline, the done part in brass.
  const RECT barra{Esc(kXBarra), Esc(kYBarra), c.right - Esc(kXBarra), Esc(kYBarra + kAltoBarra)};
  Rellenar(p.Hdc(), barra, kNogal);
  const RECT hueco{barra.left + 2, barra.top + 2, barra.right - 2, barra.bottom - 2};
  Rellenar(p.Hdc(), hueco, kHueco);
  const LONG lleno = hueco.left + static_cast<LONG>((hueco.right - hueco.left) * std::clamp(g.fraccion, 0.0, 1.0));
  if (lleno > hueco.left) Rellenar(p.Hdc(), {hueco.left, hueco.top, lleno, hueco.bottom}, kLaton);
  return 0;
}

LRESULT CALLBACK ProcProgreso(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return 1;
    case WM_NCHITTEST: return HTNOWHERE;
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

void Mostrar() {
  const int w = Esc(kAncho), h = Esc(kAlto);
  char texto[128] = "";
  CargarTexto(g.texto, texto, sizeof texto);
  g.ventana = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClase, texto, WS_POPUP,
                              (arranque.anchoPantalla - w) / 2, (arranque.altoPantalla - h) / 2, w, h,
                              ventanaPrincipal, nullptr, arranque.instancia, nullptr);
  if (g.ventana) ShowWindow(g.ventana, SW_SHOWNOACTIVATE);
}

}  // namespace

bool RegistrarProgreso(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcProgreso});
}

TrabajoLargo::TrabajoLargo(int32_t textoBase) : anterior_(g.actual) {
  // Work inside work keeps the outer one's window and text.
  if (anterior_) return;
  g.actual = this;
  g.texto = textoBase;
  g.inicio = GetTickCount();
  g.pintado = 0;
  g.fraccion = 0;
}

TrabajoLargo::~TrabajoLargo() {
  if (anterior_ || g.actual != this) return;
  g.actual = nullptr;
  if (g.ventana) DestroyWindow(g.ventana);
  g.ventana = nullptr;
}

void AvanzarTrabajo(double fraccion) {
  if (!g.actual) return;
  g.fraccion = std::max(g.fraccion, fraccion);
  const DWORD ahora = GetTickCount();
  if (ahora - g.inicio < kEspera || ahora - g.pintado < kRepintado) return;
  g.pintado = ahora;
  if (!g.ventana) Mostrar();
  if (!g.ventana) return;
  InvalidateRect(g.ventana, nullptr, FALSE);
  UpdateWindow(g.ventana);
}

HWND VentanaProgreso() { return g.ventana; }
