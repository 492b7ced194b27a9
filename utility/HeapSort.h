// In-place heap sort of a pointer array.
//
// The comparator convention is the one of the library's sorted lists: compare(a, b) > 0 means
// that a belongs before b, so a sorted array keeps compare(earlier, later) >= 0.
#pragma once

#include <cstdint>

using PointerComparator = int32_t (*)(void* a, void* b, int64_t userData);

// Sorts count pointers; count <= 1 or a null comparator leaves the array as it is. Not stable.
void HeapSortPointers(void** items, int32_t count, PointerComparator compare, int64_t userData);
