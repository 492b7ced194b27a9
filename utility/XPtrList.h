// XPtrList: a growable list of pointers that can keep its elements sorted.
//
// Modes: ordered (elements stay where they were put; the default), unordered (a removal moves
// the last element into the hole, so it costs nothing) and sorted (Add inserts at the place the
// comparator gives, so that compare(earlier, later) >= 0 holds). Positions given to and
// returned by the public operations count from 1; 0 means "none". InsertAt and SearchPosition
// work with 0-based indices.
//
// The list never owns its elements. A subclass that does frees them in OnRemove, which runs
// just before elements leave; its destructor should call RemoveAll, since the base destructor
// only frees the storage.
#pragma once

#include <cstdint>

#include "utility/HeapSort.h"
#include "utility/NVObject.h"

class XPtrList : public NVObject {
 public:
  enum Mode : int32_t { kOrdered = 1, kUnordered = 2, kSorted = 3 };

  XPtrList() = default;
  XPtrList(const XPtrList&) = delete;
  XPtrList& operator=(const XPtrList&) = delete;
  ~XPtrList() override;

  // Inserts item (sorted mode) or appends it; returns its 1-based position (0 when the list
  // cannot grow).
  int32_t Add(void* item);
  // Inserts item before 0-based index (clamped to 0..count).
  void InsertAt(void* item, int32_t index);
  // The 0-based index at which item would be inserted in sorted order.
  int32_t SearchPosition(void* item) const;
  // Removes the first element the comparator finds equal to item (the exact pointer in sorted
  // mode); returns its 1-based position, or 0 when there is none.
  int32_t Remove(void* item);
  // Removes the element at 1-based position; false when the position is not 1..count.
  bool RemoveAt(int32_t position);
  // Removes every element (OnRemove sees the whole range first).
  void RemoveAll();
  // The element at 1-based position, or null when there is none.
  void* Get(int32_t position) const;

  // Replaces the comparator; null compares pointers for identity and leaves Add appending.
  void SetComparator(PointerComparator comparator, int64_t userData);

  int32_t Count() const { return mNumElements; }
  int32_t Capacity() const { return mCapacity; }
  int32_t CurrentMode() const { return mMode; }

  // The default comparator: the low 32 bits of b minus those of a, wrapping.
  static int32_t ComparePointerValues(void* a, void* b, int64_t userData);

  // "XPtrList (0x..): mNumElements = n", then one line per element.
  void Print() override;

  // Stores the mode; entering sorted mode sorts the elements. Unknown modes are ignored.
  virtual void SetMode(int32_t mode);
  // Elements first..last (1-based, inclusive) are about to leave the list.
  virtual void OnRemove(int32_t first, int32_t last);

 private:
  void GrowWhenFull();
  bool Matches(void* element, void* item) const;
  int32_t FindForRemoval(void* item) const;

  void** mItems = nullptr;
  int32_t mCapacity = 0;
  int32_t mNumElements = 0;
  PointerComparator mComparator = &ComparePointerValues;
  int64_t mUserData = 0;
  int32_t mMode = kOrdered;
};
