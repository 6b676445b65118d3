// CWNDNEW: created by AbrirMenuNuevo when the title strip's new-puzzle
// button has cleared the table; owned by the main window. Picture page with
// its thumbnails, size and count pages with their choosers and scrolls, die
// page with the turned-pieces box; the page change slides the new page up
// over the old one.
#include "MenuNuevo.h"

#include <algorithm>
#include <array>
#include <commdlg.h>
#include <cstring>
#include <memory>
#include <string>

#include "Animacion.h"
#include "ArchivoBMP.h"
#include "BotonCheck.h"
#include "CasillaConTexto.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Cut.h"
#include "Deslizamiento.h"
#include "Desplazador.h"
#include "DisenoVentanas.h"
#include "DibujoHIMAGE.h"
#include "EtiquetaTexto.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "Globo.h"
#include "ImagenesJuego.h"
#include "Herramientas.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "MiniaturaImagen.h"
#include "NewPuzzleParams.h"
#include "Progreso.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "Peticiones.h"
#include "Puzzle.h"
#include "SelectorCantidad.h"
#include "SelectorTamano.h"
#include "VistaImagen.h"

namespace {

using namespace DisenoNuevo;

constexpr char kClase[] = "CWNDNEW";

constexpr int kPaginas = 4;
constexpr int kTroqueles = 3;
constexpr int kIdTroquel = 200, kIdPestaña = 300;
constexpr int kRutaMaxima = 260;

// Archive pictures.
constexpr uint32_t kImagenFondo = 224;
constexpr uint32_t kImagenEncabezado = 2000;  // + 10 x page + language
constexpr uint32_t kImagenPestaña = 1000;     // + 10 x tab + language
constexpr uint32_t kImagenTroquel = 184;      // + die
constexpr uint32_t kImagenAceptar = 223, kImagenCerrar = 222;
constexpr uint32_t kImagenAjustar = 199, kImagenNatural = 198;
constexpr uint32_t kImagenVistaTroquel = 106;
constexpr uint32_t kImagenAyuda = 115, kImagenVistaPrevia = 126;
constexpr uint32_t kImagenDesplazador = 197;
constexpr uint32_t kImagenDesplazadorImagenes = 221;
constexpr uint32_t kImagenAgregar = 130;
constexpr uint32_t kImagenGiradas = 187;  // the turned-pieces box

// The page slide's frames.
constexpr UINT_PTR kTimerPagina = 1;
constexpr UINT kPeriodoPagina = USER_TIMER_MINIMUM;

// Texts: the captions of the three labels, the turned-pieces box's words.
constexpr int kTextoFilas = 50, kTextoColumnas = 60, kTextoPiezas = 70, kTextoGiradas = 850;
// The box's words while the pointer is on them: the red of the hovered
// buttons' glyphs.
constexpr COLORREF kColorGiradasEncima = RGB(150, 40, 32);
// Messages: a picture the cut cannot use, a cut that failed.
constexpr int kTextoNoCortable = 240, kTextoNoCortado = 250;
// Adding pictures: the refusals, the dialog's title and its filter's name.
constexpr int kTextoNoEsImagen = 300, kTextoDañada = 310, kTextoEnorme = 320, kTextoNoAgregada = 330,
              kTextoRepetida = 340;
constexpr int kTextoTituloAgregar = 350, kTextoFiltroAgregar = 360;
// Several added at once: the list of those not added, and its reasons.
constexpr int kTextoSinAgregar = 780, kTextoMotivosSinAgregar = 790;
constexpr size_t kSinAgregarListados = 12;
// Tooltips: the window's buttons, and the options strip's (help).
constexpr int32_t kTextoGlobos = 820, kTextoGlobosOpciones = 810;
constexpr wchar_t kPatronAgregar[] = L"*.jpg;*.jpeg;*.png;*.gif;*.tif;*.tiff;*.bmp";
// The dialog's buffer for several names: their folder once, then each name.
constexpr DWORD kLargoEleccion = 64 * 1024;

// The widest count shown: up to 10,000 pieces, digits all of one width.
constexpr char kCuentaMasAncha[] = "88888";

// The picture list lives as long as the program; it is filled again at each
// opening and after pictures are added.
std::vector<ImagenJuego> g_imagenes;
int32_t g_elegida = 0;  // index into the list
int32_t g_primera = 0;  // the list index thumbnail 0 shows
// Whether OK cuts turned pieces: from the settings at start-up, then the box.
bool g_giradas = false;

struct Estado {
  HWND ventana = nullptr;
  std::unique_ptr<ControlDC> fondo, respaldo, encabezado, instantanea;
  std::unique_ptr<ControlDC> imagenAceptar, imagenCerrar, imagenAjustar, imagenNatural, imagenVistaTroquel,
      imagenAyuda, imagenVistaPrevia, imagenDesplazador, imagenDesplazadorImagenes, imagenAgregar, imagenGiradas;
  BloqueHIMAGE tiraGiradas;  // the box with its words, on the page
  std::array<std::unique_ptr<ControlDC>, kPaginas> imagenPestaña;
  std::array<std::unique_ptr<ControlDC>, kTroqueles> imagenTroquel;

