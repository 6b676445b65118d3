// Operations many windows share: hiding the floating windows, opening the
// help pages, the feedback of animated buttons, and the end of a puzzle.
#pragma once

#include <windows.h>

#include <string>

// Hides the six piece boxes but `excepto` (null hides all six), then the
// magnifier.
void OcultarVentanasFlotantes(HWND excepto);

// The help page of the current language, opened with the system shell.
void AbrirAyuda();
// Its path: the program's folder + "Help\<language>\Index.htm".
std::string RutaAyuda(int idiomaAyuda);

// The standard feedback of an animated button to its own notification:
// hover animation, pressed frame, sounds. Call first, then act on a click.
void ReaccionBotonAnimado(HWND control, int codigo);

// The hint button usable again, at rest (a new or a finished puzzle).
void HabilitarPista();

// A drop completed the puzzle: the hint button is usable again and the
// end-of-puzzle sequence starts.
void PuzzleTerminado();
