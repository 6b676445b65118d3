// COVSROLL: created by the new-puzzle and file windows to step a number up
// and down; shows its two arrows and its grip from the owner's strip.
#include "Desplazador.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "Controles.h"
#include "Depuracion.h"
#include "DibujoHIMAGE.h"
#include "ObjetosGDI.h"
#include "Verificar.h"

namespace {

enum : int32_t { kNinguna = 0, kFlechaArriba = 1, kAgarre = 2, kFlechaAbajo = 3 };
enum : int32_t { kNormal = 0, kEncima = 1, kPresionado = 2 };
constexpr int32_t kTiempoMinimo = 65;  // ms, delay and period

struct Registro {
  int32_t minimo = 0;
  int32_t maximo = 100;
  int32_t valor = 50;
  int32_t paso = 5;
  bool habilitado = true;
  int32_t MouseCapt = kNinguna;  // the part held down
  int32_t ultimaY = 0;           // screen y of the pointer at the last grip step
  int32_t parteSobre = kNinguna;
  HIMAGE imagen = nullptr;  // kept by the sender
  int32_t alto1 = 0, alto2 = 0, alto3 = 0;
  int32_t umbral = 5;        // pixels of grip travel per step
  int32_t TimerEnabled = 0;  // the id of the timer running, 0 none
  bool fase = false;         // repeat: the next tick steps
  int32_t retardo = 400;     // ms
  int32_t periodo = 150;     // ms
  int32_t conFrameInactivo = 0;
  int32_t ancho = 0;
  int32_t altoFrame = 0;
  bool listo = false;
  int32_t pulgar = 0;  // thumb height; 0: the grip is drawn whole
};

// The grip can be dragged while its owner left the step below 1: the drag
// is refused with the message instead of the trap.
bool Avisar(bool condicion, const char* mensaje) {
  if (condicion) SalidaDepuracion((std::string(mensaje) + "\r\n").c_str());
  return condicion;
}

bool Activo(const Registro* r) { return r->habilitado && r->listo; }
bool EsFlecha(int32_t parte) { return parte == kFlechaArriba || parte == kFlechaAbajo; }

int32_t Parte(const Registro* r, int y) {
  if (y < r->alto1) return kFlechaArriba;
  return y < r->alto1 + r->alto2 ? kAgarre : kFlechaAbajo;
}
int32_t Arriba(const Registro* r, int32_t parte) {
  return parte == kFlechaArriba ? 0 : parte == kAgarre ? r->alto1 : r->alto1 + r->alto2;
}
int32_t Alto(const Registro* r, int32_t parte) {
  return parte == kFlechaArriba ? r->alto1 : parte == kAgarre ? r->alto2 : r->alto3;
}

void RepintarParte(HWND hwnd, const Registro* r, int32_t parte) {
  if (parte == kNinguna) return;
  const RECT rc{0, Arriba(r, parte), r->ancho, Arriba(r, parte) + Alto(r, parte)};
  InvalidateRect(hwnd, &rc, FALSE);
}

// A thumb shows the value: every change moves it.
void MostrarValor(HWND hwnd, const Registro* r) {
  if (r->pulgar > 0) RepintarParte(hwnd, r, kAgarre);
}

// How far the thumb's top travels down the track.
int64_t Recorrido(const Registro* r) { return std::max(r->alto2 - r->pulgar, 0); }

// The thumb's top within the track: at the top at the maximum, at the
// bottom at the minimum.
int32_t PosicionPulgar(const Registro* r) {
  const int64_t rango = int64_t{r->maximo} - r->minimo;
  if (rango <= 0) return 0;
  return static_cast<int32_t>(Recorrido(r) * (int64_t{r->maximo} - r->valor) / rango);
}

void IniciarTimer(HWND hwnd, Registro* r, UINT_PTR id, int32_t ms) {
  r->TimerEnabled = static_cast<int32_t>(id);
  SetTimer(hwnd, id, static_cast<UINT>(ms), nullptr);
}
void PararTimer(HWND hwnd, Registro* r) {
  if (r->TimerEnabled) KillTimer(hwnd, static_cast<UINT_PTR>(r->TimerEnabled));
  r->TimerEnabled = 0;
}

// Disabling or becoming unready: no timer, no hover, no press.
void Detener(HWND hwnd, Registro* r) {
  PararTimer(hwnd, r);
  r->parteSobre = kNinguna;
  if (r->MouseCapt) {
    r->MouseCapt = kNinguna;
    SoltarCaptura(hwnd);
  }
}

// One step the way an arrow goes (the grip steps like the arrow it moves
// toward). A step below 1 steps nowhere. Whether the value changed.
bool Avanzar(Registro* r, int32_t flecha) {
  if (r->paso < 1) return false;
  const int64_t nuevo = flecha == kFlechaArriba ? std::min<int64_t>(int64_t{r->valor} + r->paso, r->maximo)
                                                : std::max<int64_t>(int64_t{r->valor} - r->paso, r->minimo);
  if (nuevo == r->valor) return false;
  r->valor = static_cast<int32_t>(nuevo);
  return true;
}

// A step wider than the range becomes half the range, at least 1.
void AjustarPaso(Registro* r) {
  const int64_t rango = int64_t{r->maximo} - r->minimo;
  if (r->paso > rango) r->paso = static_cast<int32_t>(std::max<int64_t>(rango / 2, 1));
}

void Disponer(HWND hwnd, Registro* r) {
  r->listo = r->imagen && r->altoFrame == int64_t{r->alto1} + r->alto2 + r->alto3;
  if (!r->listo) Detener(hwnd, r);
  Repintar(hwnd);
}

void Medir(HWND hwnd, Registro* r) {
  if (r->imagen) {
    r->ancho = r->imagen->biWidth;
    r->altoFrame = r->imagen->biHeight / (r->conFrameInactivo + 3);
    AjustarVentana(hwnd, r->ancho, r->altoFrame);
  }
  Disponer(hwnd, r);
}

// ---- Messages from the owner ----------------------------------------------

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->habilitado) return 1;
  r->habilitado = habilitar;
  if (!habilitar) Detener(hwnd, r);
  Repintar(hwnd);
  return 1;
}

