// COVANIM: created by the tool bar, the tab labels and the honour-roll,
// file, printing and picture-information windows as animated buttons;
// shows the frame of the strip that its owner picks.
#include "Animacion.h"

#include <windowsx.h>

#include <cstring>
#include <memory>

#include "ControlDC.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "ObjetosGDI.h"
#include "Proyector.h"
#include "Verificar.h"

namespace {

constexpr int32_t kIntervaloMinimo = 45;  // ms

struct Registro {
  int32_t valorUsuario = 0;
  bool habilitado = true;
  bool sobre = false;
  bool capturado = false;
  int32_t intervalo = 75;  // ms
  bool corriendo = false;
  int32_t cuadro = 0;
  bool transparente = false;
  HIMAGE tira = nullptr;     // kept by the sender
  HDC fondoAnim = nullptr;   // kept by the sender
  bool listo = false;
  int32_t ancho = 0, alto = 0;  // one frame = the window
  int32_t anchoFondo = 0, altoFondo = 0;
  Proyector proyector;
  std::unique_ptr<ControlDC> Proceso;  // transparent mode: background + frame
  HDC dcPropio = nullptr;              // the class's own DC (CS_OWNDC)
};

bool Activo(const Registro* r) { return r->habilitado && r->listo; }
int64_t Cuadros(const Registro* r) { return static_cast<int64_t>(r->proyector.NumFil()) * r->proyector.NumCol(); }

void TerminarPulsacion(HWND hwnd, Registro* r) {
  r->capturado = false;
  SoltarCaptura(hwnd);
}

// The background goes through an 8-bit DIB section with the strip's colour
// table: GDI maps its colours onto that palette, so the masked frame's
// indices mean the same in the strip and in Proceso.
bool CopiarFondo(Registro* r) {
  HIMAGE proceso = r->Proceso->Imagen();
  CopiarPaleta(r->tira, proceso);
  struct {
    BITMAPINFOHEADER cabecera;
    RGBQUAD tabla[256];
  } bi{};
  bi.cabecera = {sizeof bi.cabecera, proceso->biWidth, proceso->biHeight, 1, 8, BI_RGB, 0, 0, 0,
                 proceso->biClrUsed, 0};
  std::memcpy(bi.tabla, ColoresHIMAGE(proceso), 4 * proceso->biClrUsed);
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(r->fondoAnim, reinterpret_cast<BITMAPINFO*>(&bi), DIB_RGB_COLORS, &bits, nullptr, 0);
  ControlDC copia(true);
  if (!dib || !copia.SeleccionarBitmap(dib, true)) return false;
  if (!BitBlt(copia.Hdc(), 0, 0, proceso->biWidth, proceso->biHeight, r->fondoAnim, 0, 0, SRCCOPY)) return false;
  GdiFlush();
  // Both keep bottom-up rows padded to 4 bytes.
  std::memcpy(PixelesHIMAGE(proceso), bits, proceso->biSizeImage);
  return true;
}

void DibujarTransparente(Registro* r, HDC hdc, const RECT& rect) {
  if (!CopiarFondo(r)) {
    PintarRectangulo(hdc, rect, nullptr, ROP_SRCCOPY);
    return;
  }
  r->proyector.Transparencia(r->cuadro, 0, 0, false, false, false);
  PintarRectangulo(hdc, rect, r->Proceso->Imagen(), ROP_SRCCOPY);
}

bool FondoValido(const Registro* r) {
  const Punto cuadro = r->proyector.TamañoCuadro();
  return r->fondoAnim && r->Proceso && r->anchoFondo == cuadro.x && r->altoFondo == cuadro.y &&
         r->tira->biBitCount == 8 && r->tira->biClrUsed >= 1;
}

// After every change of strip, background, grid or mode.
void Disponer(HWND hwnd, Registro* r) {
  r->listo = r->tira && r->dcPropio && (!r->transparente || FondoValido(r));
  // A frame number from the old grid would fail every paint.
  if (r->cuadro >= Cuadros(r)) r->cuadro = 0;
  if (r->listo) {
    if (r->transparente)
      r->proyector.Destino(r->Proceso->Imagen());
    else
      r->proyector.Destino(r->dcPropio);
    const Punto cuadro = r->proyector.TamañoCuadro();
    r->ancho = cuadro.x;
    r->alto = cuadro.y;
    AjustarVentana(hwnd, r->ancho, r->alto);
  } else if (r->capturado) {
    TerminarPulsacion(hwnd, r);
  } else if (r->sobre) {
    PararEncima(hwnd);
  }
  r->sobre = false;
  if (r->corriendo) {
    r->corriendo = false;
    KillTimer(hwnd, kTimerTic);
  }
  Repintar(hwnd);
}

LRESULT OnCreate(HWND hwnd) {
  if (!CrearRegistro<Registro>(hwnd)) return -1;
  Registro* r = RegistroDe<Registro>(hwnd);
  r->dcPropio = GetDC(hwnd);
  r->proyector.Destino(hwnd);
  return 0;
}

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->habilitado) return 1;
  r->habilitado = habilitar;
  if (!habilitar) {
    if (r->capturado)
      TerminarPulsacion(hwnd, r);
    else if (r->sobre)
      PararEncima(hwnd);
    r->sobre = false;
  }
  return 1;
}

