// Who makes the game, as both programs' version blocks and the installer
// name it (the installer reads these lines as they are written here).
#pragma once

#define TESSERA_PRODUCTO "Tessera Puzzle"
#define TESSERA_EDITOR "The Tessera Puzzle team"
#define TESSERA_COPYRIGHT "© 2026 The Tessera Puzzle team"
