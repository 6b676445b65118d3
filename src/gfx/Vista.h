// Vista: the table seen through the play window. The table may be larger
// than the window; the window shows it at a scale (window pixels per table
// pixel) from "the whole table" up to kEscalaMaxima, and from a place.
//
// The place is kept in pixels of the table as scaled, so that panning moves
// by whole window pixels and window pixel i always covers the table's
// interval [(origen + i) / escala, (origen + i + 1) / escala).
#pragma once

#include <cstdint>

#include "Punto.h"

constexpr double kEscalaMaxima = 4.0;
// Zoom steps: each is the eighth root of two, a wheel notch.
constexpr int32_t kPasosPorDoble = 8;
// Fitting is measured on the screen: this many window pixels.
constexpr int32_t kToleranciaPantalla = 6;

struct RectMesa {
  int32_t x = 0, y = 0, ancho = 0, alto = 0;
};

struct Vista {
  int32_t anchoMesa = 0, altoMesa = 0;  // the table
  int32_t ancho = 0, alto = 0;          // the window
  double escala = 1.0;
  Punto origen;  // scaled-table pixel at the window's top left

  // The scaled table's size: its last pixel column is the one that still
  // covers part of the table.
  int32_t AnchoEscalado() const;
  int32_t AltoEscalado() const;
};

// A view of a table through a window, at 1:1 from the table's top left.
Vista VistaInicial(int32_t anchoMesa, int32_t altoMesa, int32_t ancho, int32_t alto);

// The scale that shows the whole table (1 when it fits at 1:1).
double EscalaTodo(const Vista& v);
// The scale `pasos` zoom steps from `escala` (negative: out), on the grid of
// powers of the step, kept between EscalaTodo and kEscalaMaxima. A scale off
// the grid goes first to the grid's next value in that direction.
double EscalaPasos(const Vista& v, double escala, int32_t pasos);

// Keeps the place inside the table: a table narrower than the window is
// centred in it.
void Limitar(Vista& v);
// Changes the scale keeping the table point under window pixel `ancla`
// where it is (as near as whole pixels allow), then limits.
void Ampliar(Vista& v, double escala, Punto ancla);
// Moves the view by whole window pixels (positive: the table moves left and
// up under it), then limits.
void Desplazar(Vista& v, int32_t dx, int32_t dy);
// Puts table point `mesa` at window pixel `ventana`, then limits.
void Colocar(Vista& v, Punto mesa, Punto ventana);
// Puts the view back at the table point EsquinaMesa gave, exactly (then
// limits): how a saved view comes back.
void ColocarEsquina(Vista& v, Punto esquina);
// Shows the table point `mesa` in the middle of the window.
inline void Centrar(Vista& v, Punto mesa) { Colocar(v, mesa, {v.ancho / 2, v.alto / 2}); }

// The table point under window pixel `p` (rounded down).
Punto VentanaAMesa(const Vista& v, Punto p);
// The window pixel that covers table point `t`.
Punto MesaAVentana(const Vista& v, Punto t);
// The window pixels that show any part of a table rectangle, and the table
// pixels that any part of a window rectangle shows (neither is clipped).
RectMesa RectAVentana(const Vista& v, const RectMesa& mesa);
RectMesa RectAMesa(const Vista& v, const RectMesa& ventana);

// The table point at the window's top left, and the scale in percent
// (100 = 1:1), as the game reports them.
Punto EsquinaMesa(const Vista& v);
int32_t ZoomPorCiento(const Vista& v);

// The fit tolerance on the table for kToleranciaPantalla window pixels.
int32_t ToleranciaMesa(const Vista& v);
