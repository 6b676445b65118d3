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
  {
    HDC pantalla = GetDC(nullptr);
    if (pantalla) {
      d.dpi = GetDeviceCaps(pantalla, LOGPIXELSY);
      ReleaseDC(nullptr, pantalla);
    }
  }
  d.escala = FactorInterfaz(d.dpi, d.anchoPantalla, d.altoPantalla);
  d.anchoTablero = d.anchoPantalla - kMargenAnchoTablero * d.escala;
  d.altoTablero = d.altoPantalla - kMargenAltoTablero * d.escala;
  d.cursorSoltarCaja = CargarCursor(instancia, IDCUR_SOLTAR_CAJA, d.escala);
  d.cursorSelector = CargarCursor(instancia, IDCUR_MANO_ABIERTA, d.escala);
  d.cursorSelectorArrastre = CargarCursor(instancia, IDCUR_MANO_CERRADA, d.escala);
  return d;
}

HCURSOR CargarCursor(HINSTANCE instancia, int id, int32_t escala) {
  // The files hold each cursor drawn at every factor: the one of this
  // size is taken as it is, never stretched.
  const int lado = 32 * escala;
  auto* cursor = static_cast<HCURSOR>(LoadImageA(instancia, MAKEINTRESOURCEA(id), IMAGE_CURSOR, lado, lado, 0));
  return cursor ? cursor : LoadCursorA(instancia, MAKEINTRESOURCEA(id));
}

void CortarDirectorio(Cadena& ruta, int32_t escritos) {
  int32_t i = escritos - 1;
  while (i >= 0 && *ruta[i] != '\\') --i;
  if (i > 0 && i < 260 && i + 1 < ruta.Capacity()) {
    *ruta[i + 1] = 0;
    ruta.RecalculateSize();
  }
}

void EscribirDatosInicio(const DatosInicio& datos) {
  g_inicio = datos;
  FijarEscalaInterfaz(datos.escala);
}
