// The process-wide engine library of the multi-host plug-in.
#include "visualhost/engine/SharedEngineLibrary.h"

#include "utility/ExitCallbackList.h"

namespace {

EngineLibrary* gSharedLibrary = nullptr;

void ReleaseSharedLibrary(uint64_t) {
  EngineLibrary* library = gSharedLibrary;
  gSharedLibrary = nullptr;
  if (library != nullptr) library->Release();
}

}  // namespace

UtilStr SharedProductName() {
  constexpr int kMarkedLength = sizeof(kMarkedProductName) - 1;
  return UtilStr(kMarkedProductName + kProductNameMarkerLength,
                 kMarkedLength - 2 * kProductNameMarkerLength);
}

EngineLibrary* SharedEngineLibrary() {
  if (gSharedLibrary != nullptr) return gSharedLibrary;
  gSharedLibrary = new EngineLibrary();
  ExitCallbackList::Add(&ReleaseSharedLibrary, 0, 0);
  gSharedLibrary->SetName(SharedProductName());
  return gSharedLibrary;
}
