// CWNDBACK: created by CrearVentanaPrincipal at the end of the intro; lives
// until the program ends. Its children make the play screen; what they leave
// uncovered is the walnut the table is set into.
#include "VentanaPrincipal.h"

#include <memory>

#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "Cajas.h"
#include "ComunVentanas.h"
#include "Compositor.h"
#include "Configuracion.h"
#include "Controles.h"
#include "Globales.h"
#include "Globo.h"
#include "Herramientas.h"
#include "InfoImagenes.h"
#include "Lupa.h"
#include "MenuNuevo.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"
#include "Opciones.h"
#include "PlanoMesa.h"
#include "Programa.h"
#include "Puzzle.h"
#include "ReproductorCD.h"
#include "ShellVentanas.h"
#include "TableroPuzzle.h"
#include "Titulo.h"
#include "VentanaArchivo.h"

namespace {

constexpr char kClase[] = "CWNDBACK";
constexpr DWORD kEstilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
static_assert(kEstilo == 0x93400000);

// The table's tiled background and the wood around it, kept for the whole
// run.
ControlDC g_mosaico, g_orla;
constexpr uint32_t kImagenOrla = 6001;
// Where the table's felt meets the wood: a dark groove, never pure black.
constexpr COLORREF kColorRanura = RGB(40, 24, 13);
std::unique_ptr<ControlDC> g_imgInfo;
constexpr int32_t kTextoGloboInfo = 840;  // the info button's tooltip
HWND g_info = nullptr;

LRESULT OnCreate(HWND hwnd) {
  // The play screen's windows ask for it while they are made.
  ventanaPrincipal = hwnd;
  // The engine's side effects reach these windows from here on.
  InstalarShellVentanas();
  InstalarPeticionesPrograma();
  SilenciarNotificaciones(false);
  SetNewPuzzleBoardSize(arranque.anchoTablero, arranque.altoTablero);
  if (g_mosaico.Cargar(6000)) MosaicoPuzzle(g_mosaico.Imagen());
  MostrarFantasma(LeerFantasmaConfigurado());
  PonerPiezasGiradas(LeerGiradasConfigurado());
  CargarInterfaz(g_orla, kImagenOrla);
  CrearTitulo(hwnd);
  CrearOpciones(hwnd);
  CrearHerramientas(hwnd);
  CrearBarraOpciones(hwnd);
  CrearBarraHerramientas(hwnd);
  CrearLupa(hwnd);
  CrearPlano(hwnd);
  ShowPuzzle(hwnd);
  CrearCajas(hwnd);
  g_imgInfo = CargarImagenArchivo(244);
  g_info = CrearControl("COVCOMMAND", hwnd, arranque.anchoPantalla - AnchoImagen(g_imgInfo), Esc(80), 0, ImagenDe(g_imgInfo));
  PonerGlobo(g_info, kTextoGloboInfo, 0);
  CambiarIdiomaLupa();
  CambiarIdiomaPlano();
  return 0;
}

LRESULT OnDestroy() {
  // The boxes and the magnifier go before their owner's children: the
  // boards' goodbyes to them are not wanted.
  SilenciarNotificaciones(true);
  // The play screen goes, and the puzzle with it.
  ClearPuzzle();
  CerrarCD();
  g_imgInfo.reset();
  OlvidarBotonesCaja();
  g_info = nullptr;
  ventanaPrincipal = nullptr;
  PostQuitMessage(0);
  return 0;
}

LRESULT OnSize(WPARAM tipo) {
  if (tipo == SIZE_MINIMIZED) PausePuzzleClock();
  if (tipo == SIZE_MAXIMIZED) ResumePuzzleClock();
  return 0;
}

// The table's rectangle in this window; empty before it exists.
RECT RectanguloMesa(HWND hwnd) {
  RECT r{};
  if (HWND mesa = VentanaTablero(kTable)) {
    GetWindowRect(mesa, &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
  }
  return r;
}

// Only the gutters between the children show: they clip themselves out.
LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  const HIMAGE orla = g_orla.Imagen();
  PintarMosaico(pintura.Hdc(), pintura.Rect(), orla, orla ? orla->biWidth : 1, orla ? orla->biHeight : 1);
  const RECT mesa = RectanguloMesa(hwnd);
  ObjetoGDI<HBRUSH> ranura(CreateSolidBrush(kColorRanura));
  const int32_t g = Esc(2);
  const RECT bordes[3] = {{mesa.left - g, mesa.top, mesa.left, mesa.bottom + g},
                          {mesa.left - g, mesa.bottom, mesa.right + g, mesa.bottom + g},
                          {mesa.right, mesa.top, mesa.right + g, mesa.bottom + g}};
  if (!IsRectEmpty(&mesa))
    for (const RECT& r : bordes) FillRect(pintura.Hdc(), &r, ranura.Get());
  return 0;
}

// A click on the play screen while a piece box or the magnifier is active
// leaves that window active: activating the main window would raise it
// above the windows it owns on some window systems.
LRESULT OnMouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND activa = GetActiveWindow();
  if (activa && activa != hwnd && GetWindow(activa, GW_OWNER) == hwnd) return MA_NOACTIVATE;
  return DefWindowProcA(hwnd, WM_MOUSEACTIVATE, wParam, lParam);
}

// Ending the program loses nothing: a changed game is kept first, or the
// player agrees to lose it.
LRESULT OnClose() {
  GuardarAutomatico([] { DestroyWindow(ventanaPrincipal); });
  return 0;
}

// A screen of another scale: the game keeps the factor it started with, so
// the play screen stays as sharp as it was, pixel for pixel, and takes the
// new one at its next start. The window keeps its place and size too.
LRESULT OnDpiCambiado() { return 0; }

LRESULT OnPaletteChanged(HWND hwnd, HWND origen) {
  if (origen != hwnd) InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT OnNotificacion(int codigo, HWND control) {
  if (codigo != kNotifActivado) return 0;
  if (control == g_info) {
    AbrirInfo(ventanaPrincipal);
    return 0;
  }
  NotificacionBotonCaja(codigo, control);
  return 0;
}

LRESULT CALLBACK ProcVentanaPrincipal(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    case MM_MCINOTIFY: FinDePista(wParam, lParam); return 0;
    case WM_SIZE: return OnSize(wParam);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return 1;
    case WM_MOUSEACTIVATE: return OnMouseActivate(hwnd, wParam, lParam);
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_PALETTECHANGED: return OnPaletteChanged(hwnd, reinterpret_cast<HWND>(wParam));
    case WM_DPICHANGED: return OnDpiCambiado();
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarVentanaPrincipal(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcVentanaPrincipal, .estilo = CS_OWNDC, .fondoNegro = true});
}

void CrearVentanaPrincipal() {
  ventanaPrincipal = CreateWindowExA(0, kClase, "Tessera", kEstilo, 0, 0, 100, 100, nullptr, nullptr,
                                     arranque.instancia, nullptr);
}

HWND BotonInfo() { return g_info; }
