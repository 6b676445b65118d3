#include "Utilidades.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "Verificar.h"

namespace {

uint32_t g_estadoRuntime = 1;
double g_semillaAzar = 0.0;

void RelojSistema(int32_t* segundo, int32_t* milisegundo) {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  *segundo = static_cast<int32_t>((ms / 1000) % 60);
  *milisegundo = static_cast<int32_t>(ms % 1000);
}

LectorReloj g_reloj = &RelojSistema;

}  // namespace

bool CruzarRectangulos(const Punto& p1, const Punto& t1, const Punto& p2, const Punto& t2, int modo,
                       Punto* posicion, Punto* tamaño) {
  Verificar(t1.x < 0 || t1.y < 0 || t2.x < 0 || t2.y < 0 || (t1.x == 0 && t2.x == 0) ||
                (t1.y == 0 && t2.y == 0),
            "valores de tamaño invalidos");
  bool solapan = p1.x + t1.x >= p2.x && p1.x <= p2.x + t2.x && p1.y + t1.y >= p2.y && p1.y <= p2.y + t2.y;
  Punto pos{}, tam{};
  if (modo == kCruceInterseccion) {
    if (solapan) {
      pos = {std::max(p1.x, p2.x), std::max(p1.y, p2.y)};
      tam = {std::min(p1.x + t1.x, p2.x + t2.x) - pos.x, std::min(p1.y + t1.y, p2.y + t2.y) - pos.y};
    }
  } else if (modo == kCruceUnion) {
    pos = {std::min(p1.x, p2.x), std::min(p1.y, p2.y)};
    tam = {std::max(p1.x + t1.x, p2.x + t2.x) - pos.x, std::max(p1.y + t1.y, p2.y + t2.y) - pos.y};
  }
  if (posicion) *posicion = pos;
  if (tamaño) *tamaño = tam;
  return solapan;
}

int32_t AzarRuntime() {
  g_estadoRuntime = g_estadoRuntime * 214013u + 2531011u;
  return static_cast<int32_t>((g_estadoRuntime >> 16) & 0x7FFF);
}

void SembrarAzarRuntime(uint32_t semilla) { g_estadoRuntime = semilla; }

LectorReloj InstalarRelojAzar(LectorReloj lector) {
  LectorReloj anterior = g_reloj;
  g_reloj = lector ? lector : &RelojSistema;
  return anterior;
}

void ReiniciarAzar(double semilla) { g_semillaAzar = semilla; }

double Azar() {
  double fraccion = 0.0;
  int intentos = 0;
  bool aceptada = false;
  while (true) {
    int32_t segundo = 0, milisegundo = 0;
    g_reloj(&segundo, &milisegundo);
    double b = segundo / 60.0 + milisegundo / 1000.0;
    g_semillaAzar = (AzarRuntime() / 32768.0 + b + g_semillaAzar) * 2.5;
    // Truncation taken modulo 65536, as a 16-bit integer part.
    double entera = std::fmod(std::trunc(g_semillaAzar), 65536.0);
    fraccion = g_semillaAzar - entera;
    ++intentos;
    if (intentos == 10) break;
    if (fraccion >= 0.4 && fraccion <= 0.8999) {
      aceptada = true;
      break;
    }
  }
  g_semillaAzar = fraccion;
  double resultado = aceptada ? (fraccion - 0.4) * 2 : fraccion;
  Verificar(resultado >= 1.0, "Valor errado de Azar");
  return resultado;
}
