#include "utility/tests/win/TempTree.h"

#include <string>

namespace {

NVFileSpec SpecOfWide(const std::wstring& wide) {
  UtilStr text;
  text.AssignUtf16(reinterpret_cast<const char16_t*>(wide.c_str()),
                   static_cast<int32_t>(wide.size()));
  NVFileSpec spec;
  spec.SetPath(text);
  return spec;
}

}  // namespace

TempTree::TempTree() {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  static int counter = 0;
  const std::wstring name =
      L"nvfiles-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
  mRoot = SpecOfWide(std::wstring(temp, length) + name);
  RemoveTree(mRoot);
  MakeFolder(mRoot);
}

TempTree::~TempTree() {
  RemoveTree(mRoot);
}

NVFileSpec TempTree::Child(const std::string& relative) const {
  NVFileSpec child;
  child.SetChild(relative.c_str(), -1, mRoot);
  return child;
}

std::wstring WideOf(const NVFileSpec& spec) {
  // The system's own limit, so that fixtures can go deeper than the code under test reaches.
  constexpr int32_t kCapacity = 32768;
  std::u16string units(kCapacity, u'\0');
  const int32_t length = spec.ToWide(units.data(), kCapacity);
  return std::wstring(reinterpret_cast<const wchar_t*>(units.data()), length);
}

bool MakeFolder(const NVFileSpec& spec) {
  return CreateDirectoryW(WideOf(spec).c_str(), nullptr) != FALSE;
}

bool WriteBytes(const NVFileSpec& spec, const std::string& bytes) {
  const HANDLE file =
      CreateFileW(WideOf(spec).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string ReadBytes(const NVFileSpec& spec) {
  const HANDLE file = CreateFileW(WideOf(spec).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

void RemoveTree(const NVFileSpec& spec) {
  const std::wstring folder = WideOf(spec);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      UtilStr utf8;
      utf8.AssignUtf16(reinterpret_cast<const char16_t*>(name.c_str()), -1);
      NVFileSpec child;
      child.SetChild(utf8.Text(), utf8.Length(), spec);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(WideOf(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(WideOf(child).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

NVFileSpec MakeDeepFolder(const NVFileSpec& root, int32_t minimumLength) {
  NVFileSpec folder = root;
  for (int i = 0; folder.Path().Length() < minimumLength; ++i) {
    const std::string name = "deep-folder-name-" + std::to_string(i);
    folder.SetChild(name.c_str(), -1, folder);
    if (!MakeFolder(folder)) return NVFileSpec();
  }
  return folder;
}
