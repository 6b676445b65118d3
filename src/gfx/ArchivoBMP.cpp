#include "ArchivoBMP.h"

#include <cstring>
#include <memory>
#include <new>

#include "Depuracion.h"
#include "Verificar.h"

ArchivoBMP imagenActual;

namespace {

constexpr size_t kMaxRuta = 260;  // MAX_PATH, terminator included
constexpr int64_t kTamInfo = 40;  // the part of the info header that is kept
// Larger pictures are refused before anything is allocated; no photo a
// player would cut comes near this.
constexpr int64_t kLadoMaximo = 32768;
constexpr int64_t kMaxBytesImagen = INT32_MAX;
constexpr uint32_t kMaxColores = 256;

int64_t Magnitud(int32_t v) { return v < 0 ? -static_cast<int64_t>(v) : v; }

bool ProfundidadBMP(uint32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Arrays sized from the caller's target size: a failed allocation is a
// false result, never an exception.
template <typename T>
std::unique_ptr<T[]> Reservar(int64_t n) {
  return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(n)]());
}

}  // namespace

int64_t TamañoImagen(const CabeceraInfoBMP& cabecera) {
  if (cabecera.biWidth < 1) return 0;
  return BytesFila(cabecera.biWidth, cabecera.biBitCount) * Magnitud(cabecera.biHeight);
}

bool ArchivoBMP::Abrir(const char* ruta) {
  if (Verificar(ruta == nullptr, "Nombre de Archivo Invalido")) return false;
  const size_t largo = std::strlen(ruta);
  if (Verificar(largo >= kMaxRuta, "Path Muy Grande")) return false;
  Cerrar();
  if (!archivo_.AbrirLectura(ruta, true) || !LeerCabeceras()) {
    Cerrar();
    return false;
  }
  ruta_ = new char[largo + 1];
  std::memcpy(ruta_, ruta, largo + 1);
  return true;
}

bool ArchivoBMP::LeerCabeceras() {
  // File header (14 bytes, only the signature and the offset of the pixels
  // are used) and the 40 bytes every info header of interest starts with.
  uint8_t b[kTamCabeceraArchivoBMP + kTamInfo];
  const int64_t tamArchivo = archivo_.Tamaño();
  if (tamArchivo < static_cast<int64_t>(sizeof b) || !archivo_.LeerExacto(b, sizeof b)) return false;
  if (LeerU16(b) != kFirmaBMP) return false;
  const int64_t inicioPixeles = LeerU32(b + 10);

  const uint8_t* i = b + kTamCabeceraArchivoBMP;
  CabeceraInfoBMP c;
  c.biSize = LeerU32(i);
  c.biWidth = LeerI32(i + 4);
  c.biHeight = LeerI32(i + 8);
  c.biPlanes = LeerU16(i + 12);
  c.biBitCount = LeerU16(i + 14);
  c.biCompression = LeerU32(i + 16);
  c.biSizeImage = LeerU32(i + 20);
  c.biXPelsPerMeter = LeerI32(i + 24);
  c.biYPelsPerMeter = LeerI32(i + 28);
  c.biClrUsed = LeerU32(i + 32);
  c.biClrImportant = LeerU32(i + 36);
  tipo_ = 1;

  // Shorter (core) headers lay their fields out differently; longer ones
  // (108, 124 bytes) start with these 40 and are skipped past.
  if (c.biSize < kTamInfo) return false;
  if (c.biWidth < 1 || c.biWidth > kLadoMaximo) return false;
  // Height 0 is no picture; a negative one is a top-down file, taken by
  // its magnitude everywhere.
  const int64_t alto = Magnitud(c.biHeight);
  if (alto == 0 || alto > kLadoMaximo) return false;
  if (c.biPlanes != 1 || c.biCompression == BI_BITFIELDS_) return false;
  if (!ProfundidadBMP(c.biBitCount)) return false;
  // The table must fit the 256 entries of a picture block, and an indexed
  // picture cannot use more colours than its pixels can name.
  if (c.biClrUsed > kMaxColores) return false;
  if (c.biBitCount <= 8 && c.biClrUsed > (1u << c.biBitCount)) return false;
  if (TamañoImagen(c) > kMaxBytesImagen) return false;

  int32_t colores = static_cast<int32_t>(c.biClrUsed);
  if (colores == 0) {
    switch (c.biBitCount) {
      case 4: colores = 16; break;
      case 8: colores = 256; break;
      case 24:
      case 32: colores = 0; break;
      default: return false;
    }
  }

  // Table right after the info header, pixels where the file header says;
  // both inside the file, pixels not over the table (a gap is allowed).
  const int64_t inicioColores = kTamCabeceraArchivoBMP + static_cast<int64_t>(c.biSize);
  const int64_t finColores = inicioColores + 4 * static_cast<int64_t>(colores);
  if (finColores > tamArchivo || inicioPixeles < finColores || inicioPixeles >= tamArchivo) return false;

  comprimido_ = c.biCompression != BI_RGB_ ? 1 : 0;
  colores_ = colores;
  inicioColores_ = inicioColores;
  inicioPixeles_ = inicioPixeles;
  arribaAbajo_ = c.biHeight < 0;
  cabecera_ = new CabeceraInfoBMP(c);
  return true;
}

