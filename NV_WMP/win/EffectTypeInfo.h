// The type information of INV_WMP, read once from the module's embedded type library and kept
// while effect objects or locks hold the module; the IDispatch methods are served from it.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace wmp {

// The cached type information with a reference for the caller, or null with the load error.
HRESULT EffectTypeInfo(ITypeInfo** info);
// Drops the cached type information (the module is no longer held).
void ReleaseEffectTypeInfo();

}  // namespace wmp
