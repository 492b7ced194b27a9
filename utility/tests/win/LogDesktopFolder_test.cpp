#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "utility/LogFile.h"
#include "utility/TextFunctions.h"

namespace {

std::string EnvironmentUtf8(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  if (length == 0 || length >= 1024) return std::string();
  char text[4096] = {};
  Utf16ToUtf8(reinterpret_cast<const char16_t*>(value), static_cast<int32_t>(length), text,
              sizeof text - 1);
  return text;
}

bool IsFolder(const std::string& path) {
  char16_t wide[1024] = {};
  Utf8ToUtf16(path.c_str(), -1, wide, 1023);
  const DWORD attributes = GetFileAttributesW(reinterpret_cast<const wchar_t*>(wide));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The log's settings, read at its first use, chose the user's desktop in the Wine prefix.
TEST(LogDesktopFolderTest, LogFolderIsTheUsersDesktop) {
  const std::string profile = EnvironmentUtf8(L"USERPROFILE");
  ASSERT_FALSE(profile.empty());
  const std::string folder = LogFolder();
  const std::string expected = profile + "\\Desktop\\";
  EXPECT_EQ(CompareText(folder.c_str(), -1, expected.c_str(), -1, false), 0)
      << folder << " vs " << expected;
  EXPECT_TRUE(IsFolder(folder)) << folder;
}

}  // namespace
