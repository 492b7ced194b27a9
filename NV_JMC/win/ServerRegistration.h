// The COM side of the server's registration: the class, program identifiers and control keys
// from the registration script (REGISTRY resource 102, with %MODULE% the module's path), and
// the type library (TYPELIB resource 1).
#pragma once

#include <windows.h>

namespace jmc {

constexpr int kRegistryScriptResource = 102;

HRESULT RegisterServer(HMODULE module);
HRESULT UnregisterServer(HMODULE module);

}  // namespace jmc
