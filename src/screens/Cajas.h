// CWNDBOX: the six piece boxes, floating windows owned by the main window,
// each with a title bar, close and rename buttons, a frame to move and
// resize it by, and a board of its own inside.
#pragma once

#include <windows.h>

#include <cstdint>

constexpr int kNumeroCajas = 6;
constexpr uint32_t kImagenBotonVacio = 200, kImagenBotonConPiezas = 600;  // + the box

bool RegistrarCajas(HINSTANCE instancia);
// Creates the six box buttons on the main window's right edge, then the six
// boxes hidden, with their boards (the buttons take the drops for the boxes).
void CrearCajas(HWND principal);
// The main window hands its box buttons' notifications over: a click shows
// or hides the button's box. False when `control` is no box button.
bool NotificacionBotonCaja(int codigo, HWND control);
// The main window is going: the buttons go with it.
void OlvidarBotonesCaja();

// Box button i (0-5) on the right edge: it shows and hides box i and takes
// pieces dropped for it.
HWND BotonCaja(int indice);
// Gives box button i archive picture `numero` (kImagenBotonVacio + i empty,
// kImagenBotonConPiezas + i with pieces).
void CambiarImagenBotonCaja(int indice, uint32_t numero);
// Where box button i stands on a screen of the given size.
POINT PosicionBotonCaja(int indice, int anchoPantallaBoton, int altoPantallaBoton);
HWND VentanaCaja(int indice);
// Box i grows, within the screen and keeping its place where it can, until
// its board shows `piezas` pieces in the rows the edges are laid in.
void AgrandarCajaPara(int indice, int32_t piezas);
// The answer to the rename question.
void TerminarRenombrar(bool aceptar, const char* nombre);

// The smallest and largest box, client size.
constexpr int kLadoMinimoCaja = 200;
