#include "Globales.h"

// Static objects in their start-up order; their destructors run in reverse.
const int32_t anchoPantalla = GetSystemMetrics(SM_CXSCREEN);
const int32_t altoPantalla = GetSystemMetrics(SM_CYSCREEN);
Cadena rutaArchivoPuzzle(260);
Cadena directorioPrograma(260);
const int32_t anchoTablero = anchoPantalla - 77;
const int32_t altoTablero = altoPantalla - 128;
const HCURSOR cursorSoltarCaja = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(245));
const HCURSOR cursorSelector = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(240));
const HCURSOR cursorSelectorArrastre = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(241));

int32_t idioma = 1;
HINSTANCE instanciaPrograma = nullptr;
const void* sonidoEncima = nullptr;
const void* sonidoClic = nullptr;
