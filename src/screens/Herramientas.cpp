// CWNDHerramientas: created hidden by the main window and shown by the tool
// bar; shows the solve, hint, edges, spread, music and honour-roll buttons.
#include "Herramientas.h"

#include <vector>

#include "Cajas.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplegable.h"
#include "Fitting.h"
#include "Globales.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "Operaciones.h"
#include "Ordenar.h"
#include "Peticiones.h"
#include "Puzzle.h"
#include "ResaltePista.h"
#include "TableroPuzzle.h"
#include "VistaMesa.h"

namespace {

constexpr char kClase[] = "CWNDHerramientas";
constexpr int kY = kAltoTitulo;
constexpr int kAncho = 98, kAltoTesela = 95;
constexpr int kBotones = 6;
constexpr uint32_t kImagenes[kBotones] = {127, 117, 131, 132, 124, 113};
constexpr int32_t kTextoBordes = 370;       // the box's new name
constexpr int32_t kTextoSinCajaVacia = 380;
constexpr int32_t kTextoSinBordes = 390;
constexpr int32_t kPreguntaResolver = 740;
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
  // The box grows first, so that the rows are laid in its new size.
  if (const int vacia = CajaVaciaParaBordes(); vacia >= 0 && BordesSueltos() > 0)
    AgrandarCajaPara(vacia, BordesSueltos());
  const int caja = BordesACaja(nombre);
  if (caja == kBordesSinCaja || caja == kBordesNinguno) {
    MostrarMensaje(caja == kBordesSinCaja ? kTextoSinCajaVacia : kTextoSinBordes, ventanaPrincipal, nullptr, false);
    return;
  }
  if (HWND ventana = VentanaCaja(caja)) MostrarFlotante(ventana, true);
}

// The table under the open boxes and the magnifier, in its own coordinates.
std::vector<Zona> ZonasTapadas() {
  std::vector<Zona> zonas;
  HWND mesa = VentanaTablero(kTable);
  if (!mesa) return zonas;
  std::vector<HWND> ventanas{VentanaLupa()};
  for (int i = 0; i < kNumeroCajas; ++i) ventanas.push_back(VentanaCaja(i));
  for (HWND v : ventanas) {
    RECT r;
    if (!v || !IsWindowVisible(v) || !GetWindowRect(v, &r)) continue;
    MapWindowPoints(nullptr, mesa, reinterpret_cast<POINT*>(&r), 2);
    if (!VistaPlana()) {
      const RectMesa m = RectAMesa(VistaMesa(), {r.left, r.top, r.right - r.left, r.bottom - r.top});
      zonas.push_back({m.x, m.y, m.ancho, m.alto});
      continue;
    }
    zonas.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
  }
  return zonas;
}

bool PistaUsable() {
  HWND pista = BotonPista();
  if (pista && SendMessageA(pista, kMsgObtenerHabilitado, 0, 0) == 0) return false;
  return puzzle.Exists() && !puzzle.finished && puzzle.hints < HintLimit();
}

void RespuestaResolver(bool resolver, const char*) {
  if (!resolver) return;
  SolvePuzzle();
  VerPuzzleResuelto();
}

// One click would lay the whole puzzle out: asked first, and only when
// there is something left to solve.
void PreguntarResolver() {
  if (puzzle.Exists() && !puzzle.finished) MostrarMensaje(kPreguntaResolver, ventanaPrincipal, RespuestaResolver, false);
}

void OnClic(int boton) {
  switch (boton) {
    case kHerramientaResolver:
      PreguntarResolver();
      break;
    case kHerramientaPista: {
      const int32_t pistas = puzzle.hints;
      SendMessageA(BotonPista(), kMsgHabilitar, 0, HintPuzzle() ? 1 : 0);
      if (puzzle.hints != pistas) ResaltarPista();
      break;
    }
    case kHerramientaBordes:
      BordesACajaVacia();
      break;
    case kHerramientaEsparcir:
      Esparcir(ZonasTapadas());
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
