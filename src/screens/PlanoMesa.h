// CWNDPLANO: the table overview, a small floating window owned by the main
// window: the whole table in miniature and, in brass, the part the table
// window shows. It shows itself for a table larger than its window; V and
// its close button hide it.
#pragma once

#include <windows.h>

#include "Vista.h"

bool RegistrarPlano(HINSTANCE instancia);
// Creates it hidden, owned by the main window, near the table's top right.
void CrearPlano(HWND principal);
HWND VentanaPlano();
// Its title, string 880 + the current language.
void CambiarIdiomaPlano();

// After a cut, a load or a close: the miniature is made again, and a table
// larger than its window shows the overview, once a game.
void ActualizarPlano();
// The table was recomposed there (table pixels): the miniature follows
// within a tenth of a second.
void MesaCambiadaPlano(RectMesa cambio);
// Shows or hides it; nothing for a table its window holds.
void AlternarPlano();

// The miniature's place in the client area, and the table as it shows it
// (a Vista of the whole table into that place).
RECT AreaPlano();
const Vista& VistaPlano();
