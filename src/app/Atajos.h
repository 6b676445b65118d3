// The keyboard shortcuts of the play screen, seen by the message loop
// before the windows: Ctrl+N, O, S, Z, Y (Ctrl+Shift+Z), E, G, B; H, M, F1,
// 1-6; Escape closes the pop-up on top and never quits.
#pragma once

#include <windows.h>

// Does what `msg` asks for when it is a shortcut that applies now; true
// when it was taken (the message then goes no further).
bool AtenderAtajo(const MSG& msg);
