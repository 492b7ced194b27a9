// Reading the product information file from disk; everything after the read is portable.
#include "visualhost/engine/ProductInfo.h"

int32_t ReadProductInfo(const NVFileSpec& productFolder, ProductInfo* info,
                        NVFileSpec* libraryPath) {
  NVFileSpec file;
  file.SetChild(ProductInfoFile::kFolderName, -1, productFolder);
  file.SetChild(ProductInfoFile::kFileName, -1, file);
  UtilStr text;
  const int32_t readStatus = file.ReadAll(ProductInfoFile::kReadLimit, text);
  return ProductInfoFromRead(readStatus, text, productFolder, info, libraryPath);
}
