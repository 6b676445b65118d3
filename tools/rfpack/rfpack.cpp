// rfpack: builds, checks and lists the resource archive (Tessera.rf).
//
//   rfpack -o OUT.rf --manifest MANIFEST DIR
//                             pack DIR/<number>.bmp for every picture of the
//                             manifest, refusing pictures that break it
//   rfpack --check MANIFEST DIR|ARCHIVE.rf
//                             only check the pictures (or a built archive)
//   rfpack -o OUT.rf [LIST]   pack the pictures LIST names (none: an empty archive)
//   rfpack --list ARCHIVE.rf  print the directory
//
// LIST holds one picture a line, "<number> <path to .bmp>", the path taken
// from the list's folder unless absolute; '#' starts a comment. Pictures are
// uncompressed 8- or 24-bit BMP files and go into the archive in list order,
// so the same inputs always give the same bytes. The archive is written
// beside OUT and only renamed into place when complete.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "ArchivoBMP.h"
#include "ArchivoDisco.h"
#include "ArchivoRecursos.h"
#include "Binario.h"
#include "Manifiesto.h"

namespace {

struct Entrada {
  uint32_t numero = 0;
  std::string ruta;
  int linea = 0;
};

struct Error {
  std::string texto;
};

std::string Carpeta(const std::string& ruta) {
  size_t barra = ruta.find_last_of("/\\");
  return barra == std::string::npos ? std::string() : ruta.substr(0, barra + 1);
}

bool EsAbsoluta(const std::string& ruta) {
  return !ruta.empty() && (ruta[0] == '/' || ruta[0] == '\\' || (ruta.size() > 1 && ruta[1] == ':'));
}

std::string Recortar(const std::string& s) {
  size_t a = s.find_first_not_of(" \t\r\n");
  if (a == std::string::npos) return std::string();
  size_t b = s.find_last_not_of(" \t\r\n");
  return s.substr(a, b - a + 1);
}

bool LeerNumero(const std::string& texto, uint32_t* numero) {
  if (texto.empty() || texto.size() > 10) return false;
  uint64_t valor = 0;
  for (char c : texto) {
    if (c < '0' || c > '9') return false;
    valor = valor * 10 + static_cast<uint64_t>(c - '0');
  }
  if (valor > UINT32_MAX) return false;
  *numero = static_cast<uint32_t>(valor);
  return true;
}

// The list file: entries in order, numbers unique, at most as many as the
// reader can reach.
std::vector<Entrada> LeerLista(const std::string& rutaLista) {
  std::ifstream lista(rutaLista);
  if (!lista) throw Error{"cannot read the list " + rutaLista};
  std::vector<Entrada> entradas;
  std::set<uint32_t> vistos;
  std::string linea;
  for (int n = 1; std::getline(lista, linea); ++n) {
    std::string texto = Recortar(linea.substr(0, linea.find('#')));
    if (texto.empty()) continue;
    const std::string donde = rutaLista + ":" + std::to_string(n) + ": ";
    size_t espacio = texto.find_first_of(" \t");
    Entrada e;
    e.linea = n;
    if (espacio == std::string::npos || !LeerNumero(texto.substr(0, espacio), &e.numero))
      throw Error{donde + "expected \"<number> <path>\""};
    e.ruta = Recortar(texto.substr(espacio));
    if (!EsAbsoluta(e.ruta)) e.ruta = Carpeta(rutaLista) + e.ruta;
    if (!vistos.insert(e.numero).second) throw Error{donde + "picture number " + std::to_string(e.numero) + " repeated"};
    entradas.push_back(e);
    if (entradas.size() > kMaxEntradasRecursos)
      throw Error{donde + "more than " + std::to_string(kMaxEntradasRecursos) + " pictures"};
  }
  if (lista.bad()) throw Error{"cannot read the list " + rutaLista};
  return entradas;
}

// Reads one BMP file into its archive form: 40-byte header, an explicit
// colour table for 8-bit pictures, bottom-up rows with zeroed padding.
// With `estricto`, a source whose own header leaves the colour count or the
// image size implicit is refused too.
BloqueImagen Empaquetar(const Entrada& e, bool estricto) {
  const std::string donde = e.ruta + ": ";
  ArchivoBMP bmp;
  if (!bmp.Abrir(e.ruta.c_str())) throw Error{donde + "missing, or not a readable BMP file"};
  CabeceraInfoBMP origen;
  if (!bmp.LeerCabecera(&origen)) throw Error{donde + "unreadable header"};
  const int bits = bmp.BitsPorPixel();
  if (bmp.Comprimido() || (bits != 8 && bits != 24))
    throw Error{donde + std::to_string(bits) + "-bit" + (bmp.Comprimido() ? " compressed" : "") +
                " picture; only uncompressed 8- and 24-bit pictures are accepted"};

  const uint32_t colores = bits == 8 ? static_cast<uint32_t>(bmp.Colores()) : 0;
  if (estricto && bits == 8 && origen.biClrUsed != 256)
    throw Error{donde + "8-bit picture whose header gives " + std::to_string(origen.biClrUsed) +
                " colours; it must say 256"};
  if (estricto && origen.biSizeImage != static_cast<uint64_t>(StrideRecurso(origen.biWidth, bits) * origen.biHeight))
    throw Error{donde + "image size " + std::to_string(origen.biSizeImage) + " in the header is not exact"};
  const int64_t stride = StrideRecurso(origen.biWidth, bits);
  const int64_t bytesImagen = stride * origen.biHeight;
  if (origen.biWidth > (INT32_MAX - 3) / 3 || bytesImagen + 40 + 4 * colores > UINT32_MAX)
    throw Error{donde + "picture too large"};

  CabeceraInfoBMP c{};
  c.biSize = sizeof(CabeceraInfoBMP);
  c.biWidth = origen.biWidth;
  c.biHeight = origen.biHeight;
  c.biPlanes = 1;
  c.biBitCount = static_cast<uint16_t>(bits);
  c.biCompression = BI_RGB_;
  c.biSizeImage = static_cast<uint32_t>(bytesImagen);
  c.biClrUsed = colores;

  BloqueImagen b;
  b.numero = e.numero;
  b.cabecera = c;
  b.datos.resize(sizeof c + 4 * colores + static_cast<size_t>(bytesImagen));
  uint8_t* p = b.datos.data();
  EscribirCabeceraInfoBMP(p, c);
  if (colores && !bmp.LeerColores(0, static_cast<int32_t>(colores), reinterpret_cast<ColorRGBQ*>(p + sizeof c)))
    throw Error{donde + "unreadable colour table"};
  uint8_t* filas = p + sizeof c + 4 * colores;
  if (!bmp.LeerPixeles(filas)) throw Error{donde + "unreadable or truncated pixels"};

  const int64_t usados = static_cast<int64_t>(origen.biWidth) * (bits / 8);
  for (int32_t y = 0; y < origen.biHeight; ++y) {
    uint8_t* fila = filas + y * stride;
    std::memset(fila + usados, 0, static_cast<size_t>(stride - usados));
    if (bits != 8) continue;
    // The picture is combined by index with others of its palette: every
    // index must name one of its colours.
    for (int64_t x = 0; x < usados; ++x)
      if (fila[x] >= colores)
        throw Error{donde + "pixel index " + std::to_string(fila[x]) + " beyond the " + std::to_string(colores) +
                    " colours of the table"};
  }
  return b;
}

// Blocks from offset 0 in order, then the directory and the count.
void EscribirArchivo(const std::string& destino, const std::vector<BloqueImagen>& bloques) {
  const std::string temporal = destino + ".tmp";
  ArchivoDisco salida;
  if (!salida.Crear(temporal.c_str())) throw Error{"cannot create " + temporal};
  try {
    std::vector<uint8_t> directorio;
    uint64_t desplazamiento = 0;
    for (const BloqueImagen& b : bloques) {
      if (!salida.Escribir(b.datos.data(), static_cast<int64_t>(b.datos.size())))
        throw Error{"cannot write " + temporal};
      uint8_t registro[kTamEntradaRecursos];
      EscribirU32(registro, b.numero);
      EscribirU32(registro + 4, static_cast<uint32_t>(b.datos.size()));
      EscribirU64(registro + 8, desplazamiento);
      directorio.insert(directorio.end(), registro, registro + sizeof registro);
      desplazamiento += b.datos.size();
    }
    uint8_t cuenta[4];
    EscribirU32(cuenta, static_cast<uint32_t>(bloques.size()));
    directorio.insert(directorio.end(), cuenta, cuenta + 4);
    if (!salida.Escribir(directorio.data(), static_cast<int64_t>(directorio.size())))
      throw Error{"cannot write " + temporal};
    salida.Cerrar();
    if (!ReemplazarArchivo(temporal.c_str(), destino.c_str())) throw Error{"cannot rename " + temporal + " to " + destino};
  } catch (...) {
    salida.Cerrar();
    BorrarArchivo(temporal.c_str());
    throw;
  }
}

// The directory of an open archive: its entries and where the data ends.
struct Directorio {
  uint64_t n = 0, inicio = 0;
  std::vector<uint8_t> entradas;
};

Directorio LeerDirectorio(ArchivoDisco& archivo, const std::string& ruta) {
  const int64_t tamaño = archivo.Tamaño();
  uint8_t b[4];
  if (tamaño < 4 || !archivo.Posicionar(tamaño - 4) || !archivo.LeerExacto(b, 4))
    throw Error{ruta + ": too short for an archive"};
  Directorio d;
  d.n = LeerU32(b);
  if (4 + kTamEntradaRecursos * d.n > static_cast<uint64_t>(tamaño))
    throw Error{ruta + ": directory of " + std::to_string(d.n) + " entries does not fit the file"};
  d.inicio = static_cast<uint64_t>(tamaño) - 4 - kTamEntradaRecursos * d.n;
  d.entradas.resize(kTamEntradaRecursos * d.n);
  if (!archivo.Posicionar(static_cast<int64_t>(d.inicio)) ||
      !archivo.LeerExacto(d.entradas.data(), static_cast<int64_t>(d.entradas.size())))
    throw Error{ruta + ": unreadable directory"};
  return d;
}

// Prints the directory, checking every picture as the program's reader does.
void Listar(const std::string& ruta) {
  ArchivoDisco archivo;
  if (!archivo.AbrirLectura(ruta.c_str())) throw Error{"cannot open " + ruta};
  const Directorio d = LeerDirectorio(archivo, ruta);
  const uint64_t n = d.n, inicioDirectorio = d.inicio;
  const std::vector<uint8_t>& directorio = d.entradas;
  uint8_t b[sizeof(CabeceraInfoBMP)];

  std::printf("%10s  %-13s  %5s  %7s\n", "number", "size", "bits", "colours");
  bool malos = false;
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t* e = directorio.data() + kTamEntradaRecursos * i;
    const uint32_t numero = LeerU32(e);
    const uint64_t desplazamiento = LeerU64(e + 8);
    CabeceraInfoBMP c{};
    const char* motivo = "unreadable header";
    if (desplazamiento <= inicioDirectorio && archivo.Posicionar(static_cast<int64_t>(desplazamiento)) &&
        archivo.LeerExacto(b, sizeof b)) {
      c = {LeerU32(b),      LeerI32(b + 4),  LeerI32(b + 8),  LeerU16(b + 12), LeerU16(b + 14), LeerU32(b + 16),
           LeerU32(b + 20), LeerI32(b + 24), LeerI32(b + 28), LeerU32(b + 32), LeerU32(b + 36)};
      motivo = ValidarCabeceraRecurso(c, desplazamiento, inicioDirectorio);
    }
    const std::string medida = std::to_string(c.biWidth) + " x " + std::to_string(c.biHeight);
    std::printf("%10" PRIu32 "  %-13s  %5u  %7" PRIu32 "%s%s\n", numero, medida.c_str(), c.biBitCount, c.biClrUsed,
                motivo ? "  INVALID: " : "", motivo ? motivo : "");
    if (i >= kMaxEntradasRecursos) std::printf("%10s  (beyond the reachable entries)\n", "");
    malos = malos || motivo != nullptr;
  }
  if (malos) throw Error{ruta + ": some pictures are invalid"};
}

