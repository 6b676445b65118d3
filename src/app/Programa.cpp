#include "Programa.h"

#include "BarraHerramientas.h"
#include "BarraOpciones.h"
#include "CambioIdioma.h"
#include "Compositor.h"
#include "Configuracion.h"
#include "CuadroHonor.h"
#include "Globales.h"
#include "Herramientas.h"
#include "Lupa.h"
#include "Mensaje.h"
#include "MenuNuevo.h"
#include "Musica.h"
#include "Peticiones.h"
#include "PlanoMesa.h"
#include "Titulo.h"
#include "VentanaArchivo.h"

namespace {

class PeticionesPrograma final : public Peticiones {
 public:
  void AbrirMusica() override { ::AbrirMusica(ventanaPrincipal); }
  void AbrirCuadroHonor() override { ::AbrirCuadroHonor(); }
  void AbrirCambioIdioma() override { ::AbrirCambioIdioma(); }
  void AbrirVentanaArchivo(int32_t modo) override { ::AbrirVentanaArchivo(modo); }
  void GuardarAutomatico(void (*seguir)()) override { ::GuardarAutomatico(seguir); }
  void PistaDisponible(bool disponible) override { ::PistaDisponible(disponible); }
  // Windows opened later load their words in the new language themselves.
  void IdiomaCambiado() override {
    CambiarIdiomaTitulo();
    CambiarIdiomaBarraHerramientas();
    CambiarIdiomaBarraOpciones();
    CambiarIdiomaLupa();
    CambiarIdiomaPlano();
  }
  void CambiarFantasma() override {
    MostrarFantasma(!FantasmaVisible());
    if (!GuardarFantasma(FantasmaVisible()))
      MostrarMensaje(kTextoConfiguracionNoGuardada, ventanaPrincipal, nullptr, false);
  }
  void GuardarPiezasGiradas(bool giradas) override {
    if (!GuardarGiradas(giradas)) MostrarMensaje(kTextoConfiguracionNoGuardada, VentanaMenuNuevo(), nullptr, false);
  }
};

PeticionesPrograma g_peticiones;

}  // namespace

void InstalarPeticionesPrograma() { InstalarPeticiones(&g_peticiones); }
