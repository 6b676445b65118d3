// CWNDFILE: created by AbrirVentanaArchivo, owned by the main window and
// destroyed by Cancel or a successful Accept. Four thumbnails with their
// labels, a scroll beyond four files, OK, Cancel, help and delete.
#include "VentanaArchivo.h"

#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoDisco.h"
#include "CarpetaDatos.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Desplazador.h"
#include "DibujoHIMAGE.h"
#include "DisenoVentanas.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "ListaArchivos.h"
#include "Mensaje.h"
#include "MiniaturaArchivo.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Peticiones.h"
#include "Puzzle.h"
#include "Progreso.h"
#include "PuzzleFile.h"
#include "ReglasArchivo.h"
#include "Verificar.h"

namespace {

constexpr char kClase[] = "CWNDFILE";
constexpr char kExtension[] = ".epf";

// Archive pictures.
constexpr uint32_t kImagenFondo = 224;
constexpr uint32_t kImagenTituloAbrir = 2040, kImagenTituloGuardar = 2050;  // + language
constexpr uint32_t kImagenAceptar = 223, kImagenCancelar = 222;
constexpr uint32_t kImagenBorrar = 158, kImagenAyuda = 115, kImagenDesplazador = 221;

using namespace DisenoArchivo;

constexpr int kXTitulo = 125, kYTitulo = 1;  // in the background
// A label stands under its slot, clear of it (the slots clip what the
// window draws over them), within the slot's width and on the paper (which
// ends at 230).
constexpr int kYEtiqueta = 108 + kAltoMiniaturaArchivo + 2, kAltoEtiqueta = 28;
constexpr int kMargenEtiqueta = 3;
// Below 15 pixels a label may take two lines.
constexpr int kAltoFuenteEtiqueta = 24, kAltoFuenteEtiquetaMinimo = 12;
constexpr UINT kFormatoEtiqueta = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
constexpr int kLargoCampo = 260;  // characters Accept reads of the name field
// The name field and its label before it, on one line under the caption.
constexpr int kXRotuloCampo = 10, kYCampo = 61, kAnchoCampo = 212, kAltoCampo = 24;
constexpr int kAltoFuenteCampo = 20, kSeparacionRotulo = 6;
constexpr int kNombreMaximo = 260;

// Messages: the delete question; a refused name, a failed save, a failed
// open, a save without a name.
constexpr int kTextoBorrar = 40;
constexpr int kTextoNombreInvalido = 270, kTextoNoGuardado = 280, kTextoNoAbierto = 290, kTextoSinNombre = 760;
constexpr int kTextoRotuloCampo = 770;
constexpr int kTextoSinAutoguardado = 730;  // leave a game the autosave could not keep?

// The list lives as long as the program; it is filled again at each opening.
ListaArchivos g_archivos;

struct Estado {
  HWND ventana = nullptr;
  int32_t modo = kArchivoAbrir;
  std::unique_ptr<ControlDC> fondo, imagenAceptar, imagenCancelar, imagenBorrar, imagenAyuda, imagenDesplazador;
  ObjetoGDI<HFONT> fuenteNombre, fuenteEtiquetas;
  HWND aceptar = nullptr, cancelar = nullptr, ayuda = nullptr, borrar = nullptr;
  HWND desplazador = nullptr, campo = nullptr;
  std::string rotuloCampo;
  RECT rectanguloRotulo{};
  // The floating windows that showed when the window opened; a game
  // opened over them leaves them hidden.
  std::vector<HWND> flotantes;
  bool abierta = false;
  std::array<HWND, kRanurasArchivo> miniaturas{};
  std::array<std::string, kRanurasArchivo> etiquetas;
  int32_t seleccion = 0;
  CicloDialogo ciclo{true};
};
Estado g;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor) { return control ? SendMessageA(control, msg, 0, valor) : 0; }

std::string Carpeta() { return RutaDatos(kCarpetaPartidas); }
std::string RutaArchivo(const char* nombre) { return Carpeta() + "\\" + nombre; }

// The list index thumbnail 0 shows: minus the scroll's value.
int32_t PrimeraMostrada() {
  return g.desplazador ? -static_cast<int32_t>(Enviar(g.desplazador, kMsgDespObtenerValor, 0)) : 0;
}

