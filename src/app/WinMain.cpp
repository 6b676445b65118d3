// The program's entry: folder and language, display checks, sounds, window
// classes, the picture archive, then the message loop until the main window
// is gone.
#include <windows.h>

#include "ArchivoRecursos.h"
#include "Arranque.h"
#include "Configuracion.h"
#include "Globales.h"
#include "Video.h"

int WINAPI WinMain(HINSTANCE instancia, HINSTANCE, LPSTR, int) {
  instanciaPrograma = instancia;
  DWORD escritos = GetModuleFileNameA(instancia, directorioPrograma.Data(), 260);
  CortarDirectorio(directorioPrograma, static_cast<int32_t>(escritos));
  // The language chosen last, early enough for the start-up messages.
  idioma = LeerIdiomaConfigurado();

  HDC pantalla = GetDC(nullptr);
  int32_t bits = GetDeviceCaps(pantalla, BITSPIXEL);
  ReleaseDC(nullptr, pantalla);
  if (int32_t texto = ComprobarPantalla(bits, anchoPantalla, altoPantalla, idioma)) {
    MostrarErrorInicio(texto);
    return BucleMensajes();
  }

  sonidoEncima = CargarSonido(instancia, 242);
  sonidoClic = CargarSonido(instancia, 243);

  RegistrarClases(instancia);

  Cadena rutaArchivo = directorioPrograma + "Tessera.rf";
  if (!AbrirArchivoRecursos(rutaArchivo.Data())) {
    // Without its pictures no window can be drawn: say so and end.
    MostrarErrorInicio(kTextoSinArchivo + idioma, 1);
    return BucleMensajes();
  }

  // The intro's end (or its absence) makes the main window.
  AbrirVideo(2);

  int codigo = BucleMensajes();
  CerrarArchivoRecursos();
  return codigo;
}
