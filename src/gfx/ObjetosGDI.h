// Move-only owners for the GDI, DrawDib, MCI and file handles the Win32
// code holds (Windows only).
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <vfw.h>

#include <cstddef>
#include <utility>

#include "HImage.h"

// A GDI object (bitmap, palette, pen, brush, font) deleted when the owner goes.
template <typename Manejador>
class ObjetoGDI {
 public:
  ObjetoGDI() = default;
  explicit ObjetoGDI(Manejador h) : h_(h) {}
  ~ObjetoGDI() {
    if (h_) DeleteObject(h_);
  }
  ObjetoGDI(ObjetoGDI&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
  ObjetoGDI& operator=(ObjetoGDI&& otro) noexcept {
    if (this != &otro) {
      if (h_) DeleteObject(h_);
      h_ = std::exchange(otro.h_, nullptr);
    }
    return *this;
  }
  ObjetoGDI(const ObjetoGDI&) = delete;
  ObjetoGDI& operator=(const ObjetoGDI&) = delete;

  Manejador Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  // Hands the handle over to whoever keeps it from now on.
  Manejador Soltar() { return std::exchange(h_, nullptr); }

 private:
  Manejador h_ = nullptr;
};

// The screen's device context for the length of a scope.
class DCPantalla {
 public:
  DCPantalla() : h_(GetDC(nullptr)) {}
  ~DCPantalla() {
    if (h_) ReleaseDC(nullptr, h_);
  }
  DCPantalla(const DCPantalla&) = delete;
  DCPantalla& operator=(const DCPantalla&) = delete;
  HDC Get() const { return h_; }

 private:
  HDC h_;
};

// A DrawDib context, opened at construction (or empty) and closed by its
// owner; move-only.
class ContextoDrawDib {
 public:
  ContextoDrawDib() : h_(DrawDibOpen()) {}
  explicit ContextoDrawDib(std::nullptr_t) : h_(nullptr) {}
  ~ContextoDrawDib() { Cerrar(); }
  ContextoDrawDib(ContextoDrawDib&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
  ContextoDrawDib& operator=(ContextoDrawDib&& otro) noexcept {
    if (this != &otro) {
      Cerrar();
      h_ = std::exchange(otro.h_, nullptr);
    }
    return *this;
  }
  ContextoDrawDib(const ContextoDrawDib&) = delete;
  ContextoDrawDib& operator=(const ContextoDrawDib&) = delete;
  HDRAWDIB Get() const { return h_; }
  void Cerrar() {
    if (h_) DrawDibClose(h_);
    h_ = nullptr;
  }

 private:
  HDRAWDIB h_;
};

// An open MCI device, closed (waiting for it) by its owner; move-only.
class DispositivoMCI {
 public:
  DispositivoMCI() = default;
  explicit DispositivoMCI(MCIDEVICEID id) : id_(id) {}
  ~DispositivoMCI() { Cerrar(); }
  DispositivoMCI(DispositivoMCI&& otro) noexcept : id_(std::exchange(otro.id_, 0)) {}
  DispositivoMCI& operator=(DispositivoMCI&& otro) noexcept {
    if (this != &otro) {
      Cerrar();
      id_ = std::exchange(otro.id_, 0);
    }
    return *this;
  }
  DispositivoMCI(const DispositivoMCI&) = delete;
  DispositivoMCI& operator=(const DispositivoMCI&) = delete;
  MCIDEVICEID Get() const { return id_; }
  explicit operator bool() const { return id_ != 0; }
  // A command with its parameter block; the MCI error, 0 when it worked.
  MCIERROR Enviar(UINT comando, DWORD banderas, void* parametros = nullptr) const {
    return mciSendCommandA(id_, comando, banderas, reinterpret_cast<DWORD_PTR>(parametros));
  }
  void Cerrar() {
    if (id_) mciSendCommandA(id_, MCI_CLOSE, MCI_WAIT, 0);
    id_ = 0;
  }

 private:
  MCIDEVICEID id_ = 0;
};

// A window's device context (its own one for CS_OWNDC classes) for the
// length of a scope.
class DCVentana {
 public:
  explicit DCVentana(HWND hwnd) : hwnd_(hwnd), h_(GetDC(hwnd)) {}
  ~DCVentana() {
    if (h_) ReleaseDC(hwnd_, h_);
  }
  DCVentana(const DCVentana&) = delete;
  DCVentana& operator=(const DCVentana&) = delete;
  HDC Get() const { return h_; }

 private:
  HWND hwnd_;
  HDC h_;
};

// BeginPaint ... EndPaint.
class Pintura {
 public:
  explicit Pintura(HWND hwnd) : hwnd_(hwnd) { hdc_ = BeginPaint(hwnd, &ps_); }
  ~Pintura() { EndPaint(hwnd_, &ps_); }
  Pintura(const Pintura&) = delete;
  Pintura& operator=(const Pintura&) = delete;
  HDC Hdc() const { return hdc_; }
  const RECT& Rect() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC hdc_ = nullptr;
};

// An object selected into a DC until the end of the scope, then the one it
// replaced put back.
class Seleccion {
 public:
  Seleccion(HDC hdc, HGDIOBJ objeto) : hdc_(hdc), anterior_(objeto ? SelectObject(hdc, objeto) : nullptr) {}
  ~Seleccion() {
    if (anterior_ && anterior_ != HGDI_ERROR) SelectObject(hdc_, anterior_);
  }
  Seleccion(const Seleccion&) = delete;
  Seleccion& operator=(const Seleccion&) = delete;

