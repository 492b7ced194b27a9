// NVQueue: a ring queue of pointers with power-of-two capacity.
//
// Element i lives at items[(head + i) & (capacity - 1)], so positions are masked, never
// divided. Removing a range moves whichever side of it is shorter. The queue may own what it
// holds (see Ownership) and then lets go of each element exactly once: when it is removed or
// when the queue is destroyed.
#pragma once

#include <cstdint>

#include "utility/NVObject.h"

class NVQueue : public NVObject {
 public:
  enum Ownership : int32_t {
    kHoldsPointers = 0,   // plain pointers, never touched
    kOwnsObjects = 1,     // NVObjects, Released on removal
    kOwnsHeapBlocks = 2,  // malloc'ed blocks, freed on removal
  };

  // A queue never holds more elements than this.
  static constexpr int32_t kMaxCapacity = int32_t{1} << 30;

  explicit NVQueue(int32_t ownership = kHoldsPointers) : mOwnership(ownership) {}
  NVQueue(const NVQueue&) = delete;
  NVQueue& operator=(const NVQueue&) = delete;
  ~NVQueue() override;

  // Adds item at the tail, growing to max(16, 4 x capacity) when full. False (and nothing
  // stored) only when the queue is at its maximum size.
  bool Append(void* item);
  // Makes room for at least max(request, count + 1) elements; never shrinks.
  void Grow(int32_t request);
  // 0-based index of the first element equal to item, or -1.
  int32_t IndexOf(const void* item) const;
  // Removes n elements from 0-based index start (clamped to the queue), letting go of owned
  // ones.
  void RemoveRange(int32_t start, int32_t n);
  // The element at 0-based index, or null out of range.
  void* At(int32_t index) const;

  int32_t Count() const { return mCount; }
  int32_t Capacity() const { return mCapacity; }
  int32_t Head() const { return mHead; }
  int32_t OwnershipMode() const { return mOwnership; }

  // "NVQueue (0x..): { a, b, c } <3 total>" with at most 256 elements shown.
  void Print() override;

 private:
  void*& Slot(int32_t index) const { return mItems[(mHead + index) & (mCapacity - 1)]; }
  void LetGo(void* item) const;

  void** mItems = nullptr;
  int32_t mHead = 0;
  int32_t mCount = 0;
  int32_t mCapacity = 0;
  int32_t mOwnership;
};
