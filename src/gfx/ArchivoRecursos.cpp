#include "ArchivoRecursos.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "ArchivoDisco.h"
#include "Depuracion.h"
#include "Verificar.h"

namespace {

struct EntradaRecursos {
  uint32_t numero;
  uint64_t desplazamiento;
};

// Process-wide: the one open archive and its directory.
ArchivoDisco g_archivo;
std::vector<EntradaRecursos> g_directorio;
uint64_t g_inicioDirectorio = 0;
AvisoArchivoDañado g_aviso = nullptr;

void Informar(const std::string& texto) { SalidaDepuracion((texto + "\r\n").c_str()); }

CabeceraInfoBMP LeerCabecera(const uint8_t* b) {
  CabeceraInfoBMP c;
  c.biSize = LeerU32(b);
  c.biWidth = LeerI32(b + 4);
  c.biHeight = LeerI32(b + 8);
  c.biPlanes = LeerU16(b + 12);
  c.biBitCount = LeerU16(b + 14);
  c.biCompression = LeerU32(b + 16);
  c.biSizeImage = LeerU32(b + 20);
  c.biXPelsPerMeter = LeerI32(b + 24);
  c.biYPelsPerMeter = LeerI32(b + 28);
  c.biClrUsed = LeerU32(b + 32);
  c.biClrImportant = LeerU32(b + 36);
  return c;
}

bool LeerDirectorio(int64_t tamañoArchivo) {
  uint8_t bytesN[4];
  if (tamañoArchivo < 4 || !g_archivo.Posicionar(tamañoArchivo - 4) || !g_archivo.LeerExacto(bytesN, 4))
    return false;
  const uint64_t n = LeerU32(bytesN);
  if (4 + kTamEntradaRecursos * n > static_cast<uint64_t>(tamañoArchivo)) return false;
  g_inicioDirectorio = static_cast<uint64_t>(tamañoArchivo) - 4 - kTamEntradaRecursos * n;
  std::vector<uint8_t> bytes(kTamEntradaRecursos * n);
  if (!g_archivo.Posicionar(static_cast<int64_t>(g_inicioDirectorio)) ||
      !g_archivo.LeerExacto(bytes.data(), static_cast<int64_t>(bytes.size())))
    return false;
  g_directorio.resize(n);
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t* e = bytes.data() + kTamEntradaRecursos * i;
    g_directorio[i] = {LeerU32(e), LeerU64(e + 8)};
  }
  return true;
}

// The first reachable entry of `numero`, or null.
const EntradaRecursos* Buscar(uint32_t numero) {
  const size_t alcance = std::min<size_t>(g_directorio.size(), kMaxEntradasRecursos);
  const auto fin = g_directorio.begin() + static_cast<std::ptrdiff_t>(alcance);
  const auto entrada =
      std::find_if(g_directorio.begin(), fin, [numero](const EntradaRecursos& e) { return e.numero == numero; });
  return entrada == fin ? nullptr : &*entrada;
}

std::string Rechazo(uint32_t numero) { return "bitmap " + std::to_string(numero) + " del .rf rechazado: "; }

// Reads and checks the header of `entrada`, leaving the file just past it;
// false, reported, when it is unreadable or breaks the rules.
bool LeerCabeceraValida(const EntradaRecursos& entrada, uint8_t (&bytes)[sizeof(CabeceraInfoBMP)],
                        CabeceraInfoBMP* cabecera) {
  if (entrada.desplazamiento > g_inicioDirectorio ||
      !g_archivo.Posicionar(static_cast<int64_t>(entrada.desplazamiento)) ||
      !g_archivo.LeerExacto(bytes, sizeof bytes)) {
    Informar(Rechazo(entrada.numero) + "cabecera ilegible");
    return false;
  }
  *cabecera = LeerCabecera(bytes);
  if (const char* motivo = ValidarCabeceraRecurso(*cabecera, entrada.desplazamiento, g_inicioDirectorio)) {
    Informar(Rechazo(entrada.numero) + motivo);
    return false;
  }
  return true;
}

}  // namespace

