#include "Globales.h"

#include "CarpetaDatos.h"
#include "recursos.h"

int32_t idioma = 1;
HWND ventanaPrincipal = nullptr;

namespace {
DatosInicio g_inicio;
}

const DatosInicio& arranque = g_inicio;

DatosInicio LeerDatosInicio(HINSTANCE instancia) {
  DatosInicio d;
  d.instancia = instancia;
  Cadena ruta(260);
  const DWORD escritos = GetModuleFileNameA(instancia, ruta.Data(), 260);
  CortarDirectorio(ruta, static_cast<int32_t>(escritos));
  d.carpeta = ruta.Data();
  d.carpetaDatos = CarpetaDatosJuego(d.carpeta, true);
  d.anchoPantalla = GetSystemMetrics(SM_CXSCREEN);
  d.altoPantalla = GetSystemMetrics(SM_CYSCREEN);
  d.anchoTablero = d.anchoPantalla - kMargenAnchoTablero;
  d.altoTablero = d.altoPantalla - kMargenAltoTablero;
  d.cursorSoltarCaja = LoadCursorA(instancia, MAKEINTRESOURCEA(IDCUR_SOLTAR_CAJA));
  d.cursorSelector = LoadCursorA(instancia, MAKEINTRESOURCEA(IDCUR_MANO_ABIERTA));
  d.cursorSelectorArrastre = LoadCursorA(instancia, MAKEINTRESOURCEA(IDCUR_MANO_CERRADA));
  return d;
}

void CortarDirectorio(Cadena& ruta, int32_t escritos) {
  int32_t i = escritos - 1;
  while (i >= 0 && *ruta[i] != '\\') --i;
  if (i > 0 && i < 260 && i + 1 < ruta.Capacity()) {
    *ruta[i + 1] = 0;
    ruta.RecalculateSize();
  }
}

void EscribirDatosInicio(const DatosInicio& datos) { g_inicio = datos; }
