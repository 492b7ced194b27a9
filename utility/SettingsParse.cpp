// Reading statements "key = value" from the tokens of a value text into a SettingsTable.
//
// A malformed statement never stops the reading: its stray tokens are skipped up to the next
// "=", and whatever follows that "=" is stored, so one bad line costs at most its own entry.
#include <cstring>
#include <memory>

#include "utility/SettingsTable.h"
#include "utility/TokenList.h"

namespace {

int64_t Negated(int64_t value) {
  return static_cast<int64_t>(0 - static_cast<uint64_t>(value));  // wraps like the hardware
}

bool IsNumber(uint8_t type) {
  return type == TokenType::kInteger || type == TokenType::kFloat;
}

}  // namespace

class SettingsParser {
 public:
  SettingsParser(SettingsTable& table, const TokenList& tokens) : mTable(table), mTokens(tokens) {}

  // True when every statement was well formed.
  bool Run() {
    int32_t i = 0;
    while (i < mTokens.count) {
      Key key;
      i = ReadKey(i, key);
      for (; i < mTokens.count && TypeAt(i) != TokenType::kEquals; ++i) mWellFormed = false;
      if (i >= mTokens.count) {
        mWellFormed = false;
        break;
      }
      i = ReadValue(i + 1, key);
    }
    return mWellFormed;
  }

 private:
  struct Key {
    bool numbered = false;
    int64_t number = 0;
    UtilStr name;
  };

  uint8_t TypeAt(int32_t i) const { return i < mTokens.count ? mTokens.Type(i) : 0; }

  int64_t NumberAt(int32_t i) const {
    return TypeAt(i) == TokenType::kFloat ? TruncateToInt64(mTokens.Float(i)) : mTokens.Integer(i);
  }

  // Reads the key that starts at i and returns the index after it. A token that cannot begin
  // a key is left in place (the skip up to "=" passes over it) and the key stays the empty name.
  int32_t ReadKey(int32_t i, Key& key) {
    const uint8_t type = TypeAt(i);
    if (type == TokenType::kName) {
      key.name = *mTokens.Text(i++);
      while ((TypeAt(i) == TokenType::kPoint || TypeAt(i) == TokenType::kMinus) &&
             TypeAt(i + 1) == TokenType::kName) {
        key.name.AppendChar(TypeAt(i) == TokenType::kPoint ? '.' : '-');
        key.name.Append(*mTokens.Text(i + 1));
        i += 2;
      }
      return i;
    }
    if (type == TokenType::kString) {
      key.name = *mTokens.Text(i);
      return i + 1;
    }
    if (IsNumber(type)) {
      key.numbered = true;
      key.number = NumberAt(i);
      return i + 1;
    }
    if (type == TokenType::kMinus && IsNumber(TypeAt(i + 1))) {
      key.numbered = true;
      key.number = Negated(NumberAt(i + 1));
      return i + 2;
    }
    mWellFormed = false;
    return i;
  }

  // Reads the value that starts at i (just after "=") and returns the index after it.
  int32_t ReadValue(int32_t i, const Key& key) {
    bool negative = false;
    if (TypeAt(i) == TokenType::kMinus) {
      negative = true;
      ++i;
    }
    switch (TypeAt(i)) {
      case TokenType::kInteger: {
        const int64_t value = mTokens.Integer(i);
        Store(key, negative ? Negated(value) : value, SettingsEntry::kInteger);
        break;
      }
      case TokenType::kFloat: {
        const double value = negative ? -mTokens.Float(i) : mTokens.Float(i);
        int64_t bits;
        memcpy(&bits, &value, sizeof(bits));
        Store(key, bits, SettingsEntry::kFloat);
        break;
      }
      case TokenType::kName:
      case TokenType::kString:
        StoreText(key, *mTokens.Text(i));
        break;
      default:
        mWellFormed = false;
        break;
    }
    return i < mTokens.count ? i + 1 : i;
  }

  int32_t Find(const Key& key, int64_t* value) const {
    return key.numbered ? mTable.mNumbered.Get(static_cast<uint64_t>(key.number), value)
                        : mTable.mNamed.Get(key.name.Text(), key.name.Length(), value);
  }

  void Store(const Key& key, int64_t value, int32_t flags) {
    if (key.numbered) {
      mTable.mNumbered.Set(static_cast<uint64_t>(key.number), value, flags);
    } else {
      mTable.mNamed.Set(key.name, value, flags);
    }
  }

  // A key that already holds a text keeps its string object and takes the new text into it.
  void StoreText(const Key& key, const UtilStr& text) {
    int64_t old = 0;
    if (Find(key, &old) & SettingsEntry::kText) {
      if (UtilStr* existing = TableValueAsPointer<UtilStr>(old)) {
        *existing = text;
        return;
      }
    }
    auto copy = std::make_unique<UtilStr>(text);
    Store(key, TableValueFromPointer(copy.get()), SettingsEntry::kOwnedText);
    copy.release();
  }

  SettingsTable& mTable;
  const TokenList& mTokens;
  bool mWellFormed = true;
};

int32_t SettingsTable::Parse(const char* text, int32_t length) {
  TokenList tokens;
  tokens.options = 1;
  const bool whole = Tokenize(tokens, text, length);
  const bool wellFormed = SettingsParser(*this, tokens).Run();
  // A text the scanner gave up on may have lost statements: that is never a clean result.
  return whole && wellFormed ? SettingsStatus::kOk : SettingsStatus::kMalformed;
}
