// The one view of the table: which part of it the play window shows, and how
// near. The table window moves it; the overview, the hint and the dump read
// it. Boxes are always seen whole at 1:1.
#pragma once

#include <cstdint>

#include "Vista.h"

const Vista& VistaMesa();
// The window is the table: 1:1 from its corner, on a table the window
// holds.
bool VistaPlana();
// Sets the view (limited to the table) and tells every listener.
void FijarVistaMesa(const Vista& v);

// How many times the view was set so far.
uint32_t CambiosVistaMesa();

// Called after each change with the view before it.
using OyenteVista = void (*)(const Vista& antes);
void OirVistaMesa(OyenteVista oyente);

// The zoom around a window point of the table, by wheel notches or steps
// (negative: out), and the whole table.
void AmpliarMesa(int32_t pasos, Punto ancla);
void VerMesaEntera();
// Between the whole table and the last close-up, about a window point.
void AlternarMesaEntera(Punto ancla);
void DesplazarMesa(int32_t dx, int32_t dy);
// Brings table rectangle `r` into view, scrolling as little as it can
// (centred when it does not fit).
void MostrarRectMesa(RectMesa r);
// Shows table rectangle `r` whole, as near as 1:1 at most, in the middle.
void VerRectMesa(RectMesa r);
// A finished puzzle on a table larger than the window: the view shows it.
void VerPuzzleResuelto();
