// Whether the product's engine is installed: its folder is found and its product information
// file reads.
#include "NV_VLC/EngineInstalled.h"

#include "visualhost/engine/EngineInterface.h"
#include "visualhost/engine/ProductFolderSearch.h"
#include "visualhost/engine/ProductInfo.h"

bool EngineInstalled() {
  NVFileSpec folder;
  NVFileSpec libraryPath;
  ProductInfo info;
  return FindProductFolder(UtilStr(kProductName), folder) == NVStatus::kOk &&
         ReadProductInfo(folder, &info, &libraryPath) == NVStatus::kOk;
}
