// CWNDBARRAOPC: the 25-pixel strip along the bottom of the play screen with
// its centred tab label; the pointer on it slides the options window up.
#pragma once

#include <windows.h>

bool RegistrarBarraOpciones(HINSTANCE instancia);
// A visible child of the main window at (0, H - 25), screen width x 25.
void CrearBarraOpciones(HWND principal);
HWND VentanaBarraOpciones();
// The tab's picture in the current language.
void CambiarIdiomaBarraOpciones();
