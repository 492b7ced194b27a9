#include "utility/LogMessage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "utility/DateText.h"
#include "utility/LocalDate.h"
#include "utility/LogFile.h"

namespace {

// Categories no other part of the library uses, so that no other test has enabled them.
constexpr uint32_t kQuietCategory = 4001;
constexpr uint32_t kLoudCategory = 4002;

std::string CaptureLog(uint32_t flags, const char* format, const char* argument) {
  testing::internal::CaptureStdout();
  LogMessage(flags, format, argument);
  return testing::internal::GetCapturedStdout();
}

TEST(LogMessageTest, ConsoleOutputFollowsFlagsAndEnabledCategories) {
  EnableCategory(kLoudCategory);
  struct Case {
    const char* name;
    uint32_t flags;
    const char* expected;
  };
  const Case cases[] = {
      {"category not enabled", LogFlags::kLineMode | kQuietCategory, ""},
      {"category 0 is never looked up", LogFlags::kLineMode, ""},
      {"enabled category", LogFlags::kLineMode | kLoudCategory, "msg 42\n"},
      {"enabled category, no line mode", kLoudCategory, "msg 42"},
      {"explicit console", LogFlags::kConsole | kQuietCategory, "msg 42"},
      {"second console bit", LogFlags::kConsoleAlt | LogFlags::kLineMode, "msg 42\n"},
      {"both console bits write once", LogFlags::kConsole | LogFlags::kConsoleAlt, "msg 42"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CaptureLog(c.flags, "msg %s", "42"), c.expected) << c.name;
  }
}

TEST(LogMessageTest, LongMessageIsWrittenWhole) {
  const std::string text(2000, 'x');
  EXPECT_EQ(CaptureLog(LogFlags::kConsole | LogFlags::kLineMode, "<%s>", text.c_str()),
            "<" + text + ">\n");
  // Exactly at and just past the first pass's buffer.
  for (size_t length : {508u, 509u, 510u, 511u}) {
    const std::string edge(length, 'y');
    EXPECT_EQ(CaptureLog(LogFlags::kConsole, "%s", edge.c_str()), edge) << length;
  }
}

TEST(LogMessageTest, CategoryTableStopsAtThirtyTwoEntries) {
  const int before = LogMessageTesting::EnabledCategoryCount();
  ASSERT_LE(before, 32);
  const uint32_t first = 5000;
  const uint32_t pastFull = first + static_cast<uint32_t>(32 - before);
  for (uint32_t category = first; category < pastFull + 8; ++category) EnableCategory(category);

  EXPECT_EQ(LogMessageTesting::EnabledCategoryCount(), 32);
  EXPECT_EQ(CaptureLog(LogFlags::kLineMode | (pastFull - 1), "%s", "last"), "last\n");
  EXPECT_EQ(CaptureLog(LogFlags::kLineMode | pastFull, "%s", "over"), "");
  // Re-enabling a category already in the full table still works.
  EnableCategory(pastFull - 1);
  EXPECT_EQ(LogMessageTesting::EnabledCategoryCount(), 32);

  LogMessageTesting::TruncateEnabledCategories(before);
  EXPECT_EQ(LogMessageTesting::EnabledCategoryCount(), before);
}

// The log file is a text file: on Windows each line feed is stored as a line end pair.
std::string AsStored(const std::string& text) {
#if defined(_WIN32)
  std::string stored;
  for (char c : text) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
#else
  return text;
#endif
}

// Points the log folder at a fresh temporary folder (with a non-ASCII name, so the file must
// be opened by its UTF-16 name on Windows) and puts everything back afterwards.
class LogFileTest : public testing::Test {
 protected:
  void SetUp() override {
    savedFolder = LogFolder();
    folder =
        std::filesystem::temp_directory_path() / std::filesystem::path(u8"nv-log-\u00e9\u03a9");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::u8string name = folder.u8string();
    const std::string text(name.begin(), name.end());
    SetLogFolder((text + static_cast<char>(std::filesystem::path::preferred_separator)).c_str());
    LogFileTesting::RearmHeader();
  }

