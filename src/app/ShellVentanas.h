// The engine's side effects carried out on the real windows: repaints,
// notifications to the boards' parents, the fit sound, the clock timer,
// the time display, the magnifier, the piece boxes' names.
#pragma once

#include <cstdint>

// Installs the window shell for the engine (the main window does it first
// thing at its creation).
void InstalarShellVentanas();

// While the main window is being destroyed the boards' parents go away
// first: their empty notifications are dropped.
void SilenciarNotificaciones(bool silencio);
