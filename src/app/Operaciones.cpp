#include "Operaciones.h"

#include <shellapi.h>

#include "Animacion.h"
#include "Cajas.h"
#include "ComunVentanas.h"
#include "Controles.h"
#include "Globales.h"
#include "Herramientas.h"
#include "Lupa.h"
#include "VentanaPrincipal.h"
#include "Video.h"

namespace {

// An animated button's user value holds where its hover animation stands.
enum EstadoAnimado : LPARAM { kSubiendo = 0, kBajando = 1, kArriba = 2, kPulsado = 3 };
constexpr LRESULT kCuadroArriba = 8;   // the animation's last frame
constexpr LRESULT kCuadroPulsado = 9;

LRESULT Enviar(HWND control, UINT msg, LPARAM valor = 0) { return SendMessageA(control, msg, 0, valor); }

void Correr(HWND control, bool correr) { Enviar(control, kMsgAnimCorrer, correr ? 1 : 0); }
void Estado(HWND control, EstadoAnimado e) { Enviar(control, kMsgAnimPonerValorUsuario, e); }
void Cuadro(HWND control, LRESULT cuadro) { Enviar(control, kMsgAnimPonerCuadro, cuadro); }

}  // namespace

void OcultarVentanasFlotantes(HWND excepto) {
  for (int i = 0; i < kNumeroCajas; ++i) {
    HWND caja = VentanaCaja(i);
    if (caja && caja != excepto) OcultarVentana(caja);
  }
  if (HWND lupa = VentanaLupa()) OcultarVentana(lupa);
}

std::string RutaAyuda(int idiomaAyuda) {
  return std::string(directorioPrograma.Data()) + "Help\\" + std::to_string(idiomaAyuda) + "\\Index.htm";
}

void AbrirAyuda() {
  const std::string ruta = RutaAyuda(idioma);
  SHELLEXECUTEINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS;
  info.hwnd = ventanaPrincipal;
  info.lpVerb = "open";
  info.lpFile = ruta.c_str();
  info.nShow = SW_HIDE;
  if (ShellExecuteExA(&info) && info.hProcess) CloseHandle(info.hProcess);
}

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

void HabilitarPista() {
  if (HWND pista = BotonPista()) {
    SendMessageA(pista, kMsgHabilitar, 0, 1);
    Estado(pista, kSubiendo);
    Cuadro(pista, 0);
  }
}

void PuzzleTerminado() {
  HabilitarPista();
  // The video's end opens the finished picture, whose closing asks about
  // the wallpaper, whose answer leads to the honour check.
  AbrirVideo(1);
}
