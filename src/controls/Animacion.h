// COVANIM: a clickable picture showing one frame of a sprite strip; the
// owner picks the frame. While running it only ticks: it reports 5 every
// interval and the owner answers by picking the next frame (the standard
// answer for animated buttons is ReaccionBotonAnimado).
//
// The strip is cut into rows x columns frames (1 x 1 until told); the
// control is one frame large. Opaque mode draws the frame as it is.
// Transparent mode draws it through its mask (each row of the strip is two
// frames tall, sprite over mask) over a background: a device context whose
// selected bitmap is exactly one frame large; the strip must then be 8-bit
// with a palette, and the background is taken in that palette. Until it has
// a strip (and, transparent, a matching background) the control is not
// ready: black, deaf to the mouse, not ticking.
//
// Messages (value in lParam, wParam 0); set messages return 1 unless said:
//   1324 / 1325  get / set enabled; disabling ends a press, no repaint
//   1326 / 1327  get / set the strip (HIMAGE, kept by the sender); null (a
//                strip that could not be had) takes it away and gives 0
//   1334 / 1335  get / set the background (HDC, kept by the sender; null:
//                same assertion; 0 when its bitmap cannot be read, and the
//                background is dropped)
//   1336 / 1337  get / set transparent mode
//   1338 / 1339  get / set the frame shown (0 .. rows x columns - 1, else the
//                assertion "Numero de Cuadro enviado al Animation es
//                invalido" and 0)
//   1340 / 1341  get / set rows (>= 1, else "numero de filas invalido", 0)
//   1342 / 1343  get / set columns (>= 1, else "numero de columnas invalido")
//   1344 / 1345  get / set the tick interval in ms (75; below 45 raises
//                "tiempo para el intervalo del timer demasiado bajo" but is
//                kept); a running tick keeps its period until restarted
//   1346 / 1347  get / set running; acts only when ready
//   1348 / 1349  get / set a value of the owner's (the animated buttons keep
//                their state there)
//   1350         whether the pointer is over the control
//   any other message from 1324 to 1424 -> 1, does nothing
// A change of strip, background, rows, columns or mode re-measures the
// control, forgets the hover mark and stops the ticks; a frame number left
// outside the new grid goes back to 0.
// Notifications (1324 to the parent; wParam code, lParam the control):
//   0 pressed, 1 released after a press (1350 then tells whether over it),
//   2 pointer entered, 3 pointer left, 4 clicked, 5 tick while running.
#pragma once

#include <windows.h>

constexpr char kClaseAnimacion[] = "COVANIM";

constexpr UINT kMsgAnimObtenerFondo = 1334;
constexpr UINT kMsgAnimPonerFondo = 1335;
constexpr UINT kMsgAnimObtenerTransparente = 1336;
constexpr UINT kMsgAnimPonerTransparente = 1337;
constexpr UINT kMsgAnimObtenerCuadro = 1338;
constexpr UINT kMsgAnimPonerCuadro = 1339;
constexpr UINT kMsgAnimObtenerFilas = 1340;
constexpr UINT kMsgAnimPonerFilas = 1341;
constexpr UINT kMsgAnimObtenerColumnas = 1342;
constexpr UINT kMsgAnimPonerColumnas = 1343;
constexpr UINT kMsgAnimObtenerIntervalo = 1344;
constexpr UINT kMsgAnimPonerIntervalo = 1345;
constexpr UINT kMsgAnimObtenerCorriendo = 1346;
constexpr UINT kMsgAnimCorrer = 1347;
constexpr UINT kMsgAnimObtenerValorUsuario = 1348;
constexpr UINT kMsgAnimPonerValorUsuario = 1349;
constexpr UINT kMsgAnimObtenerSobre = 1350;

// The tick: timer 2.
constexpr UINT_PTR kTimerTic = 2;

LRESULT CALLBACK ProcAnimacion(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
