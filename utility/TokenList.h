// TokenList: the tokens of a value text, as Tokenize produces them.
//
// Each token is one 32-bit word: the token type in the low 8 bits and the byte position where
// the token starts in the source in the upper 24 bits, which is why a source may hold at most
// 0xFFFFFF bytes. Numbers, names and string literals have a value stored under the token's
// index in `values`: a signed 64-bit integer, a double's bits, or a pointer to the interned
// UtilStr of the name or the unescaped string (owned by `texts`, one per distinct text).
#pragma once

#include <cstdint>
#include <cstring>

#include "utility/IntTable.h"
#include "utility/StrTable.h"
#include "utility/UtilStr.h"

namespace TokenType {
constexpr uint8_t kInteger = 1;  // decimal, hexadecimal or a character constant
constexpr uint8_t kFloat = 3;
constexpr uint8_t kString = 4;  // a text in double quotes
constexpr uint8_t kName = 5;
constexpr uint8_t kPlus = 16;
constexpr uint8_t kMinus = 17;
constexpr uint8_t kStar = 18;
constexpr uint8_t kSlash = 19;
constexpr uint8_t kBackslash = 20;
constexpr uint8_t kPercent = 21;
constexpr uint8_t kEquals = 22;
constexpr uint8_t kExclamation = 23;
constexpr uint8_t kSemicolon = 24;
constexpr uint8_t kColon = 25;
constexpr uint8_t kComma = 26;
constexpr uint8_t kPoint = 27;
constexpr uint8_t kCaret = 28;
constexpr uint8_t kAmpersand = 29;
constexpr uint8_t kBar = 30;
constexpr uint8_t kTilde = 31;
constexpr uint8_t kHash = 32;
constexpr uint8_t kDollar = 33;
constexpr uint8_t kAt = 34;
constexpr uint8_t kOpenParenthesis = 48;
constexpr uint8_t kCloseParenthesis = 49;
constexpr uint8_t kOpenBrace = 50;
constexpr uint8_t kCloseBrace = 51;
constexpr uint8_t kOpenBracket = 52;
constexpr uint8_t kCloseBracket = 53;
constexpr uint8_t kOther = 255;  // any other byte above 0x20
}  // namespace TokenType

// The longest source a token position can describe.
constexpr int32_t kLongestTokenSource = 0xFFFFFF;

struct TokenList {
  UtilStr scratch;      // the unescaped content of the string literal being read
  UtilStr storage;      // holds the token words
  int32_t options = 1;  // every use in this system tokenizes with options 1
  int32_t count = 0;
  const uint32_t* tokens = nullptr;  // into storage
  IntTable values;                   // value of token i under key i
  StrTable texts{true};              // one shared UtilStr per distinct name or string text

  uint32_t Word(int32_t index) const {
    uint32_t word;
    memcpy(&word, storage.Text() + static_cast<size_t>(index) * sizeof(word), sizeof(word));
    return word;
  }
  uint8_t Type(int32_t index) const { return static_cast<uint8_t>(Word(index) & 0xFF); }
  int32_t Position(int32_t index) const { return static_cast<int32_t>(Word(index) >> 8); }
  int64_t Integer(int32_t index) const;  // 0 when the token has no value
  double Float(int32_t index) const;
  const UtilStr* Text(int32_t index) const;  // null for tokens without text
};

// Splits text into tokens (a negative length: zero-terminated). False when the text is longer
// than kLongestTokenSource bytes (no tokens at all) or when a number runs into a letter that
// cannot follow it, as in 12q (the tokens before it remain).
bool Tokenize(TokenList& list, const char* text, int32_t length);
