// CWNDHerramientas: the tools window that slides out over the left of the
// table with four animated buttons: solve, hint, music, honour roll.
#pragma once

#include <windows.h>

bool RegistrarHerramientas(HINSTANCE instancia);
// A hidden child of the main window at (0, 78), 98 x (screen height - 78).
void CrearHerramientas(HWND principal);
HWND VentanaHerramientas();
// Slides it out; nothing while it is out.
void AbrirHerramientas();
// Whether it is still sliding out (its buttons show once it is out).
bool HerramientasDeslizando();
// The hint button: enabled again by a new puzzle and by a finished one.
HWND BotonPista();
// The hint button usable again and at rest, or greyed out.
void PistaDisponible(bool disponible);
// The four buttons, top to bottom: solve, hint, music, honour roll.
HWND BotonHerramienta(int indice);
