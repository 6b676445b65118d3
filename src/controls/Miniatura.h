// What the picture thumbnails of the new-puzzle and file windows share: a
// child window whose record lives in its extra bytes, a press that chooses
// the thumbnail when released over it, and a paint that centres the
// picture, frames it when pressed or chosen and shows the parent's
// background around it. Each kind says how it holds and draws its picture.
#pragma once

#include <windows.h>

#include "Punto.h"

class Miniatura {
 public:
  virtual ~Miniatura() = default;
  // The picture's size; false when there is none: the thumbnail then
  // ignores the mouse.
  virtual bool Tamaño(Punto* tamaño) const = 0;
  // Draws the picture unscaled with its corner at (x, y).
  virtual void Dibujar(HDC hdc, int x, int y) = 0;

 private:
  friend class ProcesoMiniatura;
  bool presionada_ = false;
};

// What sets one kind of thumbnail apart.
struct TipoMiniatura {
  int ancho, alto;  // the window, designed
  int idPrimera;    // control id of thumbnail 0; the others follow
  bool sonarClic;   // a release plays the click sound
  Miniatura* (*crear)();  // a fresh record, or null without memory
  bool (*elegida)(int indice);
  void (*elegir)(int indice);
  // A double click on a thumbnail with a picture. It may destroy the
  // thumbnail: nothing of it is touched afterwards.
  void (*dobleClic)();
  // The parent's background over rectangle `pintar` of the thumbnail, which
  // stands at (x, y) in the parent.
  void (*fondo)(HDC hdc, const RECT& pintar, int x, int y);
};

// A thumbnail class: double clicks, the arrow, room for the record.
bool RegistrarClaseMiniatura(HINSTANCE instancia, const char* clase, WNDPROC procedimiento);
// The thumbnail's window procedure, for every message.
LRESULT ProcesarMiniatura(const TipoMiniatura& tipo, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// The record, or null (not a thumbnail, or not yet made).
Miniatura* MiniaturaDe(HWND hwnd);
// A new picture: a press in progress ends without choosing, and the
// thumbnail repaints.
void RenovarMiniatura(HWND hwnd);
