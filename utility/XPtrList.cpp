#include "utility/XPtrList.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "utility/LogMessage.h"

namespace {

// Longer lists look at their newest elements first: they are the likeliest to go soon.
constexpr int32_t kRecentLookMinCount = 17;
constexpr int32_t kRecentLookSize = 8;

}  // namespace

XPtrList::~XPtrList() {
  free(mItems);
}

int32_t XPtrList::ComparePointerValues(void* a, void* b, int64_t) {
  const auto low = [](void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); };
  return static_cast<int32_t>(low(b) - low(a));
}

void XPtrList::SetComparator(PointerComparator comparator, int64_t userData) {
  mComparator = comparator;
  mUserData = userData;
}

void XPtrList::GrowWhenFull() {
  if (mNumElements < mCapacity) return;
  const int64_t wanted = 3 * int64_t{mCapacity} + 24;
  if (wanted >= INT32_MAX) return;
  const auto capacity = static_cast<int32_t>(wanted);
  // One spare slot beyond the capacity.
  auto** items = static_cast<void**>(malloc(sizeof(void*) * (static_cast<size_t>(capacity) + 1)));
  if (items == nullptr) return;
  if (mNumElements > 0) memcpy(items, mItems, sizeof(void*) * static_cast<size_t>(mNumElements));
  free(mItems);
  mItems = items;
  mCapacity = capacity;
}

void XPtrList::InsertAt(void* item, int32_t index) {
  GrowWhenFull();
  if (mNumElements >= mCapacity) return;
  index = std::clamp(index, 0, mNumElements);
  memmove(&mItems[index + 1], &mItems[index],
          sizeof(void*) * static_cast<size_t>(mNumElements - index));
  mItems[index] = item;
  ++mNumElements;
}

int32_t XPtrList::Add(void* item) {
  const int32_t index =
      (mMode == kSorted && mComparator != nullptr) ? SearchPosition(item) : mNumElements;
  const int32_t countBefore = mNumElements;
  InsertAt(item, index);
  return mNumElements > countBefore ? index + 1 : 0;
}

int32_t XPtrList::SearchPosition(void* item) const {
  if (mComparator == nullptr) return mNumElements;
  int32_t lo = 0;
  int32_t hi = mNumElements - 1;
  int32_t mid = 0;
  int32_t lastComparison = 0;
  while (lo <= hi) {
    mid = (lo + hi) / 2;
    lastComparison = mComparator(mItems[mid], item, mUserData);
    if (lastComparison <= 0) {
      hi = mid - 1;
    } else {
      lo = mid + 1;
    }
  }
  return lastComparison >= 1 ? mid + 1 : mid;
}

bool XPtrList::Matches(void* element, void* item) const {
  if (mComparator == nullptr) return element == item;
  return mComparator(element, item, mUserData) == 0;
}

// 0-based index of the element Remove takes, or -1.
int32_t XPtrList::FindForRemoval(void* item) const {
  if (mMode == kSorted && mComparator != nullptr) {
    for (int32_t i = SearchPosition(item); i < mNumElements && Matches(mItems[i], item); ++i) {
      if (mItems[i] == item) return i;
    }
    return -1;
  }
  int32_t frontEnd = mNumElements;
  if (mNumElements >= kRecentLookMinCount) {
    frontEnd = mNumElements - kRecentLookSize;
    for (int32_t i = frontEnd; i < mNumElements; ++i) {
      if (Matches(mItems[i], item)) return i;
    }
  }
  for (int32_t i = 0; i < frontEnd; ++i) {
    if (Matches(mItems[i], item)) return i;
  }
  return -1;
}

int32_t XPtrList::Remove(void* item) {
  const int32_t index = FindForRemoval(item);
  if (index < 0) return 0;
  RemoveAt(index + 1);
  return index + 1;
}

bool XPtrList::RemoveAt(int32_t position) {
  if (position < 1 || position > mNumElements) return false;
  OnRemove(position, position);
  const int32_t index = position - 1;
  const int32_t last = mNumElements - 1;
  if (mMode == kUnordered) {
    mItems[index] = mItems[last];
  } else {
    memmove(&mItems[index], &mItems[index + 1], sizeof(void*) * static_cast<size_t>(last - index));
  }
  mNumElements = last;
  return true;
}

void XPtrList::RemoveAll() {
  if (mNumElements <= 0) return;
  OnRemove(1, mNumElements);
  mNumElements = 0;
}

void* XPtrList::Get(int32_t position) const {
  return position >= 1 && position <= mNumElements ? mItems[position - 1] : nullptr;
}

void XPtrList::SetMode(int32_t mode) {
  if (mode < kOrdered || mode > kSorted) return;
  mMode = mode;
  if (mode == kSorted) HeapSortPointers(mItems, mNumElements, mComparator, mUserData);
}

void XPtrList::OnRemove(int32_t, int32_t) {}

void XPtrList::Print() {
  LogMessage(LogFlags::kDebug, "XPtrList (0x%X): mNumElements = %d",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(this)), mNumElements);
  for (int32_t i = 0; i < mNumElements; ++i) {
    LogMessage(LogFlags::kDebug, "   %d: 0x%X", i,
               static_cast<unsigned>(reinterpret_cast<uintptr_t>(mItems[i])));
  }
}
