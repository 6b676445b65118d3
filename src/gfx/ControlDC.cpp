#include "ControlDC.h"

#include "ArchivoRecursos.h"
#include "Verificar.h"

ControlDC::ControlDC(bool gdi) : modoGDI(gdi) {
  if (modoGDI && !IniciarGDI()) modoGDI = false;
}

ControlDC::~ControlDC() {
  if (modoGDI) LiberarGDI();
  LiberarHIMAGE(imagen);
}

bool ControlDC::AjustarTamaño(int32_t nuevoAncho, int32_t nuevoAlto, bool exacto) {
  if (Verificar(nuevoAncho < 1 || nuevoAlto < 1, "ControlDC:AjustarTamaño:tamaños nuevos invalidos")) return false;
  if (modoGDI) return AjustarTamañoGDI(nuevoAncho, nuevoAlto, exacto);

  // Same limits as a stored picture: a 32-bit image size and row arithmetic.
  const int64_t bytes = StrideRecurso(nuevoAncho, 8) * nuevoAlto;
  if (bytes > UINT32_MAX || nuevoAncho > (INT32_MAX - 3) / 3) return false;
  HIMAGE nueva = AsignarHIMAGE(bytes);
  if (!nueva) return false;
  // The palette is left to the caller (CopiarPaleta): biClrUsed stays 0.
  *nueva = CabeceraInfoBMP{};
  nueva->biSize = sizeof(CabeceraInfoBMP);
  nueva->biWidth = nuevoAncho;
  nueva->biHeight = nuevoAlto;
  nueva->biPlanes = 1;
  nueva->biBitCount = 8;
  nueva->biCompression = BI_RGB_;
  nueva->biSizeImage = static_cast<uint32_t>(bytes);
  LiberarHIMAGE(imagen);
  imagen = nueva;
  ancho = anchoUsado = nuevoAncho;
  alto = altoUsado = nuevoAlto;
  return true;
}

bool ControlDC::Cargar(uint32_t numero) {
  if (modoGDI) return CargarGDI(numero);
  HIMAGE nueva = nullptr;
  if (!LeerImagenRecursos(numero, &nueva)) return false;
  LiberarHIMAGE(imagen);
  imagen = nueva;
  ancho = anchoUsado = imagen->biWidth;
  alto = altoUsado = imagen->biHeight;
  return true;
}

bool ControlDC::Ampliar(int32_t factor) {
  if (modoGDI || !imagen) return false;
  if (factor == 1) return true;
  HIMAGE nueva = AmpliarHIMAGE(imagen, factor);
  if (!nueva) return false;
  LiberarHIMAGE(imagen);
  imagen = nueva;
  ancho = anchoUsado = imagen->biWidth;
  alto = altoUsado = imagen->biHeight;
  return true;
}

Punto ControlDC::Tamaño() const {
  if (modoGDI || !imagen) return {anchoUsado, altoUsado};
  return {imagen->biWidth, imagen->biHeight};
}

HIMAGE ControlDC::Imagen() const {
  if (Verificar(modoGDI)) return nullptr;
  return imagen;
}
