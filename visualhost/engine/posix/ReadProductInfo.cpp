// Reading the product information file natively; everything after the read is portable.
#include <cstdio>

#include "utility/FileStatus.h"
#include "visualhost/engine/ProductInfo.h"
#include "visualhost/engine/posix/NativePath.h"

namespace {

// What NVFileSpec::ReadAll answers on Windows: 0 when `maximum` bytes were read, "shorter"
// when the whole file was, the file is missing otherwise.
int32_t ReadAtMost(const NVFileSpec& file, int32_t maximum, UtilStr& text) {
  std::FILE* stream = std::fopen(NativePath(file).c_str(), "rb");
  if (stream == nullptr) return FileStatus::kFileNotFound;
  std::string bytes(static_cast<size_t>(maximum), '\0');
  const size_t read = std::fread(bytes.data(), 1, bytes.size(), stream);
  const bool failed = std::ferror(stream) != 0;
  std::fclose(stream);
  if (failed) return FileStatus::kGeneralFailure;
  text.Assign(bytes.data(), static_cast<int32_t>(read));
  return read == bytes.size() ? FileStatus::kOk : FileStatus::kShorterThanMaximum;
}

}  // namespace

int32_t ReadProductInfo(const NVFileSpec& productFolder, ProductInfo* info,
                        NVFileSpec* libraryPath) {
  NVFileSpec file;
  file.SetChild(ProductInfoFile::kFolderName, -1, productFolder);
  file.SetChild(ProductInfoFile::kFileName, -1, file);
  UtilStr text;
  const int32_t readStatus = ReadAtMost(file, ProductInfoFile::kReadLimit, text);
  return ProductInfoFromRead(readStatus, text, productFolder, info, libraryPath);
}
