// The program's entry: the start-up record and the language, display
// checks, window classes, the picture archive, then the message loop until
// the main window is gone.
#include <windows.h>

#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Configuracion.h"
#include "Globales.h"
#include "PuzzleFile.h"
#include "Video.h"

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int) {
  EscribirDatosInicio(LeerDatosInicio(instancia));
  // A saved game whose picture moved with the program, or with the
  // player's files, finds it by name.
  SetPictureFallbackFolder(RutaPrograma("Image").c_str(), RutaDatos("Image").c_str());
  // The language chosen last, early enough for the start-up messages.
  idioma = LeerIdiomaConfigurado();

  HDC pantalla = GetDC(nullptr);
  int32_t bits = GetDeviceCaps(pantalla, BITSPIXEL);
  ReleaseDC(nullptr, pantalla);
  if (int32_t texto = ComprobarPantalla(bits, arranque.anchoPantalla, arranque.altoPantalla, idioma)) {
    MostrarErrorInicio(texto);
    return BucleMensajes();
  }

  RegistrarClases(instancia);

  if (int32_t texto = AbrirInstalacion(arranque.carpeta, idioma)) {
    // Without its pictures no window can be drawn: say so and end.
    MostrarErrorInicio(texto, 1);
    return BucleMensajes();
  }
  // Damage the start-up check cannot see ends the game with the same message.
  AvisarArchivoDañado(AnotarArchivoDañado);

  AbrirVideo(kVideoIntro, EmpezarJuego);

  int codigo = BucleMensajes();
  CerrarArchivoRecursos();
  return codigo;
}
