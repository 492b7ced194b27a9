// Exports are plain C functions (cdecl in 32-bit), called so by the test.
// A small COM server module that carries a registrar script (REGISTRY 104) and a type library
// (TYPELIB 1) and registers itself through the shared registration helpers, for their tests.
#include <windows.h>

#include "utility/win/ModulePath.h"
#include "utility/win/RegistrationScript.h"
#include "utility/win/TypeLibraryRegistration.h"

extern "C" __declspec(dllexport) HRESULT ProbeRunScript(BOOL install) {
  return RunRegistrationScript(ThisModule(), 104, install != FALSE);
}

extern "C" __declspec(dllexport) HRESULT ProbeRegisterTypeLibrary() {
  return RegisterModuleTypeLibrary(ThisModule());
}

extern "C" __declspec(dllexport) HRESULT ProbeUnregisterTypeLibrary() {
  return UnregisterModuleTypeLibrary(ThisModule());
}
