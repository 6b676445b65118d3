// COVSLIDE: the slider control (a knob dragged along a track).
#pragma once

#include <windows.h>

constexpr char kClaseDeslizador[] = "COVSLIDE";

LRESULT CALLBACK ProcDeslizador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
