// Which link to the session side the filter side uses.
#include "NV_VLC/SessionLink.h"

#include <atomic>

namespace {

std::atomic<const SessionLinkCalls*> gInstalledLink{nullptr};

}  // namespace

const SessionLinkCalls& SessionLink() {
  const SessionLinkCalls* calls = gInstalledLink.load(std::memory_order_acquire);
  return calls != nullptr ? *calls : DefaultSessionLink();
}

const SessionLinkCalls* SetSessionLink(const SessionLinkCalls* calls) {
  const SessionLinkCalls* previous = gInstalledLink.exchange(calls, std::memory_order_acq_rel);
  return previous != nullptr ? previous : &DefaultSessionLink();
}