// Null, a strip that could not be had, leaves the control unready.
LRESULT OnPonerTira(HWND hwnd, Registro* r, HIMAGE tira) {
  r->tira = tira;
  if (tira)
    r->proyector.DeclararTiraExterna(tira, r->transparente);
  else
    r->proyector.QuitarTira();
  Disponer(hwnd, r);
  return tira != nullptr;
}

bool PrepararProceso(Registro* r, int32_t ancho, int32_t alto) {
  if (ancho < 1 || alto < 1) return false;
  if (!r->Proceso) r->Proceso.reset(new (std::nothrow) ControlDC());
  return r->Proceso && r->Proceso->AjustarTamaño(ancho, alto);
}

LRESULT OnPonerFondo(HWND hwnd, Registro* r, HDC fondo) {
  if (Verificar(!fondo, "hdc enviado es invalido")) return 0;
  BITMAP info{};
  HGDIOBJ bitmap = GetCurrentObject(fondo, OBJ_BITMAP);
  const bool leido = bitmap && GetObjectA(bitmap, sizeof info, &info) && PrepararProceso(r, info.bmWidth, info.bmHeight);
  r->fondoAnim = leido ? fondo : nullptr;
  r->anchoFondo = leido ? info.bmWidth : 0;
  r->altoFondo = leido ? info.bmHeight : 0;
  Disponer(hwnd, r);
  return leido;
}

