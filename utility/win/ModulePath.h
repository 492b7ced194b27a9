#pragma once
// The full path of a loaded module, and the module this code is linked into.
#include <windows.h>

// Writes the module's path, zero-terminated; false when it cannot be had or does not fit.
bool ModulePath(HMODULE module, wchar_t* path, DWORD capacity);

// The DLL or program that this library is linked into (its image base).
HMODULE ThisModule();
