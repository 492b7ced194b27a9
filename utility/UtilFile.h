// UtilFile: a file opened in one of four modes, with 64-bit sizes and positions, exact-count
// reads and writes, and the library's statuses (FileStatus, MapSystemError). Windows only.
//
// Modes:
//   1 read, sequential       others may read; the file must exist; positions only at the start
//   2 read, random access    others may read; the file must exist; any position
//   3 write, sequential      exclusive; created if missing; positions only at the start; the
//                            file is cut at the current position when it is closed
//   4 read and write         exclusive; created if missing; any position
#pragma once

#include <cstdint>

#include "utility/NVFileSpec.h"
#include "utility/NVObject.h"
#include "utility/UtilStr.h"

namespace FileMode {
constexpr int kReadSequential = 1;
constexpr int kReadRandom = 2;
constexpr int kWriteSequential = 3;
constexpr int kReadWriteRandom = 4;

constexpr bool IsValid(int mode) {
  return mode >= kReadSequential && mode <= kReadWriteRandom;
}
constexpr bool IsRandomAccess(int mode) {
  return mode == kReadRandom || mode == kReadWriteRandom;
}
}  // namespace FileMode

class UtilFile : public NVObject {
 public:
  UtilFile() = default;
  UtilFile(const UtilFile&) = delete;
  UtilFile& operator=(const UtilFile&) = delete;
  ~UtilFile() override;

  bool IsOpen() const { return mHandle != nullptr; }
  int Mode() const { return mMode; }
  // Bytes written since the file was opened.
  int64_t Written() const { return mWritten; }

  // Resolves the text as SetFromText does (a bare name is looked up in the working folder,
  // else next to the executable), then opens it as Open does.
  virtual int32_t OpenPath(const UtilStr& path, int mode);
  // Closes any open file first. A mode outside 1 to 4 is refused (kWrongMode) and changes
  // nothing.
  virtual int32_t Open(const NVFileSpec& spec, int mode);
  virtual int32_t Close();
  // 0 when not open.
  virtual int64_t GetSize();
  // -1 when not open or when the position cannot be read.
  virtual int64_t Tell();
  virtual int32_t SeekToEnd();
  virtual int32_t SeekTo(int64_t position);
  // Reads exactly count bytes; a null buffer skips count bytes instead. done, when given,
  // receives the bytes read (count for a successful skip).
  virtual int32_t Read(void* buffer, int32_t count, int32_t* done);
  // Writes exactly count bytes; a null buffer skips forward instead.
  virtual int32_t Write(const void* buffer, int32_t count, int32_t* done);

 private:
  int32_t Skip(int32_t count, int32_t* done);
  // Closes the handle (cutting the file first in mode 3); the Windows error, or 0.
  uint32_t CutAndClose();

  NVFileHandle mHandle = nullptr;
  int32_t mMode = 0;
  int64_t mWritten = 0;
};
