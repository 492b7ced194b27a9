#include "utility/RefCountedObject.h"

int RefCountedObject::Release() {
  const int remaining = mRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (remaining != 0 || mDisposing) return remaining;
  mDisposing = true;
  Dispose();
  delete this;
  return 0;
}
