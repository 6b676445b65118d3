// CWNDVIDEO: made by AbrirVideo, owned by the main window (by nothing during
// the intro); one AVI of the Video folder played by MCI, centred on black.
#include "Video.h"

#include <mmsystem.h>
#include <digitalv.h>

#include <memory>
#include <string>

#include "BotonComando.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "DisenoVentanas.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "ReproductorCD.h"
#include "Verificar.h"

namespace {

constexpr char kClase[] = "CWNDVIDEO";
// Also the X window's name, by which the end-to-end scripts find the intro.
constexpr char kTitulo[] = "Tessera Video";

constexpr int32_t kModoPanel = kVideoPanel, kModoIntro = kVideoIntro;
constexpr uint32_t kImagenPanel = 166, kImagenSalir = 163, kImagenWeb = 165, kImagenRepetir = 167;
constexpr DWORD kBanderasVentana = MCI_DGV_WINDOW_HWND | MCI_ANIM_WINDOW_ENABLE_STRETCH | MCI_WAIT;
static_assert(kBanderasVentana == 0x00110002);

struct Estado {
  CicloDialogo ciclo;
  HWND ventana = nullptr;
  int32_t modo = kModoIntro;
  TrasVideo despues = nullptr;
  DispositivoMCI video;
  // The panel of mode 0 and its buttons.
  std::unique_ptr<ControlDC> panel, imagenSalir, imagenRepetir, imagenWeb;
  POINT lugarPanel{};
  HWND salir = nullptr, repetir = nullptr, web = nullptr;
};
Estado g;
// Set while CreateWindowExA runs: what follows a refused window is run by
// AbrirVideo once that call has returned, never from inside it.
bool g_creando = false;

std::string RutaVideo(int32_t modo) {
  return arranque.carpeta + "Video\\" + std::to_string(modo) + ".avi";
}

// From where the device stands; the window hears of the end.
bool Reproducir(HWND hwnd) {
  PlaySoundA(nullptr, nullptr, 0);
  MCI_PLAY_PARMS juego{};
  juego.dwCallback = reinterpret_cast<DWORD_PTR>(hwnd);
  return g.video.Enviar(MCI_PLAY, MCI_NOTIFY, &juego) == 0;
}

// Opens the mode's video, centres it on the window and starts it. False
// when any step fails.
bool Empezar(HWND hwnd) {
  const std::string ruta = RutaVideo(g.modo);
  MCI_OPEN_PARMSA abrir{};
  abrir.lpstrElementName = ruta.c_str();
  if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&abrir))) return false;
  g.video = DispositivoMCI(abrir.wDeviceID);

  // MCI rectangles keep the width and height where RECT keeps the far edges.
  MCI_DGV_RECT_PARMS fuente{};
  if (g.video.Enviar(MCI_WHERE, MCI_DGV_WHERE_SOURCE | MCI_WAIT, &fuente)) return false;
  const LONG ancho = fuente.rc.right, alto = fuente.rc.bottom;
  MCI_DGV_PUT_PARMS destino{};
  // Enlarged with the interface, whole pixels at a time.
  destino.rc = {Centrar(arranque.anchoPantalla, Esc(ancho)), Centrar(arranque.altoPantalla, Esc(alto)), Esc(ancho),
                Esc(alto)};
  if (g.video.Enviar(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &destino)) return false;
  MCI_DGV_WINDOW_PARMSA ventana{};
  ventana.hWnd = hwnd;
  if (g.video.Enviar(MCI_WINDOW, kBanderasVentana, &ventana)) return false;

  PausarCD();
  if (Reproducir(hwnd)) return true;
  ReanudarCD();
  return false;
}

void CrearBotones(HWND hwnd) {
  using namespace DisenoPanel;
  const LONG x = g.lugarPanel.x, y = g.lugarPanel.y;
  g.imagenSalir = CargarImagenArchivo(kImagenSalir);
  g.salir = CrearControl(kClaseBotonComando, hwnd, x + Esc(kXSalir), y + Esc(kYSalir), 0, ImagenDe(g.imagenSalir));
  g.imagenRepetir = CargarImagenArchivo(kImagenRepetir);
  g.repetir =
      CrearControl(kClaseBotonComando, hwnd, x + Esc(kXRepetir), y + Esc(kYRepetir), 0, ImagenDe(g.imagenRepetir));
  g.imagenWeb = CargarImagenArchivo(kImagenWeb);
  g.web = CrearControl(kClaseBotonComando, hwnd, x + Esc(kXWeb), y + Esc(kYWeb), 0, ImagenDe(g.imagenWeb));
}

