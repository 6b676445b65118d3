// COVSROLL: the spin scroll control (two arrows and a grip in one strip).
#pragma once

#include <windows.h>

constexpr char kClaseDesplazador[] = "COVSROLL";

LRESULT CALLBACK ProcDesplazador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
