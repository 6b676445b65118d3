#include "Verificar.h"

#include <string>

#include "Depuracion.h"

namespace {
ManejadorVerificar g_manejador = nullptr;
}

ManejadorVerificar InstalarManejadorVerificar(ManejadorVerificar manejador) {
  ManejadorVerificar anterior = g_manejador;
  g_manejador = manejador;
  return anterior;
}

bool Verificar(bool condicion, const char* mensaje) {
  if (!condicion) return false;
  if (g_manejador) {
    g_manejador(mensaje ? mensaje : "");
    return true;
  }
  if (mensaje) {
    std::string linea(mensaje);
    linea += "\r\n";
    SalidaDepuracion(linea.c_str());
  }
  TrampaDepuracion();
}
