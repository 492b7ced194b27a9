#include "utility/CeilLog2.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(CeilLog2Test, GivesTheSmallestCoveringPowerOfTwo) {
  struct Case {
    int64_t n;
    int32_t expected;
  };
  const Case cases[] = {
      {INT64_MIN, -1},
      {-5, -1},
      {0, -1},
      {1, 0},
      {2, 1},
      {3, 2},
      {4, 2},
      {5, 3},
      {16, 4},
      {17, 5},
      {0x80000000, 31},
      {0x80000001, 32},
      {INT64_C(1) << 62, 62},
      {(INT64_C(1) << 62) + 1, 63},
      {INT64_MAX, 63},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CeilLog2(c.n), c.expected) << "n = " << c.n;
  }
}

}  // namespace
