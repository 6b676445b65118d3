// Move-only owners for the GDI and DrawDib handles the Win32 drawing code
// holds (Windows only).
#pragma once

#include <windows.h>
#include <vfw.h>

#include <utility>

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

// A DrawDib context for the length of a scope.
class ContextoDrawDib {
 public:
  ContextoDrawDib() : h_(DrawDibOpen()) {}
  ~ContextoDrawDib() {
    if (h_) DrawDibClose(h_);
  }
  ContextoDrawDib(const ContextoDrawDib&) = delete;
  ContextoDrawDib& operator=(const ContextoDrawDib&) = delete;
  HDRAWDIB Get() const { return h_; }

 private:
  HDRAWDIB h_;
};
