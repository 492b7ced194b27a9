#include "refengine/JournalFile.h"

#include <windows.h>

#include "refengine/JournalLine.h"
#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

std::wstring Utf8ToWide(const std::string& text) {
  if (text.empty()) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(units > 0 ? units : 0), L'\0');
  if (units > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), units);
  return wide;
}

}  // namespace

uint32_t JournalFile::Open(const std::string& utf8Path) {
  Close();
  if (utf8Path.empty()) return 0;
  HANDLE file = CreateFileW(Utf8ToWide(utf8Path).c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return GetLastError();
  mHandle = file;
  return 0;
}

void JournalFile::Append(const std::string& text) {
  if (!mHandle) return;
  DWORD written = 0;
  WriteFile(static_cast<HANDLE>(mHandle), text.data(), DWORD(text.size()), &written, nullptr);
}

void JournalFile::Close() {
  if (mHandle) CloseHandle(static_cast<HANDLE>(mHandle));
  mHandle = nullptr;
}

std::string JournalFileFromEnvironment() {
  wchar_t path[1024];
  const DWORD length = GetEnvironmentVariableW(L"" REFENGINE_JOURNAL_ENV, path, 1024);
  if (length == 0 || length >= 1024) return {};
  return WideToUtf8(reinterpret_cast<const char16_t*>(path), length);
}

}  // namespace refengine
