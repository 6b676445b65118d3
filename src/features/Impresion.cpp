// CWNDESPEREIMPRIMIENDO: made by MostrarEspera over the picture preview and
// owned by it while one page prints. Shows the wait text and five marks
// that turn one by one as the picture's bands go out.
#include "Impresion.h"

#include <winspool.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ComunVentanas.h"
#include "ControlDC.h"
#include "DescripcionImagen.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "LectorFotos.h"
#include "Mensaje.h"
#include "ObjetosGDI.h"
#include "PaginaImpresion.h"
#include "ReproductorCD.h"
#include "TextoJustificado.h"

namespace {

constexpr char kClase[] = "CWNDESPEREIMPRIMIENDO";

constexpr uint32_t kImagenFondo = 148;
constexpr uint32_t kImagenMarcas = 262;  // a step to come over a step done, 44 x 44 each
constexpr uint32_t kImagenCabecera = 263, kImagenPie = 264;
constexpr int kLadoMarca = 44;
// Mark i stands at (kMarcaX + i kPasoMarca, kMarcaY) on the background.
constexpr int kMarcaX = 125, kPasoMarca = 50, kMarcaY = 247;
constexpr int kTextoEspera = 210;        // + language
constexpr int kTextoEsperaIngles = 211;
constexpr int kTextoSinImpresora = 260;  // + language
constexpr int kTextoNombre = 5001;  // + picture index, no language
constexpr int kLargoNombre = 71;
constexpr char kDocumento[] = "Tessera Puzzle";
constexpr char kFuenteImpresion[] = "Arial";

struct Estado {
  CicloDialogo ciclo;
  HWND ventana = nullptr, padre = nullptr;
  std::unique_ptr<ControlDC> fondo, marcas;
  char texto[71] = "";
};
Estado g;

bool g_impresoraFijada = false;
std::string g_impresoraPrueba;

// Mark i shows a step to come or a step done.
void PonerMarca(int i, bool hecha) {
  const HIMAGE fondo = ImagenDe(g.fondo), marcas = ImagenDe(g.marcas);
  // Both come from the archive: pictures that do not match are left alone.
  if (!fondo || !marcas || fondo->biBitCount != marcas->biBitCount || fondo->biClrUsed != marcas->biClrUsed) return;
  TransferirHIMAGE(fondo, Esc(kMarcaX + kPasoMarca * i), Esc(kMarcaY), Esc(kLadoMarca), Esc(kLadoMarca), marcas, 0,
                   hecha ? Esc(kLadoMarca) : 0, ROP_SRCCOPY);
}

void MarcarPaso(HWND espera, int i) {
  if (!espera || espera != g.ventana) return;
  PonerMarca(i, true);
  const int x = Esc(kMarcaX + kPasoMarca * i), y = Esc(kMarcaY);
  const RECT celda{x, y, x + Esc(kLadoMarca), y + Esc(kLadoMarca)};
  InvalidateRect(espera, &celda, FALSE);
  UpdateWindow(espera);
}

// `texto` justified in the area at the font height asked for, or at the
// largest smaller one at which it fits.
void EscribirAjustado(HDC hdc, const char* texto, const char* fuente, int32_t peso, int32_t altoFuente,
                      const AreaPagina& area) {
  if (!texto[0]) return;
  const int32_t alto = AltoFuenteQueCabe(hdc, texto, fuente, peso, altoFuente, area.tamaño.x, area.tamaño.y);
  if (alto < 1) return;
  EscribirTextoJustificado(hdc, texto, fuente, peso, alto, kColorTextoComun, false, 0, 0, area.posicion.x,
                           area.posicion.y, area.tamaño.x, area.tamaño.y);
}

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.fondo), ROP_SRCCOPY);
  EscribirAjustado(p.Hdc(), g.texto, kFuenteComun, 400, Esc(30), {Esc(Punto{20, 120}), Esc(Punto{460, 190})});
  return 0;
}

void OnNcDestroy() { g = Estado(); }

