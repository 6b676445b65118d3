// CWNDFILE: the puzzle-file window, a pop-up centred on the screen and owned
// by the main window, which it disables. It shows the saved games of the
// player's folder\ four at a time; save mode takes a name to save the
// game under, open mode opens the selected one. Either can delete a file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Peticiones.h"  // the two modes

bool RegistrarVentanaArchivo(HINSTANCE instancia);

// Hides the floating windows, pauses the clock while the window is open
// and lists folder\*.epf (making the folder when it is missing). Null, and
// nothing happens, while a file window is already open.
HWND AbrirVentanaArchivo(int32_t modo);

// Saves the game on the table to the file it was last saved to or opened
// from; the first save of a game (or one opened from the autosave) opens
// the window in save mode to ask for a name.
void GuardarRapido();

// Keeps the game on the table as folder\Autosave.epf (replacing the last
// one) when it has changed since it was cut, opened or saved, then calls
// `seguir`, which leaves the game. When it cannot be written the player is
// asked first whether to leave it anyway: `seguir` runs (from the message
// loop) only on yes, and not at all when the question cannot be shown.
void GuardarAutomatico(void (*seguir)());

// ---- For the thumbnails ---------------------------------------------------
// Paints `pintar` of `hdc` with the window's background as it lies under
// the window's client point (x + pintar.left, y + pintar.top).
void PintarFondoArchivo(HDC hdc, const RECT& pintar, int x, int y);
// Whether thumbnail `indice` shows the selected file.
bool MiniaturaArchivoElegida(int indice);
// A click on thumbnail `indice` selects its file (and, saving, puts its
// name in the field).
void ElegirMiniaturaArchivo(int indice);
// OK, Enter, or a double click on a thumbnail.
void AceptarVentanaArchivo();

// ---- State, for tests -----------------------------------------------------
enum class BotonArchivo { aceptar, cancelar, borrar, ayuda };
HWND VentanaArchivo();
HWND MiniaturaVentanaArchivo(int indice);
HWND BotonVentanaArchivo(BotonArchivo boton);
HWND DesplazadorArchivo();   // null with four files or fewer at opening
HWND CampoNombreArchivo();   // null in open mode
// Label `indice` as drawn: the name without its extension.
std::string EtiquetaVentanaArchivo(int indice);
// Index of the selected file in the list; -1 when the list is empty.
int32_t SeleccionArchivo();
int32_t CantidadArchivos();
