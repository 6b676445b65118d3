#include "Manifiesto.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>

#include "ArchivoRecursos.h"
#include "Troquel.h"

namespace {

bool Entero(const std::string& s, int64_t* v) {
  if (s.empty() || s.size() > 9 || s.find_first_not_of("0123456789") != std::string::npos) return false;
  *v = std::stoll(s);
  return true;
}

// "N", "<=N", ">=N" or "N..M".
bool LeerMedida(const std::string& s, Medida* m) {
  int64_t a = 0, b = 0;
  if (s.rfind("<=", 0) == 0 && Entero(s.substr(2), &a)) return *m = {1, int32_t(a)}, a >= 1;
  if (s.rfind(">=", 0) == 0 && Entero(s.substr(2), &a)) return *m = {int32_t(a), INT32_MAX}, a >= 1;
  const size_t puntos = s.find("..");
  if (puntos != std::string::npos && Entero(s.substr(0, puntos), &a) && Entero(s.substr(puntos + 2), &b))
    return *m = {int32_t(a), int32_t(b)}, a >= 1 && a <= b;
  return Entero(s, &a) && a >= 1 && (*m = {int32_t(a), int32_t(a)}, true);
}

const std::map<std::string, Disposicion> kDisposiciones = {
    {"single", Disposicion::kUnica}, {"cmd3", Disposicion::kCmd3},     {"chk4", Disposicion::kChk4},
    {"anim10", Disposicion::kAnim10}, {"rows2", Disposicion::kFilas2}, {"rows6", Disposicion::kFilas6},
    {"knob", Disposicion::kPomo},     {"scroll", Disposicion::kScroll}, {"die", Disposicion::kTroquel}};

// Frames across and down of each layout.
void Marcos(Disposicion d, int* columnas, int* filas) {
  *columnas = d == Disposicion::kAnim10 ? 10 : 1;
  switch (d) {
    case Disposicion::kCmd3: case Disposicion::kScroll: *filas = 3; break;
    case Disposicion::kChk4: *filas = 4; break;
    case Disposicion::kFilas2: case Disposicion::kPomo: *filas = 2; break;
    case Disposicion::kFilas6: *filas = 6; break;
    default: *filas = 1;
  }
}

std::string Texto(const Medida& m) {
  if (m.minimo == m.maximo) return std::to_string(m.minimo);
  if (m.maximo == INT32_MAX) return ">=" + std::to_string(m.minimo);
  if (m.minimo == 1) return "<=" + std::to_string(m.maximo);
  return std::to_string(m.minimo) + ".." + std::to_string(m.maximo);
}

bool Dentro(const Medida& m, int64_t v) { return v >= m.minimo && v <= m.maximo; }

// Pixel (x, y), y counted from the top, of an 8-bit block.
uint8_t Indice(const BloqueImagen& b, int32_t x, int32_t y) {
  const CabeceraInfoBMP& c = b.cabecera;
  const int64_t stride = StrideRecurso(c.biWidth, 8);
  return b.datos[40 + 4 * size_t(c.biClrUsed) + size_t(stride * (c.biHeight - 1 - y) + x)];
}

void ComprobarPomo(const BloqueImagen& b, std::vector<std::string>* problemas, const std::string& quien) {
  const int32_t w = b.cabecera.biWidth, h = b.cabecera.biHeight / 2;
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint8_t mascara = Indice(b, x, y + h), figura = Indice(b, x, y);
      if (mascara != 0 && mascara != 255)
        return problemas->push_back(quien + "mask index " + std::to_string(mascara) + " at (" + std::to_string(x) +
                                    ", " + std::to_string(y + h) + "); a mask holds only 0 and 255");
      if (mascara == 255 && figura != 0)
        return problemas->push_back(quien + "sprite is not 0 where its mask shows the background, at (" +
                                    std::to_string(x) + ", " + std::to_string(y) + ")");
    }
}

void ComprobarTroquel(const BloqueImagen& b, std::vector<std::string>* problemas, const std::string& quien) {
  if (b.cabecera.biWidth != kLadoTroquel || b.cabecera.biHeight != kLadoTroquel) return;  // reported as a size
  std::vector<uint8_t> etiquetas(size_t(kLadoTroquel) * kLadoTroquel);
  for (int32_t y = 0; y < kLadoTroquel; ++y)
    for (int32_t x = 0; x < kLadoTroquel; ++x) etiquetas[size_t(y) * kLadoTroquel + x] = Indice(b, x, y);
  const std::string problema = ValidarTroquel(etiquetas);
  if (!problema.empty()) problemas->push_back(quien + "die: " + problema);
}

