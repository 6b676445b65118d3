// CWNDFILEMAN: the folder-tree window class and the shared list of the
// small icons its trees show (desktop, my PC, drives, folders, files).
// Registered once at start-up; the program makes no such window.
#pragma once

#include <windows.h>
#include <commctrl.h>

// Registers the class on the first call only (a second one is a
// programming error), and on every call makes the icon list afresh from
// icons primerIcono to primerIcono + tiposArchivo + 7 of `instancia`.
bool FileViewRegister(HINSTANCE instancia, int primerIcono, int tiposArchivo);

// The icon list, for tests.
HIMAGELIST IconosArbolCarpetas();
