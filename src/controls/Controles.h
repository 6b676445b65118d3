// The program's own controls: seven window classes painted from archive
// pictures, configured by their owner with messages 1324-1355 and reporting
// to their parent with message 1324.
//
// Every control keeps its record at GWLP_USERDATA (allocated on WM_CREATE,
// freed on WM_DESTROY). Pictures are HIMAGEs that stay owned by the sender.
// A message from 1324 to 1424 that a class does not list returns 1 and does
// nothing; none of that range reaches DefWindowProcA.
#pragma once

#include <windows.h>

#include <cstdint>
#include <new>

#include "Escala.h"

// ---- Messages to a control (value in lParam, wParam 0 unless said) --------
// Get messages return the value; set messages return 1 unless the class's
// header says otherwise. Booleans are set from lParam != 0; points are
// packed x in the low 16 bits, y in the high 16 bits.
constexpr UINT kMsgObtenerHabilitado = 1324;  // also the notification below
constexpr UINT kMsgHabilitar = 1325;
constexpr UINT kMsgObtenerImagen = 1326;
constexpr UINT kMsgPonerImagen = 1327;
// 1334-1355: each class gives these its own meaning (see its header).
constexpr UINT kMsgControlPrimero = 1324;
constexpr UINT kMsgControlUltimo = 1424;

// ---- Notifications: SendMessageA(GetParent(control), 1324, code, control) --
constexpr UINT kMsgNotificacion = 1324;
constexpr int kNotifPresionado = 0;  // left button pressed on the control
constexpr int kNotifSoltado = 1;     // released after a press on it
constexpr int kNotifEntro = 2;       // pointer entered (hover begins)
constexpr int kNotifSalio = 3;       // pointer left (hover ends)
constexpr int kNotifActivado = 4;    // click completed inside, or value changed
constexpr int kNotifQuinto = 5;      // check: option cleared by the owner; animation: tick

// The hover check of every control: timer 1, every 120 ms.
constexpr UINT_PTR kTimerEncima = 1;
constexpr UINT kPeriodoEncima = 120;

inline bool EsMensajeControl(UINT msg) { return msg >= kMsgControlPrimero && msg <= kMsgControlUltimo; }

// Reports `codigo` to the control's parent, synchronously.
void NotificarPadre(HWND control, int codigo);

// The two button sounds (loaded by RegistrarControles), from memory,
// asynchronously.
void SonarEncima();
void SonarClic();
// Pointer to the data of a WAVE resource of `instancia`, or nullptr.
const void* CargarSonido(HINSTANCE instancia, int id);

// Whether the window under the pointer is `hwnd`.
bool PunteroSobre(HWND hwnd);

// The control's record stored at GWLP_USERDATA.
template <typename Registro>
Registro* RegistroDe(HWND hwnd) {
  return reinterpret_cast<Registro*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Resizes a control without moving it (every control sizes itself to its
// picture or text).
void AjustarVentana(HWND hwnd, int32_t ancho, int32_t alto);
inline void Repintar(HWND hwnd) { InvalidateRect(hwnd, nullptr, FALSE); }

// ---- Press and capture ----------------------------------------------------
// Whether the window at client point (x, y) of `hwnd` is `hwnd` itself.
bool PuntoSobre(HWND hwnd, int x, int y);
// Releases the mouse only while `hwnd` holds it: ReleaseCapture would take
// it from whichever window holds it now.
void SoltarCaptura(HWND hwnd);
// A release ends a press "over" the control only while the control still
// holds the capture and the release's own point (the WM_LBUTTONUP lParam,
// client coordinates) is over it: a click the program handles late, after
// the pointer has moved on, still counts. A press that lost the capture to
// another window ends as a release outside (lParam -1).
bool SoltadoSobre(HWND hwnd, LPARAM lParam);
// WM_CAPTURECHANGED: when another window takes the mouse during a press,
// the control sends itself WM_LBUTTONUP (wParam 0, lParam -1) so the press
// ends the normal way. Clear the press flag before releasing the capture
// yourself, or this fires too.
void CapturaCambiada(HWND hwnd, HWND nueva, bool capturado);

// ---- Hover ----------------------------------------------------------------
// A control learns that the pointer came over it from WM_MOUSEMOVE, but
// nothing tells it that the pointer left for another window: while it
// shows a hover, the hover check asks every kPeriodoEncima ms.
inline void EmpezarEncima(HWND hwnd) { SetTimer(hwnd, kTimerEncima, kPeriodoEncima, nullptr); }
inline void PararEncima(HWND hwnd) { KillTimer(hwnd, kTimerEncima); }
// WM_TIMER `id`: when it is the hover check's, nothing holds the hover
// (`retenido`: a press, or a control that does not react now) and
// `sigueSobre()` finds the pointer gone, the hover ends: the check stops,
// `dejar()` takes the hover look away and the parent hears kNotifSalio.
template <typename SigueSobre, typename Dejar>
LRESULT RevisarEncima(HWND hwnd, UINT_PTR id, bool retenido, SigueSobre sigueSobre, Dejar dejar) {
  if (id != kTimerEncima || retenido || sigueSobre()) return 0;
  PararEncima(hwnd);
  dejar();
  NotificarPadre(hwnd, kNotifSalio);
  return 0;
}
// The same where the whole window is what the pointer hovers.
template <typename Dejar>
LRESULT RevisarEncima(HWND hwnd, UINT_PTR id, bool retenido, Dejar dejar) {
  return RevisarEncima(hwnd, id, retenido, [hwnd] { return PunteroSobre(hwnd); }, dejar);
}

// ---- Records --------------------------------------------------------------
// Allocates and stores a fresh record on WM_CREATE; false without memory
// (WM_CREATE then returns -1 and the window is not made).
template <typename Registro>
bool CrearRegistro(HWND hwnd) {
  auto* r = new (std::nothrow) Registro();
  if (!r) return false;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(r));
  return true;
}
template <typename Registro>
void LiberarRegistro(HWND hwnd) {
  Registro* r = RegistroDe<Registro>(hwnd);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
  delete r;
}
// Any message that finds no record (before WM_CREATE, after WM_DESTROY, or
// when the record could not be made): the control range still answers 1.
LRESULT SinRegistro(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// WM_PAINT of a control with nothing to show: its update rectangle black.
LRESULT PintarNegro(HWND hwnd);

// A window class of the program; the arrow cursor when none is given, and
// no background brush unless black is asked for.
struct ClaseVentana {
  const char* nombre = nullptr;
  WNDPROC procedimiento = nullptr;
  UINT estilo = 0;
  HCURSOR cursor = nullptr;
  bool fondoNegro = false;
  int bytesExtra = 0;
};
bool RegistrarClase(HINSTANCE instancia, const ClaseVentana& clase);

// Loads the button sounds of `instancia`, then registers COVCOMMAND,
// COVBOXSCOMMAND, COVCHECK, COVSLIDE, COVSROLL, COVANIM and COVTXT in that
// order; false at the first failure.
bool RegistrarControles(HINSTANCE instancia);
