#include "LectorFotos.h"

#include <wincodec.h>

#include <algorithm>
#include <new>

#include "ArchivoDisco.h"
#include "Exif.h"
#include "Foto.h"
#include "GanchoDepuracion.h"
#include "Globales.h"
#include "ObjetosGDI.h"
#include "Orientacion.h"
#include "Progreso.h"

namespace {

// Larger files are not pictures a player means to play.
constexpr int64_t kBytesMaximosArchivo = 512LL * 1024 * 1024;
// Rows copied from the decoder at a time: memory stays a strip, not the picture.
constexpr UINT kFilasPorTramo = 64;

// A COM interface pointer released when it goes.
template <typename T>
class Com {
 public:
  Com() = default;
  ~Com() {
    if (p_) p_->Release();
  }
  Com(const Com&) = delete;
  Com& operator=(const Com&) = delete;
  T** operator&() { return &p_; }
  T* operator->() const { return p_; }
  T* get() const { return p_; }

 private:
  T* p_ = nullptr;
};

bool LeerArchivo(const wchar_t* ruta, std::vector<uint8_t>* bytes, int64_t maximo = kBytesMaximosArchivo) {
  const ArchivoAbierto f(
      CreateFileW(ruta, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER tamaño{};
  if (!f || !GetFileSizeEx(f.Get(), &tamaño) || tamaño.QuadPart > maximo) return false;
  bytes->resize(static_cast<size_t>(tamaño.QuadPart));
  DWORD leidos = 0;
  return bytes->empty() || (ReadFile(f.Get(), bytes->data(), static_cast<DWORD>(bytes->size()), &leidos, nullptr) &&
                            leidos == bytes->size());
}

LecturaFoto LeerBytes(const wchar_t* ruta, std::vector<uint8_t>* bytes) {
  try {
    return ruta && LeerArchivo(ruta, bytes) ? LecturaFoto::Bien : LecturaFoto::NoAbre;
  } catch (const std::bad_alloc&) {
    return LecturaFoto::SinMemoria;
  }
}

LecturaFoto Convertir(const std::vector<uint8_t>& bytes, const uint8_t fondo[3], FotoLeida* foto) {
  if (DetectarTipoImagen(bytes.data(), static_cast<int64_t>(bytes.size())) == TipoImagen::Desconocido)
    return LecturaFoto::NoEsImagen;
  // A size the header claims is judged before any decoder takes memory for it.
  if (int64_t w = 0, h = 0; TamañoDeclarado(bytes.data(), static_cast<int64_t>(bytes.size()), &w, &h)) {
    if (w < 1 || h < 1) return LecturaFoto::Dañada;
    if (!TamañoFotoAceptable(w, h)) return LecturaFoto::Enorme;
  }

  // Each call's answer is checked: a converter may accept a format and only
  // fail when the pixels are copied.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  struct FinCom {
    bool activo;
    ~FinCom() {
      if (activo) CoUninitialize();
    }
  } fin{SUCCEEDED(com)};
  Com<IWICImagingFactory> fabrica;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&fabrica))))
    return LecturaFoto::Dañada;
  Com<IWICStream> flujo;
  Com<IWICBitmapDecoder> decodificador;
  Com<IWICBitmapFrameDecode> cuadro;
  UINT w = 0, h = 0;
  if (FAILED(fabrica->CreateStream(&flujo)) ||
      // The stream only reads the bytes it is given.
      FAILED(flujo->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(fabrica->CreateDecoderFromStream(flujo.get(), nullptr, WICDecodeMetadataCacheOnDemand, &decodificador)) ||
      FAILED(decodificador->GetFrame(0, &cuadro)) || FAILED(cuadro->GetSize(&w, &h)))
    return LecturaFoto::Dañada;
  if (!TamañoFotoAceptable(w, h)) return LecturaFoto::Enorme;

  Com<IWICFormatConverter> conversor;
  if (FAILED(fabrica->CreateFormatConverter(&conversor)) ||
      FAILED(conversor->Initialize(cuadro.get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)))
    return LecturaFoto::Dañada;

  const Punto tamaño{static_cast<int32_t>(w), static_cast<int32_t>(h)};
  // The system's imaging component gives no EXIF orientation everywhere:
  // it is read from the file's own bytes.
  const int orientacion = OrientacionExif(bytes.data(), bytes.size());
  const Punto derecho = TamañoOrientado(tamaño, orientacion);
  try {
    ConversorFoto salida;
    if (!salida.Empezar(tamaño, TamañoFotoConservada(derecho), fondo, orientacion)) return LecturaFoto::Enorme;
    const UINT porFila = w * 4;
    std::vector<uint8_t> tramo(static_cast<size_t>(porFila) * std::min<UINT>(h, kFilasPorTramo));
    for (UINT y = 0; y < h; y += kFilasPorTramo) {
      AvanzarTrabajo(0.95 * y / h);
      const UINT filas = std::min(kFilasPorTramo, h - y);
      const WICRect r{0, static_cast<INT>(y), static_cast<INT>(w), static_cast<INT>(filas)};
      if (FAILED(conversor->CopyPixels(&r, porFila, porFila * filas, tramo.data()))) return LecturaFoto::Dañada;
      for (UINT k = 0; k < filas; ++k) salida.AgregarFila32(tramo.data() + static_cast<size_t>(k) * porFila);
    }
    foto->bmp = salida.TomarArchivo();
  } catch (const std::bad_alloc&) {
    return LecturaFoto::SinMemoria;
  }
  foto->original = derecho;
  foto->huella = HuellaBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
  return foto->bmp.empty() ? LecturaFoto::Dañada : LecturaFoto::Bien;
}

