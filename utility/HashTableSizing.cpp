#include "utility/HashTableSizing.h"

#include "utility/CeilLog2.h"

uint64_t BucketCountFor(int32_t n) {
  return uint64_t{4} << CeilLog2(static_cast<int64_t>(n) + 3);
}

int32_t GrowThresholdFor(uint32_t bucketCount) {
  if (bucketCount > 0xFFFFF) return static_cast<int32_t>(bucketCount / 100 * 45);
  return static_cast<int32_t>(uint64_t{bucketCount} * 35 / 100);
}
