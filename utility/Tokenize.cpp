// The value-text scanner: names, numbers, character constants, string literals and one-byte
// punctuation, with names and strings interned so that a text of many statements allocates
// one string per distinct word.
#include <cstring>
#include <memory>

#include "utility/TextFunctions.h"
#include "utility/TextRules.h"
#include "utility/TokenList.h"
#include "utility/Unescape.h"

namespace {

bool IsLetter(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
bool IsHexDigit(unsigned char c) {
  return text_rules::HexDigitValue(c) >= 0;
}
bool IsNameByte(unsigned char c) {
  return IsLetter(c) || IsDigit(c) || c == '_' || c == '.';
}

uint8_t PunctuationType(unsigned char c) {
  static const char kSingles[] = "+-*/\\%=!;:,.^&|~#$@";  // types 16 to 34 in this order
  static const char kBrackets[] = "(){}[]";               // types 48 to 53 in this order
  if (c == 0) return TokenType::kOther;
  if (const char* at = strchr(kSingles, c)) {
    return static_cast<uint8_t>(TokenType::kPlus + (at - kSingles));
  }
  if (const char* at = strchr(kBrackets, c)) {
    return static_cast<uint8_t>(TokenType::kOpenParenthesis + (at - kBrackets));
  }
  return TokenType::kOther;
}

class Tokenizer {
 public:
  Tokenizer(TokenList& list, const char* text, int32_t length)
      : mList(list), mText(text), mLength(length) {}

  bool Run();

 private:
  unsigned char At(int32_t position) const {
    return position < mLength ? static_cast<unsigned char>(mText[position]) : 0;
  }
  void Reset();
  int32_t AddToken(uint8_t type, int32_t start);
  void AddText(uint8_t type, int32_t start, const char* text, int32_t length);
  int32_t ClosingQuote(int32_t from, char quote) const;
  int32_t ScanName(int32_t start);
  int32_t ScanCharacterConstant(int32_t start);
  int32_t ScanString(int32_t start);
  // The position after the number, or -1 when a letter that cannot follow a number ends it.
  int32_t ScanNumber(int32_t start);
  int32_t ScanHexNumber(int32_t start);

  TokenList& mList;
  const char* mText;
  int32_t mLength;
};

void Tokenizer::Reset() {
  const int32_t words = (mLength / 2 > 1 ? mLength / 2 : 1);
  mList.storage.PrepareBuffer(words * 4 + 200);
  mList.tokens = reinterpret_cast<const uint32_t*>(mList.storage.Text());
  mList.count = 0;
  mList.values.Clear();
  mList.texts.Clear();
  mList.values.Rehash(mLength / 6);
  mList.texts.Rehash(mLength / 10);
}

int32_t Tokenizer::AddToken(uint8_t type, int32_t start) {
  const uint32_t word = (static_cast<uint32_t>(start) << 8) | type;
  mList.storage.Append(&word, sizeof(word));
  mList.tokens = reinterpret_cast<const uint32_t*>(mList.storage.Text());
  return mList.count++;
}

// Interns the text (one UtilStr per distinct text, owned by the texts table) and stores a
// pointer to it as the token's value.
void Tokenizer::AddText(uint8_t type, int32_t start, const char* text, int32_t length) {
  int64_t value = 0;
  if (mList.texts.Get(text, length, &value) == 0) {
    auto interned = std::make_unique<UtilStr>(text, length);
    value = TableValueFromPointer(interned.get());
    mList.texts.Set(*interned, value, kTableOwnsValue);
    interned.release();
  }
  mList.values.Set(static_cast<uint64_t>(AddToken(type, start)), value, 0);
}

// The position of the quote that closes a literal whose content starts at from, or the end of
// the text. A backslash escapes the byte after it, so "C:\\" ends at its last quote.
int32_t Tokenizer::ClosingQuote(int32_t from, char quote) const {
  int32_t p = from;
  while (p < mLength && mText[p] != quote) p += mText[p] == '\\' ? 2 : 1;
  return p < mLength ? p : mLength;
}

int32_t Tokenizer::ScanName(int32_t start) {
  int32_t end = start + 1;
  while (end < mLength && IsNameByte(At(end))) ++end;
  AddText(TokenType::kName, start, mText + start, end - start);
  return end;
}

int32_t Tokenizer::ScanCharacterConstant(int32_t start) {
  const int32_t close = ClosingQuote(start + 1, '\'');
  char bytes[8];
  int32_t position = start + 1;
  const int32_t n = Unescape(mText, close, bytes, sizeof(bytes), '\'', &position);
  uint64_t packed = 0;
  for (int32_t i = 0; i < n; ++i) packed = (packed << 8) | static_cast<unsigned char>(bytes[i]);
  mList.values.Set(static_cast<uint64_t>(AddToken(TokenType::kInteger, start)),
                   static_cast<int64_t>(packed), 0);
  return close < mLength ? close + 1 : mLength;
}

int32_t Tokenizer::ScanString(int32_t start) {
  const int32_t close = ClosingQuote(start + 1, '"');
  const int32_t content = close - (start + 1);
  // Unescaping never makes a text longer, so the content's length is room enough.
  UtilStr& scratch = mList.scratch;
  scratch.Assign(nullptr, content);
  int32_t position = start + 1;
  const int32_t n =
      Unescape(mText, close, const_cast<char*>(scratch.Text()), scratch.Length(), '"', &position);
  scratch.RemoveLast(scratch.Length() - n);
  AddText(TokenType::kString, start, scratch.Text(), scratch.Length());
  return close < mLength ? close + 1 : mLength;
}

int32_t Tokenizer::ScanHexNumber(int32_t start) {
  int32_t p = start + 2;  // past 0x
  uint64_t value = 0;
  for (; IsHexDigit(At(p)); ++p) {
    const unsigned char c = At(p);
    const unsigned digit = IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
    value = value * 16 + digit;
  }
  const unsigned char suffix = At(p) | 0x20;
  if (suffix == 'l' || suffix == 'u') {
    ++p;
    if ((At(p) | 0x20) == 'l') ++p;
  } else if (IsLetter(At(p))) {
    return -1;
  }
  mList.values.Set(static_cast<uint64_t>(AddToken(TokenType::kInteger, start)),
                   static_cast<int64_t>(value), 0);
  return p;
}

int32_t Tokenizer::ScanNumber(int32_t start) {
  if (At(start) == '0' && (At(start + 1) | 0x20) == 'x') return ScanHexNumber(start);
  bool isFloat = false, sawPoint = false, inExponent = false;
  int32_t p = start;
  int32_t textEnd = -1;  // where the number's text ends when a suffix follows it
  for (; p < mLength; ++p) {
    const unsigned char c = At(p);
    const unsigned char lower = c | 0x20;
    if (IsDigit(c)) continue;
    if (c == '.' && !sawPoint && !inExponent) {
      sawPoint = isFloat = true;
    } else if (lower == 'e' && !inExponent) {
      isFloat = inExponent = true;
    } else if (lower == 'd' || lower == 'f') {
      isFloat = true;
      textEnd = p++;
      break;
    } else if (lower == 'l' || lower == 'u') {
      textEnd = p++;
      if ((At(p) | 0x20) == 'l') ++p;
      break;
    } else if (IsLetter(c)) {
      return -1;
    } else {
      break;  // a sign after the exponent letter ends the number as well
    }
  }
  if (textEnd < 0) textEnd = p;
  const char* text = mText + start;
  const int32_t length = textEnd - start;
  int64_t value;
  if (isFloat) {
    const double real = ParseFloat(text, length);
    memcpy(&value, &real, sizeof(value));
  } else {
    value = ParseInt64(text, length);
  }
  mList.values.Set(
      static_cast<uint64_t>(AddToken(isFloat ? TokenType::kFloat : TokenType::kInteger, start)),
      value, 0);
  return p;
}

bool Tokenizer::Run() {
  Reset();
  int32_t p = 0;
  while (p < mLength) {
    const unsigned char c = At(p);
    if (c <= 0x20) {
      ++p;  // a carriage return and line feed pair is skipped like any two blanks
    } else if (IsLetter(c) || c == '_') {
      p = ScanName(p);
    } else if (IsDigit(c) || (c == '.' && IsDigit(At(p + 1)))) {
      p = ScanNumber(p);
      if (p < 0) return false;
    } else if (c == '\'') {
      p = ScanCharacterConstant(p);
    } else if (c == '"') {
      p = ScanString(p);
    } else {
      AddToken(PunctuationType(c), p);
      ++p;
    }
  }
  return true;
}

}  // namespace

bool Tokenize(TokenList& list, const char* text, int32_t length) {
  if (text == nullptr) length = 0;
  const size_t measured = length >= 0 ? static_cast<size_t>(length) : strlen(text);
  if (measured > static_cast<size_t>(kLongestTokenSource)) {
    list.count = 0;
    list.storage.PrepareBuffer(0);
    list.tokens = reinterpret_cast<const uint32_t*>(list.storage.Text());
    list.values.Clear();
    list.texts.Clear();
    return false;
  }
  return Tokenizer(list, text ? text : "", static_cast<int32_t>(measured)).Run();
}
