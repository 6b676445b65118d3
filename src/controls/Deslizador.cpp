// COVSLIDE: created by the music window for its two volumes; shows the knob
// at the value's place on the track, over the parent's own background.
#include "Deslizador.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "ControlDC.h"
#include "DibujoHIMAGE.h"
#include "ObjetosGDI.h"
#include "Proyector.h"
#include "Punto.h"
#include "Verificar.h"

namespace {

constexpr int32_t kLadoSinListo = 50;  // the window while not ready

struct Registro {
  bool listo = false;
  int32_t minimo = 0;
  int32_t maximo = 100;
  int32_t posicion = 50;
  int32_t paso = 5;
  bool sobre = false;              // the pointer is over the knob
  HIMAGE fondoSlide = nullptr;     // parent coordinates, kept by the sender
  HIMAGE tiraPerilla = nullptr;    // kept by the sender
  int32_t ancho = 0, alto = 0;
  int32_t x = 0, y = 0;            // the window in the parent
  Punto inicio;                    // track start, parent coordinates
  Punto vector;                    // track end minus start
  Punto origen;                    // track start, window coordinates
  bool habilitado = true;
  int32_t cuadro = 0;
  Punto perilla;                   // knob top left, window coordinates
  Punto mitad;                     // half the knob, truncated
  bool arrastrando = false;
  float largo2 = 0;                // squared length of vector
  Proyector proyector;             // draws the knob into lienzo
  ControlDC lienzo;                // the background under the window, knob on it
  Punto agarre;                    // grabbed point to knob centre, less origen
};

bool Activo(const Registro* r) { return r->habilitado && r->listo; }
int64_t Rango(const Registro* r) { return int64_t{r->maximo} - r->minimo; }
int64_t Cuadros(const Registro* r) { return int64_t{r->proyector.NumFil()} * r->proyector.NumCol(); }
Punto Fin(const Registro* r) { return {r->inicio.x + r->vector.x, r->inicio.y + r->vector.y}; }

Punto Desempaquetar(LPARAM l) { return {GET_X_LPARAM(l), GET_Y_LPARAM(l)}; }
LRESULT Empaquetar(Punto p) { return MAKELPARAM(p.x, p.y); }

POINT PunteroCliente(HWND hwnd) {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(hwnd, &p);
  return p;
}

// Bounds inclusive.
bool EnPerilla(const Registro* r, POINT p) {
  const Punto k = r->proyector.TamañoCuadro();
  return p.x >= r->perilla.x && p.x <= r->perilla.x + k.x && p.y >= r->perilla.y && p.y <= r->perilla.y + k.y;
}

// The drag may have lost the capture: it then ends off the knob.
bool PunteroEnPerilla(HWND hwnd, const Registro* r) { return PunteroSobre(hwnd) && EnPerilla(r, PunteroCliente(hwnd)); }

// Disabling or becoming unready ends a hover or a drag without reports.
void Detener(HWND hwnd, Registro* r) {
  PararEncima(hwnd);
  r->sobre = false;
  if (r->arrastrando) {
    r->arrastrando = false;
    SoltarCaptura(hwnd);
  }
}

// The knob centre at the position, measured from the track start; each
// component truncated toward zero.
Punto Desplazamiento(const Registro* r) {
  const int64_t rango = Rango(r);
  if (rango == 0) return {r->vector.x / 2, r->vector.y / 2};
  const int64_t parte = int64_t{r->posicion} - r->minimo;
  return {static_cast<int32_t>(r->vector.x * parte / rango), static_cast<int32_t>(r->vector.y * parte / rango)};
}

void ColocarPerilla(Registro* r) {
  const Punto d = Desplazamiento(r);
  r->perilla = {d.x + r->origen.x - r->mitad.x, d.y + r->origen.y - r->mitad.y};
}

// The background under the window; what lies off the picture stays index
// 0. The rectangle is cut to the picture first: TransferirHIMAGE would
// shift a source clipped at its left or top.
void CopiarFondo(const Registro* r) {
  HIMAGE lienzo = r->lienzo.Imagen();
  std::memset(PixelesHIMAGE(lienzo), 0, lienzo->biSizeImage);
  const int64_t izq = std::max<int64_t>(r->x, 0), arr = std::max<int64_t>(r->y, 0);
  const int64_t der = std::min<int64_t>(int64_t{r->x} + r->ancho, r->fondoSlide->biWidth);
  const int64_t aba = std::min<int64_t>(int64_t{r->y} + r->alto, r->fondoSlide->biHeight);
  if (der <= izq || aba <= arr) return;
  TransferirHIMAGE(lienzo, static_cast<int32_t>(izq - r->x), static_cast<int32_t>(arr - r->y),
                   static_cast<int32_t>(der - izq), static_cast<int32_t>(aba - arr), r->fondoSlide,
                   static_cast<int32_t>(izq), static_cast<int32_t>(arr), ROP_SRCCOPY);
}

void Redibujar(HWND hwnd, Registro* r) {
  if (!r->listo) return;
  CopiarFondo(r);
  ColocarPerilla(r);
  r->proyector.OlvidarFondo();
  r->proyector.Transparencia(r->cuadro, r->perilla.x, r->perilla.y, false, false, true);
  Repintar(hwnd);
}

void NoListo(HWND hwnd, Registro* r) {
  r->listo = false;
  Detener(hwnd, r);
  Repintar(hwnd);
}

// The knob is masked into the background's copy: both 8-bit, one palette
// size.
bool PinturasCompatibles(const Registro* r) {
  const HIMAGE f = r->fondoSlide, t = r->tiraPerilla;
  return f->biBitCount == 8 && f->biClrUsed >= 1 && f->biClrUsed <= 256 && t->biBitCount == 8 &&
         t->biClrUsed == f->biClrUsed;
}

bool Medir(Registro* r) {
  const Punto k = r->proyector.TamañoCuadro();
  if (!r->fondoSlide || !r->tiraPerilla || (r->vector.x == 0 && r->vector.y == 0) || k.x < 1 || k.y < 1 ||
      !PinturasCompatibles(r))
    return false;
  r->mitad = {k.x / 2, k.y / 2};
  r->x = (r->vector.x < 0 ? r->inicio.x + r->vector.x : r->inicio.x) - r->mitad.x;
  r->y = (r->vector.y < 0 ? r->inicio.y + r->vector.y : r->inicio.y) - r->mitad.y;
  r->ancho = std::abs(r->vector.x) + k.x;
  r->alto = std::abs(r->vector.y) + k.y;
  r->origen = {r->inicio.x - r->x, r->inicio.y - r->y};
  return r->lienzo.AjustarTamaño(r->ancho, r->alto);
}

void Disponer(HWND hwnd, Registro* r) {
  constexpr UINT kSinOrden = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  if (!Medir(r)) {
    SetWindowPos(hwnd, nullptr, r->inicio.x, r->inicio.y, kLadoSinListo, kLadoSinListo, kSinOrden);
    NoListo(hwnd, r);
    return;
  }
  r->listo = true;
  CopiarPaleta(r->fondoSlide, r->lienzo.Imagen());
  r->proyector.Destino(r->lienzo.Imagen());
  SetWindowPos(hwnd, nullptr, r->x, r->y, r->ancho, r->alto, kSinOrden);
  Redibujar(hwnd, r);
}

void PonerVector(Registro* r, Punto v) {
  r->vector = v;
  r->largo2 = static_cast<float>(int64_t{v.x} * v.x + int64_t{v.y} * v.y);
}

// ---- Messages from the owner ----------------------------------------------

LRESULT OnCreate(HWND hwnd) {
  if (!CrearRegistro<Registro>(hwnd)) return -1;
  RegistroDe<Registro>(hwnd)->proyector.Destino(hwnd);
  return 0;
}

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->habilitado) return 1;
  r->habilitado = habilitar;
  if (!habilitar) Detener(hwnd, r);
  Repintar(hwnd);
  return 1;
}

