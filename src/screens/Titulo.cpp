// CWNDSHARDTITULO: created by the main window at its creation, lives as long
// as it; shows the strip's buttons and the elapsed time of the puzzle.
#include "Titulo.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "MenuNuevo.h"
#include "ObjetosGDI.h"
#include "Puzzle.h"
#include "Operaciones.h"
#include "Peticiones.h"

namespace {

constexpr char kClase[] = "CWNDSHARDTITULO";
constexpr int kAnchoTesela = 76;
constexpr int kAnchoTextoTiempo = 140;
constexpr int32_t kXMinimizar = 75;  // from the right edge
constexpr uint32_t kImagenNuevo = 2060;  // + language

HWND g_titulo = nullptr;
std::unique_ptr<ControlDC> g_fondo, g_imgMinimizar, g_imgSalir, g_imgAcerca, g_imgNuevo;
HWND g_minimizar = nullptr, g_salir = nullptr, g_acerca = nullptr, g_nuevo = nullptr;
ObjetoGDI<HFONT> g_fuente;
std::string g_tiempo = "00:00:00";
int32_t g_xTiempo = 0;

// The time's width in its font: the repainted area must hold the old text
// and the new one, whatever the face makes of 140 pixels.
int32_t AnchoTiempo(HWND titulo, const std::string& texto) {
  if (!titulo) return 0;
  DCVentana dc(titulo);
  Seleccion fuente(dc.Get(), g_fuente.Get());
  SIZE t{};
  GetTextExtentPoint32A(dc.Get(), texto.c_str(), static_cast<int>(texto.size()), &t);
  return t.cx;
}

LRESULT OnCreate(HWND hwnd) {
  g_fondo = CargarImagenArchivo(122);
  g_imgMinimizar = CargarImagenArchivo(119);
  g_imgSalir = CargarImagenArchivo(112);
  g_imgAcerca = CargarImagenArchivo(129);
  g_imgNuevo = CargarImagenArchivo(kImagenNuevo + static_cast<uint32_t>(idioma));
  g_minimizar = CrearControl("COVCOMMAND", hwnd, arranque.anchoPantalla - Esc(kXMinimizar), 0, 0, ImagenDe(g_imgMinimizar));
  g_salir = CrearControl("COVCOMMAND", hwnd, arranque.anchoPantalla - Esc(36), 0, 0, ImagenDe(g_imgSalir));
  // The game's name stands in the middle of the strip, whatever the screen.
  g_acerca = CrearControl("COVCOMMAND", hwnd, Centrar(arranque.anchoPantalla, AnchoImagen(g_imgAcerca)), Esc(-1), 0,
                          ImagenDe(g_imgAcerca));
  g_nuevo = CrearControl("COVCOMMAND", hwnd, Esc(-2), Esc(10), 0, ImagenDe(g_imgNuevo));
  g_fuente = ObjetoGDI<HFONT>(CrearFuenteTiempo());
  const int32_t k = arranque.escala;
  g_xTiempo = Esc(XTiempo(AnchoPantallaDiseño(), (AnchoTiempo(hwnd, TextoTiempo(0, 0, 0)) + k - 1) / k));
  return 0;
}

LRESULT OnDestroy() {
  g_imgMinimizar.reset();
  g_imgSalir.reset();
  g_imgAcerca.reset();
  g_imgNuevo.reset();
  g_fondo.reset();
  g_fuente = ObjetoGDI<HFONT>();
  g_titulo = nullptr;
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  if (pintura.Rect().top >= Esc(kAltoTitulo + 1)) return 0;
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(g_fondo), Esc(kAnchoTesela), Esc(kAltoTitulo));
  Seleccion fuente(pintura.Hdc(), g_fuente.Get());
  SetBkMode(pintura.Hdc(), TRANSPARENT);
  SetTextColor(pintura.Hdc(), RGB(0, 0, 0));
  TextOutA(pintura.Hdc(), g_xTiempo, Esc(12), g_tiempo.c_str(), static_cast<int>(g_tiempo.size()));
  return 0;
}

LRESULT OnNotificacion(int codigo, HWND control) {
  if (codigo != kNotifActivado) return 0;
  if (control == g_salir) {
    // Posted: the button that asked is destroyed with the main window.
    PostMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
  } else if (control == g_minimizar) {
    ShowWindow(ventanaPrincipal, SW_MINIMIZE);
  } else if (control == g_acerca) {
    LanzarAcercaDe();
  } else if (control == g_nuevo) {
    // Clearing the table loses nothing: a changed game is kept first.
    Juego().GuardarAutomatico([] {
      ClosePuzzle(true);
      AbrirMenuNuevo();
    });
  }
  return 0;
}

LRESULT CALLBACK ProcTitulo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarTitulo(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcTitulo});
}

void CrearTitulo(HWND padre) {
  g_titulo = CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, arranque.anchoPantalla, Esc(kAltoTitulo), padre,
                             nullptr, arranque.instancia, nullptr);
}

HWND VentanaTitulo() { return g_titulo; }
HWND BotonNuevoTitulo() { return g_nuevo; }

void CambiarIdiomaTitulo() { CambiarImagenControl(g_nuevo, g_imgNuevo, kImagenNuevo + static_cast<uint32_t>(idioma)); }

std::string TextoTiempo(uint32_t horas, uint32_t minutos, uint32_t segundos) {
  char texto[40];
  std::snprintf(texto, sizeof texto, "%02u:%02u:%02u", horas, minutos, segundos);
  return texto;
}

int32_t XTiempo(int32_t anchoPantallaTitulo, int32_t anchoTexto) {
  return std::min(2 * ((anchoPantallaTitulo - 703) / 3) + 506,
                  anchoPantallaTitulo - kXMinimizar - kHolguraTiempo - anchoTexto);
}

HFONT CrearFuenteTiempo() { return CrearFuente(Esc(35), 600); }

void MostrarTiempo(uint32_t, uint32_t horas, uint32_t minutos, uint32_t segundos) {
  const std::string nuevo = TextoTiempo(horas, minutos, segundos);
  if (!g_titulo) {
    g_tiempo = nuevo;
    return;
  }
  const int32_t ancho = std::max({Esc(kAnchoTextoTiempo), AnchoTiempo(g_titulo, g_tiempo) + 2, AnchoTiempo(g_titulo, nuevo) + 2});
  g_tiempo = nuevo;
  const RECT r{g_xTiempo, Esc(10), g_xTiempo + ancho, Esc(60)};
  InvalidateRect(g_titulo, &r, FALSE);
}

void LanzarAcercaDe() {
  const std::string ruta = arranque.carpeta + "about.exe";
  WIN32_FIND_DATAA datos;
  HANDLE busqueda = FindFirstFileA(ruta.c_str(), &datos);
  if (busqueda == INVALID_HANDLE_VALUE) return;
  FindClose(busqueda);
  AbrirConSistema(ruta);
}
