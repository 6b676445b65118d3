// CWNDIMGPREV: opened by MostrarImagenGrande, owned by the new-puzzle
// window; one picture at full-screen size, closed by a key or a double click.
#include "VistaImagen.h"

#include <algorithm>
#include <new>

#include "ArchivoBMP.h"
#include "ComunVentanas.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "ImagenEscalada.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDIMGPREV";
constexpr DWORD kEstilo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_MAXIMIZE | WS_DLGFRAME;
static_assert(kEstilo == 0x93400000);

// One preview at a time.
HWND g_ventana = nullptr;
CicloDialogo g_ciclo;
ImagenEscalada g_imagen;
ContextoDrawDib g_drawDib(nullptr);

LRESULT OnCreate() {
  g_drawDib = ContextoDrawDib();
  return 0;
}

LRESULT OnPaint(HWND hwnd) {
  Pintura pintura(hwnd);
  RECT cliente;
  GetClientRect(hwnd, &cliente);
  const Punto t = g_imagen.Tamaño();
  DibujarEscalada(g_drawDib.Get(), pintura.Hdc(), g_imagen, (cliente.right - t.x) / 2, (cliente.bottom - t.y) / 2, t.x, t.y);
  return 0;
}

LRESULT OnDestroy() {
  g_imagen.Vaciar();
  g_drawDib.Cerrar();
  g_ventana = nullptr;
  return 0;
}

LRESULT CALLBACK ProcVistaImagen(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: return OnCreate();
    case WM_PAINT: return OnPaint(hwnd);
    case WM_CHAR:
    case WM_LBUTTONDBLCLK: SendMessageA(hwnd, WM_CLOSE, 0, 0); return 0;
    case WM_DESTROY: g_ciclo.Atender(hwnd, msg, wParam, lParam); return OnDestroy();
    default: return g_ciclo.Atender(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

Punto TamañoVistaImagen(Punto imagen, Punto pantalla) {
  const int64_t w = imagen.x, h = imagen.y, W = pantalla.x, H = pantalla.y;
  if (w < 1 || h < 1 || W < 1 || H < 1) return {1, 1};
  // The side that fits takes the screen's length; the other, in whole
  // numbers, is truncated exactly.
  Punto t = static_cast<double>(W) * h / w > H ? Punto{static_cast<int32_t>(w * H / h), static_cast<int32_t>(H)}
                                               : Punto{static_cast<int32_t>(W), static_cast<int32_t>(h * W / w)};
  return {std::max(t.x, 1), std::max(t.y, 1)};
}

bool RegistrarVistaImagen(HINSTANCE instancia) {
  return RegistrarClase(instancia, {.nombre = kClase, .procedimiento = ProcVistaImagen, .estilo = CS_DBLCLKS, .fondoNegro = true});
}

bool MostrarImagenGrande(HWND dueño, const char* ruta) {
  if (g_ventana || !ruta) return false;
  ArchivoBMP archivo;
  if (!archivo.Abrir(ruta)) return false;
  // A picture that cannot be read shows nothing at all: no black screen
  // that only a key would take away.
  if (!g_imagen.Leer(archivo, TamañoVistaImagen(archivo.Tamaño(), {arranque.anchoPantalla, arranque.altoPantalla}))) return false;
  g_ventana = g_ciclo.Crear(kClase, "", kEstilo, 0, 0, 10, 10, dueño);
  if (!g_ventana) g_imagen.Vaciar();
  return g_ventana != nullptr;
}

HWND VentanaVistaImagen() { return g_ventana; }
