// Start-up pieces of WinMain: the display checks and their error dialog,
// the program's folder, its sounds, the class registrations and the one
// message loop.
#pragma once

#include <windows.h>

#include "Cadena.h"

// String ids of the start-up messages (base + language index).
constexpr int32_t kTextoColores = 160;       // fewer than 16 bits per pixel
constexpr int32_t kTextoResolucion = 200;    // screen below 800 x 600
constexpr int32_t kTextoSinArchivo = 230;    // Tessera.rf missing or unreadable
constexpr int kDialogoErrorInicio = 564;
constexpr int kTextoDialogoErrorInicio = 1000;

// Which start-up message a display calls for: 0 when it is good enough.
int32_t ComprobarPantalla(int32_t bitsPorPixel, int32_t ancho, int32_t alto, int32_t idiomaActual);

// Shows dialog 564 with string `idTexto`; closing it (its button, Enter or
// Escape, through BucleMensajes) posts the quit message with `codigoSalida`.
void MostrarErrorInicio(int32_t idTexto, int codigoSalida = 0);
INT_PTR CALLBACK ErrorInicioDlgProc(HWND dialogo, UINT mensaje, WPARAM wParam, LPARAM lParam);

// Cuts a module path of `escritos` characters after its last backslash
// (when that is at index 1 to 258), recounting the buffer; other paths stay
// as written.
void CortarDirectorio(Cadena& ruta, int32_t escritos);

// Pointer to the data of a WAVE resource of the program, or nullptr.
const void* CargarSonido(HINSTANCE instancia, int id);

// Registers every window class that exists, in start-up order.
void RegistrarClases(HINSTANCE instancia);

// Runs until the quit message; returns its wParam. Each message's paints
// follow it at once, one per window.
int BucleMensajes();
