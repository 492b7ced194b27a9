// Locating a product's engine: the support-folder search and its product information file.
#include "visualhost/engine/EngineLoader.h"
#include "visualhost/engine/ProductFolderSearch.h"
#include "visualhost/engine/ProductInfo.h"

int32_t EngineLoader::LoadByName(const UtilStr& productName, ProductInfo* info) {
  NVFileSpec folder;
  NVFileSpec libraryPath;
  int32_t status = FindProductFolder(productName, folder);
  if (status == NVStatus::kOk) status = ::ReadProductInfo(folder, info, &libraryPath);
  if (status != NVStatus::kOk) {
    mProductFolder.Clear();
    return status;
  }
  mProductFolder = folder;
  return Bind(libraryPath);
}

int32_t EngineLoader::ReadProductInfo(const NVFileSpec& folder, ProductInfo* info) {
  NVFileSpec libraryPath;
  const int32_t status = ::ReadProductInfo(folder, info, &libraryPath);
  if (status == NVStatus::kOk) mProductFolder = folder;
  return status;
}
