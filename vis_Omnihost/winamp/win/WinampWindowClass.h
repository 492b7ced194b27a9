// The window class of the Winamp host's own window, shared by every live host of the process:
// the first host registers it, the last one unregisters it.
#pragma once

#include <windows.h>

namespace winamp {

constexpr char kWindowClassName[] = "Glimmora for Winamp vis compatible players";
constexpr int kIconResourceId = 107;

// Counts a host; the first registers the class. False when the class could not be registered
// (the host is then not counted).
bool AddWindowClassUser();
// Uncounts a host; the last unregisters the class.
void RemoveWindowClassUser();

// This library's module handle.
HINSTANCE PluginInstance();

}  // namespace winamp