bool NombreElegido(char* nombre, int32_t tamaño, bool sinExtension) {
  return g.seleccion >= 0 && g_archivos.Nombre(g.seleccion, sinExtension, nombre, tamaño) > 0;
}

void LlenarLista() {
  // An existing folder is no failure.
  CreateDirectoryA(Carpeta().c_str(), nullptr);
  g_archivos.Buscar((Carpeta() + "\\*" + kExtension).c_str());
  g_archivos.OrdenarNatural();
}

RECT RectanguloEtiqueta(int k) {
  const int x = 111 * k + 6;
  return {Esc(x + kMargenEtiqueta), Esc(kYEtiqueta), Esc(x + kAnchoMiniaturaArchivo - kMargenEtiqueta),
          Esc(kYEtiqueta + kAltoEtiqueta)};
}

// Trailing spaces would move a name off centre.
std::string SinRelleno(const std::string& etiqueta) { return etiqueta.substr(0, etiqueta.find_last_not_of(' ') + 1); }

// The size of a label drawn in the font selected, broken at its spaces:
// wider than `ancho` when one word is.
SIZE MedidaEtiqueta(HDC dc, const std::string& texto, LONG ancho) {
  RECT r{0, 0, ancho, 0};
  DrawTextA(dc, texto.c_str(), static_cast<int>(texto.size()), &r, kFormatoEtiqueta | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

// One size for the four labels: the largest at which each shows whole
// within its place; a name too long even in the smallest ends in an
// ellipsis when drawn.
void AjustarFuenteEtiquetas() {
  DCVentana dc(g.ventana);
  const RECT lugar = RectanguloEtiqueta(0);
  const LONG ancho = lugar.right - lugar.left, alto = lugar.bottom - lugar.top;
  for (int a = kAltoFuenteEtiqueta;; --a) {
    ObjetoGDI<HFONT> fuente(CrearFuente(Esc(a), 400));
    bool caben = true;
    {
      Seleccion s(dc.Get(), fuente.Get());
      for (const std::string& e : g.etiquetas) {
        const SIZE t = MedidaEtiqueta(dc.Get(), SinRelleno(e), ancho);
        caben = caben && t.cx <= ancho && t.cy <= alto;
      }
    }
    if (caben || a == kAltoFuenteEtiquetaMinimo) {
      g.fuenteEtiquetas = std::move(fuente);
      return;
    }
  }
}

// A label centred in its place, on one line or two.
void PintarEtiqueta(HDC hdc, int k) {
  const std::string texto = SinRelleno(g.etiquetas[k]);
  RECT r = RectanguloEtiqueta(k);
  const SIZE t = MedidaEtiqueta(hdc, texto, r.right - r.left);
  if (t.cx > r.right - r.left || t.cy > r.bottom - r.top) {
    DrawTextA(hdc, texto.c_str(), static_cast<int>(texto.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    return;
  }
  r.top += (r.bottom - r.top - t.cy) / 2;
  DrawTextA(hdc, texto.c_str(), static_cast<int>(texto.size()), &r, kFormatoEtiqueta);
}

void RefrescarMiniaturas() {
  const int32_t primera = PrimeraMostrada();
  for (int k = 0; k < kRanurasArchivo; ++k) {
    char nombre[kNombreMaximo];
    if (g_archivos.Nombre(primera + k, false, nombre, sizeof nombre) > 0) {
      g.etiquetas[k] = EtiquetaArchivo(nombre);
      PonerMiniaturaArchivo(g.miniaturas[k], ReadPuzzlePreview(RutaArchivo(nombre).c_str()));
    } else {
      g.etiquetas[k] = EtiquetaArchivo(nullptr);
      PonerMiniaturaArchivo(g.miniaturas[k], nullptr);
    }
  }
  AjustarFuenteEtiquetas();
  InvalidateRect(g.ventana, nullptr, FALSE);
}

// ---- Creation ---------------------------------------------------------------

// The label, in the field's font, then the field after it.
void CrearCampo(HWND hwnd) {
  g.fuenteNombre = ObjetoGDI<HFONT>(CrearFuente(Esc(kAltoFuenteCampo), 400));
  char rotulo[64] = "";
  CargarTexto(kTextoRotuloCampo, rotulo, sizeof rotulo);
  g.rotuloCampo = rotulo;
  SIZE t{};
  {
    DCVentana dc(hwnd);
    Seleccion s(dc.Get(), g.fuenteNombre.Get());
    GetTextExtentPoint32A(dc.Get(), rotulo, static_cast<int>(g.rotuloCampo.size()), &t);
  }
  const int x = Esc(kXRotuloCampo), y = Esc(kYCampo), alto = Esc(kAltoCampo);
  g.rectanguloRotulo = {x, y, x + t.cx, y + alto};
  const int xCampo = t.cx > 0 ? x + t.cx + Esc(kSeparacionRotulo) : x;
  // No ES_AUTOHSCROLL: typing stops when the field is full.
  g.campo = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE, xCampo, y, Esc(kAnchoCampo), alto,
                            hwnd, nullptr, arranque.instancia, nullptr);
  SendMessageA(g.campo, WM_SETFONT, reinterpret_cast<WPARAM>(g.fuenteNombre.Get()), FALSE);
  SetFocus(g.campo);
}

void PonerTitulo() {
  const uint32_t base = g.modo == kArchivoGuardar ? kImagenTituloGuardar : kImagenTituloAbrir;
  const auto titulo = CargarImagenArchivo(base + static_cast<uint32_t>(idioma));
  if (ImagenDe(g.fondo) && ImagenDe(titulo))
    TransferirHIMAGE(g.fondo->Imagen(), Esc(kXTitulo), Esc(kYTitulo), AnchoImagen(titulo), AltoImagen(titulo),
                     titulo->Imagen(), 0, 0, ROP_SRCCOPY);
}

// Only with more files than thumbnails: its value is minus the first file
// shown, four at a time.
void CrearDesplazador(HWND hwnd) {
  const int32_t cantidad = g_archivos.Cantidad();
  if (!HayDesplazadorArchivos(cantidad)) return;
  g.imagenDesplazador = CargarImagenArchivo(kImagenDesplazador);
  HWND d = CrearControl(kClaseDesplazador, hwnd, Esc(kXDesplazador), Esc(kYDesplazador), 0, nullptr);
  Enviar(d, kMsgDespPonerAlto1, Esc(DisenoNuevo::kAltosDesplazador[0]));
  Enviar(d, kMsgDespPonerAlto2, Esc(DisenoNuevo::kAltosDesplazador[1]));
  Enviar(d, kMsgDespPonerAlto3, Esc(DisenoNuevo::kAltosDesplazador[2]));
  Enviar(d, kMsgDespPonerUmbral, Esc(5));
  Enviar(d, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.imagenDesplazador)));
  Enviar(d, kMsgDespPonerMaximo, 0);
  Enviar(d, kMsgDespPonerMinimo, MinimoDesplazadorArchivos(cantidad));
  Enviar(d, kMsgDespPonerValor, 0);
  Enviar(d, kMsgDespPonerPaso, kRanurasArchivo);
  Enviar(d, kMsgDespPonerPulgar, Esc(DisenoNuevo::kAltoPulgar));
  g.desplazador = d;
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  PausePuzzleClock();
  if (g.modo == kArchivoGuardar) CrearCampo(hwnd);
  PonerTitulo();

  g.imagenAceptar = CargarImagenArchivo(kImagenAceptar);
  g.aceptar = CrearControl("COVCOMMAND", hwnd, Esc(kXAceptar), Esc(kYAceptar), 0, ImagenDe(g.imagenAceptar));
  g.imagenCancelar = CargarImagenArchivo(kImagenCancelar);
  g.cancelar = CrearControl("COVCOMMAND", hwnd, Esc(kXCancelar), Esc(kYCancelar), 0, ImagenDe(g.imagenCancelar));
  g.imagenAyuda = CargarImagenArchivo(kImagenAyuda);
  g.ayuda = CrearBotonAnimado(hwnd, Esc(kXAyuda), Esc(kYBotonesPie), ImagenDe(g.imagenAyuda));
  g.imagenBorrar = CargarImagenArchivo(kImagenBorrar);
  g.borrar = CrearBotonAnimado(hwnd, Esc(kXBorrar), Esc(kYBotonesPie), ImagenDe(g.imagenBorrar));
  for (int k = 0; k < kRanurasArchivo; ++k) g.miniaturas[k] = CrearMiniaturaArchivo(hwnd, k);

  LlenarLista();
  g.seleccion = SeleccionValida(0, g_archivos.Cantidad());
  CrearDesplazador(hwnd);
  RefrescarMiniaturas();
  return 0;
}

// ---- Accept, delete -----------------------------------------------------------

void Cerrar(HWND hwnd) { SendMessageA(hwnd, WM_CLOSE, 0, 0); }

constexpr char kAutoguardado[] = "Autosave";

// The file the game on the table was last saved to or opened from, for the
// quick save; the autosave is none.
struct PartidaActual {
  std::string archivo;
  uint32_t generacion = 0;
} g_partida;

void RecordarPartida(const std::string& archivo) {
  if (_stricmp(archivo.c_str(), (std::string(kAutoguardado) + kExtension).c_str()) == 0)
    g_partida = {};
  else
    g_partida = {archivo, PuzzleGeneration()};
}

void Guardar(HWND hwnd) {
  char nombre[kLargoCampo + 1] = "";
  if (g.campo) GetWindowTextA(g.campo, nombre, sizeof nombre);
  switch (ComprobarNombreGuardado(nombre)) {
    case NombreGuardado::vacio: MostrarMensaje(kTextoSinNombre, hwnd, nullptr, false); return;
    case NombreGuardado::invalido: MostrarMensaje(kTextoNombreInvalido, hwnd, nullptr, false); return;
    case NombreGuardado::valido: break;
  }
  // The folder may have gone since the window opened.
  CreateDirectoryA(Carpeta().c_str(), nullptr);
  const std::string ruta = RutaArchivo((std::string(nombre) + kExtension).c_str());
  // Saving without a game is no file at all: the player hears it failed.
  Cronometro cronometro;
  if (!imagenActual.Abierto() || !puzzle.Exists() || !SavePuzzle(ruta.c_str())) {
    MostrarMensaje(kTextoNoGuardado, hwnd, nullptr, false);
    return;
  }
  cronometro.Anotar(Medida::Guardado);
  RecordarPartida(std::string(nombre) + kExtension);
  Cerrar(hwnd);
}

void Abrir(HWND hwnd) {
  char nombre[kNombreMaximo];
  if (!NombreElegido(nombre, sizeof nombre, false)) return;
  bool pistas = false;
  // A file that cannot be opened leaves the game on the table as it was.
  Cronometro cronometro;
  bool abierto;
  {
    TrabajoLargo trabajo(kTextoAbriendo);
    abierto = LoadPuzzle(RutaArchivo(nombre).c_str(), &pistas);
  }
  if (!abierto) {
    MostrarMensaje(kTextoNoAbierto, hwnd, nullptr, false);
    return;
  }
  cronometro.Anotar(Medida::Apertura);
  RecordarPartida(nombre);
  g.abierta = true;
  Cerrar(hwnd);
  Juego().PistaDisponible(pistas);
}

void Aceptar(HWND hwnd) {
  if (g.modo == kArchivoGuardar)
    Guardar(hwnd);
  else
    Abrir(hwnd);
}

// After the list shrank: the scroll's range follows it, and the scroll goes
// once four thumbnails show every file.
void AjustarDesplazador() {
  if (!g.desplazador) return;
  const int32_t cantidad = g_archivos.Cantidad();
  const auto valor = static_cast<int32_t>(Enviar(g.desplazador, kMsgDespObtenerValor, 0));
  Enviar(g.desplazador, kMsgDespPonerMinimo, MinimoDesplazadorArchivos(cantidad));
  Enviar(g.desplazador, kMsgDespPonerValor, ValorDesplazadorArchivos(valor, cantidad));
  if (!HayDesplazadorArchivos(cantidad)) OcultarVentana(g.desplazador);
}

// The answer comes after the question box has gone; the window may have
// gone with it.
void RespuestaBorrar(bool borrar, const char*) {
  if (!borrar || !g.ventana) return;
  char nombre[kNombreMaximo];
  if (NombreElegido(nombre, sizeof nombre, false)) BorrarArchivo(RutaArchivo(nombre).c_str());
  LlenarLista();
  g.seleccion = SeleccionValida(g.seleccion, g_archivos.Cantidad());
  AjustarDesplazador();
  RefrescarMiniaturas();
}

void PreguntarBorrar(HWND hwnd) {
  if (g.seleccion >= 0 && g.seleccion < g_archivos.Cantidad())
    MostrarMensaje(kTextoBorrar, hwnd, RespuestaBorrar, false);
}

// ---- Messages -----------------------------------------------------------------

// Only the clicks of OK, Cancel and the scroll count; the animated buttons
// show every notification.
LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  const bool clic = codigo == kNotifActivado;
  if (control == g.cancelar) {
    if (clic) Cerrar(hwnd);
  } else if (control == g.aceptar) {
    if (clic) Aceptar(hwnd);
  } else if (control == g.desplazador) {
    if (clic) RefrescarMiniaturas();
  } else if (control == g.ayuda || control == g.borrar) {
    ReaccionBotonAnimado(control, codigo);
    if (clic && control == g.ayuda) AbrirAyuda();
    if (clic && control == g.borrar) PreguntarBorrar(hwnd);
  }
  return 0;
}