void ArchivoBMP::Cerrar() {
  archivo_.Cerrar();
  delete[] ruta_;
  ruta_ = nullptr;
  delete cabecera_;
  cabecera_ = nullptr;
  tipo_ = 0;
  comprimido_ = 0;
  colores_ = 0;
  inicioColores_ = 0;
  inicioPixeles_ = 0;
  arribaAbajo_ = false;
}

int32_t ArchivoBMP::Ruta(char* buffer, int32_t tamaño) const {
  if (!ruta_) return 0;
  const size_t largo = std::strlen(ruta_);
  if (Verificar(largo >= kMaxRuta, "error path almacenado demasiado largo(?)")) return 0;
  const int32_t necesario = static_cast<int32_t>(largo) + 1;
  if (buffer && tamaño >= necesario) std::memcpy(buffer, ruta_, static_cast<size_t>(necesario));
  return necesario;
}

Punto ArchivoBMP::Tamaño() const {
  if (!Abierto()) return {};
  return {cabecera_->biWidth, static_cast<int32_t>(Magnitud(cabecera_->biHeight))};
}

int32_t ArchivoBMP::BitsPorPixel() const { return Abierto() ? cabecera_->biBitCount : 0; }

bool ArchivoBMP::LeerCabecera(CabeceraInfoBMP* cabecera) const {
  if (Verificar(cabecera == nullptr, "Puntero Invalido")) return false;
  if (!Abierto()) return false;
  *cabecera = *cabecera_;
  // Only 40 bytes are handed out, with the colours right behind them, and
  // the rows always come bottom-up.
  cabecera->biSize = static_cast<uint32_t>(kTamInfo);
  cabecera->biHeight = static_cast<int32_t>(Magnitud(cabecera_->biHeight));
  return true;
}

bool ArchivoBMP::LeerColores(int32_t primero, int32_t cantidad, ColorRGBQ* buffer) {
  if (!Abierto()) return false;
  if (Verificar(primero < 0 || cantidad < 0 || static_cast<int64_t>(primero) + cantidad > colores_,
                "Valor invalido"))
    return false;
  if (Verificar(buffer == nullptr, "puntero invalido")) return false;
  return archivo_.Posicionar(inicioColores_ + 4 * static_cast<int64_t>(primero)) &&
         archivo_.LeerExacto(buffer, 4 * static_cast<int64_t>(cantidad));
}

bool ArchivoBMP::LeerInfo(void* info) {
  if (Verificar(info == nullptr, "Puntero Invalido")) return false;
  if (!Abierto()) return false;
  CabeceraInfoBMP c;
  LeerCabecera(&c);
  std::memcpy(info, &c, sizeof c);
  return LeerColores(0, colores_, reinterpret_cast<ColorRGBQ*>(static_cast<uint8_t*>(info) + sizeof c));
}

bool ArchivoBMP::LeerFila(int64_t fila, uint8_t* destino) {
  const int64_t bytes = BytesFila(cabecera_->biWidth, cabecera_->biBitCount);
  const int64_t enArchivo = arribaAbajo_ ? Magnitud(cabecera_->biHeight) - 1 - fila : fila;
  const int64_t posicion = inicioPixeles_ + enArchivo * bytes;
  // Consecutive rows need no seek.
  if (archivo_.Posicion() != posicion && !archivo_.Posicionar(posicion)) return false;
  return archivo_.LeerExacto(destino, bytes);
}

bool ArchivoBMP::LeerPixeles(void* buffer) {
  if (Verificar(buffer == nullptr, "Puntero Invalido")) return false;
  // Run-length data are no rows: handing them out as pixels would be garbage.
  if (!Abierto() || comprimido_) return false;
  auto* destino = static_cast<uint8_t*>(buffer);
  if (!arribaAbajo_) {
    // A short file fills what it holds and gives false.
    return archivo_.Posicionar(inicioPixeles_) && archivo_.LeerExacto(destino, TamañoImagen(*cabecera_));
  }
  const int64_t bytes = BytesFila(cabecera_->biWidth, cabecera_->biBitCount);
  const int64_t alto = Magnitud(cabecera_->biHeight);
  for (int64_t fila = 0; fila < alto; ++fila)
    if (!LeerFila(fila, destino + fila * bytes)) return false;
  return true;
}

bool ArchivoBMP::LeerFilas(int32_t primera, int32_t cantidad, void* buffer) {
  if (Verificar(buffer == nullptr, "Puntero Invalido")) return false;
  if (!Abierto() || comprimido_) return false;
  if (Verificar(primera < 0 || cantidad < 0 || int64_t{primera} + cantidad > Magnitud(cabecera_->biHeight),
                "Valores Invalidos"))
    return false;
  const int64_t bytes = BytesFila(cabecera_->biWidth, cabecera_->biBitCount);
  auto* destino = static_cast<uint8_t*>(buffer);
  for (int64_t n = 0; n < cantidad; ++n)
    if (!LeerFila(primera + n, destino + n * bytes)) return false;
  return true;
}

