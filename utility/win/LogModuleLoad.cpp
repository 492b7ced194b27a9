// The log's settings on Windows: the desktop as log folder, and the modifier keys.
#include "utility/LogModuleLoad.h"

#include <windows.h>

#include "utility/win/DesktopFolder.h"

namespace {

bool IsKeyDown(int virtualKey) {
  return GetKeyState(virtualKey) < 0;
}

}  // namespace

void LoadLogSettings() {
  const std::string desktop = FindDesktopFolder();
  const bool keysHeld = IsKeyDown(VK_SHIFT) && (IsKeyDown(VK_CONTROL) || IsKeyDown(VK_MENU));
  ApplyLogSettings(desktop.empty() ? nullptr : desktop.c_str(), keysHeld);
}
