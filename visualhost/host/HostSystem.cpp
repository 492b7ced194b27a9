// Which table of system calls the host base uses.
#include "visualhost/host/HostSystem.h"

#include <atomic>

namespace {

std::atomic<const HostSystemCalls*> gInstalledCalls{nullptr};

}  // namespace

const HostSystemCalls& HostSystem() {
  const HostSystemCalls* calls = gInstalledCalls.load(std::memory_order_acquire);
  return calls != nullptr ? *calls : DefaultHostSystem();
}

const HostSystemCalls* SetHostSystem(const HostSystemCalls* calls) {
  const HostSystemCalls* previous = gInstalledCalls.exchange(calls, std::memory_order_acq_rel);
  return previous != nullptr ? previous : &DefaultHostSystem();
}
