// Process-wide values set at start-up and read by every window.
#pragma once

#include <windows.h>

#include "Cadena.h"

extern int32_t idioma;  // 0 Spanish, 1 English, 2 Portuguese, 3 Italian, 4 French, 5 German
extern const int32_t anchoPantalla, altoPantalla;  // read once, never refreshed
extern const int32_t anchoTablero, altoTablero;    // client size of the table board
extern Cadena rutaArchivoPuzzle;                   // path buffer of the puzzle file operations
extern Cadena directorioPrograma;                  // ends in '\'
extern HINSTANCE instanciaPrograma;
extern const void* sonidoEncima;  // WAVE 242, played from memory
extern const void* sonidoClic;    // WAVE 243
// Cursor resources of the program, loaded at static initialisation.
extern const HCURSOR cursorSoltarCaja;        // 245: a piece over a box button
extern const HCURSOR cursorSelector;          // 240: over the size and count choosers
extern const HCURSOR cursorSelectorArrastre;  // 241: while a chooser is dragged

// A character typed into a child window is offered to its parent first.
constexpr UINT kMensajeCaracterHijo = 1524;
