// CWNDHONOR: the honour roll, a full-screen pop-up owned by the main window
// (disabled while it is open) showing the ten best scores of Records.ovr,
// with an erase button and an exit button.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

bool RegistrarCuadroHonor(HINSTANCE instancia);

// Opens the roll (or returns the one already open).
HWND AbrirCuadroHonor();
// After a finished puzzle: when its score earns a place, the roll opens and
// the message box asks for the player's name.
void ComprobarRecord();
// The name box's answer: the entry is inserted, shown and written.
void AnotarRecord(bool respuesta, const char* nombre);

// The records file: the player's files' folder + "Records.ovr".
std::string RutaRecords();

// ---- State, for tests -----------------------------------------------------
HWND VentanaCuadroHonor();
// Row i's name and score labels (0-9).
HWND NombreCuadroHonor(int fila);
HWND PuntosCuadroHonor(int fila);
HWND BotonBorrarCuadroHonor();
HWND BotonSalirCuadroHonor();