bool ArchivoBMP::Completo() const {
  return Abierto() && !comprimido_ && inicioPixeles_ + TamañoImagen(*cabecera_) <= archivo_.Tamaño();
}

bool ArchivoBMP::LeerEscalado(int32_t ancho, int32_t alto, void* buffer) {
  if (Verificar(ancho < 1 || alto == 0, "Valores Invalidos")) return false;
  if (Verificar(buffer == nullptr, "Puntero Invalido")) return false;
  if (!Abierto()) return false;
  const int32_t bits = cabecera_->biBitCount;
  if (bits != 4 && bits != 8 && bits != 24) {
    // Any depth can come from the player's folder: a refusal, not an assertion.
    SalidaDepuracion("esta funcion no soporta estos formatos\r\n");
    return false;
  }
  if (comprimido_) return false;

  const int64_t anchoFuente = cabecera_->biWidth;
  const int64_t filasFuente = Magnitud(cabecera_->biHeight);  // S
  const int64_t filasDestino = Magnitud(alto);                 // D
  const int64_t bytesFuente = BytesFila(anchoFuente, bits);
  const int64_t bytesDestino = BytesFila(ancho, bits);

  auto fuente = Reservar<int32_t>(filasDestino);
  auto columnas = Reservar<int32_t>(ancho);
  auto filaFuente = Reservar<uint8_t>(bytesFuente);
  auto filaDestino = Reservar<uint8_t>(bytesDestino);  // zeroed: padding stays 0
  if (!fuente || !columnas || !filaFuente || !filaDestino) return false;

  // Row plan: for each target row, the source row it shows, both counted
  // from the picture's bottom, so a top-down file samples like its
  // bottom-up twin. The step is a double and truncates toward zero.
  if (filasFuente < filasDestino) {
    // Enlarging: a new source row whenever the step lands on the target row.
    const double paso = static_cast<double>(filasDestino) / static_cast<double>(filasFuente);
    double siguiente = 0.0;
    int64_t tomadas = 0;
    for (int64_t i = 0; i < filasDestino; ++i) {
      // The accumulated step can fall a hair short of D and land once
      // more: there is no row past the last one to take.
      if (static_cast<int64_t>(siguiente) == i && tomadas < filasFuente) {
        siguiente += paso;
        ++tomadas;
      }
      fuente[i] = static_cast<int32_t>(tomadas - 1);
    }
  } else {
    // Shrinking (or same height): source rows on which the step lands.
    const double paso = static_cast<double>(filasFuente) / static_cast<double>(filasDestino);
    double siguiente = 0.0;
    int64_t escritas = 0;
    for (int64_t i = 0; i < filasFuente && escritas < filasDestino; ++i) {
      if (static_cast<int64_t>(siguiente) == i) {
        siguiente += paso;
        fuente[escritas++] = static_cast<int32_t>(i);
      }
    }
    for (; escritas < filasDestino; ++escritas) fuente[escritas] = fuente[escritas - 1];
  }

  const double escalaX = static_cast<double>(anchoFuente) / static_cast<double>(ancho);
  for (int64_t c = 0; c < ancho; ++c) {
    const int64_t x = static_cast<int64_t>(static_cast<double>(c) * escalaX);
    columnas[c] = static_cast<int32_t>(x < anchoFuente ? x : anchoFuente - 1);
  }

  auto* destino = static_cast<uint8_t*>(buffer);
  const uint8_t* origen = filaFuente.get();
  uint8_t* trabajo = filaDestino.get();
  int64_t convertida = -1;
  for (int64_t n = 0; n < filasDestino; ++n) {
    // Target rows in the order the file keeps their sources, so the file
    // is read forwards once.
    const int64_t t = arribaAbajo_ ? filasDestino - 1 - n : n;
    if (fuente[t] != convertida) {
      convertida = fuente[t];
      // A short file stops here; the rows already written stay written.
      if (!LeerFila(convertida, filaFuente.get())) return false;
      if (bits == 8) {
        for (int64_t c = 0; c < ancho; ++c) trabajo[c] = origen[columnas[c]];
      } else if (bits == 24) {
        for (int64_t c = 0; c < ancho; ++c) std::memcpy(trabajo + 3 * c, origen + 3 * columnas[c], 3);
      } else {
        // 4 bits: the high nibble holds the even column.
        std::memset(trabajo, 0, static_cast<size_t>(bytesDestino));
        for (int64_t c = 0; c < ancho; ++c) {
          const int32_t x = columnas[c];
          const uint8_t v = (x & 1) ? (origen[x >> 1] & 0x0F) : (origen[x >> 1] >> 4);
          trabajo[c >> 1] |= static_cast<uint8_t>((c & 1) ? v : v << 4);
        }
      }
    }
    // Bottom-up target unless a negative height asks for top-down.
    const int64_t salida = alto > 0 ? t : filasDestino - 1 - t;
    std::memcpy(destino + salida * bytesDestino, trabajo, static_cast<size_t>(bytesDestino));
  }
  return true;
}
