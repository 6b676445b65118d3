// CWNDBARRAHER: the narrow strip along the left edge of the play screen
// with its tab label; the pointer on it slides the tools window out.
#pragma once

#include <windows.h>

bool RegistrarBarraHerramientas(HINSTANCE instancia);
// A visible child of the main window at (0, 78), 25 x (screen height - 103).
void CrearBarraHerramientas(HWND principal);
HWND VentanaBarraHerramientas();
// The tab's picture in the current language.
void CambiarIdiomaBarraHerramientas();
