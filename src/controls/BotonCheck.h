// COVCHECK: a two-state picture button, which can also act as one option
// of a group.
//
// The picture is a vertical strip of equal frames: up, up hovered, down
// (checked), down hovered; with the disabled-frame flag a disabled frame
// comes first. The button is as wide as the strip and one frame high; a
// disabled button shows frame 0. While pressed it shows the state a
// release would give, as long as the pointer is over it.
//
// Messages (value in lParam, wParam 0):
//   1324 / 1325  get / set enabled (set -> 1; disabling ends a press)
//   1326 / 1327  get / set picture (HIMAGE, kept by the sender); 1327
//                sizes the window to one frame. Null (a picture that could
//                not be had) takes the picture away: a press or hover ends
//                unreported, the button keeps its size and its checked
//                state, shows black and ignores the mouse; 1327 gives 0.
//   1334 / 1335  get / set disabled-frame flag; 1335 re-measures
//   1336 / 1337  get / set checked. Setting ends a press; clearing an
//                enabled option button reports 5 to the parent.
//   1338 / 1339  get / set option flag. An option button that is checked
//                stays checked when clicked; keeping one option of a group
//                checked is the owner's business (1337).
//   any other message from 1324 to 1424 -> 1, does nothing
// Notifications (1324 to the parent; wParam code, lParam the button):
//   0 pressed, 1 released after a press, 2 pointer entered (hover sound),
//   3 pointer left, 4 toggled by a click (click sound first), 5 an option
//   button was cleared by its owner.
// Nothing answers the mouse until the button has a picture.
#pragma once

#include <windows.h>

constexpr char kClaseBotonCheck[] = "COVCHECK";

constexpr UINT kMsgCheckObtenerFrameInactivo = 1334;
constexpr UINT kMsgCheckPonerFrameInactivo = 1335;
constexpr UINT kMsgCheckObtenerMarcado = 1336;
constexpr UINT kMsgCheckPonerMarcado = 1337;
constexpr UINT kMsgCheckObtenerOpcion = 1338;
constexpr UINT kMsgCheckPonerOpcion = 1339;

LRESULT CALLBACK ProcBotonCheck(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
