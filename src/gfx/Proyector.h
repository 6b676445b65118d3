// Proyector: draws one frame of a sprite strip (equal frames in rows and
// columns) onto a HIMAGE or, on Windows, a device context; opaque with a
// raster operation, or masked. It can save the area under a frame in its
// FondoDC first, so the next frame goes on after Borrar puts it back.
//
// Frame f is at column f % columnas, row f / columnas. With a mask every
// row of the strip is two frames tall: the sprite on top (black where
// transparent), its mask below (all bits set where the background shows).
#pragma once

#include <cstdint>
#include <memory>

#include "ControlDC.h"
#include "HImage.h"
#include "Punto.h"

#ifdef _WIN32
struct HWND__;
struct HDC__;
#endif

class Proyector {
 public:
  Proyector();
  ~Proyector();
  Proyector(const Proyector&) = delete;
  Proyector& operator=(const Proyector&) = delete;

#ifdef _WIN32
  // The window whose rectangle is invalidated after drawing or erasing.
  void Destino(HWND__* ventana);
  void Destino(HDC__* dc);
#endif
  void Destino(HIMAGE imagen);

  // A strip the caller owns and keeps alive while it is in use.
  bool DeclararTiraExterna(HIMAGE tiraExterna, bool mascara);
  // Picture `numero` of the archive into a canvas of our own, enlarged
  // `factor` times (AmpliarHIMAGE); false leaves everything as it was.
  bool Cargar(uint32_t numero, bool mascara, int32_t factor = 1);
  // Forgets the strip (its owner could not give one): no frame size, and
  // nothing to draw until the next strip.
  void QuitarTira();

  // Kept before a strip arrives; the frame size follows when it does.
  void CambiarNumCol(int32_t n);
  void CambiarNumFil(int32_t n);
  int32_t NumCol() const { return columnas; }
  int32_t NumFil() const { return filas; }
  Punto TamañoCuadro() const { return {anchoCuadro, altoCuadro}; }

  // Masked drawing of `cuadro` at (x, y): mask ANDed, sprite XORed. With
  // `guardar` the area under it goes to the FondoDC first; with `invalidar`
  // that rectangle of the destination window is invalidated (`borrar` is
  // the erase flag).
  void Transparencia(int32_t cuadro, int32_t x, int32_t y, bool invalidar, bool borrar, bool guardar);
  // Opaque drawing of the frame's sprite with `rop` (a device context takes
  // SRCCOPY only).
  void TransparenciaParcial(int32_t cuadro, int32_t x, int32_t y, bool invalidar, bool borrar, bool guardar,
                            uint32_t rop);
  // Puts the saved area back, once.
  void Borrar(bool invalidar, bool borrar);
  // The destination was repainted whole: nothing is left to put back.
  void OlvidarFondo() { guardado = false; }

 private:
  void CalcularCuadro();
  bool ComprobarDibujo(int32_t cuadro, const char* mensajeCuadro) const;
  Punto OrigenSprite(int32_t cuadro) const;
  void Guardar(int32_t x, int32_t y);
  void Dibujar(int32_t x, int32_t y, Punto origen, uint32_t rop);
  void Invalidar(int32_t x, int32_t y, int32_t ancho, int32_t alto, bool borrar, const char* mensaje) const;

  // Platform side (Proyector_win32.cpp / Proyector_posix.cpp).
  void GuardarDC(int32_t x, int32_t y);
  void RestaurarDC();
  void DibujarDC(int32_t x, int32_t y, Punto origen, uint32_t rop);
  void InvalidarVentana(int32_t x, int32_t y, int32_t ancho, int32_t alto, bool borrar) const;

  void* hwndDestino = nullptr;
  void* destino = nullptr;  // HIMAGE or HDC, as destinoGDI says
  HIMAGE tira = nullptr;
  std::unique_ptr<ControlDC> propio;  // holds a strip loaded by number
  std::unique_ptr<ControlDC> fondo;   // the FondoDC, in the destination's mode
  int32_t xFondo = 0, yFondo = 0;
  int32_t filas = 1;
  int32_t columnas = 1;
  bool guardado = false;
  bool conMascara = false;
  int32_t anchoCuadro = 0, altoCuadro = 0;
  bool destinoGDI = false;
};
