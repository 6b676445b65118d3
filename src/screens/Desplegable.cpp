#include "Desplegable.h"

#include <cstdlib>
#include <utility>

#include "Animacion.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Globo.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"

LRESULT Desplegable::OnCreate(HWND hwnd) {
  ventana_ = hwnd;
  abierto_ = false;
  sordo_ = nullptr;
  deslizamiento_.Terminar();
  fondo_ = CargarImagenArchivo(forma_.fondo);
  imagenes_.clear();
  botones_.clear();
  forma_.crearBotones(*this);
  return 0;
}

void Desplegable::AgregarBoton(int x, int y, uint32_t imagen) {
  imagenes_.push_back(CargarImagenArchivo(imagen));
  botones_.push_back(CrearBotonAnimado(ventana_, x, y, ImagenDe(imagenes_.back()), WS_CHILD | WS_CLIPSIBLINGS));
  PonerGlobo(botones_.back(), forma_.textoGlobos, static_cast<int>(botones_.size()) - 1);
}

LRESULT Desplegable::OnDestroy() {
  imagenes_.clear();
  botones_.clear();
  fondo_.reset();
  abierto_ = false;
  sordo_ = nullptr;
  deslizamiento_.Terminar();
  ventana_ = nullptr;
  return 0;
}

void Desplegable::DibujarCuadro(HDC hdc, int32_t posicion) const {
  const HIMAGE fondo = ImagenDe(fondo_);
  if (!fondo) return;
  const int32_t dx = forma_.xInicio ? posicion : 0, dy = forma_.xInicio ? 0 : posicion;
  RECT cliente{};
  GetClientRect(ventana_, &cliente);
  const int32_t ancho = Esc(forma_.anchoTesela), alto = Esc(forma_.altoTesela);
  for (int32_t y = 0; y < cliente.bottom; y += alto)
    for (int32_t x = 0; x < cliente.right; x += ancho) DibujarHIMAGE(hdc, x + dx, y + dy, ancho, alto, fondo, 0, 0, ROP_SRCCOPY);
}

void Desplegable::Abrir() {
  if (abierto_ || !ventana_) return;
  abierto_ = true;
  MostrarSinActivar(ventana_);
  deslizamiento_.Empezar(Esc(forma_.xInicio + forma_.yInicio), 0, GetTickCount());
  {
    DCVentana dc(ventana_);
    DibujarCuadro(dc.Get(), deslizamiento_.Posicion(GetTickCount()));
  }
  SetTimer(ventana_, kTimerDeslizar, kPeriodoDeslizar, nullptr);
}

void Desplegable::Avanzar() {
  const DWORD ahora = GetTickCount();
  if (deslizamiento_.Cumplido(ahora)) {
    TerminarDeslizamiento();
    return;
  }
  DCVentana dc(ventana_);
  DibujarCuadro(dc.Get(), deslizamiento_.Posicion(ahora));
}

void Desplegable::TerminarDeslizamiento() {
  if (!deslizamiento_.Activo()) return;
  KillTimer(ventana_, kTimerDeslizar);
  deslizamiento_.Terminar();
  {
    DCVentana dc(ventana_);
    DibujarCuadro(dc.Get(), 0);
  }
  for (HWND b : botones_) MostrarSinActivar(b);
  sordo_ = BotonBajoPuntero();
  GetCursorPos(&puntoSordo_);
  // The slide painted the window: what it invalidated need not be painted again.
  ValidateRect(ventana_, nullptr);
  SetTimer(ventana_, kTimerPlegar, kPeriodoPlegar, nullptr);
}

HWND Desplegable::BotonBajoPuntero() const {
  POINT p;
  GetCursorPos(&p);
  for (HWND b : botones_) {
    RECT r{};
    if (IsWindowVisible(b) && GetWindowRect(b, &r) && PtInRect(&r, p)) return b;
  }
  return nullptr;
}

bool Desplegable::PunteroSeMovio() const {
  POINT p;
  GetCursorPos(&p);
  return std::abs(p.x - puntoSordo_.x) >= GetSystemMetrics(SM_CXDRAG) ||
         std::abs(p.y - puntoSordo_.y) >= GetSystemMetrics(SM_CYDRAG);
}

