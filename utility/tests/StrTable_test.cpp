#include "utility/StrTable.h"

#include <gtest/gtest.h>

#include <string>

#include "utility/tests/CountingObject.h"

namespace {

TEST(StrTableTest, LetterCaseMattersOnlyInCaseSensitiveTables) {
  struct Case {
    bool caseSensitive;
    const char* asked;
    int32_t expectedFlags;
  };
  const Case cases[] = {
      {false, "Volume", 0x20000004}, {false, "VOLUME", 0x20000004}, {false, "volume", 0x20000004},
      {false, "Volum", 0},           {false, "Volumes", 0},         {true, "Volume", 0x20000004},
      {true, "VOLUME", 0},           {true, "volume", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.asked) + (c.caseSensitive ? " (case-sensitive)" : ""));
    StrTable table(c.caseSensitive);
    table.Set(UtilStr("Volume"), 11, 4);
    int64_t value = -1;
    EXPECT_EQ(table.Get(c.asked, -1, &value), c.expectedFlags);
    EXPECT_EQ(value, c.expectedFlags ? 11 : 0);
    EXPECT_EQ(table.GetFlags(c.asked), c.expectedFlags);
  }
}

TEST(StrTableTest, GetTakesCountedNames) {
  StrTable table;
  table.Set(UtilStr("Rate"), 30, 2);
  const char text[] = "RateLimit";
  EXPECT_EQ(table.Get(text, 4), 0x20000002);
  EXPECT_EQ(table.Get(text, 5), 0);
  EXPECT_EQ(table.Get(text, -1), 0);
  EXPECT_EQ(table.Get(nullptr, -1), 0);
}

TEST(StrTableTest, KeysWithZeroBytesAndEmptyKeysAreOrdinary) {
  StrTable table;
  table.Set(UtilStr("a\0b", 3), 1, 0);
  table.Set(UtilStr(""), 2, 0);
  int64_t value = 0;
  EXPECT_EQ(table.Get("a\0b", 3, &value), 0x20000000);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(table.Get("a", -1), 0);
  EXPECT_EQ(table.Get("", 0, &value), 0x20000000);
  EXPECT_EQ(value, 2);
}

TEST(StrTableTest, SetTellsWhetherItReplacedAndKeepsTheFirstSpelling) {
  StrTable table(false);
  EXPECT_FALSE(table.Set(UtilStr("Name"), 1, 0));
  EXPECT_TRUE(table.Set(UtilStr("NAME"), 2, 1));
  EXPECT_EQ(table.Count(), 1);
  int64_t value = 0;
  EXPECT_EQ(table.Get("name", -1, &value), 0x20000001);
  EXPECT_EQ(value, 2);
}

TEST(StrTableTest, KeySharesTheTextUntilCleared) {
  UtilStr key("Graphics.TargetFrameRate");
  StrTable table;
  table.Set(key, 60, 4);
  ASSERT_NE(key.Buffer(), nullptr);
  EXPECT_EQ(key.Buffer()->refCount, 2);

  table.Clear();
  EXPECT_EQ(key.Buffer()->refCount, 1);
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.GetFlags("Graphics.TargetFrameRate"), 0);
}

TEST(StrTableTest, OwnedValuesAreReleasedOnReplaceClearAndDestruction) {
  CountingObject replaced, cleared, destroyed;
  {
    StrTable table;
    table.Set(UtilStr("a"), TableValueFromPointer(&replaced), kTableOwnsValue | 1);
    table.Set(UtilStr("a"), TableValueFromPointer(&cleared), kTableOwnsValue | 1);
    EXPECT_EQ(replaced.releases, 1);
    table.Clear();
    EXPECT_EQ(cleared.releases, 1);
    table.Set(UtilStr("b"), TableValueFromPointer(&destroyed), kTableOwnsValue);
  }
  EXPECT_EQ(replaced.releases, 1);
  EXPECT_EQ(cleared.releases, 1);
  EXPECT_EQ(destroyed.releases, 1);
}

TEST(StrTableTest, GrowsLikeTheIntegerTableAndKeepsEveryEntry) {
  StrTable table(false);
  table.Set(UtilStr("k0"), 0, 0);
  EXPECT_EQ(table.BucketCount(), 16u);
  EXPECT_EQ(table.GrowThreshold(), 5);

  constexpr int kEntries = 3000;
  for (int i = 1; i < kEntries; ++i) table.Set(UtilStr(("k" + std::to_string(i)).c_str()), i, 0);
  EXPECT_EQ(table.Count(), kEntries);
  EXPECT_LE(table.Count(), table.GrowThreshold());
  for (int i = 0; i < kEntries; ++i) {
    int64_t value = -1;
    ASSERT_NE(table.Get(("K" + std::to_string(i)).c_str(), -1, &value), 0) << i;
    ASSERT_EQ(value, i);
  }
}

}  // namespace
