#include "utility/HashTableSizing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(HashTableSizingTest, BucketCountIsFourTimesThePowerOfTwoHoldingNPlusThree) {
  struct Case {
    int32_t n;
    uint64_t expected;
  };
  const Case cases[] = {
      {0, 16},   {1, 16},      {2, 32},
      {5, 32},   {6, 64},      {13, 64},
      {14, 128}, {1000, 4096}, {INT32_MAX, uint64_t{1} << 34},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BucketCountFor(c.n), c.expected) << "n = " << c.n;
  }
}

TEST(HashTableSizingTest, ThresholdIs35PercentThen45ForVeryLargeTables) {
  struct Case {
    uint32_t buckets;
    int32_t expected;
  };
  const Case cases[] = {
      {16, 5},
      {64, 22},
      {0x80000, 0x80000 * 35 / 100},
      {0x100000, 0x100000 / 100 * 45},
      {0x80000000u, static_cast<int32_t>(0x80000000u / 100 * 45)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GrowThresholdFor(c.buckets), c.expected) << "buckets = " << c.buckets;
  }
}

}  // namespace
