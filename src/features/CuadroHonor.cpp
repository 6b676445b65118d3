// CWNDHONOR: opened by the tools window's honour button and by the honour
// check after a finished puzzle; owned by the main window. The roll is
// drawn on a screen-sized canvas tiled with the roll's paper; each row is
// three text labels over it, and a game won with turned pieces has a
// turning arrow after its score, painted by the window itself.
#include "CuadroHonor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

#include "Animacion.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "EtiquetaTexto.h"
#include "Fitting.h"
#include "Globales.h"
#include "Mensaje.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Puzzle.h"
#include "Records.h"

namespace {

constexpr char kClase[] = "CWNDHONOR";
constexpr DWORD kEstilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE;

constexpr uint32_t kImagenTitulo = 2090;  // + language
constexpr uint32_t kImagenBorrar = 158;
constexpr uint32_t kImagenSalir = 128;    // the options window's exit
constexpr int kTextoPregunta = 130;       // the name question
constexpr int kTextoNoGuardado = 700;     // the roll could not be written
constexpr int kPreguntaBorrar = 750;      // erase the whole roll?
// The columns, from the roll's left: place numbers end at one edge, names
// start a gap after it.
constexpr int kFinPuestos = 62, kXNombres = 74, kXPuntos = 420;
// The roll is laid out in a 640 x 480 block centred on the screen, a row
// every 30 pixels from 63 down.
constexpr int kAnchoRollo = 640, kAltoRollo = 480;
constexpr int kYPrimeraFila = 63, kAltoFila = 30;
// The labels' look: ink and shadow, the shadow's offset and the font.
constexpr COLORREF kColorSombra = RGB(0, 0, 0);
constexpr int kDesplazamientoSombra = 1, kAltoFuente = 30;
// The turned game's arrow: a square this side, this far after its score's
// label, from this far below the label's top, so that its foot sits on the
// digits' baseline (designed pixels).
constexpr int kLadoMarca = 17, kSeparacionMarca = 8, kArribaMarca = 7;
// The two buttons follow the screen rather than the roll: the screen's
// size divided by these gives their corner (about 83.5 % down, and 74.2 %
// and 86.4 % across for the clear and exit buttons).
constexpr double kDivisorYBotones = 1.197;
constexpr double kDivisorXBorrar = 1.34737, kDivisorXSalir = 1.15732;

struct Estado {
  CicloDialogo ciclo;
  HWND ventana = nullptr;
  std::unique_ptr<ControlDC> lienzo, imagenBorrar, imagenSalir;
  std::array<HWND, kRecords> puestos{}, nombres{}, puntos{};
  std::array<bool, kRecords> giradas{};
  HWND borrar = nullptr, salir = nullptr;
};
Estado g;

// Set by the honour check for the name box's answer.
int g_posicion = kRecords;
int32_t g_puntosNuevos = 0;
bool g_giradaNueva = false;

void PonerTexto(HWND etiqueta, const std::string& texto) {
  SendMessageA(etiqueta, kMsgTextoPoner, 0, reinterpret_cast<LPARAM>(texto.c_str()));
}

// Where row i's arrow goes, its shadow included: after its score's label
// as that label is now sized.
RECT RectMarca(int i) {
  RECT r{};
  GetWindowRect(g.puntos[static_cast<size_t>(i)], &r);
  MapWindowPoints(nullptr, g.ventana, reinterpret_cast<POINT*>(&r), 2);
  const int x = r.right + Esc(kSeparacionMarca), y = r.top + Esc(kArribaMarca);
  const int lado = Esc(kLadoMarca) + Esc(kDesplazamientoSombra);
  return {x, y, x + lado, y + lado};
}

// A turning arrow in a `lado` square at (x, y): an arc clockwise round the
// square's middle from its top right to its top left, where the head
// points on along the way round. Worked out on a 15-unit square.
void TrazarFlechaGiro(HDC dc, int x, int y, int lado, COLORREF color) {
  const double u = lado / 15.0;
  const auto punto = [&](double px, double py) {
    return POINT{x + static_cast<LONG>(std::lround(px * u)), y + static_cast<LONG>(std::lround(py * u))};
  };
  constexpr double kPi = 3.14159265358979323846;
  constexpr double kCentroX = 7.5, kCentroY = 8.3, kRadio = 5.5;
  // Angles counterclockwise from the right, y up; the arc runs clockwise.
  constexpr double kDesde = 50 * kPi / 180, kHasta = -220 * kPi / 180;
  constexpr int kTramos = 16;
  POINT arco[kTramos + 1];
  for (int i = 0; i <= kTramos; ++i) {
    const double a = kDesde + (kHasta - kDesde) * i / kTramos;
    arco[i] = punto(kCentroX + kRadio * std::cos(a), kCentroY - kRadio * std::sin(a));
  }
  const LOGBRUSH trazo{BS_SOLID, color, 0};
  ObjetoGDI<HPEN> pluma(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_ROUND,
                                     std::max(1, static_cast<int>(std::lround(2 * u))), &trazo, 0, nullptr));
  {
    Seleccion p(dc, pluma.Get());
    Polyline(dc, arco, kTramos + 1);
  }
  // The head: its base across the arc's end, its tip along the way round.
  const double c = std::cos(kHasta), s = std::sin(kHasta);
  const double bx = kCentroX + kRadio * c, by = kCentroY - kRadio * s;
  const POINT cabeza[3] = {punto(bx + 3.2 * c, by - 3.2 * s), punto(bx - 3.2 * c, by + 3.2 * s),
                           punto(bx + 4.5 * s, by + 4.5 * c)};
  ObjetoGDI<HPEN> borde(CreatePen(PS_SOLID, 1, color));
  ObjetoGDI<HBRUSH> relleno(CreateSolidBrush(color));
  Seleccion pb(dc, borde.Get());
  Seleccion b(dc, relleno.Get());
  Polygon(dc, cabeza, 3);
}