// Null, a strip that could not be had, leaves the slider unready.
LRESULT OnPonerTira(HWND hwnd, Registro* r, HIMAGE tira) {
  r->tiraPerilla = tira;
  if (tira)
    r->proyector.DeclararTiraExterna(tira, true);
  else
    r->proyector.QuitarTira();
  Disponer(hwnd, r);
  return tira != nullptr;
}

LRESULT OnPonerFondo(HWND hwnd, Registro* r, HIMAGE fondo) {
  r->fondoSlide = fondo;
  if (!fondo) {
    NoListo(hwnd, r);
    return 0;
  }
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerCuadro(Registro* r, int32_t cuadro) {
  if (Verificar(cuadro < 0 || cuadro >= Cuadros(r), "Numero de Cuadro enviado al slide es invalido")) return 0;
  r->cuadro = cuadro;
  if (!r->listo) return 1;
  r->proyector.Borrar(true, false);
  r->proyector.Transparencia(cuadro, r->perilla.x, r->perilla.y, true, false, true);
  return 1;
}

LRESULT OnPonerFilas(HWND hwnd, Registro* r, int32_t n) {
  if (Verificar(n < 1, "Numero de filas enviado es invalido")) return 0;
  r->proyector.CambiarNumFil(n);
  r->cuadro = 0;
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerColumnas(HWND hwnd, Registro* r, int32_t n) {
  if (Verificar(n < 1, "Numero de columnas enviado es invalido")) return 0;
  r->proyector.CambiarNumCol(n);
  r->cuadro = 0;
  Disponer(hwnd, r);
  return 1;
}

// A range below 2 gives a step of 0.
void AjustarPaso(Registro* r) {
  if (r->paso > Rango(r)) r->paso = static_cast<int32_t>(Rango(r) / 2);
}

LRESULT OnPonerMaximo(HWND hwnd, Registro* r, int32_t v) {
  r->maximo = v;
  if (r->minimo > v) r->minimo = r->posicion = v;
  AjustarPaso(r);
  r->posicion = std::min(r->posicion, v);
  Redibujar(hwnd, r);
  return 1;
}

LRESULT OnPonerMinimo(HWND hwnd, Registro* r, int32_t v) {
  r->minimo = v;
  if (r->maximo < v) r->maximo = r->posicion = v;
  AjustarPaso(r);
  r->posicion = std::max(r->posicion, v);
  Redibujar(hwnd, r);
  return 1;
}

// Truncating toward zero can leave the range (minimum 3, step 5, value 4
// gives 0): clamped afterwards. A step below 1 leaves the value as given.
LRESULT OnPonerPosicion(HWND hwnd, Registro* r, int32_t v) {
  if (r->arrastrando) return 1;
  const int64_t truncado = r->paso >= 1 ? int64_t{v} / r->paso * r->paso : v;
  r->posicion = static_cast<int32_t>(std::clamp<int64_t>(truncado, r->minimo, r->maximo));
  Redibujar(hwnd, r);
  return 1;
}

LRESULT OnPonerPaso(Registro* r, int32_t v) {
  r->paso = v > Rango(r) || v < 1 ? static_cast<int32_t>(Rango(r) / 2) : v;
  return 1;
}

LRESULT OnPonerInicio(HWND hwnd, Registro* r, Punto inicio) {
  const Punto fin = Fin(r);
  r->inicio = inicio;
  PonerVector(r, {fin.x - inicio.x, fin.y - inicio.y});
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerFin(HWND hwnd, Registro* r, Punto fin) {
  PonerVector(r, {fin.x - r->inicio.x, fin.y - r->inicio.y});
  Disponer(hwnd, r);
  return 1;
}

// ---- Painting ---------------------------------------------------------------

LRESULT OnPaint(HWND hwnd, const Registro* r) {
  if (!r->listo) return PintarNegro(hwnd);
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), r->lienzo.Imagen(), ROP_SRCCOPY);
  return 0;
}

LRESULT OnNuevaPaleta(HWND hwnd, const Registro* r) {
  if (r->listo) Repintar(hwnd);
  return 0;
}

// ---- The mouse --------------------------------------------------------------

// The value at the point of the track nearest the knob centre, rounded to
// a multiple of the step.
int32_t ValorEn(const Registro* r, int x, int y) {
  const int64_t qx = int64_t{x} + r->agarre.x, qy = int64_t{y} + r->agarre.y;
  const double t = static_cast<double>(qx * r->vector.x + qy * r->vector.y) / r->largo2;
  if (t > 1) return r->maximo;
  if (t < 0) return r->minimo;
  // A range below 2 leaves a step of 0: whole values then.
  const double paso = r->paso >= 1 ? r->paso : 1;
  const double bruto = static_cast<double>(Rango(r)) * t + r->minimo;
  const double minimo = r->minimo, maximo = r->maximo;
  return static_cast<int32_t>(std::clamp(std::floor(bruto / paso + 0.5) * paso, minimo, maximo));
}

// No repaint: the owner answers 4 with 1337, which moves the knob picture.
LRESULT Arrastrar(HWND hwnd, Registro* r, int x, int y) {
  const int32_t valor = ValorEn(r, x, y);
  if (valor == r->posicion) return 0;
  r->posicion = valor;
  ColocarPerilla(r);
  NotificarPadre(hwnd, kNotifActivado);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (r->arrastrando) return Arrastrar(hwnd, r, x, y);
  if (r->sobre || !EnPerilla(r, POINT{x, y})) return 0;
  r->sobre = true;
  EmpezarEncima(hwnd);
  NotificarPadre(hwnd, kNotifEntro);
  return 0;
}

// The press's own point: a press handled late, after the pointer has moved
// on, still takes the knob where it was pressed.
LRESULT OnLButtonDown(HWND hwnd, Registro* r, POINT p) {
  if (!Activo(r) || r->arrastrando) return 0;
  if (!EnPerilla(r, p)) return 0;
  r->arrastrando = true;
  r->agarre = {r->perilla.x + r->mitad.x - p.x - r->origen.x, r->perilla.y + r->mitad.y - p.y - r->origen.y};
  SetCapture(hwnd);
  PararEncima(hwnd);
  NotificarPadre(hwnd, kNotifPresionado);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r) {
  if (!Activo(r) || !r->arrastrando) return 0;
  r->arrastrando = false;
  // A drag that lost the capture ends off the knob.
  const bool sobre = GetCapture() == hwnd && PunteroEnPerilla(hwnd, r);
  r->sobre = sobre;
  if (sobre) EmpezarEncima(hwnd);
  SoltarCaptura(hwnd);
  // The parent may destroy the control from here on: no record after this.
  NotificarPadre(hwnd, kNotifSoltado);
  if (!sobre) NotificarPadre(hwnd, kNotifSalio);
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  // A tick queued before the timer was stopped may still arrive. The knob,
  // not the whole window, is what the pointer hovers.
  return RevisarEncima(
      hwnd, id, r->arrastrando || !r->sobre, [=] { return PunteroEnPerilla(hwnd, r); }, [r] { r->sobre = false; });
}

}  // namespace