  HWND aceptar = nullptr, cerrar = nullptr, ajustar = nullptr, natural = nullptr, vistaTroquel = nullptr,
       ayuda = nullptr, vistaPrevia = nullptr, agregar = nullptr, giradas = nullptr;
  HWND desplazadorImagenes = nullptr, desplazadorTamaño = nullptr, desplazadorCantidad = nullptr;
  HWND selectorTamaño = nullptr, selectorCantidad = nullptr;
  std::array<HWND, kPaginas> pestañas{};
  std::array<HWND, kTroqueles> troqueles{};
  std::array<HWND, 3> rotulos{}, valores{};
  std::array<HWND, kMiniaturas> miniaturas{};

  CicloDialogo ciclo{true};
  int pagina = 0;
  Deslizamiento deslizamiento;  // the page change, while it runs
  int troquel = 0;
};
Estado g;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor) { return control ? SendMessageA(control, msg, 0, valor) : 0; }

// The shipped pictures beside the program; the player's own where their
// files live (the same folder in a portable copy).
std::string CarpetaImagenes() { return RutaPrograma("Image\\"); }
std::string CarpetaImagenesPropias() { return RutaDatos("Image\\"); }
std::vector<ImagenJuego> ImagenesDelJuego() { return ListarImagenes(CarpetaImagenes(), CarpetaImagenesPropias()); }
// A photo is shown and cut from its converted copy (made the first time
// it is listed); empty when it cannot be read, with the
// reason in `lectura`.
std::string RutaImagen(int32_t indice, LecturaFoto* lectura = nullptr) {
  std::string bmp;
  TrabajoLargo trabajo(kTextoPreparando);
  const LecturaFoto r = indice >= 0 && indice < static_cast<int32_t>(g_imagenes.size())
                            ? RutaJugable(AnchaDeAnsi(g_imagenes[static_cast<size_t>(indice)].carpeta) +
                                              AnchaDeUtf8(g_imagenes[static_cast<size_t>(indice)].nombre),
                                          CarpetaConvertidas(), &bmp)
                            : LecturaFoto::NoAbre;
  if (lectura) *lectura = r;
  return r == LecturaFoto::Bien ? bmp : std::string();
}

int TextoLectura(LecturaFoto r) {
  switch (r) {
    case LecturaFoto::NoEsImagen: return kTextoNoEsImagen;
    case LecturaFoto::Dañada: return kTextoDañada;
    case LecturaFoto::Enorme: return kTextoEnorme;
    default: return kTextoNoAgregada;
  }
}

int32_t CantidadLista() { return static_cast<int32_t>(g_imagenes.size()); }

// ---- The controls of each page --------------------------------------------

std::vector<HWND> ControlesDePagina(int pagina) {
  switch (pagina) {
    case 0: {
      std::vector<HWND> v(g.miniaturas.begin(), g.miniaturas.end());
      if (g.desplazadorImagenes) v.push_back(g.desplazadorImagenes);
      if (g.agregar) v.push_back(g.agregar);
      return v;
    }
    case 1: return {g.ajustar, g.natural, g.desplazadorTamaño, g.selectorTamaño};
    case 2:
      return {g.selectorCantidad, g.desplazadorCantidad, g.rotulos[0], g.rotulos[1], g.rotulos[2],
              g.valores[0],       g.valores[1],          g.valores[2]};
    default: return {g.troqueles[0], g.troqueles[1], g.troqueles[2], g.vistaTroquel, g.giradas};
  }
}

// ---- Labels, scrolls and thumbnails -----------------------------------------

void PonerValores() {
  const int32_t valores[3] = {puzzle.rows, puzzle.cols, puzzle.rows * puzzle.cols};
  for (int i = 0; i < 3; ++i) {
    const std::string texto = std::to_string(valores[i]);
    Enviar(g.valores[i], kMsgTextoPoner, reinterpret_cast<LPARAM>(texto.c_str()));
  }
}

void Refrescar() {
  // A picture too elongated for any zoom but the smallest has nothing to choose.
  Enviar(g.desplazadorTamaño, kMsgHabilitar, imagenActual.Abierto() && !newPuzzle.sizeRangeCollapsed);
  Enviar(g.desplazadorTamaño, kMsgDespPonerValor, MenuNuevoScrollTamanoGet());
  Enviar(g.desplazadorCantidad, kMsgDespPonerMaximo, MenuNuevoScrollCantidadGetMax());
  Enviar(g.desplazadorCantidad, kMsgDespPonerValor, MenuNuevoScrollCantidadGet());
  PonerValores();
}

void CargarMiniaturas() {
  for (int i = 0; i < kMiniaturas; ++i) {
    const int32_t indice = g_primera + i;
    const std::string ruta = indice < CantidadLista() ? RutaImagen(indice) : std::string();
    CargarMiniatura(g.miniaturas[i], ruta.empty() ? nullptr : ruta.c_str());
  }
}

// A scroll's parts and its grip's travel per step, enlarged with its picture.
void PartesDesplazador(HWND d) {
  Enviar(d, kMsgDespPonerAlto1, Esc(kAltosDesplazador[0]));
  Enviar(d, kMsgDespPonerAlto2, Esc(kAltosDesplazador[1]));
  Enviar(d, kMsgDespPonerAlto3, Esc(kAltosDesplazador[2]));
  Enviar(d, kMsgDespPonerUmbral, Esc(5));
}

