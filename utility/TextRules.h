// Internal to this library and the libraries built on it: the small rules every piece of text
// code must apply alike, kept in one place so that no two copies drift apart. Not an interface
// that a player or the engine sees.
//
// - A byte count is signed 32-bit and a negative count means the text is zero-terminated
//   (MeasuredLength). A zero-terminated text of 0x7FFFFFFF bytes or more is outside what a
//   count can hold and counts as empty, as in the string constructors; a null text is empty
//   whatever count comes with it.
// - TextReader reads such a text byte by byte without ever reading past its end (in a
//   zero-terminated text, never past the terminator), so a zero byte inside a counted text is
//   ordinary content.
// - BoundedLength measures a zero-terminated text of 8-bit or 16-bit units that someone else
//   handed over (a player's memory) without reading more than a bound of it.
// - HexDigitValue and the surrogate tests are the one definition of those character classes.
#pragma once

#include <cstdint>

namespace text_rules {

// The byte count of the text: the count itself when it is not negative, otherwise the
// measured zero-terminated length (0 for a text too long to count). 0 for a null text.
int32_t MeasuredLength(const char* text, int32_t length);

// The length of a zero-terminated text, reading at most `bound` units: a text without a
// terminator among them counts as `bound` long. 0 for a null text or a bound below 1.
template <typename Unit>
int32_t BoundedLength(const Unit* text, int32_t bound) {
  if (text == nullptr) return 0;
  int32_t length = 0;
  while (length < bound && text[length] != 0) ++length;
  return length;
}

// The value of a hexadecimal digit (either letter case), or -1 for any other byte (and for -1,
// the end of a TextReader's text).
constexpr int HexDigitValue(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

constexpr bool IsHighSurrogate(uint32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(uint32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads a text that is either counted or zero-terminated (negative length), from a starting
// position (negative: 0). The end is reported as -1.
class TextReader {
 public:
  TextReader(const char* text, int32_t length, int32_t position = 0)
      : mBytes(reinterpret_cast<const uint8_t*>(text)),
        mLength(text != nullptr ? length : 0),
        mPosition(position > 0 ? position : 0) {}

  // The byte `offset` places ahead as 0 to 255, or -1 when the text ends before it. Inline:
  // the parsers call it for every byte.
  int Peek(int32_t offset = 0) const {
    if (offset < 0) return -1;
    if (mLength >= 0) return offset < mLength - mPosition ? mBytes[mPosition + offset] : -1;
    // Zero-terminated: every byte up to the one asked for must lie before the terminator.
    for (int32_t i = 0;; ++i) {
      const uint8_t byte = mBytes[mPosition + i];
      if (byte == 0) return -1;
      if (i == offset) return byte;
    }
  }
  bool AtEnd() const { return Peek() < 0; }
  void Skip() { ++mPosition; }
  // The byte at the position, which moves on; only called when not at the end.
  char Take() { return static_cast<char>(mBytes[mPosition++]); }
  int32_t Position() const { return mPosition; }
  // What is left, as a text and a count (negative for a zero-terminated text).
  const char* Rest() const { return reinterpret_cast<const char*>(mBytes + mPosition); }
  int32_t RestLength() const { return mLength >= 0 ? mLength - mPosition : -1; }

 private:
  const uint8_t* mBytes;
  int32_t mLength;
  int32_t mPosition;
};

}  // namespace text_rules
