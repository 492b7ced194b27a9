// The visualization plug-in as the player loads it: the library, its header from
// winampVisGetHeader, and the first of its modules (the player asks for modules 0, 1, ...
// until the plug-in answers none, as players do to list them).
#pragma once

#include <windows.h>

#include <string>

#include "vis_Omnihost/winamp/WinampRecords.h"

namespace winamp_standin {

struct PluginLibrary {
  HMODULE library = nullptr;
  winamp::VisHeader* header = nullptr;
  winamp::VisModule* module = nullptr;  // module 0; null when there is none
};

// Loads the library and reads its header and modules, journaling each step; false when there
// is no library, no export, no header or no module 0. `player` is the main window, which
// players pass to winampVisGetHeader.
bool LoadPlugin(const std::wstring& path, HWND player, PluginLibrary* plugin);
// Frees the library (after the module's Quit, as players do).
void UnloadPlugin(PluginLibrary* plugin);

}  // namespace winamp_standin
