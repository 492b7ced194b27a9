#include "utility/NVQueue.h"

#include <algorithm>
#include <cstdlib>

#include "utility/LogMessage.h"
#include "utility/UtilStr.h"

namespace {

constexpr int32_t kMinCapacity = 16;
constexpr int32_t kMaxPrinted = 256;

}  // namespace

NVQueue::~NVQueue() {
  RemoveRange(0, mCount);
  free(mItems);
}

bool NVQueue::Append(void* item) {
  if (mCount + 1 > mCapacity) {
    Grow(static_cast<int32_t>(
        std::min<int64_t>(std::max<int64_t>(kMinCapacity, 4LL * mCapacity), kMaxCapacity)));
  }
  if (mCount >= mCapacity) return false;
  Slot(mCount) = item;
  ++mCount;
  return true;
}

void NVQueue::Grow(int32_t request) {
  const int64_t need = std::max<int64_t>(request, int64_t{mCount} + 1);
  if (need > kMaxCapacity) return;
  int32_t capacity = 1;
  while (capacity < need) capacity <<= 1;
  if (capacity <= mCapacity) return;
  auto** items = static_cast<void**>(malloc(sizeof(void*) * static_cast<size_t>(capacity)));
  if (items == nullptr) return;
  for (int32_t i = 0; i < mCount; ++i) items[i] = Slot(i);
  free(mItems);
  mItems = items;
  mCapacity = capacity;
  mHead = 0;
}

int32_t NVQueue::IndexOf(const void* item) const {
  for (int32_t i = 0; i < mCount; ++i) {
    if (Slot(i) == item) return i;
  }
  return -1;
}

void* NVQueue::At(int32_t index) const {
  return index >= 0 && index < mCount ? Slot(index) : nullptr;
}

void NVQueue::LetGo(void* item) const {
  if (item == nullptr) return;
  if (mOwnership == kOwnsObjects) {
    static_cast<NVObject*>(item)->Release();
  } else if (mOwnership == kOwnsHeapBlocks) {
    free(item);
  }
}

void NVQueue::RemoveRange(int32_t start, int32_t n) {
  start = std::max(start, 0);
  if (int64_t{start} + n > mCount) n = mCount - start;
  if (mCount <= 0 || n <= 0) return;
  for (int32_t i = start; i < start + n; ++i) LetGo(Slot(i));

  const int32_t remaining = mCount - n;
  if (remaining > 0) {
    const int32_t after = remaining - start;
    if (start > after) {
      // Fewer elements behind the range: pull them forward over it.
      for (int32_t i = 0; i < after; ++i) Slot(start + i) = Slot(start + n + i);
    } else {
      // Fewer elements in front: push them back over it and advance the head.
      for (int32_t i = start - 1; i >= 0; --i) Slot(i + n) = Slot(i);
      mHead = (mHead + n) & (mCapacity - 1);
    }
  }
  mCount = remaining;
}

void NVQueue::Print() {
  UtilStr text;
  const int32_t shown = std::min(mCount, kMaxPrinted);
  for (int32_t i = 0; i < shown; ++i) {
    text.AppendDebugValue(static_cast<int64_t>(reinterpret_cast<intptr_t>(Slot(i))));
    text.Append(i + 1 < mCount ? ", " : " ");
  }
  if (mCount > shown) text.AppendFormat("... <%d additional> ", mCount - shown);
  LogMessage(LogFlags::kDebug, "NVQueue (0x%X): { %s} <%d total>",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)), text.Text(), mCount);
}