// Null, a picture that could not be had, leaves the control unready.
LRESULT OnPonerImagen(HWND hwnd, Registro* r, HIMAGE imagen) {
  r->imagen = imagen;
  Medir(hwnd, r);
  return imagen != nullptr;
}

LRESULT OnPonerAlto(HWND hwnd, Registro* r, int32_t* alto, int32_t v) {
  if (v < 1) return 1;
  *alto = v;
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerMaximo(HWND hwnd, Registro* r, int32_t v) {
  r->maximo = v;
  if (r->minimo > v) r->minimo = r->valor = v;
  AjustarPaso(r);
  r->valor = std::min(r->valor, v);
  MostrarValor(hwnd, r);
  return 1;
}

LRESULT OnPonerMinimo(HWND hwnd, Registro* r, int32_t v) {
  r->minimo = v;
  if (r->maximo < v) r->maximo = r->valor = v;
  AjustarPaso(r);
  r->valor = std::max(r->valor, v);
  MostrarValor(hwnd, r);
  return 1;
}

// Truncating toward zero can leave the range (minimum 3, step 5, value 4
// gives 0): the result is clamped again.
LRESULT OnPonerValor(HWND hwnd, Registro* r, int32_t v) {
  int64_t nuevo = std::clamp(v, r->minimo, r->maximo);
  if (r->paso >= 1) nuevo = nuevo / r->paso * r->paso;
  r->valor = static_cast<int32_t>(std::clamp<int64_t>(nuevo, r->minimo, r->maximo));
  MostrarValor(hwnd, r);
  return 1;
}

LRESULT OnPonerPulgar(HWND hwnd, Registro* r, int32_t v) {
  if (v < 0) return 1;
  r->pulgar = v;
  RepintarParte(hwnd, r, kAgarre);
  return 1;
}

LRESULT OnPonerPaso(Registro* r, int32_t v) {
  r->paso = v;
  AjustarPaso(r);
  return 1;
}

LRESULT OnPonerEstilo(HWND hwnd, Registro* r, bool con) {
  r->conFrameInactivo = con ? 1 : 0;
  Medir(hwnd, r);
  return 1;
}

LRESULT OnPonerUmbral(Registro* r, int32_t v) {
  if (v >= 1) r->umbral = v;
  return 1;
}

LRESULT OnPonerTiempo(int32_t* campo, int32_t ms, const char* mensaje) {
  *campo = ms;
  Verificar(ms < kTiempoMinimo, mensaje);
  return 1;
}

// ---- Painting ---------------------------------------------------------------

int32_t Cuadro(const Registro* r, int32_t parte) {
  if (!r->habilitado) return 0;
  int32_t cuadro = kNormal;
  if (parte == r->parteSobre && !(r->TimerEnabled == kTimerDespRepeticion && r->fase))
    cuadro = r->MouseCapt ? kPresionado : kEncima;
  return cuadro + r->conFrameInactivo;
}

// The track, and over it the thumb where the value puts it (lit while
// hovered or held); a disabled control shows the track alone.
void PintarPista(HDC hdc, const Registro* r, int32_t banda) {
  const int32_t alto = r->alto2, pulgar = std::min(r->pulgar, alto);
  const int32_t pista = r->habilitado ? r->conFrameInactivo : 0;
  DibujarHIMAGE(hdc, 0, r->alto1, r->ancho, alto, r->imagen, 0, banda + pista * alto, ROP_SRCCOPY);
  if (!r->habilitado) return;
  const bool encendido = r->parteSobre == kAgarre;
  const int32_t cuadro = r->conFrameInactivo + (encendido ? 2 : 1);
  DibujarHIMAGE(hdc, 0, r->alto1 + PosicionPulgar(r), r->ancho, pulgar, r->imagen, 0, banda + cuadro * alto,
                ROP_SRCCOPY);
}

LRESULT OnPaint(HWND hwnd, const Registro* r) {
  Pintura p(hwnd);
  const RECT& rc = p.Rect();
  if (!r->listo) {
    PintarRectangulo(p.Hdc(), rc, nullptr, ROP_SRCCOPY);
    return 0;
  }
  const int32_t cuadros = r->conFrameInactivo + 3;
  for (int32_t parte = kFlechaArriba; parte <= kFlechaAbajo; ++parte) {
    const int32_t arriba = Arriba(r, parte), alto = Alto(r, parte);
    if (arriba >= rc.bottom || arriba + alto <= rc.top) continue;
    // The band of a part starts below the bands of the parts above it.
    const int32_t banda = arriba * cuadros;
    if (parte == kAgarre && r->pulgar > 0) {
      PintarPista(p.Hdc(), r, banda);
      continue;
    }
    DibujarHIMAGE(p.Hdc(), 0, arriba, r->ancho, alto, r->imagen, 0, banda + Cuadro(r, parte) * alto, ROP_SRCCOPY);
  }
  return 0;
}

// ---- The mouse --------------------------------------------------------------

LRESULT MoverEncima(HWND hwnd, Registro* r, int32_t parte) {
  if (parte == r->parteSobre) return 0;
  const int32_t antes = r->parteSobre;
  r->parteSobre = parte;
  RepintarParte(hwnd, r, parte);
  if (antes) {
    RepintarParte(hwnd, r, antes);
    NotificarPadre(hwnd, antes + kNotifDespSalioParte);
  } else {
    if (Verificar(r->TimerEnabled != 0, "Timer habilitado con otro valor")) PararTimer(hwnd, r);
    IniciarTimer(hwnd, r, kTimerEncima, kPeriodoEncima);
    NotificarPadre(hwnd, kNotifEntro);
  }
  NotificarPadre(hwnd, parte + kNotifDespEntroParte);
  return 0;
}

// An arrow held down follows the pointer in and out of its own rectangle:
// out stops the repeat, back in starts the delay again, shortened.
LRESULT MoverFlecha(HWND hwnd, Registro* r, int x, int y) {
  const int32_t flecha = r->MouseCapt;
  const bool enY = flecha == kFlechaArriba ? y >= 0 && y < r->alto1 : y >= r->alto1 + r->alto2 && y < r->altoFrame;
  const bool dentro = x >= 0 && x < r->ancho && enY;
  if (dentro && r->parteSobre == kNinguna) {
    r->parteSobre = flecha;
    if (Verificar(r->TimerEnabled == kTimerEncima, "el valor de data->TimerEnabled es invalido")) PararTimer(hwnd, r);
    IniciarTimer(hwnd, r, kTimerDespRetardo, kPeriodoEncima);
    RepintarParte(hwnd, r, flecha);
    NotificarPadre(hwnd, flecha + kNotifDespEntroParte);
    NotificarPadre(hwnd, kNotifEntro);
  } else if (!dentro && r->parteSobre == flecha) {
    r->parteSobre = kNinguna;
    Verificar(r->TimerEnabled != kTimerDespRetardo && r->TimerEnabled != kTimerDespRepeticion,
              "valor de data->TimerEnabled invalido");
    PararTimer(hwnd, r);
    RepintarParte(hwnd, r, flecha);
    NotificarPadre(hwnd, flecha + kNotifDespSalioParte);
    NotificarPadre(hwnd, kNotifSalio);
  }
  return 0;
}

// A thumb keeps up with the pointer: a step waits until the pointer has
// gone as far as the thumb moves in one.
int32_t UmbralAgarre(const Registro* r) {
  const int64_t rango = int64_t{r->maximo} - r->minimo;
  if (r->pulgar <= 0 || rango <= 0) return r->umbral;
  return static_cast<int32_t>(std::max<int64_t>(r->umbral, Recorrido(r) * r->paso / rango));
}

// The grip reads the pointer itself: after a wrap, moves still queued carry
// positions from the other edge.
LRESULT MoverAgarre(HWND hwnd, Registro* r) {
  if (Avisar(r->paso < 1, "este valor es invalido")) return 0;
  POINT p;
  if (!GetCursorPos(&p)) return 0;
  RECT pantalla{};
  GetClientRect(GetDesktopWindow(), &pantalla);
  const int32_t h = pantalla.bottom;
  const int32_t d = std::abs(p.y - r->ultimaY);
  if (p.y <= 0) {
    p.y = h - 2;
    SetCursorPos(p.x, p.y);
    r->ultimaY = h - 2 + d;
  } else if (p.y >= h - 1) {
    p.y = 1;
    SetCursorPos(p.x, p.y);
    r->ultimaY = 1 - d;
  }
  if (d <= UmbralAgarre(r)) return 0;
  const bool cambio = Avanzar(r, p.y > r->ultimaY ? kFlechaAbajo : kFlechaArriba);
  r->ultimaY = p.y;
  if (cambio) {
    MostrarValor(hwnd, r);
    NotificarPadre(hwnd, kNotifActivado);
  }
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (r->MouseCapt == kNinguna) return MoverEncima(hwnd, r, Parte(r, y));
  if (r->MouseCapt == kAgarre) return MoverAgarre(hwnd, r);
  return MoverFlecha(hwnd, r, x, y);
}

LRESULT OnLButtonDown(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r) || r->MouseCapt) return 0;
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  r->ultimaY = p.y;
  const int32_t parte = Parte(r, y);
  // A hover the moves missed is shown no longer.
  RepintarParte(hwnd, r, r->parteSobre);
  r->parteSobre = r->MouseCapt = parte;
  RepintarParte(hwnd, r, parte);
  SetCapture(hwnd);
  PararTimer(hwnd, r);
  if (EsFlecha(parte)) IniciarTimer(hwnd, r, kTimerDespRetardo, r->retardo);
  NotificarPadre(hwnd, kNotifPresionado);
  NotificarPadre(hwnd, parte + kNotifDespPresionoParte);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r, LPARAM lParam) {
  const int y = GET_Y_LPARAM(lParam);
  if (!Activo(r) || !r->MouseCapt) return 0;
  const int32_t sujeta = r->MouseCapt;
  const int32_t sobreAntes = r->parteSobre;
  const int32_t timerAntes = r->TimerEnabled;
  RepintarParte(hwnd, r, sujeta);
  PararTimer(hwnd, r);
  int32_t soltada = sujeta;
  bool cambio = false;
  const bool fuera = !SoltadoSobre(hwnd, lParam);
  if (fuera) {
    r->parteSobre = kNinguna;
  } else {
    soltada = r->parteSobre = Parte(r, y);
    RepintarParte(hwnd, r, soltada);
    IniciarTimer(hwnd, r, kTimerEncima, kPeriodoEncima);
    // A click shorter than the delay still steps once.
    if (timerAntes == static_cast<int32_t>(kTimerDespRetardo) && soltada == sujeta &&
        !Verificar(!EsFlecha(sujeta), "LastTimer == 2 y data->MouseCapt != 3 aqui significa un error en mousedown"))
      cambio = Avanzar(r, sujeta);
  }
  r->MouseCapt = kNinguna;
  SoltarCaptura(hwnd);
  if (cambio) MostrarValor(hwnd, r);
  // The parent may destroy the control from here on: no record after this.
  if (cambio) NotificarPadre(hwnd, kNotifActivado);
  NotificarPadre(hwnd, soltada + kNotifDespSoltoParte);
  NotificarPadre(hwnd, kNotifSoltado);
  // Released away from a part still marked under the pointer (the grip
  // always, an arrow when the capture was taken from it): its hover ends.
  if (fuera && sobreAntes) {
    NotificarPadre(hwnd, sobreAntes + kNotifDespSalioParte);
    NotificarPadre(hwnd, kNotifSalio);
  }
  return 0;
}

