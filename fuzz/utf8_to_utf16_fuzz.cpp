// UTF-8 to UTF-16 into buffers of exactly the size given, so any write past it is caught: the
// full size the text needs, and a smaller size taken from the first input byte.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "utility/TextFunctions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 0x100000) return 0;
  const int32_t smallSize = data[0] % 32;
  const char* text = reinterpret_cast<const char*>(data + 1);
  const int32_t length = static_cast<int32_t>(size - 1);

  // Each byte gives at most one unit, and a four-byte sequence two.
  const int32_t fullSize = length > 0 ? length : 1;
  auto full = std::make_unique<char16_t[]>(static_cast<size_t>(fullSize));
  const int32_t produced = Utf8ToUtf16(text, length, full.get(), fullSize);
  if (produced < 0 || produced > fullSize) __builtin_trap();

  if (smallSize > 0) {
    auto small = std::make_unique<char16_t[]>(static_cast<size_t>(smallSize));
    const int32_t cut = Utf8ToUtf16(text, length, small.get(), smallSize);
    if (cut < 0 || cut > smallSize) __builtin_trap();
  }
  return 0;
}
