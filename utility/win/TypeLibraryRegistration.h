#pragma once
// Registration of the type library that a COM server carries as its resource TYPELIB 1 (built by
// nv_embed_type_library, cmake/NovalumeTypeLibrary.cmake), through OLE automation: the
// registrar has no type-library part. Nothing here throws.
#include <windows.h>

// Registers the module's embedded type library under the module's path.
HRESULT RegisterModuleTypeLibrary(HMODULE module);

// Removes the registration of the module's embedded type library. A library whose keys are
// already gone counts as removed (S_OK); a module without a type library gives its load error.
HRESULT UnregisterModuleTypeLibrary(HMODULE module);