// The picture page's scroll, when there are more pictures than thumbnails:
// its value is minus the first picture shown, a page at a time.
void CrearDesplazadorImagenes(HWND hwnd) {
  const int32_t cantidad = CantidadLista();
  if (cantidad <= kMiniaturas) return;
  if (g.desplazadorImagenes) {
    Enviar(g.desplazadorImagenes, kMsgDespPonerMinimo, kMiniaturas - cantidad);
    Enviar(g.desplazadorImagenes, kMsgDespPonerValor, -g_primera);
    return;
  }
  g.imagenDesplazadorImagenes = CargarImagenArchivo(kImagenDesplazadorImagenes);
  // Hidden while another page is up; shown with the picture page.
  const DWORD estilo = WS_CHILD | WS_CLIPSIBLINGS | (g.pagina == 0 && !g.deslizamiento.Activo() ? WS_VISIBLE : 0);
  HWND d = CrearControl(kClaseDesplazador, hwnd, Esc(kXDesplazadorImagenes), Esc(kYDesplazadorImagenes), 0, nullptr,
                        estilo);
  PartesDesplazador(d);
  Enviar(d, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.imagenDesplazadorImagenes)));
  Enviar(d, kMsgDespPonerMaximo, 0);
  Enviar(d, kMsgDespPonerMinimo, kMiniaturas - cantidad);
  Enviar(d, kMsgDespPonerValor, -g_primera);
  Enviar(d, kMsgDespPonerPaso, kMiniaturas);
  Enviar(d, kMsgDespPonerPulgar, Esc(kAltoPulgar));
  g.desplazadorImagenes = d;
}

HWND CrearDesplazador(HWND hwnd) {
  HWND d = CrearControl(kClaseDesplazador, hwnd, Esc(kXDesplazador), Esc(kYDesplazador), 0, nullptr,
                        WS_CHILD | WS_CLIPSIBLINGS);
  PartesDesplazador(d);
  Enviar(d, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.imagenDesplazador)));
  Enviar(d, kMsgDespPonerMaximo, 100);
  Enviar(d, kMsgDespPonerMinimo, 0);
  Enviar(d, kMsgDespPonerValor, 0);
  Enviar(d, kMsgDespPonerPaso, 2);
  return d;
}

HWND CrearRotulo(HWND hwnd, int x, int y, const char* texto, int alto) {
  HWND r = CrearControl(kClaseEtiquetaTexto, hwnd, x, y, 0, nullptr, WS_CHILD | WS_CLIPSIBLINGS);
  Enviar(r, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.fondo)));
  Enviar(r, kMsgTextoPonerPesoNormal, 700);
  Enviar(r, kMsgTextoPonerAltoFuente, alto);
  Enviar(r, kMsgTextoPonerFuente, reinterpret_cast<LPARAM>(""));
  Enviar(r, kMsgTextoPoner, reinterpret_cast<LPARAM>(texto));
  Enviar(r, kMsgHabilitar, 0);
  Enviar(r, kMsgTextoPonerColorInactivo, RGB(0, 0, 0));
  return r;
}

// The usual caption height, or a smaller one when a caption followed by the
// widest count would run off the paper (some languages' words are longer).
int AltoRotulos(HWND hwnd, const std::array<std::array<char, 200>, 3>& rotulos) {
  DCVentana dc(hwnd);
  const auto ancho = [&dc](const char* texto) {
    SIZE t{};
    GetTextExtentPoint32A(dc.Get(), texto, static_cast<int>(std::strlen(texto)), &t);
    return t.cx;
  };
  // A label is as wide as its text and its shadow's offset (2 unless set).
  const int sombra = Esc(2);
  int alto = kAltoRotulo;
  for (; alto > kAltoRotuloMinimo; --alto) {
    ObjetoGDI<HFONT> fuente(CrearFuente(Esc(alto), 700));
    Seleccion s(dc.Get(), fuente.Get());
    LONG mayor = 0;
    for (const auto& r : rotulos) mayor = std::max(mayor, ancho(r.data()) + ancho(kCuentaMasAncha) + 2 * sombra);
    if (Esc(kXRotulo) + mayor <= Esc(kFinRotulos)) break;
  }
  return Esc(alto);
}

HWND CrearCheck(HWND hwnd, int x, int y, int id, const std::unique_ptr<ControlDC>& imagen, DWORD estilo) {
  HWND c = CrearControl(kClaseBotonCheck, hwnd, x, y, id, nullptr, estilo);
  Enviar(c, kMsgCheckPonerOpcion, 1);
  Enviar(c, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(imagen)));
  return c;
}

