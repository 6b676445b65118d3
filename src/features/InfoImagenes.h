// CWNDINFO: the picture information page, a full-screen pop-up owned by the
// main window (which stays enabled) with five picture buttons, each opening
// the preview of the shipped picture 1-5, and an exit button.
#pragma once

#include <windows.h>

bool RegistrarInfo(HINSTANCE instancia);

// Opens the page (or returns the one already open).
HWND AbrirInfo(HWND dueño);

// ---- State, for tests -----------------------------------------------------
HWND VentanaInfo();
HWND BotonImagenInfo(int indice);  // 0-4
HWND BotonSalirInfo();
