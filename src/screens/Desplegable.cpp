#include "Desplegable.h"

#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"

void Desplegable::Crear(HWND ventana) {
  ventana_ = ventana;
  abierto_ = false;
  fondo_ = CargarImagenArchivo(numeroFondo_);
  imagenes_.clear();
  botones_.clear();
}

void Desplegable::AgregarBoton(int x, int y, uint32_t imagen) {
  imagenes_.push_back(CargarImagenArchivo(imagen));
  botones_.push_back(CrearBotonAnimado(ventana_, x, y, ImagenDe(imagenes_.back()), WS_CHILD | WS_CLIPSIBLINGS));
}

void Desplegable::Destruir() {
  imagenes_.clear();
  botones_.clear();
  fondo_.reset();
  abierto_ = false;
  ventana_ = nullptr;
}

void Desplegable::Abrir(void (*deslizar)(HDC)) {
  if (abierto_ || !ventana_) return;
  abierto_ = true;
  MostrarSinActivar(ventana_);
  {
    DCVentana dc(ventana_);
    deslizar(dc.Get());
  }
  for (HWND b : botones_) MostrarSinActivar(b);
  // The slide painted the window: what it invalidated need not be painted again.
  ValidateRect(ventana_, nullptr);
  SetTimer(ventana_, kTimerPlegar, kPeriodoPlegar, nullptr);
}

void Desplegable::Revisar(int ancho, int alto) {
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(ventana_, &p);
  if (p.x >= 0 && p.x <= ancho && p.y >= 0 && p.y <= alto) return;
  KillTimer(ventana_, kTimerPlegar);
  abierto_ = false;
  OcultarVentana(ventana_);
  for (HWND b : botones_) OcultarVentana(b);
}

void Desplegable::Pintar() {
  Pintura pintura(ventana_);
  PintarMosaico(pintura.Hdc(), pintura.Rect(), Fondo(), anchoTesela_, altoTesela_);
}

bool Desplegable::Notificar(HWND control, int codigo, void (*clic)(int boton)) {
  for (size_t k = 0; k < botones_.size(); ++k) {
    if (control != botones_[k]) continue;
    ReaccionBotonAnimado(control, codigo);
    if (codigo == kNotifActivado) clic(static_cast<int>(k));
    return true;
  }
  return false;
}

HIMAGE Desplegable::Fondo() const { return ImagenDe(fondo_); }

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
  PintarMosaico(pintura.Hdc(), pintura.Rect(), ImagenDe(fondo_), anchoTesela_, altoTesela_);
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
  WNDCLASSA c{};
  c.style = CS_OWNDC;
  c.lpfnWndProc = procedimiento;
  c.hInstance = instancia;
  c.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  c.lpszClassName = clase;
  return RegisterClassA(&c) != 0;
}
