// The engine's exports and function table, driven the way a host binds them.
#include <cstring>

#include "refengine/tests/EngineFixture.h"

namespace refengine_test {
namespace {

TEST_F(EngineTest, GetNVVisualAPIAcceptsOnlyVersion20) {
  struct Case {
    int32_t version;
    int32_t status;
    bool table;
  };
  const Case cases[] = {{20, 0, true},
                        {19, REFENGINE_STATUS_BAD_VERSION, false},
                        {21, REFENGINE_STATUS_BAD_VERSION, false},
                        {0, REFENGINE_STATUS_BAD_VERSION, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    const EngineTable* table = nullptr;
    EXPECT_EQ(mGetApi(c.version, &table, nullptr), c.status);
    EXPECT_EQ(table != nullptr, c.table);
  }
  const auto calls = EntriesOf(Journal(), "GetNVVisualAPI");
  ASSERT_EQ(calls.size(), std::size(cases));
  EXPECT_EQ(calls[1].Get("version"), "19");
  EXPECT_EQ(calls[1].Number("status"), REFENGINE_STATUS_BAD_VERSION);
}

TEST_F(EngineTest, TableHoldsTheEntriesHostsCall) {
  const EngineTable* table = Table();
  ASSERT_NE(table, nullptr);
  EXPECT_NE(table->CreateInstance, nullptr);
  EXPECT_NE(table->DestroyInstance, nullptr);
  EXPECT_NE(table->SetTarget, nullptr);
  EXPECT_NE(table->RunFrame, nullptr);
  EXPECT_NE(table->Request, nullptr);
  const auto* info = static_cast<const EngineInfoRecord*>(table->info);
  ASSERT_NE(info, nullptr);
  EXPECT_NE(info->first, nullptr);
  ASSERT_NE(info->description, nullptr);
  EXPECT_GT(std::strlen(info->description), 10u);
}

TEST_F(EngineTest, UnusedEntriesAreHarmlessAndJournaled) {
  using Unused = int32_t(NV_ENGINE_CALL*)();
  const EngineTable* table = Table();
  const void* const entries[] = {table->entry0, table->entries2to11[3], table->entry15};
  for (const void* entry : entries) {
    EXPECT_EQ(reinterpret_cast<Unused>(const_cast<void*>(entry))(), NVStatus::kNotHandled);
  }
  const auto calls = EntriesOf(Journal(), "Entry");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].Get("index"), "0");
  EXPECT_EQ(calls[1].Get("index"), "5");
  EXPECT_EQ(calls[2].Get("index"), "15");
}

TEST_F(EngineTest, ControlFailsGetNVVisualAPI) {
  struct Case {
    const char* name;
    int32_t status;
    int32_t nullTable;
    int32_t expectedStatus;
  };
  const Case cases[] = {{"status", 55077, 0, 55077}, {"null table", 0, 1, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mControl->FailGetApi(c.status, c.nullTable);
    const EngineTable* table = reinterpret_cast<const EngineTable*>(&c);  // must be replaced
    const int32_t status = mGetApi(kEngineApiVersion, &table, nullptr);
    EXPECT_EQ(status, c.expectedStatus);
    if (c.nullTable) {
      EXPECT_EQ(table, nullptr);
    }
  }
  mControl->Reset();
  const EngineTable* table = nullptr;
  EXPECT_EQ(mGetApi(kEngineApiVersion, &table, nullptr), 0);
  EXPECT_NE(table, nullptr);
}

TEST_F(EngineTest, ReleaseIsJournaledWithTheLiveInstances) {
  FakeHost host;
  const uint32_t instance = Create(&host, 0);
  Destroy(instance);
  mReleaseApi(Table());
  const auto journal = Journal();
  ASSERT_GE(journal.size(), 2u);
  EXPECT_EQ(journal[journal.size() - 2].call, "DestroyInstance");
  const JournalEntry& release = journal.back();
  EXPECT_EQ(release.call, "ReleaseNVVisualAPI");
  EXPECT_EQ(release.Get("ours"), "1");
  EXPECT_EQ(release.Get("instances"), "0");
}

}  // namespace
}  // namespace refengine_test
