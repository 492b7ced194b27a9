// Paths that come from the process: its executable, and the working folder that bare names
// are resolved in.
#include <windows.h>

#include "utility/FileStatus.h"
#include "utility/MapSystemError.h"
#include "utility/NVFileSpec.h"
#include "utility/win/WidePath.h"

namespace {

// Units the process-path queries may fill, one short of the wide buffers.
constexpr DWORD kQueryCapacity = NVFileSpec::kWideCapacity - 1;

bool ContainsBackslash(const UtilStr& text) {
  for (int32_t i = 0; i < text.Length(); ++i) {
    if (text.Text()[i] == '\\') return true;
  }
  return false;
}

bool NamesExistingFolder(const NVFileSpec& spec) {
  if (spec.IsEmpty()) return false;
  const WidePath<NVFileSpec::kWideCapacity> wide(spec);
  const DWORD attributes = GetFileAttributesW(wide.Get());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The working folder, or an empty spec when it cannot be read whole.
NVFileSpec WorkingFolder() {
  NVFileSpec folder;
  wchar_t units[kQueryCapacity + 1];
  const DWORD length = GetCurrentDirectoryW(kQueryCapacity, units);
  // A folder longer than the buffer is reported by its needed size and nothing is copied.
  if (length == 0 || length >= kQueryCapacity) return folder;
  UtilStr text;
  text.AssignUtf16(reinterpret_cast<const char16_t*>(units), static_cast<int32_t>(length));
  folder.SetPath(text);
  return folder;
}

}  // namespace

int32_t NVFileSpec::SetToExecutable() {
  wchar_t units[kQueryCapacity + 1];
  const DWORD length = GetModuleFileNameW(nullptr, units, kQueryCapacity);
  if (length == 0 || length >= kQueryCapacity) {
    // A full buffer means the path was cut short; a cut path must not pass for the real one.
    const DWORD error = length == 0 ? GetLastError() : ERROR_INSUFFICIENT_BUFFER;
    Clear();
    return MapSystemError(error);
  }
  SetPathUtf16(reinterpret_cast<const char16_t*>(units), static_cast<int32_t>(length));
  return FileStatus::kOk;
}

void NVFileSpec::SetToExecutableFolder() {
  if (SetToExecutable() != FileStatus::kOk) {
    Clear();
    return;
  }
  SetParent(*this);
}

void NVFileSpec::SetFromText(const UtilStr& text) {
  if (text.IsEmpty()) {
    Clear();
    return;
  }
  if (ContainsBackslash(text)) {
    SetPath(text);
    return;
  }
  NVFileSpec base = WorkingFolder();
  if (!NamesExistingFolder(base)) base.SetToExecutableFolder();
  SetChild(text.Text(), text.Length(), base);
}