// Drawn as the labels draw their text: the shadow, then the ink over it.
void PintarMarca(HDC dc, int i) {
  const RECT r = RectMarca(i);
  const int lado = Esc(kLadoMarca), d = Esc(kDesplazamientoSombra);
  TrazarFlechaGiro(dc, r.left + d, r.top + d, lado, kColorSombra);
  TrazarFlechaGiro(dc, r.left, r.top, lado, kColorTextoComun);
}

void MostrarFila(int i, const RegistroRecord& r) {
  PonerTexto(g.nombres[static_cast<size_t>(i)], r.nombre);
  PonerTexto(g.puntos[static_cast<size_t>(i)], std::to_string(r.puntos));
  // The row's band from its score on: the arrow may go, come or move.
  g.giradas[static_cast<size_t>(i)] = r.girada;
  RECT banda{};
  GetWindowRect(g.puntos[static_cast<size_t>(i)], &banda);
  MapWindowPoints(nullptr, g.ventana, reinterpret_cast<POINT*>(&banda), 2);
  banda.right = arranque.anchoPantalla;
  banda.bottom = std::max(banda.bottom, RectMarca(i).bottom);
  InvalidateRect(g.ventana, &banda, FALSE);
}

HWND CrearEtiqueta(HWND hwnd, int x, int y, const std::string& texto) {
  HWND e = CrearControl(kClaseEtiquetaTexto, hwnd, x, y, 0, nullptr);
  auto Enviar = [e](UINT msg, LPARAM valor) { SendMessageA(e, msg, 0, valor); };
  Enviar(kMsgHabilitar, 0);
  Enviar(kMsgTextoPonerSombra, 1);
  Enviar(kMsgTextoPonerDelaySombra, Esc(kDesplazamientoSombra));
  Enviar(kMsgTextoPonerColorSombra, kColorSombra);
  Enviar(kMsgTextoPonerColorInactivo, kColorTextoComun);
  Enviar(kMsgTextoPonerPesoSobre, 400);
  Enviar(kMsgTextoPonerAltoFuente, Esc(kAltoFuente));
  Enviar(kMsgTextoPonerFuente, reinterpret_cast<LPARAM>(kFuenteComun));
  PonerTexto(e, texto);
  Enviar(kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.lienzo)));
  return e;
}

