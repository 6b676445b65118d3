#include "Globales.h"

// Static objects in their start-up order; their destructors run in reverse.
const int32_t anchoPantalla = GetSystemMetrics(SM_CXSCREEN);
const int32_t altoPantalla = GetSystemMetrics(SM_CYSCREEN);
Cadena rutaArchivoPuzzle(260);
Cadena directorioPrograma(260);
const int32_t anchoTablero = anchoPantalla - 77;
const int32_t altoTablero = altoPantalla - 128;

int32_t idioma = 1;
HINSTANCE instanciaPrograma = nullptr;
const void* sonidoEncima = nullptr;
const void* sonidoClic = nullptr;
