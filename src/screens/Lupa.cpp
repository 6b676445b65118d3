// CWNDPREVLUPA: created hidden by the main window, which owns it; shows
// the puzzle's picture under a title bar and is moved by dragging it.
#include "Lupa.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "ArchivoBMP.h"
#include "ArrastreVentana.h"
#include "BarraTitulo.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "HImage.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"

namespace {

constexpr char kClase[] = "CWNDPREVLUPA";
constexpr int kIdCerrar = 10;
constexpr int kAnchoMaximo = 240, kAltoMaximo = 180;
constexpr int kMaximoTitulo = 59;
constexpr int kTextoLupa = 120;        // + language
constexpr int kLargoTextoLupa = 90;    // the window keeps its first 59
constexpr int kAnchoTeselaBarra = 30, kAltoBarra = 31;  // the title bar, from the boxes' picture

HWND g_lupa = nullptr;
// The picture's header and colour table, and its scaled rows (empty: none).
alignas(4) uint8_t g_cabecera[kHImagenPixeles];
std::vector<uint8_t> g_pixeles;
std::unique_ptr<ControlDC> g_barra, g_imagenCerrar;
ContextoDrawDib g_drawDib(nullptr);
ObjetoGDI<HFONT> g_fuente;
HWND g_cerrar = nullptr;
char g_titulo[kMaximoTitulo + 1] = "";
ArrastreVentana g_arrastre;

CabeceraInfoBMP& Cabecera() { return *reinterpret_cast<CabeceraInfoBMP*>(g_cabecera); }

void CabeceraVacia() {
  Cabecera() = CabeceraInfoBMP{};
  Cabecera().biSize = sizeof(CabeceraInfoBMP);
  Cabecera().biWidth = Esc(kAnchoMaximo);
  Cabecera().biHeight = Esc(kAltoMaximo);
  Cabecera().biPlanes = 1;
  Cabecera().biBitCount = 8;
}

// The current picture scaled into the header and the pixels; false leaves
// no picture.
bool LeerImagen() {
  if (!imagenActual.Abierto() || !imagenActual.LeerInfo(g_cabecera)) return false;
  const POINT t = TamañoLupa(Cabecera().biWidth, std::abs(Cabecera().biHeight));
  Cabecera().biWidth = t.x;
  Cabecera().biHeight = t.y;
  Cabecera().biSizeImage = 0;
  try {
    g_pixeles.assign(static_cast<size_t>(TamañoImagen(Cabecera())), 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return imagenActual.LeerEscalado(t.x, t.y, g_pixeles.data());
}

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
  CabeceraVacia();
  g_barra = CargarImagenArchivo(227);
  g_imagenCerrar = CargarImagenArchivo(225);
  g_drawDib = ContextoDrawDib();
  g_cerrar = CrearControl("COVCOMMAND", hwnd, cs->cx - Esc(30), 0, kIdCerrar, ImagenDe(g_imagenCerrar));
  g_titulo[0] = 0;
  g_fuente = ObjetoGDI<HFONT>(CrearFuente(Esc(20), FW_BOLD));
  return 0;
}

LRESULT OnDestroy() {
  std::vector<uint8_t>().swap(g_pixeles);
  g_barra.reset();
  g_imagenCerrar.reset();
  g_drawDib.Cerrar();
  g_fuente = ObjetoGDI<HFONT>();
  OlvidarFlotante(g_lupa);
  g_lupa = nullptr;
  return 0;
}

LRESULT OnSetText(HWND hwnd, const char* texto) {
  lstrcpynA(g_titulo, texto ? texto : "", sizeof g_titulo);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 1;
}

LRESULT OnGetText(WPARAM tamaño, char* destino) {
  if (!destino || tamaño == 0) return 0;
  lstrcpynA(destino, g_titulo, static_cast<int>(std::min<WPARAM>(tamaño, sizeof g_titulo)));
  return lstrlenA(destino);
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  RECT cliente;
  GetClientRect(hwnd, &cliente);
  PintarBarraTitulo(pintura.Hdc(), pintura.Rect(), ImagenDe(g_barra), Esc(kAnchoTeselaBarra), Esc(kAltoBarra),
                    g_fuente.Get(), g_titulo, cliente.right - AnchoImagen(g_imagenCerrar));
  if (!g_pixeles.empty())
    DrawDibDraw(g_drawDib.Get(), pintura.Hdc(), Esc(4), Esc(35), Cabecera().biWidth, Cabecera().biHeight,
                reinterpret_cast<BITMAPINFOHEADER*>(g_cabecera), g_pixeles.data(), 0, 0, Cabecera().biWidth,
                Cabecera().biHeight, 0);
  return 0;
}

LRESULT OnPaleta(HWND hwnd) {
  DCVentana dc(hwnd);
  DrawDibRealize(g_drawDib.Get(), dc.Get(), FALSE);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control == g_cerrar && codigo == kNotifActivado) SendMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT CALLBACK ProcLupa(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return OnGetText(wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: return lstrlenA(g_titulo);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_CLOSE: OcultarFlotante(hwnd); return 0;
    case WM_LBUTTONDOWN: g_arrastre.Presionar(hwnd); return 0;
    case WM_MOUSEMOVE: g_arrastre.Mover(hwnd); return 0;
    case WM_LBUTTONUP: g_arrastre.Soltar(); return 0;
    case WM_CAPTURECHANGED: g_arrastre.CapturaPerdida(hwnd, reinterpret_cast<HWND>(lParam)); return 0;
    case WM_QUERYNEWPALETTE: return OnPaleta(hwnd);
    case WM_PALETTECHANGED: return reinterpret_cast<HWND>(wParam) == hwnd ? 0 : OnPaleta(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarLupa(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcLupa, .fondoNegro = true});
}

void CrearLupa(HWND principal) {
  g_lupa = CreateWindowExA(0, kClase, "", WS_POPUP, Esc(AnchoPantallaDiseño() / 4), Esc(AltoPantallaDiseño() / 2),
                           Esc(240), Esc(211), principal, nullptr, arranque.instancia, nullptr);
  RegistrarFlotante(g_lupa);
}

HWND VentanaLupa() { return g_lupa; }

void CambiarIdiomaLupa() {
  if (!g_lupa) return;
  char titulo[kLargoTextoLupa + 1];
  CargarTexto(kTextoLupa, titulo, sizeof titulo);
  SetWindowTextA(g_lupa, titulo);
}

POINT TamañoLupa(int w, int h) {
  if (w < 1 || h < 1) return {1, 1};
  // The picture is scaled from its own pixels to the window's real size.
  const int64_t anchoMaximo = Esc(kAnchoMaximo), altoMaximo = Esc(kAltoMaximo);
  const double escala = static_cast<int64_t>(h) * anchoMaximo / w <= altoMaximo
                            ? static_cast<double>(anchoMaximo) / w
                            : static_cast<double>(altoMaximo) / h;
  return {std::clamp(static_cast<LONG>(w * escala), 1L, static_cast<LONG>(anchoMaximo)),
          std::clamp(static_cast<LONG>(h * escala), 1L, static_cast<LONG>(altoMaximo))};
}

void ActualizarLupa() {
  if (!g_lupa) return;
  OcultarVentana(g_lupa);
  std::vector<uint8_t>().swap(g_pixeles);
  if (!LeerImagen()) {
    std::vector<uint8_t>().swap(g_pixeles);
    CabeceraVacia();
  }
  const int ancho = Cabecera().biWidth, alto = Cabecera().biHeight;
  SetWindowPos(g_lupa, nullptr, 0, 0, ancho + Esc(8), alto + Esc(39), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(g_cerrar, nullptr, ancho - Esc(22), 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(g_lupa, nullptr, TRUE);
}
