#include "utility/TextRules.h"

#include <cstring>

namespace text_rules {

int32_t MeasuredLength(const char* text, int32_t length) {
  if (text == nullptr) return 0;
  if (length >= 0) return length;
  const size_t measured = std::strlen(text);
  return measured >= 0x7FFFFFFF ? 0 : static_cast<int32_t>(measured);
}

int TextReader::Peek(int32_t offset) const {
  if (mLength >= 0) {
    return offset >= 0 && offset < mLength - mPosition ? mBytes[mPosition + offset] : -1;
  }
  // Zero-terminated: every byte up to the one asked for must lie before the terminator.
  for (int32_t i = 0; i <= offset; ++i) {
    if (mBytes[mPosition + i] == 0) return -1;
  }
  return offset >= 0 ? mBytes[mPosition + offset] : -1;
}

}  // namespace text_rules
