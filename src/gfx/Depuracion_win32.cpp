#include <windows.h>

#include "Depuracion.h"

void SalidaDepuracion(const char* texto) { OutputDebugStringA(texto); }

void TrampaDepuracion() {
  DebugBreak();
  // Without a debugger the breakpoint exception ends the process; if a
  // handler let it go on, end it here all the same.
  ExitProcess(3);
}
