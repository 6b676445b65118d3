// The end of a puzzle, one step after another: the finishing video, the
// finished picture, the wallpaper question, the honour check. Each step
// hands over to the next when it is done, or at once when it cannot show.
#pragma once

// A drop completed the puzzle: the hint button is usable again and the
// sequence starts.
void PuzzleTerminado();

// The steps, in order (each also callable on its own, for tests).
void MostrarImagenTerminada();
void TrasImagenTerminada(bool mostrada);
void RespuestaPapelTapiz(bool si, const char* texto);