// ---- Timers -----------------------------------------------------------------

// The hover check stops itself: only the record must forget it.
LRESULT FinEncima(HWND hwnd, Registro* r) {
  return RevisarEncima(hwnd, kTimerEncima, r->MouseCapt != kNinguna, [=] {
    const int32_t parte = r->parteSobre;
    RepintarParte(hwnd, r, parte);
    r->parteSobre = kNinguna;
    r->TimerEnabled = 0;
    if (parte) NotificarPadre(hwnd, parte + kNotifDespSalioParte);
  });
}

LRESULT FinRetardo(HWND hwnd, Registro* r) {
  if (Verificar(r->MouseCapt == kAgarre,
                "aqui data->MouseCapt no puede llegar con un valor de dos, por que es para el boton del medio") ||
      Verificar(r->MouseCapt == kNinguna, "data->MouseCapt = 0 aqui es un error")) {
    PararTimer(hwnd, r);
    return 0;
  }
  PararTimer(hwnd, r);
  r->fase = true;
  IniciarTimer(hwnd, r, kTimerDespRepeticion, r->periodo);
  return 0;
}

// Every other tick steps; every tick repaints, so the held arrow blinks.
LRESULT Repetir(HWND hwnd, Registro* r) {
  if (!EsFlecha(r->MouseCapt)) return 0;
  bool cambio = false;
  if (r->fase) {
    r->fase = false;
    cambio = Avanzar(r, r->MouseCapt);
  } else {
    r->fase = true;
  }
  RepintarParte(hwnd, r, r->MouseCapt);
  if (cambio) {
    MostrarValor(hwnd, r);
    NotificarPadre(hwnd, kNotifActivado);
  }
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  // A tick of a timer that has since been replaced may still arrive.
  if (!r->habilitado || id != static_cast<UINT_PTR>(r->TimerEnabled)) return 0;
  switch (id) {
    case kTimerEncima: return FinEncima(hwnd, r);
    case kTimerDespRetardo: return FinRetardo(hwnd, r);
    case kTimerDespRepeticion: return Repetir(hwnd, r);
    default: return 0;
  }
}

}  // namespace

