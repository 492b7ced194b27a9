#include "utility/Unescape.h"

namespace {

// The value of a hexadecimal digit, or -1.
int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a text either up to a known length or up to its terminating zero.
class ByteReader {
 public:
  ByteReader(const char* text, int32_t length, int32_t position)
      : mText(text), mLength(length), mPosition(position < 0 ? 0 : position) {}

  bool AtEnd() const { return mLength < 0 ? mText[mPosition] == 0 : mPosition >= mLength; }
  // The byte at the current position plus offset, or 0 past the end.
  char Peek(int32_t offset) const {
    for (int32_t i = 0; i <= offset; ++i) {
      if (mLength < 0 ? mText[mPosition + i] == 0 : mPosition + i >= mLength) return 0;
    }
    return mText[mPosition + offset];
  }
  char Take() { return mText[mPosition++]; }
  int32_t Position() const { return mPosition; }

 private:
  const char* mText;
  int32_t mLength;
  int32_t mPosition;
};

// The byte an escape stands for; the backslash has been read, the escape's letter has not.
char ReadEscape(ByteReader& reader) {
  const char c = reader.Take();
  switch (c) {
    case '0':
      return 0;
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    case 'x': {
      const int high = HexDigitValue(reader.Peek(0));
      const int low = high < 0 ? -1 : HexDigitValue(reader.Peek(1));
      if (low < 0) return c;
      reader.Take();
      reader.Take();
      return static_cast<char>(high * 16 + low);
    }
    default:
      return c;  // \" \' \\ and every unknown escape keep the byte itself
  }
}

}  // namespace

int32_t Unescape(const char* text, int32_t length, char* output, int32_t size, char delimiter,
                 int32_t* position) {
  if (text == nullptr || position == nullptr || (output == nullptr && size > 0)) return 0;
  ByteReader reader(text, length, *position);
  int32_t produced = 0;
  while (produced < size && !reader.AtEnd()) {
    const char c = reader.Take();
    if (c == '\\') {
      if (reader.AtEnd()) break;
      output[produced++] = ReadEscape(reader);
    } else if (delimiter != 0 && c == delimiter) {
      while (!reader.AtEnd() && reader.Take() != delimiter) {
      }
    } else {
      output[produced++] = c;
    }
  }
  *position = reader.Position();
  return produced;
}