// The checks that need only the picture and its own rule.
void ComprobarUno(const Regla& r, const BloqueImagen& b, std::vector<std::string>* problemas) {
  const std::string quien = std::to_string(r.numero) + " (manifest line " + std::to_string(r.linea) + "): ";
  const CabeceraInfoBMP& c = b.cabecera;
  const size_t antes = problemas->size();
  if (c.biBitCount != 8 && c.biBitCount != 24)
    return problemas->push_back(quien + std::to_string(c.biBitCount) + "-bit picture");
  if (r.bits && c.biBitCount != r.bits)
    problemas->push_back(quien + std::to_string(c.biBitCount) + "-bit, expected " + std::to_string(r.bits) + "-bit");
  if (c.biBitCount == 8 && c.biClrUsed != 256)
    problemas->push_back(quien + "8-bit with " + std::to_string(c.biClrUsed) + " colours; the table must hold 256");
  if (c.biBitCount == 24 && c.biClrUsed != 0)
    problemas->push_back(quien + "24-bit with a colour table of " + std::to_string(c.biClrUsed));
  const int64_t exacto = StrideRecurso(c.biWidth, c.biBitCount) * c.biHeight;
  if (c.biSizeImage != exacto)
    problemas->push_back(quien + "image size " + std::to_string(c.biSizeImage) + ", expected exactly " +
                         std::to_string(exacto));
  if (problemas->size() != antes) return;

  int columnas = 1, filas = 1;
  Marcos(r.disposicion, &columnas, &filas);
  if (r.disposicion == Disposicion::kScroll && c.biHeight != 480)
    return problemas->push_back(quien + "scroll strip " + std::to_string(c.biHeight) + " high; it must be 480");
  if (c.biWidth % columnas || c.biHeight % filas)
    return problemas->push_back(quien + std::to_string(c.biWidth) + "x" + std::to_string(c.biHeight) +
                                " does not divide into " + std::to_string(columnas) + "x" + std::to_string(filas) +
                                " frames");
  const int64_t w = c.biWidth / columnas, h = c.biHeight / filas;
  if (!Dentro(r.ancho, w) || !Dentro(r.alto, h))
    problemas->push_back(quien + "frame " + std::to_string(w) + "x" + std::to_string(h) + ", expected " +
                         Texto(r.ancho) + "x" + Texto(r.alto));
  if (r.disposicion == Disposicion::kPomo && c.biBitCount == 8) ComprobarPomo(b, problemas, quien);
  if (r.disposicion == Disposicion::kTroquel && c.biBitCount == 8) ComprobarTroquel(b, problemas, quien);
}

}  // namespace

std::vector<Regla> LeerManifiesto(const std::string& ruta) {
  std::ifstream f(ruta);
  if (!f) throw std::runtime_error("cannot read the manifest " + ruta);
  std::vector<Regla> reglas;
  std::set<uint32_t> vistos;
  std::string linea;
  for (int n = 1; std::getline(f, linea); ++n) {
    std::istringstream campos(linea.substr(0, linea.find('#')));
    std::vector<std::string> c;
    for (std::string s; campos >> s;) c.push_back(s);
    if (c.empty()) continue;
    const std::string donde = ruta + ":" + std::to_string(n) + ": ";
    if (c.size() != 7) throw std::runtime_error(donde + "expected 7 fields");
    Regla r;
    r.linea = n;
    int64_t primero = 0, ultimo = 0;
    const size_t guion = c[0].find('-');
    if (!Entero(c[0].substr(0, guion), &primero) ||
        !Entero(guion == std::string::npos ? c[0] : c[0].substr(guion + 1), &ultimo) || ultimo < primero)
      throw std::runtime_error(donde + "bad picture number " + c[0]);
    const size_t x = c[1].find('x');
    if (x == std::string::npos || !LeerMedida(c[1].substr(0, x), &r.ancho) || !LeerMedida(c[1].substr(x + 1), &r.alto))
      throw std::runtime_error(donde + "bad frame size " + c[1]);
    if (c[2] == "8" || c[2] == "24") r.bits = std::stoi(c[2]);
    else if (c[2] != "8|24") throw std::runtime_error(donde + "bad depth " + c[2]);
    const auto d = kDisposiciones.find(c[3]);
    if (d == kDisposiciones.end()) throw std::runtime_error(donde + "unknown layout " + c[3]);
    r.disposicion = d->second;
    if (c[4] != "-") r.grupo = c[4];
    int64_t igual = 0;
    if (c[5] != "-" && (c[5][0] != '=' || !Entero(c[5].substr(1), &igual)))
      throw std::runtime_error(donde + "bad size reference " + c[5]);
    r.igualA = uint32_t(igual);
    r.origen = c[6];
    for (int64_t numero = primero; numero <= ultimo; ++numero) {
      r.numero = uint32_t(numero);
      if (!vistos.insert(r.numero).second)
        throw std::runtime_error(donde + "picture number " + std::to_string(numero) + " repeated");
      reglas.push_back(r);
    }
  }
  if (reglas.size() > kMaxEntradasRecursos) throw std::runtime_error(ruta + ": too many pictures");
  return reglas;
}

