// Maps a Windows error number (as GetLastError reports it) to one of the library's statuses.
// The table is plain data so that it is the same, and testable, on every platform.
#pragma once

#include <cstdint>

// 0 for 0; numbers without an entry of their own give FileStatus::kGeneralFailure.
int32_t MapSystemError(uint32_t windowsError);
