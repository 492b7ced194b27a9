// Loading and freeing an engine library with the system loader.
#include "visualhost/engine/LibraryHandle.h"

#include <windows.h>

#include "utility/win/WidePath.h"
#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/LibraryPathText.h"
#include "visualhost/engine/win/SavedCurrentDirectory.h"

namespace {

// Library paths are converted into buffers of this many units.
constexpr int32_t kLibraryWideCapacity = 1024;

// LoadLibraryW of the path; null when the path does not fit the buffer, so that a cut path
// never reaches the loader.
HMODULE LoadFromPath(const NVFileSpec& path) {
  const WidePath<kLibraryWideCapacity> wide(path);
  if (wide.Length() == 0) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  return LoadLibraryW(wide.Get());
}

bool WorthRetryingUnderArchitectureName(DWORD error) {
  return error == ERROR_BAD_EXE_FORMAT || error == ERROR_MOD_NOT_FOUND;
}

}  // namespace

LibraryHandle::~LibraryHandle() {
  Unload();
}

int32_t LibraryHandle::Load(const NVFileSpec& requestedPath) {
  // A copy: the caller may pass LibraryPath() itself, which Unload empties.
  const NVFileSpec path(requestedPath);
  Unload();
  if (path.IsEmpty()) return NVStatus::kEmptyLibraryPath;
  mLibraryPath = path;

  HMODULE module = nullptr;
  {
    SavedCurrentDirectory savedDirectory;
    NVFileSpec folder;
    folder.SetPath(LibraryFolderText(path.Path()));
    savedDirectory.Enter(folder);

    module = LoadFromPath(mLibraryPath);
    if (module == nullptr && WorthRetryingUnderArchitectureName(GetLastError())) {
      mLibraryPath.SetPath(ReplaceLibraryExtension(path.Path(), kArchitectureLibrarySuffix));
      module = LoadFromPath(mLibraryPath);
    }
  }

  if (module == nullptr) {
    mLibraryPath.Clear();
    return NVStatus::kNotLoaded;
  }
  mModule = module;
  return NVStatus::kOk;
}

void LibraryHandle::Unload() {
  if (!IsLoaded()) return;
  FreeLibrary(static_cast<HMODULE>(mModule));
  mModule = nullptr;
  mLibraryPath.Clear();
}

void* LibraryHandle::FindExport(const char* name) const {
  if (!IsLoaded() || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(mModule), name));
}
