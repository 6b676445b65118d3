// CWNDPREVFILE: made by the puzzle-file window, four of them, and destroyed
// with it. Its record holds the thumbnail and whether it is pressed; which
// file is selected is the file window's business.
#include "MiniaturaArchivo.h"

#include <new>
#include <utility>

#include "Globales.h"
#include "Miniatura.h"
#include "ObjetosGDI.h"
#include "VentanaArchivo.h"

namespace {

constexpr char kClase[] = "CWNDPREVFILE";

// The DrawDib context all slots draw with. The last slot to go releases
// it: the others may still paint after the first.
ContextoDrawDib g_drawDib{nullptr};
int g_vivas = 0;

class Registro : public Miniatura {
 public:
  Registro() {
    if (g_vivas++ == 0) g_drawDib = ContextoDrawDib();
  }
  ~Registro() override {
    if (--g_vivas == 0) g_drawDib.Cerrar();
  }
  bool Tamaño(Punto* t) const override {
    const HIMAGE h = imagen.Get();
    if (h) *t = {h->biWidth, h->biHeight};
    return h != nullptr;
  }
  void Dibujar(HDC hdc, int x, int y) override {
    const HIMAGE h = imagen.Get();
    DrawDibDraw(g_drawDib.Get(), hdc, x, y, h->biWidth, h->biHeight, reinterpret_cast<BITMAPINFOHEADER*>(h),
                PixelesHIMAGE(h), 0, 0, h->biWidth, h->biHeight, 0);
  }

  BloqueHIMAGE imagen;
};

Registro* De(HWND hwnd) { return static_cast<Registro*>(MiniaturaDe(hwnd)); }

const TipoMiniatura kTipo = {
    kAnchoMiniaturaArchivo,
    kAltoMiniaturaArchivo,
    kIdMiniaturaArchivo,
    false,
    []() -> Miniatura* { return new (std::nothrow) Registro(); },
    MiniaturaArchivoElegida,
    ElegirMiniaturaArchivo,
    AceptarVentanaArchivo,
    PintarFondoArchivo,
};

LRESULT CALLBACK ProcMiniatura(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return ProcesarMiniatura(kTipo, hwnd, msg, wParam, lParam);
}

}  // namespace

bool RegistrarMiniaturasArchivo(HINSTANCE instancia) { return RegistrarClaseMiniatura(instancia, kClase, ProcMiniatura); }

HWND CrearMiniaturaArchivo(HWND padre, int indice) {
  return CreateWindowExA(0, kClase, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, Esc(111 * indice + 6), Esc(108),
                         Esc(kAnchoMiniaturaArchivo), Esc(kAltoMiniaturaArchivo), padre,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdMiniaturaArchivo + indice)),
                         arranque.instancia, nullptr);
}

void PonerMiniaturaArchivo(HWND miniatura, HIMAGE imagen) {
  BloqueHIMAGE bloque(imagen);
  // The file keeps its thumbnail at the designed size: it is enlarged with
  // the interface (kept small without the memory for that).
  if (imagen && EscalaInterfaz() > 1)
    if (HIMAGE grande = AmpliarHIMAGE(imagen, EscalaInterfaz())) bloque = BloqueHIMAGE(grande);
  Registro* m = De(miniatura);
  if (!m) return;
  m->imagen = std::move(bloque);
  RenovarMiniatura(miniatura);
}

bool MiniaturaArchivoVacia(HWND miniatura) {
  const Registro* m = De(miniatura);
  return !m || !m->imagen;
}
