// Binding an engine library and giving it back.
#include "visualhost/engine/EngineLoader.h"

EngineLoader::~EngineLoader() {
  Unbind();
}

int32_t EngineLoader::Bind(const NVFileSpec& libraryPath) {
  int32_t status = mLibrary.Load(libraryPath);
  if (status == NVStatus::kOk) {
    mGetEntry = reinterpret_cast<GetNVVisualAPIFn>(mLibrary.FindExport(kGetNVVisualAPIName));
    mReleaseEntry =
        reinterpret_cast<ReleaseNVVisualAPIFn>(mLibrary.FindExport(kReleaseNVVisualAPIName));
    if (mGetEntry == nullptr || mReleaseEntry == nullptr) {
      status = NVStatus::kMissingExport;
    } else {
      const EngineTable* table = nullptr;
      status = mGetEntry(kEngineApiVersion, &table, nullptr);
      if (status == NVStatus::kOk && table == nullptr) status = NVStatus::kNullTable;
      if (status == NVStatus::kOk) {
        mTable = table;
        return NVStatus::kOk;
      }
    }
  }
  ForgetEntries();
  mLibrary.Unload();
  return status;
}

void EngineLoader::Unbind() {
  if (!mLibrary.IsLoaded()) return;
  if (mReleaseEntry != nullptr) mReleaseEntry(mTable);
  ForgetEntries();
  mProductFolder.Clear();
  mLibrary.Unload();
}

void EngineLoader::ForgetEntries() {
  mTable = nullptr;
  mReleaseEntry = nullptr;
  mGetEntry = nullptr;
}
