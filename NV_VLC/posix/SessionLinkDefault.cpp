// Native builds have no installed product and no session thread yet: Open stands down at its
// first step, and anything posted is dropped (a tap's session reference with it).
#include "NV_VLC/SessionLink.h"
#include "NV_VLC/Tap.h"

namespace {

bool NoEngine() { return false; }

void Drop(const SessionEvent& event) {
  if (event.kind == SessionEventKind::kTapDetached && event.tap != nullptr) event.tap->Release();
}

void DropAndGoOn(SessionEventKind) {}

const SessionLinkCalls kNativeLink = {&NoEngine, &Drop, &DropAndGoOn};

}  // namespace

const SessionLinkCalls& DefaultSessionLink() { return kNativeLink; }