// The turned-pieces box: box and words as one button, the words as large
// as the count page's captions while they fit on the paper.
HWND CrearGiradas(HWND hwnd) {
  g.imagenGiradas = CargarImagenArchivo(kImagenGiradas);
  char texto[100] = "";
  CargarTexto(kTextoGiradas, texto, sizeof texto);
  TextoCasilla t{.texto = texto, .color = kColorTextoComun, .colorEncima = kColorGiradasEncima,
                 .hueco = Esc(kHuecoGiradas)};
  ObjetoGDI<HFONT> fuente;
  {
    DCVentana dc(hwnd);
    for (int alto = kAltoRotulo; alto >= kAltoRotuloMinimo; --alto) {
      fuente = ObjetoGDI<HFONT>(CrearFuente(Esc(alto), 700));
      t.fuente = fuente.Get();
      if (Esc(kXGiradas) + AnchoCasilla(dc.Get(), AnchoImagen(g.imagenGiradas), t) <= Esc(kFinGiradas)) break;
    }
  }
  g.tiraGiradas = CrearTiraCasilla(ImagenDe(g.fondo), Esc(kXGiradas), Esc(kYGiradas), ImagenDe(g.imagenGiradas), t);
  HWND c = CrearControl(kClaseBotonCheck, hwnd, Esc(kXGiradas), Esc(kYGiradas), 0, nullptr,
                        WS_CHILD | WS_CLIPSIBLINGS);
  Enviar(c, kMsgPonerImagen, reinterpret_cast<LPARAM>(g.tiraGiradas.Get()));
  Enviar(c, kMsgCheckPonerMarcado, g_giradas);
  return c;
}

// ---- Creation ---------------------------------------------------------------

void PonerEncabezado(int pagina) {
  const HIMAGE fondo = ImagenDe(g.fondo);
  if (!fondo) return;
  if (HIMAGE respaldo = ImagenDe(g.respaldo))
    TransferirHIMAGE(fondo, Esc(kXEncabezado), Esc(kYEncabezado), Esc(kAnchoEncabezado), Esc(kAltoEncabezado),
                     respaldo, 0, 0, ROP_SRCCOPY);
  g.encabezado = CargarImagenArchivo(kImagenEncabezado + 10 * static_cast<uint32_t>(pagina) +
                                     static_cast<uint32_t>(idioma));
  if (HIMAGE encabezado = ImagenDe(g.encabezado))
    TransferirHIMAGE(fondo, Esc(kXEncabezado), Esc(kYEncabezado), AnchoImagen(g.encabezado),
                     AltoImagen(g.encabezado), encabezado, 0, 0, ROP_SRCCOPY);
}

void CrearLienzos() {
  g.instantanea = std::make_unique<ControlDC>(true);
  g.instantanea->AjustarTamaño(Esc(530), Esc(kAltoPagina));
  g.respaldo = std::make_unique<ControlDC>();
  if (HIMAGE fondo = ImagenDe(g.fondo);
      fondo && g.respaldo->AjustarTamaño(Esc(kAnchoEncabezado), Esc(kAltoEncabezado))) {
    CopiarPaleta(fondo, g.respaldo->Imagen());
    TransferirHIMAGE(g.respaldo->Imagen(), 0, 0, Esc(kAnchoEncabezado), Esc(kAltoEncabezado), fondo,
                     Esc(kXEncabezado), Esc(kYEncabezado), ROP_SRCCOPY);
  } else {
    g.respaldo.reset();
  }
  PonerEncabezado(0);
}

// The picture buttons' tooltips: one line each of the window's text; help
// is named as on the options strip.
void PonerGlobos() {
  const HWND botones[] = {g.aceptar, g.cerrar, g.ajustar, g.natural, g.agregar, g.vistaPrevia};
  for (int i = 0; i < 6; ++i) PonerGlobo(botones[i], kTextoGlobos, i);
  for (int i = 0; i < kTroqueles; ++i) PonerGlobo(g.troqueles[i], kTextoGlobos, 6 + i);
  PonerGlobo(g.ayuda, kTextoGlobosOpciones, 0);
}

