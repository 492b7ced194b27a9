#include "NV_VLC/win/ModuleHandle.h"

namespace {

HINSTANCE HandleOfThisModule(DWORD extraFlags) {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | extraFlags,
                     reinterpret_cast<LPCSTR>(&HandleOfThisModule), &module);
  return module;
}

}  // namespace

HINSTANCE ModuleInstance() {
  return HandleOfThisModule(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT);
}

void PinModule() { HandleOfThisModule(GET_MODULE_HANDLE_EX_FLAG_PIN); }
