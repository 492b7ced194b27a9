// Asks the shell for the desktop folder. SHGetFolderPathW is looked up by name because older
// shells lack it; the item-list pair serves there instead.
#include "utility/win/DesktopFolder.h"

#include <windows.h>
// After windows.h, whose types it uses.
#include <shlobj.h>

#include "utility/NVFileSpec.h"
#include "utility/TextFunctions.h"
#include "utility/UtilStr.h"

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
  NVFileSpec desktop;
  desktop.SetPath(UtilStr(ToUtf8(path).c_str()));
  return desktop.Text();
}