void CrearControles(HWND hwnd) {
  constexpr DWORD kOculto = WS_CHILD | WS_CLIPSIBLINGS;
  g.imagenAceptar = CargarImagenArchivo(kImagenAceptar);
  g.aceptar = CrearControl("COVCOMMAND", hwnd, Esc(kXAceptar), Esc(kYAceptar), 0, ImagenDe(g.imagenAceptar));
  g.imagenCerrar = CargarImagenArchivo(kImagenCerrar);
  g.cerrar = CrearControl("COVCOMMAND", hwnd, Esc(kXCerrar), Esc(kYCerrar), 0, ImagenDe(g.imagenCerrar));

  for (int i = 0; i < kPaginas; ++i) {
    g.imagenPestaña[i] = CargarImagenArchivo(kImagenPestaña + 10 * static_cast<uint32_t>(i) +
                                             static_cast<uint32_t>(idioma));
    g.pestañas[i] = CrearCheck(hwnd, 0, Esc(kYPestaña[i]), kIdPestaña + i, g.imagenPestaña[i],
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);
  }
  Enviar(g.pestañas[0], kMsgCheckPonerMarcado, 1);
  for (int i = 0; i < kTroqueles; ++i) {
    g.imagenTroquel[i] = CargarImagenArchivo(kImagenTroquel + static_cast<uint32_t>(i));
    g.troqueles[i] = CrearCheck(hwnd, Esc(kXTroquel[i]), Esc(kYTroquel), kIdTroquel + i, g.imagenTroquel[i], kOculto);
  }
  Enviar(g.troqueles[0], kMsgCheckPonerMarcado, 1);
  g.giradas = CrearGiradas(hwnd);

  g.imagenAjustar = CargarImagenArchivo(kImagenAjustar);
  g.ajustar = CrearBotonAnimado(hwnd, Esc(kXZoom), Esc(kYAjustar), ImagenDe(g.imagenAjustar), kOculto);
  g.imagenNatural = CargarImagenArchivo(kImagenNatural);
  g.natural = CrearBotonAnimado(hwnd, Esc(kXZoom), Esc(kYNatural), ImagenDe(g.imagenNatural), kOculto);
  g.imagenVistaTroquel = CargarImagenArchivo(kImagenVistaTroquel);
  g.vistaTroquel = CrearControl(kClaseAnimacion, hwnd, Esc(kXVistaTroquel), Esc(kYVistaTroquel), 0, nullptr, kOculto);
  Enviar(g.vistaTroquel, kMsgAnimPonerFilas, 6);
  Enviar(g.vistaTroquel, kMsgPonerImagen, reinterpret_cast<LPARAM>(ImagenDe(g.imagenVistaTroquel)));
  g.imagenAyuda = CargarImagenArchivo(kImagenAyuda);
  g.ayuda = CrearBotonAnimado(hwnd, Esc(kXAyuda), Esc(kYBotonesPie), ImagenDe(g.imagenAyuda));

  g.imagenDesplazador = CargarImagenArchivo(kImagenDesplazador);
  g.desplazadorTamaño = CrearDesplazador(hwnd);
  g.desplazadorCantidad = CrearDesplazador(hwnd);
  Enviar(g.desplazadorCantidad, kMsgDespPonerUmbral, Esc(15));

  g.imagenAgregar = CargarImagenArchivo(kImagenAgregar);
  g.agregar = CrearBotonAnimado(hwnd, Esc(kXAgregar), Esc(kYBotonesPie), ImagenDe(g.imagenAgregar));
  g.imagenVistaPrevia = CargarImagenArchivo(kImagenVistaPrevia);
  g.vistaPrevia = CrearBotonAnimado(hwnd, Esc(kXVistaPrevia), Esc(kYBotonesPie), ImagenDe(g.imagenVistaPrevia));
  g.selectorTamaño = CrearSelectorTamano(hwnd);
  g.selectorCantidad = CrearSelectorCantidad(hwnd, ImagenDe(g.fondo));

  const int textos[3] = {kTextoFilas, kTextoColumnas, kTextoPiezas};
  std::array<std::array<char, 200>, 3> rotulos{};
  for (int i = 0; i < 3; ++i) CargarTexto(textos[i], rotulos[i].data(), static_cast<int>(rotulos[i].size()));
  const int alto = AltoRotulos(hwnd, rotulos);
  for (int i = 0; i < 3; ++i) {
    g.rotulos[i] = CrearRotulo(hwnd, Esc(kXRotulo), Esc(kYRotulo[i]), rotulos[i].data(), alto);
    RECT r{};
    GetWindowRect(g.rotulos[i], &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    g.valores[i] = CrearRotulo(hwnd, r.right, Esc(kYRotulo[i]), "0", alto);
  }
  for (int i = 0; i < kMiniaturas; ++i) g.miniaturas[i] = CrearMiniatura(hwnd, i);
  PonerGlobos();
}

// The first picture whose thumbnail could be made is chosen at opening.
void ElegirPrimeraLegible() {
  g_elegida = 0;
  for (int i = 0; i < kMiniaturas; ++i)
    if (!MiniaturaVacia(g.miniaturas[i])) {
      g_elegida = i;
      return;
    }
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  if (HWND lupa = VentanaLupa()) OcultarVentana(lupa);
  ClosePuzzle(true);
  PistaDisponible(true);
  CrearLienzos();
  g.troquel = 0;
  g.pagina = 0;
  CrearControles(hwnd);

  // Fewer pictures than thumbnails leave the rest empty; none leaves OK
  // with nothing to cut.
  g_imagenes = ImagenesDelJuego();
  g_primera = 0;
  CrearDesplazadorImagenes(hwnd);
  CargarMiniaturas();
  ElegirPrimeraLegible();
  SeleccionarImagen();
  return 0;
}

// ---- Pages ------------------------------------------------------------------

// The new page's background comes up from below with its top at `y`,
// pushing what the screen showed of the old page up and out.
void DibujarPagina(HDC hdc, int y) {
  const int x = Esc(kXPagina), ancho = Esc(kAnchoPagina), alto = Esc(kAltoPagina);
  if (g.instantanea && g.instantanea->Hdc()) BitBlt(hdc, x, 0, ancho, y, g.instantanea->Hdc(), 0, alto - y, SRCCOPY);
  DibujarHIMAGE(hdc, x, y, ancho, alto - y, ImagenDe(g.fondo), x, 0, ROP_SRCCOPY);
  GdiFlush();
}

void TerminarPagina(HWND hwnd) {
  if (!g.deslizamiento.Activo()) return;
  KillTimer(hwnd, kTimerPagina);
  g.deslizamiento.Terminar();
  {
    DCVentana dc(hwnd);
    DibujarPagina(dc.Get(), 0);
  }
  for (HWND c : ControlesDePagina(g.pagina)) MostrarSinActivar(c);
}

void AvanzarPagina(HWND hwnd) {
  const DWORD ahora = GetTickCount();
  if (g.deslizamiento.Cumplido(ahora)) {
    TerminarPagina(hwnd);
    return;
  }
  DCVentana dc(hwnd);
  DibujarPagina(dc.Get(), g.deslizamiento.Posicion(ahora));
}

void CambiarPagina(HWND hwnd, int k) {
  // A page still sliding in is finished, and shown, before it slides out.
  if (g.deslizamiento.Activo()) {
    TerminarPagina(hwnd);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  Enviar(g.pestañas[g.pagina], kMsgCheckPonerMarcado, 0);
  PonerEncabezado(k);
  // What the screen shows of the old page, before its controls go.
  if (g.instantanea && g.instantanea->Hdc()) {
    POINT esquina{Esc(kXPagina), 0};
    ClientToScreen(hwnd, &esquina);
    DCPantalla pantalla;
    BitBlt(g.instantanea->Hdc(), 0, 0, Esc(kAnchoPagina), Esc(kAltoPagina), pantalla.Get(), esquina.x, esquina.y,
           SRCCOPY);
  }
  for (HWND c : ControlesDePagina(g.pagina)) OcultarVentana(c);
  g.pagina = k;
  const DWORD ahora = GetTickCount();
  g.deslizamiento.Empezar(Esc(kAltoPagina - 2), 0, ahora);
  {
    DCVentana dc(hwnd);
    DibujarPagina(dc.Get(), g.deslizamiento.Posicion(ahora));
  }
  SetTimer(hwnd, kTimerPagina, kPeriodoPagina, nullptr);
}

// ---- Notifications -----------------------------------------------------------

void ElegirTroquel(int k) {
  Enviar(g.troqueles[g.troquel], kMsgCheckPonerMarcado, 0);
  g.troquel = k;
  Enviar(g.vistaTroquel, kMsgAnimPonerCuadro, k);
}

// The box toggled: OK cuts with the choice, and it is kept for the next start.
void ElegirGiradas() {
  g_giradas = Enviar(g.giradas, kMsgCheckObtenerMarcado, 0) != 0;
  Juego().GuardarPiezasGiradas(g_giradas);
}

void Aceptar(HWND hwnd) {
  if (imagenActual.Abierto()) {
    if (!PictureCuttable()) {
      MostrarMensaje(kTextoNoCortable, hwnd, nullptr, false);
      return;
    }
    Cronometro corte;
    bool cortado;
    {
      TrabajoLargo trabajo(kTextoCortando);
      cortado = NewPuzzle(PedidoCorteMenuNuevo());
    }
    if (!cortado) {
      MostrarMensaje(kTextoNoCortado, hwnd, nullptr, false);
      return;
    }
    corte.Anotar(Medida::Corte);
  }
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

// ---- Adding pictures ---------------------------------------------------------

std::wstring TextoAncho(int base) {
  wchar_t texto[200] = L"";
  if (LoadStringW(arranque.instancia, static_cast<UINT>(base + idioma), texto, 200) == 0)
    LoadStringW(arranque.instancia, static_cast<UINT>(base + 1), texto, 200);
  return texto;
}

// The files the player picks in the system's open dialog, full paths.
std::vector<std::wstring> PedirImagenes(HWND hwnd) {
  const std::wstring titulo = TextoAncho(kTextoTituloAgregar);
  std::wstring filtro = TextoAncho(kTextoFiltroAgregar) + L" (" + kPatronAgregar + L")";
  filtro += L'\0';
  filtro += kPatronAgregar;
  filtro += L'\0';
  std::vector<wchar_t> eleccion(kLargoEleccion, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hwnd;
  ofn.lpstrFilter = filtro.c_str();
  ofn.lpstrFile = eleccion.data();
  ofn.nMaxFile = kLargoEleccion;
  ofn.lpstrTitle = titulo.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
              OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&ofn)) return {};
  // One file: its whole path. Several: the folder, then each name.
  std::vector<std::wstring> partes;
  for (const wchar_t* p = eleccion.data(); *p; p += partes.back().size() + 1) partes.emplace_back(p);
  if (partes.size() < 2) return partes;
  std::wstring carpeta = partes[0];
  if (!carpeta.empty() && carpeta.back() != L'\\') carpeta += L'\\';
  std::vector<std::wstring> rutas;
  for (size_t i = 1; i < partes.size(); ++i) rutas.push_back(carpeta + partes[i]);
  return rutas;
}

// Lists the folders again and shows the picture `agregada` names, chosen,
// on the page that holds it.
void MostrarAgregada(HWND hwnd, const ImagenAgregada& agregada) {
  g_imagenes = ImagenesDelJuego();
  const auto i = std::find_if(g_imagenes.begin(), g_imagenes.end(), [&](const ImagenJuego& j) {
    return j.nombre == agregada.nombre && j.carpeta == agregada.carpeta;
  });
  if (i == g_imagenes.end()) return;
  g_elegida = static_cast<int32_t>(i - g_imagenes.begin());
  g_primera = std::clamp(g_elegida - g_elegida % kMiniaturas, 0, std::max(0, CantidadLista() - kMiniaturas));
  CrearDesplazadorImagenes(hwnd);
  CargarMiniaturas();
  for (HWND m : g.miniaturas) InvalidateRect(m, nullptr, FALSE);
  SeleccionarImagen();
}

// Each picture chosen is added; the last one added (or already there) is
// chosen. One file refused, or there already, is told why; of several, one
// message lists each that was not added.
void AgregarImagenes(HWND hwnd, const std::vector<std::wstring>& rutas) {
  if (rutas.empty()) return;
  // The folder may have gone since the game started.
  CreateDirectoryA(CarpetaImagenesPropias().c_str(), nullptr);
  const ImagenesAgregadas r = ::AgregarImagenes(rutas, CarpetaImagenesPropias(), CarpetaImagenes());
  if (!r.elegida.nombre.empty()) MostrarAgregada(hwnd, r.elegida);
  if (r.sinAgregar.empty()) return;
  if (rutas.size() == 1) {
    const ImagenAgregada& una = r.sinAgregar.front().second;
    MostrarMensaje(una.repetida ? kTextoRepetida : TextoLectura(una.lectura), hwnd, nullptr, false);
    return;
  }
  const std::string motivos = Utf8DeAncha(TextoAncho(kTextoMotivosSinAgregar));
  MostrarAvisoLista(kTextoSinAgregar, ListaSinAgregar(r.sinAgregar, motivos, kSinAgregarListados), hwnd);
}

void OnClicAnimado(HWND control) {
  if (control == g.agregar) {
    AgregarImagenes(g.ventana, PedirImagenes(g.ventana));
  } else if (control == g.ayuda) {
    AbrirAyuda();
  } else if (control == g.vistaPrevia) {
    VerImagenElegida();
  } else if (control == g.ajustar) {
    MenuNuevoZoomAjustar();
    RepintarSelectores();
    Refrescar();
  } else if (control == g.natural) {
    MenuNuevoZoomNatural();
    RepintarSelectores();
    Refrescar();
  }
}

int Indice(const HWND* controles, int cantidad, HWND control) {
  for (int i = 0; i < cantidad; ++i)
    if (controles[i] == control) return i;
  return -1;
}

// Only the clicks of the tabs, dies, box, scrolls and buttons count: their other
// notifications mean nothing here.
LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  const bool clic = codigo == kNotifActivado;
  if (int k = Indice(g.troqueles.data(), kTroqueles, control); k >= 0) {
    if (clic && k != g.troquel) ElegirTroquel(k);
  } else if (int p = Indice(g.pestañas.data(), kPaginas, control); p >= 0) {
    if (clic && p != g.pagina) CambiarPagina(hwnd, p);
  } else if (control == g.vistaTroquel) {
    if (!clic) return 0;
    ElegirTroquel((g.troquel + 1) % kTroqueles);
    Enviar(g.troqueles[g.troquel], kMsgCheckPonerMarcado, 1);
  } else if (control == g.giradas) {
    if (clic) ElegirGiradas();
  } else if (control == g.desplazadorTamaño) {
    if (!clic) return 0;
    MenuNuevoScrollTamanoSet(static_cast<int32_t>(Enviar(control, kMsgDespObtenerValor, 0)));
    RepintarSelectores();
    Enviar(g.desplazadorCantidad, kMsgDespPonerMaximo, MenuNuevoScrollCantidadGetMax());
    Enviar(g.desplazadorCantidad, kMsgDespPonerValor, MenuNuevoScrollCantidadGet());
    PonerValores();
  } else if (control == g.desplazadorCantidad) {
    if (!clic) return 0;
    MenuNuevoScrollCantidadSet(static_cast<int32_t>(Enviar(control, kMsgDespObtenerValor, 0)));
    RepintarSelectores();
    PonerValores();
  } else if (control == g.desplazadorImagenes) {
    if (!clic) return 0;
    g_primera = -static_cast<int32_t>(Enviar(control, kMsgDespObtenerValor, 0));
    CargarMiniaturas();
  } else if (control == g.selectorTamaño) {
    Refrescar();
  } else if (control == g.selectorCantidad) {
    Enviar(g.desplazadorCantidad, kMsgDespPonerValor, MenuNuevoScrollCantidadGet());
    PonerValores();
  } else if (control == g.aceptar) {
    if (clic) Aceptar(hwnd);
  } else if (control == g.cerrar) {
    if (clic) SendMessageA(hwnd, WM_CLOSE, 0, 0);
  } else if (control == g.ayuda || control == g.vistaPrevia || control == g.ajustar || control == g.natural ||
             control == g.agregar) {
    ReaccionBotonAnimado(control, codigo);
    if (clic) OnClicAnimado(control);
  }
  return 0;
}

// ---- Window -------------------------------------------------------------------

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  // Mid-slide the page area shows the slide where it stands. The window's
  // DC is its own: the clip it needs for that must not outlive the paint.
  const int guardado = g.deslizamiento.Activo() ? SaveDC(p.Hdc()) : 0;
  if (guardado) {
    DibujarPagina(p.Hdc(), g.deslizamiento.Posicion(GetTickCount()));
    ExcludeClipRect(p.Hdc(), Esc(kXPagina), 0, Esc(kXPagina + kAnchoPagina), Esc(kAltoPagina));
  }
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.fondo), ROP_SRCCOPY);
  if (guardado) RestoreDC(p.Hdc(), guardado);
  return 0;
}

