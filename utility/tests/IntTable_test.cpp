#include "utility/IntTable.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "utility/tests/CountingObject.h"

namespace {

TEST(IntTableTest, HashKeyMixesAllSixtyFourBits) {
  struct Case {
    uint64_t key;
    uint32_t expected;
  };
  const Case cases[] = {
      {0, 0x2AEAA2ABu},
      {1, 0x15515FBCu},
      {2, 0x2AA2BA14u},
      {0x57696E64, 0x8BE56144u},
      {0xFFFFFFFFFFFFFFFFull, 0x1FBBF8EAu},
      {0x123456789ABCDEF0ull, 0x025E6125u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IntTable::HashKey(c.key), c.expected) << std::hex << "key 0x" << c.key;
  }
}

TEST(IntTableTest, FoundEntriesAnswerWithTheFoundBit) {
  IntTable table;
  table.Set(7, 700, 0);
  table.Set(0xFFFFFFFF00000000ull, -5, 4);

  struct Case {
    uint64_t key;
    int32_t expectedFlags;
    int64_t expectedValue;
  };
  const Case cases[] = {
      {7, 0x20000000, 700},
      {0xFFFFFFFF00000000ull, 0x20000004, -5},
      {8, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    int64_t value = 99;
    EXPECT_EQ(table.Get(c.key, &value), c.expectedFlags);
    EXPECT_EQ(value, c.expectedValue);
  }
  EXPECT_EQ(table.Get(7, nullptr), 0x20000000);
}

TEST(IntTableTest, NewTableHasNoBucketsAndFindsNothing) {
  IntTable table;
  int64_t value = 1;
  EXPECT_EQ(table.BucketCount(), 0u);
  EXPECT_EQ(table.FindLink(1), nullptr);
  EXPECT_EQ(table.Get(1, &value), 0);
  EXPECT_EQ(value, 0);
}

TEST(IntTableTest, FirstSetMakes16BucketsAndTheSixthGrowsTo64) {
  IntTable table;
  table.Set(1, 1, 0);
  EXPECT_EQ(table.BucketCount(), 16u);
  EXPECT_EQ(table.GrowThreshold(), 5);
  for (uint64_t key = 2; key <= 5; ++key) table.Set(key, 0, 0);
  EXPECT_EQ(table.BucketCount(), 16u);

  table.Set(6, 0, 0);

  EXPECT_EQ(table.BucketCount(), 64u);
  EXPECT_EQ(table.GrowThreshold(), 22);
  EXPECT_EQ(table.Count(), 6);
}

TEST(IntTableTest, EveryEntrySurvivesGrowth) {
  IntTable table;
  constexpr int kEntries = 5000;
  for (int i = 0; i < kEntries; ++i) table.Set(uint64_t(i) * 0x10001, i, i & 7);
  EXPECT_EQ(table.Count(), kEntries);
  EXPECT_LE(table.Count(), table.GrowThreshold());
  for (int i = 0; i < kEntries; ++i) {
    int64_t value = -1;
    ASSERT_EQ(table.Get(uint64_t(i) * 0x10001, &value), 0x20000000 | (i & 7)) << i;
    ASSERT_EQ(value, i);
  }
}

TEST(IntTableTest, SetReplacesValueAndFlagsOfAnExistingKey) {
  IntTable table;
  IntTable::Entry* first = table.Set(3, 30, 1);
  IntTable::Entry* second = table.Set(3, 31, 2);
  EXPECT_EQ(first, second);
  EXPECT_EQ(table.Count(), 1);
  int64_t value = 0;
  EXPECT_EQ(table.Get(3, &value), 0x20000002);
  EXPECT_EQ(value, 31);
  ASSERT_NE(table.FindLink(3), nullptr);
  EXPECT_EQ(*table.FindLink(3), first);
}

TEST(IntTableTest, OwnedValuesAreReleasedOnReplaceClearAndDestruction) {
  CountingObject replaced, cleared, destroyed, notOwned;
  {
    IntTable table;
    table.Set(1, TableValueFromPointer(&replaced), kTableOwnsValue);
    table.Set(1, TableValueFromPointer(&cleared), kTableOwnsValue);
    EXPECT_EQ(replaced.releases, 1);
    EXPECT_EQ(cleared.releases, 0);

    table.Clear();
    EXPECT_EQ(cleared.releases, 1);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.BucketCount(), 16u);
    EXPECT_EQ(table.Get(1, nullptr), 0);

    table.Set(2, TableValueFromPointer(&destroyed), kTableOwnsValue | 1);
    table.Set(3, TableValueFromPointer(&notOwned), 0);
  }
  EXPECT_EQ(replaced.releases, 1);
  EXPECT_EQ(cleared.releases, 1);
  EXPECT_EQ(destroyed.releases, 1);
  EXPECT_EQ(notOwned.releases, 0);
}

TEST(IntTableTest, StoringTheSameOwnedObjectAgainKeepsIt) {
  CountingObject object;
  {
    IntTable table;
    table.Set(1, TableValueFromPointer(&object), kTableOwnsValue);
    table.Set(1, TableValueFromPointer(&object), kTableOwnsValue);
    EXPECT_EQ(object.releases, 0);
  }
  EXPECT_EQ(object.releases, 1);
}

TEST(IntTableTest, RehashKeepsEntriesAndIgnoresNegativeSizes) {
  IntTable table;
  for (uint64_t key = 0; key < 4; ++key) table.Set(key, int64_t(key) + 100, 0);
  table.Rehash(-1);
  EXPECT_EQ(table.BucketCount(), 16u);

  table.Rehash(1000);
  EXPECT_EQ(table.BucketCount(), 4096u);
  EXPECT_EQ(table.GrowThreshold(), 1433);
  for (uint64_t key = 0; key < 4; ++key) {
    int64_t value = 0;
    EXPECT_NE(table.Get(key, &value), 0);
    EXPECT_EQ(value, int64_t(key) + 100);
  }
}

}  // namespace