// Every block of a built archive, checked as the program's reader checks it.
std::vector<BloqueImagen> LeerBloquesArchivo(const std::string& ruta) {
  ArchivoDisco archivo;
  if (!archivo.AbrirLectura(ruta.c_str())) throw Error{"cannot open " + ruta};
  const Directorio d = LeerDirectorio(archivo, ruta);
  const uint64_t n = d.n, fin = d.inicio;
  const std::vector<uint8_t>& directorio = d.entradas;
  uint8_t b[sizeof(CabeceraInfoBMP)];
  std::vector<BloqueImagen> bloques;
  for (uint64_t i = 0; i < n; ++i) {
    const uint8_t* e = directorio.data() + kTamEntradaRecursos * i;
    const uint32_t numero = LeerU32(e);
    const uint64_t desde = LeerU64(e + 8);
    const std::string quien = ruta + ": picture " + std::to_string(numero) + ": ";
    if (desde >= fin || fin - desde < sizeof b) throw Error{quien + "block outside the data"};
    std::vector<uint8_t> datos(sizeof b);
    if (!archivo.Posicionar(static_cast<int64_t>(desde)) || !archivo.LeerExacto(datos.data(), sizeof b))
      throw Error{quien + "unreadable header"};
    const uint64_t largo = 40 + 4 * uint64_t(LeerU32(datos.data() + 32)) + LeerU32(datos.data() + 20);
    if (largo > fin - desde) throw Error{quien + "block runs into the directory"};
    datos.resize(largo);
    if (!archivo.LeerExacto(datos.data() + sizeof b, static_cast<int64_t>(largo - sizeof b)))
      throw Error{quien + "unreadable block"};
    BloqueImagen bloque;
    std::string problema;
    if (!LeerBloque(numero, std::move(datos), &bloque, &problema)) throw Error{quien + problema};
    bloques.push_back(std::move(bloque));
  }
  return bloques;
}

