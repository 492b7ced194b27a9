// The native library handle: dlopen with every symbol bound at once, so that a library that
// cannot run fails here rather than at its first call. There is no architecture twin to retry
// and no current directory to change: the dynamic loader does not search it.
#include "visualhost/engine/LibraryHandle.h"

#include <dlfcn.h>

#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/posix/NativePath.h"

LibraryHandle::~LibraryHandle() {
  Unload();
}

int32_t LibraryHandle::Load(const NVFileSpec& path) {
  Unload();
  if (path.IsEmpty()) return NVStatus::kEmptyLibraryPath;
  mModule = dlopen(NativePath(path).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (mModule == nullptr) return NVStatus::kNotLoaded;
  mLibraryPath = path;
  return NVStatus::kOk;
}

void LibraryHandle::Unload() {
  if (mModule != nullptr) dlclose(mModule);
  mModule = nullptr;
  mLibraryPath.Clear();
}

void* LibraryHandle::FindExport(const char* name) const {
  return mModule != nullptr && name != nullptr ? dlsym(mModule, name) : nullptr;
}
