// Variant: a tagged value (integer, floating-point, text, pointer or nothing) filled from the
// typed values the visual engine hands back: a type letter, a byte length for texts and an
// 8-byte payload holding a number, a float in its first 4 bytes, a double, a pointer or a
// pointer to text.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"
#include "utility/UtilStr.h"

namespace VariantType {
constexpr int32_t kInteger = 257;  // also truth values
constexpr int32_t kFloat = 514;
constexpr int32_t kText = 1028;
constexpr int32_t kPointer = 2057;
constexpr int32_t kNone = 5;
}  // namespace VariantType

class Variant : public NVObject {
 public:
  Variant() = default;

  // Type letters: '*' pointer; 'C', 'I', 'c', 'i' 64-bit integer; 'b' truth value; 'F' double;
  // 'f' float; 'W' UTF-16 text of length bytes; 's' UTF-8 text of length bytes (negative:
  // zero-terminated). Any other letter gives kNone. The payload is read as little-endian bytes;
  // a text payload is a pointer, and a null pointer gives the empty text.
  void SetFromTyped(int32_t typeLetter, int32_t length, const uint8_t (&payload)[8]);

  int32_t type = VariantType::kNone;
  int64_t integer = 0;  // also pointers
  double real = 0;
  UtilStr text;
};
