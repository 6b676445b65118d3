// COVCOMMAND and COVBOXSCOMMAND: the picture push button. Both classes run
// the same procedure; the main window's piece-box buttons are
// COVBOXSCOMMAND so that the two kinds can be told apart by class.
//
// The picture is a vertical strip of equal frames: normal, hovered,
// pressed; with the disabled-frame flag a disabled frame comes first. The
// button is as wide as the strip and one frame high; a disabled button
// shows frame 0.
//
// Messages (value in lParam, wParam 0):
//   1324  get enabled                         -> 0 or 1
//   1325  set enabled (lParam != 0)           -> 1; disabling ends a press
//   1326  get picture                         -> the HIMAGE
//   1327  set picture (HIMAGE, kept by the sender) -> 1. Sizes the window
//         to one frame; send it again after the picture changed. Null (a
//         picture that could not be had) takes the picture away: a press
//         or hover ends unreported, the button keeps its size, shows black
//         and ignores the mouse; -> 0.
//   1334  get disabled-frame flag             -> 0 or 1
//   1335  set disabled-frame flag (lParam != 0) -> 1; re-measures
//   any other message from 1324 to 1424       -> 1, does nothing
// Notifications (1324 to the parent; wParam code, lParam the button):
//   0 pressed, 1 released after a press, 2 pointer entered (hover sound),
//   3 pointer left, 4 clicked: released over the button (click sound first).
// Nothing answers the mouse until the button has a picture.
#pragma once

#include <windows.h>

#include <cstdint>

#include "HImage.h"

constexpr char kClaseBotonComando[] = "COVCOMMAND";
constexpr char kClaseBotonCaja[] = "COVBOXSCOMMAND";

constexpr UINT kMsgBotonObtenerFrameInactivo = 1334;
constexpr UINT kMsgBotonPonerFrameInactivo = 1335;

LRESULT CALLBACK ProcBotonComando(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// ---- Shared with COVCHECK: the strip of frames and its painting -----------
struct TiraBoton {
  int32_t conFrameInactivo = 0;  // 1: the strip starts with a disabled frame
  bool habilitado = true;
  HIMAGE imagen = nullptr;  // kept by the sender
  int32_t ancho = 0;        // picture width = window width
  int32_t altoFrame = 0;    // picture height / frames in the strip
};

// Takes the frame size from a strip of `cuadros` frames (plus the disabled
// one), resizes the window to it and repaints.
void MedirTiraBoton(HWND hwnd, TiraBoton* tira, int32_t cuadros);
// WM_PAINT: the update rectangle from frame `cuadro`, or black without a
// picture.
LRESULT PintarTiraBoton(HWND hwnd, const TiraBoton& tira, int32_t cuadro);
