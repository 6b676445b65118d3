// The start-up record in a test program, which has no WinMain to write it.
#pragma once

#include <windows.h>

#include <string>

#include "Globales.h"

// The start-up record of the test program, read once.
inline void PrepararInicio() {
  if (!arranque.instancia) EscribirDatosInicio(LeerDatosInicio(GetModuleHandleA(nullptr)));
}

// Tests that need a program folder of their own swap it in and back; the
// player's files go with it, as in a portable copy.
inline void CambiarCarpetaPrograma(const std::string& carpeta) {
  DatosInicio d = arranque;
  d.carpeta = d.carpetaDatos = carpeta;
  EscribirDatosInicio(d);
}
