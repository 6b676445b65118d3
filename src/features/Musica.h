// CWNDMUSICA: the music window, a pop-up centred on the screen and owned by
// the window that opened it (disabled meanwhile): master and wave volume
// sliders on the mixer, four track buttons, exit and music off.
#pragma once

#include <windows.h>

#include <cstdint>

bool RegistrarMusica(HINSTANCE instancia);
void AbrirMusica(HWND padre);

// ---- State, for tests -----------------------------------------------------
HWND VentanaMusica();
HWND DeslizadorMaestro();
HWND DeslizadorOndas();
HWND BotonPistaMusica(int indice);  // track indice + 1
HWND BotonSalirMusica();
HWND BotonSilencioMusica();
int32_t PistaMusica();  // the track marked, 1 to 4 (0: none)
