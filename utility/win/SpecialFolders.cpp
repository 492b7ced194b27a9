// The standard folders of the system, asked of the shell (when it is loaded in the process)
// or of the environment, with a fallback source for each kind.
#include <windows.h>

#include <objbase.h>

#include <new>
#include <vector>

#include "utility/FileStatus.h"
#include "utility/NVFileSpec.h"

namespace {

// Shell folder numbers (CSIDL values).
constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;
constexpr int kCsidlPersonal = 5;
constexpr int kCsidlDesktopDirectory = 16;
constexpr int kCsidlAppData = 26;
constexpr int kCsidlLocalAppData = 28;
constexpr int kCsidlWindows = 36;
constexpr int kCsidlSystem = 37;
constexpr int kCsidlCommonAppData = 35;
constexpr int kCsidlProgramFiles = 38;
constexpr int kCsidlProgramFilesCommon = 43;
constexpr int kNoFallback = -1;

constexpr DWORD kShellPathCapacity = MAX_PATH;  // what the shell path calls require
constexpr DWORD kVariableCapacity = 2048;

using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
using GetFolderLocationFn = HRESULT(WINAPI*)(HWND, int, void**);
using PathFromIdListFn = BOOL(WINAPI*)(const void*, LPWSTR);

template <typename Fn>
Fn ShellFunction(HMODULE shell, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(shell, name)));
}

// One shell folder into spec. The shell is used only when something else has loaded it: this
// library never pulls it into a process on its own.
bool AskShell(int csidl, NVFileSpec& spec) {
  const HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (shell == nullptr) return false;
  wchar_t path[kShellPathCapacity] = {};
  bool found = false;
  if (auto getFolderPath = ShellFunction<GetFolderPathFn>(shell, "SHGetFolderPathW")) {
    found = getFolderPath(nullptr, csidl, nullptr, 0 /* current value */, path) == S_OK;
  }
  if (!found) {
    auto getLocation = ShellFunction<GetFolderLocationFn>(shell, "SHGetSpecialFolderLocation");
    auto pathFromIdList = ShellFunction<PathFromIdListFn>(shell, "SHGetPathFromIDListW");
    void* idList = nullptr;
    if (getLocation != nullptr && pathFromIdList != nullptr &&
        getLocation(nullptr, csidl, &idList) == S_OK && idList != nullptr) {
      path[0] = 0;
      found = pathFromIdList(idList, path) != FALSE;
    }
    if (idList != nullptr) CoTaskMemFree(idList);
  }
  path[kShellPathCapacity - 1] = 0;
  if (!found || path[0] == 0) return false;
  UtilStr text;
  text.AssignUtf16(reinterpret_cast<const char16_t*>(path), -1);
  spec.SetPath(text);
  return true;
}

bool AskShell(int csidl, int fallbackCsidl, NVFileSpec& spec) {
  return AskShell(csidl, spec) || (fallbackCsidl != kNoFallback && AskShell(fallbackCsidl, spec));
}

// An environment variable as a path; a missing or empty variable gives false. A value longer
// than the usual buffer is read whole with a buffer of the size the system asks for.
bool ReadVariable(const wchar_t* name, NVFileSpec& spec) {
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
      UtilStr text;
      text.AssignUtf16(reinterpret_cast<const char16_t*>(units.data()),
                       static_cast<int32_t>(length));
      spec.SetPath(text);
      return true;
    }
    // Too small: length is the size needed, terminator included. The value may change
    // between calls, so try again a few times.
    capacity = length;
  }
  return false;
}

int32_t ProgramFiles(NVFileSpec& spec) {
  if (!AskShell(kCsidlProgramFiles, spec)) {
    // The usual place, for systems whose shell cannot say.
    spec.SetPath(UtilStr("C:\\Program Files\\"));
  }
  return FileStatus::kOk;
}

int32_t FromVariables(const wchar_t* first, const wchar_t* fallback, NVFileSpec& spec) {
  if (ReadVariable(first, spec)) return FileStatus::kOk;
  if (fallback != nullptr && ReadVariable(fallback, spec)) return FileStatus::kOk;
  return FileStatus::kPathNotFound;
}

int32_t FromShell(int csidl, int fallbackCsidl, NVFileSpec& spec) {
  return AskShell(csidl, fallbackCsidl, spec) ? FileStatus::kOk : FileStatus::kGeneralFailure;
}

// A shell folder's parent, as for the profile folder above the desktop.
int32_t ParentFromShell(int csidl, int fallbackCsidl, NVFileSpec& spec) {
  const int32_t status = FromShell(csidl, fallbackCsidl, spec);
  if (status == FileStatus::kOk) spec.SetParent(spec);
  return status;
}

int32_t SystemDriveRoot(NVFileSpec& spec) {
  const int32_t status = FromShell(kCsidlWindows, kCsidlSystem, spec);
  if (status == FileStatus::kOk) {
    const char root[] = {spec.Text()[0], ':', '\\', 0};
    spec.SetPath(UtilStr(root));
  }
  return status;
}

}  // namespace

int32_t NVFileSpec::SetToSpecialFolder(int kind) {
  switch (kind) {
    case SpecialFolderKind::kProgramFiles:
      return ProgramFiles(*this);
    case SpecialFolderKind::kProgramFiles64:
      return FromVariables(L"ProgramW6432", nullptr, *this);
    case SpecialFolderKind::kProgramFiles32:
      return FromVariables(L"ProgramFiles(x86)", L"ProgramFiles", *this);
    case SpecialFolderKind::kCommonAppData:
      if (FromShell(kCsidlCommonAppData, kCsidlWindows, *this) == FileStatus::kOk) {
        return FileStatus::kOk;
      }
      return SetToSpecialFolder(SpecialFolderKind::kUserProfile);
    case SpecialFolderKind::kCommonFiles:
      return FromShell(kCsidlProgramFilesCommon, kCsidlWindows, *this);
    case SpecialFolderKind::kCommonAppDataParent:
      return ParentFromShell(kCsidlCommonAppData, kCsidlWindows, *this);
    case SpecialFolderKind::kDesktop:
      return FromShell(kCsidlDesktopDirectory, kCsidlDesktop, *this);
    case SpecialFolderKind::kStartMenuPrograms:
      return FromShell(kCsidlPrograms, kNoFallback, *this);
    case SpecialFolderKind::kAppData:
    case SpecialFolderKind::kAppDataToo:
      return FromShell(kCsidlAppData, kCsidlPersonal, *this);
    case SpecialFolderKind::kLocalAppData:
      return FromShell(kCsidlLocalAppData, kCsidlAppData, *this);
    case SpecialFolderKind::kSystemDriveRoot:
      return SystemDriveRoot(*this);
    case SpecialFolderKind::kWindows:
      return FromShell(kCsidlWindows, kCsidlSystem, *this);
    case SpecialFolderKind::kUserProfile:
      return ParentFromShell(kCsidlDesktopDirectory, kCsidlDesktop, *this);
    case SpecialFolderKind::kExecutable:
      return SetToExecutable();
    default:
      return FromShell(kCsidlDesktop, kNoFallback, *this);
  }
}
