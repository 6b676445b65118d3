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

// The two button sounds (WAVE 242 and 243), from memory, asynchronously.
void SonarEncima();
void SonarClic();

// Whether the window under the pointer is `hwnd`.
bool PunteroSobre(HWND hwnd);

// The control's record stored at GWLP_USERDATA.
template <typename Registro>
Registro* RegistroDe(HWND hwnd) {
  return reinterpret_cast<Registro*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

// Registers COVCOMMAND, COVBOXSCOMMAND, COVCHECK, COVSLIDE, COVSROLL, COVANIM
// and COVTXT in that order; false at the first failure.
bool RegistrarControles(HINSTANCE instancia);