const char* ValidarCabeceraRecurso(const CabeceraInfoBMP& c, uint64_t desplazamiento, uint64_t finDatos) {
  if (c.biSize != sizeof(CabeceraInfoBMP) || c.biPlanes != 1 || c.biCompression != BI_RGB_)
    return "cabecera invalida";
  if (c.biBitCount != 8 && c.biBitCount != 24) return "profundidad no soportada";
  // The width limit keeps every 32-bit row computation of the drawing code
  // from overflowing.
  if (c.biWidth < 1 || c.biHeight < 1 || c.biWidth > (INT32_MAX - 3) / 3) return "tamaño invalido";
  if (c.biClrUsed > 256) return "demasiados colores";
  if (static_cast<uint64_t>(StrideRecurso(c.biWidth, c.biBitCount)) * static_cast<uint64_t>(c.biHeight) >
      c.biSizeImage)
    return "biSizeImage demasiado pequeño";
  const uint64_t bloque = sizeof(CabeceraInfoBMP) + 4ull * c.biClrUsed + c.biSizeImage;
  if (desplazamiento > finDatos || bloque > finDatos - desplazamiento) return "el bloque sale del archivo";
  return nullptr;
}

bool AbrirArchivoRecursos(const char* ruta) {
  if (Verificar(g_archivo.Abierto(), "el path debe ser declarado una vez")) return false;
  // An installation can lack the archive: report it and let the program
  // tell the player.
  if (!ruta || !ExisteArchivo(ruta)) {
    Informar("el archivo especificado no se encontro");
    return false;
  }
  if (!g_archivo.AbrirLectura(ruta, false)) {
    Informar("el archivo especificado no pudo ser abierto");
    return false;
  }
  bool leido = false;
  try {
    leido = LeerDirectorio(g_archivo.Tamaño());
  } catch (const std::bad_alloc&) {
    leido = false;
  }
  if (!leido) {
    CerrarArchivoRecursos();
    Informar("el archivo especificado no pudo ser abierto");
    return false;
  }
  return true;
}

void CerrarArchivoRecursos() {
  g_archivo.Cerrar();
  std::vector<EntradaRecursos>().swap(g_directorio);
  g_inicioDirectorio = 0;
}

bool ArchivoRecursosAbierto() { return g_archivo.Abierto(); }

int32_t NumerosArchivoRecursos(uint32_t* destino, int32_t max) {
  const int32_t n = static_cast<int32_t>(std::min<size_t>(g_directorio.size(), kMaxEntradasRecursos));
  for (int32_t i = 0; destino && i < std::min(n, max); ++i) destino[i] = g_directorio[i].numero;
  return n;
}

bool LeerImagenRecursos(uint32_t numero, HIMAGE* nueva) {
  if (Verificar(!g_archivo.Abierto(), "no ha sido declarado el .rf")) return false;
  const auto dañado = [numero] {
    if (g_aviso) g_aviso(numero);
    return false;
  };
  const EntradaRecursos* entrada = Buscar(numero);
  if (!entrada) {
    Informar("este bitmap no esta registrado en el .rf: " + std::to_string(numero));
    return dañado();
  }
  uint8_t bytes[sizeof(CabeceraInfoBMP)];
  CabeceraInfoBMP cabecera;
  if (!LeerCabeceraValida(*entrada, bytes, &cabecera)) return dañado();

  HIMAGE imagen = AsignarHIMAGE(cabecera.biSizeImage);
  if (!imagen) return false;
  std::memcpy(imagen, bytes, sizeof bytes);
  if (!g_archivo.LeerExacto(ColoresHIMAGE(imagen), 4ll * cabecera.biClrUsed) ||
      !g_archivo.LeerExacto(PixelesHIMAGE(imagen), cabecera.biSizeImage)) {
    LiberarHIMAGE(imagen);
    Informar(Rechazo(numero) + "lectura incompleta");
    return dañado();
  }
  *nueva = imagen;
  return true;
}

void AvisarArchivoDañado(AvisoArchivoDañado aviso) { g_aviso = aviso; }

bool ComprobarArchivoRecursos(std::span<const uint32_t> necesarios) {
  if (Verificar(!g_archivo.Abierto(), "no ha sido declarado el .rf")) return false;
  const size_t alcance = std::min<size_t>(g_directorio.size(), kMaxEntradasRecursos);
  for (size_t i = 0; i < alcance; ++i) {
    uint8_t bytes[sizeof(CabeceraInfoBMP)];
    CabeceraInfoBMP cabecera;
    if (!LeerCabeceraValida(g_directorio[i], bytes, &cabecera)) return false;
  }
  for (const uint32_t numero : necesarios)
    if (!Buscar(numero)) {
      Informar("falta el bitmap " + std::to_string(numero) + " en el .rf");
      return false;
    }
  return true;
}
