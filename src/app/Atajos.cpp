#include "Atajos.h"

#include <algorithm>
#include <cstring>

#include "Cajas.h"
#include "Controles.h"
#include "Deshacer.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "Herramientas.h"
#include "InfoImagenes.h"
#include "Lupa.h"
#include "Opciones.h"
#include "Operaciones.h"
#include "PlanoMesa.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"
#include "Titulo.h"
#include "VentanaArchivo.h"
#include "Video.h"
#include "VistaMesa.h"

namespace {

bool EsClase(HWND hwnd, const char* clase) {
  char nombre[32] = "";
  return hwnd && GetClassNameA(hwnd, nombre, sizeof nombre) > 0 && std::strcmp(nombre, clase) == 0;
}

// A field that takes typing, or a video, has the keyboard to itself.
bool TecladoOcupado() {
  if (HWND v = VentanaVideo(); v && IsWindowVisible(v)) return true;
  return EsClase(GetFocus(), "Edit");
}

// The pop-ups whose own close button does no more than close them.
bool SeCierraConEscape(HWND hwnd) {
  for (const char* clase : {"CWNDNEW", "CWNDFILE", "CWNDHONOR", "CWNDMUSICA", "CWNDINFO", "CWNDPREVIEWINFO"})
    if (EsClase(hwnd, clase)) return true;
  return false;
}

// The picture information page leaves the main window enabled, yet it
// covers the screen as the other pop-ups do.
bool EmergenteAbierta() {
  HWND info = VentanaInfo();
  return !IsWindowEnabled(ventanaPrincipal) || (info && IsWindow(info));
}

// The magnifier or the piece box on top, when one shows: the active one
// first, else the highest in the z-order.
HWND FlotanteArriba() {
  const auto flotante = [](HWND v) {
    return v && IsWindowVisible(v) && IsWindowEnabled(v) && (v == VentanaLupa() || v == VentanaPlano() || EsClase(v, "CWNDBOX"));
  };
  if (HWND activa = GetActiveWindow(); flotante(activa)) return activa;
  for (HWND v = GetTopWindow(nullptr); v; v = GetWindow(v, GW_HWNDNEXT))
    if (flotante(v) && GetWindow(v, GW_OWNER) == ventanaPrincipal) return v;
  return nullptr;
}

// The table window's middle, for zooms that no pointer anchors.
Punto CentroMesa() { return {VistaMesa().ancho / 2, VistaMesa().alto / 2}; }

// A pan by the arrow keys: an eighth of the window. The table is painted
// before the next key.
bool AtajoVista(WPARAM tecla, bool repetida) {
  const Vista& v = VistaMesa();
  const bool desplazar = tecla == VK_LEFT || tecla == VK_RIGHT || tecla == VK_UP || tecla == VK_DOWN;
  CronometroVista cronometro(desplazar ? Medida::Desplazamiento : Medida::Zoom, VentanaTablero(kTable));
  switch (tecla) {
    case VK_ADD:
    case VK_OEM_PLUS: AmpliarMesa(1, CentroMesa()); return true;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: AmpliarMesa(-1, CentroMesa()); return true;
    case VK_LEFT: DesplazarMesa(-std::max(1, v.ancho / 8), 0); return true;
    case VK_RIGHT: DesplazarMesa(std::max(1, v.ancho / 8), 0); return true;
    case VK_UP: DesplazarMesa(0, -std::max(1, v.alto / 8)); return true;
    case VK_DOWN: DesplazarMesa(0, std::max(1, v.alto / 8)); return true;
    default: break;
  }
  if (repetida) return false;
  switch (tecla) {
    case '0':
    case VK_NUMPAD0: VerMesaEntera(); return true;
    case VK_SPACE: AlternarMesaEntera(CentroMesa()); return true;
    default: return false;
  }
}

bool Control(WPARAM tecla, bool mayusculas) {
  switch (tecla) {
    case 'N':
      // As the title's button does it.
      SendMessageA(VentanaTitulo(), kMsgNotificacion, kNotifActivado, reinterpret_cast<LPARAM>(BotonNuevoTitulo()));
      return true;
    case 'O': AccionOpcion(kOpcionAbrir); return true;
    case 'S': GuardarRapido(); return true;
    case 'Z':
      if (mayusculas)
        RehacerMovimiento();
      else
        DeshacerMovimiento();
      return true;
    case 'Y': RehacerMovimiento(); return true;
    case 'E': AccionHerramienta(kHerramientaBordes); return true;
    case 'G': AccionHerramienta(kHerramientaEsparcir); return true;
    case 'B': AccionOpcion(kOpcionFantasma); return true;
    default: return false;
  }
}

}  // namespace

bool AtenderAtajo(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || !ventanaPrincipal || !IsWindow(ventanaPrincipal)) return false;
  if (TecladoOcupado()) return false;
  const WPARAM tecla = msg.wParam;
  const bool repetida = (msg.lParam & (1 << 30)) != 0;

  // A pop-up is open: the main window waits for it.
  if (EmergenteAbierta()) {
    if (tecla == VK_F1 && !repetida) {
      AbrirAyuda();
      return true;
    }
    if (tecla == VK_ESCAPE) {
      HWND arriba = GetActiveWindow();
      if (!SeCierraConEscape(arriba)) return false;  // it answers Escape itself, or not at all
      if (!repetida) PostMessageA(arriba, WM_CLOSE, 0, 0);
      return true;
    }
    return false;
  }
  // A drag or a rubber band is on: R turns a dragged piece.
  if (GetCapture()) {
    if (tecla != 'R' || repetida || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
    return GirarPiezaArrastrada(GetKeyState(VK_SHIFT) < 0 ? 3 : 1);
  }

  const bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
  const bool mayusculas = GetKeyState(VK_SHIFT) < 0;
  if (alt) return false;
  if (ctrl) {
    // Undo and redo may repeat while held; the rest once a press.
    if (repetida && tecla != 'Z' && tecla != 'Y') return true;
    return Control(tecla, mayusculas);
  }
  // Never the end of the game.
  if (tecla == VK_ESCAPE) {
    if (HWND flotante = FlotanteArriba(); flotante && !repetida) SendMessageA(flotante, WM_CLOSE, 0, 0);
    return true;
  }
  // The view of the table: zoom and pan may repeat while held.
  if (AtajoVista(tecla, repetida)) return true;
  if (repetida) return false;
  switch (tecla) {
    case 'H': AccionHerramienta(kHerramientaPista); return true;
    case 'M': AccionOpcion(kOpcionLupa); return true;
    case 'V': AlternarPlano(); return true;
    case VK_F1: AbrirAyuda(); return true;
    default: break;
  }
  if (tecla >= '1' && tecla <= '6') {
    const int caja = static_cast<int>(tecla - '1');
    NotificacionBotonCaja(kNotifActivado, BotonCaja(caja));
    return true;
  }
  return false;
}