// Also the characters typed into the name field, offered here first by the
// message loop: 1 keeps one from the field.
LRESULT OnCaracter(HWND hwnd, WPARAM tecla) {
  if (tecla == VK_RETURN) {
    Aceptar(hwnd);
    return 1;
  }
  // As the other pop-ups do; in the name field too, where the game's own
  // keys do not reach.
  if (tecla == VK_ESCAPE) {
    Cerrar(hwnd);
    return 1;
  }
  return tecla < 256 && CaracterVetadoNombre(static_cast<unsigned char>(tecla)) ? 1 : 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  const HDC hdc = p.Hdc();
  PintarFondoArchivo(hdc, p.Rect(), 0, 0);
  SetTextColor(hdc, kColorTextoComun);
  SetBkMode(hdc, TRANSPARENT);
  if (!g.rotuloCampo.empty()) {
    Seleccion fuente(hdc, g.fuenteNombre.Get());
    RECT r = g.rectanguloRotulo;
    DrawTextA(hdc, g.rotuloCampo.c_str(), static_cast<int>(g.rotuloCampo.size()), &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  Seleccion fuente(hdc, g.fuenteEtiquetas.Get());
  for (int k = 0; k < kRanurasArchivo; ++k) PintarEtiqueta(hdc, k);
  return 0;
}

// Back from a message, the name field takes the typing again.
LRESULT OnActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) != WA_INACTIVE && g.campo) {
    SetFocus(g.campo);
    return 0;
  }
  return DefWindowProcA(hwnd, WM_ACTIVATE, wParam, lParam);
}

