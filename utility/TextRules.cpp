#include "utility/TextRules.h"

#include <cstring>

namespace text_rules {

int32_t MeasuredLength(const char* text, int32_t length) {
  if (text == nullptr) return 0;
  if (length >= 0) return length;
  const size_t measured = std::strlen(text);
  return measured >= 0x7FFFFFFF ? 0 : static_cast<int32_t>(measured);
}

}  // namespace text_rules
