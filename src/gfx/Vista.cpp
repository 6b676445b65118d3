#include "Vista.h"

#include <algorithm>
#include <cmath>

namespace {

// Products of a scale that land on a whole number must not fall just short
// of it.
constexpr double kHolgura = 1e-9;

int32_t Abajo(double v) { return static_cast<int32_t>(std::floor(v + kHolgura)); }
int32_t Arriba(double v) { return static_cast<int32_t>(std::ceil(v - kHolgura)); }
int32_t Redondo(double v) { return static_cast<int32_t>(std::lround(v)); }

int32_t LimitarEje(int32_t origen, int32_t escalado, int32_t ventana) {
  if (escalado <= ventana) return -((ventana - escalado) / 2);
  return std::clamp(origen, 0, escalado - ventana);
}

}  // namespace

int32_t Vista::AnchoEscalado() const { return Arriba(anchoMesa * escala); }
int32_t Vista::AltoEscalado() const { return Arriba(altoMesa * escala); }

Vista VistaInicial(int32_t anchoMesa, int32_t altoMesa, int32_t ancho, int32_t alto) {
  Vista v;
  v.anchoMesa = anchoMesa;
  v.altoMesa = altoMesa;
  v.ancho = ancho;
  v.alto = alto;
  Limitar(v);
  return v;
}

double EscalaTodo(const Vista& v) {
  if (v.anchoMesa <= 0 || v.altoMesa <= 0) return 1.0;
  return std::min({1.0, static_cast<double>(v.ancho) / v.anchoMesa, static_cast<double>(v.alto) / v.altoMesa});
}

double EscalaPasos(const Vista& v, double escala, int32_t pasos) {
  const double minima = EscalaTodo(v);
  if (pasos == 0) return std::clamp(escala, minima, kEscalaMaxima);
  const double k = std::log2(escala) * kPasosPorDoble;
  const double destino = pasos > 0 ? std::floor(k + 1e-6) + pasos : std::ceil(k - 1e-6) + pasos;
  return std::clamp(std::exp2(destino / kPasosPorDoble), minima, kEscalaMaxima);
}

void Limitar(Vista& v) {
  v.origen.x = LimitarEje(v.origen.x, v.AnchoEscalado(), v.ancho);
  v.origen.y = LimitarEje(v.origen.y, v.AltoEscalado(), v.alto);
}

void Ampliar(Vista& v, double escala, Punto ancla) {
  // The table point at the middle of the anchor pixel stays under it.
  const double tx = (v.origen.x + ancla.x + 0.5) / v.escala;
  const double ty = (v.origen.y + ancla.y + 0.5) / v.escala;
  v.escala = escala;
  v.origen = {Redondo(tx * escala - ancla.x - 0.5), Redondo(ty * escala - ancla.y - 0.5)};
  Limitar(v);
}

void Desplazar(Vista& v, int32_t dx, int32_t dy) {
  v.origen = {v.origen.x + dx, v.origen.y + dy};
  Limitar(v);
}

void Colocar(Vista& v, Punto mesa, Punto ventana) {
  v.origen = {Redondo(mesa.x * v.escala) - ventana.x, Redondo(mesa.y * v.escala) - ventana.y};
  Limitar(v);
}

void ColocarEsquina(Vista& v, Punto esquina) {
  // The first scaled pixel that begins on or after the corner lies on it.
  v.origen = {Arriba(esquina.x * v.escala), Arriba(esquina.y * v.escala)};
  Limitar(v);
}

Punto VentanaAMesa(const Vista& v, Punto p) {
  return {Abajo((v.origen.x + p.x) / v.escala), Abajo((v.origen.y + p.y) / v.escala)};
}

Punto MesaAVentana(const Vista& v, Punto t) {
  return {Abajo(t.x * v.escala) - v.origen.x, Abajo(t.y * v.escala) - v.origen.y};
}

RectMesa RectAVentana(const Vista& v, const RectMesa& m) {
  const int32_t x0 = Abajo(m.x * v.escala), y0 = Abajo(m.y * v.escala);
  const int32_t x1 = Arriba((m.x + m.ancho) * v.escala), y1 = Arriba((m.y + m.alto) * v.escala);
  return {x0 - v.origen.x, y0 - v.origen.y, x1 - x0, y1 - y0};
}

RectMesa RectAMesa(const Vista& v, const RectMesa& w) {
  const int32_t x0 = Abajo((v.origen.x + w.x) / v.escala), y0 = Abajo((v.origen.y + w.y) / v.escala);
  const int32_t x1 = Arriba((v.origen.x + w.x + w.ancho) / v.escala);
  const int32_t y1 = Arriba((v.origen.y + w.y + w.alto) / v.escala);
  return {x0, y0, x1 - x0, y1 - y0};
}

Punto EsquinaMesa(const Vista& v) { return VentanaAMesa(v, {0, 0}); }

int32_t ZoomPorCiento(const Vista& v) { return Redondo(v.escala * 100); }

int32_t ToleranciaMesa(const Vista& v) { return Abajo(kToleranciaPantalla / v.escala); }
