#include "Arranque.h"

#include <windowsx.h>

#include <algorithm>

#include "ArbolCarpetas.h"
#include "ArchivoDisco.h"
#include "ArchivoRecursos.h"
#include "Atajos.h"
#include "Progreso.h"
#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "Cajas.h"
#include "CambioIdioma.h"
#include "Controles.h"
#include "CuadroHonor.h"
#include "FichaImagen.h"
#include "GanchoDepuracion.h"
#include "Globo.h"
#include "Globales.h"
#include "Herramientas.h"
#include "InfoImagenes.h"
#include "Impresion.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "MiniaturaArchivo.h"
#include "Musica.h"
#include "Opciones.h"
#include "PlanoMesa.h"
#include "SelectorTamano.h"
#include "TableroPuzzle.h"
#include "Titulo.h"
#include "VentanaArchivo.h"
#include "VentanaPrincipal.h"
#include "Video.h"
#include "VistaImagen.h"
#include "VistaPrevia.h"
#include "recursos.h"

namespace {
// Every picture number of the archive's manifest: the program asks for each.
constexpr uint32_t kNumerosNecesarios[] = {
#include "numeros_manifiesto.inc"
};

int g_codigoSalidaError = 0;
// The modeless error dialog while it shows: the loop hands it its keys.
HWND g_dialogoError = nullptr;
// A picture the archive could not give while the game ran: the message is
// pending, then shown (once).
enum class Daño { Ninguno, Pendiente, Mostrado };
Daño g_daño = Daño::Ninguno;
// A pass of paints ends at the first window painted twice (one that left
// its update region invalid) or after this many windows.
constexpr int kPinturasPorPasada = 64;

BOOL CALLBACK Ocultar(HWND ventana, LPARAM) {
  if (IsWindowVisible(ventana)) ShowWindow(ventana, SW_HIDE);
  return TRUE;
}

// The game cannot go on without its pictures: nothing of it stays on the
// screen but the message.
void MostrarArchivoDañado() {
  g_daño = Daño::Mostrado;
  ReleaseCapture();
  EnumThreadWindows(GetCurrentThreadId(), Ocultar, 0);
  MostrarErrorInicio(kTextoArchivoDañado + idioma, 1);
}

}  // namespace

int32_t ComprobarPantalla(int32_t bitsPorPixel, int32_t ancho, int32_t alto, int32_t idiomaActual) {
  // The colour check comes first: a display failing both shows only it.
  if (bitsPorPixel < 16) return kTextoColores + idiomaActual;
  // The size message exists in Spanish and English only: the others read English.
  if (ancho < 800 || alto < 600) return kTextoResolucion + (idiomaActual == 0 ? 0 : 1);
  return 0;
}

void AnotarArchivoDañado(uint32_t /*numero*/) {
  if (g_daño != Daño::Ninguno) return;
  g_daño = Daño::Pendiente;
  // Only wakes the loop: the window code that asked must finish first.
  PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

int32_t AbrirInstalacion(const std::string& carpeta, int32_t idiomaActual) {
  const std::string archivo = carpeta + "Tessera.rf";
  if (!AbrirArchivoRecursos(archivo.c_str()))
    return (ExisteArchivo(archivo.c_str()) ? kTextoArchivoDañado : kTextoSinArchivo) + idiomaActual;
  if (!ComprobarArchivoRecursos(kNumerosNecesarios)) {
    CerrarArchivoRecursos();
    return kTextoArchivoDañado + idiomaActual;
  }
  // The player's own pictures do not count: the shipped ones come with the game.
  bool numerada = false;
  RecorrerArchivos((carpeta + "Image\\*.bmp").c_str(), [&numerada](const char* nombre) {
    numerada = IndiceImagenDeRuta(nombre) >= 0;
    return !numerada;
  });
  if (!numerada) {
    CerrarArchivoRecursos();
    return kTextoSinImagenes + idiomaActual;
  }
  return 0;
}

INT_PTR CALLBACK ErrorInicioDlgProc(HWND dialogo, UINT mensaje, WPARAM wParam, LPARAM /*lParam*/) {
  switch (mensaje) {
    case WM_DESTROY:
      g_dialogoError = nullptr;
      PostQuitMessage(g_codigoSalidaError);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) DestroyWindow(dialogo);
      return 1;
    default:
      return 0;
  }
}

