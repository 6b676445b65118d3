// COVCOMMAND / COVBOXSCOMMAND: created by nearly every screen as its picture
// buttons; shows the normal, hovered or pressed frame of its owner's strip.
#include "BotonComando.h"

#include <windowsx.h>

#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "ObjetosGDI.h"

namespace {

enum : int32_t { kNormal = 0, kEncima = 1, kPresionado = 2 };

struct Registro {
  TiraBoton tira;
  int32_t estado = kNormal;
  bool capturado = false;
};

bool Activo(const Registro* r) { return r->tira.habilitado && r->tira.imagen; }

void Cambiar(HWND hwnd, Registro* r, int32_t estado) {
  r->estado = estado;
  Repintar(hwnd);
}

// Disabled or left without a picture: a press or a hover ends unreported.
void Detener(HWND hwnd, Registro* r) {
  if (r->capturado) {
    r->capturado = false;
    SoltarCaptura(hwnd);
  } else if (r->estado != kNormal) {
    PararEncima(hwnd);
  }
}

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->tira.habilitado) return 1;
  r->tira.habilitado = habilitar;
  if (!habilitar) Detener(hwnd, r);
  Cambiar(hwnd, r, kNormal);
  return 1;
}

LRESULT OnPonerImagen(HWND hwnd, Registro* r, HIMAGE imagen) {
  if (!imagen) {
    Detener(hwnd, r);
    r->tira.imagen = nullptr;
    Cambiar(hwnd, r, kNormal);
    return 0;
  }
  r->tira.imagen = imagen;
  MedirTiraBoton(hwnd, &r->tira, 3);
  return 1;
}

LRESULT OnPonerFrameInactivo(HWND hwnd, Registro* r, bool con) {
  r->tira.conFrameInactivo = con ? 1 : 0;
  if (r->tira.imagen) MedirTiraBoton(hwnd, &r->tira, 3);
  return 1;
}

LRESULT OnPaint(HWND hwnd, const Registro* r) {
  return PintarTiraBoton(hwnd, r->tira, r->tira.habilitado ? r->estado + r->tira.conFrameInactivo : 0);
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (!r->capturado) {
    if (r->estado != kNormal) return 0;
    Cambiar(hwnd, r, kEncima);
    EmpezarEncima(hwnd);
    SonarEncima();
    NotificarPadre(hwnd, kNotifEntro);
    return 0;
  }
  // While pressed the frame tells whether a release here would click.
  const bool sobre = PuntoSobre(hwnd, x, y);
  if (!sobre && r->estado == kPresionado) {
    Cambiar(hwnd, r, kEncima);
    NotificarPadre(hwnd, kNotifSalio);
  } else if (sobre && r->estado == kEncima) {
    Cambiar(hwnd, r, kPresionado);
    SonarEncima();
    NotificarPadre(hwnd, kNotifEntro);
  }
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, Registro* r) {
  if (!Activo(r) || r->capturado) return 0;
  r->capturado = true;
  Cambiar(hwnd, r, kPresionado);
  SetCapture(hwnd);
  PararEncima(hwnd);
  NotificarPadre(hwnd, kNotifPresionado);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r, LPARAM lParam) {
  if (!Activo(r) || !r->capturado) return 0;
  r->capturado = false;
  const bool sobre = SoltadoSobre(hwnd, lParam);
  if (sobre) EmpezarEncima(hwnd);
  Cambiar(hwnd, r, sobre ? kEncima : kNormal);
  SoltarCaptura(hwnd);
  // The parent may destroy the button from here on: no record after this.
  NotificarPadre(hwnd, kNotifSoltado);
  if (sobre) {
    SonarClic();
    NotificarPadre(hwnd, kNotifActivado);
  }
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  return RevisarEncima(hwnd, id, r->capturado, [=] { Cambiar(hwnd, r, kNormal); });
}

}  // namespace

void MedirTiraBoton(HWND hwnd, TiraBoton* tira, int32_t cuadros) {
  tira->ancho = tira->imagen->biWidth;
  tira->altoFrame = tira->imagen->biHeight / (cuadros + tira->conFrameInactivo);
  AjustarVentana(hwnd, tira->ancho, tira->altoFrame);
  Repintar(hwnd);
}

LRESULT PintarTiraBoton(HWND hwnd, const TiraBoton& tira, int32_t cuadro) {
  Pintura p(hwnd);
  const RECT& rc = p.Rect();
  if (!tira.imagen) {
    PintarRectangulo(p.Hdc(), rc, nullptr, ROP_SRCCOPY);
    return 0;
  }
  DibujarHIMAGE(p.Hdc(), rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, tira.imagen, rc.left,
                rc.top + cuadro * tira.altoFrame, ROP_SRCCOPY);
  return 0;
}

LRESULT CALLBACK ProcBotonComando(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
    case kMsgBotonObtenerFrameInactivo: return r->tira.conFrameInactivo;
    case kMsgBotonPonerFrameInactivo: return OnPonerFrameInactivo(hwnd, r, lParam != 0);
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
