#include "refengine/PreferenceFile.h"

#include <shlobj.h>
#include <windows.h>

#include "refengine/EngineTable.h"
#include "refengine/JournalLine.h"
#include "refengine/RefEngineControl.h"

namespace refengine {
namespace {

constexpr DWORD kMaxFileBytes = 1024 * 1024;

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(name, value, DWORD(std::size(value)));
  if (length == 0 || length >= std::size(value)) return {};
  return std::wstring(value, length);
}

std::wstring Widen(const char* ascii) {
  std::wstring wide;
  while (*ascii) wide.push_back(wchar_t(*ascii++));
  return wide;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : mHandle(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(mHandle);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return mHandle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return mHandle; }

 private:
  HANDLE mHandle;
};

void CreateParentFolder(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos || slash == 0) return;
  CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);  // fails harmlessly when present
}

}  // namespace

std::wstring DefaultPreferenceFile() {
  std::wstring path = Environment(L"" REFENGINE_PREFERENCES_ENV);
  if (!path.empty()) return path;
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return std::wstring(folder) + L"\\" + Widen(EngineName()) + L"\\Preferences.txt";
}

std::optional<std::string> ReadPreferenceFile(const std::wstring& path) {
  if (path.empty()) return std::nullopt;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileBytes) {
    return std::nullopt;
  }
  std::string bytes(size_t(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() && (!ReadFile(file.get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) ||
                         read != bytes.size())) {
    return std::nullopt;
  }
  return bytes;
}

uint32_t WritePreferenceFile(const std::wstring& path, const std::string& text) {
  if (path.empty()) return ERROR_PATH_NOT_FOUND;
  CreateParentFolder(path);
  const std::wstring temporary = path + L".new";
  uint32_t error = 0;
  {
    FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.get(), text.data(), DWORD(text.size()), &written, nullptr) ||
        written != text.size()) {
      error = GetLastError() ? GetLastError() : ERROR_WRITE_FAULT;
    }
  }
  if (error) {
    DeleteFileW(temporary.c_str());
    return error;
  }
  if (!MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    const uint32_t error = GetLastError();
    DeleteFileW(temporary.c_str());
    return error;
  }
  return 0;
}

std::wstring PreferencePathFromUtf8(const char* utf8) {
  if (!utf8 || !*utf8) return {};
  const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  if (units <= 1) return {};
  std::wstring path(size_t(units), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, path.data(), units);
  path.resize(size_t(units) - 1);
  return path;
}

std::string PreferencePathToUtf8(const std::wstring& path) {
  return WideToUtf8(reinterpret_cast<const char16_t*>(path.c_str()), path.size());
}

}  // namespace refengine
