// CWNDMENSAJE: the message and input box. One question at a time: the box
// disables the window that asked and answers through a callback after it
// has closed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>


// Called with true for OK or Enter, false for Cancel, Escape or any other
// way the box went, and the text typed in the input field (empty without
// one).
using RespuestaMensaje = void (*)(bool respuesta, const char* texto);

extern HWND ventanaMensaje;  // the open box, or nullptr

// Control ids of the box's children.
constexpr int kIdMensajeAceptar = 1;
constexpr int kIdMensajeCancelar = 2;
constexpr int kIdMensajeEntrada = 3;
constexpr int kLargoEntrada = 23;  // characters the input field takes

bool RegistrarMensaje(HINSTANCE instancia);

// Shows string textoBase + language (the English one when that language has
// none) centred on the screen, with OK, a Cancel button when there is a
// callback, and an input field when asked. The parent stays disabled until
// the answer is delivered, 45 ms after the box has gone, from the message
// loop. False, and nothing happens, while an earlier box is open or its
// answer still pending; otherwise the callback runs exactly once.
bool MostrarMensaje(int32_t textoBase, HWND padre, RespuestaMensaje respuesta, bool conEntrada);
// The same box with OK alone, to tell something; `despues` (when not null)
// runs once after it has gone, however it went. False as above.
bool MostrarAviso(int32_t textoBase, HWND padre, void (*despues)());
// An information box whose text is followed by `lista` (UTF-8, one item a
// line, names in any script), smaller as it grows. False as above.
bool MostrarAvisoLista(int32_t textoBase, const std::string& lista, HWND padre);
// The text of the last box shown, and its list (for tests).
const char* TextoMensaje();
const std::string& ListaMensaje();
