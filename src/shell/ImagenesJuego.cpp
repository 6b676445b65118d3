#include "ImagenesJuego.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "Foto.h"
#include "ListaArchivos.h"
#include "ObjetosGDI.h"

namespace {

constexpr int64_t kBytesComparados = 512LL * 1024 * 1024;

uint64_t Tamaño(const WIN32_FIND_DATAW& d) {
  return (static_cast<uint64_t>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
}

// The print of a file's bytes; false when it cannot be read whole.
bool HuellaArchivo(const std::wstring& ruta, uint64_t* huella) {
  const ArchivoAbierto f(CreateFileW(ruta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!f) return false;
  uint64_t h = HuellaBytes(nullptr, 0);
  std::vector<uint8_t> tramo(1 << 20);
  DWORD leidos = 0;
  bool bien = true;
  int64_t total = 0;
  while ((bien = ReadFile(f.Get(), tramo.data(), static_cast<DWORD>(tramo.size()), &leidos, nullptr)) && leidos > 0) {
    h = HuellaBytes(tramo.data(), leidos, h);
    if ((total += leidos) > kBytesComparados) {
      bien = false;
      break;
    }
  }
  *huella = h;
  return bien;
}

// Whether the system code page spells `nombre` exactly.
bool SinPerdida(const std::wstring& nombre, std::string* ansi) {
  BOOL perdida = FALSE;
  const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nombre.c_str(), -1, nullptr, 0, nullptr, &perdida);
  if (n < 1 || perdida) return false;
  ansi->assign(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, nombre.c_str(), -1, ansi->data(), n, nullptr, &perdida);
  ansi->resize(static_cast<size_t>(n - 1));
  return !perdida;
}

const char* Extension(TipoImagen tipo) {
  switch (tipo) {
    case TipoImagen::Bmp: return ".bmp";
    case TipoImagen::Jpeg: return ".jpg";
    case TipoImagen::Png: return ".png";
    case TipoImagen::Gif: return ".gif";
    case TipoImagen::Tiff: return ".tif";
    default: return "";
  }
}

TipoImagen TipoArchivo(const std::wstring& ruta) {
  const ArchivoAbierto f(CreateFileW(ruta.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  uint8_t cabecera[16] = {};
  DWORD leidos = 0;
  return f && ReadFile(f.Get(), cabecera, sizeof cabecera, &leidos, nullptr) ? DetectarTipoImagen(cabecera, leidos)
                                                                             : TipoImagen::Desconocido;
}

std::wstring NombreDeRuta(const std::wstring& ruta) {
  const size_t barra = ruta.find_last_of(L"\\/:");
  return barra == std::wstring::npos ? ruta : ruta.substr(barra + 1);
}

}  // namespace

std::vector<ImagenJuego> ListarImagenes(const std::string& carpeta) {
  std::vector<ImagenJuego> lista;
  WIN32_FIND_DATAW d{};
  const BusquedaArchivos busqueda(FindFirstFileW((AnchaDeAnsi(carpeta) + L"*").c_str(), &d));
  if (!busqueda) return lista;
  do {
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string nombre = Utf8DeAncha(d.cFileName);
    if (!nombre.empty() && EsNombreImagen(nombre.c_str()))
      lista.push_back({carpeta, std::move(nombre), Tamaño(d)});
  } while (FindNextFileW(busqueda.Get(), &d));
  std::sort(lista.begin(), lista.end(),
            [](const ImagenJuego& a, const ImagenJuego& b) { return MenorNatural(a.nombre.c_str(), b.nombre.c_str()); });
  return lista;
}

std::vector<ImagenJuego> ListarImagenes(const std::string& programa, const std::string& propias) {
  std::vector<ImagenJuego> lista = ListarImagenes(programa);
  if (_stricmp(programa.c_str(), propias.c_str()) != 0) {
    std::vector<ImagenJuego> otras = ListarImagenes(propias);
    lista.insert(lista.end(), std::make_move_iterator(otras.begin()), std::make_move_iterator(otras.end()));
  }
  return lista;
}

LecturaFoto RutaJugable(const std::wstring& ruta, const std::string& cache, std::string* rutaBmp) {
  std::string ansi;
  // A bitmap is played as it is, as the shipped ones are (the cut says
  // which it cannot take); only a name the code page cannot spell needs a copy.
  if (!EsNombreFoto(Utf8DeAncha(ruta)) && SinPerdida(ruta, &ansi)) {
    *rutaBmp = ansi;
    return LecturaFoto::Bien;
  }
  return PrepararFoto(ruta.c_str(), kFondoFotos, cache, rutaBmp);
}

ImagenAgregada AgregarImagen(const std::wstring& ruta, const std::string& carpeta, const std::string& programa) {
  ImagenAgregada r;
  std::string convertida;
  r.lectura = PrepararFoto(ruta.c_str(), kFondoFotos, carpeta + "Cache\\", &convertida);
  if (r.lectura != LecturaFoto::Bien) return r;

  // The same bytes already among the game's pictures, under any name.
  WIN32_FILE_ATTRIBUTE_DATA atributos{};
  uint64_t huella = 0;
  if (!GetFileAttributesExW(ruta.c_str(), GetFileExInfoStandard, &atributos) || !HuellaArchivo(ruta, &huella)) {
    r.lectura = LecturaFoto::NoAbre;
    return r;
  }
  const uint64_t bytes = (static_cast<uint64_t>(atributos.nFileSizeHigh) << 32) | atributos.nFileSizeLow;
  const std::wstring carpetaAncha = AnchaDeAnsi(carpeta), programaAncha = AnchaDeAnsi(programa);
  for (const ImagenJuego& i : ListarImagenes(programa.empty() ? carpeta : programa, carpeta)) {
    uint64_t otra = 0;
    if (i.bytes == bytes && HuellaArchivo(AnchaDeAnsi(i.carpeta) + AnchaDeUtf8(i.nombre), &otra) && otra == huella) {
      r.repetida = true;
      r.carpeta = i.carpeta;
      r.nombre = i.nombre;
      return r;
    }
  }

  std::string nombre = Utf8DeAncha(NombreDeRuta(ruta));
  if (!EsNombreImagen(nombre.c_str())) nombre += Extension(TipoArchivo(ruta));
  // A name taken among the shipped pictures too: "3.bmp" would pass for one.
  auto existe = [](const std::wstring& p) { return GetFileAttributesW(p.c_str()) != INVALID_FILE_ATTRIBUTES; };
  nombre = NombreLibre(nombre, [&](const std::string& n) {
    return existe(carpetaAncha + AnchaDeUtf8(n)) || (!programa.empty() && existe(programaAncha + AnchaDeUtf8(n)));
  });
  // Copied under a name the list ignores, then given its own: a copy cut
  // short leaves no picture behind.
  const std::wstring destino = carpetaAncha + AnchaDeUtf8(nombre);
  const std::wstring temporal = destino + L".tmp";
  if (nombre.empty() || !CopyFileW(ruta.c_str(), temporal.c_str(), FALSE) ||
      !MoveFileExW(temporal.c_str(), destino.c_str(), MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporal.c_str());
    r.lectura = LecturaFoto::NoAbre;
    return r;
  }
  r.carpeta = carpeta;
  r.nombre = nombre;
  return r;
}

ImagenesAgregadas AgregarImagenes(const std::vector<std::wstring>& rutas, const std::string& carpeta,
                                  const std::string& programa) {
  ImagenesAgregadas r;
  for (const std::wstring& ruta : rutas) {
    ImagenAgregada una = AgregarImagen(ruta, carpeta, programa);
    if (una.lectura == LecturaFoto::Bien) r.elegida = una;
    if (una.lectura != LecturaFoto::Bien || una.repetida) r.sinAgregar.emplace_back(ruta, std::move(una));
  }
  return r;
}

std::string ListaSinAgregar(const std::vector<std::pair<std::wstring, ImagenAgregada>>& sinAgregar,
                            const std::string& motivos, size_t maximo) {
  std::vector<std::string> razon;
  for (size_t desde = 0;;) {
    const size_t barra = motivos.find('|', desde);
    razon.push_back(motivos.substr(desde, barra == std::string::npos ? barra : barra - desde));
    if (barra == std::string::npos) break;
    desde = barra + 1;
  }
  razon.resize(5);
  const auto Razon = [&](const ImagenAgregada& a) -> const std::string& {
    switch (a.lectura) {
      case LecturaFoto::Bien: return razon[4];  // there already
      case LecturaFoto::NoEsImagen: return razon[0];
      case LecturaFoto::Dañada: return razon[1];
      case LecturaFoto::Enorme: return razon[2];
      default: return razon[3];
    }
  };
  std::string lista;
  for (size_t i = 0; i < sinAgregar.size() && i < maximo; ++i) {
    if (i) lista += '\n';
    lista += Utf8DeAncha(NombreDeRuta(sinAgregar[i].first));
    const std::string& r = Razon(sinAgregar[i].second);
    if (!r.empty()) lista += ": " + r;
  }
  if (sinAgregar.size() > maximo) lista += "\n\xE2\x80\xA6 +" + std::to_string(sinAgregar.size() - maximo);
  return lista;
}
