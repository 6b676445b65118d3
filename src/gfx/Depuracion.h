// Debugger output and trap: the two platform services Verificar needs.
#pragma once

void SalidaDepuracion(const char* texto);  // OutputDebugStringA / stderr
[[noreturn]] void TrampaDepuracion();     // debugger trap; ends the program without one
