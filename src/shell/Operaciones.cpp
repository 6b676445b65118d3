#include "Operaciones.h"

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "Animacion.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"

namespace {

// An animated button's user value holds where its hover animation stands.
enum EstadoAnimado : LPARAM { kSubiendo = 0, kBajando = 1, kArriba = 2, kPulsado = 3 };
constexpr LRESULT kCuadroArriba = 8;   // the animation's last frame
constexpr LRESULT kCuadroPulsado = 9;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor = 0) { return SendMessageA(control, msg, 0, valor); }

void Correr(HWND control, bool correr) { Enviar(control, kMsgAnimCorrer, correr ? 1 : 0); }
void Estado(HWND control, EstadoAnimado e) { Enviar(control, kMsgAnimPonerValorUsuario, e); }
void Cuadro(HWND control, LRESULT cuadro) { Enviar(control, kMsgAnimPonerCuadro, cuadro); }

std::vector<HWND> g_flotantes;

}  // namespace

void RegistrarFlotante(HWND ventana) {
  if (ventana && std::find(g_flotantes.begin(), g_flotantes.end(), ventana) == g_flotantes.end())
    g_flotantes.push_back(ventana);
}

void OlvidarFlotante(HWND ventana) { std::erase(g_flotantes, ventana); }

std::vector<HWND> OcultarVentanasFlotantes(HWND excepto) {
  std::vector<HWND> visibles;
  for (HWND v : g_flotantes) {
    if (v == excepto) continue;
    if (IsWindowVisible(v)) visibles.push_back(v);
    OcultarVentana(v);
  }
  return visibles;
}

void OcultarFlotante(HWND hwnd) {
  if (GetActiveWindow() == hwnd) {
    if (HWND dueño = GetWindow(hwnd, GW_OWNER)) {
      // The others as they stood, highest first, placed again lowest first.
      std::vector<HWND> arriba;
      for (HWND v = GetTopWindow(nullptr); v; v = GetWindow(v, GW_HWNDNEXT))
        if (v != hwnd && IsWindowVisible(v) && GetWindow(v, GW_OWNER) == dueño &&
            std::find(g_flotantes.begin(), g_flotantes.end(), v) != g_flotantes.end())
          arriba.push_back(v);
      SetActiveWindow(dueño);
      for (auto v = arriba.rbegin(); v != arriba.rend(); ++v)
        SetWindowPos(*v, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    }
  }
  OcultarVentana(hwnd);
}

void MostrarVentanasFlotantes(const std::vector<HWND>& ventanas) {
  for (HWND v : ventanas)
    if (std::find(g_flotantes.begin(), g_flotantes.end(), v) != g_flotantes.end()) MostrarFlotante(v, false);
}

std::string RutaAyuda(int idiomaAyuda) {
  return arranque.carpeta + "Help\\" + std::to_string(idiomaAyuda) + "\\Index.htm";
}

bool AbrirConSistema(const std::string& ruta) {
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = ventanaPrincipal;
  info.lpVerb = "open";
  info.lpFile = ruta.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExA(&info)) return false;
  if (info.hProcess) CloseHandle(info.hProcess);
  return true;
}

void AbrirAyuda() { AbrirConSistema(RutaAyuda(idioma)); }

void ReaccionBotonAnimado(HWND control, int codigo) {
  const LRESULT estado = Enviar(control, kMsgAnimObtenerValorUsuario);
  const LRESULT cuadro = Enviar(control, kMsgAnimObtenerCuadro);
  switch (codigo) {
    case kNotifPresionado:
      Correr(control, false);
      Estado(control, kPulsado);
      Cuadro(control, kCuadroPulsado);
      break;
    case kNotifSoltado:
      Correr(control, false);
      if (Enviar(control, kMsgAnimObtenerSobre)) {
        Estado(control, kArriba);
        Cuadro(control, kCuadroArriba);
      } else {
        Estado(control, kSubiendo);
        Cuadro(control, 0);
      }
      break;
    case kNotifEntro:
      if (estado == kPulsado) {
        Cuadro(control, kCuadroPulsado);
      } else if (cuadro >= kCuadroArriba) {
        Correr(control, false);
        Estado(control, kArriba);
      } else {
        Correr(control, true);
        Estado(control, kSubiendo);
        SonarEncima();
      }
      break;
    case kNotifSalio:
      if (estado == kSubiendo) {
        Estado(control, kBajando);
      } else if (estado == kArriba) {
        Correr(control, true);
        Estado(control, kBajando);
      } else if (estado == kPulsado) {
        Cuadro(control, kCuadroArriba);
      }
      break;
    case kNotifActivado:
      SonarClic();
      break;
    case kNotifQuinto:
      if (estado == kSubiendo) {
        if (cuadro >= kCuadroArriba) {
          Correr(control, false);
          Estado(control, kArriba);
        } else {
          Cuadro(control, cuadro + 1);
        }
      } else if (estado == kBajando) {
        if (cuadro < 1) {
          Correr(control, false);
          Estado(control, kSubiendo);
        } else {
          Cuadro(control, cuadro - 1);
        }
      }
      break;
    default:
      break;
  }
}

void ReposarBotonAnimado(HWND control) {
  Estado(control, kSubiendo);
  Cuadro(control, 0);
}
