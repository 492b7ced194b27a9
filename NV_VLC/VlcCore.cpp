// Which table of VLC core calls the module uses.
#include "NV_VLC/VlcCore.h"

#include <atomic>

namespace {

std::atomic<const VlcCoreCalls*> gInstalledCalls{nullptr};

}  // namespace

const VlcCoreCalls& VlcCore() {
  const VlcCoreCalls* calls = gInstalledCalls.load(std::memory_order_acquire);
  return calls != nullptr ? *calls : DefaultVlcCore();
}

const VlcCoreCalls* SetVlcCore(const VlcCoreCalls* calls) {
  const VlcCoreCalls* previous = gInstalledCalls.exchange(calls, std::memory_order_acq_rel);
  return previous != nullptr ? previous : &DefaultVlcCore();
}
