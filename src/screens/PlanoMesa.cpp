// CWNDPLANO: created hidden by the main window, which owns it; shows the
// whole table in miniature under a title bar, the view's place in brass.
// A press on the miniature moves the view; elsewhere it moves the window.
#include "PlanoMesa.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "ArrastreVentana.h"
#include "BarraTitulo.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "Lupa.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Puzzle.h"
#include "VistaMesa.h"

namespace {

constexpr char kClase[] = "CWNDPLANO";
constexpr int kIdCerrar = 10;
constexpr int kTextoPlano = 880;  // + language
constexpr int kAnchoTeselaBarra = 30, kAltoBarra = 31;  // the title bar, from the boxes' picture
// The miniature's place, as the magnifier's picture, and the window's
// margins around it; the window's distance from the table's corner.
constexpr int kXArea = 4, kYArea = 35, kMargenAncho = 8, kMargenAlto = 39;
constexpr int kSeparacion = 8;
// The view's frame: brass, as the hint's ring (blue, green, red).
constexpr int kGrosorMarco = 2;
constexpr uint8_t kLaton[3] = {39, 162, 201};
// Around a narrow table, where the miniature shows none.
constexpr uint32_t kColorFuera = 0x28180D;  // 0xRRGGBB
// A changed table is drawn again at most this often; a pop-up delays
// the overview's own showing.
constexpr UINT_PTR kTemporizadorMesa = 1, kTemporizadorMostrar = 2;
constexpr UINT kEsperaMesa = 100, kEsperaMostrar = 250;

HWND g_plano = nullptr;
HWND g_cerrar = nullptr;
std::unique_ptr<ControlDC> g_barra, g_imagenCerrar;
ObjetoGDI<HFONT> g_fuente;
ArrastreVentana g_arrastre;

// The table in the miniature, its pixels (24-bit top-down rows) and the
// same with the frame, as painted.
Vista g_mini;
std::vector<uint8_t> g_pixeles, g_lienzo;
int32_t g_paso = 0;
bool g_sucia = true;
bool g_esperaMesa = false;
// The game the overview last showed itself for.
uint32_t g_generacion = 0;
bool g_mostradoAlguna = false;

// A press on the miniature moves the view: the window pixel of the table
// window that stays under the pointer.
bool g_navegando = false;
Punto g_agarre;

RECT Area() { return {Esc(kXArea), Esc(kYArea), Esc(kXArea) + g_mini.ancho, Esc(kYArea) + g_mini.alto}; }

// A table larger than its window, seen through the view.
bool MesaGrande() {
  const Board& mesa = puzzle.boards[kTable];
  const Vista& v = VistaMesa();
  return puzzle.Exists() && mesa.HasImage() && v.anchoMesa == mesa.Width() && v.altoMesa == mesa.Height() &&
         EscalaTodo(v) < 1.0;
}

// The window and its miniature for the table the view shows, its top
// right corner kept where it is.
void Disponer() {
  const Vista& v = VistaMesa();
  if (v.anchoMesa == g_mini.anchoMesa && v.altoMesa == g_mini.altoMesa && g_mini.ancho > 0) return;
  const POINT t = TamañoLupa(v.anchoMesa, v.altoMesa);
  g_mini = VistaInicial(v.anchoMesa, v.altoMesa, t.x, t.y);
  g_mini.escala = EscalaTodo(g_mini);
  Limitar(g_mini);
  g_paso = (t.x * 3 + 3) & ~3;
  g_sucia = true;
  RECT r;
  GetWindowRect(g_plano, &r);
  const int ancho = t.x + Esc(kMargenAncho);
  SetWindowPos(g_plano, nullptr, r.right - ancho, r.top, ancho, t.y + Esc(kMargenAlto),
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(g_cerrar, nullptr, std::max(0L, t.x - Esc(22)), 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(g_plano, nullptr, TRUE);
}

// The whole table at the miniature's scale, from its copies.
void HacerMiniatura() {
  g_sucia = false;
  g_pixeles.assign(static_cast<size_t>(g_paso) * std::max(0, g_mini.alto), 0);
  const Board& mesa = puzzle.boards[kTable];
  if (g_pixeles.empty() || !mesa.HasImage() || mesa.Width() != g_mini.anchoMesa || mesa.Height() != g_mini.altoMesa)
    return;
  static const CopiasReducidas kSinCopias;
  (mesa.withCopies ? mesa.copies : kSinCopias)
      .Pintar(mesa.Image(), g_mini, {0, 0, g_mini.ancho, g_mini.alto}, g_pixeles.data(), g_paso, kColorFuera);
}

// The view's place in the miniature, drawn into the painted copy.
void PintarMarco() {
  g_lienzo = g_pixeles;
  const Vista& v = VistaMesa();
  const RectMesa vista = RectAMesa(v, {0, 0, v.ancho, v.alto});
  const RectMesa m = RectAVentana(g_mini, vista);
  const int32_t x0 = std::max(0, m.x), y0 = std::max(0, m.y);
  const int32_t x1 = std::min(g_mini.ancho, m.x + m.ancho), y1 = std::min(g_mini.alto, m.y + m.alto);
  const int32_t g = Esc(kGrosorMarco);
  for (int32_t y = y0; y < y1; ++y)
    for (int32_t x = x0; x < x1; ++x) {
      if (x >= m.x + g && x < m.x + m.ancho - g && y >= m.y + g && y < m.y + m.alto - g) {
        x = m.x + m.ancho - g - 1;  // the inside is left as it is
        continue;
      }
      std::copy(kLaton, kLaton + 3, g_lienzo.begin() + static_cast<int64_t>(y) * g_paso + x * 3);
    }
}

// The table point under client point p of the miniature (its pixel's middle).
Punto MesaEn(POINT p) {
  const RECT a = Area();
  const auto eje = [](int32_t o, LONG i, double escala, int32_t lado) {
    return std::clamp(static_cast<int32_t>(std::floor((o + i + 0.5) / escala)), 0, lado - 1);
  };
  return {eje(g_mini.origen.x, p.x - a.left, g_mini.escala, g_mini.anchoMesa),
          eje(g_mini.origen.y, p.y - a.top, g_mini.escala, g_mini.altoMesa)};
}

void Navegar(POINT p) {
  Vista v = VistaMesa();
  Colocar(v, MesaEn(p), g_agarre);
  if (v.origen.x != VistaMesa().origen.x || v.origen.y != VistaMesa().origen.y) FijarVistaMesa(v);
}

// Shown for a table larger than its window the first time in a game (once
// no pop-up is open); hidden for one its window holds.
void Evaluar() {
  if (!g_plano) return;
  if (!MesaGrande()) {
    if (IsWindowVisible(g_plano)) OcultarFlotante(g_plano);
    return;
  }
  Disponer();
  if (g_mostradoAlguna && g_generacion == PuzzleGeneration()) return;
  if (!IsWindowEnabled(ventanaPrincipal)) {
    SetTimer(g_plano, kTemporizadorMostrar, kEsperaMostrar, nullptr);
    return;
  }
  g_generacion = PuzzleGeneration();
  g_mostradoAlguna = true;
  MostrarFlotante(g_plano, false);
}

void AlCambiarVista(const Vista&) {
  if (!g_plano) return;
  Evaluar();
  if (IsWindowVisible(g_plano)) {
    const RECT a = Area();
    InvalidateRect(g_plano, &a, FALSE);
  }
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
  g_barra = CargarImagenArchivo(227);
  g_imagenCerrar = CargarImagenArchivo(225);
  g_cerrar = CrearControl("COVCOMMAND", hwnd, cs->cx - Esc(30), 0, kIdCerrar, ImagenDe(g_imagenCerrar));
  g_fuente = ObjetoGDI<HFONT>(CrearFuente(Esc(20), FW_BOLD));
  g_mini = Vista{};
  g_sucia = true;
  return 0;
}

LRESULT OnDestroy() {
  std::vector<uint8_t>().swap(g_pixeles);
  std::vector<uint8_t>().swap(g_lienzo);
  g_barra.reset();
  g_imagenCerrar.reset();
  g_fuente = ObjetoGDI<HFONT>();
  g_navegando = g_esperaMesa = false;
  OlvidarFlotante(g_plano);
  g_plano = nullptr;
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  RECT cliente;
  GetClientRect(hwnd, &cliente);
  char titulo[64] = "";
  GetWindowTextA(hwnd, titulo, sizeof titulo);
  PintarBarraTitulo(pintura.Hdc(), pintura.Rect(), ImagenDe(g_barra), Esc(kAnchoTeselaBarra), Esc(kAltoBarra),
                    g_fuente.Get(), titulo, cliente.right - AnchoImagen(g_imagenCerrar));
  if (g_mini.ancho < 1 || g_mini.alto < 1) return 0;
  // A changed table waits for its timer: a long drag pays once a tenth.
  if ((g_sucia && !g_esperaMesa) || g_pixeles.size() != static_cast<size_t>(g_paso) * g_mini.alto) HacerMiniatura();
  PintarMarco();
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), g_mini.ancho, -g_mini.alto, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBitsToDevice(pintura.Hdc(), Esc(kXArea), Esc(kYArea), static_cast<DWORD>(g_mini.ancho),
                    static_cast<DWORD>(g_mini.alto), 0, 0, 0, static_cast<UINT>(g_mini.alto), g_lienzo.data(), &bi,
                    DIB_RGB_COLORS);
  return 0;
}

LRESULT OnTimer(HWND hwnd, UINT_PTR id) {
  KillTimer(hwnd, id);
  if (id == kTemporizadorMostrar) {
    Evaluar();
  } else if (id == kTemporizadorMesa) {
    g_esperaMesa = false;
    const RECT a = Area();
    InvalidateRect(hwnd, &a, FALSE);
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, POINT p) {
  if (g_navegando || g_arrastre.Moviendo()) return 0;
  const RECT a = Area();
  if (!PtInRect(&a, p) || !MesaGrande()) return g_arrastre.Atender(hwnd, WM_LBUTTONDOWN, 0);
  // On the frame the view moves with the pointer; elsewhere it comes
  // there first, centred.
  const Vista& v = VistaMesa();
  const Punto t = MesaEn(p);
  const Punto w = MesaAVentana(v, t);
  g_agarre = w.x >= 0 && w.y >= 0 && w.x < v.ancho && w.y < v.alto ? w : Punto{v.ancho / 2, v.alto / 2};
  g_navegando = true;
  SetCapture(hwnd);
  Navegar(p);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, POINT p) {
  if (!g_navegando) return g_arrastre.Atender(hwnd, WM_MOUSEMOVE, 0);
  Navegar(p);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd) {
  if (!g_navegando) return g_arrastre.Atender(hwnd, WM_LBUTTONUP, 0);
  g_navegando = false;
  ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, HWND nueva) {
  if (nueva != hwnd) g_navegando = false;
  return g_arrastre.Atender(hwnd, WM_CAPTURECHANGED, reinterpret_cast<LPARAM>(nueva));
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control == g_cerrar && codigo == kNotifActivado) SendMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

POINT PuntoDe(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

LRESULT CALLBACK ProcPlano(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_TIMER: return OnTimer(hwnd, wParam);
    case WM_CLOSE: OcultarFlotante(hwnd); return 0;
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, PuntoDe(lParam));
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, PuntoDe(lParam));
    case WM_LBUTTONUP: return OnLButtonUp(hwnd);
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, reinterpret_cast<HWND>(lParam));
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarPlano(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcPlano, .fondoNegro = true});
}