// Saving, or leaving the window, changes nothing on the table: the piece
// boxes and the magnifier that showed come back.
LRESULT OnDestroy() {
  ResumePuzzleClock();
  if (!g.abierta) MostrarVentanasFlotantes(g.flotantes);
  return 0;
}

// The children are gone by now, so their pictures and fonts can go.
void OnNcDestroy() {
  Estado limpio;
  std::swap(g, limpio);
}

// The pictures reach the screen through DrawDib, which realises their
// palette at every draw: a repaint is all the window needs.
LRESULT OnPaleta(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  return 0;
}

LRESULT CALLBACK ProcArchivo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CHAR: return OnCaracter(hwnd, wParam);
    case kMensajeCaracterHijo: return OnCaracter(hwnd, wParam);
    case WM_ACTIVATE: return OnActivate(hwnd, wParam, lParam);
    case WM_DESTROY: g.ciclo.Atender(hwnd, msg, wParam, lParam); return OnDestroy();
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_QUERYNEWPALETTE: return OnPaleta(hwnd);
    case WM_PALETTECHANGED: return reinterpret_cast<HWND>(wParam) == hwnd ? 0 : OnPaleta(hwnd);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarVentanaArchivo(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcArchivo, .estilo = CS_SAVEBITS});
}

HWND AbrirVentanaArchivo(int32_t modo) {
  if (Verificar(modo != kArchivoGuardar && modo != kArchivoAbrir, "modo de archivo invalido")) return nullptr;
  if (g.ventana) return nullptr;
  const std::vector<HWND> flotantes = OcultarVentanasFlotantes(nullptr);
  g.flotantes = flotantes;
  g.modo = modo;
  g.fondo = CargarImagenArchivo(kImagenFondo);
  HWND hwnd = g.ciclo.CrearCentrado(kClase, AnchoImagen(g.fondo) - Esc(kMargenFondo), AltoImagen(g.fondo), ventanaPrincipal);
  if (!hwnd) {
    g = Estado();
    MostrarVentanasFlotantes(flotantes);
  }
  return hwnd;
}

