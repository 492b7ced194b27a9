#include "NV_WMP/HostProcess.h"

#include <cstring>

#include "utility/TextFunctions.h"

namespace wmp {

bool IsMediaCenterExecutable(const char* path) {
  static constexpr char kSuffix[] = "\\EHSHELL.EXE";
  constexpr size_t kSuffixLength = sizeof(kSuffix) - 1;
  if (path == nullptr) return false;
  const size_t length = std::strlen(path);
  if (length < kSuffixLength) return false;
  return CompareText(path + length - kSuffixLength, int32_t(kSuffixLength), kSuffix,
                     int32_t(kSuffixLength), false) == 0;
}

void ProductNameFromMarker(const char* marker, char* name, size_t capacity) {
  if (name == nullptr || capacity == 0) return;
  name[0] = 0;
  if (marker == nullptr) return;
  const char* dash = std::strchr(marker, '-');
  if (dash == nullptr) return;
  size_t used = 0;
  for (const char* c = dash + 1; static_cast<unsigned char>(*c) >= 0x20 && used + 1 < capacity;
       ++c) {
    name[used++] = *c;
  }
  name[used] = 0;
}

}  // namespace wmp
