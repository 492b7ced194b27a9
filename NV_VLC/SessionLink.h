// SessionLink: how the filter side (VLC's threads) reaches the rest of the module: whether the
// engine is installed at all, and the session thread's queue.
//
// The module fills the default link with the session thread of its platform; tests install
// links of their own to see what the filter side posts.
#pragma once

#include "NV_VLC/SessionEvent.h"

struct SessionLinkCalls {
  // The product's engine can be found and its product information read.
  bool (*engineInstalled)();
  // Hands the event to the session thread (with the tap reference a TapAttached carries).
  // Dropped when the session thread could not be started.
  void (*post)(const SessionEvent& event);
  // Posts and waits until the session thread has handled it: at most 1000 ms, 5000 ms while a
  // session start is in progress, and not at all on the session thread itself.
  void (*postAndWait)(SessionEventKind kind);
};

const SessionLinkCalls& SessionLink();
const SessionLinkCalls& DefaultSessionLink();
// Installs a link (null: the default) and returns the one it replaces.
const SessionLinkCalls* SetSessionLink(const SessionLinkCalls* calls);
