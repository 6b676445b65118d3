// CWNDVIDEO: one video of the Video folder played full screen, centred at
// its own size on black: the intro, the finishing video, or a panel with
// replay, web and exit buttons. What follows a video is its caller's.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int32_t kVideoPanel = 0, kVideoFinal = 1, kVideoIntro = 2;

// What follows a video's end.
using TrasVideo = void (*)();

bool RegistrarVideo(HINSTANCE instancia);

// Plays Video\<modo>.avi; `despues` runs when it has ended: after the intro
// always, after the others only while the main window stands (which is
// enabled again first). When the video cannot be played no window is made
// and `despues` runs at once. Returns the window or null.
HWND AbrirVideo(int32_t modo, TrasVideo despues = nullptr);

// For tests: the open video window (or null), its MCI device (0 = none) and
// the panel's buttons (null but in mode 0).
HWND VentanaVideo();
uint32_t DispositivoVideo();
HWND BotonSalirVideo();
HWND BotonRepetirVideo();
HWND BotonWebVideo();
