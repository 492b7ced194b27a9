#include "visualhost/engine/RectSize.h"

#include <gtest/gtest.h>

#include <limits>

#include "visualhost/engine/EngineRecords.h"

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(RectSizeTest, SizesOfAnyRectangleAreExactAndClampWhereAskedTo) {
  struct Case {
    const char* name;
    EngineRect rect;
    int64_t width;
    int64_t height;
    int32_t clampedWidth;
    int32_t clampedHeight;
  };
  const Case cases[] = {
      {"ordinary", {64, 48, 864, 648}, 800, 600, 800, 600},
      {"empty", {5, 5, 5, 5}, 0, 0, 0, 0},
      {"inverted", {600, 500, 200, 100}, -400, -400, -400, -400},
      {"widest", {kMin, kMin, kMax, kMax}, 4294967295LL, 4294967295LL, kMax, kMax},
      {"most inverted", {kMax, kMax, kMin, kMin}, -4294967295LL, -4294967295LL, kMin, kMin},
      {"just fits", {-1, 0, kMax - 1, kMax}, kMax, kMax, kMax, kMax},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RectWidth(c.rect), c.width);
    EXPECT_EQ(RectHeight(c.rect), c.height);
    EXPECT_EQ(ClampToInt32(RectWidth(c.rect)), c.clampedWidth);
    EXPECT_EQ(ClampToInt32(RectHeight(c.rect)), c.clampedHeight);
  }
}

}  // namespace
