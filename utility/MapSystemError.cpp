#include "utility/MapSystemError.h"

#include "utility/FileStatus.h"

namespace {

struct ErrorMapping {
  uint32_t windowsError;
  int32_t status;
};

// Windows error numbers are stable across versions, so they are spelled out here rather than
// taken from the system headers (which the portable build does not have).
constexpr ErrorMapping kErrorMappings[] = {
    {0, FileStatus::kOk},
    {2, FileStatus::kFileNotFound},   // file not found
    {12, FileStatus::kFileNotFound},  // invalid access
    {3, FileStatus::kPathNotFound},   // path not found
    {53, FileStatus::kPathNotFound},  // bad network path
    {5, FileStatus::kAccessDenied},
    {8, FileStatus::kOutOfMemory},  // not enough memory
    {9, FileStatus::kIoFailure},    // invalid block
    {20, FileStatus::kIoFailure},   // bad unit
    {21, FileStatus::kIoFailure},   // not ready
    {14, FileStatus::kNoRoom},      // out of memory
    {18, FileStatus::kNoRoom},      // no more files
    {39, FileStatus::kNoRoom},      // disk full
    {19, FileStatus::kWriteProtected},
    {54, FileStatus::kNetworkBusy},
    {55, FileStatus::kDeviceMissing},    // device does not exist
    {120, FileStatus::kNotImplemented},  // call not implemented
    {123, FileStatus::kInvalidName},
    {145, FileStatus::kFolderNotEmpty},
    {183, FileStatus::kAlreadyExists},
};

}  // namespace

int32_t MapSystemError(uint32_t windowsError) {
  for (const ErrorMapping& mapping : kErrorMappings) {
    if (mapping.windowsError == windowsError) return mapping.status;
  }
  return FileStatus::kGeneralFailure;
}
