// CWNDBOX: created hidden by the main window, owned by it and never destroyed
// before the program ends; shows a named piece box with its board.
#include "Cajas.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "BarraTitulo.h"
#include "BotonComando.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "Globo.h"
#include "Mensaje.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Ordenar.h"
#include "Puzzle.h"
#include "TableroPuzzle.h"

// The box buttons, made with the boxes (at the end of this file).
void CrearBotonesCaja(HWND principal);

namespace {

constexpr char kClase[] = "CWNDBOX";
constexpr int kIdCerrar = 10, kIdRenombrar = 11;
// Designed measures, like the rest.
constexpr int kMarco = 6;         // the frame's width
constexpr int kEsquina = 20;      // how far a corner reaches along an edge
constexpr int kMaximoNombre = 39;
constexpr int kHolguraNombre = 6;  // between the name and the pencil
constexpr int kTextoRenombrar = 20;

enum Modo { kQuieto, kMover, kIzquierda, kAbajo, kDerecha, kAbajoIzquierda, kAbajoDerecha };

HWND g_cajas[kNumeroCajas] = {};
// What every box paints with: made with the boxes, freed when the last of
// them is gone (its buttons show two of the pictures until then).
struct Compartido {
  ObjetoGDI<HFONT> fuente;
  std::unique_ptr<ControlDC> imgCerrar, imgBarra, imgRenombrar;
};
std::unique_ptr<Compartido> g_compartido;
Modo g_modo = kQuieto;
POINT g_presion{};
SIZE g_tamañoPresion{};
HWND g_cajaANombrar = nullptr;

// The box's name lives at its window extra bytes.
constexpr int kBytesExtra = sizeof(std::string*);
std::string* Nombre(HWND hwnd) { return reinterpret_cast<std::string*>(GetWindowLongPtrA(hwnd, 0)); }
HWND Tablero(HWND hwnd) { return reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }
// Without them (none made yet, or no memory) the boxes paint plainly.
const Compartido& Objetos() {
  static const Compartido kNinguno;
  return g_compartido ? *g_compartido : kNinguno;
}
int AltoTitulo() { return std::max(AltoImagen(Objetos().imgBarra), 1); }
int AnchoCerrar() { return AnchoImagen(Objetos().imgCerrar); }
int AnchoRenombrar() { return AnchoImagen(Objetos().imgRenombrar); }

SIZE Cliente(HWND hwnd) {
  RECT r;
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

void Linea(HDC hdc, int x0, int y0, int x1, int y1) {
  const POINT puntos[2] = {{x0, y0}, {x1, y1}};
  Polyline(hdc, puntos, 2);
}

void MoverBotones(HWND hwnd, int ancho, UINT extra) {
  const UINT banderas = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | extra;
  SetWindowPos(GetDlgItem(hwnd, kIdCerrar), nullptr, ancho - AnchoCerrar(), 0, 0, 0, banderas);
  SetWindowPos(GetDlgItem(hwnd, kIdRenombrar), nullptr, ancho - AnchoCerrar() - AnchoRenombrar(), 0, 0, 0, banderas);
}

void AjustarTablero(HWND hwnd, int ancho, int alto) {
  SetWindowPos(Tablero(hwnd), nullptr, 0, 0, ancho - 2 * Esc(kMarco), alto - 2 * Esc(kMarco) - AltoTitulo(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Messages ---------------------------------------------------------------

LRESULT OnCreate(HWND hwnd, const CREATESTRUCTA* cs) {
  // A box that cannot keep a name is not made.
  std::string* nombre = new (std::nothrow) std::string();
  if (!nombre) return -1;
  SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(nombre));
  CrearControl("COVCOMMAND", hwnd, cs->cx - AnchoCerrar(), 0, kIdCerrar, ImagenDe(Objetos().imgCerrar));
  CrearControl("COVCOMMAND", hwnd, cs->cx - AnchoCerrar() - AnchoRenombrar(), 0, kIdRenombrar,
               ImagenDe(Objetos().imgRenombrar));
  return 0;
}

LRESULT OnDestroy(HWND hwnd) {
  delete Nombre(hwnd);
  SetWindowLongPtrA(hwnd, 0, 0);
  OlvidarFlotante(hwnd);
  if (g_cajaANombrar == hwnd) g_cajaANombrar = nullptr;
  return 0;
}

// After the buttons: the last box takes the shared objects with it.
void OnNcDestroy(HWND hwnd) {
  bool era = false;
  for (HWND& caja : g_cajas)
    if (caja == hwnd) caja = nullptr, era = true;
  if (era && std::none_of(std::begin(g_cajas), std::end(g_cajas), [](HWND c) { return c != nullptr; }))
    g_compartido.reset();
}

LRESULT OnSetText(HWND hwnd, const char* texto) {
  std::string* nombre = Nombre(hwnd);
  if (!nombre) return 0;
  *nombre = std::string(texto ? texto : "").substr(0, kMaximoNombre);
  InvalidateRect(hwnd, nullptr, FALSE);
  return 1;
}

LRESULT OnGetText(HWND hwnd, WPARAM tamaño, char* destino) {
  const std::string* nombre = Nombre(hwnd);
  if (!destino || tamaño == 0) return 0;
  const size_t n = nombre ? std::min<size_t>(nombre->size(), tamaño - 1) : 0;
  if (n) nombre->copy(destino, n);
  destino[n] = 0;
  return static_cast<LRESULT>(n);
}

LRESULT OnGetTextLength(HWND hwnd) {
  const std::string* nombre = Nombre(hwnd);
  return nombre ? static_cast<LRESULT>(nombre->size()) : 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  const HDC hdc = pintura.Hdc();
  const RECT& p = pintura.Rect();
  const SIZE c = Cliente(hwnd);
  const int W = c.cx, H = c.cy, T = AltoTitulo();
  const std::string* nombre = Nombre(hwnd);
  // A name longer than the bar ends in an ellipsis clear of the pencil.
  PintarBarraTitulo(hdc, p, ImagenDe(Objetos().imgBarra), AnchoImagen(Objetos().imgBarra), T, Objetos().fuente.Get(),
                    nombre ? nombre->c_str() : nullptr, W - AnchoCerrar() - AnchoRenombrar() - Esc(kHolguraNombre));
  if (p.bottom < T) return 0;
  // The frame: black lines, six designed pixels deep.
  Seleccion pluma(hdc, GetStockObject(BLACK_PEN));
  const int m = Esc(kMarco);
  for (int i = 0; i < m; ++i) {
    Linea(hdc, 1 + i, T + i, W - i, T + i);
    if (p.left < m) Linea(hdc, i, T + i, i, H - i);
    if (p.right >= W - m) Linea(hdc, W - m + i, T + m - i, W - m + i, H - m + i);
    if (p.bottom >= H - m) Linea(hdc, m - i, H - m + i, W - m + 1 + i, H - m + i);
  }
  return 0;
}

// Which part of the frame a press at (x, y) takes, and its cursor.
Modo ModoEn(int x, int y, int W, int H, LPCSTR* cursor) {
  const int T = AltoTitulo(), marco = Esc(kMarco), esquina = Esc(kEsquina);
  Modo m = kQuieto;
  if (y < T + marco) m = kMover;
  else if (x < marco) m = y <= H - esquina ? kIzquierda : kAbajoIzquierda;
  else if (y >= H - marco) m = x < esquina ? kAbajoIzquierda : x <= W - esquina ? kAbajo : kAbajoDerecha;
  else if (x >= W - marco) m = y <= H - esquina ? kDerecha : kAbajoDerecha;
  switch (m) {
    case kMover: *cursor = IDC_SIZEALL; break;
    case kIzquierda: case kDerecha: *cursor = IDC_SIZEWE; break;
    case kAbajo: *cursor = IDC_SIZENS; break;
    case kAbajoIzquierda: *cursor = IDC_SIZENESW; break;
    case kAbajoDerecha: *cursor = IDC_SIZENWSE; break;
    default: *cursor = IDC_ARROW; break;
  }
  return m;
}

LRESULT OnLButtonDown(HWND hwnd, int x, int y) {
  if (g_modo != kQuieto) return 0;
  const SIZE c = Cliente(hwnd);
  LPCSTR cursor;
  const Modo m = ModoEn(x, y, c.cx, c.cy, &cursor);
  if (m == kQuieto) return 0;
  g_modo = m;
  g_tamañoPresion = c;
  SetCursor(LoadCursorA(nullptr, cursor));
  GetCursorPos(&g_presion);
  SetCapture(hwnd);
  return 0;
}

int Acotar(int v, int maximo) { return v <= Esc(kLadoMinimoCaja) ? Esc(kLadoMinimoCaja) : v >= maximo ? maximo : v; }

LRESULT OnMouseMove(HWND hwnd) {
  if (g_modo == kQuieto) return 0;
  POINT p;
  GetCursorPos(&p);
  if (p.x == g_presion.x && p.y == g_presion.y) return 0;
  const int W0 = g_tamañoPresion.cx, H0 = g_tamañoPresion.cy;
  const int anchoDerecha = Acotar(W0 + (p.x - g_presion.x), arranque.anchoPantalla);
  const int anchoIzquierda = Acotar(W0 + (g_presion.x - p.x), arranque.anchoPantalla);
  const int alto = Acotar(H0 + (p.y - g_presion.y), arranque.altoPantalla);
  RECT ventana;
  GetWindowRect(hwnd, &ventana);
  const SIZE c = Cliente(hwnd);
  const UINT sinZ = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  switch (g_modo) {
    case kMover:
      SetWindowPos(hwnd, nullptr, ventana.left + p.x - g_presion.x, ventana.top + p.y - g_presion.y, 0, 0,
                   SWP_NOSIZE | sinZ | SWP_NOSENDCHANGING);
      g_presion = p;
      break;
    case kIzquierda:
      if (anchoIzquierda == c.cx) break;
      AjustarTablero(hwnd, anchoIzquierda, H0);
      MoverBotones(hwnd, anchoIzquierda, SWP_NOREDRAW);
      SetWindowPos(hwnd, nullptr, ventana.right - anchoIzquierda, ventana.top, anchoIzquierda, H0, sinZ);
      InvalidateRect(GetDlgItem(hwnd, kIdCerrar), nullptr, FALSE);
      InvalidateRect(GetDlgItem(hwnd, kIdRenombrar), nullptr, FALSE);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case kAbajo: {
      if (alto == c.cy) break;
      AjustarTablero(hwnd, W0, alto);
      SetWindowPos(hwnd, nullptr, 0, 0, W0, alto, SWP_NOMOVE | sinZ);
      const RECT franja{0, std::min<int>(alto, c.cy) - Esc(kMarco), W0, alto};
      InvalidateRect(hwnd, &franja, FALSE);
      break;
    }
    case kDerecha: {
      if (anchoDerecha == c.cx) break;
      AjustarTablero(hwnd, anchoDerecha, H0);
      MoverBotones(hwnd, anchoDerecha, 0);
      SetWindowPos(hwnd, nullptr, 0, 0, anchoDerecha, H0, SWP_NOMOVE | sinZ);
      const RECT franja{std::min<int>(anchoDerecha, c.cx) - Esc(kMarco), 0, anchoDerecha, H0};
      InvalidateRect(hwnd, &franja, FALSE);
      break;
    }
    case kAbajoIzquierda:
      if (anchoIzquierda == c.cx && alto == c.cy) break;
      MoverBotones(hwnd, anchoIzquierda, SWP_NOREDRAW);
      SetWindowPos(hwnd, nullptr, ventana.right - anchoIzquierda, ventana.top, anchoIzquierda, alto, sinZ);
      InvalidateRect(GetDlgItem(hwnd, kIdCerrar), nullptr, FALSE);
      InvalidateRect(GetDlgItem(hwnd, kIdRenombrar), nullptr, FALSE);
      InvalidateRect(hwnd, nullptr, FALSE);
      AjustarTablero(hwnd, anchoIzquierda, alto);
      break;
    case kAbajoDerecha:
      if (anchoDerecha == c.cx && alto == c.cy) break;
      AjustarTablero(hwnd, anchoDerecha, alto);
      SetWindowPos(hwnd, nullptr, 0, 0, anchoDerecha, alto, SWP_NOMOVE | sinZ);
      MoverBotones(hwnd, anchoDerecha, 0);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    default:
      break;
  }
  return 0;
}

LRESULT OnLButtonUp() {
  if (g_modo == kQuieto) return 0;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  g_modo = kQuieto;
  ReleaseCapture();
  return 0;
}

LRESULT OnCaptureChanged(HWND hwnd, HWND nueva) {
  if (g_modo != kQuieto && nueva != hwnd) g_modo = kQuieto;
  return 0;
}

int IndiceCaja(HWND hwnd) {
  for (int i = 0; i < kNumeroCajas; ++i)
    if (g_cajas[i] == hwnd) return i;
  return -1;
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  const int id = GetDlgCtrlID(control);
  const int indice = IndiceCaja(hwnd);
  if (id == kIdCerrar && codigo == kNotifActivado) {
    SendMessageA(hwnd, WM_CLOSE, 0, 0);
  } else if (id == kIdRenombrar && codigo == kNotifActivado) {
    g_cajaANombrar = hwnd;
    EnableWindow(hwnd, FALSE);
    OcultarVentanasFlotantes(hwnd);
    // While another question is open there is no asking this one.
    if (!MostrarMensaje(kTextoRenombrar, ventanaPrincipal, TerminarRenombrar, true)) TerminarRenombrar(false, "");
  } else if (indice >= 0 && control == Tablero(hwnd)) {
    if (codigo == kBoardGotPieces) CambiarImagenBotonCaja(indice, kImagenBotonConPiezas + static_cast<uint32_t>(indice));
    if (codigo == kBoardEmptied) CambiarImagenBotonCaja(indice, kImagenBotonVacio + static_cast<uint32_t>(indice));
  }
  return 0;
}

LRESULT CALLBACK ProcCaja(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: return OnDestroy(hwnd);
    case WM_NCDESTROY: OnNcDestroy(hwnd); return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_SETTEXT: return OnSetText(hwnd, reinterpret_cast<const char*>(lParam));
    case WM_GETTEXT: return OnGetText(hwnd, wParam, reinterpret_cast<char*>(lParam));
    case WM_GETTEXTLENGTH: return OnGetTextLength(hwnd);
    case WM_CLOSE: OcultarFlotante(hwnd); return 0;
    case WM_PAINT: return OnPaint(hwnd);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_MOUSEMOVE: return OnMouseMove(hwnd);
    case WM_LBUTTONUP: return OnLButtonUp();
    case WM_CAPTURECHANGED: return OnCaptureChanged(hwnd, reinterpret_cast<HWND>(lParam));
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarCajas(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcCaja, .bytesExtra = kBytesExtra});
}

void CrearCajas(HWND principal) {
  CrearBotonesCaja(principal);
  // Boxes still standing keep painting with what they have.
  if (!g_compartido) {
    g_compartido.reset(new (std::nothrow) Compartido);
    if (g_compartido) {
      g_compartido->fuente = ObjetoGDI<HFONT>(CrearFuente(Esc(20), FW_BOLD));
      g_compartido->imgCerrar = CargarImagenArchivo(225);
      g_compartido->imgBarra = CargarImagenArchivo(227);
      g_compartido->imgRenombrar = CargarImagenArchivo(228);
    }
  }
  g_modo = kQuieto;
  for (int i = 0; i < kNumeroCajas; ++i) {
    const int lado = Esc(300), m = Esc(kMarco);
    HWND caja = CreateWindowExA(0, kClase, "", WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, Esc(60 + 10 * i),
                                Esc(kAltoTitulo + 10 * i), lado, lado, principal, nullptr, arranque.instancia, nullptr);
    g_cajas[i] = caja;
    char nombre[] = "Box  ";
    nombre[3] = static_cast<char>('1' + i);
    SetWindowTextA(caja, nombre);
    const int T = AltoTitulo();
    HWND tablero = CreateBoxBoard(caja, i, m, T + m, lado - 2 * m, lado - 2 * m - T, BotonCaja(i));
    SetWindowLongPtrA(caja, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tablero));
    RegistrarFlotante(caja);
  }
}

HWND VentanaCaja(int indice) { return indice >= 0 && indice < kNumeroCajas ? g_cajas[indice] : nullptr; }

void AgrandarCajaPara(int indice, int32_t piezas) {
  HWND caja = VentanaCaja(indice);
  if (!caja || g_modo != kQuieto) return;
  // Between the title strip and the box buttons, so that those stay in reach.
  const RECT pantalla{0, Esc(kAltoTitulo), PosicionBotonCaja(0, arranque.anchoPantalla, arranque.altoPantalla).x,
                      arranque.altoPantalla};
  const int marcoX = 2 * Esc(kMarco), marcoY = 2 * Esc(kMarco) + AltoTitulo();
  const SIZE c = Cliente(caja);
  const Punto tablero = TamañoCajaPara(piezas, {c.cx - marcoX, c.cy - marcoY},
                                       {pantalla.right - pantalla.left - marcoX, pantalla.bottom - pantalla.top - marcoY});
  const int ancho = std::max<int>(c.cx, tablero.x + marcoX), alto = std::max<int>(c.cy, tablero.y + marcoY);
  if (ancho == c.cx && alto == c.cy) return;
  // Where it stood, unless that would put it off the screen.
  RECT r;
  GetWindowRect(caja, &r);
  const int x = std::max<int>(pantalla.left, std::min<int>(r.left, pantalla.right - ancho));
  const int y = std::max<int>(pantalla.top, std::min<int>(r.top, pantalla.bottom - alto));
  AjustarTablero(caja, ancho, alto);
  MoverBotones(caja, ancho, 0);
  SetWindowPos(caja, nullptr, x, y, ancho, alto, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  InvalidateRect(caja, nullptr, FALSE);
}

void TerminarRenombrar(bool aceptar, const char* nombre) {
  HWND caja = g_cajaANombrar;
  g_cajaANombrar = nullptr;
  if (!caja) return;
  if (aceptar) SetWindowTextA(caja, nombre ? nombre : "");
  EnableWindow(caja, TRUE);
  // The question's closing activated the main window: the box comes back
  // on top of it, with the input.
  if (IsWindowVisible(caja)) MostrarFlotante(caja, true);
}

// ---- The box buttons ---------------------------------------------------------

namespace {

constexpr int kIdPrimerBotonCaja = 100;
constexpr int32_t kTextoGlobosCaja = 830;  // the buttons' tooltips, one line each
std::unique_ptr<ControlDC> g_imgBotonesCaja[kNumeroCajas];
HWND g_botonesCaja[kNumeroCajas] = {};

}  // namespace

void CrearBotonesCaja(HWND principal) {
  for (int i = 0; i < kNumeroCajas; ++i) {
    g_imgBotonesCaja[i] = CargarImagenArchivo(kImagenBotonVacio + static_cast<uint32_t>(i));
    const POINT p = PosicionBotonCaja(i, arranque.anchoPantalla, arranque.altoPantalla);
    g_botonesCaja[i] = CrearControl(kClaseBotonCaja, principal, p.x, p.y, kIdPrimerBotonCaja + i,
                                    ImagenDe(g_imgBotonesCaja[i]));
    PonerGlobo(g_botonesCaja[i], kTextoGlobosCaja, i);
  }
}

void OlvidarBotonesCaja() {
  for (auto& imagen : g_imgBotonesCaja) imagen.reset();
  for (HWND& b : g_botonesCaja) b = nullptr;
}

bool NotificacionBotonCaja(int codigo, HWND control) {
  const int i = GetDlgCtrlID(control) - kIdPrimerBotonCaja;
  if (i < 0 || i >= kNumeroCajas || control != g_botonesCaja[i]) return false;
  HWND caja = VentanaCaja(i);
  if (codigo != kNotifActivado || !caja) return true;
  if (IsWindowVisible(caja))
    OcultarFlotante(caja);
  else
    MostrarFlotante(caja, true);
  return true;
}

HWND BotonCaja(int indice) { return indice >= 0 && indice < kNumeroCajas ? g_botonesCaja[indice] : nullptr; }

void CambiarImagenBotonCaja(int indice, uint32_t numero) {
  if (indice < 0 || indice >= kNumeroCajas || !g_imgBotonesCaja[indice]) return;
  CargarInterfaz(*g_imgBotonesCaja[indice], numero);
  // Loading freed the old picture: the button is told about the new one.
  if (HWND boton = g_botonesCaja[indice]) {
    if (HIMAGE imagen = g_imgBotonesCaja[indice]->Imagen())
      SendMessageA(boton, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(imagen));
    InvalidateRect(boton, nullptr, FALSE);
  }
}

POINT PosicionBotonCaja(int indice, int anchoPantallaBoton, int altoPantallaBoton) {
  return {anchoPantallaBoton - Esc(25), Esc(altoPantallaBoton / EscalaInterfaz() / 2 - 112 + 46 * indice)};
}
