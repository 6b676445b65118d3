// The puzzle file (.epf): a game in progress, its picture named by path.
#pragma once

#include "HImage.h"

bool SavePuzzle(const char* path);
// False, with the game on the table untouched, when the file or its
// picture cannot make a game.
bool LoadPuzzle(const char* path, bool* hintsAllowed);
// The file's thumbnail as a 16-bit picture block (free with LiberarHIMAGE),
// or nullptr.
HIMAGE ReadPuzzlePreview(const char* path);
// Where a picture missing from its stored path is looked for by name: in
// `folder` (the program's Image folder), then in `other` (the player's own
// when it is elsewhere), each with its Cache folder of converted photos.
void SetPictureFallbackFolder(const char* folder, const char* other = nullptr);