std::vector<std::string> ComprobarManifiesto(const std::vector<Regla>& reglas,
                                             const std::vector<BloqueImagen>& bloques) {
  std::vector<std::string> problemas;
  std::map<uint32_t, const BloqueImagen*> porNumero;
  for (const BloqueImagen& b : bloques)
    if (!porNumero.emplace(b.numero, &b).second)
      problemas.push_back(std::to_string(b.numero) + ": present more than once");
  std::set<uint32_t> conocidos;
  // The first member of each group sets the table the others must share.
  std::map<std::string, const BloqueImagen*> grupos;
  for (const Regla& r : reglas) {
    conocidos.insert(r.numero);
    const auto b = porNumero.find(r.numero);
    if (b == porNumero.end()) {
      problemas.push_back(std::to_string(r.numero) + " (manifest line " + std::to_string(r.linea) + "): missing");
      continue;
    }
    const size_t antes = problemas.size();
    ComprobarUno(r, *b->second, &problemas);
    if (problemas.size() != antes) continue;
    const CabeceraInfoBMP& c = b->second->cabecera;
    if (r.igualA) {
      const auto otro = porNumero.find(r.igualA);
      if (otro != porNumero.end() &&
          (otro->second->cabecera.biWidth != c.biWidth || otro->second->cabecera.biHeight != c.biHeight))
        problemas.push_back(std::to_string(r.numero) + ": size differs from picture " + std::to_string(r.igualA) +
                            ", which it replaces in place");
    }
    if (r.grupo.empty()) continue;
    const auto [g, nuevo] = grupos.emplace(r.grupo, b->second);
    if (nuevo) continue;
    const BloqueImagen& ancla = *g->second;
    const size_t tabla = 40 + 4 * size_t(c.biClrUsed);
    if (ancla.cabecera.biBitCount != c.biBitCount || ancla.cabecera.biClrUsed != c.biClrUsed ||
        std::memcmp(ancla.datos.data() + 40, b->second->datos.data() + 40, tabla - 40) != 0)
      problemas.push_back(std::to_string(r.numero) + ": colour table differs from " + std::to_string(ancla.numero) +
                          ", the first picture of group " + r.grupo);
  }
  for (const BloqueImagen& b : bloques)
    if (!conocidos.count(b.numero)) problemas.push_back(std::to_string(b.numero) + ": not in the manifest");
  return problemas;
}

bool LeerBloque(uint32_t numero, std::vector<uint8_t> datos, BloqueImagen* bloque, std::string* problema) {
  if (datos.size() < 40) return *problema = "shorter than its header", false;
  const uint8_t* p = datos.data();
  CabeceraInfoBMP c{LeerU32(p),      LeerI32(p + 4),  LeerI32(p + 8),  LeerU16(p + 12), LeerU16(p + 14), LeerU32(p + 16),
                    LeerU32(p + 20), LeerI32(p + 24), LeerI32(p + 28), LeerU32(p + 32), LeerU32(p + 36)};
  if (const char* motivo = ValidarCabeceraRecurso(c, 0, datos.size())) return *problema = motivo, false;
  const uint64_t tam = 40 + 4 * uint64_t(c.biClrUsed) + c.biSizeImage;
  if (tam > datos.size()) return *problema = "block shorter than its header says", false;
  // The pixel checks read whole rows: a short image size is a problem of
  // its own, reported by the manifest check before any row is read.
  const int64_t exacto = StrideRecurso(c.biWidth, c.biBitCount) * c.biHeight;
  datos.resize(std::max<uint64_t>(tam, 40 + 4 * uint64_t(c.biClrUsed) + uint64_t(exacto)));
  *bloque = {numero, c, std::move(datos)};
  return true;
}
