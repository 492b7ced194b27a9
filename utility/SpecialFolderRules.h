// Which sources answer for each standard-folder kind, in which order, and what is made of
// their answers. The sources themselves (the shell, the environment, the process) sit behind
// FolderSource so that the rules are the same, and testable, everywhere.
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/UtilStr.h"

class FolderSource {
 public:
  // The shell folder with this CSIDL number as UTF-8 path text; false when no answer came.
  virtual bool ShellFolder(int csidl, UtilStr& path) = 0;
  // An environment variable as UTF-8 text; false when it is missing or empty.
  virtual bool Variable(const char* name, UtilStr& value) = 0;
  // The process's executable file into spec, with its status.
  virtual int32_t Executable(NVFileSpec& spec) = 0;

 protected:
  ~FolderSource() = default;
};

// Shell folder numbers the rules ask for.
namespace Csidl {
constexpr int kDesktop = 0;
constexpr int kPrograms = 2;
constexpr int kPersonal = 5;
constexpr int kDesktopDirectory = 16;
constexpr int kAppData = 26;
constexpr int kLocalAppData = 28;
constexpr int kCommonAppData = 35;
constexpr int kWindows = 36;
constexpr int kSystem = 37;
constexpr int kProgramFiles = 38;
constexpr int kProgramFilesCommon = 43;
}  // namespace Csidl

// Sets spec to the standard folder of the kind (SpecialFolderKind) and returns the status:
// 0, FileStatus::kGeneralFailure when no shell source answered, FileStatus::kPathNotFound for
// missing variables. On failure spec keeps its old path.
int32_t ResolveSpecialFolder(int kind, FolderSource& source, NVFileSpec& spec);
