// The audio mixer (device 0): lines and controls found by type, volumes as
// percentages. Opening reports control changes to a window (MM_MIXM_
// CONTROL_CHANGE, lParam the control id). Without a mixer every lookup
// finds nothing and every volume operation fails quietly.
#pragma once

#include <windows.h>

#include <cstdint>

// Opens the mixer; true when the platform has one.
bool AbrirMixer(HWND ventana);
bool CerrarMixer();
// Ids start at 0 on some systems: this one stands for none.
constexpr DWORD kSinMixer = 0xFFFFFFFF;
// A line by component type (MIXERLINE_COMPONENTTYPE_*): its id, or kSinMixer.
DWORD LineaMixer(DWORD tipoComponente);
// The one control of `tipo` on line `linea`: its id, or kSinMixer.
DWORD ControlMixer(DWORD linea, DWORD tipo);
// A fader's value as 0-100; 50 when it cannot be read or has no range.
int32_t LeerVolumen(DWORD control);
// Sets a fader to `porcentaje` (0-100), on the control's own steps.
bool PonerVolumen(DWORD control, int32_t porcentaje);

// A raw value for a percentage on a fader from `minimo` to `maximo` with
// `pasos` steps (0 or 1: no steps).
DWORD ValorVolumen(DWORD minimo, DWORD maximo, DWORD pasos, int32_t porcentaje);
