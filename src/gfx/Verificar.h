// Verificar: the library's assertion routine. It marks programming errors
// only; anything that comes from a file, the user or the machine is checked
// before it could reach here.
#pragma once

// When `condicion` holds, writes `mensaje` (if any) followed by "\r\n" to the
// debugger output and raises a debugger trap. Returns `condicion`.
bool Verificar(bool condicion, const char* mensaje = nullptr);

// Tests replace the trap with a handler of their own (one that records the
// message and throws). The handler receives the message without "\r\n", or
// an empty string when none was given. Returns the previous handler;
// nullptr restores the default (debug output and trap).
using ManejadorVerificar = void (*)(const char* mensaje);
ManejadorVerificar InstalarManejadorVerificar(ManejadorVerificar manejador);
