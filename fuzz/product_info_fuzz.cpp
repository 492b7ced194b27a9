// The product information check on in-memory text: any bytes give a status, and on success a
// record whose texts all end inside their fields.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "visualhost/engine/ProductInfo.h"

namespace {

bool EndsInside(const char* field, size_t capacity) {
  return memchr(field, 0, capacity) != nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size >= static_cast<size_t>(ProductInfoFile::kReadLimit)) return 0;
  NVFileSpec folder;
  folder.SetPath(UtilStr("C:\\Support\\Glimmora"));
  ProductInfo info;
  NVFileSpec library;
  const int32_t status = ProductInfoFromText(reinterpret_cast<const char*>(data),
                                             static_cast<int32_t>(size), folder, &info, &library);
  if (status == 0) {
    if (!EndsInside(info.versionText, sizeof info.versionText) ||
        !EndsInside(info.productName, sizeof info.productName) ||
        !EndsInside(info.libraryPath, sizeof info.libraryPath) ||
        !EndsInside(info.affiliate, sizeof info.affiliate)) {
      __builtin_trap();
    }
  }
  return 0;
}
