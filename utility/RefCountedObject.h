// RefCountedObject: the base of the library's shared objects.
//
// The count starts at 1 for the creator. A holder takes a reference with AddRef (an atomic
// increment) and gives it up with Release; the Release that brings the count to 0 runs Dispose,
// where the subclass shuts down while it is still whole, and then destroys the object.
// References may be taken and released from any thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "utility/NVObject.h"

class RefCountedObject : public NVObject {
 public:
  RefCountedObject() = default;
  RefCountedObject(const RefCountedObject&) = delete;
  RefCountedObject& operator=(const RefCountedObject&) = delete;

  // Takes one more reference; returns the new count.
  int AddRef() { return mRefCount.fetch_add(1, std::memory_order_relaxed) + 1; }

  // Gives up one reference; returns the new count (0 when the object is gone).
  int Release() override;
  int RefCount() const override { return mRefCount.load(std::memory_order_relaxed); }

  // The last-reference hook, run exactly once just before destruction.
  virtual void Dispose() {}

 protected:
  // Shared objects end through Release only.
  ~RefCountedObject() override = default;

 private:
  std::atomic<int32_t> mRefCount{1};
  // Set while Dispose runs, so that a reference taken and dropped there cannot end the
  // object a second time.
  bool mDisposing = false;
};

static_assert(sizeof(std::atomic<int32_t>) == sizeof(int32_t), "the count is a plain 32-bit word");
