#include "utility/Unescape.h"

#include "utility/TextRules.h"

namespace {

using text_rules::HexDigitValue;
using ByteReader = text_rules::TextReader;

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
