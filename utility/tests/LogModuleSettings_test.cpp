#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "utility/LogFile.h"
#include "utility/LogMessage.h"
#include "utility/LogModuleLoad.h"

namespace {

std::string ConsoleTextOf(uint32_t category) {
  testing::internal::CaptureStdout();
  LogMessage(category, "%u,", category);
  return testing::internal::GetCapturedStdout();
}

class LogModuleSettingsTest : public testing::Test {
 protected:
  // Starts each test with an empty category table and puts the process's table back after.
  void SetUp() override {
    savedFolder = LogFolder();
    for (int i = 0; i < LogMessageTesting::EnabledCategoryCount(); ++i) {
      savedEntries.push_back(LogMessageTesting::EnabledCategoryEntry(i));
    }
    LogMessageTesting::TruncateEnabledCategories(0);
  }
  void TearDown() override {
    SetLogFolder(savedFolder.c_str());
    LogMessageTesting::TruncateEnabledCategories(0);
    for (uint32_t entry : savedEntries) EnableCategory(entry & LogFlags::kCategoryMask);
  }
  std::string savedFolder;
  std::vector<uint32_t> savedEntries;
};

TEST_F(LogModuleSettingsTest, FolderGetsATrailingSeparator) {
  struct Case {
    const char* desktop;
    const char* folder;
  };
  const Case cases[] = {
      {"C:\\users\\me\\Desktop", "C:\\users\\me\\Desktop\\"},
      {nullptr, "\\"},
      {"", "\\"},
  };
  for (const Case& c : cases) {
    ApplyLogSettings(c.desktop, false);
    EXPECT_STREQ(LogFolder(), c.folder) << (c.desktop ? c.desktop : "(none)");
  }
}

TEST_F(LogModuleSettingsTest, ModifierKeysEnableTheDiagnosticCategoriesInOrder) {
  const uint32_t categories[] = {12, 13, 10, 14, 15, 16, 17, 18, 19, 20, 21, 70, 50};
  ApplyLogSettings("C:\\d", false);
  EXPECT_EQ(LogMessageTesting::EnabledCategoryCount(), 0);

  ApplyLogSettings("C:\\d", true);
  ASSERT_EQ(LogMessageTesting::EnabledCategoryCount(), 13);
  for (int i = 0; i < 13; ++i) {
    EXPECT_EQ(LogMessageTesting::EnabledCategoryEntry(i), categories[i] | LogFlags::kConsole)
        << "entry " << i;
  }
  std::string shown;
  for (uint32_t category : categories) shown += ConsoleTextOf(category);
  EXPECT_EQ(shown, "12,13,10,14,15,16,17,18,19,20,21,70,50,");
  EXPECT_EQ(ConsoleTextOf(11), "");
}

}  // namespace
