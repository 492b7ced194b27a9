// What the stand-in cache tool learns of each VLC module below a plugins folder: the module is
// loaded as VLC loads it and its descriptor read through vlc_entry__3_0_0f with a setter that
// keeps the module's name and capability.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vlccache {

struct ScannedModule {
  std::string path;        // below the plugins folder, '/' between folders (UTF-8)
  uint32_t loadError = 0;  // GetLastError of a failed LoadLibraryW, else 0
  bool hasEntry = false;   // exports vlc_entry__3_0_0f
  int entryResult = -1;    // what the entry returned
  std::string name;        // VLC_MODULE_NAME
  std::string capability;  // VLC_MODULE_CAPABILITY
};

// Every file named lib*_plugin.dll below the folder (VLC's module bank loads no other name),
// sorted by path.
std::vector<ScannedModule> ScanModules(const std::wstring& pluginsFolder);

}  // namespace vlccache
