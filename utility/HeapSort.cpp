#include "utility/HeapSort.h"

#include <utility>

namespace {

struct Order {
  PointerComparator compare;
  int64_t userData;
  // True when a must come before b.
  bool Before(void* a, void* b) const { return compare(a, b, userData) > 0; }
};

// Restores the heap below root, where the element that belongs last sits at the top.
void SiftDown(void** items, int32_t root, int32_t count, const Order& order) {
  for (;;) {
    int32_t child = 2 * root + 1;
    if (child >= count) return;
    if (child + 1 < count && order.Before(items[child], items[child + 1])) ++child;
    if (!order.Before(items[root], items[child])) return;
    std::swap(items[root], items[child]);
    root = child;
  }
}

}  // namespace

void HeapSortPointers(void** items, int32_t count, PointerComparator compare, int64_t userData) {
  if (items == nullptr || compare == nullptr || count <= 1) return;
  const Order order{compare, userData};
  for (int32_t root = count / 2 - 1; root >= 0; --root) SiftDown(items, root, count, order);
  for (int32_t end = count - 1; end > 0; --end) {
    std::swap(items[0], items[end]);
    SiftDown(items, 0, end, order);
  }
}
