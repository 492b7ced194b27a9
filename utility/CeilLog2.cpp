#include "utility/CeilLog2.h"

#include <bit>

int32_t CeilLog2(int64_t n) {
  if (n < 1) return -1;
  // 2^k >= n exactly when k covers every bit of n - 1.
  return static_cast<int32_t>(std::bit_width(static_cast<uint64_t>(n - 1)));
}