void Desplegable::Revisar() {
  // A press held on the deaf button keeps it deaf, wherever the pointer goes;
  // moved on it, it lights up as if just reached.
  if (sordo_ && GetCapture() != sordo_) {
    if (BotonBajoPuntero() != sordo_) {
      sordo_ = nullptr;
    } else if (PunteroSeMovio()) {
      HWND boton = std::exchange(sordo_, nullptr);
      if (SendMessageA(boton, kMsgAnimObtenerSobre, 0, 0)) ReaccionBotonAnimado(boton, kNotifEntro);
    }
  }
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(ventana_, &p);
  RECT cliente{};
  GetClientRect(ventana_, &cliente);
  if (p.x >= 0 && p.x <= cliente.right && p.y >= 0 && p.y <= cliente.bottom) return;
  KillTimer(ventana_, kTimerPlegar);
  abierto_ = false;
  sordo_ = nullptr;
  OcultarVentana(ventana_);
  for (HWND b : botones_) OcultarVentana(b);
}

LRESULT Desplegable::OnTimer(UINT_PTR id) {
  if (id == kTimerDeslizar) Avanzar();
  // A fold check queued before the slide ended would find nothing to fold.
  if (id == kTimerPlegar && !deslizamiento_.Activo()) Revisar();
  return 0;
}

// Mid-slide, only what the slide has covered is painted: the rest still
// shows the table, as the slide's own frames leave it.
LRESULT Desplegable::OnPaint() {
  Pintura pintura(ventana_);
  if (deslizamiento_.Activo())
    DibujarCuadro(pintura.Hdc(), deslizamiento_.Posicion(GetTickCount()));
  else
    PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(fondo_), Esc(forma_.anchoTesela), Esc(forma_.altoTesela));
  return 0;
}

LRESULT Desplegable::OnNotificacion(int codigo, HWND control) {
  // A deaf button neither lights up nor acts; the pointer leaving it, or
  // moving on it before a press, frees it.
  if (control == sordo_) {
    const bool libre = codigo == kNotifSalio ? GetCapture() != control : codigo == kNotifPresionado && PunteroSeMovio();
    if (!libre) return 0;
    sordo_ = nullptr;
  }
  for (size_t k = 0; k < botones_.size(); ++k) {
    if (control != botones_[k]) continue;
    ReaccionBotonAnimado(control, codigo);
    if (codigo == kNotifActivado) forma_.clic(static_cast<int>(k));
    break;
  }
  return 0;
}

LRESULT Desplegable::Procesar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint();
    case WM_TIMER: return OnTimer(wParam);
    case WM_LBUTTONDOWN: TerminarDeslizamiento(); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

HWND Desplegable::Boton(int indice) const {
  return indice >= 0 && indice < static_cast<int>(botones_.size()) ? botones_[static_cast<size_t>(indice)] : nullptr;
}

LRESULT BarraDesplegable::OnCreate(HWND hwnd, int xEtiqueta, int yEtiqueta) {
  ventana_ = hwnd;
  fondo_ = CargarImagenArchivo(numeroFondo_);
  imagenEtiqueta_ = CargarImagenArchivo(numeroEtiqueta_ + static_cast<uint32_t>(idioma));
  etiqueta_ = CrearControl("COVANIM", hwnd, xEtiqueta, yEtiqueta, 0, ImagenDe(imagenEtiqueta_));
  return 0;
}

void BarraDesplegable::CambiarIdioma() {
  CambiarImagenControl(etiqueta_, imagenEtiqueta_, numeroEtiqueta_ + static_cast<uint32_t>(idioma));
}

LRESULT BarraDesplegable::OnDestroy() {
  imagenEtiqueta_.reset();
  fondo_.reset();
  ventana_ = etiqueta_ = nullptr;
  return 0;
}

LRESULT BarraDesplegable::OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(fondo_), Esc(anchoTesela_), Esc(altoTesela_));
  return 0;
}

LRESULT BarraDesplegable::OnNotificacion(int codigo, HWND control) {
  if (control == etiqueta_ && codigo == kNotifEntro) abrir_();
  return 0;
}

LRESULT BarraDesplegable::Procesar(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int xEtiqueta, int yEtiqueta) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, xEtiqueta, yEtiqueta);
    case WM_DESTROY: return OnDestroy();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_MOUSEMOVE: abrir_(); return 0;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case kMsgNotificacion: return OnNotificacion(static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

bool RegistrarClaseDesplegable(HINSTANCE instancia, const char* clase, WNDPROC procedimiento) {
  return RegistrarClase(instancia, {.nombre = clase, .procedimiento = procedimiento, .estilo = CS_OWNDC});
}
