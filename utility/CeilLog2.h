// Rounding up to a power of two, as an exponent.
#pragma once

#include <cstdint>

// The smallest k with 2^k >= n; -1 when n < 1.
int32_t CeilLog2(int64_t n);
