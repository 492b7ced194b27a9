#include "utility/HeapSort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// Elements are small integers disguised as pointers.
void* AsItem(intptr_t v) {
  return reinterpret_cast<void*>(v);
}
intptr_t ValueOf(void* p) {
  return reinterpret_cast<intptr_t>(p);
}

// compare(a, b) > 0 puts a first: ascending values.
int32_t Ascending(void* a, void* b, int64_t) {
  return static_cast<int32_t>(ValueOf(b) - ValueOf(a));
}

// The user data chooses the direction, which shows that it reaches the comparator.
int32_t ByDirection(void* a, void* b, int64_t direction) {
  return static_cast<int32_t>((ValueOf(b) - ValueOf(a)) * direction);
}

TEST(HeapSortTest, SortsSoThatEarlierComparesAtLeastEqualToLater) {
  std::mt19937 random(7);
  for (int count : {0, 1, 2, 3, 10, 257}) {
    SCOPED_TRACE(count);
    std::vector<void*> items;
    for (int i = 0; i < count; ++i) items.push_back(AsItem(random() % 50));
    std::vector<intptr_t> expected;
    for (void* p : items) expected.push_back(ValueOf(p));
    std::sort(expected.begin(), expected.end());

    HeapSortPointers(items.data(), count, &Ascending, 0);

    std::vector<intptr_t> actual;
    for (void* p : items) actual.push_back(ValueOf(p));
    EXPECT_EQ(actual, expected);
  }
}

TEST(HeapSortTest, PassesTheUserDataToTheComparator) {
  std::vector<void*> items = {AsItem(2), AsItem(9), AsItem(4), AsItem(1)};
  HeapSortPointers(items.data(), 4, &ByDirection, -1);
  EXPECT_EQ(items, (std::vector<void*>{AsItem(9), AsItem(4), AsItem(2), AsItem(1)}));
}

TEST(HeapSortTest, LeavesTheArrayAloneWithoutAComparator) {
  std::vector<void*> items = {AsItem(3), AsItem(1), AsItem(2)};
  HeapSortPointers(items.data(), 3, nullptr, 0);
  EXPECT_EQ(items, (std::vector<void*>{AsItem(3), AsItem(1), AsItem(2)}));
}

}  // namespace