LRESULT CALLBACK ProcEspera(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return g.ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

// The default printer: the spooler's default entry or, where that
// enumeration gives none (Wine's never does), the one the system keeps as
// default. Empty when there is none.
std::string ImpresoraPredeterminada() {
  if (g_impresoraFijada) return g_impresoraPrueba;
  DWORD necesario = 0, cuantas = 0;
  EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, nullptr, 0, &necesario, &cuantas);
  if (necesario > 0) {
    std::vector<uint64_t> bloque((necesario + 7) / 8);  // aligned for the entries' pointers
    auto* bytes = reinterpret_cast<BYTE*>(bloque.data());
    if (EnumPrintersA(PRINTER_ENUM_DEFAULT, nullptr, 5, bytes, necesario, &necesario, &cuantas) && cuantas >= 1) {
      const auto* info = reinterpret_cast<const PRINTER_INFO_5A*>(bytes);
      if (info->pPrinterName && info->pPrinterName[0]) return info->pPrinterName;
    }
  }
  DWORD largo = 0;
  GetDefaultPrinterA(nullptr, &largo);
  if (largo == 0) return {};
  std::string nombre(largo, '\0');
  if (!GetDefaultPrinterA(nombre.data(), &largo)) return {};
  nombre.resize(std::strlen(nombre.c_str()));
  return nombre;
}

// An archive picture stretched into `area` through a DIB section made for
// the printer: as the archive holds it, whatever the screen's scale.
void DibujarBanner(HDC hdc, HDC memoria, uint32_t numero, const AreaPagina& area) {
  ControlDC banner;
  const HIMAGE imagen = banner.Cargar(numero) ? banner.Imagen() : nullptr;
  if (!imagen || area.tamaño.x < 1 || area.tamaño.y < 1) return;
  void* bits = nullptr;
  ObjetoGDI<HBITMAP> seccion(CreateDIBSection(hdc, reinterpret_cast<const BITMAPINFO*>(imagen), DIB_RGB_COLORS,
                                              &bits, nullptr, 0));
  if (!seccion || !bits) return;
  std::memcpy(bits, PixelesHIMAGE(imagen), static_cast<size_t>(TamañoImagen(*imagen)));
  Seleccion seleccion(memoria, seccion.Get());
  StretchBlt(hdc, area.posicion.x, area.posicion.y, area.tamaño.x, area.tamaño.y, memoria, 0, 0, imagen->biWidth,
             imagen->biHeight, SRCCOPY);
}

void EscribirTextoTarjeta(HDC hdc, int id, int largo, const AreaPagina& area, int32_t altoFuente) {
  std::vector<char> texto(static_cast<size_t>(largo), '\0');
  LoadStringA(arranque.instancia, static_cast<UINT>(id), texto.data(), largo);
  EscribirAjustado(hdc, texto.data(), kFuenteImpresion, 400, altoFuente, area);
}

}  // namespace

bool RegistrarImpresion(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcEspera, .estilo = CS_OWNDC});
}

HWND MostrarEspera(HWND padre) {
  if (g.ventana) return g.ventana;
  g.fondo = CargarImagenArchivo(kImagenFondo);
  g.marcas = CargarImagenArchivo(kImagenMarcas);
  if (!ImagenDe(g.fondo)) {
    g = Estado();
    return nullptr;
  }
  for (int i = 0; i < kBandasImpresion; ++i) PonerMarca(i, false);
  CargarTexto(kTextoEspera, g.texto, sizeof g.texto);
  if (!g.texto[0]) LoadStringA(arranque.instancia, kTextoEsperaIngles, g.texto, sizeof g.texto);
  g.padre = padre;
  HWND hwnd = g.ciclo.CrearCentrado(kClase, AnchoImagen(g.fondo), AltoImagen(g.fondo), padre);
  if (!hwnd) {
    g = Estado();
    return nullptr;
  }
  UpdateWindow(hwnd);
  return hwnd;
}

