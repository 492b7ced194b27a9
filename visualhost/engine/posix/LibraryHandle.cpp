// Native builds have no engine libraries: every load fails as a missing library would, so the
// portable host code above it runs its failure paths.
#include "visualhost/engine/LibraryHandle.h"

#include "visualhost/engine/EngineInterface.h"

LibraryHandle::~LibraryHandle() {
  Unload();
}

int32_t LibraryHandle::Load(const NVFileSpec& path) {
  Unload();
  if (path.IsEmpty()) return NVStatus::kEmptyLibraryPath;
  return NVStatus::kNotLoaded;
}

void LibraryHandle::Unload() {
  mModule = nullptr;
  mLibraryPath.Clear();
}

void* LibraryHandle::FindExport(const char*) const {
  return nullptr;
}
