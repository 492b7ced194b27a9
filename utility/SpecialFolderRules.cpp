#include "utility/SpecialFolderRules.h"

#include "utility/FileStatus.h"

namespace {

constexpr int kNoFallback = -1;

bool FromShell(FolderSource& source, int csidl, int fallbackCsidl, NVFileSpec& spec) {
  UtilStr path;
  // At most two attempts: the first source, then the fallback when the first said nothing.
  const bool found = source.ShellFolder(csidl, path) ||
                     (fallbackCsidl != kNoFallback && source.ShellFolder(fallbackCsidl, path));
  if (found) spec.SetPath(path);
  return found;
}

int32_t ShellStatus(FolderSource& source, int csidl, int fallbackCsidl, NVFileSpec& spec) {
  return FromShell(source, csidl, fallbackCsidl, spec) ? FileStatus::kOk
                                                       : FileStatus::kGeneralFailure;
}

int32_t FromVariables(FolderSource& source, const char* first, const char* fallback,
                      NVFileSpec& spec) {
  UtilStr value;
  if (source.Variable(first, value) || (fallback != nullptr && source.Variable(fallback, value))) {
    spec.SetPath(value);
    return FileStatus::kOk;
  }
  return FileStatus::kPathNotFound;
}

int32_t ProgramFiles(FolderSource& source, NVFileSpec& spec) {
  // The usual place, for systems whose shell cannot say.
  if (!FromShell(source, Csidl::kProgramFiles, kNoFallback, spec)) {
    spec.SetPath(UtilStr("C:\\Program Files\\"));
  }
  return FileStatus::kOk;
}

// A shell folder's parent, as for the profile folder above the desktop.
int32_t ParentFromShell(FolderSource& source, int csidl, int fallbackCsidl, NVFileSpec& spec) {
  NVFileSpec found;
  if (!FromShell(source, csidl, fallbackCsidl, found)) return FileStatus::kGeneralFailure;
  spec.SetParent(found);
  return FileStatus::kOk;
}

int32_t SystemDriveRoot(FolderSource& source, NVFileSpec& spec) {
  NVFileSpec windows;
  if (!FromShell(source, Csidl::kWindows, Csidl::kSystem, windows)) {
    return FileStatus::kGeneralFailure;
  }
  const char root[] = {windows.Text()[0], ':', '\\', 0};
  spec.SetPath(UtilStr(root));
  return FileStatus::kOk;
}

}  // namespace

int32_t ResolveSpecialFolder(int kind, FolderSource& source, NVFileSpec& spec) {
  switch (kind) {
    case SpecialFolderKind::kProgramFiles:
      return ProgramFiles(source, spec);
    case SpecialFolderKind::kProgramFiles64:
      return FromVariables(source, "ProgramW6432", nullptr, spec);
    case SpecialFolderKind::kProgramFiles32:
      return FromVariables(source, "ProgramFiles(x86)", "ProgramFiles", spec);
    case SpecialFolderKind::kCommonAppData:
      if (FromShell(source, Csidl::kCommonAppData, Csidl::kWindows, spec)) return FileStatus::kOk;
      return ResolveSpecialFolder(SpecialFolderKind::kUserProfile, source, spec);
    case SpecialFolderKind::kCommonFiles:
      return ShellStatus(source, Csidl::kProgramFilesCommon, Csidl::kWindows, spec);
    case SpecialFolderKind::kCommonAppDataParent:
      return ParentFromShell(source, Csidl::kCommonAppData, Csidl::kWindows, spec);
    case SpecialFolderKind::kDesktop:
      return ShellStatus(source, Csidl::kDesktopDirectory, Csidl::kDesktop, spec);
    case SpecialFolderKind::kStartMenuPrograms:
      return ShellStatus(source, Csidl::kPrograms, kNoFallback, spec);
    case SpecialFolderKind::kAppData:
    case SpecialFolderKind::kAppDataToo:
      return ShellStatus(source, Csidl::kAppData, Csidl::kPersonal, spec);
    case SpecialFolderKind::kLocalAppData:
      return ShellStatus(source, Csidl::kLocalAppData, Csidl::kAppData, spec);
    case SpecialFolderKind::kSystemDriveRoot:
      return SystemDriveRoot(source, spec);
    case SpecialFolderKind::kWindows:
      return ShellStatus(source, Csidl::kWindows, Csidl::kSystem, spec);
    case SpecialFolderKind::kUserProfile:
      return ParentFromShell(source, Csidl::kDesktopDirectory, Csidl::kDesktop, spec);
    case SpecialFolderKind::kExecutable:
      return source.Executable(spec);
    default:
      return ShellStatus(source, Csidl::kDesktop, kNoFallback, spec);
  }
}
