// The journal file, for tests that drive the engine from another process.
#include <cstdio>
#include <cstring>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

std::string TempJournalPath(const char* name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  std::remove(path.c_str());
  return path;
}

TEST_F(EngineTest, ChosenJournalFileReceivesEveryLaterLine) {
  const std::string path = TempJournalPath("refengine_chosen_journal.txt");
  ASSERT_EQ(mControl->SetJournalFile(path.c_str()), 0u);
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  EngineRect rect{};
  Table()->Request(instance, HostRequest::kWindowRect, &rect, nullptr);
  mControl->SetJournalFile(nullptr);  // closes the file

  const auto lines = refengine_journal::ReadJournalFile(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].call, "GetNVVisualAPI");
  EXPECT_EQ(lines[1].call, "CreateInstance");
  EXPECT_EQ(lines[1].Get("descriptor"), Descriptor(0));
  EXPECT_EQ(lines[2].Get("code"), "Wind");
  std::remove(path.c_str());
}

TEST_F(EngineTest, EnvironmentNamesTheJournalFile) {
  const std::string path = TempJournalPath("refengine_env_journal.txt");
  ASSERT_TRUE(SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, path.c_str()));
  mControl->Reset();  // goes back to the environment's file
  FakeHost host;
  Create(&host, 0);
  mControl->SetJournalFile(nullptr);
  SetEnvironmentVariableA(REFENGINE_JOURNAL_ENV, nullptr);

  const auto lines = refengine_journal::ReadJournalFile(path);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].call, "CreateInstance");
  std::remove(path.c_str());
}

TEST_F(EngineTest, UnwritableJournalFileReportsTheError) {
  EXPECT_NE(mControl->SetJournalFile("Z:\\no\\such\\folder\\journal.txt"), 0u);
}

TEST_F(EngineTest, ResetEmptiesTheJournal) {
  Table();
  EXPECT_GT(mControl->JournalCount(), 0);
  mControl->Reset();
  EXPECT_EQ(mControl->JournalCount(), 0);
  char buffer[8] = "x";
  EXPECT_EQ(mControl->JournalLine(0, buffer, sizeof buffer), -1);
}

TEST_F(EngineTest, JournalLineIsCutToTheBuffer) {
  Table();
  char whole[256];
  const int32_t length = mControl->JournalLine(0, whole, sizeof whole);
  ASSERT_GT(length, 8);
  ASSERT_LT(length, int32_t(sizeof whole));
  char cut[9];
  std::memset(cut, 'x', sizeof cut);
  EXPECT_EQ(mControl->JournalLine(0, cut, sizeof cut), length);
  EXPECT_EQ(std::string(cut), std::string(whole, 8));
}

}  // namespace
}  // namespace refengine_test
