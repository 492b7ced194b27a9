// Status codes of the file and system layer: what paths, files and the operating-system error
// mapping report. 0 is success; every failure is a code in the 55000 range. The engine-side
// codes live with the engine interface; a few numbers are shared in meaning across both.
#pragma once

#include <cstdint>

namespace FileStatus {
constexpr int32_t kOk = 0;
constexpr int32_t kOpenGaveNoHandle = 55010;  // the open call succeeded without a handle
constexpr int32_t kNegativeCount = 55011;     // a negative byte count was passed
constexpr int32_t kNotImplemented = 55012;
constexpr int32_t kGeneralFailure = 55013;  // any system error without a closer meaning
constexpr int32_t kOutOfMemory = 55017;
constexpr int32_t kWrongMode = 55021;     // not open, or open in a mode that forbids it
constexpr int32_t kFileNotFound = 55027;  // also: an empty path
constexpr int32_t kDeviceMissing = 55048;
constexpr int32_t kPathNotFound = 55100;  // folder or path missing; missing variable
constexpr int32_t kAlreadyExists = 55105;
constexpr int32_t kBadPosition = 55106;  // negative, or past the start when sequential
constexpr int32_t kIoFailure = 55107;    // also: fewer bytes moved than asked for
constexpr int32_t kAccessDenied = 55109;
constexpr int32_t kNoRoom = 55110;
constexpr int32_t kInvalidName = 55111;
constexpr int32_t kFolderNotEmpty = 55114;
constexpr int32_t kWriteProtected = 55115;
constexpr int32_t kFileTooLarge = 55201;        // too large to read whole into one string
constexpr int32_t kShorterThanMaximum = 55202;  // the whole file was read; it is shorter
constexpr int32_t kNetworkBusy = 55431;
}  // namespace FileStatus
