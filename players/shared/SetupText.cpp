#include "players/shared/SetupText.h"

#include <windows.h>

#include "utility/TextFunctions.h"

namespace standin {

std::string SetupText() {
  const wchar_t* line = GetCommandLineW();
  if (*line == L'"') {
    ++line;
    while (*line && *line != L'"') ++line;
    if (*line) ++line;
  } else {
    while (*line && *line != L' ' && *line != L'\t') ++line;
  }
  const auto* wide = reinterpret_cast<const char16_t*>(line);
  const int32_t units = int32_t(std::char_traits<char16_t>::length(wide));
  std::string utf8(size_t(Utf16ToUtf8(wide, units, nullptr, 0)), '\0');
  Utf16ToUtf8(wide, units, utf8.data(), int32_t(utf8.size()));
  return utf8;
}

std::wstring Wide(const std::string& utf8) {
  const int32_t length = int32_t(utf8.size());
  std::u16string wide(size_t(length) + 1, u'\0');
  const int32_t units = Utf8ToUtf16(utf8.data(), length, wide.data(), int32_t(wide.size()));
  return std::wstring(wide.begin(), wide.begin() + (units > 0 ? units : 0));
}

}  // namespace standin
