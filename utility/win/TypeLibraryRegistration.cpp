#include "utility/win/TypeLibraryRegistration.h"

#include <oleauto.h>

#include "utility/win/ModulePath.h"

namespace {

HRESULT LoadModuleTypeLibrary(HMODULE module, wchar_t* path, DWORD capacity, ITypeLib** library) {
  *library = nullptr;
  if (!ModulePath(module, path, capacity)) return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
  // REGKIND_NONE: loading alone must not register; registration is the caller's choice.
  return LoadTypeLibEx(path, REGKIND_NONE, library);
}

// Whether the registry holds the library's version key (TypeLib\{guid}\major.minor, versions
// in hexadecimal as the registration writes them).
bool IsRegistered(const TLIBATTR& attributes) {
  wchar_t guid[40];
  if (StringFromGUID2(attributes.guid, guid, 40) == 0) return true;
  wchar_t path[96];
  wsprintfW(path, L"TypeLib\\%s\\%x.%x", guid, attributes.wMajorVerNum, attributes.wMinorVerNum);
  HKEY key = nullptr;
  const LONG opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key);
  if (opened == ERROR_SUCCESS) RegCloseKey(key);
  return opened != ERROR_FILE_NOT_FOUND;
}

}  // namespace

HRESULT RegisterModuleTypeLibrary(HMODULE module) {
  wchar_t path[MAX_PATH * 2];
  ITypeLib* library = nullptr;
  HRESULT hr = LoadModuleTypeLibrary(module, path, MAX_PATH * 2, &library);
  if (FAILED(hr)) return hr;
  hr = RegisterTypeLib(library, path, nullptr);
  library->Release();
  return hr;
}

HRESULT UnregisterModuleTypeLibrary(HMODULE module) {
  wchar_t path[MAX_PATH * 2];
  ITypeLib* library = nullptr;
  HRESULT hr = LoadModuleTypeLibrary(module, path, MAX_PATH * 2, &library);
  if (FAILED(hr)) return hr;
  TLIBATTR* attributes = nullptr;
  hr = library->GetLibAttr(&attributes);
  if (SUCCEEDED(hr)) {
    // Keys that are already gone: nothing left to remove (systems differ in what they answer
    // for a library that is not registered).
    hr = !IsRegistered(*attributes) ? S_OK : UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                           attributes->lcid, attributes->syskind);
    library->ReleaseTLibAttr(attributes);
  }
  library->Release();
  return hr;
}
