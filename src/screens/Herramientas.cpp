// CWNDHerramientas: created hidden by the main window and shown by the tool
// bar; shows the solve, hint, edges, spread, music and honour-roll buttons.
#include "Herramientas.h"

#include "Cajas.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplegable.h"
#include "Fitting.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "Mensaje.h"
#include "Operaciones.h"
#include "Ordenar.h"
#include "Peticiones.h"
#include "Puzzle.h"

namespace {

constexpr char kClase[] = "CWNDHerramientas";
constexpr int kY = kAltoTitulo;
constexpr int kAncho = 98, kAltoTesela = 95;
constexpr int kBotones = 6;
constexpr uint32_t kImagenes[kBotones] = {127, 117, 131, 132, 124, 113};
constexpr int32_t kTextoBordes = 370;       // the box's new name
constexpr int32_t kTextoSinCajaVacia = 380;
constexpr int32_t kTextoSinBordes = 390;
constexpr int32_t kTextoGlobos = 800;      // the buttons' tooltips

int AltoVentana() { return arranque.altoPantalla - Esc(kY); }

// Evenly down the window, 70 designed pixels each.
void CrearBotones(Desplegable& d) {
  const int s = (AltoPantallaDiseño() - kY) / (kBotones + 1);
  for (int k = 0; k < kBotones; ++k) d.AgregarBoton(0, Esc((k + 1) * s - 35), kImagenes[k]);
}

void BordesACajaVacia() {
  char nombre[32] = "";
  CargarTexto(kTextoBordes, nombre, sizeof nombre);
  const int caja = BordesACaja(nombre);
  if (caja == kBordesSinCaja || caja == kBordesNinguno) {
    MostrarMensaje(caja == kBordesSinCaja ? kTextoSinCajaVacia : kTextoSinBordes, ventanaPrincipal, nullptr, false);
    return;
  }
  if (HWND ventana = VentanaCaja(caja)) MostrarFlotante(ventana, true);
  VolcarPuzzle();
}

bool PistaUsable() {
  HWND pista = BotonPista();
  if (pista && SendMessageA(pista, kMsgObtenerHabilitado, 0, 0) == 0) return false;
  return puzzle.Exists() && !puzzle.finished && puzzle.hints < HintLimit();
}

void OnClic(int boton) {
  switch (boton) {
    case kHerramientaResolver:
      SolvePuzzle();
      VolcarPuzzle();
      break;
    case kHerramientaPista:
      SendMessageA(BotonPista(), kMsgHabilitar, 0, HintPuzzle() ? 1 : 0);
      VolcarPuzzle();
      break;
    case kHerramientaBordes:
      BordesACajaVacia();
      break;
    case kHerramientaEsparcir:
      Esparcir();
      VolcarPuzzle();
      break;
    case kHerramientaMusica:
      Juego().AbrirMusica();
      break;
    case kHerramientaHonor:
      Juego().AbrirCuadroHonor();
      break;
    default:
      break;
  }
}

// The background comes in from the left.
Desplegable g_desplegable({120, kAncho, kAltoTesela, -kAncho, 0, CrearBotones, OnClic, kTextoGlobos});

LRESULT CALLBACK ProcHerramientas(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return g_desplegable.Procesar(hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegistrarHerramientas(HINSTANCE instancia) { return RegistrarClaseDesplegable(instancia, kClase, ProcHerramientas); }

void CrearHerramientas(HWND principal) {
  CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, Esc(kY), Esc(kAncho), AltoVentana(), principal,
                  nullptr, arranque.instancia, nullptr);
}

HWND VentanaHerramientas() { return g_desplegable.Ventana(); }

void AbrirHerramientas() { g_desplegable.Abrir(); }

bool HerramientasDeslizando() { return g_desplegable.Deslizando(); }

HWND BotonPista() { return g_desplegable.Boton(kHerramientaPista); }

HWND BotonHerramienta(int indice) { return g_desplegable.Boton(indice); }

void AccionHerramienta(int boton) {
  if (boton == kHerramientaPista && !PistaUsable()) return;
  OnClic(boton);
}

void PistaDisponible(bool disponible) {
  HWND pista = BotonPista();
  if (!pista) return;
  SendMessageA(pista, kMsgHabilitar, 0, disponible ? 1 : 0);
  if (disponible) ReposarBotonAnimado(pista);
}
