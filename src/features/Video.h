// CWNDVIDEO: one video of the Video folder played full screen, centred at
// its own size on black. Mode 2 is the intro, which creates the main window
// when it ends; mode 1 the finishing video, which opens the finished
// picture's preview; mode 0 a panel with replay, web and exit buttons.
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarVideo(HINSTANCE instancia);

// Plays Video\<modo>.avi. When the video cannot be played no window is
// made and what follows its end happens at once. Returns the window or null.
HWND AbrirVideo(int32_t modo);

// For tests: the open video window (or null), its MCI device (0 = none) and
// the panel's buttons (null but in mode 0).
HWND VentanaVideo();
uint32_t DispositivoVideo();
HWND BotonSalirVideo();
HWND BotonRepetirVideo();
HWND BotonWebVideo();