  void TearDown() override {
    SetLogFolder(savedFolder.c_str());
    std::filesystem::remove_all(folder);
  }

  std::filesystem::path LogPath() const { return folder / "Novalume Log.txt"; }

  std::string ReadLog() const {
    std::ifstream in(LogPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  static std::string HeaderNow() {
    char date[kDateTextCapacity];
    FormatDate(date, sizeof date, CurrentLocalDate());
    return AsStored(std::string("===== ") + date + " =====\n");
  }

  std::string savedFolder;
  std::filesystem::path folder;
};

TEST_F(LogFileTest, FirstFileMessageOfTheProcessCreatesTheFileAfterOneHeader) {
  ASSERT_FALSE(std::filesystem::exists(LogPath()));
  const std::string headerBefore = HeaderNow();
  LogMessage(LogFlags::kFile | LogFlags::kLineMode, "first %d", 1);
  const std::string headerAfter = HeaderNow();
  LogMessage(LogFlags::kFile, "second %s", "part");
  LogMessage(LogFlags::kFile | LogFlags::kLineMode, "%s", " end");

  const std::string log = ReadLog();
  const std::string body = AsStored("first 1\nsecond part end\n");
  ASSERT_GT(log.size(), body.size());
  const std::string header = log.substr(0, log.size() - body.size());
  EXPECT_TRUE(header == headerBefore || header == headerAfter) << header;
  EXPECT_EQ(log.substr(header.size()), body);
}

TEST_F(LogFileTest, AppendsToAnExistingFile) {
  {
    std::ofstream existing(LogPath(), std::ios::binary);
    existing << AsStored("kept\n");
  }
  LogMessage(LogFlags::kFile | LogFlags::kLineMode, "%s", "added");
  const std::string log = ReadLog();
  const std::string kept = AsStored("kept\n") + "===== ";
  const std::string added = AsStored("added\n");
  EXPECT_EQ(log.rfind(kept, 0), 0u) << log;
  ASSERT_GE(log.size(), added.size());
  EXPECT_EQ(log.substr(log.size() - added.size()), added);
}

TEST_F(LogFileTest, FileAndConsoleTogetherGetTheSameWholeText) {
  LogMessage(LogFlags::kFile, "%s", "");  // takes the header out of the way
  const std::string text(2000, 'z');
  testing::internal::CaptureStdout();
  LogMessage(LogFlags::kFile | LogFlags::kConsole | LogFlags::kLineMode, "%s", text.c_str());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), text + "\n");
  const std::string log = ReadLog();
  const std::string stored = AsStored(text + "\n");
  ASSERT_GE(log.size(), stored.size());
  EXPECT_EQ(log.substr(log.size() - stored.size()), stored);
}

TEST_F(LogFileTest, ConsoleAndDroppedMessagesLeaveNoFile) {
  EnableCategory(kLoudCategory);
  testing::internal::CaptureStdout();
  LogMessage(LogFlags::kConsole, "%s", "console");
  LogMessage(LogFlags::kLineMode | kLoudCategory, "%s", "enabled");
  LogMessage(LogFlags::kLineMode | kQuietCategory, "%s", "dropped");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "consoleenabled\n");
  EXPECT_FALSE(std::filesystem::exists(LogPath()));
}

TEST_F(LogFileTest, MissingFolderSkipsTheFileButNotTheConsole) {
  SetLogFolder((LogFolder() + std::string("missing") +
                static_cast<char>(std::filesystem::path::preferred_separator))
                   .c_str());
  testing::internal::CaptureStdout();
  LogMessage(LogFlags::kFile | LogFlags::kConsole, "%s", "still shown");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "still shown");
  EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

TEST(LogFolderTest, KeepsAtMost255Bytes) {
  const std::string saved = LogFolder();
  const std::string longFolder(300, 'f');
  SetLogFolder(longFolder.c_str());
  EXPECT_EQ(std::string(LogFolder()), longFolder.substr(0, 255));
  SetLogFolder(saved.c_str());
}

}  // namespace