LRESULT OnPonerTransparente(HWND hwnd, Registro* r, bool transparente) {
  r->transparente = transparente;
  if (r->tira) r->proyector.DeclararTiraExterna(r->tira, transparente);
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerCuadro(HWND hwnd, Registro* r, int32_t cuadro) {
  if (Verificar(cuadro < 0 || cuadro >= Cuadros(r), "Numero de Cuadro enviado al Animation es invalido")) return 0;
  r->cuadro = cuadro;
  if (!r->listo) return 1;
  if (r->transparente)
    DibujarTransparente(r, r->dcPropio, RECT{0, 0, r->ancho, r->alto});
  else
    Repintar(hwnd);
  return 1;
}

LRESULT OnPonerFilas(HWND hwnd, Registro* r, int32_t n) {
  if (Verificar(n < 1, "numero de filas invalido")) return 0;
  r->proyector.CambiarNumFil(n);
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerColumnas(HWND hwnd, Registro* r, int32_t n) {
  if (Verificar(n < 1, "numero de columnas invalido")) return 0;
  r->proyector.CambiarNumCol(n);
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerIntervalo(Registro* r, int32_t ms) {
  r->intervalo = ms;
  Verificar(r->intervalo < kIntervaloMinimo, "tiempo para el intervalo del timer demasiado bajo");
  return 1;
}

LRESULT OnCorrer(HWND hwnd, Registro* r, bool correr) {
  if (!r->listo || correr == r->corriendo) return 1;
  r->corriendo = correr;
  if (correr)
    SetTimer(hwnd, kTimerTic, static_cast<UINT>(r->intervalo), nullptr);
  else
    KillTimer(hwnd, kTimerTic);
  return 1;
}

LRESULT OnPaint(HWND hwnd, Registro* r) {
  // BeginPaint hands back the own DC, clipped to the update region.
  Pintura p(hwnd);
  if (!r->listo)
    PintarRectangulo(p.Hdc(), p.Rect(), nullptr, ROP_SRCCOPY);
  else if (r->transparente)
    DibujarTransparente(r, p.Hdc(), p.Rect());
  else
    r->proyector.TransparenciaParcial(r->cuadro, 0, 0, false, false, false, ROP_SRCCOPY);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (!r->capturado) {
    if (r->sobre) return 0;
    r->sobre = true;
    EmpezarEncima(hwnd);
    NotificarPadre(hwnd, kNotifEntro);
    return 0;
  }
  const bool dentro = x >= 0 && x <= r->ancho && y >= 0 && y <= r->alto;
  if (dentro == r->sobre) return 0;
  r->sobre = dentro;
  NotificarPadre(hwnd, dentro ? kNotifEntro : kNotifSalio);
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, Registro* r) {
  if (!Activo(r) || r->capturado) return 0;
  PararEncima(hwnd);
  r->capturado = true;
  SetCapture(hwnd);
  NotificarPadre(hwnd, kNotifPresionado);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r, LPARAM lParam) {
  if (!Activo(r) || !r->capturado) return 0;
  r->capturado = false;
  // The hover mark follows the release: the owner reads it (1350) on code
  // 1, and a press that lost the capture must not leave it stuck.
  const bool cuenta = SoltadoSobre(hwnd, lParam);
  r->sobre = cuenta;
  if (cuenta) EmpezarEncima(hwnd);
  SoltarCaptura(hwnd);
  // The parent may destroy the control from here on: no record after this.
  NotificarPadre(hwnd, kNotifSoltado);
  if (cuenta) NotificarPadre(hwnd, kNotifActivado);
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  if (id == kTimerTic) {
    if (r->corriendo) NotificarPadre(hwnd, kNotifQuinto);
    return 0;
  }
  return RevisarEncima(hwnd, id, !Activo(r) || r->capturado, [r] { r->sobre = false; });
}

}  // namespace

LRESULT CALLBACK ProcAnimacion(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CREATE) return OnCreate(hwnd);
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
    case kMsgObtenerHabilitado: return r->habilitado;
    case kMsgHabilitar: return OnHabilitar(hwnd, r, lParam != 0);
    case kMsgObtenerImagen: return reinterpret_cast<LRESULT>(r->tira);
    case kMsgPonerImagen: return OnPonerTira(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgAnimObtenerFondo: return reinterpret_cast<LRESULT>(r->fondoAnim);
    case kMsgAnimPonerFondo: return OnPonerFondo(hwnd, r, reinterpret_cast<HDC>(lParam));
    case kMsgAnimObtenerTransparente: return r->transparente;
    case kMsgAnimPonerTransparente: return OnPonerTransparente(hwnd, r, lParam != 0);
    case kMsgAnimObtenerCuadro: return r->cuadro;
    case kMsgAnimPonerCuadro: return OnPonerCuadro(hwnd, r, static_cast<int32_t>(lParam));
    case kMsgAnimObtenerFilas: return r->proyector.NumFil();
    case kMsgAnimPonerFilas: return OnPonerFilas(hwnd, r, static_cast<int32_t>(lParam));
    case kMsgAnimObtenerColumnas: return r->proyector.NumCol();
    case kMsgAnimPonerColumnas: return OnPonerColumnas(hwnd, r, static_cast<int32_t>(lParam));
    case kMsgAnimObtenerIntervalo: return r->intervalo;
    case kMsgAnimPonerIntervalo: return OnPonerIntervalo(r, static_cast<int32_t>(lParam));
    case kMsgAnimObtenerCorriendo: return r->corriendo;
    case kMsgAnimCorrer: return OnCorrer(hwnd, r, lParam != 0);
    case kMsgAnimObtenerValorUsuario: return r->valorUsuario;
    case kMsgAnimPonerValorUsuario: r->valorUsuario = static_cast<int32_t>(lParam); return 1;
    case kMsgAnimObtenerSobre: return r->sobre;
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