// A place number, right-aligned on the column's edge so that "10" keeps the
// same distance from its name as "1".
HWND CrearPuesto(HWND hwnd, int derecha, int y, int puesto) {
  HWND e = CrearEtiqueta(hwnd, derecha, y, std::to_string(puesto));
  RECT r{};
  GetWindowRect(e, &r);
  SetWindowPos(e, nullptr, derecha - (r.right - r.left), y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return e;
}

// The canvas: the paper tile over the whole screen, the caption centred at
// the top.
void PintarLienzo() {
  g.lienzo = CrearLienzoTeselado();
  if (!g.lienzo) return;
  if (auto titulo = CargarImagenArchivo(kImagenTitulo + static_cast<uint32_t>(idioma)); ImagenDe(titulo))
    TransferirHIMAGE(g.lienzo->Imagen(), Centrar(arranque.anchoPantalla, AnchoImagen(titulo)), 0, AnchoImagen(titulo),
                     AltoImagen(titulo), titulo->Imagen(), 0, 0, ROP_SRCCOPY);
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  CuadroHonor cuadro;
  LeerRecords(RutaRecords().c_str(), &cuadro);
  // Laid out on the designed screen, then enlarged.
  const int W = AnchoPantallaDiseño(), H = AltoPantallaDiseño();
  const int izquierda = (W - kAnchoRollo) / 2, arriba = (H - kAltoRollo) / 2;
  PintarLienzo();
  for (int i = 0; i < kRecords; ++i) {
    const int y = Esc(arriba + kAltoFila * i + kYPrimeraFila);
    const RegistroRecord& r = cuadro.registros[static_cast<size_t>(i)];
    g.puestos[static_cast<size_t>(i)] = CrearPuesto(hwnd, Esc(izquierda + kFinPuestos), y, i + 1);
    g.nombres[static_cast<size_t>(i)] = CrearEtiqueta(hwnd, Esc(izquierda + kXNombres), y, r.nombre);
    g.puntos[static_cast<size_t>(i)] = CrearEtiqueta(hwnd, Esc(izquierda + kXPuntos), y, std::to_string(r.puntos));
    g.giradas[static_cast<size_t>(i)] = r.girada;
  }
  const int yBotones = Esc(static_cast<int>(H / kDivisorYBotones));
  g.imagenBorrar = CargarImagenArchivo(kImagenBorrar);
  g.borrar = CrearBotonAnimado(hwnd, Esc(static_cast<int>(W / kDivisorXBorrar)), yBotones, ImagenDe(g.imagenBorrar));
  g.imagenSalir = CargarImagenArchivo(kImagenSalir);
  g.salir = CrearBotonAnimado(hwnd, Esc(static_cast<int>(W / kDivisorXSalir)), yBotones, ImagenDe(g.imagenSalir));
  return 0;
}

// Erasing is on purpose: the file goes and the default roll shows. The
// answer comes after the question has gone; the window may have gone too.
void RespuestaBorrar(bool borrar, const char*) {
  if (!borrar || !g.ventana) return;
  const std::string ruta = RutaRecords();
  BorrarArchivo(ruta.c_str());
  CuadroHonor cuadro;
  LeerRecords(ruta.c_str(), &cuadro);
  for (int i = 0; i < kRecords; ++i) MostrarFila(i, cuadro.registros[static_cast<size_t>(i)]);
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control != g.borrar && control != g.salir) return 0;
  ReaccionBotonAnimado(control, codigo);
  if (codigo != kNotifActivado) return 0;
  if (control == g.salir) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (control == g.borrar) MostrarMensaje(kPreguntaBorrar, hwnd, RespuestaBorrar, false);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.lienzo), ROP_SRCCOPY);
  for (int i = 0; i < kRecords; ++i) {
    RECT marca = RectMarca(i), corte{};
    if (g.giradas[static_cast<size_t>(i)] && IntersectRect(&corte, &marca, &p.Rect())) PintarMarca(p.Hdc(), i);
  }
  return 0;
}

// The labels are gone by now, so the canvas they show can go.
void OnNcDestroy() { g = Estado(); }

LRESULT CALLBACK ProcCuadroHonor(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarCuadroHonor(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcCuadroHonor, .estilo = CS_OWNDC, .fondoNegro = true});
}

HWND AbrirCuadroHonor() {
  if (g.ventana) return g.ventana;
  OcultarVentanasFlotantes(nullptr);
  return g.ciclo.Crear(kClase, "", kEstilo, 0, 0, arranque.anchoPantalla, arranque.altoPantalla, ventanaPrincipal);
}

void ComprobarRecord() {
  CuadroHonor cuadro;
  LeerRecords(RutaRecords().c_str(), &cuadro);
  int32_t piezas = 0, porcentaje = 0, puntos = 0;
  ScorePuzzle(&piezas, &porcentaje, &puntos);
  const int posicion = PosicionRecord(cuadro, puntos);
  if (posicion >= kRecords) return;
  g_posicion = posicion;
  g_puntosNuevos = puntos;
  g_giradaNueva = puzzle.turned != 0;
  if (HWND honor = AbrirCuadroHonor()) MostrarMensaje(kTextoPregunta, honor, AnotarRecord, true);
}

void AnotarRecord(bool respuesta, const char* nombre) {
  if (!respuesta || !nombre || !nombre[0] || g_posicion >= kRecords) return;
  // The roll as it is now, which may differ from the one that was checked.
  const std::string ruta = RutaRecords();
  CuadroHonor cuadro;
  const LecturaRecords lectura = LeerRecords(ruta.c_str(), &cuadro);
  const int posicion = PosicionRecord(cuadro, g_puntosNuevos);
  if (posicion >= kRecords) return;
  InsertarRecord(&cuadro, posicion, g_puntosNuevos, nombre, g_giradaNueva);
  g_posicion = kRecords;
  if (g.ventana)
    for (int i = posicion; i < kRecords; ++i) MostrarFila(i, cuadro.registros[static_cast<size_t>(i)]);
  // A roll that could not be read is never written over; either way the
  // player hears that the new entry was not kept.
  if (lectura == LecturaRecords::ilegible || !EscribirRecords(ruta.c_str(), cuadro))
    MostrarMensaje(kTextoNoGuardado, g.ventana ? g.ventana : ventanaPrincipal, nullptr, false);
}

std::string RutaRecords() { return RutaDatos("Records.ovr"); }

HWND VentanaCuadroHonor() { return g.ventana; }
HWND NombreCuadroHonor(int fila) { return fila >= 0 && fila < kRecords ? g.nombres[static_cast<size_t>(fila)] : nullptr; }
HWND PuntosCuadroHonor(int fila) { return fila >= 0 && fila < kRecords ? g.puntos[static_cast<size_t>(fila)] : nullptr; }
HWND BotonBorrarCuadroHonor() { return g.borrar; }
HWND BotonSalirCuadroHonor() { return g.salir; }