LRESULT CALLBACK ProcDesplazador(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return CrearRegistro<Registro>(hwnd) ? 0 : -1;
  Registro* r = RegistroDe<Registro>(hwnd);
  if (!r) return SinRegistro(hwnd, msg, wParam, lParam);
  const auto v = static_cast<int32_t>(lParam);
  switch (msg) {
    case WM_DESTROY: LiberarRegistro<Registro>(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd, r);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, r, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, r, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, r, lParam);
    case WM_TIMER: return OnTimer(hwnd, r, wParam);
    case WM_CAPTURECHANGED: CapturaCambiada(hwnd, reinterpret_cast<HWND>(lParam), r->MouseCapt != 0); return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case kMsgObtenerHabilitado: return r->habilitado;
    case kMsgHabilitar: return OnHabilitar(hwnd, r, lParam != 0);
    case kMsgObtenerImagen: return reinterpret_cast<LRESULT>(r->imagen);
    case kMsgPonerImagen: return OnPonerImagen(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgDespObtenerAlto1: return r->alto1;
    case kMsgDespPonerAlto1: return OnPonerAlto(hwnd, r, &r->alto1, v);
    case kMsgDespObtenerAlto2: return r->alto2;
    case kMsgDespPonerAlto2: return OnPonerAlto(hwnd, r, &r->alto2, v);
    case kMsgDespObtenerAlto3: return r->alto3;
    case kMsgDespPonerAlto3: return OnPonerAlto(hwnd, r, &r->alto3, v);
    case kMsgDespObtenerMaximo: return r->maximo;
    case kMsgDespPonerMaximo: return OnPonerMaximo(hwnd, r, v);
    case kMsgDespObtenerMinimo: return r->minimo;
    case kMsgDespPonerMinimo: return OnPonerMinimo(hwnd, r, v);
    case kMsgDespObtenerValor: return r->valor;
    case kMsgDespPonerValor: return OnPonerValor(hwnd, r, v);
    case kMsgDespObtenerPaso: return r->paso;
    case kMsgDespPonerPaso: return OnPonerPaso(r, v);
    case kMsgDespObtenerUmbral: return r->umbral;
    case kMsgDespPonerUmbral: return OnPonerUmbral(r, v);
    case kMsgDespObtenerEstilo: return r->conFrameInactivo;
    case kMsgDespPonerEstilo: return OnPonerEstilo(hwnd, r, lParam != 0);
    case kMsgDespObtenerRetardo: return r->retardo;
    case kMsgDespPonerRetardo: return OnPonerTiempo(&r->retardo, v, "Tiempo para el delay demasiado bajo");
    case kMsgDespObtenerPeriodo: return r->periodo;
    case kMsgDespPonerPeriodo: return OnPonerTiempo(&r->periodo, v, "Tiempo para el periodo demasiado bajo");
    case kMsgDespObtenerPulgar: return r->pulgar;
    case kMsgDespPonerPulgar: return OnPonerPulgar(hwnd, r, v);
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
