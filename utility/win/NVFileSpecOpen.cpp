// Opening a spec's file, and reading a whole (small) file into a string.
#include <windows.h>

#include "utility/FileStatus.h"
#include "utility/MapSystemError.h"
#include "utility/NVFileSpec.h"
#include "utility/UtilFile.h"
#include "utility/win/WidePath.h"

namespace {

constexpr int64_t kLargestWholeRead = 0x7FFFFFFE;

struct OpenParameters {
  DWORD access;
  DWORD share;
  DWORD creation;
};

OpenParameters ParametersOf(int mode) {
  switch (mode) {
    case FileMode::kReadSequential:
    case FileMode::kReadRandom:
      return {GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING};
    case FileMode::kWriteSequential:
      return {GENERIC_WRITE, 0, OPEN_ALWAYS};
    default:
      return {GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS};
  }
}

}  // namespace

int32_t NVFileSpec::OpenHandle(int mode, NVFileHandle* handle) const {
  if (handle == nullptr) return FileStatus::kGeneralFailure;
  *handle = nullptr;
  if (IsEmpty()) return FileStatus::kFileNotFound;
  if (!FileMode::IsValid(mode)) return FileStatus::kWrongMode;
  const OpenParameters how = ParametersOf(mode);
  const WidePath<kOpenWideCapacity> wide(*this);
  HANDLE opened = CreateFileW(wide.Get(), how.access, how.share, nullptr, how.creation, 0, nullptr);
  DWORD error = opened == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  if (error == ERROR_CALL_NOT_IMPLEMENTED) {
    // Systems without the wide calls take the 8-bit path text.
    opened = CreateFileA(Text(), how.access, how.share, nullptr, how.creation, 0, nullptr);
    error = opened == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  }
  if (opened == INVALID_HANDLE_VALUE) {
    // A failed open that leaves no error behind must still not read as success.
    return error == 0 ? FileStatus::kGeneralFailure : MapSystemError(error);
  }
  *handle = opened;
  return FileStatus::kOk;
}

int32_t NVFileSpec::ReadAll(int32_t maximum, UtilStr& text) const {
  UtilFile file;
  int32_t status = file.Open(*this, FileMode::kReadSequential);
  int32_t wanted = 0;
  if (status == FileStatus::kOk) {
    const int64_t size = file.GetSize();
    if (maximum < 0 && size > kLargestWholeRead) {
      status = FileStatus::kFileTooLarge;
    } else {
      const int64_t limit = maximum < 0 ? size : maximum;
      wanted = static_cast<int32_t>(size < limit ? size : limit);
      text.Assign(nullptr, wanted);
      if (text.Length() != wanted) status = FileStatus::kOutOfMemory;
    }
    if (status == FileStatus::kOk && wanted > 0) {
      // The string was just given a private block of the needed length.
      status = file.Read(const_cast<char*>(text.Text()), wanted, nullptr);
    }
    if (status == FileStatus::kOk && maximum > size) status = FileStatus::kShorterThanMaximum;
    file.Close();
  }
  if (status != FileStatus::kOk && status != FileStatus::kShorterThanMaximum) {
    text.Assign(nullptr, 0);
  }
  return status;
}
