// CWNDHerramientas: the tools window that slides out over the left of the
// table with its animated buttons: solve, hint, edges to a box, spread,
// music, honour roll.
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
// The buttons, top to bottom.
enum BotonHerramientas { kHerramientaResolver, kHerramientaPista, kHerramientaBordes, kHerramientaEsparcir,
                         kHerramientaMusica, kHerramientaHonor };
HWND BotonHerramienta(int indice);
// What a click on button `boton` does, for the keyboard too (the hint only
// while the hint button is usable).
void AccionHerramienta(int boton);