// DIR/<number>.bmp for every picture of the manifest, in its order.
// A file that cannot be read is left out and its problem kept.
std::vector<BloqueImagen> LeerBloquesCarpeta(const std::vector<Regla>& reglas, const std::string& carpeta,
                                             std::vector<std::string>* problemas) {
  std::vector<BloqueImagen> bloques;
  for (const Regla& r : reglas) {
    try {
      bloques.push_back(Empaquetar({r.numero, carpeta + "/" + std::to_string(r.numero) + ".bmp", r.linea}, true));
    } catch (const Error& e) {
      problemas->push_back(e.texto);
    }
  }
  return bloques;
}

void Comprobar(const std::vector<Regla>& reglas, const std::vector<BloqueImagen>& bloques,
               std::vector<std::string> problemas = {}) {
  for (const std::string& p : ComprobarManifiesto(reglas, bloques))
    if (problemas.empty() || p.find(": missing") == std::string::npos) problemas.push_back(p);
  for (const std::string& p : problemas) std::fprintf(stderr, "rfpack: %s\n", p.c_str());
  if (!problemas.empty())
    throw Error{std::to_string(problemas.size()) + " picture(s) break the manifest"};
}

bool EsArchivo(const std::string& ruta) { return ruta.size() > 3 && ruta.compare(ruta.size() - 3, 3, ".rf") == 0; }

