// The program's answers to what the windows ask of the game.
#pragma once

// Installs them (the main window does it first thing at its creation).
void InstalarPeticionesPrograma();
