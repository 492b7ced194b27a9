#include "players/vlccache/ModuleScan.h"

#include <windows.h>

#include <algorithm>

#include "players/vlc/ModuleBank.h"
#include "refengine/JournalLine.h"

namespace vlccache {
namespace {

bool IsModuleName(const std::wstring& name) {
  constexpr std::wstring_view kPrefix = L"lib";
  constexpr std::wstring_view kSuffix = L"_plugin.dll";
  if (name.size() <= kPrefix.size() + kSuffix.size()) return false;
  auto lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(), ::towlower);
  return lower.starts_with(kPrefix) && lower.ends_with(kSuffix);
}

std::string Utf8(const std::wstring& text) {
  return refengine::WideToUtf8(reinterpret_cast<const char16_t*>(text.c_str()), text.size());
}

ScannedModule Describe(const std::wstring& fullPath, const std::wstring& relative) {
  ScannedModule module;
  module.path = Utf8(relative);
  std::replace(module.path.begin(), module.path.end(), '\\', '/');
  HMODULE library = LoadLibraryW(fullPath.c_str());
  if (library == nullptr) {
    module.loadError = GetLastError();
    return module;
  }
  const vlcstandin::ModuleDescriptor descriptor = vlcstandin::ReadDescriptor(library);
  module.hasEntry = descriptor.hasEntry;
  module.entryResult = descriptor.entryResult;
  module.name = descriptor.name;
  module.capability = descriptor.capability;
  // VLC keeps modules that ask for it loaded; this tool ends right after the scan anyway.
  return module;
}

void ScanFolder(const std::wstring& root, const std::wstring& relative,
                std::vector<ScannedModule>* found) {
  const std::wstring folder = relative.empty() ? root : root + L"\\" + relative;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ScanFolder(root, child, found);
    } else if (IsModuleName(name)) {
      found->push_back(Describe(root + L"\\" + child, child));
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
}

}  // namespace

std::vector<ScannedModule> ScanModules(const std::wstring& pluginsFolder) {
  std::vector<ScannedModule> found;
  ScanFolder(pluginsFolder, L"", &found);
  std::sort(found.begin(), found.end(),
            [](const ScannedModule& a, const ScannedModule& b) { return a.path < b.path; });
  return found;
}

}  // namespace vlccache
