// Away from Windows a Proyector draws onto HIMAGEs only: there is no device
// context to take as destination and no window to invalidate.
#include "Proyector.h"

void Proyector::GuardarDC(int32_t, int32_t) {}
void Proyector::RestaurarDC() {}
void Proyector::DibujarDC(int32_t, int32_t, Punto, uint32_t) {}
void Proyector::InvalidarVentana(int32_t, int32_t, int32_t, int32_t, bool) const {}