int Uso() {
  std::fprintf(stderr,
               "usage: rfpack -o OUT.rf --manifest MANIFEST DIR\n"
               "       rfpack --check MANIFEST DIR|ARCHIVE.rf\n"
               "       rfpack -o OUT.rf [LIST]\n"
               "       rfpack --list ARCHIVE.rf\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "--list") {
      Listar(args[1]);
      return 0;
    }
    if (args.size() == 5 && args[0] == "-o" && args[2] == "--manifest") {
      const std::vector<Regla> reglas = LeerManifiesto(args[3]);
      std::vector<std::string> problemas;
      const std::vector<BloqueImagen> bloques = LeerBloquesCarpeta(reglas, args[4], &problemas);
      Comprobar(reglas, bloques, problemas);
      EscribirArchivo(args[1], bloques);
      return 0;
    }
    if (args.size() == 3 && args[0] == "--check") {
      const std::vector<Regla> reglas = LeerManifiesto(args[1]);
      std::vector<std::string> problemas;
      const std::vector<BloqueImagen> bloques =
          EsArchivo(args[2]) ? LeerBloquesArchivo(args[2]) : LeerBloquesCarpeta(reglas, args[2], &problemas);
      Comprobar(reglas, bloques, problemas);
      std::printf("rfpack: %zu pictures match the manifest\n", reglas.size());
      return 0;
    }
    if ((args.size() == 2 || args.size() == 3) && args[0] == "-o") {
      std::vector<BloqueImagen> bloques;
      if (args.size() == 3)
        for (const Entrada& e : LeerLista(args[2])) bloques.push_back(Empaquetar(e, false));
      EscribirArchivo(args[1], bloques);
      return 0;
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "rfpack: %s\n", e.texto.c_str());
    return 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "rfpack: %s\n", e.what());
    return 1;
  }
  return Uso();
}
