#include "players/vlc/ModuleBank.h"

#include <cstdarg>

namespace vlcstandin {
namespace {

using EntryFn = int (*)(vlc_set_cb, void*);

int DescriptorSetter(void* opaque, void* target, int property, ...) {
  auto* descriptor = static_cast<ModuleDescriptor*>(opaque);
  // The module and its options only need handles that stay valid; nothing reads them back.
  static int handle;
  va_list args;
  va_start(args, property);
  switch (property) {
    case VLC_MODULE_CREATE:
      *va_arg(args, void**) = &handle;
      break;
    case VLC_CONFIG_CREATE:
      va_arg(args, int);
      *va_arg(args, void**) = &handle;
      break;
    case VLC_MODULE_NAME:
      descriptor->name = va_arg(args, const char*);
      break;
    case VLC_MODULE_CAPABILITY:
      descriptor->capability = va_arg(args, const char*);
      break;
    case VLC_MODULE_NO_UNLOAD:
      descriptor->noUnload = true;
      break;
    case VLC_MODULE_CB_OPEN:
      va_arg(args, const char*);
      descriptor->open = reinterpret_cast<ModuleOpenFn>(va_arg(args, void*));
      break;
    case VLC_MODULE_CB_CLOSE:
      va_arg(args, const char*);
      descriptor->close = reinterpret_cast<ModuleCloseFn>(va_arg(args, void*));
      break;
    default:
      break;
  }
  va_end(args);
  (void)target;
  return 0;
}

}  // namespace

ModuleDescriptor ReadDescriptor(HMODULE library) {
  ModuleDescriptor descriptor;
  auto entry = reinterpret_cast<EntryFn>(
      reinterpret_cast<void*>(GetProcAddress(library, "vlc_entry__3_0_0f")));
  descriptor.hasEntry = entry != nullptr;
  if (entry != nullptr) descriptor.entryResult = entry(&DescriptorSetter, &descriptor);
  return descriptor;
}

}  // namespace vlcstandin
