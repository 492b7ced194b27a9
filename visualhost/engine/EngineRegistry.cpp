// The process-wide registry of engine libraries.
#include "visualhost/engine/EngineRegistry.h"

#include <cstdlib>

#include "utility/ExitCallbackList.h"
#include "utility/TableValues.h"

namespace {

EngineRegistry* gRegistry = nullptr;

void DestroyRegistry(uint64_t) {
  EngineRegistry* registry = gRegistry;
  gRegistry = nullptr;
  delete registry;
}

}  // namespace

EngineRegistry* EngineRegistry::Instance() {
  return gRegistry;
}

EngineRegistry* EngineRegistry::CreateIfNeeded() {
  if (gRegistry != nullptr) return gRegistry;
  gRegistry = new EngineRegistry();
  std::atexit(&ExitCallbackList::Run);
  ExitCallbackList::Add(&DestroyRegistry, 0, 0);
  return gRegistry;
}

EngineLibrary* EngineRegistry::GetOrCreate(const UtilStr& productName) {
  int64_t value = 0;
  if (mLibraries.Get(productName.Text(), productName.Length(), &value) != 0) {
    return TableValueAsPointer<EngineLibrary>(value);
  }
  auto* library = new EngineLibrary();
  library->SetName(productName);
  mLibraries.Set(productName, TableValueFromPointer(library), kTableOwnsValue);
  return library;
}
