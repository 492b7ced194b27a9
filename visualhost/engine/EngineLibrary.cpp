// Lazy, once-only loading of a product's engine.
#include "visualhost/engine/EngineLibrary.h"

#include <utility>

EngineLibrary::EngineLibrary() : mLoader(std::make_unique<EngineLoader>()) {}

EngineLibrary::EngineLibrary(std::unique_ptr<EngineLoader> loader) : mLoader(std::move(loader)) {
  if (!mLoader) mLoader = std::make_unique<EngineLoader>();
}

void EngineLibrary::Dispose() {
  Unload();
}

void EngineLibrary::Unload() {
  if (!mLoader->IsBound()) return;
  mLoader->Unbind();
  mStatus = NVStatus::kNotStarted;
}

void EngineLibrary::SetName(const UtilStr& name) {
  Unload();
  mName = name;
}

const EngineTable* EngineLibrary::GetTable() {
  if (mStatus != NVStatus::kNotStarted) return mLoader->Table();
  mStatus = mLoader->LoadByName(mName, nullptr);
  if (mStatus == NVStatus::kOk) return mLoader->Table();
  mLoader->Unbind();
  // An engine failing with the very code that means "not tried" would otherwise be loaded
  // again on every call.
  if (mStatus == NVStatus::kNotStarted) mStatus = NVStatus::kNotLoaded;
  return nullptr;
}