 private:
  HDC hdc_;
  HGDIOBJ anterior_;
};

// A HIMAGE block freed when the owner goes (or is given another).
class BloqueHIMAGE {
 public:
  BloqueHIMAGE() = default;
  explicit BloqueHIMAGE(HIMAGE h) : h_(h) {}
  ~BloqueHIMAGE() { LiberarHIMAGE(h_); }
  BloqueHIMAGE(BloqueHIMAGE&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
  BloqueHIMAGE& operator=(BloqueHIMAGE&& otro) noexcept {
    if (this != &otro) {
      LiberarHIMAGE(h_);
      h_ = std::exchange(otro.h_, nullptr);
    }
    return *this;
  }
  BloqueHIMAGE(const BloqueHIMAGE&) = delete;
  BloqueHIMAGE& operator=(const BloqueHIMAGE&) = delete;
  HIMAGE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HIMAGE h_ = nullptr;
};

// A device context made with CreateDCA or CreateCompatibleDC (a printer's,
// a memory one), deleted with DeleteDC.
class DCCreado {
 public:
  DCCreado() = default;
  explicit DCCreado(HDC h) : h_(h) {}
  ~DCCreado() { Borrar(); }
  DCCreado(DCCreado&& otro) noexcept : h_(std::exchange(otro.h_, nullptr)) {}
  DCCreado& operator=(DCCreado&& otro) noexcept {
    if (this != &otro) {
      Borrar();
      h_ = std::exchange(otro.h_, nullptr);
    }
    return *this;
  }
  DCCreado(const DCCreado&) = delete;
  DCCreado& operator=(const DCCreado&) = delete;
  HDC Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  void Borrar() {
    if (h_) DeleteDC(h_);
    h_ = nullptr;
  }
  HDC h_ = nullptr;
};

// A file opened with CreateFileW (or CreateFileA), closed when the owner
// goes; INVALID_HANDLE_VALUE is the empty owner, as CreateFile answers a
// failure.
class ArchivoAbierto {
 public:
  ArchivoAbierto() = default;
  explicit ArchivoAbierto(HANDLE h) : h_(h) {}
  ~ArchivoAbierto() { Cerrar(); }
  ArchivoAbierto(ArchivoAbierto&& otro) noexcept : h_(std::exchange(otro.h_, INVALID_HANDLE_VALUE)) {}
  ArchivoAbierto& operator=(ArchivoAbierto&& otro) noexcept {
    if (this != &otro) {
      Cerrar();
      h_ = std::exchange(otro.h_, INVALID_HANDLE_VALUE);
    }
    return *this;
  }
  ArchivoAbierto(const ArchivoAbierto&) = delete;
  ArchivoAbierto& operator=(const ArchivoAbierto&) = delete;
  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }
  void Cerrar() {
    if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    h_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE h_ = INVALID_HANDLE_VALUE;
};

// A search begun with FindFirstFileW (or A), ended with FindClose when the owner
// goes (INVALID_HANDLE_VALUE: none).
class BusquedaArchivos {
 public:
  explicit BusquedaArchivos(HANDLE h) : h_(h) {}
  ~BusquedaArchivos() {
    if (h_ != INVALID_HANDLE_VALUE) FindClose(h_);
  }
  BusquedaArchivos(const BusquedaArchivos&) = delete;
  BusquedaArchivos& operator=(const BusquedaArchivos&) = delete;
  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

// A one-page print job on a printer's DC: StartDoc and StartPage when made;
// EndPage and EndDoc when it ends, or AbortDoc once abandoned, so a page
// given up leaves nothing in the queue.
class TrabajoImpresion {
 public:
  TrabajoImpresion(HDC hdc, const char* documento) : hdc_(hdc) {
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documento;
    iniciado_ = StartDocA(hdc, &doc) > 0;
    if (iniciado_ && StartPage(hdc) <= 0) Abandonar();
  }
  ~TrabajoImpresion() { Terminar(); }
  TrabajoImpresion(const TrabajoImpresion&) = delete;
  TrabajoImpresion& operator=(const TrabajoImpresion&) = delete;

  bool Iniciado() const { return iniciado_; }
  void Abandonar() {
    if (iniciado_) AbortDoc(hdc_);
    iniciado_ = false;
  }
  // Sends the page; false when the job did not go out whole.
  bool Terminar() {
    if (!iniciado_) return false;
    iniciado_ = false;
    const bool pagina = EndPage(hdc_) > 0;
    return EndDoc(hdc_) > 0 && pagina;
  }

 private:
  HDC hdc_;
  bool iniciado_ = false;
};