void PintarFondoArchivo(HDC hdc, const RECT& pintar, int x, int y) {
  const HIMAGE fondo = ImagenDe(g.fondo);
  if (!fondo) {
    PintarRectangulo(hdc, pintar, nullptr, ROP_SRCCOPY);
    return;
  }
  DibujarHIMAGE(hdc, pintar.left, pintar.top, pintar.right - pintar.left, pintar.bottom - pintar.top, fondo,
                x + pintar.left + Esc(kMargenFondo), y + pintar.top, ROP_SRCCOPY);
}

bool MiniaturaArchivoElegida(int indice) { return g.seleccion >= 0 && PrimeraMostrada() + indice == g.seleccion; }

void ElegirMiniaturaArchivo(int indice) {
  if (!g.ventana || indice < 0 || indice >= kRanurasArchivo) return;
  const int32_t primera = PrimeraMostrada();
  if (primera + indice >= g_archivos.Cantidad()) return;
  const int32_t anterior = g.seleccion - primera;
  if (anterior >= 0 && anterior < kRanurasArchivo) InvalidateRect(g.miniaturas[anterior], nullptr, FALSE);
  g.seleccion = primera + indice;
  InvalidateRect(g.miniaturas[indice], nullptr, FALSE);
  char nombre[kNombreMaximo];
  if (g.campo && NombreElegido(nombre, sizeof nombre, true)) SetWindowTextA(g.campo, nombre);
}

