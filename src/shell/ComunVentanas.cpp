#include "ComunVentanas.h"

#include <new>

#include "Animacion.h"
#include "Controles.h"
#include "DibujoHIMAGE.h"
#include "Globales.h"
#include "Teselas.h"

// Window procedures call these: no exception may leave them, so memory that
// cannot be had gives an empty result.
bool CargarInterfaz(ControlDC& lienzo, uint32_t numero) {
  if (!lienzo.Cargar(numero)) return false;
  // Without memory for the enlarged copy the picture still shows, small.
  lienzo.Ampliar(EscalaInterfaz());
  return true;
}

std::unique_ptr<ControlDC> CargarImagenArchivo(uint32_t numero) {
  std::unique_ptr<ControlDC> lienzo(new (std::nothrow) ControlDC);
  if (lienzo) CargarInterfaz(*lienzo, numero);
  return lienzo;
}

std::unique_ptr<ControlDC> CrearLienzoTeselado() {
  constexpr uint32_t kTesela = 160;
  const int kLado = Esc(80);
  std::unique_ptr<ControlDC> lienzo(new (std::nothrow) ControlDC);
  if (!lienzo || !lienzo->AjustarTamaño(arranque.anchoPantalla, arranque.altoPantalla)) return nullptr;
  if (auto tesela = CargarImagenArchivo(kTesela); ImagenDe(tesela)) {
    CopiarPaleta(tesela->Imagen(), lienzo->Imagen());
    for (int x = 0; x < arranque.anchoPantalla; x += kLado)
      for (int y = 0; y < arranque.altoPantalla; y += kLado)
        TransferirHIMAGE(lienzo->Imagen(), x, y, kLado, kLado, tesela->Imagen(), 0, 0, ROP_SRCCOPY);
  }
  return lienzo;
}

int32_t AnchoImagen(const std::unique_ptr<ControlDC>& lienzo) {
  const HIMAGE i = ImagenDe(lienzo);
  return i ? i->biWidth : 0;
}

int32_t AltoImagen(const std::unique_ptr<ControlDC>& lienzo) {
  const HIMAGE i = ImagenDe(lienzo);
  return i ? i->biHeight : 0;
}

HWND CrearControl(const char* clase, HWND padre, int x, int y, int id, HIMAGE imagen, DWORD estilo) {
  HWND control = CreateWindowExA(0, clase, "", estilo, x, y, 50, 50, padre,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), arranque.instancia, nullptr);
  if (control && imagen) SendMessageA(control, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(imagen));
  return control;
}

void CambiarImagenControl(HWND control, std::unique_ptr<ControlDC>& imagen, uint32_t numero) {
  if (!control) return;
  auto nueva = CargarImagenArchivo(numero);
  if (!ImagenDe(nueva)) return;
  RECT antes{};
  GetWindowRect(control, &antes);
  HWND padre = GetParent(control);
  MapWindowPoints(nullptr, padre, reinterpret_cast<POINT*>(&antes), 2);
  SendMessageA(control, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(ImagenDe(nueva)));
  imagen = std::move(nueva);
  InvalidateRect(padre, &antes, FALSE);
  InvalidateRect(control, nullptr, FALSE);
}

HWND CrearBotonAnimado(HWND padre, int x, int y, HIMAGE imagen, DWORD estilo) {
  HWND boton = CrearControl("COVANIM", padre, x, y, 0, nullptr, estilo);
  SendMessageA(boton, kMsgAnimPonerFilas, 0, 1);
  SendMessageA(boton, kMsgAnimPonerColumnas, 0, 10);
  SendMessageA(boton, kMsgAnimPonerCuadro, 0, 0);
  if (imagen) SendMessageA(boton, kMsgPonerImagen, 0, reinterpret_cast<LPARAM>(imagen));
  return boton;
}

void PintarMosaico(HDC hdc, const RECT& pintar, HIMAGE imagen, int32_t anchoTesela, int32_t altoTesela) {
  if (!imagen) {
    PintarRectangulo(hdc, pintar, nullptr, ROP_SRCCOPY);
    return;
  }
  for (const BloqueTesela& b : BloquesMosaico({pintar.left, pintar.top},
                                              {pintar.right - pintar.left, pintar.bottom - pintar.top}, anchoTesela,
                                              altoTesela, {imagen->biWidth, imagen->biHeight}))
    DibujarHIMAGE(hdc, b.destino.x, b.destino.y, b.tamaño.x, b.tamaño.y, imagen, b.origen.x, b.origen.y,
                  ROP_SRCCOPY);
}

HFONT CrearFuente(int alto, int peso) {
  return CreateFontA(alto, 0, 0, 0, peso, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "");
}

void CargarTexto(int base, char* destino, int tamaño) {
  if (tamaño < 1) return;
  destino[0] = 0;
  LoadStringA(arranque.instancia, static_cast<UINT>(base + idioma), destino, tamaño);
}

HWND CrearDialogoCentrado(const char* clase, int32_t ancho, int32_t alto, HWND dueño) {
  RECT marco{0, 0, ancho, alto};
  AdjustWindowRect(&marco, kEstiloDialogo, FALSE);
  const int w = marco.right - marco.left, h = marco.bottom - marco.top;
  if (dueño) EnableWindow(dueño, FALSE);
  HWND hwnd = CreateWindowExA(0, clase, "", kEstiloDialogo, (arranque.anchoPantalla - w) / 2, (arranque.altoPantalla - h) / 2, w, h,
                              dueño, nullptr, arranque.instancia, nullptr);
  if (!hwnd && dueño) EnableWindow(dueño, TRUE);
  return hwnd;
}

void CerrarDialogo(HWND dialogo, HWND dueño) {
  if (dueño) {
    EnableWindow(dueño, TRUE);
    SetForegroundWindow(dueño);
  }
  DestroyWindow(dialogo);
}

HWND CrearDialogoPantalla(const char* clase, const char* titulo, HWND dueño) {
  // Made where maximising puts it: a window that shows while it is being
  // made (a video does) already has the screen as its client.
  RECT marco{0, 0, arranque.anchoPantalla, arranque.altoPantalla};
  AdjustWindowRect(&marco, kEstiloDialogo, FALSE);
  if (dueño) EnableWindow(dueño, FALSE);
  HWND hwnd = CreateWindowExA(0, clase, titulo, kEstiloDialogoPantalla, marco.left, marco.top,
                              marco.right - marco.left, marco.bottom - marco.top, dueño, nullptr, arranque.instancia,
                              nullptr);
  if (!hwnd && dueño) EnableWindow(dueño, TRUE);
  return hwnd;
}

HWND CicloDialogo::Crear(const char* clase, const char* titulo, DWORD estilo, int x, int y, int ancho, int alto,
                          HWND dueño) {
  dueño_ = dueño;
  if (dueño) EnableWindow(dueño, FALSE);
  HWND hwnd = CreateWindowExA(0, clase, titulo, estilo, x, y, ancho, alto, dueño, nullptr, arranque.instancia, nullptr);
  if (!hwnd && dueño) EnableWindow(dueño, TRUE);
  return hwnd;
}

LRESULT CicloDialogo::Atender(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CLOSE:
      CerrarDialogo(hwnd, dueño_);
      return 0;
    case WM_DESTROY:
      if (dueño_) EnableWindow(dueño_, TRUE);
      return 0;
    case WM_QUERYNEWPALETTE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_PALETTECHANGED:
      if (reinterpret_cast<HWND>(wParam) != hwnd) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (movible_) return arrastre_.Atender(hwnd, msg, lParam);
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
