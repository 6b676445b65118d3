// COVSLIDE: a slider whose knob runs along a straight track between two
// points of the parent's client area, at any angle. The knob is a frame of
// a masked strip drawn over a copy of the parent's background picture under
// the slider, so the slider looks transparent.
//
// The window spans the track plus one knob: half a knob beyond each end.
// It is ready once it has the background, the knob strip and a track of
// some length, and the two pictures are 8-bit with the same number of
// colours (the knob is masked into the background's copy). Until then it is
// a black 50 x 50 window at the start point, deaf to the mouse; becoming
// unready ends a hover or a drag without reports.
//
// Only the knob reacts to the mouse: hovering is hovering over the knob,
// and the knob is dragged along the track. A drag sets the value nearest
// the knob's place, rounded to a multiple of the step and kept in the
// range (beyond either end: the minimum or the maximum). With a step below
// 1 (a range below 2 leaves it 0) values are whole numbers, unrounded.
//
// Messages (value in lParam, wParam 0); get messages return the value, set
// messages return 1 unless said. Points are packed x in the low 16 bits, y
// in the high 16 bits, signed, in the parent's client coordinates.
//   1324 / 1325  get / set enabled; disabling ends a drag or a hover
//                without reports
//   1326 / 1327  get / set the knob strip (HIMAGE, kept by the sender; one
//                sprite over its mask per row of frames); null drops it,
//                makes the slider not ready and returns 0
//   1334 / 1335  get / set the background picture (HIMAGE in parent
//                coordinates, kept by the sender); null drops it, makes the
//                slider not ready and returns 0
//   1336 / 1337  get / set the knob frame (0 .. rows x columns - 1, else
//                "Numero de Cuadro enviado al slide es invalido" and 0);
//                set moves the knob picture to the knob's place
//   1338 / 1339  get / set rows of the strip (>= 1, else "Numero de filas
//                enviado es invalido" and 0); the frame goes back to 0
//   1340 / 1341  get / set columns (>= 1, else "Numero de columnas enviado
//                es invalido" and 0); the frame goes back to 0
//   1342 / 1343  get / set maximum (100); a minimum above it comes down to
//                it, and the position too; a position above it comes down
//   1344 / 1345  get / set minimum (0); the same the other way round
//   1346 / 1347  get / set position (50); set is ignored during a drag,
//                else truncated to a multiple of the step (unless the step
//                is below 1) and kept in the range
//   1348 / 1349  get / set step (5); a step above maximum - minimum, or
//                below 1, becomes half the range (1343 and 1345 apply the
//                first rule too). 1349 does not redraw.
//   1350 / 1351  get / set the start point; the end point stays put
//   1352 / 1353  get / set the end point
//   any other message from 1324 to 1424 -> 1, does nothing
// 1327, 1335, 1339, 1341, 1351 and 1353 lay the slider out again; they and
// 1343, 1345, 1347 redraw it with the knob at the position.
// Notifications (1324 to the parent; wParam code, lParam the control):
//   0 knob pressed (capture taken), 1 released after a press, then 3 when
//   the pointer is off the knob; 2 pointer over the knob, 3 pointer left
//   it; 4 value changed by a drag. On 4 the slider does not repaint: the
//   owner reads the position (1346) and answers with 1337, which moves the
//   knob picture to its new place.
#pragma once

#include <windows.h>

#include "Controles.h"

constexpr char kClaseDeslizador[] = "COVSLIDE";

constexpr UINT kMsgDeslObtenerTira = kMsgObtenerImagen;  // 1326
constexpr UINT kMsgDeslPonerTira = kMsgPonerImagen;      // 1327
constexpr UINT kMsgDeslObtenerFondo = 1334;
constexpr UINT kMsgDeslPonerFondo = 1335;
constexpr UINT kMsgDeslObtenerCuadro = 1336;
constexpr UINT kMsgDeslPonerCuadro = 1337;
constexpr UINT kMsgDeslObtenerFilas = 1338;
constexpr UINT kMsgDeslPonerFilas = 1339;
constexpr UINT kMsgDeslObtenerColumnas = 1340;
constexpr UINT kMsgDeslPonerColumnas = 1341;
constexpr UINT kMsgDeslObtenerMaximo = 1342;
constexpr UINT kMsgDeslPonerMaximo = 1343;
constexpr UINT kMsgDeslObtenerMinimo = 1344;
constexpr UINT kMsgDeslPonerMinimo = 1345;
constexpr UINT kMsgDeslObtenerPosicion = 1346;
constexpr UINT kMsgDeslPonerPosicion = 1347;
constexpr UINT kMsgDeslObtenerPaso = 1348;
constexpr UINT kMsgDeslPonerPaso = 1349;
constexpr UINT kMsgDeslObtenerInicio = 1350;
constexpr UINT kMsgDeslPonerInicio = 1351;
constexpr UINT kMsgDeslObtenerFin = 1352;
constexpr UINT kMsgDeslPonerFin = 1353;

LRESULT CALLBACK ProcDeslizador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
