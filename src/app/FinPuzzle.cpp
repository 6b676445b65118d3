#include "FinPuzzle.h"

#include <windows.h>

#include "ArchivoBMP.h"
#include "CuadroHonor.h"
#include "FichaImagen.h"
#include "FondoEscritorio.h"
#include "Globales.h"
#include "Herramientas.h"
#include "Mensaje.h"
#include "Video.h"
#include "VistaPrevia.h"

namespace {
constexpr int kPreguntaPapelTapiz = 140;
constexpr int kTextoSinPapelTapiz = 720;
}

void PuzzleTerminado() {
  PistaDisponible(true);
  AbrirVideo(kVideoFinal, MostrarImagenTerminada);
}

// The finished puzzle's picture, with the name and text of its number when
// it is one of the shipped ones.
void MostrarImagenTerminada() {
  char ruta[MAX_PATH] = "";
  if (!imagenActual.Abierto() || imagenActual.Ruta(ruta, sizeof ruta) > static_cast<int32_t>(sizeof ruta)) ruta[0] = 0;
  AbrirPreviewInfo(ventanaPrincipal, IndiceImagenDeRuta(ruta), ruta, TrasImagenTerminada);
}

// A picture that could not be shown is not offered as the wallpaper.
void TrasImagenTerminada(bool mostrada) {
  if (!mostrada) {
    ComprobarRecord();
    return;
  }
  if (!MostrarMensaje(kPreguntaPapelTapiz, ventanaPrincipal, RespuestaPapelTapiz, false))
    RespuestaPapelTapiz(false, "");
}

// A wallpaper that could not be set is told before the honour check.
void RespuestaPapelTapiz(bool si, const char*) {
  if (si && !PonerPapelTapiz() && MostrarAviso(kTextoSinPapelTapiz, ventanaPrincipal, ComprobarRecord)) return;
  ComprobarRecord();
}
