#include "visualhost/engine/EngineLibrary.h"

#include <gtest/gtest.h>

#include <memory>

#include "visualhost/tests/FakeEngine.h"

namespace {

using Counters = FakeEngineLoader::Counters;

TEST(EngineLibraryTest, FirstGetTableLoadsOnceAndKeepsTheTable) {
  auto counters = std::make_shared<Counters>();
  EngineLibrary* library = MakeFakeLibrary(NVStatus::kOk, counters);
  EXPECT_EQ(library->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(counters->loads, 0);

  EXPECT_EQ(library->GetTable(), FakeEngine::Table());
  EXPECT_EQ(library->GetTable(), FakeEngine::Table());
  EXPECT_EQ(counters->loads, 1);
  EXPECT_EQ(library->Status(), NVStatus::kOk);
  EXPECT_STREQ(library->Name().Text(), "Glimmora");
  library->Release();
  EXPECT_EQ(counters->unbinds, 1);
}

TEST(EngineLibraryTest, AFailedLoadIsFinalAndNeverRetried) {
  struct Case {
    const char* name;
    int32_t loadStatus;
    int32_t finalStatus;
  };
  const Case cases[] = {
      {"product missing", NVStatus::kFolderNotFound, NVStatus::kFolderNotFound},
      {"export missing", NVStatus::kMissingExport, NVStatus::kMissingExport},
      {"engine refuses", 55123, 55123},
      {"engine fails with the not-tried code", NVStatus::kNotStarted, NVStatus::kNotLoaded},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto counters = std::make_shared<Counters>();
    EngineLibrary* library = MakeFakeLibrary(c.loadStatus, counters);
    EXPECT_EQ(library->GetTable(), nullptr);
    EXPECT_EQ(library->GetTable(), nullptr);
    library->SetName(UtilStr("Other"));
    EXPECT_EQ(library->GetTable(), nullptr);
    EXPECT_EQ(counters->loads, 1);
    EXPECT_EQ(library->Status(), c.finalStatus);
    library->Release();
  }
}

TEST(EngineLibraryTest, UnloadAndSetNameGiveUpTheTableAndAllowALaterLoad) {
  auto counters = std::make_shared<Counters>();
  EngineLibrary* library = MakeFakeLibrary(NVStatus::kOk, counters);
  ASSERT_NE(library->GetTable(), nullptr);

  library->Unload();
  EXPECT_EQ(counters->unbinds, 1);
  EXPECT_EQ(library->Status(), NVStatus::kNotStarted);
  library->Unload();
  EXPECT_EQ(counters->unbinds, 1);

  ASSERT_NE(library->GetTable(), nullptr);
  library->SetName(UtilStr("Renamed"));
  EXPECT_EQ(counters->unbinds, 2);
  EXPECT_STREQ(library->Name().Text(), "Renamed");
  EXPECT_EQ(library->Status(), NVStatus::kNotStarted);
  EXPECT_EQ(counters->loads, 2);
  library->Release();
  EXPECT_EQ(counters->unbinds, 2);
}

TEST(EngineLibraryTest, LastReleaseUnloadsOnlyWhenEveryHolderIsGone) {
  auto counters = std::make_shared<Counters>();
  EngineLibrary* library = MakeFakeLibrary(NVStatus::kOk, counters);
  ASSERT_NE(library->GetTable(), nullptr);
  library->AddRef();
  EXPECT_EQ(library->Release(), 1);
  EXPECT_EQ(counters->unbinds, 0);
  EXPECT_EQ(library->Release(), 0);
  EXPECT_EQ(counters->unbinds, 1);
}

}  // namespace