// A press on the window finishes a page slide at once, then drags it.
LRESULT OnLButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  TerminarPagina(hwnd);
  return g.ciclo.Atender(hwnd, WM_LBUTTONDOWN, wParam, lParam);
}

// The children are gone by now, so their pictures can go.
void OnNcDestroy() {
  Estado limpio;
  std::swap(g, limpio);
}

LRESULT CALLBACK ProcMenuNuevo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLButtonDown(hwnd, wParam, lParam);
    case WM_TIMER: if (wParam == kTimerPagina) AvanzarPagina(hwnd); return 0;
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarMenuNuevo(HINSTANCE instancia) {
  RegistrarMiniaturas(instancia);
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcMenuNuevo, .estilo = CS_OWNDC});
}

void AbrirMenuNuevo() {
  if (g.ventana) return;
  OcultarVentanasFlotantes(nullptr);
  g.fondo = CargarImagenArchivo(kImagenFondo);
  if (!g.ciclo.CrearCentrado(kClase, AnchoImagen(g.fondo), AltoImagen(g.fondo), ventanaPrincipal)) g = Estado();
}

void SeleccionarImagen() {
  const std::string ruta = RutaImagen(g_elegida);
  if (ruta.empty() || ruta.size() >= kRutaMaxima || !imagenActual.Abrir(ruta.c_str())) imagenActual.Cerrar();
  PrepararImagenSelectores();
  Refrescar();
}

