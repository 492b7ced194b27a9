// What the file system says about a spec: its kind, and deleting it.
#include <windows.h>

#include "utility/FileStatus.h"
#include "utility/MapSystemError.h"
#include "utility/NVFileSpec.h"
#include "utility/win/WidePath.h"

int NVFileSpec::GetKind() const {
  if (IsEmpty()) return kNothing;
  const WidePath<kWideCapacity> wide(*this);
  const DWORD attributes = GetFileAttributesW(wide.Get());
  if (attributes == INVALID_FILE_ATTRIBUTES) return kNothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? kFolder : kFile;
}

int32_t NVFileSpec::Delete() const {
  const int kind = GetKind();
  if (kind == kNothing) return FileStatus::kFileNotFound;
  const WidePath<kWideCapacity> wide(*this);
  const BOOL done = kind == kFile ? DeleteFileW(wide.Get()) : RemoveDirectoryW(wide.Get());
  return done ? FileStatus::kOk : MapSystemError(GetLastError());
}
