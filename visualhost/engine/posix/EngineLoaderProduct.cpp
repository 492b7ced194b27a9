// Native builds have no installed products: nothing is found and no product file is read.
#include "utility/FileStatus.h"
#include "visualhost/engine/EngineLoader.h"

int32_t EngineLoader::LoadByName(const UtilStr&, ProductInfo*) {
  mProductFolder.Clear();
  return NVStatus::kFolderNotFound;
}

int32_t EngineLoader::ReadProductInfo(const NVFileSpec&, ProductInfo*) {
  return FileStatus::kFileNotFound;
}
