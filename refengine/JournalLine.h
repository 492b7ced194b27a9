// One journal line under construction: a call name followed by key=value fields, in the
// format RefEngineControl.h describes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace refengine {

class JournalLine {
 public:
  explicit JournalLine(const char* call);

  JournalLine& Number(const char* key, int64_t value);
  JournalLine& Address(const char* key, const void* value);
  JournalLine& Code(const char* key, uint32_t code);
  JournalLine& Text(const char* key, std::string_view utf8);
  // UTF-16 text of at most maxUnits units, stopping at the first zero.
  JournalLine& WideText(const char* key, const char16_t* text, size_t maxUnits);
  JournalLine& Bytes(const char* key, const void* data, size_t count);

  const std::string& str() const { return mText; }

 private:
  void Key(const char* key);

  std::string mText;
};

// The UTF-8 form of UTF-16 text (at most maxUnits units, stopping at the first zero); a lone
// surrogate becomes U+FFFD.
std::string WideToUtf8(const char16_t* text, size_t maxUnits);

}  // namespace refengine
