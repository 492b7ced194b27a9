#include "NV_WMP/win/EffectTypeInfo.h"

#include <oleauto.h>

#include "NV_WMP/win/EffectIdentity.h"
#include "utility/win/ModulePath.h"

namespace wmp {

namespace {
// Used on the player's thread (the class is apartment-threaded).
ITypeInfo* gTypeInfo = nullptr;
}  // namespace

HRESULT EffectTypeInfo(ITypeInfo** info) {
  if (info == nullptr) return E_POINTER;
  *info = nullptr;
  if (gTypeInfo == nullptr) {
    wchar_t path[MAX_PATH * 2];
    if (!ModulePath(ThisModule(), path, MAX_PATH * 2)) return E_FAIL;
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
    if (FAILED(hr)) return hr;
    hr = ITypeLib_GetTypeInfoOfGuid(library, kIidEffectAutomation, &gTypeInfo);
    ITypeLib_Release(library);
    if (FAILED(hr)) return hr;
  }
  ITypeInfo_AddRef(gTypeInfo);
  *info = gTypeInfo;
  return S_OK;
}

void ReleaseEffectTypeInfo() {
  if (gTypeInfo == nullptr) return;
  ITypeInfo* info = gTypeInfo;
  gTypeInfo = nullptr;
  ITypeInfo_Release(info);
}

}  // namespace wmp
