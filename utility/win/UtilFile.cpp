#include "utility/UtilFile.h"

#include <windows.h>

#include "utility/FileStatus.h"
#include "utility/MapSystemError.h"

UtilFile::~UtilFile() {
  if (IsOpen()) CutAndClose();
}

uint32_t UtilFile::CutAndClose() {
  // A sequential writer replaces the file's content: whatever lies past the last byte written
  // is dropped.
  if (mMode == FileMode::kWriteSequential) SetEndOfFile(mHandle);
  // The handle is forgotten even when closing fails; the caller learns of the failure.
  const DWORD error = CloseHandle(mHandle) ? 0 : GetLastError();
  mHandle = nullptr;
  return error;
}

int32_t UtilFile::OpenPath(const UtilStr& path, int mode) {
  NVFileSpec spec;
  spec.SetFromText(path);
  return Open(spec, mode);
}

int32_t UtilFile::Open(const NVFileSpec& spec, int mode) {
  if (!FileMode::IsValid(mode)) return FileStatus::kWrongMode;
  if (IsOpen()) Close();
  NVFileHandle handle = nullptr;
  const int32_t status = spec.OpenHandle(mode, &handle);
  if (status != FileStatus::kOk) return status;
  if (handle == nullptr) return FileStatus::kOpenGaveNoHandle;
  mHandle = handle;
  mMode = mode;
  mWritten = 0;
  if (mode == FileMode::kReadSequential || mode == FileMode::kWriteSequential) return SeekTo(0);
  return FileStatus::kOk;
}

int32_t UtilFile::Close() {
  if (!IsOpen()) return FileStatus::kWrongMode;
  return MapSystemError(CutAndClose());
}

int64_t UtilFile::GetSize() {
  if (!IsOpen()) return 0;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(mHandle, &size)) return 0;
  return size.QuadPart;
}

int64_t UtilFile::Tell() {
  if (!IsOpen()) return -1;
  LARGE_INTEGER distance;
  distance.QuadPart = 0;
  LARGE_INTEGER position;
  if (!SetFilePointerEx(mHandle, distance, &position, FILE_CURRENT)) return -1;
  return position.QuadPart;
}

int32_t UtilFile::SeekToEnd() {
  if (!IsOpen() || !FileMode::IsRandomAccess(mMode)) return FileStatus::kWrongMode;
  LARGE_INTEGER distance;
  distance.QuadPart = 0;
  if (!SetFilePointerEx(mHandle, distance, nullptr, FILE_END)) {
    return MapSystemError(GetLastError());
  }
  return FileStatus::kOk;
}

int32_t UtilFile::SeekTo(int64_t position) {
  if (position < 0) return FileStatus::kBadPosition;
  if (!IsOpen()) return FileStatus::kWrongMode;
  if (position > 0 && !FileMode::IsRandomAccess(mMode)) return FileStatus::kBadPosition;
  LARGE_INTEGER distance;
  distance.QuadPart = position;
  if (!SetFilePointerEx(mHandle, distance, nullptr, FILE_BEGIN)) {
    return MapSystemError(GetLastError());
  }
  return FileStatus::kOk;
}

int32_t UtilFile::Skip(int32_t count, int32_t* done) {
  const int64_t here = Tell();
  const int32_t status = here < 0 ? FileStatus::kGeneralFailure : SeekTo(here + count);
  if (done != nullptr) *done = status == FileStatus::kOk ? count : 0;
  return status;
}

int32_t UtilFile::Read(void* buffer, int32_t count, int32_t* done) {
  if (done != nullptr) *done = 0;
  if (count < 0) return FileStatus::kNegativeCount;
  if (!IsOpen() || mMode == FileMode::kWriteSequential) return FileStatus::kWrongMode;
  if (buffer == nullptr) return Skip(count, done);
  DWORD transferred = 0;
  const BOOL read = ReadFile(mHandle, buffer, static_cast<DWORD>(count), &transferred, nullptr);
  if (done != nullptr) *done = static_cast<int32_t>(transferred);
  if (!read) return MapSystemError(GetLastError());
  return transferred < static_cast<DWORD>(count) ? FileStatus::kIoFailure : FileStatus::kOk;
}

int32_t UtilFile::Write(const void* buffer, int32_t count, int32_t* done) {
  if (done != nullptr) *done = 0;
  if (count < 0) return FileStatus::kNegativeCount;
  if (!IsOpen() || mMode == FileMode::kReadSequential || mMode == FileMode::kReadRandom) {
    return FileStatus::kWrongMode;
  }
  if (buffer == nullptr) return Skip(count, done);
  DWORD transferred = 0;
  const BOOL written = WriteFile(mHandle, buffer, static_cast<DWORD>(count), &transferred, nullptr);
  if (done != nullptr) *done = static_cast<int32_t>(transferred);
  if (!written) return MapSystemError(GetLastError());
  if (transferred < static_cast<DWORD>(count)) return FileStatus::kIoFailure;
  mWritten += count;
  return FileStatus::kOk;
}
