// Asks the shell for the desktop folder. SHGetFolderPathW is looked up by name because older
// shells lack it; the item-list pair serves there instead.
#include "utility/win/DesktopFolder.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "utility/TextFunctions.h"

namespace {

constexpr int kCsidlDesktopFolder = 16;  // CSIDL_DESKTOPDIRECTORY
constexpr int kCsidlDesktop = 0;         // CSIDL_DESKTOP
constexpr DWORD kCurrentValue = 0;       // SHGFP_TYPE_CURRENT

using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);

bool AskShell(int csidl, wchar_t (&path)[MAX_PATH]) {
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (shell == nullptr) shell = LoadLibraryW(L"shell32.dll");
  if (shell == nullptr) return false;
  auto getFolderPath = reinterpret_cast<GetFolderPathFn>(
      reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHGetFolderPathW")));
  if (getFolderPath != nullptr &&
      SUCCEEDED(getFolderPath(nullptr, csidl, nullptr, kCurrentValue, path)) && path[0] != 0) {
    return true;
  }
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || items == nullptr) return false;
  const bool found = SHGetPathFromIDListW(items, path) && path[0] != 0;
  CoTaskMemFree(items);
  return found;
}

// Drops a long-path prefix and a trailing separator (a drive root keeps its backslash).
std::string Normalized(std::string path) {
  if (path.size() >= 8 && CompareText(path.data(), 8, "\\\\?\\UNC\\", 8, false) == 0) {
    path.replace(0, 8, "\\\\");
  } else if (path.rfind("\\\\?\\", 0) == 0) {
    path.erase(0, 4);
  }
  if (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

std::string ToUtf8(const wchar_t* wide) {
  const auto* units = reinterpret_cast<const char16_t*>(wide);
  const int32_t bytes = Utf16ToUtf8(units, -1, nullptr, 0);
  if (bytes <= 0) return std::string();
  std::string text(static_cast<size_t>(bytes), '\0');
  Utf16ToUtf8(units, -1, text.data(), bytes);
  return text;
}

}  // namespace

std::string FindDesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  if (!AskShell(kCsidlDesktopFolder, path) && !AskShell(kCsidlDesktop, path)) return std::string();
  return Normalized(ToUtf8(path));
}
