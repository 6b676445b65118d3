// CWNDOPCIONES: created hidden by the main window and shown by the options
// bar; shows the help, magnifier and exit buttons.
#include "Opciones.h"

#include <memory>
#include <vector>

#include "Animacion.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplegable.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "Lupa.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "VentanaPrincipal.h"

namespace {

constexpr char kClase[] = "CWNDOPCIONES";
constexpr int kLado = 103;  // the window's height and its tile
constexpr int kAyuda = 0, kLupa = 1, kSalir = 2;
constexpr uint32_t kImagenes[3] = {115, 126, 128};

HWND g_ventana = nullptr;
std::unique_ptr<ControlDC> g_fondo;
std::unique_ptr<ControlDC> g_imagenes[3];
std::vector<HWND> g_botones;
Desplegable g_desplegable;

void Deslizar(HDC hdc) {
  const HIMAGE fondo = ImagenDe(g_fondo);
  if (!fondo) return;
  for (int y = kLado; y >= 0; --y)
    for (int x = 0; x < anchoPantalla; x += kLado) DibujarHIMAGE(hdc, x, y, kLado, kLado, fondo, 0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g_desplegable.Olvidar();
  g_fondo = CargarImagenArchivo(123);
  g_botones.clear();
  for (int k = 0; k < 3; ++k) {
    g_imagenes[k] = CargarImagenArchivo(kImagenes[k]);
    HWND b = CrearControl("COVANIM", hwnd, (k + 1) * anchoPantalla / 4 - 35, 27, 0, nullptr,
                          WS_CHILD | WS_CLIPSIBLINGS);
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
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(g_fondo), kLado, kLado);
  return 0;
}

void OnClic(int boton) {
  switch (boton) {
    case kSalir:
      // Posted: the button that asked is destroyed with the main window.
      PostMessageA(ventanaPrincipal, WM_CLOSE, 0, 0);
      break;
    case kAyuda:
      AbrirAyuda();
      break;
    case kLupa:
      if (HWND lupa = VentanaLupa()) IsWindowVisible(lupa) ? OcultarVentana(lupa) : MostrarFlotante(lupa, false);
      break;
    default:
      break;
  }
}

LRESULT OnNotificacion(int codigo, HWND control) {
  for (int k = 0; k < static_cast<int>(g_botones.size()); ++k) {
    if (control != g_botones[k]) continue;
    ReaccionBotonAnimado(control, codigo);
    if (codigo == kNotifActivado) OnClic(k);
    break;
  }
  return 0;
}

LRESULT CALLBACK ProcOpciones(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_TIMER: g_desplegable.Revisar(hwnd, g_botones, anchoPantalla, kLado); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarOpciones(HINSTANCE instancia) {
  WNDCLASSA clase{};
  clase.style = CS_OWNDC;
  clase.lpfnWndProc = ProcOpciones;
  clase.hInstance = instancia;
  clase.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  clase.lpszClassName = kClase;
  return RegisterClassA(&clase) != 0;
}

void CrearOpciones(HWND principal) {
  g_ventana = CreateWindowExA(0, kClase, "", WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, altoPantalla - kLado,
                              anchoPantalla, kLado, principal, nullptr, instanciaPrograma, nullptr);
}

HWND VentanaOpciones() { return g_ventana; }

void AbrirOpciones() {
  if (g_ventana) g_desplegable.Abrir(g_ventana, g_botones, Deslizar);
}

HWND BotonOpcion(int indice) {
  return indice >= 0 && indice < static_cast<int>(g_botones.size()) ? g_botones[indice] : nullptr;
}
