// CWNDINFO: opened by the main window's info button; owned by the main
// window. The page picture on the tiled canvas, five picture buttons over
// it, each opening a picture's preview, and the exit button.
#include "InfoImagenes.h"

#include <array>
#include <memory>
#include <string>

#include "ComunVentanas.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "FichaImagen.h"
#include "Globales.h"
#include "ListaArchivos.h"
#include "ObjetosGDI.h"
#include "Operaciones.h"
#include "VistaPrevia.h"

namespace {

constexpr char kClase[] = "CWNDINFO";
constexpr DWORD kEstilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;

constexpr uint32_t kImagenPagina = 265;   // 800 x 600
constexpr uint32_t kImagenBoton0 = 700;   // 700-704
constexpr uint32_t kImagenSalir = 128;    // the options window's exit
constexpr int kBotones = 5;

// Where each picture button sits on the page: inside its walnut frame
// (10 wide), with as much again to spare.
constexpr POINT kPosiciones[kBotones] = {{21, 90}, {213, 90}, {405, 90}, {597, 90}, {21, 199}};

struct Estado {
  HWND ventana = nullptr;
  std::unique_ptr<ControlDC> lienzo, imagenSalir;
  std::array<std::unique_ptr<ControlDC>, kBotones> imagenes;
  std::array<HWND, kBotones> botones{};
  HWND salir = nullptr;
  ListaArchivos archivos;
};
Estado g;

std::string CarpetaImagenes() { return arranque.carpeta + "Image\\"; }

LRESULT OnCreate(HWND hwnd) {
  g.ventana = hwnd;
  const int izquierda = Esc((AnchoPantallaDiseño() - 800) / 2), arriba = Esc((AltoPantallaDiseño() - 600) / 2);
  g.lienzo = CrearLienzoTeselado();
  if (auto pagina = CargarImagenArchivo(kImagenPagina); g.lienzo && ImagenDe(pagina))
    TransferirHIMAGE(g.lienzo->Imagen(), izquierda, arriba, AnchoImagen(pagina), AltoImagen(pagina),
                     pagina->Imagen(), 0, 0, ROP_SRCCOPY);
  for (int i = 0; i < kBotones; ++i) {
    const size_t k = static_cast<size_t>(i);
    g.imagenes[k] = CargarImagenArchivo(kImagenBoton0 + static_cast<uint32_t>(i));
    g.botones[k] = CrearControl("COVCOMMAND", hwnd, izquierda + Esc(kPosiciones[i].x), arriba + Esc(kPosiciones[i].y), i,
                                ImagenDe(g.imagenes[k]));
  }
  g.imagenSalir = CargarImagenArchivo(kImagenSalir);
  g.salir = CrearBotonAnimado(hwnd, izquierda + Esc(669), arriba + Esc(496), ImagenDe(g.imagenSalir));
  g.archivos.Buscar((CarpetaImagenes() + "*.bmp").c_str());
  g.archivos.OrdenarNatural();
  return 0;
}

// Button k shows the first picture file whose name reads as k + 1.
void AbrirImagen(HWND hwnd, int k) {
  const int32_t i = BuscarImagenNumerada(g.archivos, k + 1);
  char nombre[ListaArchivos::kNombreMaximo + 1];
  if (i < 0 || !g.archivos.Nombre(i, false, nombre, sizeof nombre)) return;
  AbrirPreviewInfo(hwnd, k, (CarpetaImagenes() + nombre).c_str());
}

LRESULT OnNotificacion(HWND hwnd, int codigo, HWND control) {
  if (control == g.salir) {
    if (codigo == kNotifActivado) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    ReaccionBotonAnimado(control, codigo);
    return 0;
  }
  if (codigo != kNotifActivado) return 0;
  for (int k = 0; k < kBotones; ++k)
    if (control == g.botones[static_cast<size_t>(k)]) AbrirImagen(hwnd, k);
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura p(hwnd);
  PintarRectangulo(p.Hdc(), p.Rect(), ImagenDe(g.lienzo), ROP_SRCCOPY);
  return 0;
}

// The buttons are gone by now, so the pictures they show can go. The file
// list is kept for the next opening.
void OnNcDestroy() {
  g.ventana = nullptr;
  g.lienzo.reset();
  g.imagenSalir.reset();
  for (auto& imagen : g.imagenes) imagen.reset();
  g.botones = {};
  g.salir = nullptr;
}

LRESULT CALLBACK ProcInfo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate(hwnd);
    case WM_PAINT: return OnPaint(hwnd);
    case WM_ERASEBKGND: return 1;
    case WM_QUERYNEWPALETTE: InvalidateRect(hwnd, nullptr, FALSE); return 0;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wParam) != hwnd) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case kMsgNotificacion: return OnNotificacion(hwnd, static_cast<int>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NCDESTROY: OnNcDestroy(); return DefWindowProcA(hwnd, msg, wParam, lParam);
    default: return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

bool RegistrarInfo(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcInfo, .estilo = CS_OWNDC, .fondoNegro = true});
}

HWND AbrirInfo(HWND dueño) {
  if (g.ventana) return g.ventana;
  OcultarVentanasFlotantes(nullptr);
  return CreateWindowExA(0, kClase, "", kEstilo, 0, 0, arranque.anchoPantalla, arranque.altoPantalla, dueño, nullptr,
                         arranque.instancia, nullptr);
}

HWND VentanaInfo() { return g.ventana; }
HWND BotonImagenInfo(int indice) { return indice >= 0 && indice < kBotones ? g.botones[static_cast<size_t>(indice)] : nullptr; }
HWND BotonSalirInfo() { return g.salir; }
