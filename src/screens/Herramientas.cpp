// CWNDHerramientas: created hidden by the main window and shown by the tool
// bar; shows the solve, hint, music and honour-roll buttons.
#include "Herramientas.h"

#include "Controles.h"
#include "Desplegable.h"
#include "DibujoHIMAGE.h"
#include "Fitting.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "Operaciones.h"
#include "Peticiones.h"

namespace {

constexpr char kClase[] = "CWNDHerramientas";
constexpr int kY = kAltoTitulo;
constexpr int kAncho = 98, kAltoTesela = 95;
constexpr int kResolver = 0, kPista = 1, kMusica = 2, kHonor = 3;
constexpr uint32_t kImagenes[4] = {127, 117, 124, 113};  // solve, hint, music, honour roll

Desplegable g_desplegable(120, kAncho, kAltoTesela);

int AltoVentana() { return arranque.altoPantalla - kY; }

// The background comes in from the left, a pixel at a time.
void Deslizar(HDC hdc) {
  const HIMAGE fondo = g_desplegable.Fondo();
  if (!fondo) return;
  for (int x = -kAncho; x <= 0; ++x)
    for (int y = 0; y < AltoVentana(); y += kAltoTesela)
      DibujarHIMAGE(hdc, x, y, kAncho, kAltoTesela, fondo, 0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g_desplegable.Crear(hwnd);
  const int s = static_cast<int>(AltoVentana() * 0.2);
  for (int k = 0; k < 4; ++k) g_desplegable.AgregarBoton(0, (k + 1) * s - 35, kImagenes[k]);
  return 0;
}

void OnClic(int boton) {
  switch (boton) {
    case kResolver:
      SolvePuzzle();
      VolcarPuzzle();
      break;
    case kPista:
      SendMessageA(BotonPista(), kMsgHabilitar, 0, HintPuzzle() ? 1 : 0);
      VolcarPuzzle();
      break;
    case kMusica:
      Juego().AbrirMusica();
      break;
    case kHonor:
      Juego().AbrirCuadroHonor();
      break;
    default:
      break;
  }
}

LRESULT OnNotificacion(int codigo, HWND control) {
  g_desplegable.Notificar(control, codigo, OnClic);
  return 0;
}

LRESULT CALLBACK ProcHerramientas(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: g_desplegable.Destruir(); return 0;
    case WM_PAINT: g_desplegable.Pintar(); return 0;
    case WM_TIMER: g_desplegable.Revisar(kAncho, AltoVentana()); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarHerramientas(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcHerramientas); }

void CrearHerramientas(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, kY, kAncho, AltoVentana(), principal,
                  nullptr, arranque.instancia, nullptr);
}

HWND VentanaHerramientas() { return g_desplegable.Ventana(); }

void AbrirHerramientas() { g_desplegable.Abrir(Deslizar); }

HWND BotonPista() { return g_desplegable.Boton(kPista); }

HWND BotonHerramienta(int indice) { return g_desplegable.Boton(indice); }

void PistaDisponible(bool disponible) {
  HWND pista = BotonPista();
  if (!pista) return;
  SendMessageA(pista, kMsgHabilitar, 0, disponible ? 1 : 0);
  if (disponible) ReposarBotonAnimado(pista);
}
