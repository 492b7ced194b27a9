#include "utility/win/ModulePath.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

bool ModulePath(HMODULE module, wchar_t* path, DWORD capacity) {
  if (path == nullptr || capacity == 0) return false;
  path[0] = 0;
  DWORD length = GetModuleFileNameW(module, path, capacity);
  // A path that filled the buffer was cut: no use for registration.
  if (length == 0 || length >= capacity) {
    path[0] = 0;
    return false;
  }
  return true;
}

HMODULE ThisModule() {
  return reinterpret_cast<HMODULE>(&__ImageBase);
}
