// VLC's module bank as far as the stand-ins need it: a module's descriptor read through its
// entry point (vlc_entry__3_0_0f) with a setter that hands out handles for the module and its
// options and keeps what VLC keeps of it.
#pragma once

#include <windows.h>

#include <string>

#include "NV_VLC/VlcHeaders.h"

namespace vlcstandin {

using ModuleOpenFn = int (*)(vlc_object_t*);
using ModuleCloseFn = void (*)(vlc_object_t*);

struct ModuleDescriptor {
  bool hasEntry = false;   // the library exports vlc_entry__3_0_0f
  int entryResult = -1;    // what the entry returned
  std::string name;        // VLC_MODULE_NAME
  std::string capability;  // VLC_MODULE_CAPABILITY
  bool noUnload = false;
  ModuleOpenFn open = nullptr;
  ModuleCloseFn close = nullptr;
};

// The descriptor of a loaded module library.
ModuleDescriptor ReadDescriptor(HMODULE library);

}  // namespace vlcstandin
