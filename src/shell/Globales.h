// Process-wide values: the language and the owner window, which change
// while the program runs, and the start-up record, written once by WinMain
// before any window is made and read by every window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "Cadena.h"
#include "Escala.h"

extern int32_t idioma;          // 0 Spanish, 1 English, 2 Portuguese, 3 Italian, 4 French, 5 German
extern HWND ventanaPrincipal;   // the main window, owner of every pop-up; null outside its life

// The play screen's layout, designed (multiply by the interface scale,
// Esc): the title strip across the top, the table below it between the
// bars.
constexpr int32_t kAltoTitulo = 78;
constexpr int32_t kXTablero = 49;
constexpr int32_t kMargenAnchoTablero = 77;   // the bars left and right of the table
constexpr int32_t kMargenAltoTablero = 128;   // the title strip and the strip under the table

struct DatosInicio {
  HINSTANCE instancia = nullptr;
  std::string carpeta;                          // the program's folder, ending in '\'
  std::string carpetaDatos;                     // the player's files' folder, ending in '\'
  int32_t anchoPantalla = 0, altoPantalla = 0;  // read once, never refreshed
  int32_t dpi = kDpiDiseño;                     // the screen's dots per inch
  int32_t escala = 1;                           // the interface's factor (Escala.h)
  int32_t anchoTablero = 0, altoTablero = 0;    // client size of the table board
  HCURSOR cursorSoltarCaja = nullptr;           // a piece over a box button
  HCURSOR cursorSelector = nullptr;             // over the size and count choosers
  HCURSOR cursorSelectorArrastre = nullptr;     // while a chooser is dragged
};

// What the running program reads: its folder (cut from the module's path),
// the folder of the player's files (made when it is the per-user one), the
// screen's size and the table's, its cursors.
DatosInicio LeerDatosInicio(HINSTANCE instancia);
// Cursor `id` of `instancia` at 32 x 32 times the interface's factor.
HCURSOR CargarCursor(HINSTANCE instancia, int id, int32_t escala);
// Cuts a module path of `escritos` characters after its last backslash
// (when that is at index 1 to 258), recounting the buffer; other paths stay
// as written.
void CortarDirectorio(Cadena& ruta, int32_t escritos);
// Written by WinMain once (a test program writes its own); sets the
// interface's scale too.
void EscribirDatosInicio(const DatosInicio& datos);
extern const DatosInicio& arranque;

// The screen in designed pixels: the designed layout is laid out on it,
// then enlarged by the interface's factor.
inline int32_t AnchoPantallaDiseño() { return arranque.anchoPantalla / arranque.escala; }
inline int32_t AltoPantallaDiseño() { return arranque.altoPantalla / arranque.escala; }

// The program's folder + `relativa`: the shipped data.
inline std::string RutaPrograma(const std::string& relativa) { return arranque.carpeta + relativa; }
// The player's files' folder + `relativa`: saves, records, settings,
// wallpaper, their own pictures.
inline std::string RutaDatos(const std::string& relativa) { return arranque.carpetaDatos + relativa; }

// A character typed into a child window is offered to its parent first.
constexpr UINT kMensajeCaracterHijo = 1524;
