#include "activex/win/ClassFactory.h"

#include "activex/win/ActiveXControl.h"
#include "activex/win/ModuleLock.h"

namespace activex {
namespace {

ClassFactory* Self(IClassFactory* face) { return reinterpret_cast<ClassFactory*>(face); }

HRESULT STDMETHODCALLTYPE FactoryQueryInterface(IClassFactory* face, REFIID iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
    return E_NOINTERFACE;
  *out = face;
  LockModule();
  return S_OK;
}

// The factory is static: references only hold the module.
ULONG STDMETHODCALLTYPE FactoryAddRef(IClassFactory*) {
  LockModule();
  return 2;
}

ULONG STDMETHODCALLTYPE FactoryRelease(IClassFactory*) {
  UnlockModule();
  return 1;
}

HRESULT STDMETHODCALLTYPE FactoryCreateInstance(IClassFactory* face, IUnknown* outer, REFIID iid,
                                                void** out) {
  return Guarded([&]() -> HRESULT {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    IUnknown* object = Self(face)->create();
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT result = object->lpVtbl->QueryInterface(object, iid, out);
    object->lpVtbl->Release(object);
    return result;
  });
}

HRESULT STDMETHODCALLTYPE FactoryLockServer(IClassFactory*, BOOL lock) {
  if (lock)
    LockModule();
  else
    UnlockModule();
  return S_OK;
}

const IClassFactoryVtbl kClassFactoryTable = {
    FactoryQueryInterface, FactoryAddRef, FactoryRelease, FactoryCreateInstance,
    FactoryLockServer,
};

}  // namespace

ClassFactory MakeClassFactory(CreateObjectFn create) {
  ClassFactory factory;
  factory.face.lpVtbl = &kClassFactoryTable;
  factory.create = create;
  return factory;
}

HRESULT GetClassObject(ClassFactory* factory, REFCLSID classId, REFCLSID clsid, REFIID iid,
                       void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(classId, clsid)) return CLASS_E_CLASSNOTAVAILABLE;
  return FactoryQueryInterface(&factory->face, iid, out);
}

}  // namespace activex
