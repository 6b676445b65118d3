// CWNDPREVFS: a picture thumbnail of the new-puzzle window. Its record holds
// the scaled picture, its DrawDib context and whether it is pressed; which
// thumbnail is chosen is the new-puzzle window's business.
#include "MiniaturaImagen.h"

#include <new>

#include "ArchivoBMP.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "ImagenEscalada.h"
#include "MenuNuevo.h"
#include "Miniatura.h"
#include "NewPuzzleParams.h"
#include "ObjetosGDI.h"

namespace {

constexpr char kClase[] = "CWNDPREVFS";

class Registro : public Miniatura {
 public:
  bool Tamaño(Punto* t) const override {
    *t = imagen.Tamaño();
    return !imagen.Vacia();
  }
  void Dibujar(HDC hdc, int x, int y) override {
    const Punto t = imagen.Tamaño();
    DibujarEscalada(drawDib.Get(), hdc, imagen, x, y, t.x, t.y);
  }

  ImagenEscalada imagen;
  ContextoDrawDib drawDib;
};

Registro* De(HWND hwnd) { return static_cast<Registro*>(MiniaturaDe(hwnd)); }

void PintarFondo(HDC hdc, const RECT& p, int x, int y) {
  DibujarHIMAGE(hdc, p.left, p.top, p.right - p.left, p.bottom - p.top, FondoMenuNuevo(), x + p.left, y + p.top,
                ROP_SRCCOPY);
}

const TipoMiniatura kTipo = {
    kAnchoMiniatura,
    kAltoMiniatura,
    kIdMiniatura,
    true,
    []() -> Miniatura* { return new (std::nothrow) Registro(); },
    MiniaturaElegida,
    ElegirMiniatura,
    VerImagenElegida,
    PintarFondo,
};

LRESULT CALLBACK ProcMiniatura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ProcesarMiniatura(kTipo, hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegistrarMiniaturas(HINSTANCE instancia) { return RegistrarClaseMiniatura(instancia, kClase, ProcMiniatura); }

HWND CrearMiniatura(HWND padre, int indice) {
  return CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE, Esc(106 + 89 * indice), Esc(88), Esc(kAnchoMiniatura),
                         Esc(kAltoMiniatura), padre, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdMiniatura + indice)),
                         arranque.instancia, nullptr);
}

void CargarMiniatura(HWND miniatura, const char* ruta) {
  Registro* m = De(miniatura);
  if (!m) return;
  m->imagen.Vaciar();
  ArchivoBMP archivo;
  if (ruta && archivo.Abrir(ruta)) {
    const Punto t = archivo.Tamaño();
    // Read at the interface's scale from the picture's own pixels.
    m->imagen.LeerSuavizada(archivo, Esc(PictureThumbnailSize(t.x, t.y)));
  }
  RenovarMiniatura(miniatura);
}

bool MiniaturaVacia(HWND miniatura) {
  const Registro* m = De(miniatura);
  return !m || m->imagen.Vacia();
}
