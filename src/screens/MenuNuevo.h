// CWNDNEW: the new-puzzle window, a pop-up centred on the screen and owned
// by the main window, which it disables. Four pages (picture, size, count,
// die and turned pieces) behind four tabs; OK cuts the puzzle onto the
// table. A page change slides the new page up in a fixed time, leaving the
// input free.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Cut.h"
#include "HImage.h"

// Registers the thumbnails (CWNDPREVFS), then CWNDNEW.
bool RegistrarMenuNuevo(HINSTANCE instancia);

// Hides the floating windows and opens the window on its picture page.
void AbrirMenuNuevo();
// Opens the chosen picture as the current one and sets the choosers, the
// scrolls and the labels for it.
void SeleccionarImagen();

// Whether OK cuts every piece turned: the die page's box. The program sets
// it at start-up from the settings; a click on the box sets it and asks
// the program to keep it (Peticiones::GuardarPiezasGiradas).
void PonerPiezasGiradas(bool giradas);
bool PiezasGiradas();

// ---- For the thumbnails ---------------------------------------------------
HIMAGE FondoMenuNuevo();
// Whether thumbnail `indice` shows the chosen picture.
bool MiniaturaElegida(int indice);
// A click on thumbnail `indice` chooses its picture.
void ElegirMiniatura(int indice);
// Shows the chosen picture full screen, when one is open.
void VerImagenElegida();

// ---- State, for tests -----------------------------------------------------
enum class ControlNuevo {
  aceptar, cerrar, ajustar, natural, vistaTroquel, ayuda, vistaPrevia, agregar, giradas,
  desplazadorImagenes, desplazadorTamaño, desplazadorCantidad, selectorTamaño, selectorCantidad,
};
HWND VentanaMenuNuevo();
// The request OK cuts the puzzle with, as the window stands.
PedidoPuzzle PedidoCorteMenuNuevo();
// What the add button does with the files the open dialog gave.
void AgregarImagenesMenuNuevo(const std::vector<std::wstring>& rutas);
HWND ControlMenuNuevo(ControlNuevo control);
HWND PestañaMenuNuevo(int pagina);
HWND TroquelMenuNuevo(int indice);
HWND MiniaturaMenuNuevo(int indice);
// The three value labels: rows, columns, pieces.
HWND ValorMenuNuevo(int indice);
int PaginaMenuNuevo();
// Whether a page change is still sliding (the new page's controls show
// once it is up).
bool PaginaDeslizando();
int TroquelElegido();
// Index of the chosen picture in the picture list, and the first shown.
int32_t ImagenElegida();
int32_t PrimeraImagenMostrada();
int32_t CantidadImagenes();
