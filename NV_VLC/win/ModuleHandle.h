// The module this code is linked into (the plug-in DLL, or a test program).
#pragma once

#include <winsock2.h>
#include <windows.h>

HINSTANCE ModuleInstance();
// Keeps the module loaded for the rest of the process: the session thread runs its code.
void PinModule();