void MostrarErrorInicio(int32_t idTexto, int codigoSalida) {
  g_codigoSalidaError = codigoSalida;
  char texto[300] = "";
  LoadStringA(arranque.instancia, static_cast<UINT>(idTexto), texto, sizeof texto);
  HWND dialogo = CreateDialogParamA(arranque.instancia, MAKEINTRESOURCEA(kDialogoErrorInicio), nullptr,
                                    ErrorInicioDlgProc, 0);
  if (!dialogo) {
    // Without its dialog the message still reaches the player.
    MessageBoxA(nullptr, texto, "Tessera Puzzle", MB_OK | MB_ICONERROR);
    PostQuitMessage(codigoSalida);
    return;
  }
  g_dialogoError = dialogo;
  SendDlgItemMessageA(dialogo, kTextoDialogoErrorInicio, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texto));
}

void RegistrarClases(HINSTANCE instancia) {
  // In this order; the classes still to come take their places in it:
  // the folder tree between the controls and the language window, music
  // after the main window, the choosers beside the board, and so on.
  RegistrarControles(instancia);
  FileViewRegister(instancia, IDI_ESCRITORIO, 2);
  RegistrarCambioIdioma(instancia);
  RegistrarVentanaPrincipal(instancia);
  RegistrarMusica(instancia);
  RegistrarTableroPuzzle(instancia);
  RegistrarSelectores(instancia);
  RegistrarLupa(instancia);
  RegistrarPlano(instancia);
  RegistrarOpciones(instancia);
  RegistrarBarraOpciones(instancia);
  RegistrarHerramientas(instancia);
  RegistrarBarraHerramientas(instancia);
  RegistrarTitulo(instancia);
  RegistrarCuadroHonor(instancia);
  RegistrarMenuNuevo(instancia);
  RegistrarCajas(instancia);
  RegistrarVistaImagen(instancia);
  RegistrarMensaje(instancia);
  RegistrarProgreso(instancia);
  RegistrarVideo(instancia);
  RegistrarVistaPrevia(instancia);
  RegistrarInfo(instancia);
  RegistrarImpresion(instancia);
  RegistrarMiniaturasArchivo(instancia);
  RegistrarVentanaArchivo(instancia);
  RegistrarGlobo(instancia);
}

void EmpezarJuego() {
  CrearVentanaPrincipal();
  IniciarPuzzleDepuracion();
}

// The wheel turns what lies under the pointer, as players expect, when that
// is one of the game's windows and nothing modal holds the game.
void DirigirRueda(MSG& msg) {
  const POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  HWND bajo = WindowFromPoint(p);
  DWORD proceso = 0;
  if (!bajo || bajo == msg.hwnd || !GetWindowThreadProcessId(bajo, &proceso) || proceso != GetCurrentProcessId())
    return;
  if (!IsWindowEnabled(GetAncestor(bajo, GA_ROOT))) return;
  msg.hwnd = bajo;
}

int BucleMensajes() {
  MSG msg{};
  for (;;) {
    // Once per message at most, and before waiting: the dump is current
    // whenever the game is idle.
    VolcarSiCambio();
    const BOOL r = GetMessageA(&msg, nullptr, 0, 0);
    if (r == 0 || r == -1) break;
    if (g_daño == Daño::Pendiente) MostrarArchivoDañado();
    if (AtenderAtajo(msg)) continue;
    if (msg.message == WM_MOUSEWHEEL) DirigirRueda(msg);
    if (msg.message == WM_CHAR && (GetWindowLongA(msg.hwnd, GWL_STYLE) & WS_CHILD)) {
      if (SendMessageA(GetParent(msg.hwnd), kMensajeCaracterHijo, msg.wParam, msg.lParam)) continue;
    }
    // Enter and Escape on the error dialog press its button.
    if (!g_dialogoError || !IsDialogMessageA(g_dialogoError, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    // Every window repaints right after the message that invalidated it,
    // once: a WM_PAINT comes back for as long as the window leaves its
    // update region invalid, and the queue's other messages must not wait.
    HWND pintadas[kPinturasPorPasada];
    int n = 0;
    MSG pintura;
    while (n < kPinturasPorPasada && PeekMessageA(&pintura, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) {
      if (pintura.message == WM_QUIT) return static_cast<int>(pintura.wParam);
      if (std::find(pintadas, pintadas + n, pintura.hwnd) != pintadas + n) break;
      pintadas[n++] = pintura.hwnd;
      DispatchMessageA(&pintura);
    }
  }
  return static_cast<int>(msg.wParam);
}
