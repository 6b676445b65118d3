// CWNDHerramientas: created hidden by the main window and shown by the tool
// bar; shows the solve, hint, music and honour-roll buttons.
#include "Herramientas.h"

#include "Controles.h"
#include "Desplegable.h"
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

int AltoVentana() { return arranque.altoPantalla - kY; }

void CrearBotones(Desplegable& d) {
  const int s = static_cast<int>(AltoVentana() * 0.2);
  for (int k = 0; k < 4; ++k) d.AgregarBoton(0, (k + 1) * s - 35, kImagenes[k]);
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

// The background comes in from the left.
Desplegable g_desplegable({120, kAncho, kAltoTesela, -kAncho, 0, CrearBotones, OnClic});

LRESULT CALLBACK ProcHerramientas(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_desplegable.Procesar(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegistrarHerramientas(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcHerramientas); }

void CrearHerramientas(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, kY, kAncho, AltoVentana(), principal,
                  nullptr, arranque.instancia, nullptr);
}

HWND VentanaHerramientas() { return g_desplegable.Ventana(); }

void AbrirHerramientas() { g_desplegable.Abrir(); }

bool HerramientasDeslizando() { return g_desplegable.Deslizando(); }

HWND BotonPista() { return g_desplegable.Boton(kPista); }

HWND BotonHerramienta(int indice) { return g_desplegable.Boton(indice); }

void PistaDisponible(bool disponible) {
  HWND pista = BotonPista();
  if (!pista) return;
  SendMessageA(pista, kMsgHabilitar, 0, disponible ? 1 : 0);
  if (disponible) ReposarBotonAnimado(pista);
}
