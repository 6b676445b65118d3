#include "Proyector.h"

#include "Verificar.h"

Proyector::Proyector() = default;
Proyector::~Proyector() = default;

void Proyector::Destino(HIMAGE imagen) {
  if (Verificar(!imagen, "Proyector:Destino: Se declaró un Hdc nulo")) return;
  // A saved area and its FondoDC belong to the other kind of destination.
  if (destinoGDI) {
    fondo.reset();
    guardado = false;
  }
  destino = imagen;
  destinoGDI = false;
}

bool Proyector::DeclararTiraExterna(HIMAGE tiraExterna, bool mascara) {
  if (Verificar(!tiraExterna, "Proyector::DeclararTiraExterna: HdcExterno NULO")) return false;
  tira = tiraExterna;
  conMascara = mascara;
  CalcularCuadro();
  return true;
}

bool Proyector::Cargar(uint32_t numero, bool mascara, int32_t factor) {
  if (!propio) propio = std::make_unique<ControlDC>();
  if (!propio->Cargar(numero)) return false;
  // Without memory for the enlarged copy the strip still draws, small.
  propio->Ampliar(factor);
  tira = propio->Imagen();
  conMascara = mascara;
  CalcularCuadro();
  return true;
}

void Proyector::QuitarTira() {
  tira = nullptr;
  propio.reset();
  anchoCuadro = altoCuadro = 0;
}

void Proyector::CambiarNumCol(int32_t n) {
  if (Verificar(n < 1, "Proyector:CambiarNumCol: numero de columnas invalido")) return;
  columnas = n;
  CalcularCuadro();
}

void Proyector::CambiarNumFil(int32_t n) {
  if (Verificar(n < 1, "Proyector:CambiarNumFil: numero de filas invalido")) return;
  filas = n;
  CalcularCuadro();
}

void Proyector::CalcularCuadro() {
  if (!tira) return;
  anchoCuadro = tira->biWidth / columnas;
  altoCuadro = static_cast<int32_t>(tira->biHeight / (static_cast<int64_t>(filas) * (conMascara ? 2 : 1)));
}

bool Proyector::ComprobarDibujo(int32_t cuadro, const char* mensajeCuadro) const {
  if (Verificar(!destino, "Proyector:Transparencia: El Hdc destino es invalido o no ha sido declarado")) return false;
  if (Verificar(cuadro < 0 || cuadro >= static_cast<int64_t>(filas) * columnas, mensajeCuadro)) return false;
  return !Verificar(!tira, "Proyector: no se ha declarado ninguna tira");
}

Punto Proyector::OrigenSprite(int32_t cuadro) const {
  return {anchoCuadro * (cuadro % columnas), altoCuadro * (cuadro / columnas) * (conMascara ? 2 : 1)};
}

void Proyector::Transparencia(int32_t cuadro, int32_t x, int32_t y, bool invalidar, bool borrar, bool guardar) {
  if (!ComprobarDibujo(cuadro, "Proyector::Transparencia:el numero de cuadro enviado es invalido")) return;
  if (Verificar(!conMascara, "Proyector:Transparencia: esta función no puede ser llamada con una tira incompleta"))
    return;
  if (guardar) Guardar(x, y);
  const Punto sprite = OrigenSprite(cuadro);
  Dibujar(x, y, {sprite.x, sprite.y + altoCuadro}, ROP_SRCAND);
  Dibujar(x, y, sprite, ROP_SRCINVERT);
  if (invalidar)
    Invalidar(x, y, anchoCuadro, altoCuadro, borrar,
              "Proyector::Transparencia: El Hwnd destino es invalido o no ha sido declarado");
}

void Proyector::TransparenciaParcial(int32_t cuadro, int32_t x, int32_t y, bool invalidar, bool borrar,
                                     bool guardar, uint32_t rop) {
  if (!ComprobarDibujo(cuadro, "Proyector::TransparenciaParcial: el numero de cuadro enviado es invalido")) return;
  if (guardar) Guardar(x, y);
  Dibujar(x, y, OrigenSprite(cuadro), rop);
  if (invalidar)
    Invalidar(x, y, anchoCuadro, altoCuadro, borrar,
              "Proyector::Transparencia: El Hwnd destino es invalido o no ha sido declarado");
}

void Proyector::Borrar(bool invalidar, bool borrar) {
  if (Verificar(!destino, "Proyector::Borrar:Hdc Destino no declarado")) return;
  if (!guardado) return;
  guardado = false;
  if (Verificar(!fondo, "Proyector::Borrar: se mando a borrar sin haber creado la clase FondoDC")) return;
  const Punto tamaño = fondo->Tamaño();
  if (destinoGDI)
    RestaurarDC();
  else
    TransferirHIMAGE(static_cast<HIMAGE>(destino), xFondo, yFondo, tamaño.x, tamaño.y, fondo->Imagen(), 0, 0,
                     ROP_SRCCOPY);
  if (invalidar) Invalidar(xFondo, yFondo, tamaño.x, tamaño.y, borrar, "Proyector::Borrar: Hwnd Destino no declarado");
}

void Proyector::Guardar(int32_t x, int32_t y) {
  // A strip smaller than its grid has empty frames: nothing to keep.
  if (anchoCuadro < 1 || altoCuadro < 1) return;
  if (!fondo) fondo = std::make_unique<ControlDC>(destinoGDI);
  if (!fondo->AjustarTamaño(anchoCuadro, altoCuadro)) return;
  xFondo = x;
  yFondo = y;
  if (destinoGDI) {
    GuardarDC(x, y);
  } else {
    auto* imagen = static_cast<HIMAGE>(destino);
    CopiarPaleta(imagen, fondo->Imagen());
    TransferirHIMAGE(fondo->Imagen(), 0, 0, anchoCuadro, altoCuadro, imagen, x, y, ROP_SRCCOPY);
  }
  guardado = true;
}

void Proyector::Dibujar(int32_t x, int32_t y, Punto origen, uint32_t rop) {
  if (destinoGDI)
    DibujarDC(x, y, origen, rop);
  else
    TransferirHIMAGE(static_cast<HIMAGE>(destino), x, y, anchoCuadro, altoCuadro, tira, origen.x, origen.y, rop);
}

void Proyector::Invalidar(int32_t x, int32_t y, int32_t ancho, int32_t alto, bool borrar, const char* mensaje) const {
  if (Verificar(!hwndDestino, mensaje)) return;
  InvalidarVentana(x, y, ancho, alto, borrar);
}
