#include "NV_JMC/win/ServerRegistration.h"

#include "utility/win/RegistrationScript.h"
#include "utility/win/TypeLibraryRegistration.h"

namespace jmc {

HRESULT RegisterServer(HMODULE module) {
  const HRESULT script = RunRegistrationScript(module, kRegistryScriptResource, true);
  if (FAILED(script)) return script;
  return RegisterModuleTypeLibrary(module);
}

HRESULT UnregisterServer(HMODULE module) {
  const HRESULT script = RunRegistrationScript(module, kRegistryScriptResource, false);
  const HRESULT library = UnregisterModuleTypeLibrary(module);
  return FAILED(script) ? script : library;
}

}  // namespace jmc
