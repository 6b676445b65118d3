// COVTXT: created by the new-puzzle, honour-roll and language windows as
// clickable captions; shows its text over the part of the parent's
// background picture that lies under it.
#include "EtiquetaTexto.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "ObjetosGDI.h"
#include "Verificar.h"

namespace {

constexpr int32_t kMaxTexto = 199, kMaxFuente = 99;  // characters
constexpr char kPunteroInvalido[] = "Puntero al buffer de texto invalido";

struct Registro {
  bool habilitado = true;
  bool sobre = false;
  bool capturado = false;
  HIMAGE fondoTexto = nullptr;  // kept by the sender
  std::unique_ptr<char[]> texto;
  int32_t largoTexto = 0;  // bytes, terminator included
  bool sombra = false;
  std::unique_ptr<char[]> fuente;  // face name
  int32_t largoFuente = 0;
  int32_t altoFuente = 10;
  COLORREF colorSombra = RGB(0, 0, 0);
  COLORREF colorTexto = RGB(255, 255, 255);
  COLORREF colorInactivo = RGB(160, 160, 164);
  int32_t delaySombra = Esc(2);  // pixels, right and down: 2 designed ones unless set
  int32_t salienteIzquierdo = 0;  // ink left of the first letter's pen position
  bool listo = false;
  int32_t pesoNormal = FW_NORMAL;
  int32_t pesoSobre = FW_BOLD;
  ObjetoGDI<HFONT> fuenteNormal, fuenteSobre;
};

bool Activo(const Registro* r) { return r->habilitado && r->listo; }

void TerminarPulsacion(HWND hwnd, Registro* r) {
  if (r->capturado) {
    r->capturado = false;
    SoltarCaptura(hwnd);
  } else if (r->sobre) {
    KillTimer(hwnd, kTimerEncima);
  }
  r->sobre = false;
}

// `largo` bytes from `origen`, terminator included, into the owned buffer;
// false without memory (the old one stays).
bool Copiar(std::unique_ptr<char[]>* destino, int32_t* largoDestino, const char* origen, int32_t largo) {
  if (largo != *largoDestino) {
    std::unique_ptr<char[]> nuevo(new (std::nothrow) char[static_cast<size_t>(largo)]);
    if (!nuevo) return false;
    *destino = std::move(nuevo);
    *largoDestino = largo;
  }
  std::memcpy(destino->get(), origen, static_cast<size_t>(largo));
  return true;
}

HFONT CrearFuente(const Registro* r, int32_t peso) {
  return CreateFontA(r->altoFuente, 0, 0, 0, peso, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, r->fuente.get());
}

SIZE Extension(HDC dc, HFONT fuente, const Registro* r) {
  Seleccion s(dc, fuente);
  SIZE t{};
  GetTextExtentPoint32A(dc, r->texto.get(), r->largoTexto - 1, &t);
  return t;
}

// Ink the first letter puts left of its pen position (a j's tail) and the
// last one right of its advance (an f's hook): the extent leaves them out.
// Faces without these widths have none.
SIZE Salientes(HDC dc, HFONT fuente, const Registro* r) {
  Seleccion s(dc, fuente);
  const auto primera = static_cast<unsigned char>(r->texto[0]);
  const auto ultima = static_cast<unsigned char>(r->texto[static_cast<size_t>(r->largoTexto - 2)]);
  ABC a{}, c{};
  if (!GetCharABCWidthsA(dc, primera, primera, &a) || !GetCharABCWidthsA(dc, ultima, ultima, &c)) return {0, 0};
  return {std::max(0, -a.abcA), std::max(0, -c.abcC)};
}

void Medir(HWND hwnd, Registro* r) {
  DCVentana dc(hwnd);
  r->fuenteNormal = ObjetoGDI<HFONT>(CrearFuente(r, r->pesoNormal));
  if (r->fuenteNormal) r->fuenteSobre = ObjetoGDI<HFONT>(CrearFuente(r, r->pesoSobre));
  if (r->fuenteNormal && r->fuenteSobre && r->largoTexto > 1) {
    const SIZE normal = Extension(dc.Get(), r->fuenteNormal.Get(), r);
    const SIZE sobre = Extension(dc.Get(), r->fuenteSobre.Get(), r);
    const SIZE salNormal = Salientes(dc.Get(), r->fuenteNormal.Get(), r);
    const SIZE salSobre = Salientes(dc.Get(), r->fuenteSobre.Get(), r);
    const LONG ancho = std::max(normal.cx, sobre.cx), alto = std::max(normal.cy, sobre.cy);
    r->salienteIzquierdo = std::max(salNormal.cx, salSobre.cx);
    const LONG saliente = r->salienteIzquierdo + std::max(salNormal.cy, salSobre.cy);
    if (ancho >= 2 && alto >= 2 && r->fondoTexto) {
      r->listo = true;
      AjustarVentana(hwnd, ancho + saliente + r->delaySombra, alto + r->delaySombra);
    }
  }
  Repintar(hwnd);
}

// After every change of text, face, size, weight, shadow or background.
void Disponer(HWND hwnd, Registro* r) {
  r->listo = false;
  if (r->texto && r->fuente) Medir(hwnd, r);
  if (!r->listo) TerminarPulsacion(hwnd, r);
}

LRESULT OnHabilitar(HWND hwnd, Registro* r, bool habilitar) {
  if (habilitar == r->habilitado) return 1;
  r->habilitado = habilitar;
  if (!habilitar) TerminarPulsacion(hwnd, r);
  return 1;
}

// Null, a picture that could not be had, leaves the label unready.
LRESULT OnPonerFondo(HWND hwnd, Registro* r, HIMAGE fondo) {
  r->fondoTexto = fondo;
  Disponer(hwnd, r);
  return fondo != nullptr;
}

LRESULT OnPonerColor(HWND hwnd, COLORREF* campo, LPARAM color) {
  *campo = static_cast<COLORREF>(color);
  Repintar(hwnd);
  return 1;
}

// Range checks that keep the value anyway.
LRESULT OnPonerMedida(HWND hwnd, Registro* r, int32_t* campo, LPARAM valor, int32_t minimo, int32_t maximo,
                      const char* mensaje) {
  *campo = static_cast<int32_t>(valor);
  Verificar(*campo < minimo || *campo > maximo, mensaje);
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnCopiarTexto(const Registro* r, WPARAM tamaño, char* destino) {
  if (!destino || !r->texto) return 0;
  const size_t n = std::min(static_cast<size_t>(r->largoTexto), static_cast<size_t>(tamaño));
  std::memcpy(destino, r->texto.get(), n);
  return static_cast<LRESULT>(n);
}

LRESULT OnPonerTexto(HWND hwnd, Registro* r, const char* texto) {
  if (Verificar(!texto, kPunteroInvalido)) return 0;
  const auto* fin = static_cast<const char*>(std::memchr(texto, 0, kMaxTexto + 1));
  if (Verificar(!fin || fin == texto, "Este buffer probablemente es invalido (¿no es NULL terminated?)")) return 0;
  if (!Copiar(&r->texto, &r->largoTexto, texto, static_cast<int32_t>(fin - texto) + 1)) return 0;
  Disponer(hwnd, r);
  return 1;
}

LRESULT OnPonerFuente(HWND hwnd, Registro* r, const char* fuente) {
  if (Verificar(!fuente, kPunteroInvalido)) return 0;
  const auto* fin = static_cast<const char*>(std::memchr(fuente, 0, kMaxFuente + 1));
  if (Verificar(!fin, "Este buffer probablemente es invalido (no es NULL terminated)")) return 0;
  if (!Copiar(&r->fuente, &r->largoFuente, fuente, static_cast<int32_t>(fin - fuente) + 1)) return 0;
  Disponer(hwnd, r);
  return 1;
}

void PintarContenido(HWND hwnd, const Registro* r, HDC hdc, const RECT& rc) {
  RECT ventana;
  GetWindowRect(hwnd, &ventana);
  POINT esquina{ventana.left, ventana.top};
  ScreenToClient(GetParent(hwnd), &esquina);
  DibujarHIMAGE(hdc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, r->fondoTexto, esquina.x + rc.left,
                esquina.y + rc.top, ROP_SRCCOPY);

  SetBkMode(hdc, TRANSPARENT);
  Seleccion fuente(hdc, r->sobre ? r->fuenteSobre.Get() : r->fuenteNormal.Get());
  const int largo = r->largoTexto - 1;
  const int d = r->delaySombra, x = r->salienteIzquierdo;
  // Pressed: the text sits on its shadow's place and hides it.
  const bool hundido = r->capturado && r->sobre;
  if (r->sombra && !hundido) {
    SetTextColor(hdc, r->colorSombra);
    TextOutA(hdc, x + d, d, r->texto.get(), largo);
  }
  SetTextColor(hdc, r->habilitado ? r->colorTexto : r->colorInactivo);
  TextOutA(hdc, hundido ? x + d : x, hundido ? d : 0, r->texto.get(), largo);
}

LRESULT OnPaint(HWND hwnd, const Registro* r) {
  Pintura p(hwnd);
  if (r->listo)
    PintarContenido(hwnd, r, p.Hdc(), p.Rect());
  else
    PintarRectangulo(p.Hdc(), p.Rect(), nullptr, ROP_SRCCOPY);
  return 0;
}

LRESULT OnMouseMove(HWND hwnd, Registro* r, int x, int y) {
  if (!Activo(r)) return 0;
  if (!r->capturado) {
    if (r->sobre) return 0;
    r->sobre = true;
    SetTimer(hwnd, kTimerEncima, kPeriodoEncima, nullptr);
    Repintar(hwnd);
    NotificarPadre(hwnd, kNotifEntro);
    return 0;
  }
  const bool sobre = PuntoSobre(hwnd, x, y);
  if (sobre == r->sobre) return 0;
  r->sobre = sobre;
  Repintar(hwnd);
  NotificarPadre(hwnd, sobre ? kNotifEntro : kNotifSalio);
  return 0;
}

LRESULT OnLButtonDown(HWND hwnd, Registro* r) {
  if (!Activo(r) || r->capturado) return 0;
  if (r->sobre) KillTimer(hwnd, kTimerEncima);
  r->capturado = true;
  SetCapture(hwnd);
  Repintar(hwnd);
  NotificarPadre(hwnd, kNotifPresionado);
  return 0;
}

LRESULT OnLButtonUp(HWND hwnd, Registro* r, LPARAM lParam) {
  if (!Activo(r) || !r->capturado) return 0;
  r->capturado = false;
  const bool sobre = SoltadoSobre(hwnd, lParam);
  r->sobre = sobre;
  if (sobre) SetTimer(hwnd, kTimerEncima, kPeriodoEncima, nullptr);
  SoltarCaptura(hwnd);
  Repintar(hwnd);
  // The parent may destroy the label from here on: no record after this.
  NotificarPadre(hwnd, kNotifSoltado);
  if (sobre) NotificarPadre(hwnd, kNotifActivado);
  return 0;
}

LRESULT OnTimer(HWND hwnd, Registro* r, UINT_PTR id) {
  if (id != kTimerEncima || !Activo(r) || r->capturado || PunteroSobre(hwnd)) return 0;
  r->sobre = false;
  KillTimer(hwnd, kTimerEncima);
  Repintar(hwnd);
  NotificarPadre(hwnd, kNotifSalio);
  return 0;
}

}  // namespace

LRESULT CALLBACK ProcEtiquetaTexto(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
    case kMsgObtenerHabilitado: return r->habilitado;
    case kMsgHabilitar: return OnHabilitar(hwnd, r, lParam != 0);
    case kMsgObtenerImagen: return reinterpret_cast<LRESULT>(r->fondoTexto);
    case kMsgPonerImagen: return OnPonerFondo(hwnd, r, reinterpret_cast<HIMAGE>(lParam));
    case kMsgTextoObtenerSombra: return r->sombra;
    case kMsgTextoPonerSombra: r->sombra = lParam != 0; Disponer(hwnd, r); return 1;
    case kMsgTextoObtenerColorSombra: return r->colorSombra;
    case kMsgTextoPonerColorSombra: return OnPonerColor(hwnd, &r->colorSombra, lParam);
    case kMsgTextoObtenerColor: return r->colorTexto;
    case kMsgTextoPonerColor: return OnPonerColor(hwnd, &r->colorTexto, lParam);
    case kMsgTextoObtenerColorInactivo: return r->colorInactivo;
    case kMsgTextoPonerColorInactivo: return OnPonerColor(hwnd, &r->colorInactivo, lParam);
    case kMsgTextoObtenerDelaySombra: return r->delaySombra;
    case kMsgTextoPonerDelaySombra:
      return OnPonerMedida(hwnd, r, &r->delaySombra, lParam, 1, 20, "delay de la sombra fuera de rango");
    case kMsgTextoObtenerAltoFuente: return r->altoFuente;
    case kMsgTextoPonerAltoFuente:
      return OnPonerMedida(hwnd, r, &r->altoFuente, lParam, 0, 400, "Tamaño de fuente sale del rango permitido");
    case kMsgTextoObtenerPesoNormal: return r->pesoNormal;
    case kMsgTextoPonerPesoNormal:
      return OnPonerMedida(hwnd, r, &r->pesoNormal, lParam, 0, 1000, "tamaño de fuente invalido");
    case kMsgTextoObtenerPesoSobre: return r->pesoSobre;
    case kMsgTextoPonerPesoSobre:
      return OnPonerMedida(hwnd, r, &r->pesoSobre, lParam, 0, 1000, "tamaño de fuente invalido");
    case kMsgTextoCopiar: return OnCopiarTexto(r, wParam, reinterpret_cast<char*>(lParam));
    case kMsgTextoPoner: return OnPonerTexto(hwnd, r, reinterpret_cast<const char*>(lParam));
    case kMsgTextoPonerFuente: return OnPonerFuente(hwnd, r, reinterpret_cast<const char*>(lParam));
    default: return SinRegistro(hwnd, msg, wParam, lParam);
  }
}
