// Small pieces of behaviour that many windows of the program share.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "ArrastreVentana.h"
#include "ControlDC.h"
#include "Controles.h"  // RegistrarClase

// SetWindowPos flags: hide without activating, show (activating), show
// without activating; never moving, sizing or changing the z-order.
constexpr UINT kSwpOcultar = SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
constexpr UINT kSwpMostrar = SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
constexpr UINT kSwpMostrarSinActivar = kSwpMostrar | SWP_NOACTIVATE;
static_assert(kSwpOcultar == 0x297 && kSwpMostrar == 0x247 && kSwpMostrarSinActivar == 0x257);

inline void OcultarVentana(HWND hwnd) { SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kSwpOcultar); }
inline void MostrarSinActivar(HWND hwnd) { SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, kSwpMostrarSinActivar); }
// A floating window (piece box, magnifier) shown on top of the others it
// shares its owner with. Owned windows always stand above their owner, but
// some window systems lose that after the owner was activated: naming the
// place keeps it.
inline void MostrarFlotante(HWND hwnd, bool activar) {
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, (activar ? kSwpMostrar : kSwpMostrarSinActivar) & ~SWP_NOZORDER);
}

// Hides a floating window; when it has the activation its owner takes it
// first, so that the keyboard stays with the game rather than with nothing,
// and the other floating windows that show are named on top again (the
// owner's activation may have raised it over them).
void OcultarFlotante(HWND hwnd);

// The dialog-like pop-ups: a dialog frame around a client of ancho x alto,
// centred on the screen, owned by `dueño`, which stays disabled while the
// window exists (the window enables it again when it is done). Null,
// with the owner enabled again, when the window cannot be made.
constexpr DWORD kEstiloDialogo = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_DLGFRAME;
static_assert(kEstiloDialogo == 0x92400000);
HWND CrearDialogoCentrado(const char* clase, int32_t ancho, int32_t alto, HWND dueño);
// Closes such a pop-up: its owner takes input again and comes to the front
// before the pop-up goes, so that the activation returns to it and not to
// another program's window. The pop-up's own WM_DESTROY may enable the
// owner again; that is harmless.
void CerrarDialogo(HWND dialogo, HWND dueño);
// The same maximised: the client covers the screen and the frame lies off it.
constexpr DWORD kEstiloDialogoPantalla = kEstiloDialogo | WS_MAXIMIZE;
HWND CrearDialogoPantalla(const char* clase, const char* titulo, HWND dueño);

// The life cycle every pop-up shares: made over an owner it disables;
// closed by handing the input back to the owner before it goes; the owner
// enabled again however it goes; repainted when the palette changes; a
// movable one dragged by its surface. A pop-up's procedure answers its own
// messages and hands the rest to Atender; a WM_DESTROY of its own goes to
// Atender first, so that what its cleanup opens next finds the owner as
// the pop-up left it.
class CicloDialogo {
 public:
  explicit CicloDialogo(bool movible = false) : movible_(movible) {}

  HWND CrearCentrado(const char* clase, int32_t ancho, int32_t alto, HWND dueño) {
    dueño_ = dueño;
    return CrearDialogoCentrado(clase, ancho, alto, dueño);
  }
  HWND CrearPantalla(const char* clase, const char* titulo, HWND dueño) {
    dueño_ = dueño;
    return CrearDialogoPantalla(clase, titulo, dueño);
  }
  // Any other pop-up: `dueño` disabled while it is made, enabled again
  // when it cannot be.
  HWND Crear(const char* clase, const char* titulo, DWORD estilo, int x, int y, int ancho, int alto, HWND dueño);
  HWND Dueño() const { return dueño_; }

  // WM_CLOSE, WM_DESTROY, the palette messages and, when movable, the mouse
  // messages of a drag; the others go to DefWindowProcA.
  LRESULT Atender(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  bool movible_;
  HWND dueño_ = nullptr;
  ArrastreVentana arrastre_;
};

// Interface picture `numero` of the archive into `lienzo`, enlarged to the
// interface's scale; false (the canvas unchanged) when the archive cannot
// give it.
bool CargarInterfaz(ControlDC& lienzo, uint32_t numero);
// The same in a canvas of its own; an empty canvas (Imagen() null) when
// the archive cannot give it.
std::unique_ptr<ControlDC> CargarImagenArchivo(uint32_t numero);
// The picture of a canvas that may be missing.
inline HIMAGE ImagenDe(const std::unique_ptr<ControlDC>& lienzo) { return lienzo ? lienzo->Imagen() : nullptr; }
// The full-screen pages' background: a screen-sized canvas with the palette
// of archive picture 160 and tiled with it (80 x 80, columns then rows).
// Null when the canvas cannot be made; untiled when the tile is missing.
std::unique_ptr<ControlDC> CrearLienzoTeselado();

// Width and height of a canvas's picture; 0 without one.
int32_t AnchoImagen(const std::unique_ptr<ControlDC>& lienzo);
int32_t AltoImagen(const std::unique_ptr<ControlDC>& lienzo);

// Creates a control of class `clase` as a child at (x, y), 50 x 50 (it
// sizes itself from its picture), with control id `id`, and gives it
// `imagen` when there is one.
HWND CrearControl(const char* clase, HWND padre, int x, int y, int id, HIMAGE imagen,
                  DWORD estilo = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);

// Swaps the picture of `control` (kept in `imagen`) for archive picture
// `numero`: the control takes the new one before the old one is freed, and
// it and what a smaller picture uncovers repaint. A picture the archive
// cannot give leaves the old one.
void CambiarImagenControl(HWND control, std::unique_ptr<ControlDC>& imagen, uint32_t numero);

// An animated button (COVANIM): one row of 10 frames, resting at frame 0.
HWND CrearBotonAnimado(HWND padre, int x, int y, HIMAGE imagen, DWORD estilo = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS);

// Repaints `pintar` of `hdc` with `imagen` tiled in anchoTesela x
// altoTesela tiles from the window's corner.
void PintarMosaico(HDC hdc, const RECT& pintar, HIMAGE imagen, int32_t anchoTesela, int32_t altoTesela);

// The program's shared text look: the platform's default face, in black;
// a choice among texts stands out in red, which reads on every paper.
constexpr char kFuenteComun[] = "";
constexpr COLORREF kColorTextoComun = RGB(0, 0, 0);
constexpr COLORREF kColorResalteComun = RGB(204, 0, 0);

// The fonts of the program: the system's default face.
HFONT CrearFuente(int alto, int peso);

// A string of the string table at `base` + the language.
void CargarTexto(int base, char* destino, int tamaño);
