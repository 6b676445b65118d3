// Away from Windows a ControlDC has only its image mode.
#include "ControlDC.h"
#include "Verificar.h"

bool ControlDC::IniciarGDI() {
  Verificar(true, "ControlDC: el modo gdi solo existe en Windows");
  return false;
}

void ControlDC::LiberarGDI() {}

bool ControlDC::AjustarTamañoGDI(int32_t, int32_t, bool) { return false; }

bool ControlDC::CargarGDI(uint32_t) { return false; }
