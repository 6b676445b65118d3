// Behaviour many windows share: hiding the floating windows, the help
// pages and other programs, the feedback of animated buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The floating windows (piece boxes, magnifier) register themselves when
// made and are forgotten when they go.
void RegistrarFlotante(HWND ventana);
void OlvidarFlotante(HWND ventana);
// Hides every floating window but `excepto` (null hides them all), in the
// order they registered; gives those that showed.
std::vector<HWND> OcultarVentanasFlotantes(HWND excepto);
// Shows again, without taking the activation, those of `ventanas` that
// still float.
void MostrarVentanasFlotantes(const std::vector<HWND>& ventanas);

// Opens `ruta` with the system shell on behalf of the main window; false
// when it could not.
bool AbrirConSistema(const std::string& ruta);
// The help page of the current language, opened with the system shell.
void AbrirAyuda();
// Its path: the program's folder + "Help\<language>\Index.htm".
std::string RutaAyuda(int idiomaAyuda);

// The standard feedback of an animated button to its own notification:
// hover animation, pressed frame, sounds. Call first, then act on a click.
void ReaccionBotonAnimado(HWND control, int codigo);
// An animated button back at rest, its hover animation ready to rise.
void ReposarBotonAnimado(HWND control);
