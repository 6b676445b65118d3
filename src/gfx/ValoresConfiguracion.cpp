#include "ValoresConfiguracion.h"

#include <cctype>
#include <string_view>

namespace {

std::string_view Recortado(std::string_view s) {
  const size_t inicio = s.find_first_not_of(" \t\r\n");
  if (inicio == std::string_view::npos) return {};
  return s.substr(inicio, s.find_last_not_of(" \t\r\n") - inicio + 1);
}

bool MismoNombre(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// An on-off key: on only as the program writes it.
bool EsUno(const char* texto) { return texto && texto[0] == '1' && texto[1] == 0; }

}  // namespace

int32_t PistaDeTexto(const char* texto) {
  const int32_t pista = texto ? texto[0] - '0' : 0;
  return pista >= 0 && pista <= 4 ? pista : 0;
}

int32_t IdiomaDeTexto(const char* texto) {
  if (!texto || texto[0] < '0' || texto[0] >= '0' + kIdiomas || texto[1] != 0) return kIdiomaInicial;
  return texto[0] - '0';
}

bool FantasmaDeTexto(const char* texto) { return EsUno(texto); }

bool GiradasDeTexto(const char* texto) { return EsUno(texto); }

std::string PonerValorIni(std::string texto, const char* seccion, const char* clave, const char* valor) {
  const std::string linea = std::string(clave) + "=" + valor + "\r\n";
  if (!texto.empty() && texto.back() != '\n') texto += "\r\n";
  std::string salida;
  bool dentro = false;
  size_t finSeccion = 0;  // where the key goes when the section lacks it
  for (size_t desde = 0; desde < texto.size();) {
    const size_t fin = texto.find('\n', desde) + 1;
    const std::string_view original(texto.data() + desde, fin - desde);
    const std::string_view l = Recortado(original);
    desde = fin;
    const size_t igual = l.find('=');
    if (l.size() >= 2 && l.front() == '[' && l.back() == ']') {
      if (dentro) return salida.insert(finSeccion, linea) + texto.substr(fin - original.size());
      dentro = MismoNombre(Recortado(l.substr(1, l.size() - 2)), seccion);
    } else if (dentro && igual != l.npos && MismoNombre(Recortado(l.substr(0, igual)), clave)) {
      return salida + linea + texto.substr(fin);
    }
    salida += original;
    if (dentro && !l.empty()) finSeccion = salida.size();
  }
  if (dentro) return salida.insert(finSeccion, linea);
  return salida + "[" + seccion + "]\r\n" + linea;
}
