// Opens the log file through its UTF-16 name, so that desktops with non-ASCII names work.
#include "utility/LogFileOpen.h"

#include <cstdio>
#include <vector>

#include "utility/TextFunctions.h"

std::FILE* OpenLogFileForAppend(const char* path) {
  const int32_t units = Utf8ToUtf16(path, -1, nullptr, 0);
  if (units <= 0) return nullptr;
  std::vector<char16_t> wide(static_cast<size_t>(units) + 1, u'\0');
  Utf8ToUtf16(path, -1, wide.data(), units);
  return _wfopen(reinterpret_cast<const wchar_t*>(wide.data()), L"a+");
}
