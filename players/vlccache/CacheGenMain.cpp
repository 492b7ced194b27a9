// vlc-cache-gen.exe <plugins folder>: writes <plugins folder>\plugins.dat, one line per module
// found below the folder, in the journal format the stand-ins use:
//   Module path="visualization/libglimmora_plugin.dll" name="glimmora" capability="visualization"
//   Module path="..." error=<load error>          a module that did not load
//   Module path="..." entry=0                     a library without VLC's entry point
// The cache is written whole, replacing the previous one. Exit code 0, or 2 for a missing or
// unreadable folder (the cache is then left as it was).
#include <windows.h>

// After windows.h, whose types it uses.
#include <shellapi.h>

#include <string>

#include "players/vlccache/ModuleScan.h"
#include "refengine/JournalLine.h"

namespace {

std::string CacheText(const std::vector<vlccache::ScannedModule>& modules) {
  std::string text;
  for (const auto& module : modules) {
    refengine::JournalLine line("Module");
    line.Text("path", module.path);
    if (module.loadError != 0) {
      line.Number("error", module.loadError);
    } else if (!module.hasEntry) {
      line.Number("entry", 0);
    } else {
      line.Number("result", module.entryResult);
      line.Text("name", module.name);
      line.Text("capability", module.capability);
    }
    text += line.str();
    text += "\r\n";
  }
  return text;
}

bool WriteWhole(const std::wstring& path, const std::string& text) {
  const std::wstring partial = path + L".new";
  HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size();
  CloseHandle(file);
  if (!ok) {
    DeleteFileW(partial.c_str());
    return false;
  }
  return MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (args == nullptr || count < 2) return 2;
  std::wstring folder = args[1];
  LocalFree(args);
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return 2;
  const auto modules = vlccache::ScanModules(folder);
  return WriteWhole(folder + L"\\plugins.dat", CacheText(modules)) ? 0 : 2;
}
