// The background music: the audio tracks of a compact disc through MCI, or,
// where no disc can be played, the program's own Music\<track>.wav through
// MCI's wave device. Either way the end of the track is notified to the
// main window, which starts it again. Every operation does nothing while
// nothing is open.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>

// Opens and plays track `pista`, 0 to 4: the disc's track pista + 1, or the
// wave file Music\<pista>.wav.
void AbrirCD(int32_t pista);
// The track opened last.
int32_t PistaCD();
void ReproducirPista();
void PausarCD();
void ReanudarCD();
void CerrarCD();

// The open device (0 when none), and whether it is the wave file.
MCIDEVICEID DispositivoCD();
bool MusicaDeArchivo();
// How many times a track has started again at its end (for tests).
int32_t VueltasPista();
// The main window's MM_MCINOTIFY: a track that ended well starts again.
void FinDePista(WPARAM resultado, LPARAM dispositivo);
