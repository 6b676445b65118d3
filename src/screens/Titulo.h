// CWNDSHARDTITULO: the strip across the top of the play screen (a child of
// the main window, kAltoTitulo high): new puzzle, about, minimise and exit
// buttons and the puzzle's elapsed time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

bool RegistrarTitulo(HINSTANCE instancia);
void CrearTitulo(HWND padre);
HWND VentanaTitulo();
HWND BotonNuevoTitulo();  // for tests
// The new-puzzle button's picture in the current language.
void CambiarIdiomaTitulo();

// Shows hours:minutes:seconds (the total is not used).
void MostrarTiempo(uint32_t total, uint32_t horas, uint32_t minutos, uint32_t segundos);
// The time as shown: each part with a leading zero below 10.
std::string TextoTiempo(uint32_t horas, uint32_t minutos, uint32_t segundos);
// Where the time stands, in designed pixels: 2 x ((screen width - 703) / 3)
// + 506, or further left where a time `anchoTexto` wide would come closer
// than kHolguraTiempo to the minimise button (on the narrowest screens).
constexpr int32_t kHolguraTiempo = 40;
int32_t XTiempo(int32_t anchoPantallaTitulo, int32_t anchoTexto);
// The time's font, for measuring it.
HFONT CrearFuenteTiempo();

// Starts about.exe from the program's folder when it is there.
void LanzarAcercaDe();