bool DibujarPaginaImpresion(HDC hdc, Punto pagina, HWND espera, int32_t indice, ArchivoBMP& archivo) {
  const Punto imagen = archivo.Tamaño();
  const PaginaImpresion p = CalcularPaginaImpresion(pagina, imagen);
  struct {
    CabeceraInfoBMP cabecera;
    ColorRGBQ colores[256];
  } info{};
  if (!archivo.LeerInfo(&info)) return false;
  DCCreado memoria(CreateCompatibleDC(hdc));
  if (!memoria) return false;
  SetStretchBltMode(hdc, COLORONCOLOR);
  SetStretchBltMode(memoria.Get(), COLORONCOLOR);
  DibujarBanner(hdc, memoria.Get(), kImagenCabecera, p.cabecera);
  DibujarBanner(hdc, memoria.Get(), kImagenPie, p.pie);

  for (int i = 0; i < kBandasImpresion; ++i) {
    MarcarPaso(espera, i);
    const BandaImpresion& b = p.bandas[static_cast<size_t>(i)];
    if (!b.filas) continue;
    info.cabecera.biHeight = b.filas;
    info.cabecera.biSizeImage = 0;
    void* bits = nullptr;
    ObjetoGDI<HBITMAP> seccion(CreateDIBSection(hdc, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                                &bits, nullptr, 0));
    if (!seccion || !bits || !archivo.LeerFilas(b.primeraFila, b.filas, bits)) return false;
    Seleccion seleccion(memoria.Get(), seccion.Get());
    StretchBlt(hdc, b.destino.posicion.x, b.destino.posicion.y, b.destino.tamaño.x, b.destino.tamaño.y,
               memoria.Get(), 0, 0, imagen.x, b.filas, SRCCOPY);
  }

  if (indice >= 0) {
    EscribirTextoTarjeta(hdc, kTextoNombre + indice, kLargoNombre, p.nombre, p.altoFuenteNombre);
    EscribirAjustado(hdc, DescripcionImagen(indice).c_str(), kFuenteImpresion, 400, p.altoFuenteTexto, p.texto);
  } else if (char ruta[MAX_PATH] = ""; archivo.Ruta(ruta, sizeof ruta) > 0) {
    // A player's photo: its own name, and no story.
    const std::string nombre = NombreFotoConvertida(ruta);
    EscribirTextoUtf8(hdc, nombre.c_str(), kFuenteImpresion, 400, p.altoFuenteNombre, kColorTextoComun, false, 0, 0,
                      p.nombre.posicion.x, p.nombre.posicion.y, p.nombre.tamaño.x, p.nombre.tamaño.y);
  }
  return true;
}

bool ImprimirImagen(HWND espera, int32_t indice, const char* ruta, bool* sinImpresora) {
  if (sinImpresora) *sinImpresora = false;
  const std::string impresora = ImpresoraPredeterminada();
  DCCreado dc(impresora.empty() ? nullptr : CreateDCA(nullptr, impresora.c_str(), nullptr, nullptr));
  if (!dc) {
    if (sinImpresora) *sinImpresora = true;
    return false;
  }
  // Everything that can be checked before the job starts is: the job is
  // abandoned only when a read fails all the same.
  // The reader takes paths shorter than MAX_PATH only.
  ArchivoBMP archivo;
  if (!ruta || std::strlen(ruta) >= MAX_PATH || !archivo.Abrir(ruta) || !archivo.Completo()) return false;
  if (archivo.BitsPorPixel() != 8 && archivo.BitsPorPixel() != 24) return false;
  TrabajoImpresion trabajo(dc.Get(), kDocumento);
  if (!trabajo.Iniciado()) return false;
  const Punto pagina{GetDeviceCaps(dc.Get(), HORZRES), GetDeviceCaps(dc.Get(), VERTRES)};
  if (!DibujarPaginaImpresion(dc.Get(), pagina, espera, indice, archivo)) {
    trabajo.Abandonar();
    return false;
  }
  return trabajo.Terminar();
}

void ImprimirTarjeta(HWND padre, int32_t indice, const char* ruta) {
  HWND espera = MostrarEspera(padre);
  PausarCD();
  bool sinImpresora = false;
  ImprimirImagen(espera, indice, ruta, &sinImpresora);
  ReanudarCD();
  if (espera) SendMessageA(espera, WM_CLOSE, 0, 0);
  if (sinImpresora) MostrarMensaje(kTextoSinImpresora, padre, nullptr, false);
}

void ImpresoraDePrueba(const char* nombre) {
  g_impresoraFijada = nombre != nullptr;
  g_impresoraPrueba = nombre ? nombre : "";
}

HWND VentanaEspera() { return g.ventana; }
HIMAGE FondoEspera() { return ImagenDe(g.fondo); }
const char* TextoEspera() { return g.texto; }