void CrearPlano(HWND principal) {
  const int ancho = Esc(240 + kMargenAncho), alto = Esc(180 + kMargenAlto);
  const int x = Esc(kXTablero) + arranque.anchoTablero - ancho - Esc(kSeparacion);
  g_plano = CreateWindowExA(0, kClase, "", WS_POPUP, x, Esc(kAltoTitulo + kSeparacion), ancho, alto, principal,
                            nullptr, arranque.instancia, nullptr);
  RegistrarFlotante(g_plano);
  OirVistaMesa(AlCambiarVista);
}

HWND VentanaPlano() { return g_plano; }

void CambiarIdiomaPlano() {
  if (!g_plano) return;
  char titulo[64];
  CargarTexto(kTextoPlano, titulo, sizeof titulo);
  SetWindowTextA(g_plano, titulo);
  InvalidateRect(g_plano, nullptr, FALSE);
}

void ActualizarPlano() {
  if (!g_plano) return;
  g_sucia = true;
  Evaluar();
  InvalidateRect(g_plano, nullptr, FALSE);
}

void MesaCambiadaPlano(RectMesa) {
  if (!g_plano) return;
  g_sucia = true;
  if (g_esperaMesa || !IsWindowVisible(g_plano)) return;
  g_esperaMesa = true;
  SetTimer(g_plano, kTemporizadorMesa, kEsperaMesa, nullptr);
}

void AlternarPlano() {
  if (!g_plano || !MesaGrande()) return;
  if (IsWindowVisible(g_plano)) {
    OcultarFlotante(g_plano);
  } else {
    Disponer();
    MostrarFlotante(g_plano, false);
  }
}

RECT AreaPlano() { return Area(); }

const Vista& VistaPlano() { return g_mini; }
