// Sizing of the chained hash tables: how many buckets a table gets when it is made ready for
// a number of entries, and how many entries it then takes before it grows again.
#pragma once

#include <cstdint>

// Four times the power of two that holds n + 3, so the load stays low; 64-bit because large
// requests go beyond what a bucket count can hold and each table limits it its own way.
uint64_t BucketCountFor(int32_t n);

// 35 % of the bucket count, 45 % for tables above 0xFFFFF buckets.
int32_t GrowThresholdFor(uint32_t bucketCount);