std::wstring Ancha(const std::string& texto, UINT pagina) {
  const int n = MultiByteToWideChar(pagina, 0, texto.c_str(), -1, nullptr, 0);
  if (n < 1) return {};
  std::wstring ancha(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(pagina, 0, texto.c_str(), -1, ancha.data(), n);
  ancha.resize(static_cast<size_t>(n - 1));
  return ancha;
}

std::string Estrecha(const std::wstring& texto, UINT pagina) {
  const int n = WideCharToMultiByte(pagina, 0, texto.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n < 1) return {};
  std::string estrecha(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(pagina, 0, texto.c_str(), -1, estrecha.data(), n, nullptr, nullptr);
  estrecha.resize(static_cast<size_t>(n - 1));
  return estrecha;
}

// The photo's own name, kept beside its copy the first time.
void AnotarNombre(const std::string& carpeta, uint64_t huella, const wchar_t* ruta) {
  const std::string nota = carpeta + NombreNotaConvertida(huella);
  if (ExisteArchivo(nota.c_str())) return;
  const std::string nombre = NombreSinExtension(Estrecha(ruta, CP_UTF8));
  EscribirArchivoEntero(nota.c_str(), nombre.data(), static_cast<int64_t>(nombre.size()));
}

}  // namespace

std::wstring AnchaDeUtf8(const std::string& texto) { return Ancha(texto, CP_UTF8); }
std::wstring AnchaDeAnsi(const std::string& texto) { return Ancha(texto, CP_ACP); }
std::string Utf8DeAncha(const std::wstring& texto) { return Estrecha(texto, CP_UTF8); }

std::string NombreFotoConvertida(const char* rutaBmp) {
  const std::string nota = RutaNotaConvertida(rutaBmp ? rutaBmp : "");
  std::vector<uint8_t> bytes;
  if (nota.empty() || !LeerArchivo(AnchaDeAnsi(nota).c_str(), &bytes, kLargoNombreFoto)) return {};
  return std::string(bytes.begin(), bytes.end());
}

LecturaFoto LeerFoto(const wchar_t* ruta, const uint8_t fondo[3], FotoLeida* foto) {
  std::vector<uint8_t> bytes;
  const LecturaFoto r = LeerBytes(ruta, &bytes);
  return r == LecturaFoto::Bien ? Convertir(bytes, fondo, foto) : r;
}

LecturaFoto PrepararFoto(const wchar_t* ruta, const uint8_t fondo[3], const std::string& carpeta,
                         std::string* rutaBmp) {
  Cronometro cronometro;
  std::vector<uint8_t> bytes;
  if (const LecturaFoto r = LeerBytes(ruta, &bytes); r != LecturaFoto::Bien) return r;
  const uint64_t huella = HuellaBytes(bytes.data(), static_cast<int64_t>(bytes.size()));
  const std::string destino = carpeta + NombreConvertida(huella);
  if (!ExisteArchivo(destino.c_str())) {
    FotoLeida foto;
    if (const LecturaFoto r = Convertir(bytes, fondo, &foto); r != LecturaFoto::Bien) return r;
    CreateDirectoryA(carpeta.c_str(), nullptr);
    if (!EscribirArchivoEntero(destino.c_str(), foto.bmp.data(), static_cast<int64_t>(foto.bmp.size())))
      return LecturaFoto::NoAbre;
    cronometro.Anotar(Medida::Preparacion);
  }
  AnotarNombre(carpeta, huella, ruta);
  *rutaBmp = destino;
  return LecturaFoto::Bien;
}

std::string CarpetaConvertidas() { return RutaDatos("Image\\Cache\\"); }
