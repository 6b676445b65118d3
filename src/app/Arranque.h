// Start-up pieces of WinMain: the display checks and their error dialog,
// the class registrations, what follows the intro and the one message
// loop.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "recursos.h"

// String ids of the start-up messages (base + language index).
constexpr int32_t kTextoColores = 160;       // fewer than 16 bits per pixel
constexpr int32_t kTextoResolucion = 200;    // screen below 800 x 600
constexpr int32_t kTextoSinArchivo = 230;    // Tessera.rf missing
constexpr int32_t kTextoArchivoDañado = 400; // Tessera.rf damaged or lacking a picture
constexpr int32_t kTextoSinImagenes = 410;   // no shipped picture in the Image folder
constexpr int kDialogoErrorInicio = IDD_ERROR_INICIO;
constexpr int kTextoDialogoErrorInicio = IDC_ERROR_TEXTO;

// Which start-up message a display calls for: 0 when it is good enough.
int32_t ComprobarPantalla(int32_t bitsPorPixel, int32_t ancho, int32_t alto, int32_t idiomaActual);

// Opens the picture archive of the installation in `carpeta` (ending in a
// backslash) and checks what the game cannot start without: the archive
// whole, with every picture the program asks for, and an Image folder
// holding at least one of the shipped pictures. 0 when all is there;
// otherwise the start-up message that says what is wrong (base +
// `idiomaActual`), with the archive closed.
int32_t AbrirInstalacion(const std::string& carpeta, int32_t idiomaActual);

// The archive's warning (AvisarArchivoDañado) once the game runs: a picture
// it could not give. The window that asked goes on without it; at the next
// message BucleMensajes hides every window of the game and shows the
// damaged-archive message, whose OK ends the game with code 1.
void AnotarArchivoDañado(uint32_t numero);

// Shows dialog 564 with string `idTexto`; closing it (its button, Enter or
// Escape, through BucleMensajes) posts the quit message with `codigoSalida`.
void MostrarErrorInicio(int32_t idTexto, int codigoSalida = 0);
INT_PTR CALLBACK ErrorInicioDlgProc(HWND dialogo, UINT mensaje, WPARAM wParam, LPARAM lParam);

// Registers every window class that exists, in start-up order.
void RegistrarClases(HINSTANCE instancia);

// After the intro (or without one): the main window, then the start-up
// puzzle when one is asked for.
void EmpezarJuego();

// Runs until the quit message; returns its wParam. Each message's paints
// follow it at once, one per window.
int BucleMensajes();
