// The program's top-level window: its class, its creation and its window procedure.
#pragma once

#include <windows.h>

#include "Standalone/StandaloneHost.h"

inline constexpr char kStandaloneWindowClass[] = "Novalume Glimmora Standalone";
// The program icon's resource id.
inline constexpr int kStandaloneIconId = 3;

// Registers the window class once per process; later calls change nothing.
void RegisterStandaloneWindowClass(HINSTANCE instance);

// Creates the hidden main window titled with the product name and ties it to the host.
HWND CreateStandaloneWindow(HINSTANCE instance, const char* title, StandaloneHost* host);
