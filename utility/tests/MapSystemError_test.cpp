#include "utility/MapSystemError.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "utility/FileStatus.h"

namespace {

TEST(MapSystemErrorTest, MapsEveryListedErrorAndDefaultsTheRest) {
  struct Case {
    uint32_t windowsError;
    int32_t status;
  };
  const Case cases[] = {
      {0, FileStatus::kOk},
      {2, FileStatus::kFileNotFound},
      {12, FileStatus::kFileNotFound},
      {3, FileStatus::kPathNotFound},
      {53, FileStatus::kPathNotFound},
      {5, FileStatus::kAccessDenied},
      {8, FileStatus::kOutOfMemory},
      {9, FileStatus::kIoFailure},
      {20, FileStatus::kIoFailure},
      {21, FileStatus::kIoFailure},
      {14, FileStatus::kNoRoom},
      {18, FileStatus::kNoRoom},
      {39, FileStatus::kNoRoom},
      {19, FileStatus::kWriteProtected},
      {54, FileStatus::kNetworkBusy},
      {55, FileStatus::kDeviceMissing},
      {120, FileStatus::kNotImplemented},
      {123, FileStatus::kInvalidName},
      {145, FileStatus::kFolderNotEmpty},
      {183, FileStatus::kAlreadyExists},
      // Neighbours and oddities fall through to the general failure.
      {1, FileStatus::kGeneralFailure},
      {32, FileStatus::kGeneralFailure},  // sharing violation
      {67, FileStatus::kGeneralFailure},  // bad network name
      {122, FileStatus::kGeneralFailure},
      {0xFFFFFFFF, FileStatus::kGeneralFailure},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MapSystemError(c.windowsError), c.status) << "Windows error " << c.windowsError;
  }
}

TEST(MapSystemErrorTest, StatusValuesAreTheLibraryCodes) {
  struct Case {
    int32_t status;
    int32_t value;
  };
  const Case cases[] = {
      {FileStatus::kFileNotFound, 55027},   {FileStatus::kPathNotFound, 55100},
      {FileStatus::kAccessDenied, 55109},   {FileStatus::kOutOfMemory, 55017},
      {FileStatus::kIoFailure, 55107},      {FileStatus::kNoRoom, 55110},
      {FileStatus::kWriteProtected, 55115}, {FileStatus::kNetworkBusy, 55431},
      {FileStatus::kDeviceMissing, 55048},  {FileStatus::kNotImplemented, 55012},
      {FileStatus::kInvalidName, 55111},    {FileStatus::kFolderNotEmpty, 55114},
      {FileStatus::kAlreadyExists, 55105},  {FileStatus::kGeneralFailure, 55013},
  };
  for (const Case& c : cases) EXPECT_EQ(c.status, c.value);
}

}  // namespace
