// Natively there are no Direct3D devices: an "other" target is recorded but never drawn into.
#include "refengine/DeviceTarget.h"

namespace refengine {

bool DeviceTarget::Attach(void*) {
  Detach();
  return false;
}

void DeviceTarget::Detach() {
  mDevice = nullptr;
}

bool DeviceTarget::Clear(uint32_t) {
  return false;
}

// Natively nothing is read through it: no memory is vouched for.
bool DeviceTarget::Readable(const void*, size_t) {
  return false;
}

}  // namespace refengine