void AceptarVentanaArchivo() {
  if (g.ventana) Aceptar(g.ventana);
}

void GuardarRapido() {
  if (g_partida.archivo.empty() || g_partida.generacion != PuzzleGeneration() || !puzzle.Exists() ||
      !imagenActual.Abierto()) {
    AbrirVentanaArchivo(kArchivoGuardar);
    return;
  }
  CreateDirectoryA(Carpeta().c_str(), nullptr);
  Cronometro cronometro;
  if (!SavePuzzle(RutaArchivo(g_partida.archivo.c_str()).c_str()))
    MostrarMensaje(kTextoNoGuardado, ventanaPrincipal, nullptr, false);
  else
    cronometro.Anotar(Medida::Guardado);
}

void GuardarAutomatico(void (*seguir)()) {
  static void (*g_seguir)() = nullptr;
  if (puzzle.Exists() && puzzle.modified && imagenActual.Abierto()) {
    CreateDirectoryA(Carpeta().c_str(), nullptr);
    if (!SavePuzzle(RutaArchivo((std::string(kAutoguardado) + kExtension).c_str()).c_str())) {
      g_seguir = seguir;
      MostrarMensaje(kTextoSinAutoguardado, ventanaPrincipal, [](bool dejar, const char*) {
        if (dejar && g_seguir) g_seguir();
      }, false);
      return;
    }
  }
  seguir();
}

HWND VentanaArchivo() { return g.ventana; }

HWND MiniaturaVentanaArchivo(int indice) {
  return indice >= 0 && indice < kRanurasArchivo ? g.miniaturas[indice] : nullptr;
}

HWND BotonVentanaArchivo(BotonArchivo boton) {
  switch (boton) {
    case BotonArchivo::aceptar: return g.aceptar;
    case BotonArchivo::cancelar: return g.cancelar;
    case BotonArchivo::borrar: return g.borrar;
    case BotonArchivo::ayuda: return g.ayuda;
  }
  return nullptr;
}

HWND DesplazadorArchivo() { return g.desplazador; }
HWND CampoNombreArchivo() { return g.campo; }

std::string EtiquetaVentanaArchivo(int indice) {
  return indice >= 0 && indice < kRanurasArchivo ? g.etiquetas[indice] : std::string();
}

int32_t SeleccionArchivo() { return g.seleccion; }
int32_t CantidadArchivos() { return g_archivos.Cantidad(); }
