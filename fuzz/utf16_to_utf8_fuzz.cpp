// UTF-16 to UTF-8: the counted need first, then a buffer of exactly that size and one of a
// smaller size taken from the first input byte, so any write past them is caught.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "utility/TextFunctions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 0x100000) return 0;
  const int32_t smallSize = data[0] % 64;
  const int32_t count = static_cast<int32_t>((size - 1) / 2);
  // An exact-size copy of the units (the input bytes need not be aligned).
  auto units = std::make_unique<char16_t[]>(static_cast<size_t>(count > 0 ? count : 1));
  memcpy(units.get(), data + 1, static_cast<size_t>(count) * 2);

  const int32_t needed = Utf16ToUtf8(units.get(), count, nullptr, 0);
  if (needed < 0 || needed > count * 3) __builtin_trap();
  if (needed > 0) {
    auto full = std::make_unique<char[]>(static_cast<size_t>(needed));
    if (Utf16ToUtf8(units.get(), count, full.get(), needed) != needed) __builtin_trap();
  }
  if (smallSize > 0) {
    auto small = std::make_unique<char[]>(static_cast<size_t>(smallSize));
    const int32_t cut = Utf16ToUtf8(units.get(), count, small.get(), smallSize);
    if (cut < 0 || cut > smallSize) __builtin_trap();
  }
  return 0;
}
