// What a window asks of the game outside its own room: opening another
// room's window, keeping the autosave, the hint button, the words already on
// screen after a change of language, a choice kept in the settings. The
// program answers (it installs its answers when the main window is made);
// until then every request is silently dropped, as the engine's requests
// are (what follows the autosave runs without it).
#pragma once

#include <cstdint>

// The file window's two modes.
constexpr int32_t kArchivoGuardar = 0;  // with a name field
constexpr int32_t kArchivoAbrir = 1;

class Peticiones {
 public:
  virtual ~Peticiones() = default;
  virtual void AbrirMusica() {}
  virtual void AbrirCuadroHonor() {}
  virtual void AbrirCambioIdioma() {}
  virtual void AbrirVentanaArchivo(int32_t /*modo*/) {}
  // Keeps a changed game as the autosave, then `seguir` leaves it; when it
  // cannot be kept the player is asked first whether to leave it anyway.
  virtual void GuardarAutomatico(void (*seguir)()) { seguir(); }
  // The hint button usable again and at rest (true), or greyed out.
  virtual void PistaDisponible(bool /*disponible*/) {}
  // The language changed: the windows on screen take its words.
  virtual void IdiomaCambiado() {}
  // The ghost picture shown or hidden, and the choice kept.
  virtual void CambiarFantasma() {}
  // The turned-pieces choice kept for the next start; one that cannot be
  // written is told, over the new-puzzle window.
  virtual void GuardarPiezasGiradas(bool /*giradas*/) {}
};

// Null puts the silent answers back.
void InstalarPeticiones(Peticiones* peticiones);
Peticiones& Juego();
