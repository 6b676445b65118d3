#include "VistaMesa.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "Puzzle.h"

namespace {

Vista g_vista;
double g_cercana = 1.0;  // the last close-up's scale, for the toggle
std::vector<OyenteVista> g_oyentes;
uint32_t g_cambios = 0;

bool Entera(const Vista& v) { return v.escala <= EscalaTodo(v) + 1e-12; }

}  // namespace

const Vista& VistaMesa() { return g_vista; }

// A table larger than the window is always drawn through the view: whole,
// it would be copied at every paint.
bool VistaPlana() {
  return g_vista.escala == 1.0 && g_vista.origen.x == 0 && g_vista.origen.y == 0 && g_vista.anchoMesa <= g_vista.ancho &&
         g_vista.altoMesa <= g_vista.alto;
}

void FijarVistaMesa(const Vista& v) {
  const Vista antes = g_vista;
  ++g_cambios;
  g_vista = v;
  g_vista.escala = std::clamp(g_vista.escala, EscalaTodo(g_vista), kEscalaMaxima);
  Limitar(g_vista);
  if (!Entera(g_vista)) g_cercana = g_vista.escala;
  // Kept with the game, for its saved file.
  puzzle.viewCorner = EsquinaMesa(g_vista);
  puzzle.viewScale = g_vista.escala;
  for (OyenteVista o : g_oyentes) o(antes);
}

uint32_t CambiosVistaMesa() { return g_cambios; }

void OirVistaMesa(OyenteVista oyente) {
  if (std::find(g_oyentes.begin(), g_oyentes.end(), oyente) == g_oyentes.end()) g_oyentes.push_back(oyente);
}

void AmpliarMesa(int32_t pasos, Punto ancla) {
  Vista v = g_vista;
  const double escala = EscalaPasos(v, v.escala, pasos);
  if (escala == v.escala) return;
  Ampliar(v, escala, ancla);
  FijarVistaMesa(v);
}

void VerMesaEntera() {
  Vista v = g_vista;
  Ampliar(v, EscalaTodo(v), {v.ancho / 2, v.alto / 2});
  FijarVistaMesa(v);
}

void AlternarMesaEntera(Punto ancla) {
  Vista v = g_vista;
  if (!Entera(v)) {
    Ampliar(v, EscalaTodo(v), ancla);
  } else {
    Ampliar(v, g_cercana, ancla);
  }
  const double cercana = g_cercana;
  FijarVistaMesa(v);
  g_cercana = cercana;
}

void DesplazarMesa(int32_t dx, int32_t dy) {
  Vista v = g_vista;
  Desplazar(v, dx, dy);
  if (v.origen.x == g_vista.origen.x && v.origen.y == g_vista.origen.y) return;
  FijarVistaMesa(v);
}

void MostrarRectMesa(RectMesa r) {
  Vista v = g_vista;
  const RectMesa w = RectAVentana(v, r);
  int32_t dx = 0, dy = 0;
  if (w.ancho > v.ancho || w.x < 0 || w.x + w.ancho > v.ancho)
    dx = w.ancho > v.ancho ? w.x + w.ancho / 2 - v.ancho / 2 : (w.x < 0 ? w.x : w.x + w.ancho - v.ancho);
  if (w.alto > v.alto || w.y < 0 || w.y + w.alto > v.alto)
    dy = w.alto > v.alto ? w.y + w.alto / 2 - v.alto / 2 : (w.y < 0 ? w.y : w.y + w.alto - v.alto);
  if (dx || dy) DesplazarMesa(dx, dy);
}

void VerRectMesa(RectMesa r) {
  if (r.ancho < 1 || r.alto < 1) return;
  Vista v = g_vista;
  v.escala = std::clamp(std::min({1.0, static_cast<double>(v.ancho) / r.ancho, static_cast<double>(v.alto) / r.alto}),
                        EscalaTodo(v), kEscalaMaxima);
  Centrar(v, {r.x + r.ancho / 2, r.y + r.alto / 2});
  FijarVistaMesa(v);
}

void VerPuzzleResuelto() {
  if (VistaPlana() || !puzzle.Exists()) return;
  const int32_t w = puzzle.cellW * puzzle.cols, h = puzzle.cellH * puzzle.rows;
  const Board& mesa = puzzle.boards[kTable];
  // Where the solve lays it, with its outer tabs' room around.
  VerRectMesa({(mesa.Width() - w) / 2 - puzzle.marginX, (mesa.Height() - h) / 2 - puzzle.marginY,
               w + 2 * puzzle.marginX, h + 2 * puzzle.marginY});
}
