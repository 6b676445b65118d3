// The controls' shared protocol: notifications, sounds, capture and the
// registration of the seven classes.
#include "Controles.h"

#include <mmsystem.h>
#include <windowsx.h>

#include "Animacion.h"
#include "BotonCheck.h"
#include "BotonComando.h"
#include "Deslizador.h"
#include "Desplazador.h"
#include "DibujoHIMAGE.h"
#include "EtiquetaTexto.h"
#include "ObjetosGDI.h"
#include "recursos.h"

namespace {

constexpr DWORD kSonido = SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOWAIT;
static_assert(kSonido == 0x2007);

const void* g_sonidoEncima = nullptr;
const void* g_sonidoClic = nullptr;

void Sonar(const void* datos) {
  if (datos) PlaySoundA(static_cast<LPCSTR>(datos), nullptr, kSonido);
}

bool Registrar(HINSTANCE instancia, const char* nombre, WNDPROC procedimiento, UINT estilo) {
  return RegistrarClase(instancia, {.nombre = nombre, .procedimiento = procedimiento, .estilo = estilo});
}

}  // namespace

void NotificarPadre(HWND control, int codigo) {
  SendMessageA(GetParent(control), kMsgNotificacion, static_cast<WPARAM>(codigo), reinterpret_cast<LPARAM>(control));
}

void SonarEncima() { Sonar(g_sonidoEncima); }
void SonarClic() { Sonar(g_sonidoClic); }

const void* CargarSonido(HINSTANCE instancia, int id) {
  HRSRC recurso = FindResourceA(instancia, MAKEINTRESOURCEA(id), "WAVE");
  if (!recurso) return nullptr;
  HGLOBAL datos = LoadResource(instancia, recurso);
  return datos ? LockResource(datos) : nullptr;
}

bool PunteroSobre(HWND hwnd) {
  POINT p;
  return GetCursorPos(&p) && WindowFromPoint(p) == hwnd;
}

bool PuntoSobre(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  return WindowFromPoint(p) == hwnd;
}

void AjustarVentana(HWND hwnd, int32_t ancho, int32_t alto) {
  SetWindowPos(hwnd, nullptr, 0, 0, ancho, alto, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void SoltarCaptura(HWND hwnd) {
  if (GetCapture() == hwnd) ReleaseCapture();
}

bool SoltadoSobre(HWND hwnd, LPARAM lParam) {
  return GetCapture() == hwnd && lParam != -1 && PuntoSobre(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}

void CapturaCambiada(HWND hwnd, HWND nueva, bool capturado) {
  if (capturado && nueva != hwnd) SendMessageA(hwnd, WM_LBUTTONUP, 0, -1);
}

LRESULT SinRegistro(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return EsMensajeControl(msg) ? 1 : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT PintarNegro(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), nullptr, ROP_SRCCOPY);
  return 0;
}

bool RegistrarClase(HINSTANCE instancia, const ClaseVentana& c) {
  WNDCLASSA clase{};
  clase.style = c.estilo;
  clase.lpfnWndProc = c.procedimiento;
  clase.cbWndExtra = c.bytesExtra;
  clase.hInstance = instancia;
  clase.hCursor = c.cursor ? c.cursor : LoadCursorA(nullptr, IDC_ARROW);
  if (c.fondoNegro) clase.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  clase.lpszClassName = c.nombre;
  return RegisterClassA(&clase) != 0;
}

bool RegistrarControles(HINSTANCE instancia) {
  g_sonidoEncima = CargarSonido(instancia, IDW_SONIDO_ENCIMA);
  g_sonidoClic = CargarSonido(instancia, IDW_SONIDO_CLIC);
  return Registrar(instancia, kClaseBotonComando, ProcBotonComando, 0) &&
         Registrar(instancia, kClaseBotonCaja, ProcBotonComando, 0) &&
         Registrar(instancia, kClaseBotonCheck, ProcBotonCheck, 0) &&
         Registrar(instancia, kClaseDeslizador, ProcDeslizador, 0) &&
         Registrar(instancia, kClaseDesplazador, ProcDesplazador, CS_OWNDC) &&
         Registrar(instancia, kClaseAnimacion, ProcAnimacion, CS_OWNDC) &&
         Registrar(instancia, kClaseEtiquetaTexto, ProcEtiquetaTexto, 0);
}
