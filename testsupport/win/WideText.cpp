#include "testsupport/win/WideText.h"

#include <windows.h>

std::string Utf8(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int bytes =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(size_t(bytes > 0 ? bytes : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), text.data(), bytes, nullptr,
                      nullptr);
  return text;
}

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring text(size_t(units > 0 ? units : 0), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), text.data(), units);
  return text;
}