HIMAGE FondoMenuNuevo() { return ImagenDe(g.fondo); }

bool MiniaturaElegida(int indice) { return g_primera + indice == g_elegida; }

void ElegirMiniatura(int indice) {
  const int anterior = g_elegida - g_primera;
  g_elegida = g_primera + indice;
  if (anterior >= 0 && anterior < kMiniaturas) InvalidateRect(g.miniaturas[anterior], nullptr, FALSE);
  InvalidateRect(g.miniaturas[indice], nullptr, FALSE);
  SeleccionarImagen();
  // A picture that cannot be read says why.
  LecturaFoto lectura = LecturaFoto::Bien;
  if (!imagenActual.Abierto() && g_elegida < CantidadLista() && RutaImagen(g_elegida, &lectura).empty())
    MostrarMensaje(TextoLectura(lectura), g.ventana, nullptr, false);
}

void VerImagenElegida() {
  char ruta[kRutaMaxima];
  if (imagenActual.Abierto() && imagenActual.Ruta(ruta, sizeof ruta) <= static_cast<int32_t>(sizeof ruta))
    MostrarImagenGrande(g.ventana, ruta);
}

void PonerPiezasGiradas(bool giradas) {
  g_giradas = giradas;
  if (g.giradas) Enviar(g.giradas, kMsgCheckPonerMarcado, giradas);
}

