// The standard folders as this system reports them: the shell (only when the process has
// already loaded it), the environment and the process itself.
#include <windows.h>

#include <objbase.h>

#include <new>
#include <vector>

#include "utility/NVFileSpec.h"
#include "utility/SpecialFolderRules.h"

namespace {

constexpr DWORD kShellPathCapacity = MAX_PATH;  // what the shell path calls require
constexpr DWORD kVariableCapacity = 2048;
constexpr int kVariableNameCapacity = 64;

using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
using GetFolderLocationFn = HRESULT(WINAPI*)(HWND, int, void**);
using PathFromIdListFn = BOOL(WINAPI*)(const void*, LPWSTR);

template <typename Fn>
Fn ShellFunction(HMODULE shell, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, name)));
}

bool PathFromFolderPath(HMODULE shell, int csidl, wchar_t* path) {
  auto getFolderPath = ShellFunction<GetFolderPathFn>(shell, "SHGetFolderPathW");
  return getFolderPath != nullptr &&
         getFolderPath(nullptr, csidl, nullptr, 0 /* current value */, path) == S_OK;
}

bool PathFromItemList(HMODULE shell, int csidl, wchar_t* path) {
  auto getLocation = ShellFunction<GetFolderLocationFn>(shell, "SHGetSpecialFolderLocation");
  auto pathFromIdList = ShellFunction<PathFromIdListFn>(shell, "SHGetPathFromIDListW");
  if (getLocation == nullptr || pathFromIdList == nullptr) return false;
  void* idList = nullptr;
  if (getLocation(nullptr, csidl, &idList) != S_OK || idList == nullptr) return false;
  const bool found = pathFromIdList(idList, path) != FALSE;
  CoTaskMemFree(idList);  // the shell allocates item lists with the COM allocator
  return found;
}

// A variable value that may be longer than the usual buffer is read whole, with a buffer of
// the size the system asks for. The value may change between calls, hence the few attempts.
bool ReadVariable(const wchar_t* name, UtilStr& value) {
  std::vector<wchar_t> units;
  DWORD capacity = kVariableCapacity;
  for (int attempt = 0; attempt < 4; ++attempt) {
    try {
      units.resize(capacity);
    } catch (const std::bad_alloc&) {
      return false;
    }
    const DWORD length = GetEnvironmentVariableW(name, units.data(), capacity);
    if (length == 0) return false;
    if (length < capacity) {
      value.AssignUtf16(reinterpret_cast<const char16_t*>(units.data()),
                        static_cast<int32_t>(length));
      return true;
    }
    capacity = length;  // the size needed, terminator included
  }
  return false;
}

class SystemFolderSource final : public FolderSource {
 public:
  // The shell is used only when something else has loaded it: this library never pulls it
  // into a process on its own.
  bool ShellFolder(int csidl, UtilStr& path) override {
    const HMODULE shell = GetModuleHandleW(L"shell32.dll");
    if (shell == nullptr) return false;
    wchar_t units[kShellPathCapacity] = {};
    if (!PathFromFolderPath(shell, csidl, units)) {
      units[0] = 0;
      if (!PathFromItemList(shell, csidl, units)) return false;
    }
    units[kShellPathCapacity - 1] = 0;
    if (units[0] == 0) return false;
    path.AssignUtf16(reinterpret_cast<const char16_t*>(units), -1);
    return true;
  }

  bool Variable(const char* name, UtilStr& value) override {
    // The names asked for are short ASCII texts.
    wchar_t wideName[kVariableNameCapacity] = {};
    for (int i = 0; name[i] != 0 && i < kVariableNameCapacity - 1; ++i) wideName[i] = name[i];
    return ReadVariable(wideName, value);
  }

  int32_t Executable(NVFileSpec& spec) override { return spec.SetToExecutable(); }
};

}  // namespace

int32_t NVFileSpec::SetToSpecialFolder(int kind) {
  SystemFolderSource source;
  return ResolveSpecialFolder(kind, source, *this);
}
