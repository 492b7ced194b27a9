#include "utility/Variant.h"

#include <cstring>

namespace {

int64_t PayloadInteger(const uint8_t (&payload)[8]) {
  int64_t value;
  memcpy(&value, payload, sizeof(value));
  return value;
}

// A pointer fills the first bytes of the payload, whatever the pointer size.
template <typename T>
const T* PayloadPointer(const uint8_t (&payload)[8]) {
  const T* pointer;
  memcpy(&pointer, payload, sizeof(pointer));
  return pointer;
}

}  // namespace

void Variant::SetFromTyped(int32_t typeLetter, int32_t length, const uint8_t (&payload)[8]) {
  type = VariantType::kNone;
  integer = 0;
  real = 0;
  switch (typeLetter) {
    case '*':
      type = VariantType::kPointer;
      integer = static_cast<int64_t>(reinterpret_cast<intptr_t>(PayloadPointer<void>(payload)));
      break;
    case 'C':
    case 'I':
    case 'c':
    case 'i':
      type = VariantType::kInteger;
      integer = PayloadInteger(payload);
      break;
    case 'b':
      type = VariantType::kInteger;
      integer = PayloadInteger(payload) != 0 ? 1 : 0;
      break;
    case 'F':
      type = VariantType::kFloat;
      memcpy(&real, payload, sizeof(real));
      break;
    case 'f': {
      float single;
      memcpy(&single, payload, sizeof(single));
      type = VariantType::kFloat;
      real = single;
      break;
    }
    case 'W':
      type = VariantType::kText;
      if (const char16_t* wide = PayloadPointer<char16_t>(payload)) {
        // A negative length means a zero-terminated text, as it does for 's'.
        text.AssignUtf16(wide, length < 0 ? -1 : length / 2);
      } else {
        text.Assign(nullptr, 0);
      }
      return;
    case 's':
      type = VariantType::kText;
      if (const char* bytes = PayloadPointer<char>(payload)) {
        text.Assign(bytes, length);
      } else {
        text.Assign(nullptr, 0);
      }
      return;
    default:
      break;
  }
  text.Assign(nullptr, 0);
}
