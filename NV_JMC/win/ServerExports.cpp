// The in-process server's four exports (ordinals 1 to 4 in NV_JMC.def) and its class factory.
// Registration writes the media center's plug-in keys under every installed version, then the
// COM class (the registration script, resource 102) and the type library (resource 1); only the
// latter step decides the result.
#include <windows.h>

#include "NV_JMC/win/JmcControl.h"
#include "NV_JMC/win/MediaCenterKeys.h"
#include "NV_JMC/win/ServerRegistration.h"
#include "activex/win/ClassFactory.h"
#include "activex/win/ModuleLock.h"

namespace {

HMODULE gModule = nullptr;

activex::ClassFactory* ControlFactory() {
  static activex::ClassFactory factory = activex::MakeClassFactory(&jmc::JmcControl::Create);
  return &factory;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return activex::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return activex::Guarded([&] {
    activex::ActiveXControl::SetTypeLibraryModule(gModule);
    jmc::RegisterDisplayPluginEvent();
    return activex::GetClassObject(ControlFactory(), jmc::ControlClassId(), clsid, iid, out);
  });
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return activex::Guarded([] {
    jmc::WriteMediaCenterKeys(HKEY_LOCAL_MACHINE);
    return jmc::RegisterServer(gModule);
  });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return activex::Guarded([] {
    jmc::RemoveMediaCenterKeys(HKEY_LOCAL_MACHINE);
    return jmc::UnregisterServer(gModule);
  });
}
