// CWNDHerramientas: created hidden by the main window and shown by the tool
// bar; shows the solve, hint, music and honour-roll buttons.
#include "Herramientas.h"

#include <memory>
#include <vector>

#include "Animacion.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Fitting.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Desplegable.h"

namespace {

constexpr char kClase[] = "CWNDHerramientas";
constexpr int kY = 78;
constexpr int kAncho = 98, kAltoTesela = 95;
constexpr int kResolver = 0, kPista = 1, kMusica = 2, kHonor = 3;
constexpr uint32_t kImagenes[4] = {127, 117, 124, 113};

HWND g_ventana = nullptr;
std::unique_ptr<ControlDC> g_fondo;
std::unique_ptr<ControlDC> g_imagenes[4];
std::vector<HWND> g_botones;
Desplegable g_desplegable;

int AltoVentana() { return altoPantalla - kY; }

void Deslizar(HDC hdc) {
  const HIMAGE fondo = ImagenDe(g_fondo);
  if (!fondo) return;
  for (int x = -kAncho; x <= 0; ++x)
    for (int y = 0; y < AltoVentana(); y += kAltoTesela)
      DibujarHIMAGE(hdc, x, y, kAncho, kAltoTesela, fondo, 0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g_fondo = CargarImagenArchivo(120);
  g_desplegable.Olvidar();
  const int s = static_cast<int>(AltoVentana() * 0.2);
  g_botones.clear();
  for (int k = 0; k < 4; ++k) {
    g_imagenes[k] = CargarImagenArchivo(kImagenes[k]);
    HWND b = CrearControl("COVANIM", hwnd, 0, (k + 1) * s - 35, 0, nullptr, WS_CHILD | WS_CLIPSIBLINGS);
    SendMessageA(b, kMsgAnimPonerFilas, 0, 1);
    SendMessageA(b, kMsgAnimPonerColumnas, 0, 10);
    SendMessageA(b, kMsgAnimPonerCuadro, 0, 0);
    if (HIMAGE imagen = ImagenDe(g_imagenes[k])) SendMessageA(b, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(imagen));
    g_botones.push_back(b);
  }
  return 0;
}

LRESULT OnDestroy() {
  for (auto& imagen : g_imagenes) imagen.reset();
  g_fondo.reset();
  g_botones.clear();
  g_desplegable.Olvidar();
  g_ventana = nullptr;
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(g_fondo), kAncho, kAltoTesela);
  return 0;
}

void OnClic(int boton) {
  switch (boton) {
    case kResolver:
      SolvePuzzle();
      VolcarPuzzle();
      break;
    case kPista:
      SendMessageA(g_botones[kPista], kMsgHabilitar, 0, HintPuzzle() ? 1 : 0);
      VolcarPuzzle();
      break;
    default:
      // The music window and the honour roll open here once they exist.
      break;
  }
}

LRESULT OnNotificacion(int codigo, HWND control) {
  for (int k = 0; k < static_cast<int>(g_botones.size()); ++k) {
    if (control != g_botones[k]) continue;
    ReaccionBotonAnimado(control, codigo);
    if (codigo == kNotifActivado) OnClic(k);
  }
  return 0;
}

LRESULT CALLBACK ProcHerramientas(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_TIMER: g_desplegable.Revisar(hwnd, g_botones, kAncho, AltoVentana()); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarHerramientas(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = ProcHerramientas;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

void CrearHerramientas(HWND principal) {
  g_ventana = CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, kY, kAncho,
                              AltoVentana(), principal, nullptr, instanciaPrograma, nullptr);
}

HWND VentanaHerramientas() { return g_ventana; }

void AbrirHerramientas() {
  if (g_ventana) g_desplegable.Abrir(g_ventana, g_botones, Deslizar);
}

HWND BotonPista() { return g_botones.size() > kPista ? g_botones[kPista] : nullptr; }

HWND BotonHerramienta(int indice) {
  return indice >= 0 && indice < static_cast<int>(g_botones.size()) ? g_botones[indice] : nullptr;
}