bool PiezasGiradas() { return g_giradas; }

HWND VentanaMenuNuevo() { return g.ventana; }

PedidoPuzzle PedidoCorteMenuNuevo() { return PedidoNuevoPuzzle(g.troquel, newPuzzle.board, g_giradas); }

void AgregarImagenesMenuNuevo(const std::vector<std::wstring>& rutas) {
  if (g.ventana) AgregarImagenes(g.ventana, rutas);
}

HWND ControlMenuNuevo(ControlNuevo control) {
  switch (control) {
    case ControlNuevo::aceptar: return g.aceptar;
    case ControlNuevo::cerrar: return g.cerrar;
    case ControlNuevo::ajustar: return g.ajustar;
    case ControlNuevo::natural: return g.natural;
    case ControlNuevo::vistaTroquel: return g.vistaTroquel;
    case ControlNuevo::ayuda: return g.ayuda;
    case ControlNuevo::vistaPrevia: return g.vistaPrevia;
    case ControlNuevo::agregar: return g.agregar;
    case ControlNuevo::giradas: return g.giradas;
    case ControlNuevo::desplazadorImagenes: return g.desplazadorImagenes;
    case ControlNuevo::desplazadorTamaño: return g.desplazadorTamaño;
    case ControlNuevo::desplazadorCantidad: return g.desplazadorCantidad;
    case ControlNuevo::selectorTamaño: return g.selectorTamaño;
    case ControlNuevo::selectorCantidad: return g.selectorCantidad;
  }
  return nullptr;
}

HWND PestañaMenuNuevo(int pagina) { return pagina >= 0 && pagina < kPaginas ? g.pestañas[pagina] : nullptr; }
HWND TroquelMenuNuevo(int indice) { return indice >= 0 && indice < kTroqueles ? g.troqueles[indice] : nullptr; }
HWND MiniaturaMenuNuevo(int indice) { return indice >= 0 && indice < kMiniaturas ? g.miniaturas[indice] : nullptr; }
HWND ValorMenuNuevo(int indice) { return indice >= 0 && indice < 3 ? g.valores[indice] : nullptr; }
int PaginaMenuNuevo() { return g.pagina; }
bool PaginaDeslizando() { return g.deslizamiento.Activo(); }
int TroquelElegido() { return g.troquel; }
int32_t ImagenElegida() { return g_elegida; }
int32_t PrimeraImagenMostrada() { return g_primera; }
int32_t CantidadImagenes() { return CantidadLista(); }
