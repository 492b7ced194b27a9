// A class factory for one class of the in-process server: CreateInstance makes a new object
// through the given function and refuses aggregation; LockServer counts in the module lock.
// The factory is a static object of the module (its reference count only counts).
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace activex {

// Makes a new object with one reference; null when it cannot.
using CreateObjectFn = IUnknown* (*)();

struct ClassFactory {
  IClassFactory face;  // first: its address is the interface pointer
  CreateObjectFn create;
};

// A factory whose table is the module's one class factory table.
ClassFactory MakeClassFactory(CreateObjectFn create);

// DllGetClassObject for one class: the factory when clsid is the class, else
// CLASS_E_CLASSNOTAVAILABLE.
HRESULT GetClassObject(ClassFactory* factory, REFCLSID classId, REFCLSID clsid, REFIID iid,
                       void** out);

}  // namespace activex