LRESULT CALLBACK ProcDeslizador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return OnCreate(hwnd);
  Registro* r = RegistroDe<Registro>(hwnd);
  if (!r) return SinRegistro(hwnd, msg, wParam, lParam);
  const auto v = static_cast<int32_t>(lParam);
  switch (msg) {
    case WM_DESTROY: LiberarRegistro<Registro>(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd, r);
    case WM_QUERYNEWPALETTE: return OnNuevaPaleta(hwnd, r);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, r, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, r, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, r);
    case WM_TIMER: return OnTimer(hwnd, r, wParam);
    case WM_CAPTURECHANGED: CapturaCambiada(hwnd, reinterpret_cast<HWND>(lParam), r->arrastrando); return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case kMsgObtenerHabilitado: return r->habilitado;
    case kMsgHabilitar: return OnHabilitar(hwnd, r, lParam != 0);
    case kMsgDeslObtenerTira: return reinterpret_cast<LRESULT>(r->tiraPerilla);
    case kMsgDeslPonerTira: return OnPonerTira(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgDeslObtenerFondo: return reinterpret_cast<LRESULT>(r->fondoSlide);
    case kMsgDeslPonerFondo: return OnPonerFondo(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgDeslObtenerCuadro: return r->cuadro;
    case kMsgDeslPonerCuadro: return OnPonerCuadro(r, v);
    case kMsgDeslObtenerFilas: return r->proyector.NumFil();
    case kMsgDeslPonerFilas: return OnPonerFilas(hwnd, r, v);
    case kMsgDeslObtenerColumnas: return r->proyector.NumCol();
    case kMsgDeslPonerColumnas: return OnPonerColumnas(hwnd, r, v);
    case kMsgDeslObtenerMaximo: return r->maximo;
    case kMsgDeslPonerMaximo: return OnPonerMaximo(hwnd, r, v);
    case kMsgDeslObtenerMinimo: return r->minimo;
    case kMsgDeslPonerMinimo: return OnPonerMinimo(hwnd, r, v);
    case kMsgDeslObtenerPosicion: return r->posicion;
    case kMsgDeslPonerPosicion: return OnPonerPosicion(hwnd, r, v);
    case kMsgDeslObtenerPaso: return r->paso;
    case kMsgDeslPonerPaso: return OnPonerPaso(r, v);
    case kMsgDeslObtenerInicio: return Empaquetar(r->inicio);
    case kMsgDeslPonerInicio: return OnPonerInicio(hwnd, r, Desempaquetar(lParam));
    case kMsgDeslObtenerFin: return Empaquetar(Fin(r));
    case kMsgDeslPonerFin: return OnPonerFin(hwnd, r, Desempaquetar(lParam));
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