// What follows the video, whether it played or not.
void Continuar(int32_t modo, TrasVideo despues) {
  if (modo == kModoIntro) {
    if (despues) despues();
    return;
  }
  // A main window being destroyed hides before it takes the windows it
  // owns with it: then nothing follows.
  if (!ventanaPrincipal || !IsWindowVisible(ventanaPrincipal)) return;
  EnableWindow(ventanaPrincipal, TRUE);
  if (despues) despues();
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  if (g.modo == kModoPanel) CrearBotones(hwnd);
  if (Empezar(hwnd)) return 0;
  g.video.Cerrar();
  return -1;
}

// The end of the video, a key or a click: the intro and the finishing
// video are over; the panel stays until its exit button.
LRESULT OnFin(HWND hwnd) {
  if (g.modo != kModoPanel) SendMessageA(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

LRESULT OnAvisoMCI(HWND hwnd, LPARAM dispositivo) {
  return static_cast<MCIDEVICEID>(dispositivo) == g.video.Get() ? OnFin(hwnd) : 0;
}

// Replay, once the video has stopped at its end.
void Repetir(HWND hwnd) {
  MCI_STATUS_PARMS estado{};
  estado.dwItem = MCI_STATUS_MODE;
  if (!g.video || g.video.Enviar(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &estado) || estado.dwReturn != MCI_MODE_STOP)
    return;
  g.video.Enviar(MCI_SEEK, MCI_SEEK_TO_START | MCI_WAIT);
  Reproducir(hwnd);
}

// The web button has no site to offer: it only answers like a button.
LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (codigo != kNotifActivado) return 0;
  if (control == g.salir) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (control == g.repetir) Repetir(hwnd);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  if (const HIMAGE panel = ImagenDe(g.panel))
    DibujarHIMAGE(p.Hdc(), g.lugarPanel.x, g.lugarPanel.y, panel->biWidth, panel->biHeight, panel, 0, 0, ROP_SRCCOPY);
  return 0;
}

LRESULT OnPaleta(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  if (g.video) g.video.Enviar(MCI_REALIZE, MCI_DGV_REALIZE_BKGD | MCI_WAIT);
  return 0;
}

LRESULT OnClose(HWND hwnd) {
  if (g.video) {
    g.video.Cerrar();
    ReanudarCD();
  }
  return g.ciclo.Atender(hwnd, WM_CLOSE, 0, 0);
}

// The buttons are gone by now, so their pictures can go.
void OnNcDestroy() {
  const int32_t modo = g.modo;
  const TrasVideo despues = g.despues;
  g = Estado();
  if (!g_creando) Continuar(modo, despues);
}

LRESULT CALLBACK ProcVideo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case MM_MCINOTIFY: return OnAvisoMCI(hwnd, lParam);
    case WM_LBUTTONUP: return OnFin(hwnd);
    case WM_CHAR: return OnFin(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE: return OnClose(hwnd);
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_QUERYNEWPALETTE: return OnPaleta(hwnd);
    case WM_PALETTECHANGED: return reinterpret_cast<HWND>(wParam) == hwnd ? 0 : OnPaleta(hwnd);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarVideo(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcVideo, .fondoNegro = true});
}

HWND AbrirVideo(int32_t modo, TrasVideo despues) {
  if (Verificar(modo < kModoPanel || modo > kModoIntro, "modo de video invalido")) return nullptr;
  if (g.ventana) return g.ventana;
  g.modo = modo;
  g.despues = despues;
  if (modo == kModoPanel) {
    g.panel = CargarImagenArchivo(kImagenPanel);
    g.lugarPanel = {Centrar(arranque.anchoPantalla, AnchoImagen(g.panel)), Centrar(arranque.altoPantalla, AltoImagen(g.panel))};
  }
  g_creando = true;
  // The intro has no owner: the main window comes after it.
  HWND hwnd = g.ciclo.CrearPantalla(kClase, kTitulo, modo == kModoIntro ? nullptr : ventanaPrincipal);
  g_creando = false;
  if (!hwnd) {
    g = Estado();
    Continuar(modo, despues);
  }
  return hwnd;
}

HWND VentanaVideo() { return g.ventana; }
uint32_t DispositivoVideo() { return g.video.Get(); }
HWND BotonSalirVideo() { return g.salir; }
HWND BotonRepetirVideo() { return g.repetir; }
HWND BotonWebVideo() { return g.web; }
