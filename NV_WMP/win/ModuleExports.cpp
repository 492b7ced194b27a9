// The four exports of the in-process server and its class factory.
#include <windows.h>
#include <objbase.h>

#include "NV_WMP/win/EffectIdentity.h"
#include "NV_WMP/win/EffectObject.h"
#include "NV_WMP/win/ModuleLock.h"
#include "utility/win/ModulePath.h"
#include "utility/win/RegistrationScript.h"
#include "utility/win/TypeLibraryRegistration.h"

namespace wmp {

namespace {

// The factory is static: its references count as module locks so that the module stays
// loaded while a player holds it.
HRESULT STDMETHODCALLTYPE FactoryQueryInterface(IClassFactory* self, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
    return E_NOINTERFACE;
  }
  *out = self;
  LockModule();
  return S_OK;
}

ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) {
  LockModule();
  return 2;
}

ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) {
  UnlockModule();
  return 1;
}

HRESULT STDMETHODCALLTYPE FactoryCreateInstance(IClassFactory*, IUnknown* outer, REFIID iid,
                                                void** out) {
  try {
    return CreateEffectObject(outer, iid, out);
  } catch (...) {
    if (out != nullptr) *out = nullptr;
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE FactoryLockServer(IClassFactory*, BOOL lock) {
  if (lock) {
    LockModule();
  } else {
    UnlockModule();
  }
  return S_OK;
}

const IClassFactoryVtbl kFactoryTable = {FactoryQueryInterface, FactoryAddRef, FactoryRelease,
                                         FactoryCreateInstance, FactoryLockServer};
IClassFactory gFactory = {const_cast<IClassFactoryVtbl*>(&kFactoryTable)};

// Tells running players that the set of effects changed.
void BroadcastEffectsChanged() {
  const UINT message = RegisterWindowMessageA("WMPlayer_PluginAddRemove");
  if (message != 0) PostMessageA(HWND_BROADCAST, message, 0, 0);
}

}  // namespace

}  // namespace wmp

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, wmp::kClsidEffect)) return CLASS_E_CLASSNOTAVAILABLE;
  return IClassFactory_QueryInterface(&wmp::gFactory, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return wmp::IsModuleLocked() ? S_FALSE : S_OK;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  HRESULT hr = RunRegistrationScript(ThisModule(), wmp::kRegistrationScript, true);
  if (SUCCEEDED(hr)) hr = RegisterModuleTypeLibrary(ThisModule());
  wmp::BroadcastEffectsChanged();
  return hr;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  const HRESULT hr = RunRegistrationScript(ThisModule(), wmp::kRegistrationScript, false);
  UnregisterModuleTypeLibrary(ThisModule());
  wmp::BroadcastEffectsChanged();
  return hr;
}
