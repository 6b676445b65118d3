// A stand-in for the program's answers to the windows' requests: it writes
// down every request, in order, and opens nothing.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Peticiones.h"

class PeticionesGrabadas final : public Peticiones {
 public:
  PeticionesGrabadas() { InstalarPeticiones(this); }
  ~PeticionesGrabadas() override { InstalarPeticiones(nullptr); }
  PeticionesGrabadas(const PeticionesGrabadas&) = delete;
  PeticionesGrabadas& operator=(const PeticionesGrabadas&) = delete;

  void AbrirMusica() override { Anotar("music"); }
  void AbrirCuadroHonor() override { Anotar("honour roll"); }
  void AbrirCambioIdioma() override { Anotar("language"); }
  void AbrirVentanaArchivo(int32_t modo) override { Anotar(modo == kArchivoAbrir ? "open" : "save"); }
  void GuardarAutomatico(void (*seguir)()) override {
    Anotar("autosave");
    seguir();
  }
  void PistaDisponible(bool disponible) override { Anotar(disponible ? "hint on" : "hint off"); }
  void IdiomaCambiado() override { Anotar("language changed"); }
  void CambiarFantasma() override { Anotar("ghost"); }
  void GuardarPiezasGiradas(bool giradas) override { Anotar(giradas ? "turned on" : "turned off"); }

  // The requests since the last call, and forgets them.
  std::vector<std::string> Tomar() { return std::exchange(pedidas_, {}); }

 private:
  void Anotar(const char* peticion) { pedidas_.emplace_back(peticion); }
  std::vector<std::string> pedidas_;
};
