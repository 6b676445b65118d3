// COVCHECK: created by the new-puzzle, image-preview, honour-roll, file and
// music windows as check boxes and option buttons; shows its up or down
// look, hovered or not, from its owner's strip.
#include "BotonCheck.h"

#include <windowsx.h>

#include "BotonComando.h"
#include "Controles.h"

namespace {

enum : int32_t { kArriba = 0, kArribaEncima = 1, kAbajo = 2, kAbajoEncima = 3 };

struct Registro {
  TiraBoton tira;
  int32_t aspecto = kArriba;
  int32_t capturado = 0;
  bool marcado = false;
  bool esOpcion = false;
};

bool Activo(const Registro* r) { return r->tira.habilitado && r->tira.imagen; }

// The look at rest: down when checked, unless `presionando` shows the
// other state (what a release would give).
int32_t Reposo(const Registro* r, bool presionando) { return r->marcado != presionando ? kAbajo : kArriba; }
int32_t Encima(const Registro* r) { return r->marcado ? kAbajoEncima : kArribaEncima; }

// Whether the look changed; `forzar` repaints even when it did not.
bool Mostrar(HWND hwnd, Registro* r, int32_t aspecto, bool forzar = false) {
  const bool cambio = aspecto != r->aspecto;
  r->aspecto = aspecto;
  if (cambio || forzar) Repintar(hwnd);
  return cambio;
}

void TerminarPulsacion(HWND hwnd, Registro* r) {
  r->capturado = 0;
  SoltarCaptura(hwnd);
}

// Disabled or left without a picture: a press or a hover ends unreported.
void Detener(HWND hwnd, Registro* r) {
  if (r->capturado)
    TerminarPulsacion(hwnd, r);
  else if (r->aspecto == kArribaEncima || r->aspecto == kAbajoEncima)
    PararEncima(hwnd);
}

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->tira.habilitado) return 1;
  r->tira.habilitado = habilitar;
  if (habilitar) {
    Mostrar(hwnd, r, Reposo(r, false), true);
    return 1;
  }
  Detener(hwnd, r);
  Mostrar(hwnd, r, kArriba, true);
  return 1;
}

LRESULT OnPonerImagen(HWND hwnd, Registro* r, HIMAGE imagen) {
  if (!imagen) {
    Detener(hwnd, r);
    r->tira.imagen = nullptr;
    Mostrar(hwnd, r, Reposo(r, false), true);
    return 0;
  }
  r->tira.imagen = imagen;
  MedirTiraBoton(hwnd, &r->tira, 4);
  return 1;
}

LRESULT OnPonerFrameInactivo(HWND hwnd, Registro* r, bool con) {
  r->tira.conFrameInactivo = con ? 1 : 0;
  if (r->tira.imagen) MedirTiraBoton(hwnd, &r->tira, 4);
  return 1;
}

LRESULT OnPonerMarcado(HWND hwnd, Registro* r, bool marcar) {
  if (marcar == r->marcado) return 1;
  r->marcado = marcar;
  r->aspecto = marcar ? kAbajo : kArriba;
  if (r->capturado) TerminarPulsacion(hwnd, r);
  Repintar(hwnd);
  if (!marcar && r->esOpcion && r->tira.habilitado) NotificarPadre(hwnd, kNotifQuinto);
  return 1;
}

LRESULT OnPaint(HWND hwnd, const Registro* r) {
  return PintarTiraBoton(hwnd, r->tira, r->tira.habilitado ? r->aspecto + r->tira.conFrameInactivo : 0);
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (!r->capturado) {
    const bool entro = Mostrar(hwnd, r, Encima(r));
    EmpezarEncima(hwnd);
    if (entro) {
      SonarEncima();
      NotificarPadre(hwnd, kNotifEntro);
    }
    return 0;
  }
  const bool sobre = PuntoSobre(hwnd, x, y);
  if (!Mostrar(hwnd, r, Reposo(r, sobre))) return 0;
  if (sobre) SonarEncima();
  NotificarPadre(hwnd, sobre ? kNotifEntro : kNotifSalio);
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, Registro* r) {
  if (!Activo(r) || r->capturado) return 0;
  r->capturado = 1;
  SetCapture(hwnd);
  Mostrar(hwnd, r, Reposo(r, true));
  PararEncima(hwnd);
  NotificarPadre(hwnd, kNotifPresionado);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r, LPARAM lParam) {
  if (!Activo(r) || !r->capturado) return 0;
  r->capturado = 0;
  bool cuenta = false;
  if (SoltadoSobre(hwnd, lParam)) {
    EmpezarEncima(hwnd);
    cuenta = !(r->esOpcion && r->marcado);
    if (cuenta) r->marcado = !r->marcado;
    Mostrar(hwnd, r, Encima(r), true);
  } else {
    Mostrar(hwnd, r, Reposo(r, false), true);
  }
  SoltarCaptura(hwnd);
  // The parent may destroy the button from here on: no record after this.
  NotificarPadre(hwnd, kNotifSoltado);
  if (cuenta) {
    SonarClic();
    NotificarPadre(hwnd, kNotifActivado);
  }
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  return RevisarEncima(hwnd, id, r->capturado, [=] { Mostrar(hwnd, r, Reposo(r, false)); });
}

}  // namespace

LRESULT CALLBACK ProcBotonCheck(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return CrearRegistro<Registro>(hwnd) ? 0 : -1;
  Registro* r = RegistroDe<Registro>(hwnd);
  if (!r) return SinRegistro(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_DESTROY: LiberarRegistro<Registro>(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd, r);
    case WM_MOUSEMOVE: return OnMouseMove(hwnd, r, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, r);
    case WM_LBUTTONUP: return OnLButtonUp(hwnd, r, lParam);
    case WM_TIMER: return OnTimer(hwnd, r, wParam);
    case WM_CAPTURECHANGED: CapturaCambiada(hwnd, reinterpret_cast<HWND>(lParam), r->capturado); return 0;
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case kMsgObtenerHabilitado: return r->tira.habilitado;
    case kMsgHabilitar: return OnHabilitar(hwnd, r, lParam != 0);
    case kMsgObtenerImagen: return reinterpret_cast<LRESULT>(r->tira.imagen);
    case kMsgPonerImagen: return OnPonerImagen(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgCheckObtenerFrameInactivo: return r->tira.conFrameInactivo;
    case kMsgCheckPonerFrameInactivo: return OnPonerFrameInactivo(hwnd, r, lParam != 0);
    case kMsgCheckObtenerMarcado: return r->marcado;
    case kMsgCheckPonerMarcado: return OnPonerMarcado(hwnd, r, lParam != 0);
    case kMsgCheckObtenerOpcion: return r->esOpcion;
    case kMsgCheckPonerOpcion: r->esOpcion = lParam != 0; return 1;
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
