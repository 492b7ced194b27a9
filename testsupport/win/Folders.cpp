#include "testsupport/win/Folders.h"

#include <windows.h>

#include "testsupport/win/WideText.h"
#include "utility/NVFileSpec.h"

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[2048] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 2048);
  return length > 0 && length < 2048 ? std::wstring(value, length) : std::wstring();
}

std::wstring PathOf(const NVFileSpec& spec) {
  return Wide(std::string(spec.Text(), size_t(spec.Path().Length())));
}

// The system's own answer for this process: the very call the engine loader makes.
std::wstring ThisProcessFolder(int kind) {
  NVFileSpec spec;
  if (spec.SetToSpecialFolder(kind) != 0) return {};
  return PathOf(spec);
}

// A process of the other width, seen through the variables Windows (and Wine) give every
// process: a 32-bit one finds its folders under "Program Files (x86)", a 64-bit one under the
// folder ProgramW6432 names.
std::wstring OtherWidthFolder(int kind, ProcessWidth width) {
  const bool for32 = width == ProcessWidth::k32;
  switch (kind) {
    case SpecialFolderKind::kProgramFiles:
      return Variable(for32 ? L"ProgramFiles(x86)" : L"ProgramW6432");
    case SpecialFolderKind::kCommonFiles:
      return Variable(for32 ? L"CommonProgramFiles(x86)" : L"CommonProgramW6432");
    case SpecialFolderKind::kProgramFiles32:
      return Variable(L"ProgramFiles(x86)");
    default:
      return {};
  }
}

}  // namespace

std::wstring ProgramFolder() {
  NVFileSpec spec;
  spec.SetToExecutableFolder();
  std::wstring folder = PathOf(spec);
  // A drive root keeps its backslash; any other folder is given one.
  if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
  return folder;
}

std::wstring InProgramFolder(const std::wstring& name) {
  return ProgramFolder() + name;
}

std::wstring CurrentDirectory() {
  wchar_t path[2048] = {};
  const DWORD length = GetCurrentDirectoryW(2048, path);
  return std::wstring(path, length < 2048 ? length : 0);
}

std::wstring NewTempFile(const wchar_t* prefix) {
  wchar_t folder[MAX_PATH] = {};
  wchar_t path[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  if (GetTempFileNameW(folder, prefix, 0, path) == 0) return {};
  return path;
}

ProcessWidth ThisProcessWidth() {
  return sizeof(void*) == 8 ? ProcessWidth::k64 : ProcessWidth::k32;
}

std::wstring SupportFolderOf(int kind, ProcessWidth width) {
  if (width == ProcessWidth::kThis || width == ThisProcessWidth()) return ThisProcessFolder(kind);
  return OtherWidthFolder(kind, width);
}
